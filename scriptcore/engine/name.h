// JS_Name: interned property names, shared by the whole process, so that
// property lookups compare names by pointer.
#ifndef SCRIPTCORE_ENGINE_NAME_H
#define SCRIPTCORE_ENGINE_NAME_H

#include <cstddef>
#include <cstdint>

struct JS_Name {
	char *text;          // private NUL-terminated copy
	uint32_t length;
	uint32_t count;      // a new name has count 0
	uint32_t hash;
	JS_Name *chain;      // next name in the same hash bucket

	// find: the name with exactly this text, or null.  intern: find it or
	// create it with count 0 (null when memory runs out).  A name that was
	// interned but never counted stays for the life of the process; a name
	// whose count falls from 1 to 0 leaves the table and is freed.
	static JS_Name *Find(const char *text);
	static JS_Name *Find(const char *text, size_t length);
	static JS_Name *Intern(const char *text);
	static JS_Name *Intern(const char *text, size_t length);

	void AddRef() { ++count; }
	void Release()
	{
		if (--count == 0)
			Remove(this);
	}

	static size_t TableCount();
	// Frees every name still interned; only when the library is unloaded.
	static void FreeTable();

private:
	static void Remove(JS_Name *name);
};

// The well-known names every global object keeps counted while it exists.
struct JS_WellKnownNames {
	JS_Name *length;
	JS_Name *prototype;
	JS_Name *arguments;
	JS_Name *callee;
};
extern JS_WellKnownNames js_names;

#endif

// JS_String: the counted, growable 8-bit string that string values point to.
#ifndef SCRIPTCORE_ENGINE_STRING_H
#define SCRIPTCORE_ENGINE_STRING_H

#include <cstddef>
#include <cstdint>

// Strings never grow beyond this many bytes; operations that would exceed it
// fail like an allocation failure, so that a runaway concatenation ends in a
// clean error instead of exhausting the host's address space.
constexpr uint32_t JS_MAX_STRING_LENGTH = 1u << 30;

// A fresh string has count 0; the first value that stores it takes count 1,
// and the string is freed when the last count goes.  The buffer, when present,
// always has a NUL after the last byte; a null buffer reads as "".  Bytes may
// include NUL; C-string entry points stop there.
struct JS_String {
	char *text;
	uint32_t length;
	uint32_t capacity;
	uint32_t count;

	// Each maker returns null when memory runs out.
	static JS_String *Make(const char *c_text);
	static JS_String *Make(const char *bytes, size_t length);
	static JS_String *MakeInt(int number);
	JS_String *Copy() const;

	const char *Text() const { return text ? text : ""; }

	// Growth always sets the capacity to the requested size plus the old
	// capacity.  Each returns false, leaving the string as it was, when memory
	// runs out or the size limit would be passed.
	bool Reserve(uint32_t n);       // old contents discarded
	bool ReserveCopy(uint32_t n);   // old contents and NUL kept
	bool Append(const JS_String *s);
	bool Append(const char *c_text);
	bool Append(const char *bytes, size_t length);
	bool AppendByte(char c);
	bool Assign(const char *c_text);

	bool Equals(const JS_String *other) const;

	void AddRef() { ++count; }
	void Release()
	{
		if (--count == 0)
			Free(this);
	}
	static void Free(JS_String *s);
};

#endif

// JS_Object: the base of every script object, its two property tables, and
// JS_Native_Object, the standard implementation of the property operations.
#ifndef SCRIPTCORE_ENGINE_OBJECT_H
#define SCRIPTCORE_ENGINE_OBJECT_H

#include <cstdint>

// Classes name JS_New as a friend; every unit that makes objects must see its
// definition, or it refers to an instance that no unit may provide.
#include "memory.h"
#include "value.h"

struct JS_Frame;

enum JS_PropertyFlags : uint32_t {
	PROP_DONT_ENUM = 1,
	PROP_READ_ONLY = 2,
	PROP_DONT_DELETE = 4,
	PROP_INDEX_KEY = 8,   // the key is an index; otherwise a counted name
	PROP_ATTRIBUTES = PROP_DONT_ENUM | PROP_READ_ONLY | PROP_DONT_DELETE
};

struct JS_Property {
	uint32_t flags;
	JS_Value value;
	union {
		JS_Name *name;
		uint32_t index;
	} key;
};

// A contiguous array of entries kept in malloc'd storage so that growth can
// fail cleanly.  Named tables keep insertion order and grow 4, 12, 36, ...;
// indexed tables keep key order (as unsigned numbers) and grow 8, 16, 32, ...
class JS_PropertyTable {
public:
	explicit JS_PropertyTable(bool indexed) : indexed_(indexed) {}
	~JS_PropertyTable();
	JS_PropertyTable(const JS_PropertyTable &) = delete;
	JS_PropertyTable &operator=(const JS_PropertyTable &) = delete;

	uint32_t Count() const { return count_; }
	uint32_t Capacity() const { return capacity_; }
	JS_Property *At(uint32_t position) { return &entries_[position]; }

	// Named lookup scans from the newest entry, which favours recently added
	// properties (locals, recent assignments).
	JS_Property *FindName(JS_Name *name);
	JS_Property *FindIndex(uint32_t index);
	uint32_t LowerBound(uint32_t index) const;

	// Appends (named) or inserts in key order (indexed); null when memory
	// runs out, with the table unchanged.
	JS_Property *AddName(JS_Name *name, const JS_Value &v, uint32_t attributes);
	JS_Property *AddIndex(uint32_t index, const JS_Value &v, uint32_t attributes);
	// Opens an empty (undefined, no attributes) entry at a position.
	bool InsertAt(uint32_t position);
	void RemoveAt(uint32_t position);
	// Destroys every entry; the storage stays.
	void Clear();

private:
	bool Grow();
	void DestroyEntry(JS_Property *p);

	JS_Property *entries_ = nullptr;
	uint32_t count_ = 0;
	uint32_t capacity_ = 0;
	bool indexed_;
};

// The operations of every object.  The receiver is the object on which an
// access started; it travels along the prototype chain unchanged so that
// foreign objects can hand it to the host.
//
// Prototype chains are walked iteratively, never by recursion, so a chain of
// any length is safe: the chain operations (Get, Has, CanPut) ask each object
// for its own level (GetOwnName and friends) and move on to its prototype.
// Classes change what one level answers by overriding the Own operations.
class JS_Object {
public:
	JS_Object(JS_Global_Object *owner, const char *class_text);
	virtual ~JS_Object();
	JS_Object(const JS_Object &) = delete;
	JS_Object &operator=(const JS_Object &) = delete;

	// 0: destroy every entry of both tables and drop the prototype.
	virtual void Clear();
	// 2: the wrapped primitive of Boolean, Number and String objects.
	virtual const JS_Value *InternalValue();

	// 3 to 12: the property operations, implemented by JS_Native_Object.
	virtual int GetIndex(uint32_t index, JS_Value *out, JS_Object *receiver) = 0;
	virtual int GetName(ES_Context *cx, JS_Name *name, JS_Value *out, JS_Object *receiver) = 0;
	virtual int PutIndex(uint32_t index, const JS_Value &v, JS_Object *receiver, uint32_t attributes) = 0;
	virtual int PutName(ES_Context *cx, JS_Name *name, const JS_Value &v, JS_Object *receiver,
		uint32_t attributes) = 0;
	virtual int CanPutIndex(uint32_t index, JS_Object *receiver) = 0;
	virtual int CanPutName(JS_Name *name, JS_Object *receiver) = 0;
	virtual int HasIndex(uint32_t index, JS_Object *receiver) = 0;
	virtual int HasName(JS_Name *name, JS_Object *receiver) = 0;
	virtual int DeleteIndex(uint32_t index) = 0;
	virtual int DeleteName(JS_Name *name) = 0;

	// 13 to 15: evaluation steps (context, argument frame, own frame); they
	// return a step to resume at (>= 0) or a completion code.
	virtual int DefaultValue(ES_Context *cx, JS_Frame *frame, int hint);
	virtual int Construct(ES_Context *cx, JS_Frame *args, JS_Frame *self);
	virtual int Call(ES_Context *cx, JS_Frame *args, JS_Frame *self);
	// 16: 0 the value is an instance, 1 it is not, 2 not supported.
	virtual int HasInstance(const JS_Value &v);

	// 17, 18: own entries only.
	virtual JS_Property *FindIndexEntry(uint32_t index) = 0;
	virtual JS_Property *FindNameEntry(JS_Name *name) = 0;

	// 19 to 26, 28: class predicates.
	virtual int IsFunction() { return 0; }
	virtual int IsString() { return 0; }
	virtual int IsBoolean() { return 0; }
	virtual int IsNumber() { return 0; }
	virtual int IsArray() { return 0; }
	virtual int IsDate() { return 0; }
	virtual int IsRegExp() { return 0; }
	virtual int IsForeign() { return 0; }
	virtual int IsActivation() { return 0; }
	// 27: appends the object's source text; false when memory runs out.
	virtual bool SourceText(JS_String *out);

	// 29 to 35: position-based access to the tables.
	virtual uint32_t NamedCount() = 0;
	virtual JS_Property *NamedEntryAt(uint32_t position) = 0;
	virtual uint32_t IndexedCount() = 0;
	virtual JS_Property *IndexedEntryAt(uint32_t position) = 0;
	virtual void RemoveIndexedAt(uint32_t position) = 0;
	virtual int InsertIndexedAt(uint32_t position) = 0;
	virtual uint32_t IndexedLowerBound(uint32_t index) = 0;

	// One level of a prototype-chain walk.  GetOwn*: 1 and out filled when
	// this object (itself, or its host) has the property.  CanPutOwn*: -1 no
	// own entry, else 0 or 1.  The host halves (HostHas*, HostCanPut*) answer
	// after the whole chain's native tables have been consulted.
	virtual int GetOwnIndex(uint32_t index, JS_Value *out, JS_Object *receiver);
	virtual int GetOwnName(ES_Context *cx, JS_Name *name, JS_Value *out, JS_Object *receiver);
	virtual int CanPutOwnIndex(uint32_t index);
	virtual int CanPutOwnName(JS_Name *name);
	virtual int HasOwnIndex(uint32_t index);
	virtual int HasOwnName(JS_Name *name);
	virtual int HostHasIndex(uint32_t, JS_Object *) { return 0; }
	virtual int HostHasName(JS_Name *, JS_Object *) { return 0; }
	virtual int HostCanPutIndex(uint32_t, JS_Object *) { return 0; }
	virtual int HostCanPutName(JS_Name *, JS_Object *) { return 0; }

	// Counting.  Objects are freed through a worklist, so that releasing a
	// long chain of objects never recurses on the native stack.
	void AddRef() { ++count; }
	void Release();

	// The prototype holds a count.  The engine never makes a cycle; for
	// prototypes that come from outside, WouldCycle tells.
	bool SetPrototype(JS_Object *p);
	bool WouldCycle(JS_Object *p) const;
	JS_Object *Prototype() const { return prototype; }

	// Get and Put by C string (interning the text).
	int GetByText(ES_Context *cx, const char *text, JS_Value *out);
	int PutByText(ES_Context *cx, const char *text, const JS_Value &v, uint32_t attributes);

	const char *class_name;
	uint32_t count = 0;

protected:
	JS_Object *prototype = nullptr;
	JS_PropertyTable names_{false};
	JS_PropertyTable indices_{true};

private:
	friend class JS_Global_Object;
	friend void DrainReleases();
	void Unlink();

	// The all-objects list of the owning global object (none for a global).
	JS_Object *next_ = nullptr;
	JS_Object *prev_ = nullptr;
	bool linked_ = false;
	JS_Object *dead_next_ = nullptr;   // the release worklist
};

// While a hold exists, objects whose count falls to 0 wait on the release
// worklist; the last hold frees them.  Every operation that may release a
// value while it still works on an object starts with one, so that freeing
// what a property held can never free the object under the operation.
class JS_ReleaseHold {
public:
	JS_ReleaseHold();
	~JS_ReleaseHold();
	JS_ReleaseHold(const JS_ReleaseHold &) = delete;
	JS_ReleaseHold &operator=(const JS_ReleaseHold &) = delete;
};

class JS_Native_Object : public JS_Object {
public:
	JS_Native_Object(JS_Global_Object *owner, const char *class_text = "Object")
		: JS_Object(owner, class_text)
	{
	}

	int GetIndex(uint32_t index, JS_Value *out, JS_Object *receiver) override;
	int GetName(ES_Context *cx, JS_Name *name, JS_Value *out, JS_Object *receiver) override;
	int PutIndex(uint32_t index, const JS_Value &v, JS_Object *receiver, uint32_t attributes) override;
	int PutName(ES_Context *cx, JS_Name *name, const JS_Value &v, JS_Object *receiver,
		uint32_t attributes) override;
	int CanPutIndex(uint32_t index, JS_Object *receiver) override;
	int CanPutName(JS_Name *name, JS_Object *receiver) override;
	int HasIndex(uint32_t index, JS_Object *receiver) override;
	int HasName(JS_Name *name, JS_Object *receiver) override;
	int DeleteIndex(uint32_t index) override;
	int DeleteName(JS_Name *name) override;
	JS_Property *FindIndexEntry(uint32_t index) override;
	JS_Property *FindNameEntry(JS_Name *name) override;
	uint32_t NamedCount() override;
	JS_Property *NamedEntryAt(uint32_t position) override;
	uint32_t IndexedCount() override;
	JS_Property *IndexedEntryAt(uint32_t position) override;
	void RemoveIndexedAt(uint32_t position) override;
	int InsertIndexedAt(uint32_t position) override;
	uint32_t IndexedLowerBound(uint32_t index) override;

	// The plain native behaviour, for subclasses that add to it.
	int NativePutIndex(uint32_t index, const JS_Value &v, uint32_t attributes);
	int NativePutName(JS_Name *name, const JS_Value &v, uint32_t attributes);
	int NativeDeleteIndex(uint32_t index);
	int NativeDeleteName(JS_Name *name);

	// Capacity of the named table, for checks of its growth.
	uint32_t NamedCapacity() const { return names_.Capacity(); }
};

// Looks an own property up by text: decimal digits naming an array index
// find the indexed entry, anything else the named entry (a text never
// interned has none).
JS_Property *FindOwnPropertyByText(JS_Object *o, const char *text);

// Descriptor of a built-in function; attribute bits as the property flags.
typedef int (*JS_StepFunction)(ES_Context *cx, JS_Frame *args, JS_Frame *self, int magic);
struct JS_NativeFunctionDescriptor {
	const char *name;
	JS_StepFunction step;
	int length;
	int magic;
	uint32_t attributes;
};
// Creates each function and puts it on the object; false when memory runs
// out (the functions made so far stay).
class JS_Native_Object;
bool InstallNativeFunctions(JS_Native_Object *o, const JS_NativeFunctionDescriptor *d, int count,
	JS_Global_Object *global);

#endif

// JS_Array: an object of class "Array" whose elements are its indexed
// entries and whose "length" is kept in step with them.
#ifndef SCRIPTCORE_ENGINE_ARRAY_H
#define SCRIPTCORE_ENGINE_ARRAY_H

#include <cstdint>

#include "object.h"

class JS_Array : public JS_Native_Object {
public:
	// A new empty array whose prototype is the global object's
	// Array.prototype; null when memory runs out.
	static JS_Array *Create(JS_Global_Object *global);
	// The same with a chosen prototype (Array.prototype itself is an array
	// whose prototype is Object.prototype).
	static JS_Array *Create(JS_Global_Object *global, JS_Object *prototype);

	// Storing an element at or past the length raises the length to one
	// more than its index.  Index 4294967295 is no element: it is stored as
	// the named property "4294967295".
	int PutIndex(uint32_t index, const JS_Value &v, JS_Object *receiver, uint32_t attributes) override;
	// "length": 0 done, 1 out of memory, 2 the value is an object (convert
	// it with hint Number and assign again), 3 not a whole number from 0 to
	// 4294967295.  A shorter length removes the elements past it.
	int PutName(ES_Context *cx, JS_Name *name, const JS_Value &v, JS_Object *receiver,
		uint32_t attributes) override;
	int IsArray() override { return 1; }

	uint32_t Length() const { return length_; }
	// Sets the length, removing the elements at or past it; false (nothing
	// changed) when memory runs out.
	bool SetLength(uint32_t length);
	// Stores v as element Length() (a literal's or an argument list's next
	// element); false when memory runs out or the array is full.
	bool Append(const JS_Value &v);

private:
	template <typename T, typename... Args>
	friend T *JS_New(Args &&...args);
	explicit JS_Array(JS_Global_Object *owner) : JS_Native_Object(owner, "Array") {}
	bool WriteLengthProperty(uint32_t length);

	uint32_t length_ = 0;
};

// The array's length property is DontEnum and DontDelete, not ReadOnly.
constexpr uint32_t JS_ARRAY_LENGTH_ATTRIBUTES = PROP_DONT_ENUM | PROP_DONT_DELETE;

#endif

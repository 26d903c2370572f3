// JS_Value: the tagged value of the engine, and the conversions of values
// that never run script code.
#ifndef SCRIPTCORE_ENGINE_VALUE_H
#define SCRIPTCORE_ENGINE_VALUE_H

#include <cstdint>

#include "name.h"
#include "jsstring.h"

class JS_Object;
class JS_Global_Object;
struct ES_Context;

enum JS_ValueTag : int32_t {
	VALUE_UNDEFINED = 0,
	VALUE_NULL = 1,
	VALUE_BOOLEAN = 2,
	VALUE_NUMBER = 3,
	VALUE_STRING = 4,
	VALUE_OBJECT = 5,
	VALUE_NAME_REFERENCE = 6,   // base (or none) and a name
	VALUE_INDEX_REFERENCE = 7   // base and an array index
};

// ToPrimitive hints share the type numbers.
enum JS_Hint { HINT_NONE = 0, HINT_NUMBER = 3, HINT_STRING = 4 };

// A value owns one count of the string, object, name and base it holds.
// Setters take the new counts before releasing the old ones, so assigning a
// value to itself is safe.  A string or object setter is never given null:
// callers check their allocations first.
class JS_Value {
public:
	int32_t tag = VALUE_UNDEFINED;
	union {
		double number;
		int32_t boolean;
		JS_String *string;
		JS_Object *object;   // also the base of a reference (or null)
	} u;
	union {
		JS_Name *name;
		uint32_t index;
	} key;

	// Copies of values without counts (undefined, null, booleans and
	// numbers: the most frequent by far) never leave these inline paths.
	JS_Value() { u.number = 0; key.index = 0; }
	JS_Value(const JS_Value &other) : tag(other.tag), u(other.u), key(other.key)
	{
		if (Counted())
			TakeCounts();
	}
	JS_Value(JS_Value &&other) noexcept : tag(other.tag), u(other.u), key(other.key)
	{
		other.tag = VALUE_UNDEFINED;
	}
	JS_Value &operator=(const JS_Value &other)
	{
		if (Counted() || other.Counted())
			return AssignCounted(other);
		tag = other.tag;
		u = other.u;
		key = other.key;
		return *this;
	}
	JS_Value &operator=(JS_Value &&other) noexcept;
	~JS_Value()
	{
		if (Counted())
			ReleaseContents();
	}

	void SetUndefined();
	void SetNull();
	void SetBoolean(int b);
	void SetNumber(double d);
	void SetString(JS_String *s);
	void SetObject(JS_Object *o);
	void SetNameReference(JS_Object *base, JS_Name *name);
	void SetIndexReference(JS_Object *base, uint32_t index);
	void SetUnresolvedReference(JS_Name *name) { SetNameReference(nullptr, name); }

	bool IsUndefined() const { return tag == VALUE_UNDEFINED; }
	bool IsNull() const { return tag == VALUE_NULL; }
	bool IsNumber() const { return tag == VALUE_NUMBER; }
	bool IsString() const { return tag == VALUE_STRING; }
	bool IsObject() const { return tag == VALUE_OBJECT; }
	bool IsReference() const { return tag == VALUE_NAME_REFERENCE || tag == VALUE_INDEX_REFERENCE; }

private:
	bool Counted() const { return tag >= VALUE_STRING; }
	JS_Value &AssignCounted(const JS_Value &other);
	void ReleaseContents();
	void TakeCounts() const;
};

// The process constants: the quiet NaN 0x7FF8000000000000 and +Infinity.
extern const double js_nan;
extern const double js_infinity;

bool ToBoolean(const JS_Value &v);
// ToNumber and ToString of a non-object; objects and references give NaN and
// "".  ToString returns a new string (count 0) or null when memory runs out.
double ToNumber(const JS_Value &v);
JS_String *ToString(const JS_Value &v);
bool ToNumberInPlace(JS_Value *v);
bool ToStringInPlace(JS_Value *v);
// Gives the value itself for an object and a new wrapper for a boolean,
// number or string; false for undefined, null, references, and when memory
// runs out.
bool ToObject(JS_Global_Object *global, const JS_Value &v, JS_Value *out);

double StringToNumber(const char *text, uint32_t length, bool strict);
double DigitsToNumber(const char *text, const char *end, int radix, const char **stop);
// The text of a number; null when memory runs out.
JS_String *NumberToString(double d);

int32_t ToInt32(double d);
uint32_t ToUint32(double d);
int StrictEquals(const JS_Value &a, const JS_Value &b);

// An array index is an integer 0..4294967295 given as a number, or as decimal
// digits without a leading zero (or "0") whose value fits in 32 bits.
bool IsArrayIndexText(const char *text, uint32_t length, uint32_t *index);
bool IsArrayIndexNumber(double d, uint32_t *index);

// Reads through a reference: 0 when the reference has no base (leaves out
// untouched).  PutValue returns the Put result: 0 success, 1 out of memory,
// 2 and 3 as the Put operations define, and 3 for a value that is no
// reference.
int GetValue(ES_Context *cx, const JS_Value &v, JS_Value *out);
int GetValueInPlace(ES_Context *cx, JS_Value *v);
int PutValue(ES_Context *cx, const JS_Value &ref, const JS_Value &v);

// "No such variable '%s'" with the reference's name, in a static buffer of
// 128 bytes.
const char *UndefinedVariableText(const JS_Value &ref);

#endif

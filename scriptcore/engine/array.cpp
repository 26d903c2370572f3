#include "memory.h"
#include "array.h"

#include <cmath>

#include "global.h"

JS_Array *JS_Array::Create(JS_Global_Object *global)
{
	return Create(global, global->Member(JS_Global_Object::ARRAY_PROTOTYPE));
}

JS_Array *JS_Array::Create(JS_Global_Object *global, JS_Object *prototype)
{
	JS_Array *a = JS_New<JS_Array>(global);
	if (!a)
		return nullptr;
	a->SetPrototype(prototype);
	if (!a->WriteLengthProperty(0)) {
		delete a;
		return nullptr;
	}
	return a;
}

bool JS_Array::WriteLengthProperty(uint32_t length)
{
	JS_Value v;
	v.SetNumber(length);
	if (NativePutName(js_names.length, v, JS_ARRAY_LENGTH_ATTRIBUTES) != 0)
		return false;
	length_ = length;
	return true;
}

bool JS_Array::SetLength(uint32_t length)
{
	JS_ReleaseHold hold;
	if (length < length_) {
		// Entries are in key order, so the ones to go are at the end.
		uint32_t keep = indices_.LowerBound(length);
		while (indices_.Count() > keep)
			indices_.RemoveAt(indices_.Count() - 1);
	}
	return WriteLengthProperty(length);
}

bool JS_Array::Append(const JS_Value &v)
{
	if (length_ == UINT32_MAX)
		return false;
	return PutIndex(length_, v, this, 0) == 0;
}

int JS_Array::PutIndex(uint32_t index, const JS_Value &v, JS_Object *receiver, uint32_t attributes)
{
	if (index == UINT32_MAX) {
		// One past the largest length: not an element, so the length stays
		// representable.
		JS_Name *name = JS_Name::Intern("4294967295");
		if (!name)
			return 1;
		return NativePutName(name, v, attributes);
	}
	(void)receiver;
	int r = NativePutIndex(index, v, attributes);
	if (r == 0 && index >= length_ && !WriteLengthProperty(index + 1)) {
		// Keep elements and length consistent: without room for the new
		// length the element goes again.
		NativeDeleteIndex(index);
		return 1;
	}
	return r;
}

int JS_Array::PutName(ES_Context *, JS_Name *name, const JS_Value &v, JS_Object *, uint32_t attributes)
{
	if (name != js_names.length)
		return NativePutName(name, v, attributes);
	if (v.IsObject())
		return 2;
	double d = ToNumber(v);
	if (!(d >= 0 && d <= 4294967295.0) || std::trunc(d) != d)
		return 3;
	return SetLength(uint32_t(d)) ? 0 : 1;
}

#include "memory.h"
#include "wrappers.h"

#include <new>

#include "global.h"

static const char *WrapperClass(const JS_Value &v)
{
	switch (v.tag) {
	case VALUE_BOOLEAN:
		return "Boolean";
	case VALUE_NUMBER:
		return "Number";
	default:
		return "String";
	}
}

JS_Primitive_Wrapper::JS_Primitive_Wrapper(JS_Global_Object *owner, const JS_Value &primitive)
	: JS_Native_Object(owner, WrapperClass(primitive)), primitive_(primitive)
{
}

JS_Object *MakeWrapper(JS_Global_Object *global, const JS_Value &primitive)
{
	int member;
	switch (primitive.tag) {
	case VALUE_BOOLEAN:
		member = JS_Global_Object::BOOLEAN_PROTOTYPE;
		break;
	case VALUE_NUMBER:
		member = JS_Global_Object::NUMBER_PROTOTYPE;
		break;
	case VALUE_STRING:
		member = JS_Global_Object::STRING_PROTOTYPE;
		break;
	default:
		return nullptr;
	}
	JS_Primitive_Wrapper *w = JS_New<JS_Primitive_Wrapper>(global, primitive);
	if (!w)
		return nullptr;
	w->SetPrototype(global->Member(member));
	if (primitive.tag == VALUE_STRING) {
		JS_Value length;
		length.SetNumber(primitive.u.string->length);
		if (w->NativePutName(js_names.length, length, PROP_DONT_ENUM | PROP_READ_ONLY | PROP_DONT_DELETE)) {
			delete w;
			return nullptr;
		}
	}
	return w;
}

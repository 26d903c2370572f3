// The Boolean, Number and String objects that wrap a primitive value.
#ifndef SCRIPTCORE_ENGINE_WRAPPERS_H
#define SCRIPTCORE_ENGINE_WRAPPERS_H

#include "object.h"

class JS_Primitive_Wrapper : public JS_Native_Object {
public:
	JS_Primitive_Wrapper(JS_Global_Object *owner, const JS_Value &primitive);
	const JS_Value *InternalValue() override { return &primitive_; }
	int IsBoolean() override { return primitive_.tag == VALUE_BOOLEAN; }
	int IsNumber() override { return primitive_.tag == VALUE_NUMBER; }
	int IsString() override { return primitive_.tag == VALUE_STRING; }

private:
	JS_Value primitive_;
};

// A new wrapper for a boolean, number or string (with the matching standard
// prototype, and for strings a "length" that cannot be changed, enumerated
// or deleted); null when memory runs out.
JS_Object *MakeWrapper(JS_Global_Object *global, const JS_Value &primitive);

#endif

// String.prototype: toString and valueOf.
#include "builtins.h"
#include "function.h"
#include "native_steps.h"

namespace {

// Both give the String object's own text.
int StringValue(ES_Context *cx, JS_Frame *, JS_Frame *self, int)
{
	JS_Object *o = cx->This();
	if (!o || !o->IsString())
		return Raise(cx, self, ERROR_TYPE, MSG_STRING_TOSTRING);
	return ReturnValue(cx, self, *o->InternalValue());
}

} // namespace

bool InstallStringPrototypeMethods(JS_Global_Object *global)
{
	static const JS_NativeFunctionDescriptor methods[] = {
		{"toString", StringValue, 0, -1, PROP_DONT_ENUM},
		{"valueOf", StringValue, 0, -1, PROP_DONT_ENUM},
	};
	return InstallNativeFunctions(
		static_cast<JS_Native_Object *>(global->Member(JS_Global_Object::STRING_PROTOTYPE)), methods,
		int(sizeof methods / sizeof methods[0]), global);
}

bool IsStringToString(JS_StepFunction step)
{
	return step == StringValue;
}

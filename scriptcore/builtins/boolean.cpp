// The Boolean constructor and Boolean.prototype.
#include "builtins.h"
#include "function.h"
#include "native_steps.h"
#include "wrappers.h"

namespace {

// ToBoolean never runs script code, so no conversion step is needed.
bool FirstArgumentTruth(const JS_Frame *args)
{
	return args->values.Count() && ToBoolean(args->values[0]);
}

int BooleanCall(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	return ReturnBoolean(cx, self, FirstArgumentTruth(args));
}

int BooleanConstruct(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	JS_Value v;
	v.SetBoolean(FirstArgumentTruth(args));
	return ReturnObject(cx, self, MakeWrapper(cx->global, v));
}

int BooleanToString(ES_Context *cx, JS_Frame *, JS_Frame *self, int)
{
	JS_Object *o = cx->This();
	if (!o || !o->IsBoolean())
		return Raise(cx, self, ERROR_TYPE, MSG_BOOLEAN_TOSTRING);
	return ReturnString(cx, self, JS_String::Make(o->InternalValue()->u.boolean ? "true" : "false"));
}

int BooleanValueOf(ES_Context *cx, JS_Frame *, JS_Frame *self, int)
{
	JS_Object *o = cx->This();
	if (!o || !o->IsBoolean())
		return Raise(cx, self, ERROR_TYPE, MSG_BOOLEAN_VALUEOF);
	return ReturnValue(cx, self, *o->InternalValue());
}

} // namespace

JS_Object *MakeBooleanConstructor(JS_Global_Object *global)
{
	return JS_Builtin_Constructor::Create(global, "Boolean", BooleanConstruct, BooleanCall, -1);
}

bool InstallBooleanPrototypeMethods(JS_Global_Object *global)
{
	static const JS_NativeFunctionDescriptor methods[] = {
		{"toString", BooleanToString, 0, -1, PROP_DONT_ENUM},
		{"valueOf", BooleanValueOf, 0, -1, PROP_DONT_ENUM},
	};
	return InstallNativeFunctions(
		static_cast<JS_Native_Object *>(global->Member(JS_Global_Object::BOOLEAN_PROTOTYPE)), methods,
		int(sizeof methods / sizeof methods[0]), global);
}

bool IsBooleanToString(JS_StepFunction step)
{
	return step == BooleanToString;
}

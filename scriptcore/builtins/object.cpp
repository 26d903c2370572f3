// The Object constructor and the methods of Object.prototype.
#include "memory.h"
#include "builtins.h"
#include "function.h"
#include "native_steps.h"
#include "wrappers.h"

namespace {

// new Object(v): a wrapper for a primitive, v itself for an object, a new
// plain object otherwise.
int MakeObject(ES_Context *cx, JS_Frame *args, JS_Frame *self, const char *trace)
{
	JS_Value v;
	if (args->values.Count())
		v = args->values[0];
	if (v.IsObject())
		return ReturnValue(cx, self, v);
	JS_Object *o;
	if (v.tag == VALUE_BOOLEAN || v.tag == VALUE_NUMBER || v.tag == VALUE_STRING) {
		o = MakeWrapper(cx->global, v);
	} else {
		o = JS_New<JS_Native_Object>(cx->global, "Object");
		if (o)
			o->SetPrototype(cx->global->ObjectPrototype());
	}
	if (!o)
		return RaiseWithText(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION, trace);
	return ReturnObject(cx, self, o);
}

int ObjectConstruct(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	return MakeObject(cx, args, self, "JS_Object_Constructor::Construct");
}

int ObjectCall(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	return MakeObject(cx, args, self, "JS_Object_Constructor::Call");
}

int ObjectToString(ES_Context *cx, JS_Frame *, JS_Frame *self, int)
{
	JS_Object *o = cx->This();
	JS_String *s = JS_String::Make("[object ");
	if (s && !(s->Append(o ? o->class_name : "Object") && s->Append("]"))) {
		JS_String::Free(s);
		s = nullptr;
	}
	return ReturnString(cx, self, s);
}

// this.toString(), as the standard asks, so that an element's own toString
// shows in an array's toLocaleString.
int ObjectToLocaleString(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	if (IsCallStep(self))
		return CallStep(cx, args, self);
	JS_Object *o = cx->This();
	if (self->step == 0) {
		self->values.Clear();
		JS_Value method;
		if (!o || !ToStringName())
			return RaiseNoMemory(cx, self);
		o->GetName(cx, ToStringName(), &method, o);
		if (!method.IsObject())
			return Raise(cx, self, ERROR_TYPE, MSG_CALL_NON_FUNCTION);
		return PushCallSubstep(cx, self, method.u.object, o, nullptr, 0, 1);
	}
	JS_Value result;
	int code = TakeCallResult(self, &result);
	if (code == COMPLETION_THROW)
		return code;
	return ReturnValue(cx, self, result);
}

int ObjectValueOf(ES_Context *cx, JS_Frame *, JS_Frame *self, int)
{
	return ReturnObject(cx, self, cx->This());
}

// The own property a key names: a number that is an array index names the
// indexed entry, anything else is read as text.
JS_Property *OwnPropertyForKey(JS_Object *o, JS_Value *key, bool *failed)
{
	uint32_t index;
	if (key->IsNumber() && IsArrayIndexNumber(key->u.number, &index))
		return o->FindIndexEntry(index);
	if (!ToStringInPlace(key)) {
		*failed = true;
		return nullptr;
	}
	return FindOwnPropertyByText(o, key->u.string->Text());
}

int OwnPropertyTest(ES_Context *cx, JS_Frame *args, JS_Frame *self, bool enumerable)
{
	int r = PrepareValues(cx, args, self, "p");
	if (r != 0)
		return r;
	JS_Object *o = cx->This();
	bool failed = false;
	JS_Property *p = o ? OwnPropertyForKey(o, &self->values[0], &failed) : nullptr;
	if (failed)
		return RaiseNoMemory(cx, self);
	return ReturnBoolean(cx, self, p && !(enumerable && (p->flags & PROP_DONT_ENUM)));
}

int ObjectHasOwnProperty(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	return OwnPropertyTest(cx, args, self, false);
}

int ObjectPropertyIsEnumerable(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	return OwnPropertyTest(cx, args, self, true);
}

int ObjectIsPrototypeOf(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	JS_Object *o = cx->This();
	bool found = false;
	if (args->values.Count() && args->values[0].IsObject())
		for (JS_Object *p = args->values[0].u.object->Prototype(); p && !found; p = p->Prototype())
			found = p == o;
	return ReturnBoolean(cx, self, found);
}

} // namespace

JS_Object *MakeObjectConstructor(JS_Global_Object *global)
{
	return JS_Builtin_Constructor::Create(global, "Object", ObjectConstruct, ObjectCall, -1);
}

bool InstallObjectPrototypeMethods(JS_Global_Object *global)
{
	static const JS_NativeFunctionDescriptor methods[] = {
		{"toString", ObjectToString, 0, -1, PROP_DONT_ENUM},
		{"toLocaleString", ObjectToLocaleString, 0, -1, PROP_DONT_ENUM},
		{"valueOf", ObjectValueOf, 0, -1, PROP_DONT_ENUM},
		{"hasOwnProperty", ObjectHasOwnProperty, 1, -1, PROP_DONT_ENUM},
		{"isPrototypeOf", ObjectIsPrototypeOf, 1, -1, PROP_DONT_ENUM},
		{"propertyIsEnumerable", ObjectPropertyIsEnumerable, 0, -1, PROP_DONT_ENUM},
	};
	return InstallNativeFunctions(static_cast<JS_Native_Object *>(global->ObjectPrototype()), methods,
		int(sizeof methods / sizeof methods[0]), global);
}

JS_Object *MakeLibraryConstructor(JS_Global_Object *global, int member, const char *name)
{
	switch (member) {
	case JS_Global_Object::OBJECT_CONSTRUCTOR:
		return MakeObjectConstructor(global);
	case JS_Global_Object::NUMBER_CONSTRUCTOR:
		return MakeNumberConstructor(global);
	case JS_Global_Object::BOOLEAN_CONSTRUCTOR:
		return MakeBooleanConstructor(global);
	case JS_Global_Object::ARRAY_CONSTRUCTOR:
		return MakeArrayConstructor(global);
	case JS_Global_Object::DATE_CONSTRUCTOR:
		return MakeDateConstructor(global);
	default:
		return JS_Builtin_Constructor::Create(global, name, nullptr, nullptr, 0);
	}
}

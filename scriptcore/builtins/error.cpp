// Error objects: the seven constructors, Error.prototype.toString and the
// text of an error object.
#include <cstring>

#include "builtins.h"
#include "errors.h"
#include "function.h"
#include "memory.h"

namespace {
JS_Name *MessageName()
{
	static JS_Name *name;
	if (!name && (name = JS_Name::Intern("message")))
		name->AddRef();   // held for the life of the process
	return name;
}

JS_Name *NameName()
{
	static JS_Name *name;
	if (!name && (name = JS_Name::Intern("name")))
		name->AddRef();
	return name;
}

// Error(message) and new Error(message) alike: the message is stored as
// given (a number stays a number), undefined when there is none.
int ErrorConstructorStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int kind)
{
	JS_Object *error = MakeErrorObject(cx->global, kind, nullptr);
	JS_Name *message = MessageName();
	if (!error || !message)
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	JS_Value result;
	result.SetObject(error);
	JS_Value text;
	if (args->values.Count())
		text = args->values[0];
	if (!self->values.Push(result) ||
	    static_cast<JS_Native_Object *>(error)->NativePutName(message, text, 0) != 0)
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	return COMPLETION_RETURN;
}

int ErrorToString(ES_Context *cx, JS_Frame *, JS_Frame *self, int)
{
	JS_Object *o = cx->This();
	if (!o || !IsErrorObject(o))
		return Raise(cx, self, ERROR_TYPE, MSG_ERROR_TOSTRING);
	JS_String *s = JS_String::Make("[");
	JS_Value v;
	if (!s)
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	v.SetString(s);
	PrimitiveErrorText(o, s);
	if (!s->Append("]") || !self->values.Push(v))
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	return COMPLETION_RETURN;
}
} // namespace

bool IsErrorObject(JS_Object *o)
{
	for (const char *kind : js_error_kind_names)
		if (std::strcmp(kind, o->class_name) == 0)
			return true;
	return false;
}

void PrimitiveErrorText(JS_Object *o, JS_String *out)
{
	if (!IsErrorObject(o)) {
		out->Append("INTERNAL ERROR: BAD ARGUMENT TO primitive_error_toString");
		return;
	}
	out->Append(o->class_name);
	out->Append(":\r\n");
	JS_Value v;
	if (NameName() && o->GetName(nullptr, NameName(), &v, o) && v.IsString()) {
		out->Append("name: ");
		out->Append(v.u.string);
		out->Append("\r\n");
	}
	if (MessageName() && o->GetName(nullptr, MessageName(), &v, o) && v.IsString()) {
		out->Append("message: ");
		out->Append(v.u.string);
		out->Append("\r\n");
	}
}

JS_Object *MakeErrorObject(JS_Global_Object *global, int kind, const char *message)
{
	if (kind < 0 || kind >= ERROR_KIND_COUNT)
		kind = ERROR_ERROR;
	JS_Native_Object *error = JS_New<JS_Native_Object>(global, "Error");
	if (!error)
		return nullptr;
	error->SetPrototype(global->ErrorPrototype(kind));
	if (message) {
		JS_String *text = JS_String::Make(message);
		JS_Name *name = MessageName();
		if (!text || !name) {
			if (text)
				JS_String::Free(text);
			delete error;
			return nullptr;
		}
		JS_Value v;
		v.SetString(text);
		if (error->NativePutName(name, v, 0) != 0) {
			delete error;
			return nullptr;
		}
	}
	return error;
}

JS_Object *MakeErrorConstructor(JS_Global_Object *global, int kind)
{
	// All seven carry the function name "Error"; the kind is their magic.
	return JS_Builtin_Constructor::Create(global, "Error", ErrorConstructorStep, ErrorConstructorStep, kind);
}

bool InstallErrorPrototypeMethods(JS_Global_Object *global)
{
	static const JS_NativeFunctionDescriptor methods[] = {
		{"toString", ErrorToString, 0, 0, PROP_DONT_ENUM},
	};
	return InstallNativeFunctions(static_cast<JS_Native_Object *>(global->ErrorPrototype(ERROR_ERROR)), methods, 1, global);
}

#include "memory.h"
#include "errors.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "builtins.h"
#include "global.h"
#include "print.h"

const char *const js_error_kind_names[ERROR_KIND_COUNT] = {
	"Error", "EvalError", "RangeError", "ReferenceError",
	"SyntaxError", "TypeError", "URIError", "GuruMeditation",
};

static const char *const messages[MSG_COUNT] = {
	nullptr,
	"Boolean.prototype.toString() requires a Boolean object",
	"Boolean.prototype.valueOf() requires a Boolean object",
	"Parse error in eval",
	"The Object does not implement [[Construct]]",
	"The Object does not implement [[Call]]",
	"RegExp.prototype.exec() requires a RegExp object",
	"RegExp.prototype.exec() was called with the wrong number of arguments",
	"RegExp.prototype.test() requires a RegExp object",
	"RegExp.prototype.test() was called with the wrong number of arguments",
	"RegExp.prototype.toString() requires a RegExp object",
	"RegExp() was called with the wrong number of arguments",
	"new RegExp() was called with the wrong number of arguments",
	"new RegExp() cannot be called on both a RegExp and a defined set of flags",
	"String.prototype.toString() requires a String object",
	"String.prototype.match() was called with the wrong number of arguments",
	"String.prototype.replace() was called with the wrong number of arguments",
	"String.prototype.search() was called with the wrong number of arguments",
	"Array.prototype.toLocaleString: array element's toLocaleString method did not return a string or a String",
	"Array.prototype.toLocaleString: array element does not implement toLocaleString",
	"Value on left hand side of '.' is not convertible to Object",
	"Value on left hand side of [...] is not convertible to Object",
	"Value to be enumerated by 'for...in' is not convertible to Object",
	"Value to be opened by 'with' is not convertible to Object",
	"Object cannot be converted to primitive value",
	"Expression does not denote a location",
	"Reference to undefined variable",
	"Reference to undefined variable or property in assignment",
	"Length given to Array constructor is out of range.",
	"Second argument to 'instanceof' is not an Object",
	"Second argument to 'instanceof' does not implement [[HasInstance]]",
	"Second argument to 'in' is not an Object",
	"Operand to 'new' is not an Object",
	"Infinite loop detected",
	"Attempted to set Array.length to non-integer or negative value",
	"Date.[[toString]] requires a Date object",
	"Date.[[valueOf]] requires a Date object",
	"Date.[[get]] requires a Date object",
	"Date.[[set]] requires a Date object",
	"Function.prototype.toString() was called on an object that was not a Function",
	"Function.prototype.apply() failed to convert its first argument to Object",
	"Function.prototype.apply() was called with a second argument of the wrong type",
	"Function.prototype.call() failed to convert its first argument to Object",
	"Parse error in function parameter list",
	"Parse error in function body",
	"Number.prototype.toString() requires a Number object",
	"Number.prototype.valueOf() requires a Number object",
	"Attempted to call non-function",
	"Implementation error",
	"Error.prototype.toString() was called on an object that was not an Error",
	"Array.prototype.join: array element's toString method did not return a string or a String",
	"Array.prototype.join: array element does not implement toString",
};

const char *MessageText(int message)
{
	if (message <= 0 || message >= MSG_COUNT)
		return "Implementation error";
	return messages[message];
}

// The thrown value is a new error object.  Should memory run out, it
// degrades to the bare text, and at worst to undefined, so that the throw
// itself still happens.
int RaiseWithReport(ES_Context *cx, JS_Frame *frame, int kind, const char *report)
{
	JS_Value thrown;
	JS_Object *error = cx && cx->global ? MakeErrorObject(cx->global, kind, report) : nullptr;
	if (error) {
		thrown.SetObject(error);
	} else if (JS_String *text = JS_String::Make(report)) {
		thrown.SetString(text);
	}
	frame->values.Push(thrown);
	return COMPLETION_THROW;
}

int Raise(ES_Context *cx, JS_Frame *frame, int kind, int message)
{
	return RaiseWithReport(cx, frame, kind, MessageText(message));
}

int RaiseWithText(ES_Context *cx, JS_Frame *frame, int kind, int message, const char *text)
{
	char buffer[1024];
	std::snprintf(buffer, sizeof buffer, "%s: %s", MessageText(message), text ? text : "");
	return RaiseWithReport(cx, frame, kind, buffer);
}

int RaiseWithSource(ES_Context *cx, JS_Frame *frame, int kind, int message, const AST_Node *node)
{
	JS_String *text = JS_String::Make("");
	if (!text || !PrintExpression(node, text)) {
		if (text)
			JS_String::Free(text);
		return Raise(cx, frame, kind, message);
	}
	int result = RaiseWithText(cx, frame, kind, message, text->Text());
	JS_String::Free(text);
	return result;
}

void UnhandledExceptionText(const JS_Value &v, char *buffer, size_t size)
{
	switch (v.tag) {
	case VALUE_UNDEFINED:
		std::snprintf(buffer, size, "Unhandled exception: undefined");
		break;
	case VALUE_NULL:
		std::snprintf(buffer, size, "Unhandled exception: null");
		break;
	case VALUE_BOOLEAN:
		std::snprintf(buffer, size, "Unhandled exception: %s", v.u.boolean ? "true" : "false");
		break;
	case VALUE_NUMBER:
		std::snprintf(buffer, size, "Unhandled exception: %g", v.u.number);
		break;
	case VALUE_STRING:
		std::snprintf(buffer, size, "Unhandled exception: \"%s\"", v.u.string->Text());
		break;
	case VALUE_OBJECT:
		if (IsErrorObject(v.u.object)) {
			JS_String *text = JS_String::Make("");
			if (text) {
				PrimitiveErrorText(v.u.object, text);
				std::snprintf(buffer, size, "%s", text->Text());
				JS_String::Free(text);
			} else {
				std::snprintf(buffer, size, "Unhandled exception: [Object %s]", v.u.object->class_name);
			}
		} else
			std::snprintf(buffer, size, "Unhandled exception: [Object %s]", v.u.object->class_name);
		break;
	case VALUE_NAME_REFERENCE:
	case VALUE_INDEX_REFERENCE:
		std::snprintf(buffer, size, "Internal error in unhandled-exception handler: reference");
		break;
	default:
		std::snprintf(buffer, size, "Internal error in unhandled-exception handler: bogus value");
		break;
	}
}

// The Function constructor and the methods of Function.prototype:
// toString, apply and call.
#include <cstdlib>
#include <iterator>

#include "builtins.h"
#include "errors.h"
#include "function.h"
#include "memory.h"
#include "script_function.h"

namespace {

int Failed(ES_Context *cx, JS_Frame *self)
{
	return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
}

// The parameter texts of the Function constructor, each read into names:
// letters, digits (not first), "$" and "_" make names; blanks are skipped
// anywhere; commas separate.  Returns the offset of the segment where an
// error starts, or -1 when the text is good.
class ParameterList {
public:
	~ParameterList() { std::free(texts_); }
	const char *const *Texts() const { return texts_; }
	int Count() const { return count_; }

	// -2 when memory runs out.
	long Parse(const JS_String *text)
	{
		const char *p = text->Text();
		uint32_t n = text->length;
		JS_String *name = JS_String::Make("");
		if (!name)
			return -2;
		uint32_t segment = 0;
		long result = -1;
		for (uint32_t i = 0; i <= n && result == -1; ++i) {
			char c = i < n ? p[i] : '\0';
			if (i == n || c == ',') {
				// An empty name is an error before a comma, and at the end
				// only when the segment itself is empty.
				bool empty_segment = i == segment;
				if ((c == ',' && name->length == 0) || (i == n && empty_segment))
					result = long(segment);
				else if (!Add(name))
					result = -2;
				name->length = 0;
				segment = i + 1;
			} else if (c == ' ' || c == '\t') {
				continue;
			} else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '$' || c == '_' ||
				   (c >= '0' && c <= '9' && i != segment)) {
				if (!name->AppendByte(c))
					result = -2;
			} else {
				result = long(segment);
			}
		}
		JS_String::Free(name);
		return result;
	}

private:
	bool Add(const JS_String *name)
	{
		JS_Name *interned = JS_Name::Intern(name->Text(), name->length);
		if (!interned)
			return false;
		if (count_ == capacity_) {
			int grown = capacity_ ? capacity_ * 2 : 4;
			void *p = JS_Realloc(texts_, size_t(grown) * sizeof *texts_);
			if (!p)
				return false;
			texts_ = static_cast<const char **>(p);
			capacity_ = grown;
		}
		// Interned names live while counted or, never counted, for the
		// life of the process; the compiled function counts its own.
		texts_[count_++] = interned->text;
		return true;
	}

	const char **texts_ = nullptr;
	int count_ = 0;
	int capacity_ = 0;
};

// new Function(p1, ..., body) and Function(...): every argument becomes a
// string in order (objects through a conversion step), then the last is
// the body and the others the parameter texts.
int FunctionConstructorStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	uint32_t argc = args->values.Count();
	uint32_t i = 0;
	if (self->step > 0) {
		// Back from converting argument step - 1 (its copy is the value
		// under the newest one).
		if (self->child_code == COMPLETION_THROW)
			return COMPLETION_THROW;
		i = uint32_t(self->step);
		JS_String *text = ToString(self->values.Top());
		if (!text)
			return Failed(cx, self);
		self->values.Pop();
		self->values.Top().SetString(text);
	}
	for (; i < argc; ++i) {
		const JS_Value &v = args->values[i];
		if (v.IsObject()) {
			if (!self->values.Push(v) || !cx->PushConversion(FRAME_TO_PRIMITIVE_STRING, i))
				return Failed(cx, self);
			return int(i) + 1;
		}
		JS_String *text = ToString(v);
		JS_Value s;
		if (!text)
			return Failed(cx, self);
		s.SetString(text);
		if (!self->values.Push(s))
			return Failed(cx, self);
	}
	if (argc == 0) {
		JS_String *empty = JS_String::Make("");
		JS_Value s;
		if (!empty)
			return Failed(cx, self);
		s.SetString(empty);
		if (!self->values.Push(s))
			return Failed(cx, self);
	}

	ParameterList parameters;
	uint32_t count = self->values.Count();
	for (uint32_t k = 0; k + 1 < count; ++k) {
		const JS_String *text = self->values[k].u.string;
		long at = parameters.Parse(text);
		if (at == -2)
			return Failed(cx, self);
		if (at >= 0) {
			JS_String *detail = JS_String::Make(text->Text() + at, text->length - uint32_t(at));
			if (!detail)
				return Failed(cx, self);
			int r = RaiseWithText(cx, self, ERROR_SYNTAX, MSG_PARAMETER_LIST, detail->Text());
			JS_String::Free(detail);
			return r;
		}
	}
	const JS_String *body = self->values[count - 1].u.string;
	JS_Script_Function *f = FunctionFromText(cx->global, parameters.Texts(), parameters.Count(),
		body->Text(), body->length, nullptr, 0, nullptr);
	if (!f)
		return RaiseWithText(cx, self, ERROR_SYNTAX, MSG_FUNCTION_BODY, body->Text());
	JS_Value result;
	result.SetObject(f);
	self->values.Clear();
	if (!self->values.Push(result))
		return Failed(cx, self);
	return COMPLETION_RETURN;
}

int ToStringStep(ES_Context *cx, JS_Frame *, JS_Frame *self, int)
{
	JS_Object *f = cx->This();
	if (!f || !f->IsFunction())
		return Raise(cx, self, ERROR_TYPE, MSG_FUNCTION_TOSTRING);
	JS_String *text = JS_String::Make("");
	if (!text)
		return Failed(cx, self);
	JS_Value v;
	v.SetString(text);
	if (!f->SourceText(text) || !self->values.Push(v))
		return Failed(cx, self);
	return COMPLETION_RETURN;
}

// Pushes the this-value of apply and call: the global object for an
// absent, undefined or null first argument, else that argument as an
// object (which cannot fail: undefined and null are handled here).
bool PushThisArgument(ES_Context *cx, JS_Frame *args)
{
	JS_Object *o = cx->global;
	JS_Value object;
	if (args->values.Count() > 0 && !args->values[0].IsUndefined() && !args->values[0].IsNull()) {
		if (!ToObject(cx->global, args->values[0], &object))
			return false;
		o = object.u.object;
	}
	return cx->PushThis(o);
}

// Pushes the call of the function that is this (as it was on entry) and
// returns the step at which the caller pops the this-value it pushed.
int CallThisFunction(ES_Context *cx, JS_Frame *self, JS_Object *f)
{
	if (!cx->PushCall(f)) {
		cx->PopThis();
		return Failed(cx, self);
	}
	return 1;
}

// Arguments beyond this are taken to need more memory than a call should
// claim; apply raises RangeError for them.
constexpr uint32_t kMaxApplyArguments = 1u << 22;

int ApplyStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	if (self->step > 0) {
		cx->PopThis();
		return self->child_code;
	}
	JS_Object *f = cx->This();
	if (!f || !PushThisArgument(cx, args))
		return Failed(cx, self);
	if (args->values.Count() >= 2 && !args->values[1].IsUndefined() && !args->values[1].IsNull()) {
		const JS_Value &list = args->values[1];
		if (!list.IsObject()) {
			cx->PopThis();
			return Raise(cx, self, ERROR_TYPE, MSG_APPLY_ARGS);
		}
		JS_Object *o = list.u.object;
		JS_Value length;
		o->GetName(cx, js_names.length, &length, o);
		uint32_t count = ToUint32(ToNumber(length));
		if (count > kMaxApplyArguments || !self->values.Reserve(count)) {
			cx->PopThis();
			return RaiseWithReport(cx, self, ERROR_RANGE,
				"Function.prototype.apply() was called with too many arguments");
		}
		for (uint32_t k = 0; k < count; ++k) {
			// Elements of an arguments object stand for the parameters
			// they alias: the values are passed, not the references.
			JS_Value element, value;
			if (o->GetIndex(k, &element, o) && element.IsReference()) {
				if (!GetValue(cx, element, &value))
					value.SetUndefined();
			} else {
				value = element;
			}
			if (!self->values.Push(value)) {
				cx->PopThis();
				return Failed(cx, self);
			}
		}
	}
	return CallThisFunction(cx, self, f);
}

int CallStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	if (self->step > 0) {
		cx->PopThis();
		return self->child_code;
	}
	JS_Object *f = cx->This();
	if (!f || !PushThisArgument(cx, args))
		return Failed(cx, self);
	for (uint32_t k = 1; k < args->values.Count(); ++k) {
		if (!self->values.Push(args->values[k])) {
			cx->PopThis();
			return Failed(cx, self);
		}
	}
	return CallThisFunction(cx, self, f);
}

} // namespace

JS_Object *MakeFunctionConstructor(JS_Global_Object *global)
{
	return JS_Builtin_Constructor::Create(global, "Function", FunctionConstructorStep, FunctionConstructorStep, 0);
}

bool InstallFunctionPrototypeMethods(JS_Global_Object *global)
{
	static const JS_NativeFunctionDescriptor methods[] = {
		{"toString", ToStringStep, 0, -1, PROP_DONT_ENUM},
		{"apply", ApplyStep, 2, -1, PROP_DONT_ENUM},
		{"call", CallStep, 1, -1, PROP_DONT_ENUM},
	};
	auto *prototype = static_cast<JS_Native_Object *>(global->FunctionPrototype());
	return InstallNativeFunctions(prototype, methods, int(std::size(methods)), global);
}

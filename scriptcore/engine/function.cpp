#include "memory.h"
#include "function.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "context.h"
#include "errors.h"
#include "global.h"

JS_Function::JS_Function(JS_Global_Object *owner, JS_Name *name)
	: JS_Native_Object(owner, "Function"), name_(name)
{
	if (name_)
		name_->AddRef();
}

JS_Function::~JS_Function()
{
	if (name_)
		name_->Release();
}

int FunctionHasInstance(JS_Object *function, const JS_Value &v)
{
	if (!v.IsObject())
		return 1;
	JS_Value p;
	function->GetName(nullptr, js_names.prototype, &p, function);
	if (!p.IsObject())
		return 2;
	for (JS_Object *o = v.u.object->Prototype(); o; o = o->Prototype())
		if (o == p.u.object)
			return 0;
	return 1;
}

int JS_Function::HasInstance(const JS_Value &v)
{
	return FunctionHasInstance(this, v);
}

static bool NativeForm(JS_String *out, JS_Name *name)
{
	return out->Append("function ") && out->Append(name ? name->text : "") &&
	       out->Append("() { [native code] }");
}

bool JS_Function::SourceText(JS_String *out)
{
	return NativeForm(out, name_);
}

// ---------------------------------------------------------------------------

static bool PutLength(JS_Object *f, int length)
{
	JS_Value v;
	v.SetNumber(length);
	return static_cast<JS_Native_Object *>(f)->NativePutName(js_names.length, v,
		       PROP_DONT_ENUM | PROP_READ_ONLY | PROP_DONT_DELETE) == 0;
}

JS_Native_Function *JS_Native_Function::Create(JS_Global_Object *global, JS_Object *prototype,
	JS_StepFunction step, JS_Name *name, int length, int magic)
{
	JS_Native_Function *f = JS_New<JS_Native_Function>(global, name, step, magic);
	if (!f)
		return nullptr;
	f->SetPrototype(prototype);
	if (!PutLength(f, length)) {
		delete f;
		return nullptr;
	}
	return f;
}

int JS_Native_Function::Call(ES_Context *cx, JS_Frame *args, JS_Frame *self)
{
	return step_(cx, args, self, magic_);
}

JS_Builtin_Constructor *JS_Builtin_Constructor::Create(JS_Global_Object *global, const char *name,
	JS_StepFunction construct, JS_StepFunction call, int magic)
{
	JS_Name *n = JS_Name::Intern(name);
	if (!n)
		return nullptr;
	JS_Builtin_Constructor *f = JS_New<JS_Builtin_Constructor>(global, n, construct, call, magic);
	if (!f)
		return nullptr;
	f->SetPrototype(global->FunctionPrototype());
	return f;
}

int JS_Builtin_Constructor::Construct(ES_Context *cx, JS_Frame *args, JS_Frame *self)
{
	if (!construct_)
		return JS_Object::Construct(cx, args, self);
	return construct_(cx, args, self, magic_);
}

int JS_Builtin_Constructor::Call(ES_Context *cx, JS_Frame *args, JS_Frame *self)
{
	if (!call_)
		return JS_Object::Call(cx, args, self);
	return call_(cx, args, self, magic_);
}

int JS_Function_Prototype::Call(ES_Context *, JS_Frame *, JS_Frame *self)
{
	self->values.PushUndefined();
	return COMPLETION_RETURN;
}

bool JS_Function_Prototype::SourceText(JS_String *out)
{
	return out->Append("function ") && out->Append(name_ ? name_->text : "") && out->Append("() ");
}

// ---------------------------------------------------------------------------
// Host functions

JS_Foreign_Function::JS_Foreign_Function(JS_Global_Object *owner, const char *class_text,
	ES_HostObject host, bool keep, JS_Name *name, const char *conversion)
	: JS_Foreign_Object(owner, class_text, host, keep), name_(name), conversion_(conversion),
	  last_letter_(conversion && *conversion ? int32_t(std::strlen(conversion)) - 1 : -1)
{
	if (name_)
		name_->AddRef();
}

JS_Foreign_Function::~JS_Foreign_Function()
{
	if (name_)
		name_->Release();
}

int JS_Foreign_Function::HasInstance(const JS_Value &v)
{
	return FunctionHasInstance(this, v);
}

bool JS_Foreign_Function::SourceText(JS_String *out)
{
	return out->Append("function ") && out->Append(name_ ? name_->text : "") &&
	       out->Append("() {\n    [native code]\n}\n");
}

int JS_Foreign_Function::Call(ES_Context *cx, JS_Frame *args, JS_Frame *self)
{
	return CallHost(cx, args, self, false);
}

int JS_Foreign_Function::Construct(ES_Context *cx, JS_Frame *args, JS_Frame *self)
{
	return CallHost(cx, args, self, true);
}

int JS_Foreign_Function::CallHost(ES_Context *cx, JS_Frame *args, JS_Frame *self, bool construct)
{
	if (!host_ || !js_host_ops)
		return COMPLETION_NORMAL;
	const JS_ValueVector *source = &args->values;
	if (last_letter_ >= 0) {
		int r = ConvertArguments(cx, args->values, self, conversion_, last_letter_);
		if (r != 0)
			return r;
		source = &self->values;
	}
	auto entry = construct ? js_host_ops->construct : js_host_ops->call;
	if (!entry)
		return COMPLETION_NORMAL;
	// The host gets exactly the arguments given, however many there are.
	uint32_t given = source->Count();
	if (given > uint32_t(INT32_MAX) / sizeof(ES_Value))
		return Raise(cx, self, ERROR_RANGE, MSG_IMPLEMENTATION);
	int argc = int(given);
	ES_Value fixed[8];
	ES_Value *argv = argc <= 8 ? fixed : static_cast<ES_Value *>(JS_Malloc(size_t(argc) * sizeof(ES_Value)));
	if (!argv)
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	for (int i = 0; i < argc; ++i) {
		argv[i] = ES_Value{};
		argv[i].type = ES_VALUE_UNDEFINED;
		ValueToHost((*source)[uint32_t(i)], &argv[i]);
	}
	ES_Value result{};
	result.type = ES_VALUE_UNDEFINED;
	int flags = entry(host_, cx->This(), cx->cookie, argv, argc, &result);
	if (argv != fixed)
		std::free(argv);
	if (flags & ES_CALL_SUSPEND)
		cx->budget = 0;
	if (flags & ES_CALL_HAS_RESULT) {
		JS_Value v;
		if (!ValueFromHost(result, &v) || !self->values.Push(v))
			return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
		return COMPLETION_RETURN;
	}
	return COMPLETION_NORMAL;
}

// ---------------------------------------------------------------------------

// Value i of the conversion order: the second value first, the first last.
static uint32_t ConversionSource(uint32_t k, uint32_t n)
{
	return k + 1 < n ? k + 1 : 0;
}

static bool ConvertByLetter(char letter, const JS_Value &v, JS_Value *out)
{
	switch (letter) {
	case 'b':
		out->SetBoolean(ToBoolean(v));
		return true;
	case 'n':
		out->SetNumber(ToNumber(v));
		return true;
	case 's': {
		JS_String *s = ToString(v);
		if (!s)
			return false;
		out->SetString(s);
		return true;
	}
	default:
		*out = v;
		return true;
	}
}

static bool Store(JS_Frame *self, uint32_t i, const JS_Value &v)
{
	if (i == 0) {
		self->values[0] = v;
		return true;
	}
	return self->values.Push(v);
}

int ConvertArguments(ES_Context *cx, const JS_ValueVector &source, JS_Frame *self, const char *text,
	int last)
{
	uint32_t n = source.Count();
	if (n == 0)
		return 0;
	// Steps 1..n name the value whose conversion sub-step is running.
	if (n >= uint32_t(INT32_MAX))
		return Raise(cx, self, ERROR_RANGE, MSG_IMPLEMENTATION);
	uint32_t k = 0;
	if (self->step == 0) {
		self->values.Clear();
		if (!self->values.PushUndefined())
			return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	} else {
		if (self->child_code == COMPLETION_THROW)
			return COMPLETION_THROW;
		k = uint32_t(self->step) - 1;
		uint32_t i = ConversionSource(k, n);
		JS_Value primitive = self->values.Top();
		self->values.Pop();
		JS_Value converted;
		char letter = text[i < uint32_t(last) ? i : uint32_t(last)];
		if (!ConvertByLetter(letter, primitive, &converted) || !Store(self, i, converted))
			return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
		++k;
	}
	for (; k < n; ++k) {
		uint32_t i = ConversionSource(k, n);
		char letter = text[i < uint32_t(last) ? i : uint32_t(last)];
		const JS_Value &v = source[i];
		if ((letter == 'n' || letter == 's') && v.IsObject()) {
			self->values[0] = v;
			int kind = letter == 'n' ? FRAME_TO_PRIMITIVE_NUMBER : FRAME_TO_PRIMITIVE_STRING;
			if (!cx->PushConversion(kind, 0))
				return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
			return int(k + 1);
		}
		JS_Value converted;
		if (!ConvertByLetter(letter, v, &converted) || !Store(self, i, converted))
			return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	}
	return 0;
}

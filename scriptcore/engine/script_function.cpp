#include "script_function.h"

#include "code.h"
#include "frontend.h"
#include "global.h"
#include "memory.h"
#include "print.h"

JS_Script_Function *JS_Script_Function::Create(JS_Global_Object *global, JS_Object *function_prototype,
	JS_Object *const *scope, uint32_t scope_count, FunctionCode *code, JS_Name *name)
{
	JS_Script_Function *f = JS_New<JS_Script_Function>(global, name);
	if (!f)
		return nullptr;
	JS_Value holder;
	holder.SetObject(f);   // frees the function on any failure below
	f->SetPrototype(function_prototype);
	if (scope_count) {
		f->scope_ = static_cast<JS_Object **>(JS_Malloc(scope_count * sizeof(JS_Object *)));
		if (!f->scope_)
			return nullptr;
		for (uint32_t i = 0; i < scope_count; ++i) {
			scope[i]->AddRef();
			f->scope_[i] = scope[i];
		}
		f->scope_count_ = scope_count;
	}
	if (code) {
		RetainCode(code);
		f->code_ = code;
		f->formal_count_ = uint32_t(code->parameters.count);
	}

	JS_Value length;
	length.SetNumber(f->formal_count_);
	JS_Native_Object *prototype = JS_New<JS_Native_Object>(global, "Object");
	if (!prototype)
		return nullptr;
	JS_Value prototype_value;
	prototype_value.SetObject(prototype);
	prototype->SetPrototype(global->ObjectPrototype());
	JS_Name *constructor = JS_Name::Intern("constructor");
	if (!constructor ||
	    f->NativePutName(js_names.length, length, PROP_DONT_ENUM | PROP_READ_ONLY | PROP_DONT_DELETE) ||
	    f->NativePutName(js_names.prototype, prototype_value, PROP_DONT_ENUM | PROP_DONT_DELETE) ||
	    prototype->NativePutName(constructor, holder, PROP_DONT_ENUM)) {
		f->Clear();   // breaks the function <-> prototype cycle before holder lets go
		return nullptr;
	}
	// holder lets go; the prototype's "constructor" keeps the function
	// alive until the global object is cleared, as every script function.
	return f;
}

JS_Script_Function::~JS_Script_Function()
{
	JS_ReleaseHold hold;
	for (uint32_t i = 0; i < scope_count_; ++i)
		scope_[i]->Release();
	std::free(scope_);
	if (code_)
		ReleaseCode(code_);
}

bool JS_Script_Function::SourceText(JS_String *out)
{
	return PrintFunction(name_, code_, out);
}

JS_Script_Function *FunctionFromText(JS_Global_Object *global, const char *const *parameters,
	int parameter_count, const char *text, uint32_t length, JS_Object *const *scope, int scope_count,
	ES_SyntaxErrorRecord *record)
{
	if (scope_count < 0 || (scope_count > 0 && !scope))
		return nullptr;
	for (int i = 0; i < scope_count; ++i)
		if (!scope[i])
			return nullptr;
	FunctionCode *code = CompileFunctionBody(text ? text : "", text ? length : 0, parameters, parameter_count,
		record);
	if (!code)
		return nullptr;

	// The global object first, then the given objects; the last is innermost.
	JS_Object *fixed[8];
	JS_Object **chain = scope_count + 1 <= 8 ? fixed
						 : static_cast<JS_Object **>(JS_Malloc((size_t(scope_count) + 1) * sizeof(JS_Object *)));
	JS_Script_Function *f = nullptr;
	JS_Name *anonymous = JS_Name::Intern("anonymous");
	if (chain && anonymous) {
		chain[0] = global;
		for (int i = 0; i < scope_count; ++i)
			chain[i + 1] = scope[i];
		JS_Value function_prototype;
		if (JS_Object *ctor = global->Member(JS_Global_Object::FUNCTION_CONSTRUCTOR))
			ctor->GetName(nullptr, js_names.prototype, &function_prototype, ctor);
		f = JS_Script_Function::Create(global,
			function_prototype.IsObject() ? function_prototype.u.object : nullptr, chain,
			uint32_t(scope_count) + 1, code, anonymous);
	}
	if (chain && chain != fixed)
		std::free(chain);
	ReleaseCode(code);   // the function holds its own count
	return f;
}

#include "script_function.h"

#include "array.h"
#include "code.h"
#include "frontend.h"
#include "global.h"
#include "memory.h"
#include "print.h"
#include "errors.h"

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

// Step 0 of a call: the arguments object and the activation, a new scope
// chain ending in the activation, the declarations, the parameters, and
// the body pushed.
int JS_Script_Function::Enter(ES_Context *cx, JS_Frame *args, JS_Frame *self)
{
	if (!code_ || !code_->body)
		return COMPLETION_NORMAL;
	JS_Global_Object *global = cx->global;
	JS_Array *arguments = JS_Array::Create(global);
	if (!arguments)
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	JS_Value arguments_value;
	arguments_value.SetObject(arguments);
	JS_Activation *activation = JS_New<JS_Activation>(global);
	if (!activation)
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	JS_Value activation_value;
	activation_value.SetObject(activation);
	activation->SetPrototype(global->ObjectPrototype());

	if (!cx->PushScopeChain())
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	for (uint32_t i = 0; i < scope_count_; ++i)
		if (!cx->PushScopeObject(scope_[i]))
			goto failed;
	if (!cx->PushScopeObject(activation))
		goto failed;

	{
		JS_Value self_value;
		self_value.SetObject(this);
		if (activation->NativePutName(js_names.arguments, arguments_value, PROP_DONT_DELETE) ||
		    (cx->version <= 3 && NativePutName(js_names.arguments, arguments_value, PROP_DONT_DELETE)) ||
		    arguments->NativePutName(js_names.callee, self_value, PROP_DONT_ENUM))
			goto failed;
	}

	// Nested functions, over the new chain; one that cannot be made ends
	// the instantiation of the rest, and the call goes on.
	for (int i = 0; i < code_->functions.count; ++i) {
		FunctionCode *nested = code_->functions.items[i];
		JS_ScopeChain *chain = cx->Scope();
		JS_Script_Function *f = JS_Script_Function::Create(global, global->FunctionPrototype(),
			chain->Objects(), chain->Count(), nested, nested->name);
		if (!f)
			break;
		JS_Value v;
		v.SetObject(f);
		if (activation->NativePutName(nested->name, v, 0))
			break;
	}
	for (int i = 0; i < code_->vars.count; ++i) {
		JS_Name *name = code_->vars.items[i];
		if (!activation->FindNameEntry(name) && activation->NativePutName(name, JS_Value(), PROP_DONT_DELETE))
			goto failed;
	}

	{
		// A parameter with an argument is aliased by the argument's element,
		// which holds a reference to the variable; further arguments are
		// plain elements.
		uint32_t n = args->values.Count();
		for (uint32_t j = 0; j < formal_count_; ++j) {
			JS_Name *name = code_->parameters.items[j];
			if (j < n) {
				JS_Value alias;
				alias.SetNameReference(activation, name);
				if (activation->NativePutName(name, args->values[j], 0) || !arguments->Append(alias))
					goto failed;
			} else if (activation->NativePutName(name, JS_Value(), 0)) {
				goto failed;
			}
		}
		for (uint32_t i = formal_count_; i < n; ++i)
			if (!arguments->Append(args->values[i]))
				goto failed;
	}
	if (!cx->PushStatement(code_->body))
		goto failed;
	return 1;

failed:
	cx->PopScopeChain();
	return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
}

// The end of a call: "arguments" let go, the chain popped, and the body's
// completion passed on.  A break or continue cannot leave a function: one
// that got this far is dropped with its label.
int JS_Script_Function::Leave(ES_Context *cx, JS_Frame *self)
{
	if (cx->version <= 3)
		NativePutName(js_names.arguments, JS_Value(), 0);
	if (JS_ScopeChain *chain = cx->Scope())
		if (JS_Object *activation = chain->Innermost())
			activation->PutName(cx, js_names.arguments, JS_Value(), activation, 0);
	cx->PopScopeChain();
	int code = self->child_code;
	if (code >= COMPLETION_BREAK_VALUE && code <= COMPLETION_CONTINUE) {
		if (cx->pending_label) {
			cx->pending_label->Release();
			cx->pending_label = nullptr;
		}
		return COMPLETION_NORMAL;
	}
	return code;
}

int JS_Script_Function::Call(ES_Context *cx, JS_Frame *args, JS_Frame *self)
{
	return self->step == 0 ? Enter(cx, args, self) : Leave(cx, self);
}

// new F: a new object whose prototype is F.prototype (or Object.prototype
// when that is no object) runs the body as this; the body's result stands
// only when it returns an object.
int JS_Script_Function::Construct(ES_Context *cx, JS_Frame *args, JS_Frame *self)
{
	int code;
	if (self->step == 0) {
		JS_Value proto;
		GetName(nullptr, js_names.prototype, &proto, this);
		JS_Native_Object *o = JS_New<JS_Native_Object>(cx->global, "Object");
		if (!o)
			return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
		JS_Value holder;
		holder.SetObject(o);
		o->SetPrototype(proto.IsObject() ? proto.u.object : cx->global->ObjectPrototype());
		if (!cx->PushThis(o))
			return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
		code = Enter(cx, args, self);
		if (code >= 0)
			return code;
		// No body: as if an empty body had run to its end.
	} else {
		code = Leave(cx, self);
	}
	JS_Object *o = cx->This();
	int result = COMPLETION_RETURN;
	if (code == COMPLETION_THROW) {
		result = COMPLETION_THROW;
	} else if (code != COMPLETION_RETURN || !self->values.Top().IsObject()) {
		JS_Value v;
		v.SetObject(o);
		if (!self->values.Push(v))
			result = Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	}
	cx->PopThis();
	return result;
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

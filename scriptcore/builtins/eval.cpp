// eval(text): the text compiled as a program and run over the caller's
// scope chain, with the caller's this.
#include "builtins.h"
#include "code.h"
#include "errors.h"
#include "frontend.h"
#include "function.h"
#include "script_function.h"

namespace {

int Failed(ES_Context *cx, JS_Frame *self)
{
	return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
}

// Declares the eval code's functions and variables on the variable object,
// the innermost object of the current chain.
bool Declare(ES_Context *cx, FunctionCode *code)
{
	JS_ScopeChain *chain = cx->Scope();
	JS_Object *variables = chain ? chain->Innermost() : nullptr;
	if (!variables)
		return false;
	for (int i = 0; i < code->functions.count; ++i) {
		FunctionCode *nested = code->functions.items[i];
		JS_Script_Function *f = JS_Script_Function::Create(cx->global, cx->global->FunctionPrototype(),
			chain->Objects(), chain->Count(), nested, nested->name);
		if (!f)
			return false;
		JS_Value v;
		v.SetObject(f);
		if (variables->PutName(cx, nested->name, v, variables, 0) == 1)
			return false;
	}
	for (int i = 0; i < code->vars.count; ++i) {
		JS_Name *name = code->vars.items[i];
		if (!variables->FindNameEntry(name) &&
		    variables->PutName(cx, name, JS_Value(), variables, 0) == 1)
			return false;
	}
	return true;
}

} // namespace

int GlobalEvalStep(ES_Context *cx, JS_Frame *args, JS_Frame *self, int)
{
	if (self->step > 0) {
		// The body has run: its this-value and its code go.
		cx->PopThis();
		cx->PopOwnedCode();
		switch (self->child_code) {
		case COMPLETION_THROW:
			return COMPLETION_THROW;
		case COMPLETION_VALUE:
		case COMPLETION_RETURN:
			return COMPLETION_RETURN;
		default:
			return self->values.PushUndefined() ? COMPLETION_RETURN : Failed(cx, self);
		}
	}
	if (args->values.Count() == 0)
		return COMPLETION_NORMAL;
	const JS_Value &argument = args->values[0];
	if (!argument.IsString())
		return self->values.Push(argument) ? COMPLETION_RETURN : Failed(cx, self);

	ES_SyntaxErrorRecord record;
	record.buffer[0] = '\0';
	record.context = "in call to eval";
	record.size = sizeof record.buffer;
	const JS_String *text = argument.u.string;
	FunctionCode *code = CompileEvalText(text->Text(), text->length, &record);
	if (!code) {
		if (!record.buffer[0])
			return Failed(cx, self);   // out of memory, not a syntax error
		return RaiseWithReport(cx, self, ERROR_SYNTAX, record.buffer);
	}
	// The context owns the code while its body runs.
	bool owned = cx->PushOwnedCode(code);
	ReleaseCode(code);
	if (!owned)
		return Failed(cx, self);
	if (!Declare(cx, code)) {
		cx->PopOwnedCode();
		return Failed(cx, self);
	}
	// The caller's this is the entry under the one its call pushed.
	JS_Object *caller_this = cx->this_count >= 2 ? cx->this_stack[cx->this_count - 2] : cx->global;
	if (!cx->PushThis(caller_this)) {
		cx->PopOwnedCode();
		return Failed(cx, self);
	}
	if (!code->body || !cx->PushStatement(code->body)) {
		cx->PopThis();
		cx->PopOwnedCode();
		if (!code->body)
			return self->values.PushUndefined() ? COMPLETION_RETURN : Failed(cx, self);
		return Failed(cx, self);
	}
	return 1;
}

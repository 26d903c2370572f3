// Calls, new, function expressions, and the literals that build objects.
#include <cstdio>
#include <utility>

#include "array.h"
#include "errors.h"
#include "evaluate.h"
#include "global.h"
#include "machine.h"
#include "memory.h"
#include "object.h"
#include "script_function.h"

namespace evaluation {

namespace {

// The step at which a call or new node resumes after its call frame.  The
// machine hands it every completion, a throw included, so the node can pop
// the this-value it pushed before the exception travels on.
constexpr int kAfterCall = 3;

// A script function over the context's current scope chain.
JS_Script_Function *FunctionOverScope(ES_Context *cx, FunctionCode *code, JS_Name *name)
{
	JS_ScopeChain *chain = cx->Scope();
	if (!chain)
		return nullptr;
	return JS_Script_Function::Create(cx->global, cx->global->FunctionPrototype(), chain->Objects(),
		chain->Count(), code, name);
}

// The detail of TypeError 47 for a callee that is no object.
const char *NonFunctionDetail(const JS_Value &callee, const JS_Value &value, char *buffer, size_t size)
{
	if (callee.tag != VALUE_NAME_REFERENCE || !callee.key.name)
		return "non-Object";
	const JS_Name *name = callee.key.name;
	std::snprintf(buffer, size, "%s value: '%.*s'", value.IsUndefined() ? "has undefined" : "has non-object",
		int(name->length < 900 ? name->length : 900), name->text);
	return buffer;
}

} // namespace

bool SeesEveryCompletion(const JS_Frame *f)
{
	const AST_Node *n = NodeOf(f);
	return (n->kind == NODE_CALL || n->kind == NODE_NEW) && f->step == kAfterCall;
}

// f(a, b) and new F(a, b).  The callee is evaluated first and each argument
// in turn is read and moved in front of it, so that once all are done the
// vector holds exactly the arguments followed by the callee; a call frame
// pushed then sees the arguments as its argument frame.
int CallExpression(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	bool construct = n->kind == NODE_NEW;
	const AST_Node *argument;
	switch (self->step) {
	case 0:
		return PushExpression(cx, self, n->child[0], 1);
	case 1:
		argument = n->child[1];
		break;
	case 2: {
		uint32_t last = self->values.Count() - 1;
		if (int r = Read(cx, self, last))
			return r;
		std::swap(self->values[last], self->values[last - 1]);
		argument = static_cast<const AST_Node *>(self->cursor);
		break;
	}
	default: {
		cx->PopThis();
		int code = self->child_code;
		if (code == COMPLETION_THROW)
			return code;
		if (construct) {
			if (code == COMPLETION_RETURN && self->values.Top().IsObject())
				return COMPLETION_VALUE;
			return RaiseWithText(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION,
				code == COMPLETION_RETURN ? "AST_New::Evaluate#1" : "AST_New::Evaluate#2");
		}
		if (code == COMPLETION_RETURN)
			return COMPLETION_VALUE;
		return self->values.PushUndefined() ? COMPLETION_VALUE : Fail(cx, self);
	}
	}
	if (argument) {
		self->cursor = argument->next;
		return PushExpression(cx, self, argument, 2);
	}

	// All arguments are in place; the callee is the newest value.
	uint32_t last = self->values.Count() - 1;
	JS_Value callee = self->values[last];
	if (int r = Read(cx, self, last))
		return r;
	const JS_Value &value = self->values[last];
	if (!value.IsObject()) {
		if (construct)
			return RaiseWithSource(cx, self, ERROR_TYPE, MSG_NEW_NOT_OBJECT, n->child[0]);
		char detail[1024];
		return RaiseWithText(cx, self, ERROR_TYPE, MSG_CALL_NON_FUNCTION,
			NonFunctionDetail(callee, value, detail, sizeof detail));
	}
	// The base of a reference is the this-value, except an activation: a
	// function called through a local variable sees the global object.
	JS_Object *this_object = cx->global;
	if (callee.IsReference() && callee.u.object && !callee.u.object->IsActivation())
		this_object = callee.u.object;
	if (!cx->PushThis(this_object))
		return Fail(cx, self);
	// The call frame takes its count on the function before the vector
	// lets go of it: a host object made on access may have no other owner.
	JS_Object *function = value.u.object;
	if (!(construct ? cx->PushConstruct(function) : cx->PushCall(function))) {
		cx->PopThis();
		return Fail(cx, self);
	}
	self->values.Pop();
	return kAfterCall;
}

// A function expression over the current scope chain.  A named one sees
// itself through a scope object of its own, which nothing outside sees.
int FunctionExpression(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	JS_Native_Object *named = nullptr;
	JS_Value holder;
	if (n->name) {
		named = JS_New<JS_Native_Object>(cx->global, "Object");
		if (!named)
			return Fail(cx, self);
		holder.SetObject(named);
		named->SetPrototype(cx->global->ObjectPrototype());
		if (!cx->PushScopeObject(named))
			return Fail(cx, self);
	}
	JS_Script_Function *f = FunctionOverScope(cx, n->code, n->name);
	if (named)
		cx->PopScopeObject();
	if (!f)
		return Fail(cx, self);
	JS_Value function;
	function.SetObject(f);
	if (named && named->NativePutName(n->name, function, PROP_READ_ONLY | PROP_DONT_DELETE) != 0)
		return Fail(cx, self);
	return Complete(cx, self, function);
}

// [a, , b]: the elements are evaluated and read left to right (a hole is
// undefined), then stored in a new array.
int ArrayLiteral(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	const AST_Node *element;
	if (self->step == 0) {
		element = n->child[0];
	} else {
		if (int r = Read(cx, self, self->values.Count() - 1))
			return r;
		element = static_cast<const AST_Node *>(self->cursor);
	}
	for (; element; element = element->next) {
		if (element->kind != NODE_HOLE) {
			self->cursor = element->next;
			return PushExpression(cx, self, element, 1);
		}
		if (!self->values.PushUndefined())
			return Fail(cx, self);
	}
	JS_Array *array = JS_Array::Create(cx->global);
	if (!array)
		return Fail(cx, self);
	JS_Value result;
	result.SetObject(array);
	for (uint32_t i = 0; i < self->values.Count(); ++i)
		if (!array->Append(self->values[i]))
			return Fail(cx, self);
	self->values.Clear();
	return Complete(cx, self, result);
}

// {name: value, ...}: an object made by the Object constructor, then each
// value read and stored in order.  A name that is an array index is stored
// as an element, so o[1] and o["1"] find it as they find any element.
int ObjectLiteral(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	const AST_Node *property;
	switch (self->step) {
	case 0: {
		JS_Object *constructor = cx->global->Member(JS_Global_Object::OBJECT_CONSTRUCTOR);
		if (!constructor || !cx->PushConstruct(constructor))
			return Fail(cx, self);
		return 1;
	}
	case 1:
		if (self->values.Count() != 1 || !self->values[0].IsObject())
			return Fail(cx, self);
		property = n->child[0];
		break;
	default: {
		if (int r = Read(cx, self, 1))
			return r;
		property = static_cast<const AST_Node *>(self->cursor);
		JS_Object *object = self->values[0].u.object;
		JS_Name *name = property->name;
		uint32_t index;
		int status = IsArrayIndexText(name->text, name->length, &index)
				     ? object->PutIndex(index, self->values[1], object, 0)
				     : object->PutName(cx, name, self->values[1], object, 0);
		if (status == 1)
			return Fail(cx, self);
		self->values.Pop();
		property = property->next;
		break;
	}
	}
	if (!property)
		return COMPLETION_VALUE;   // the object is the only value
	self->cursor = property;
	return PushExpression(cx, self, property->child[0], 2);
}

} // namespace evaluation

// Statement and expression nodes evaluated as steps on their own frames.
// A step pushes a child frame and returns the step to resume at, or
// completes the frame with a completion code; the child's value arrives as
// the newest value of the frame's vector and its code in child_code.
#include <utility>

#include "evaluate.h"

#include "errors.h"
#include "machine.h"
#include "object.h"

namespace evaluation {

int Fail(ES_Context *cx, JS_Frame *self)
{
	return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
}

int PushExpression(ES_Context *cx, JS_Frame *self, const AST_Node *n, int resume)
{
	return cx->PushExpression(n) ? resume : Fail(cx, self);
}

int PushStatement(ES_Context *cx, JS_Frame *self, const AST_Node *n, int resume)
{
	return cx->PushStatement(n) ? resume : Fail(cx, self);
}

int Read(ES_Context *cx, JS_Frame *self, uint32_t slot, bool as_location)
{
	JS_Value &v = self->values[slot];
	if (!v.IsReference())
		return 0;
	JS_Value result;
	if (!GetValue(cx, v, &result)) {
		const char *detail = UndefinedVariableText(v);
		return as_location ? RaiseWithText(cx, self, ERROR_TYPE, MSG_NOT_LOCATION, detail)
				   : RaiseWithText(cx, self, ERROR_REFERENCE, MSG_UNDEFINED_VARIABLE, detail);
	}
	self->values[slot] = std::move(result);
	return 0;
}

int ReadCopy(ES_Context *cx, JS_Frame *self, uint32_t slot, bool as_location)
{
	JS_Value copy = self->values[slot];
	if (!self->values.Push(copy))
		return Fail(cx, self);
	return Read(cx, self, self->values.Count() - 1, as_location);
}

int ToPrimitives(ES_Context *cx, JS_Frame *self, uint32_t first, uint32_t count, int kind, int base)
{
	uint32_t i = 0;
	if (self->step > base) {
		// Back from the conversion of slot first + step - base - 1.
		i = uint32_t(self->step - base);
		JS_Value converted = self->values.Top();
		self->values.Pop();
		self->values[first + i - 1] = std::move(converted);
	}
	for (; i < count; ++i) {
		if (self->values[first + i].IsObject()) {
			if (!cx->PushConversion(kind, first + i))
				return Fail(cx, self);
			return base + int(i) + 1;
		}
	}
	return -1;
}

int Complete(ES_Context *cx, JS_Frame *self, const JS_Value &v)
{
	if (!self->values.Push(v))
		return Fail(cx, self);
	return COMPLETION_VALUE;
}

int CompleteNumber(ES_Context *cx, JS_Frame *self, double d)
{
	JS_Value v;
	v.SetNumber(d);
	return Complete(cx, self, v);
}

int CompleteBoolean(ES_Context *cx, JS_Frame *self, bool b)
{
	JS_Value v;
	v.SetBoolean(b);
	return Complete(cx, self, v);
}

int Store(ES_Context *cx, JS_Frame *self, uint32_t target, uint32_t value, const AST_Node *target_node)
{
	int r = PutValue(cx, self->values[target], self->values[value]);
	if (r == 3)
		return RaiseWithSource(cx, self, ERROR_REFERENCE, MSG_UNDEFINED_IN_ASSIGNMENT, target_node);
	if (r == 1)
		return Fail(cx, self);
	return 0;
}

} // namespace evaluation

using namespace evaluation;

int EvaluateStatementStep(ES_Context *cx, JS_Frame *, JS_Frame *self)
{
	const AST_Node *n = NodeOf(self);
	switch (n->kind) {
	case NODE_BLOCK:
	case NODE_CASE:
		return Block(cx, self, n);
	case NODE_EMPTY:
		return COMPLETION_NORMAL;
	case NODE_VAR:
		return Var(cx, self, n);
	case NODE_IF:
		return If(cx, self, n);
	case NODE_WHILE:
		return While(cx, self, n);
	case NODE_FOR:
		return For(cx, self, n);
	case NODE_BREAK:
	case NODE_CONTINUE:
		return Jump(cx, self, n);
	case NODE_RETURN:
		return Return(cx, self, n);
	case NODE_THROW:
		return Throw(cx, self, n);
	case NODE_LABELLED:
		return Labelled(cx, self, n);
	case NODE_FOR_IN:
		return ForIn(cx, self, n);
	case NODE_WITH:
		return With(cx, self, n);
	case NODE_SWITCH:
		return Switch(cx, self, n);
	case NODE_TRY:
		return Try(cx, self, n);
	default:
		return ExpressionStatement(cx, self, n);
	}
}

int EvaluateExpressionStep(ES_Context *cx, JS_Frame *, JS_Frame *self)
{
	const AST_Node *n = NodeOf(self);
	switch (n->kind) {
	case NODE_LITERAL:
		return Literal(cx, self, n);
	case NODE_IDENTIFIER:
		return Identifier(cx, self, n);
	case NODE_THIS:
		return This(cx, self);
	case NODE_DOT:
	case NODE_INDEX:
		return Member(cx, self, n);
	case NODE_ASSIGN:
		return Assign(cx, self, n);
	case NODE_ADD:
		return Add(cx, self, n);
	case NODE_ARITHMETIC:
	case NODE_BITWISE:
		return Binary(cx, self, n);
	case NODE_RELATIONAL:
		if (n->op == 4)
			return InstanceOf(cx, self, n);
		if (n->op == 5)
			return In(cx, self, n);
		return Binary(cx, self, n);
	case NODE_CALL:
	case NODE_NEW:
		return CallExpression(cx, self, n);
	case NODE_FUNCTION:
		return FunctionExpression(cx, self, n);
	case NODE_ARRAY_LITERAL:
		return ArrayLiteral(cx, self, n);
	case NODE_OBJECT_LITERAL:
		return ObjectLiteral(cx, self, n);
	case NODE_COMPOUND_ASSIGN:
		return CompoundAssign(cx, self, n);
	case NODE_EQUALITY:
		return Equality(cx, self, n);
	case NODE_LOGICAL:
		return Logical(cx, self, n);
	case NODE_CONDITIONAL:
		return Conditional(cx, self, n);
	case NODE_COMMA:
		return Comma(cx, self, n);
	case NODE_PLUS_MINUS:
	case NODE_BITWISE_NOT:
		return UnaryNumber(cx, self, n);
	case NODE_LOGICAL_NOT:
	case NODE_VOID:
	case NODE_DELETE:
	case NODE_TYPEOF:
		return Unary(cx, self, n);
	case NODE_INCDEC:
		return IncDec(cx, self, n);
	case NODE_VAR_DECL:
		return VarDeclaration(cx, self, n);
	case NODE_DECL_LIST:
		return DeclarationList(cx, self, n);
	default:
		return Fail(cx, self);
	}
}

// Internal to the evaluator: the helpers every node step shares, and the
// node steps that expression.cpp, statement.cpp and call.cpp define.
#ifndef SCRIPTCORE_ENGINE_EVALUATE_H
#define SCRIPTCORE_ENGINE_EVALUATE_H

#include "ast.h"
#include "context.h"

namespace evaluation {

inline const AST_Node *NodeOf(const JS_Frame *f)
{
	return static_cast<const AST_Node *>(f->target.node);
}

// Raises Error "Implementation error" (what a step does when memory runs
// out under it).
int Fail(ES_Context *cx, JS_Frame *self);
int PushExpression(ES_Context *cx, JS_Frame *self, const AST_Node *n, int resume);
int PushStatement(ES_Context *cx, JS_Frame *self, const AST_Node *n, int resume);

// Reads the value in a slot through its reference.  An unresolved name
// raises ReferenceError 26, or TypeError 25 where the operand is read as a
// location.  0 when read, else the completion to return.
int Read(ES_Context *cx, JS_Frame *self, uint32_t slot, bool as_location = false);
// Appends a copy of a slot and reads the copy: the reference stays behind.
int ReadCopy(ES_Context *cx, JS_Frame *self, uint32_t slot, bool as_location);
// Brings `count` slots from `first` to primitives, each object through a
// conversion step of `kind`.  Steps base .. base + count belong to it; -1
// when every slot is a primitive.
int ToPrimitives(ES_Context *cx, JS_Frame *self, uint32_t first, uint32_t count, int kind, int base);
// Stores slot `value` into the reference in slot `target`; a target that
// is no reference raises ReferenceError 27 naming the target expression.
int Store(ES_Context *cx, JS_Frame *self, uint32_t target, uint32_t value, const AST_Node *target_node);

int Complete(ES_Context *cx, JS_Frame *self, const JS_Value &v);
int CompleteNumber(ES_Context *cx, JS_Frame *self, double d);
int CompleteBoolean(ES_Context *cx, JS_Frame *self, bool b);

// Expressions (expression.cpp).
int Literal(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int Identifier(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int This(ES_Context *cx, JS_Frame *self);
int Member(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int Assign(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int Add(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int Binary(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int InstanceOf(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int In(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int CompoundAssign(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int Equality(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int Logical(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int Conditional(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int Comma(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int UnaryNumber(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int Unary(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int IncDec(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int VarDeclaration(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int DeclarationList(ES_Context *cx, JS_Frame *self, const AST_Node *n);

// Calls, new, function expressions and literals that build objects
// (call.cpp).
int CallExpression(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int FunctionExpression(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int ArrayLiteral(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int ObjectLiteral(ES_Context *cx, JS_Frame *self, const AST_Node *n);

// Statements (statement.cpp).
int Block(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int ExpressionStatement(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int Var(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int If(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int While(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int For(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int ForIn(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int Jump(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int Return(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int Throw(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int Labelled(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int With(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int Switch(ES_Context *cx, JS_Frame *self, const AST_Node *n);
int Try(ES_Context *cx, JS_Frame *self, const AST_Node *n);

} // namespace evaluation

#endif

#include "errors.h"
#include "machine.h"

// Syntax trees are not evaluated yet: nothing compiles them.  A frame of
// these kinds can only come from a future front end, and fails cleanly.
int EvaluateStatementStep(ES_Context *cx, JS_Frame *, JS_Frame *self)
{
	return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
}

int EvaluateExpressionStep(ES_Context *cx, JS_Frame *, JS_Frame *self)
{
	return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
}

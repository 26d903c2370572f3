// The main loop: runs the top frame of a context one step at a time.
#ifndef SCRIPTCORE_ENGINE_MACHINE_H
#define SCRIPTCORE_ENGINE_MACHINE_H

#include "context.h"

// Runs at most steps + 1 steps.  Returns 0 when the budget ran out (or a
// host function asked for suspension), the bottom frame's completion code
// when the run ended, or MACHINE_STOPPED after the frame-limit report.
constexpr int MACHINE_STOPPED = -100;
int RunContext(ES_Context *cx, int steps);

// The conversion steps, run as frames on the stack.
int ToPrimitiveStep(ES_Context *cx, JS_Frame *lower, JS_Frame *self, int hint);
int ToStringStep(ES_Context *cx, JS_Frame *lower, JS_Frame *self);

// Statement and expression nodes evaluate themselves (syntax trees).
int EvaluateStatementStep(ES_Context *cx, JS_Frame *lower, JS_Frame *self);
int EvaluateExpressionStep(ES_Context *cx, JS_Frame *lower, JS_Frame *self);
// Whether an expression frame must see an abrupt completion of its child
// (a call node back from its call frame) instead of passing it on at once.
namespace evaluation {
bool SeesEveryCompletion(const JS_Frame *f);
}

#endif

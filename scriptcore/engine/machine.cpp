#include "machine.h"

#include "errors.h"
#include "foreign.h"
#include "global.h"
#include "object.h"

static const char stack_overflow_text[] =
	"ECMAScript interpreter stack overflow (limit 10000 expressions).\r\nScript terminated.";

// Runs once the call on top of it has completed: its value (read through
// any reference) or undefined.  After a want-string conversion the text the
// conversion left is the value.
static int CallResultStep(ES_Context *cx, JS_Frame *self)
{
	switch (self->child_code) {
	case COMPLETION_THROW:
		return COMPLETION_THROW;
	case COMPLETION_RETURN:
	case COMPLETION_VALUE:
		if (self->values.Count()) {
			JS_Value v;
			if (!GetValue(cx, self->values.Top(), &v))
				v.SetUndefined();
			self->values.Top() = v;
			return COMPLETION_VALUE;
		}
		break;
	default:
		break;
	}
	self->values.PushUndefined();
	return COMPLETION_VALUE;
}

static int RunStep(ES_Context *cx, uint32_t d)
{
	JS_Frame *self = cx->FrameAt(d);
	JS_Frame *lower = d > 0 ? cx->FrameAt(d - 1) : nullptr;
	switch (self->kind) {
	case FRAME_STATEMENT:
		return EvaluateStatementStep(cx, lower, self);
	case FRAME_EXPRESSION:
		if (self->child_code < COMPLETION_RETURN && !evaluation::SeesEveryCompletion(self))
			return self->child_code;
		return EvaluateExpressionStep(cx, lower, self);
	case FRAME_TO_STRING:
		if (!lower)
			return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
		return ToStringStep(cx, lower, self);
	case FRAME_TO_PRIMITIVE_NUMBER:
	case FRAME_TO_PRIMITIVE:
	case FRAME_TO_PRIMITIVE_STRING: {
		static const int hints[] = {HINT_NUMBER, HINT_NONE, HINT_STRING};
		if (!lower)
			return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
		return ToPrimitiveStep(cx, lower, self, hints[self->kind - FRAME_TO_PRIMITIVE_NUMBER]);
	}
	case FRAME_CALL:
	case FRAME_CONSTRUCT: {
		// A call pushed as the bottom frame (no call-result frame) has no
		// argument frame; it gets an empty one.
		JS_Frame none;
		JS_Frame *args = lower ? lower : &none;
		JS_Object *f = self->target.object;
		return self->kind == FRAME_CALL ? f->Call(cx, args, self) : f->Construct(cx, args, self);
	}
	case FRAME_CALL_RESULT:
		return CallResultStep(cx, self);
	default:
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	}
}

static bool CarriesValue(int code)
{
	return code != COMPLETION_NORMAL && code != COMPLETION_CONTINUE && code != COMPLETION_BREAK;
}

int RunContext(ES_Context *cx, int steps)
{
	cx->budget = steps;
	if (steps < 0)
		return 0;
	if (cx->FrameCount() == 0)
		return COMPLETION_NORMAL;
	int result;
	for (;;) {
		uint32_t d = cx->FrameCount() - 1;
		int r = RunStep(cx, d);
		JS_Frame *f = cx->FrameAt(d);
		if (r >= 0) {
			f->step = r;
		} else {
			if (d >= JS_FRAME_LIMIT) {
				if (js_error_report)
					js_error_report(stack_overflow_text, cx->cookie);
				return MACHINE_STOPPED;
			}
			if (d == 0) {
				result = r;
				break;
			}
			JS_Frame *below = cx->FrameAt(d - 1);
			if (d == 1 && cx->converting_result) {
				// The want-string conversion of a finished run: its text (or
				// what it threw) is the run's result.  The bottom frame has
				// completed and must not run again.
				cx->converting_result = false;
				JS_Value v = f->values.Count() ? f->values.Top() : JS_Value();
				cx->PopFrame();
				if (r != COMPLETION_THROW && below->values.Count())
					below->values.Top() = v;
				else if (!below->values.Push(v))
					Raise(cx, below, ERROR_ERROR, MSG_IMPLEMENTATION);
				result = r == COMPLETION_THROW ? r : COMPLETION_VALUE;
				break;
			}
			if (CarriesValue(r)) {
				bool pushed = f->values.Count() ? below->values.Push(f->values.Top())
								: below->values.PushUndefined();
				if (!pushed)
					r = Raise(cx, below, ERROR_ERROR, MSG_IMPLEMENTATION);
			}
			cx->PopFrame();
			below->child_code = r;
		}
		if (--cx->budget < 0)
			return 0;
	}
	if (result == COMPLETION_THROW) {
		char report[1024];
		JS_Frame *bottom = cx->FrameAt(0);
		JS_Value thrown;
		if (bottom->values.Count())
			thrown = bottom->values.Top();
		UnhandledExceptionText(thrown, report, sizeof report);
		if (js_error_report)
			js_error_report(report, cx->cookie);
	}
	return result;
}

// ---------------------------------------------------------------------------
// Conversion steps

namespace {
JS_Name *ToStringName()
{
	static JS_Name *name;
	if (!name && (name = JS_Name::Intern("toString")))
		name->AddRef();
	return name;
}

JS_Name *ValueOfName()
{
	static JS_Name *name;
	if (!name && (name = JS_Name::Intern("valueOf")))
		name->AddRef();
	return name;
}

// Reads the method and, when it is an object, pushes the call with the
// target as this; false when it is not an object.
int CallMethod(ES_Context *cx, JS_Frame *self, JS_Object *target, JS_Name *method, int resume)
{
	JS_Value m;
	if (!method || !target->GetName(cx, method, &m, target) || !m.IsObject())
		return -1;
	if (!cx->PushThis(target))
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	if (!cx->PushCall(m.u.object)) {
		cx->PopThis();
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	}
	return resume;
}
} // namespace

int ToPrimitiveStep(ES_Context *cx, JS_Frame *lower, JS_Frame *self, int hint)
{
	uint32_t index = self->target.index;
	if (index >= lower->values.Count())
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	JS_Value target = lower->values[index];
	if (!target.IsObject()) {
		self->values.Push(target);
		return COMPLETION_VALUE;
	}
	JS_Object *o = target.u.object;
	bool string_first = hint == HINT_STRING || (hint == HINT_NONE && o->IsDate());
	JS_Name *first = string_first ? ToStringName() : ValueOfName();
	JS_Name *second = string_first ? ValueOfName() : ToStringName();

	switch (self->step) {
	case 0: {
		int r = CallMethod(cx, self, o, first, 1);
		if (r != -1)
			return r;
		r = CallMethod(cx, self, o, second, 2);
		return r != -1 ? r : Raise(cx, self, ERROR_TYPE, MSG_NO_PRIMITIVE);
	}
	case 1:
		cx->PopThis();
		if (self->child_code == COMPLETION_THROW)
			return COMPLETION_THROW;
		if (self->child_code == COMPLETION_NORMAL || self->values.Count() == 0) {
			self->values.PushUndefined();
			return COMPLETION_VALUE;
		}
		if (!self->values.Top().IsObject())
			return COMPLETION_VALUE;
		self->values.Pop();
		{
			int r = CallMethod(cx, self, o, second, 2);
			return r != -1 ? r : Raise(cx, self, ERROR_TYPE, MSG_NO_PRIMITIVE);
		}
	default:
		cx->PopThis();
		if (self->child_code == COMPLETION_THROW)
			return COMPLETION_THROW;
		if (self->child_code == COMPLETION_NORMAL || self->values.Count() == 0) {
			self->values.PushUndefined();
			return COMPLETION_VALUE;
		}
		if (self->values.Top().IsObject())
			return Raise(cx, self, ERROR_TYPE, MSG_NO_PRIMITIVE);
		return COMPLETION_VALUE;
	}
}

int ToStringStep(ES_Context *cx, JS_Frame *lower, JS_Frame *self)
{
	if (self->step == 0) {
		uint32_t index = self->target.index;
		if (index >= lower->values.Count())
			return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
		JS_Value target = lower->values[index];
		if (target.IsReference())
			return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
		if (target.IsObject()) {
			if (!self->values.Push(target) || !cx->PushConversion(FRAME_TO_PRIMITIVE_STRING, 0))
				return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
			return 1;
		}
		JS_String *s = ToString(target);
		JS_Value v;
		if (!s)
			return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
		v.SetString(s);
		self->values.Push(v);
		return COMPLETION_VALUE;
	}
	if (self->child_code != COMPLETION_VALUE)
		return self->child_code;
	if (!ToStringInPlace(&self->values.Top()))
		return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
	return COMPLETION_VALUE;
}

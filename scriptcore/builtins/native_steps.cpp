#include "native_steps.h"

#include <cmath>
#include <cstring>
#include <utility>

int RaiseNoMemory(ES_Context *cx, JS_Frame *self)
{
	return Raise(cx, self, ERROR_ERROR, MSG_IMPLEMENTATION);
}

int ReturnValue(ES_Context *cx, JS_Frame *self, const JS_Value &v)
{
	if (!self->values.Push(v))
		return RaiseNoMemory(cx, self);
	return COMPLETION_RETURN;
}

int ReturnNumber(ES_Context *cx, JS_Frame *self, double d)
{
	JS_Value v;
	v.SetNumber(d);
	return ReturnValue(cx, self, v);
}

int ReturnBoolean(ES_Context *cx, JS_Frame *self, bool b)
{
	JS_Value v;
	v.SetBoolean(b);
	return ReturnValue(cx, self, v);
}

int ReturnString(ES_Context *cx, JS_Frame *self, JS_String *s)
{
	if (!s)
		return RaiseNoMemory(cx, self);
	JS_Value v;
	v.SetString(s);
	return ReturnValue(cx, self, v);
}

int ReturnObject(ES_Context *cx, JS_Frame *self, JS_Object *o)
{
	if (!o)
		return RaiseNoMemory(cx, self);
	JS_Value v;
	v.SetObject(o);
	return ReturnValue(cx, self, v);
}

bool TooDeep(ES_Context *cx)
{
	return cx->FrameCount() > JS_FRAME_LIMIT;
}

int RaiseTooDeep(ES_Context *cx, JS_Frame *self)
{
	return Raise(cx, self, ERROR_RANGE, MSG_IMPLEMENTATION);
}

// ---------------------------------------------------------------------------

// Stores the primitive a conversion gave into slot `slot` as the plan letter
// asks; false when memory runs out.
static bool Settle(JS_Value *slot, char letter)
{
	if (letter == 's')
		return ToStringInPlace(slot);
	if (letter == 'L' || letter == 'n')
		return ToNumberInPlace(slot);
	return true;
}

// The plan's letter for slot k, and how many slots it asks for.  In a plan
// ending in '*' the letter before the star covers every remaining argument,
// none included.
static char PlanLetter(const char *plan, size_t length, uint32_t k)
{
	bool star = length >= 2 && plan[length - 1] == '*';
	size_t fixed = star ? length - 2 : length;
	if (k < fixed)
		return plan[k];
	return star ? plan[length - 2] : 'v';
}

static uint32_t PlanSlots(const char *plan, size_t length, uint32_t argc)
{
	bool star = length >= 2 && plan[length - 1] == '*';
	size_t fixed = star ? length - 2 : length;
	uint32_t slots = uint32_t(fixed), consumed = 0;
	for (size_t i = 0; i < fixed; ++i)
		if (plan[i] != 'L')
			++consumed;
	if (star && argc > consumed)
		slots += argc - consumed;
	return slots;
}

int PrepareValues(ES_Context *cx, JS_Frame *args, JS_Frame *self, const char *plan)
{
	size_t length = std::strlen(plan);
	uint32_t total = PlanSlots(plan, length, args->values.Count());
	if (self->step == 0) {
		self->values.Clear();
	} else {
		// A conversion of the newest slot has completed.
		if (self->child_code == COMPLETION_THROW)
			return COMPLETION_THROW;
		JS_Value converted = self->values.Top();
		self->values.Pop();
		uint32_t slot = self->values.Count() - 1;
		self->values[slot] = converted;
		if (!Settle(&self->values[slot], PlanLetter(plan, length, slot)))
			return RaiseNoMemory(cx, self);
	}
	uint32_t arg = 0;
	for (uint32_t k = 0; k < self->values.Count(); ++k)
		if (PlanLetter(plan, length, k) != 'L')
			++arg;
	while (self->values.Count() < total) {
		uint32_t slot = self->values.Count();
		char letter = PlanLetter(plan, length, slot);
		JS_Value v;
		if (letter == 'L') {
			JS_Object *o = cx->This();
			if (o)
				o->GetName(cx, js_names.length, &v, o);
		} else {
			if (arg < args->values.Count())
				v = args->values[arg];
			++arg;
		}
		if (!self->values.Push(v))
			return RaiseNoMemory(cx, self);
		if (v.IsObject() && letter != 'v') {
			int kind = letter == 's'   ? FRAME_TO_STRING
				   : letter == 'p' ? FRAME_TO_PRIMITIVE_STRING
						   : FRAME_TO_PRIMITIVE_NUMBER;
			if (TooDeep(cx))
				return RaiseTooDeep(cx, self);
			if (!cx->PushConversion(kind, slot))
				return RaiseNoMemory(cx, self);
			return 1;
		}
		if (!Settle(&self->values[slot], letter))
			return RaiseNoMemory(cx, self);
	}
	return 0;
}

// ---------------------------------------------------------------------------
// Calls as sub-steps

int PushCallSubstep(ES_Context *cx, JS_Frame *self, JS_Object *fn, JS_Object *this_object,
	const JS_Value *argv, uint32_t argc, int resume)
{
	if (TooDeep(cx))
		return RaiseTooDeep(cx, self);
	uint32_t before = self->values.Count();
	JS_Value f, t, n;
	f.SetObject(fn);
	t.SetObject(this_object);
	n.SetNumber(argc);
	bool ok = self->values.Push(f) && self->values.Push(t);
	for (uint32_t i = 0; ok && i < argc; ++i)
		ok = self->values.Push(argv[i]);
	ok = ok && self->values.Push(n) && cx->PushReentry(CALL_STEP);
	if (!ok) {
		self->values.Truncate(before);
		return RaiseNoMemory(cx, self);
	}
	return resume;
}

int TakeCallResult(JS_Frame *self, JS_Value *result)
{
	int code = self->child_code;
	JS_Value r;
	bool carried = code != COMPLETION_NORMAL && code != COMPLETION_CONTINUE && code != COMPLETION_BREAK;
	if (carried) {
		r = self->values.Top();
		self->values.Pop();
	}
	uint32_t argc = uint32_t(self->values.Top().u.number);
	self->values.Truncate(self->values.Count() - argc - 3);
	if (code == COMPLETION_THROW) {
		self->values.Push(r);
		return COMPLETION_THROW;
	}
	if (carried) {
		*result = std::move(r);
		return COMPLETION_RETURN;
	}
	result->SetUndefined();
	return COMPLETION_NORMAL;
}

// The second activation: its argument frame is the routine's own frame,
// whose newest values are fn, this, the arguments and their count.
int CallStep(ES_Context *cx, JS_Frame *args, JS_Frame *self)
{
	if (self->step == CALL_STEP) {
		const JS_ValueVector &from = args->values;
		uint32_t argc = uint32_t(from[from.Count() - 1].u.number);
		uint32_t base = from.Count() - argc - 3;
		JS_Object *fn = from[base].u.object;
		JS_Object *this_object = from[base + 1].u.object;
		self->values.Clear();
		for (uint32_t i = 0; i < argc; ++i)
			if (!self->values.Push(from[base + 2 + i]))
				return RaiseNoMemory(cx, self);
		if (!cx->PushThis(this_object))
			return RaiseNoMemory(cx, self);
		if (!cx->PushCall(fn)) {
			cx->PopThis();
			return RaiseNoMemory(cx, self);
		}
		return CALL_STEP + 1;
	}
	cx->PopThis();
	switch (self->child_code) {
	case COMPLETION_THROW:
		return COMPLETION_THROW;
	case COMPLETION_RETURN:
	case COMPLETION_VALUE:
		return COMPLETION_RETURN;
	default:
		return COMPLETION_NORMAL;
	}
}

// ---------------------------------------------------------------------------

double ToIntegerValue(double d)
{
	if (std::isnan(d))
		return 0;
	return std::trunc(d);
}

uint32_t RelativePosition(double d, uint32_t length)
{
	double i = ToIntegerValue(d);
	if (i < 0) {
		i += double(length);
		return i < 0 ? 0 : uint32_t(i);
	}
	return i > double(length) ? length : uint32_t(i);
}

uint32_t LengthValue(const JS_Value &v)
{
	return v.IsNumber() ? ToUint32(v.u.number) : 0;
}

// ---------------------------------------------------------------------------

// Up to this many slots are opened or closed one at a time; more are moved
// in one pass.
constexpr uint32_t kFewSlots = 4;

static void SwapEntries(JS_Property *a, JS_Property *b)
{
	std::swap(a->flags, b->flags);
	std::swap(a->key, b->key);
	JS_Value t = std::move(a->value);
	a->value = std::move(b->value);
	b->value = std::move(t);
}

bool OpenSlots(JS_Object *o, uint32_t position, uint32_t n)
{
	uint32_t count = o->IndexedCount();
	if (position > count)
		return false;
	if (n <= kFewSlots) {
		// The table's own insertion moves each later entry once per slot.
		for (uint32_t i = 0; i < n; ++i) {
			if (!o->InsertIndexedAt(position)) {
				while (i-- > 0)
					o->RemoveIndexedAt(position);
				return false;
			}
		}
		return true;
	}
	// New blank entries go at the end, where opening costs no moves; then
	// they travel down to the position.
	for (uint32_t i = 0; i < n; ++i) {
		if (!o->InsertIndexedAt(count + i)) {
			while (i-- > 0)
				o->RemoveIndexedAt(count + i);
			return false;
		}
	}
	for (uint32_t i = count; i-- > position;)
		SwapEntries(o->IndexedEntryAt(i), o->IndexedEntryAt(i + n));
	return true;
}

void CloseSlots(JS_Object *o, uint32_t position, uint32_t n)
{
	JS_ReleaseHold hold;
	uint32_t count = o->IndexedCount();
	if (position >= count || n == 0)
		return;
	if (n > count - position)
		n = count - position;
	if (n <= kFewSlots) {
		for (uint32_t i = 0; i < n; ++i)
			o->RemoveIndexedAt(position);
		return;
	}
	for (uint32_t i = position; i + n < count; ++i)
		SwapEntries(o->IndexedEntryAt(i), o->IndexedEntryAt(i + n));
	for (uint32_t i = 0; i < n; ++i)
		o->RemoveIndexedAt(o->IndexedCount() - 1);
}

// ---------------------------------------------------------------------------

static JS_Name *Held(JS_Name **slot, const char *text)
{
	if (!*slot && (*slot = JS_Name::Intern(text)))
		(*slot)->AddRef();   // held for the life of the process
	return *slot;
}

JS_Name *ToStringName()
{
	static JS_Name *name;
	return Held(&name, "toString");
}

JS_Name *ToLocaleStringName()
{
	static JS_Name *name;
	return Held(&name, "toLocaleString");
}

JS_Name *ValueOfName()
{
	static JS_Name *name;
	return Held(&name, "valueOf");
}

// Statement nodes and their completions: blocks, loops, labels and jumps.
#include <cstdio>

#include "errors.h"
#include "global.h"
#include "memory.h"
#include "evaluate.h"
#include "object.h"

namespace evaluation {

// Whether the pending break or continue is aimed at this statement: true
// (and the label cleared) when it has no label or one of this statement's.
bool OwnsPendingLabel(ES_Context *cx, const AST_Node *n)
{
	if (!cx->pending_label)
		return true;
	for (const AST_Node *l = n->labels; l; l = l->labelNext) {
		if (l->name == cx->pending_label) {
			cx->pending_label->Release();
			cx->pending_label = nullptr;
			return true;
		}
	}
	return false;
}

// Keeps a statement's value: the newest value becomes slot 0.
void KeepValue(JS_Frame *self, uint32_t slots_before)
{
	JS_Value v = self->values.Top();
	self->values.Truncate(slots_before);
	if (self->values.Count() == 0)
		self->values.Push(v);
	else
		self->values[0] = v;
}

int Block(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	// The block's value, when it has one, is slot 0; the cursor is the next
	// statement to run.
	const AST_Node *next;
	if (self->step == 0) {
		// A switch clause runs its statement list as a block.
		next = n->kind == NODE_CASE ? n->child[1] : n->child[0];
	} else {
		int code = self->child_code;
		switch (code) {
		case COMPLETION_VALUE:
			KeepValue(self, 0);
			break;
		case COMPLETION_NORMAL:
			break;
		case COMPLETION_BREAK:
		case COMPLETION_CONTINUE:
			if (self->values.Count())
				return code == COMPLETION_BREAK ? COMPLETION_BREAK_VALUE : COMPLETION_CONTINUE_VALUE;
			return code;
		default:
			return code;   // -3, -5, -7, -8 with their value on top
		}
		next = static_cast<const AST_Node *>(self->cursor);
	}
	if (!next)
		return self->values.Count() ? COMPLETION_VALUE : COMPLETION_NORMAL;
	self->cursor = next->next;
	return PushStatement(cx, self, next, 1);
}

// Evaluates an expression, reads its value and completes with `code` and
// that value; an abrupt completion of the expression passes on.
static int EvaluateAndRead(ES_Context *cx, JS_Frame *self, const AST_Node *expression, int code)
{
	if (self->step == 0)
		return PushExpression(cx, self, expression, 1);
	if (self->child_code != COMPLETION_VALUE)
		return self->child_code;
	if (int r = Read(cx, self, self->values.Count() - 1))
		return r;
	return code;
}

int ExpressionStatement(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	return EvaluateAndRead(cx, self, n, COMPLETION_VALUE);
}

int Var(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	if (self->step == 0)
		return PushExpression(cx, self, n->child[0], 1);
	if (self->child_code == COMPLETION_VALUE) {
		self->values.Clear();
		return COMPLETION_NORMAL;
	}
	return self->child_code;
}

int If(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	switch (self->step) {
	case 0:
		return PushExpression(cx, self, n->child[0], 1);
	case 1: {
		if (self->child_code != COMPLETION_VALUE)
			return self->child_code;
		if (int r = Read(cx, self, 0))
			return r;
		const AST_Node *branch = ToBoolean(self->values[0]) ? n->child[1] : n->child[2];
		self->values.Clear();
		if (!branch)
			return COMPLETION_NORMAL;
		return PushStatement(cx, self, branch, 2);
	}
	default:
		return self->child_code;
	}
}

// The loops share their handling of a body's completion.  Slot 0 holds the
// loop's value once the body gave one.  Returns 0 to go on, or the code to
// complete with.
int AfterLoopBody(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	int code = self->child_code;
	bool jump = code == COMPLETION_BREAK || code == COMPLETION_BREAK_VALUE || code == COMPLETION_CONTINUE ||
		    code == COMPLETION_CONTINUE_VALUE;
	if (jump && !OwnsPendingLabel(cx, n))
		return code;   // aimed at an outer statement
	switch (code) {
	case COMPLETION_BREAK_VALUE:
		KeepValue(self, 0);
		return COMPLETION_VALUE;
	case COMPLETION_BREAK:
		return self->values.Count() ? COMPLETION_VALUE : COMPLETION_NORMAL;
	case COMPLETION_CONTINUE_VALUE:
	case COMPLETION_VALUE:
		KeepValue(self, 0);
		return 0;
	case COMPLETION_CONTINUE:
	case COMPLETION_NORMAL:
		return 0;
	default:
		return code;
	}
}

// Reads a loop's condition (the newest value) and drops it: 1 true, 0
// false, or a completion to return.
int LoopCondition(ES_Context *cx, JS_Frame *self, int *truth)
{
	if (self->child_code != COMPLETION_VALUE)
		return self->child_code;
	uint32_t slot = self->values.Count() - 1;
	if (int r = Read(cx, self, slot))
		return r;
	*truth = ToBoolean(self->values[slot]);
	self->values.Pop();
	return 0;
}

int LoopEnd(JS_Frame *self)
{
	return self->values.Count() ? COMPLETION_VALUE : COMPLETION_NORMAL;
}

// An empty statement or an empty block does nothing as a loop body.
const AST_Node *BodyOrNull(const AST_Node *body)
{
	if (!body || body->kind == NODE_EMPTY || (body->kind == NODE_BLOCK && !body->child[0]))
		return nullptr;
	return body;
}

// while (op 1) and do-while (op 0).  Steps: 1 after the condition, 2 after
// the body.
int While(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	const AST_Node *condition = n->child[0], *body = BodyOrNull(n->child[1]);
	int step = self->step;
	if (step == 0)
		return n->op == 1 || !body ? PushExpression(cx, self, condition, 1) : PushStatement(cx, self, body, 2);
	if (step == 1) {
		int truth = 0;
		if (int r = LoopCondition(cx, self, &truth))
			return r;
		if (!truth)
			return LoopEnd(self);
		return body ? PushStatement(cx, self, body, 2) : PushExpression(cx, self, condition, 1);
	}
	if (int r = AfterLoopBody(cx, self, n))
		return r;
	return PushExpression(cx, self, condition, 1);
}

// for (init; condition; update) body.  Steps: 1 after the initialiser, 2
// after the condition, 3 after the body, 4 after the update.
int For(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	const AST_Node *init = n->child[0], *condition = n->child[1], *update = n->child[2];
	const AST_Node *body = BodyOrNull(n->child[3]);
	switch (self->step) {
	case 0:
		if (init)
			return PushExpression(cx, self, init, 1);
		goto test;
	case 1:
	case 4:
		// The initialiser and the update are read and dropped.
		if (self->child_code != COMPLETION_VALUE)
			return self->child_code;
		if (int r = Read(cx, self, self->values.Count() - 1))
			return r;
		self->values.Pop();
		goto test;
	case 2: {
		int truth = 0;
		if (int r = LoopCondition(cx, self, &truth))
			return r;
		if (!truth)
			return LoopEnd(self);
		goto body;
	}
	default:
		if (int r = AfterLoopBody(cx, self, n))
			return r;
		goto update;
	}
test:
	if (condition)
		return PushExpression(cx, self, condition, 2);
body:
	if (body)
		return PushStatement(cx, self, body, 3);
update:
	if (update)
		return PushExpression(cx, self, update, 4);
	if (!condition && !body)
		return Raise(cx, self, ERROR_GURU_MEDITATION, MSG_INFINITE_LOOP);
	goto test;
}

int Jump(ES_Context *cx, JS_Frame *, const AST_Node *n)
{
	if (cx->pending_label)
		cx->pending_label->Release();
	cx->pending_label = n->name;
	if (n->name)
		n->name->AddRef();
	return n->kind == NODE_BREAK ? COMPLETION_BREAK : COMPLETION_CONTINUE;
}

int Return(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	if (!n->child[0])
		return self->values.PushUndefined() ? COMPLETION_RETURN : Fail(cx, self);
	return EvaluateAndRead(cx, self, n->child[0], COMPLETION_RETURN);
}

int Throw(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	return EvaluateAndRead(cx, self, n->child[0], COMPLETION_THROW);
}

int Labelled(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	if (self->step == 0)
		return PushStatement(cx, self, n->child[0], 1);
	int code = self->child_code;
	if (cx->pending_label != n->name || code < COMPLETION_BREAK_VALUE || code > COMPLETION_CONTINUE)
		return code;
	// A break aimed here ends the statement.  So does a continue: its label
	// names no loop (a loop would have taken it), and left pending it would
	// stop the next loop that sees it.
	cx->pending_label->Release();
	cx->pending_label = nullptr;
	bool has_value = code == COMPLETION_BREAK_VALUE || code == COMPLETION_CONTINUE_VALUE || self->values.Count();
	return has_value ? COMPLETION_VALUE : COMPLETION_NORMAL;
}

// ---------------------------------------------------------------------------
// for-in

namespace {

// The slots of a for-in frame after its object is read: the object, the
// position of the next key to visit (counting down), whether the loop has
// a value, that value, and then the keys as references to where they were
// found.
enum { FORIN_OBJECT, FORIN_NEXT, FORIN_HAS_VALUE, FORIN_VALUE, FORIN_KEYS };

// Whether an object nearer the start of the chain than `upto` has the key
// as its own, so the key was collected already.
bool CollectedIndex(JS_Object *object, JS_Object *upto, uint32_t index)
{
	for (JS_Object *o = object; o != upto; o = o->Prototype())
		if (o->FindIndexEntry(index))
			return true;
	return false;
}

bool CollectedName(JS_Object *object, JS_Object *upto, JS_Name *name)
{
	for (JS_Object *o = object; o != upto; o = o->Prototype())
		if (o->FindNameEntry(name))
			return true;
	return false;
}

// Collects the keys of the object and its prototype chain: every object's
// elements (highest first), then every object's named properties (newest
// first), a key shadowed by a nearer object left out.
bool CollectKeys(JS_Frame *self, JS_Object *object)
{
	for (JS_Object *o = object; o; o = o->Prototype()) {
		for (uint32_t i = o->IndexedCount(); i-- > 0;) {
			JS_Property *p = o->IndexedEntryAt(i);
			if (!p || CollectedIndex(object, o, p->key.index))
				continue;
			JS_Value key;
			key.SetIndexReference(o, p->key.index);
			if (!self->values.Push(key))
				return false;
		}
	}
	for (JS_Object *o = object; o; o = o->Prototype()) {
		for (uint32_t i = o->NamedCount(); i-- > 0;) {
			JS_Property *p = o->NamedEntryAt(i);
			if (!p || CollectedName(object, o, p->key.name))
				continue;
			JS_Value key;
			key.SetNameReference(o, p->key.name);
			if (!self->values.Push(key))
				return false;
		}
	}
	return true;
}

// The key's text when it is still there and enumerable, else null.
JS_String *KeyText(const JS_Value &key)
{
	JS_Object *o = key.u.object;
	if (key.tag == VALUE_INDEX_REFERENCE) {
		JS_Property *p = o->FindIndexEntry(key.key.index);
		if (!p || (p->flags & PROP_DONT_ENUM))
			return nullptr;
		char digits[16];
		int length = std::snprintf(digits, sizeof digits, "%u", unsigned(key.key.index));
		return JS_String::Make(digits, uint32_t(length));
	}
	JS_Property *p = o->FindNameEntry(key.key.name);
	if (!p || (p->flags & PROP_DONT_ENUM))
		return nullptr;
	return JS_String::Make(key.key.name->text, key.key.name->length);
}

} // namespace

// for (target in object) body.  Steps: 1 after the object, 2 after a
// declaration's initialiser, 3 after the target, 4 after the body.
int ForIn(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	const AST_Node *target = n->child[0];
	const AST_Node *body = BodyOrNull(n->child[2]);
	bool declaration = target->kind == NODE_VAR_DECL;
	switch (self->step) {
	case 0:
		return PushExpression(cx, self, n->child[1], 1);
	case 1: {
		if (self->child_code != COMPLETION_VALUE)
			return self->child_code;
		if (int r = Read(cx, self, 0))
			return r;
		JS_Value object;
		if (!ToObject(cx->global, self->values[0], &object))
			return RaiseWithSource(cx, self, ERROR_TYPE, MSG_FOR_IN_NOT_OBJECT, n->child[1]);
		self->values[0] = object;
		JS_Value zero;
		zero.SetNumber(0);
		if (!self->values.Push(zero) || !self->values.Push(JS_Value()) || !self->values.Push(JS_Value()) ||
		    !CollectKeys(self, object.u.object))
			return Fail(cx, self);
		self->values[FORIN_NEXT].SetNumber(self->values.Count());
		break;
	}
	case 2:
		// The declaration assigned its initialiser; now its reference.
		if (self->child_code != COMPLETION_VALUE)
			return self->child_code;
		self->values.Pop();
		return PushExpression(cx, self, target->child[0], 3);
	case 3: {
		if (self->child_code != COMPLETION_VALUE)
			return self->child_code;
		uint32_t position = uint32_t(self->values[FORIN_NEXT].u.number);
		uint32_t reference = self->values.Count() - 1;
		JS_String *text = KeyText(self->values[position]);
		if (!text) {
			self->values.Truncate(reference);   // deleted by the initialiser
			break;
		}
		JS_Value key;
		key.SetString(text);
		if (!self->values.Push(key))
			return Fail(cx, self);
		if (int r = Store(cx, self, reference, reference + 1, declaration ? target->child[0] : target))
			return r;
		self->values.Truncate(reference);
		if (body)
			return PushStatement(cx, self, body, 4);
		break;
	}
	default: {
		int code = self->child_code;
		bool jump = code >= COMPLETION_BREAK_VALUE && code <= COMPLETION_CONTINUE;
		if (jump && !OwnsPendingLabel(cx, n))
			return code;
		switch (code) {
		case COMPLETION_BREAK_VALUE:
		case COMPLETION_CONTINUE_VALUE:
		case COMPLETION_VALUE:
			self->values[FORIN_VALUE] = self->values.Top();
			self->values[FORIN_HAS_VALUE].SetBoolean(true);
			self->values.Pop();
			break;
		case COMPLETION_BREAK:
		case COMPLETION_CONTINUE:
		case COMPLETION_NORMAL:
			break;
		default:
			return code;
		}
		if (code == COMPLETION_BREAK || code == COMPLETION_BREAK_VALUE)
			goto done;
		break;
	}
	}

	// The next key still present and enumerable, from the last collected.
	for (uint32_t position = uint32_t(self->values[FORIN_NEXT].u.number); position-- > FORIN_KEYS;) {
		self->values[FORIN_NEXT].SetNumber(position);
		JS_String *text = KeyText(self->values[position]);
		if (!text)
			continue;
		JS_String::Free(text);
		if (declaration && target->child[1])
			return PushExpression(cx, self, target, 2);
		return PushExpression(cx, self, declaration ? target->child[0] : target, 3);
	}
done:
	if (!self->values[FORIN_HAS_VALUE].u.boolean)
		return COMPLETION_NORMAL;
	JS_Value value = self->values[FORIN_VALUE];
	self->values.Clear();
	return Complete(cx, self, value);
}

// with (object) body: the object is the innermost scope while the body runs.
int With(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	switch (self->step) {
	case 0:
		return PushExpression(cx, self, n->child[0], 1);
	case 1: {
		if (self->child_code != COMPLETION_VALUE)
			return self->child_code;
		if (!BodyOrNull(n->child[1]))
			return COMPLETION_NORMAL;
		if (int r = Read(cx, self, 0))
			return r;
		JS_Value object;
		if (!ToObject(cx->global, self->values[0], &object))
			return Raise(cx, self, ERROR_TYPE, MSG_WITH_NOT_OBJECT);
		self->values.Clear();
		if (!cx->PushScopeObject(object.u.object))
			return Fail(cx, self);
		if (!cx->PushStatement(n->child[1])) {
			cx->PopScopeObject();
			return Fail(cx, self);
		}
		return 2;
	}
	default:
		cx->PopScopeObject();
		return self->child_code;
	}
}

// switch: the discriminant in slot 0 is compared with each case in turn
// (the default clause left for last); then the chosen clause and every
// later one run, as blocks, until one breaks.  Steps: 1 after the
// discriminant, 2 after a case expression, 3 after a clause.
int Switch(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	const AST_Node *clause;
	switch (self->step) {
	case 0:
		if (!n->child[1])
			return COMPLETION_NORMAL;
		return PushExpression(cx, self, n->child[0], 1);
	case 1:
		if (self->child_code != COMPLETION_VALUE)
			return self->child_code;
		if (int r = Read(cx, self, 0))
			return r;
		clause = n->child[1];
		goto match;
	case 2: {
		if (self->child_code != COMPLETION_VALUE)
			return self->child_code;
		if (int r = Read(cx, self, 1))
			return r;
		bool equal = StrictEquals(self->values[0], self->values[1]);
		self->values.Pop();
		clause = static_cast<const AST_Node *>(self->cursor);
		if (equal)
			goto run;
		clause = clause->next;
		goto match;
	}
	default: {
		int code = self->child_code;
		bool jump = code >= COMPLETION_BREAK_VALUE && code <= COMPLETION_CONTINUE;
		if (jump && !OwnsPendingLabel(cx, n))
			return code;
		switch (code) {
		case COMPLETION_BREAK_VALUE:
			return COMPLETION_VALUE;
		case COMPLETION_BREAK:
			self->values.Clear();
			return COMPLETION_NORMAL;
		case COMPLETION_VALUE:
			self->values.Pop();
			break;
		case COMPLETION_NORMAL:
			break;
		default:
			return code;
		}
		clause = static_cast<const AST_Node *>(self->cursor);
		goto next_body;
	}
	}

match:
	while (clause && !clause->child[0])
		clause = clause->next;   // the default clause waits for the end
	if (clause) {
		self->cursor = clause;
		return PushExpression(cx, self, clause->child[0], 2);
	}
	if (n->op < 0)
		return COMPLETION_NORMAL;
	clause = n->child[1];
	for (int i = 0; i < n->op && clause; ++i)
		clause = clause->next;
run:
	self->values.Clear();
next_body:
	while (clause && !clause->child[1])
		clause = clause->next;
	if (!clause)
		return COMPLETION_NORMAL;
	self->cursor = clause->next;
	return PushStatement(cx, self, clause, 3);
}

// try: the block; a thrown value goes to the catch clauses in turn (each
// sees it in a scope object of its own); then the finally block, whose own
// abrupt completion replaces what came before.  Steps: 1 after the block,
// 2 after a catch clause, 3 after the finally block.
int Try(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	int code;
	switch (self->step) {
	case 0:
		if (!n->child[0])
			return COMPLETION_NORMAL;
		return PushStatement(cx, self, n->child[0], 1);
	case 1:
		code = self->child_code;
		if (code == COMPLETION_THROW && n->child[1]) {
			self->cursor = n->child[1];
			goto catch_clause;
		}
		goto finally;
	case 2:
		cx->PopScopeObject();
		code = self->child_code;
		if (code == COMPLETION_THROW && StrictEquals(self->values[0], self->values.Top())) {
			// Rethrown as it came: the next clause gets it.
			self->values.Pop();
			self->cursor = static_cast<const AST_Node *>(self->cursor)->next;
			if (self->cursor)
				goto catch_clause;
		} else {
			JS_Value result = self->values.Top();
			bool carries = code != COMPLETION_NORMAL && code != COMPLETION_BREAK && code != COMPLETION_CONTINUE;
			self->values.Clear();
			if (carries && !self->values.Push(result))
				return Fail(cx, self);
		}
		goto finally;
	default: {
		int finally_code = self->child_code;
		if (finally_code != COMPLETION_NORMAL && finally_code != COMPLETION_VALUE)
			return finally_code;
		if (finally_code == COMPLETION_VALUE)
			self->values.Pop();
		code = int(self->values.Top().u.number);
		self->values.Pop();
		return code;
	}
	}

catch_clause: {
	// Slot 0 keeps the exception, to tell a rethrow from a new throw.
	const AST_Node *clause = static_cast<const AST_Node *>(self->cursor);
	JS_Value exception = self->values.Top();
	self->values.Clear();
	if (!self->values.Push(exception))
		return Fail(cx, self);
	JS_Native_Object *scope = JS_New<JS_Native_Object>(cx->global, "Object");
	if (!scope)
		return Fail(cx, self);
	JS_Value holder;
	holder.SetObject(scope);
	scope->SetPrototype(cx->global->ObjectPrototype());
	if (scope->NativePutName(clause->name, exception, 0) != 0 || !cx->PushScopeObject(scope))
		return Fail(cx, self);
	if (!cx->PushStatement(clause->child[0])) {
		cx->PopScopeObject();
		return Fail(cx, self);
	}
	return 2;
}

finally:
	if (!n->child[2])
		return code;
	{
		// The completion so far waits under the finally block: its value
		// (if any) and then its code.
		JS_Value saved;
		saved.SetNumber(code);
		if (!self->values.Push(saved))
			return Fail(cx, self);
	}
	return PushStatement(cx, self, n->child[2], 3);
}

} // namespace evaluation

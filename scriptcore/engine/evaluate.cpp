// Statement and expression nodes evaluated as steps on their own frames.
// A step pushes a child frame and returns the step to resume at, or
// completes the frame with a completion code; the child's value arrives as
// the newest value of the frame's vector and its code in child_code.
#include <cmath>
#include <cstring>

#include "ast.h"
#include "errors.h"
#include "global.h"
#include "machine.h"
#include "object.h"

namespace {

const AST_Node *NodeOf(const JS_Frame *f)
{
	return static_cast<const AST_Node *>(f->target.node);
}

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

// Reads the value in a slot through its reference.  An unresolved name
// raises ReferenceError 26, or TypeError 25 where the operand is read as a
// location.  0 when read, else the completion to return.
int Read(ES_Context *cx, JS_Frame *self, uint32_t slot, bool as_location = false)
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

// Appends a copy of a slot and reads the copy: the reference stays behind.
int ReadCopy(ES_Context *cx, JS_Frame *self, uint32_t slot, bool as_location)
{
	JS_Value copy = self->values[slot];
	if (!self->values.Push(copy))
		return Fail(cx, self);
	return Read(cx, self, self->values.Count() - 1, as_location);
}

// Brings `count` slots from `first` to primitives, each object through a
// conversion step of `kind`.  Steps base .. base + count belong to it; -1
// when every slot is a primitive.
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

// ---------------------------------------------------------------------------
// Expressions

int Literal(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	JS_Value v;
	switch (n->op) {
	case LITERAL_NULL:
		v.SetNull();
		break;
	case LITERAL_BOOLEAN:
		v.SetBoolean(n->number != 0);
		break;
	case LITERAL_NUMBER:
		v.SetNumber(n->number);
		break;
	case LITERAL_STRING:
		v.SetString(n->string);
		break;
	default:
		return Fail(cx, self);   // regular expressions come with RegExp objects
	}
	return Complete(cx, self, v);
}

int Identifier(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	JS_Value ref;
	JS_Object *base = nullptr;
	if (JS_ScopeChain *chain = cx->Scope()) {
		for (uint32_t i = chain->Count(); i-- > 0;) {
			JS_Object *o = chain->At(i);
			if (o->HasName(n->name, o)) {
				base = o;
				break;
			}
		}
	}
	ref.SetNameReference(base, n->name);
	return Complete(cx, self, ref);
}

int This(ES_Context *cx, JS_Frame *self)
{
	JS_Value v;
	if (JS_Object *o = cx->This())
		v.SetObject(o);
	return Complete(cx, self, v);
}

// Stores slot `value` into the reference in slot `target`; a target that
// is no reference raises ReferenceError 27 naming the target expression.
int Store(ES_Context *cx, JS_Frame *self, uint32_t target, uint32_t value, const AST_Node *target_node)
{
	int r = PutValue(cx, self->values[target], self->values[value]);
	if (r == 3)
		return RaiseWithSource(cx, self, ERROR_REFERENCE, MSG_UNDEFINED_IN_ASSIGNMENT, target_node);
	if (r == 1)
		return Fail(cx, self);
	return 0;
}

// "=": the target, then the value; the result is the stored value.
int Assign(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	switch (self->step) {
	case 0:
		return PushExpression(cx, self, n->child[0], 1);
	case 1:
		return PushExpression(cx, self, n->child[1], 2);
	case 2: {
		if (int r = Read(cx, self, 1))
			return r;
		if (!self->values[0].IsReference())
			return RaiseWithSource(cx, self, ERROR_REFERENCE, MSG_UNDEFINED_IN_ASSIGNMENT, n->child[0]);
		int put = PutValue(cx, self->values[0], self->values[1]);
		if (put == 2) {
			// The host wants a primitive: convert and store again.
			if (!cx->PushConversion(FRAME_TO_PRIMITIVE_NUMBER, 1))
				return Fail(cx, self);
			return 3;
		}
		if (put == 1)
			return Fail(cx, self);
		if (put == 3)
			return RaiseWithSource(cx, self, ERROR_RANGE, MSG_ARRAY_LENGTH_VALUE, n->child[1]);
		return Complete(cx, self, JS_Value(self->values[1]));
	}
	default: {
		JS_Value primitive = self->values.Top();
		self->values.Pop();
		self->values[1] = primitive;
		if (int r = Store(cx, self, 0, 1, n->child[0]))
			return r;
		return Complete(cx, self, primitive);
	}
	}
}

double Arithmetic(int op, double a, double b)
{
	switch (op) {
	case 3:
		return a - b;
	case 4:
		return a * b;
	case 5:
		return a / b;
	case 6:
		return std::fmod(a, b);
	case 7:
		return double(int32_t(uint32_t(ToInt32(a)) << (ToUint32(b) & 31)));
	case 8:
		return double(ToInt32(a) >> (ToUint32(b) & 31));
	default:
		return double(ToUint32(a) >> (ToUint32(b) & 31));
	}
}

double Bitwise(int op, double a, double b)
{
	int32_t x = ToInt32(a), y = ToInt32(b);
	return double(op == 0 ? (x & y) : op == 1 ? (x ^ y) : (x | y));
}

// Steps 0 to 2 of a node with two operands: the left operand is evaluated
// and read into slot 0 (or, keeping its reference there, read as a location
// into slot 1), then the right operand is evaluated and read into the next
// slot.  -1 once both are there, else what the step returns.
int Operands(ES_Context *cx, JS_Frame *self, const AST_Node *n, bool keep_left_reference)
{
	switch (self->step) {
	case 0:
		return PushExpression(cx, self, n->child[0], 1);
	case 1:
		if (int r = keep_left_reference ? ReadCopy(cx, self, 0, true) : Read(cx, self, 0))
			return r;
		return PushExpression(cx, self, n->child[1], 2);
	case 2:
		if (int r = Read(cx, self, self->values.Count() - 1))
			return r;
		return -1;
	default:
		return -1;
	}
}

// Binary operators of the general pattern: both operands read, converted
// to primitives with hint Number (left first), then the operator.
int Binary(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	int r = Operands(cx, self, n, false);
	if (r != -1)
		return r;
	r = ToPrimitives(cx, self, 0, 2, FRAME_TO_PRIMITIVE_NUMBER, 2);
	if (r != -1)
		return r;
	const JS_Value &left = self->values[0], &right = self->values[1];
	switch (n->kind) {
	case NODE_ARITHMETIC:
		return CompleteNumber(cx, self, Arithmetic(n->op, ToNumber(left), ToNumber(right)));
	case NODE_BITWISE:
		return CompleteNumber(cx, self, Bitwise(n->op, ToNumber(left), ToNumber(right)));
	default:
		break;
	}
	// Relational: strings compare as unsigned bytes, anything else as
	// numbers where NaN makes every comparison false.
	bool less, greater, unordered = false;
	if (left.IsString() && right.IsString()) {
		const JS_String *a = left.u.string, *b = right.u.string;
		uint32_t common = a->length < b->length ? a->length : b->length;
		int c = std::memcmp(a->Text(), b->Text(), common);
		less = c < 0 || (c == 0 && a->length < b->length);
		greater = c > 0 || (c == 0 && a->length > b->length);
	} else {
		double a = ToNumber(left), b = ToNumber(right);
		unordered = std::isnan(a) || std::isnan(b);
		less = a < b;
		greater = b < a;
	}
	bool result;
	switch (n->op) {
	case 0:
		result = less;
		break;
	case 1:
		result = greater;
		break;
	case 2:
		result = !unordered && !greater;
		break;
	default:
		result = !unordered && !less;
		break;
	}
	return CompleteBoolean(cx, self, result);
}

// "+" and "+=": the left operand is read as a location into a new slot (the
// reference stays in slot 0), then the right; both become primitives
// without hint; a string on either side concatenates.
int Add(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	int r = Operands(cx, self, n, true);
	if (r != -1)
		return r;
	r = ToPrimitives(cx, self, 1, 2, FRAME_TO_PRIMITIVE, 2);
	if (r != -1)
		return r;
	const JS_Value &left = self->values[1], &right = self->values[2];
	JS_Value sum;
	if (left.IsString() || right.IsString()) {
		JS_String *a = ToString(left);
		if (!a)
			return Fail(cx, self);
		JS_Value holder;
		holder.SetString(a);
		bool own_b = !right.IsString();
		JS_String *b = own_b ? ToString(right) : right.u.string;
		bool ok = b && a->Append(b);
		if (b && own_b)
			JS_String::Free(b);
		if (!ok)
			return Raise(cx, self, ERROR_RANGE, MSG_IMPLEMENTATION);
		sum = holder;
	} else {
		sum.SetNumber(ToNumber(left) + ToNumber(right));
	}
	if (!self->values.Push(sum))
		return Fail(cx, self);
	if (n->op == 1) {
		if (int s = Store(cx, self, 0, self->values.Count() - 1, n->child[0]))
			return s;
	}
	return COMPLETION_VALUE;
}

// Compound assignment other than "+=": the target read as a location, the
// right operand, both to numbers, the operator, then the store.
int CompoundAssign(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	int r = Operands(cx, self, n, true);
	if (r != -1)
		return r;
	r = ToPrimitives(cx, self, 1, 2, FRAME_TO_PRIMITIVE_NUMBER, 2);
	if (r != -1)
		return r;
	double a = ToNumber(self->values[1]), b = ToNumber(self->values[2]);
	// "&=" "^=" "|=" are ops 0..2; the others share the binary operators'
	// numbering from 3.
	double result = n->op <= 2 ? Bitwise(n->op, a, b) : Arithmetic(n->op, a, b);
	JS_Value v;
	v.SetNumber(result);
	if (!self->values.Push(v))
		return Fail(cx, self);
	if (int s = Store(cx, self, 0, self->values.Count() - 1, n->child[0]))
		return s;
	return COMPLETION_VALUE;
}

// "==" repeats its comparison until decided, converting as it goes.
int Equality(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	bool negate = n->op == 1 || n->op == 3;
	if (int r = Operands(cx, self, n, false); r != -1)
		return r;
	if (self->step == 2) {
		if (n->op >= 2)
			return CompleteBoolean(cx, self, StrictEquals(self->values[0], self->values[1]) != negate);
	} else {
		// Back from a conversion of slot step - 3.
		JS_Value converted = self->values.Top();
		self->values.Pop();
		self->values[uint32_t(self->step - 3)] = std::move(converted);
	}
	for (;;) {
		JS_Value &a = self->values[0], &b = self->values[1];
		if (a.tag == b.tag) {
			bool equal = a.tag == VALUE_NUMBER ? a.u.number == b.u.number : StrictEquals(a, b) != 0;
			return CompleteBoolean(cx, self, equal != negate);
		}
		bool a_void = a.IsUndefined() || a.IsNull(), b_void = b.IsUndefined() || b.IsNull();
		if (a_void || b_void)
			return CompleteBoolean(cx, self, (a_void && b_void) != negate);
		if (a.tag == VALUE_NUMBER && b.IsString()) {
			ToNumberInPlace(&b);
		} else if (a.IsString() && b.tag == VALUE_NUMBER) {
			ToNumberInPlace(&a);
		} else if (a.tag == VALUE_BOOLEAN) {
			ToNumberInPlace(&a);
		} else if (b.tag == VALUE_BOOLEAN) {
			ToNumberInPlace(&b);
		} else if ((a.IsString() || a.tag == VALUE_NUMBER) && b.IsObject()) {
			if (!cx->PushConversion(a.IsString() ? FRAME_TO_PRIMITIVE_STRING : FRAME_TO_PRIMITIVE_NUMBER, 1))
				return Fail(cx, self);
			return 4;
		} else if (a.IsObject() && (b.IsString() || b.tag == VALUE_NUMBER)) {
			if (!cx->PushConversion(b.IsString() ? FRAME_TO_PRIMITIVE_STRING : FRAME_TO_PRIMITIVE_NUMBER, 0))
				return Fail(cx, self);
			return 3;
		} else {
			return CompleteBoolean(cx, self, negate);
		}
	}
}

// "&&" and "||": the right operand only when the left does not decide.
int Logical(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	switch (self->step) {
	case 0:
		return PushExpression(cx, self, n->child[0], 1);
	case 1: {
		if (int r = Read(cx, self, 0))
			return r;
		bool truth = ToBoolean(self->values[0]);
		if (truth != (n->op == 1))
			return COMPLETION_VALUE;
		return PushExpression(cx, self, n->child[1], 2);
	}
	default:
		if (int r = Read(cx, self, 1))
			return r;
		return COMPLETION_VALUE;
	}
}

int Conditional(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	switch (self->step) {
	case 0:
		return PushExpression(cx, self, n->child[0], 1);
	case 1:
		if (int r = Read(cx, self, 0))
			return r;
		return PushExpression(cx, self, ToBoolean(self->values[0]) ? n->child[1] : n->child[2], 2);
	default:
		if (int r = Read(cx, self, 1))
			return r;
		return COMPLETION_VALUE;
	}
}

int Comma(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	switch (self->step) {
	case 0:
		return PushExpression(cx, self, n->child[0], 1);
	case 1:
		if (int r = Read(cx, self, 0))
			return r;
		return PushExpression(cx, self, n->child[1], 2);
	default:
		if (int r = Read(cx, self, 1))
			return r;
		return COMPLETION_VALUE;
	}
}

// Unary operators that read their operand and work on a number.
int UnaryNumber(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	if (self->step == 0)
		return PushExpression(cx, self, n->child[0], 1);
	if (self->step == 1) {
		if (int r = Read(cx, self, 0))
			return r;
	}
	int r = ToPrimitives(cx, self, 0, 1, FRAME_TO_PRIMITIVE_NUMBER, 1);
	if (r != -1)
		return r;
	double d = ToNumber(self->values[0]);
	if (n->kind == NODE_BITWISE_NOT)
		return CompleteNumber(cx, self, double(~ToInt32(d)));
	return CompleteNumber(cx, self, n->op == 1 ? d : -d);
}

int Unary(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	if (self->step == 0)
		return PushExpression(cx, self, n->child[0], 1);
	JS_Value &v = self->values[0];
	switch (n->kind) {
	case NODE_VOID:
		return Complete(cx, self, JS_Value());
	case NODE_LOGICAL_NOT:
		if (int r = Read(cx, self, 0))
			return r;
		return CompleteBoolean(cx, self, !ToBoolean(self->values[0]));
	case NODE_DELETE: {
		int result = 1;
		if (v.tag == VALUE_NAME_REFERENCE && v.u.object)
			result = v.u.object->DeleteName(v.key.name);
		else if (v.tag == VALUE_INDEX_REFERENCE && v.u.object)
			result = v.u.object->DeleteIndex(v.key.index);
		return CompleteBoolean(cx, self, result != 0);
	}
	default: {   // typeof
		const char *type;
		if (v.IsReference() && !v.u.object) {
			type = "undefined";
		} else {
			if (int r = Read(cx, self, 0))
				return r;
			const JS_Value &w = self->values[0];
			switch (w.tag) {
			case VALUE_NULL:
				type = "object";
				break;
			case VALUE_BOOLEAN:
				type = "boolean";
				break;
			case VALUE_NUMBER:
				type = "number";
				break;
			case VALUE_STRING:
				type = "string";
				break;
			case VALUE_OBJECT:
				type = w.u.object->IsFunction() ? "function" : "object";
				break;
			default:
				type = "undefined";
				break;
			}
		}
		JS_String *s = JS_String::Make(type);
		if (!s)
			return Fail(cx, self);
		JS_Value text;
		text.SetString(s);
		return Complete(cx, self, text);
	}
	}
}

// "++" and "--": the operand read as a location, to a number, then stored
// one up or down; prefix forms give the new value, postfix the old.
int IncDec(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	if (self->step == 0)
		return PushExpression(cx, self, n->child[0], 1);
	if (self->step == 1) {
		if (int r = ReadCopy(cx, self, 0, true))
			return r;
	}
	int r = ToPrimitives(cx, self, 1, 1, FRAME_TO_PRIMITIVE_NUMBER, 1);
	if (r != -1)
		return r;
	double old = ToNumber(self->values[1]);
	self->values[1].SetNumber(old);
	JS_Value updated;
	updated.SetNumber(old + ((n->op & INCDEC_INCREMENT) ? 1 : -1));
	if (!self->values.Push(updated))
		return Fail(cx, self);
	if (int s = Store(cx, self, 0, 2, n->child[0]))
		return s;
	return Complete(cx, self, (n->op & INCDEC_PREFIX) ? updated : JS_Value(self->values[1]));
}

// A name reference on the object, or an index reference for an index key.
int Member(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	bool dot = n->kind == NODE_DOT;
	if (self->step == 0)
		return PushExpression(cx, self, n->child[0], 1);
	if (self->step == 1) {
		if (int r = Read(cx, self, 0))
			return r;
		JS_Value object;
		if (!ToObject(cx->global, self->values[0], &object))
			return RaiseWithSource(cx, self, ERROR_TYPE, dot ? MSG_DOT_NOT_OBJECT : MSG_BRACKET_NOT_OBJECT,
				n->child[0]);
		self->values[0] = object;
		if (dot) {
			JS_Value ref;
			ref.SetNameReference(object.u.object, n->name);
			return Complete(cx, self, ref);
		}
		return PushExpression(cx, self, n->child[1], 2);
	}
	if (self->step == 2) {
		if (int r = Read(cx, self, 1))
			return r;
		if (self->values[1].IsObject()) {
			if (!cx->PushConversion(FRAME_TO_PRIMITIVE_STRING, 1))
				return Fail(cx, self);
			return 3;
		}
	} else {
		JS_Value converted = self->values.Top();
		self->values.Pop();
		self->values[1] = converted;
	}
	JS_Object *object = self->values[0].u.object;
	const JS_Value &key = self->values[1];
	uint32_t index;
	bool is_index = key.IsNumber() && IsArrayIndexNumber(key.u.number, &index);
	JS_Name *name = nullptr;
	if (!is_index) {
		bool own_text = !key.IsString();
		JS_String *text = own_text ? ToString(key) : key.u.string;
		if (!text)
			return Fail(cx, self);
		is_index = IsArrayIndexText(text->Text(), text->length, &index);
		if (!is_index)
			name = JS_Name::Intern(text->Text(), text->length);
		if (own_text)
			JS_String::Free(text);
		if (!is_index && !name)
			return Fail(cx, self);
	}
	JS_Value ref;
	if (is_index) {
		// An element holding a reference (the arguments object's aliases
		// of parameters) stands for that reference.
		JS_Value stored;
		if (object->GetIndex(index, &stored, object) && stored.IsReference())
			return Complete(cx, self, stored);
		ref.SetIndexReference(object, index);
	} else {
		ref.SetNameReference(object, name);
	}
	return Complete(cx, self, ref);
}

// A declaration in a var statement: the variable's reference, assigned its
// initialiser when there is one.
int VarDeclaration(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	switch (self->step) {
	case 0:
		return PushExpression(cx, self, n->child[0], 1);
	case 1:
		if (!n->child[1])
			return COMPLETION_VALUE;
		return PushExpression(cx, self, n->child[1], 2);
	default:
		if (int r = Read(cx, self, 1))
			return r;
		if (int r = Store(cx, self, 0, 1, n->child[0]))
			return r;
		return COMPLETION_VALUE;
	}
}

int DeclarationList(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	switch (self->step) {
	case 0:
		return PushExpression(cx, self, n->child[0], 1);
	case 1:
		return PushExpression(cx, self, n->child[1], 2);
	default:
		return COMPLETION_VALUE;
	}
}

// ---------------------------------------------------------------------------
// Statements

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
		next = n->child[0];
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

int ExpressionStatement(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	if (self->step == 0)
		return PushExpression(cx, self, n, 1);
	if (self->child_code != COMPLETION_VALUE)
		return self->child_code;
	if (int r = Read(cx, self, self->values.Count() - 1))
		return r;
	return COMPLETION_VALUE;
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
	if (self->step == 0) {
		if (!n->child[0])
			return self->values.PushUndefined() ? COMPLETION_RETURN : Fail(cx, self);
		return PushExpression(cx, self, n->child[0], 1);
	}
	if (self->child_code != COMPLETION_VALUE)
		return self->child_code;
	if (int r = Read(cx, self, self->values.Count() - 1))
		return r;
	return COMPLETION_RETURN;
}

int Throw(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	if (self->step == 0)
		return PushExpression(cx, self, n->child[0], 1);
	if (self->child_code != COMPLETION_VALUE)
		return self->child_code;
	if (int r = Read(cx, self, self->values.Count() - 1))
		return r;
	return COMPLETION_THROW;
}

int Labelled(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	if (self->step == 0)
		return PushStatement(cx, self, n->child[0], 1);
	int code = self->child_code;
	if (cx->pending_label != n->name || (code != COMPLETION_BREAK && code != COMPLETION_BREAK_VALUE))
		return code;
	cx->pending_label->Release();
	cx->pending_label = nullptr;
	return code == COMPLETION_BREAK_VALUE || self->values.Count() ? COMPLETION_VALUE : COMPLETION_NORMAL;
}

} // namespace

int EvaluateStatementStep(ES_Context *cx, JS_Frame *, JS_Frame *self)
{
	const AST_Node *n = NodeOf(self);
	switch (n->kind) {
	case NODE_BLOCK:
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
	case NODE_WITH:
	case NODE_SWITCH:
	case NODE_TRY:
		return Fail(cx, self);
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
		if (n->op >= 4)
			return Fail(cx, self);   // instanceof and in come with functions
		return Binary(cx, self, n);
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

// Expression nodes: operators, member access, assignment and declarations.
#include <cmath>
#include <cstring>

#include "errors.h"
#include "evaluate.h"
#include "global.h"
#include "object.h"

namespace evaluation {

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

// "=": the target, then the value; the result is the stored value.
int Assign(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	switch (self->step) {
	case 0:
		return PushExpression(cx, self, n->child[0], 1);
	case 1:
		return PushExpression(cx, self, n->child[1], 2);
	case 2:
		if (int r = Read(cx, self, 1))
			return r;
		if (!self->values[0].IsReference())
			return RaiseWithSource(cx, self, ERROR_REFERENCE, MSG_UNDEFINED_IN_ASSIGNMENT, n->child[0]);
		break;
	default: {
		// Back from the conversion an array length (or a host) asked for:
		// the primitive is stored instead.
		JS_Value primitive = self->values.Top();
		self->values.Pop();
		self->values[1] = primitive;
		break;
	}
	}
	int put = PutValue(cx, self->values[0], self->values[1]);
	if (put == 2 && self->step == 2) {
		if (!cx->PushConversion(FRAME_TO_PRIMITIVE_NUMBER, 1))
			return Fail(cx, self);
		return 3;
	}
	if (put == 3 && self->values[0].u.object)
		return RaiseWithSource(cx, self, ERROR_RANGE, MSG_ARRAY_LENGTH_VALUE, n->child[1]);
	if (put == 3)
		return RaiseWithSource(cx, self, ERROR_REFERENCE, MSG_UNDEFINED_IN_ASSIGNMENT, n->child[0]);
	if (put != 0)
		return Fail(cx, self);
	return Complete(cx, self, JS_Value(self->values[1]));
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

// instanceof: both operands read, no conversion; the right one answers.
int InstanceOf(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	if (int r = Operands(cx, self, n, false); r != -1)
		return r;
	const JS_Value &right = self->values[1];
	if (!right.IsObject())
		return RaiseWithSource(cx, self, ERROR_TYPE, MSG_INSTANCEOF_NOT_OBJECT, n->child[1]);
	switch (right.u.object->HasInstance(self->values[0])) {
	case 0:
		return CompleteBoolean(cx, self, true);
	case 1:
		return CompleteBoolean(cx, self, false);
	default:
		return RaiseWithSource(cx, self, ERROR_TYPE, MSG_INSTANCEOF_NO_HASINSTANCE, n->child[1]);
	}
}

// in: the key is the left primitive (hint Number); an index asks HasIndex,
// any other text HasName, and a name never interned cannot be present.
int In(ES_Context *cx, JS_Frame *self, const AST_Node *n)
{
	if (int r = Operands(cx, self, n, false); r != -1)
		return r;
	if (int r = ToPrimitives(cx, self, 0, 1, FRAME_TO_PRIMITIVE_NUMBER, 2); r != -1)
		return r;
	if (!self->values[1].IsObject())
		return RaiseWithSource(cx, self, ERROR_TYPE, MSG_IN_NOT_OBJECT, n->child[1]);
	JS_Object *object = self->values[1].u.object;
	const JS_Value &key = self->values[0];
	uint32_t index;
	if (key.IsNumber() && IsArrayIndexNumber(key.u.number, &index))
		return CompleteBoolean(cx, self, object->HasIndex(index, object) != 0);
	bool own_text = !key.IsString();
	JS_String *text = own_text ? ToString(key) : key.u.string;
	if (!text)
		return Fail(cx, self);
	const char *p = text->Text(), *end = p + text->length;
	const char *digits = p;
	while (digits < end && ((*digits >= 9 && *digits <= 13) || *digits == ' '))
		++digits;
	bool found;
	if (digits < end && IsArrayIndexText(digits, uint32_t(end - digits), &index)) {
		found = object->HasIndex(index, object) != 0;
	} else {
		JS_Name *name = JS_Name::Find(p, text->length);
		found = name && object->HasName(name, object) != 0;
	}
	if (own_text)
		JS_String::Free(text);
	return CompleteBoolean(cx, self, found);
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

} // namespace evaluation

// The Object, Array, Number, Boolean and Math built-ins, called through the
// evaluation machine the way a script calls them, with native functions as
// comparators and toString methods.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "array.h"
#include "context.h"
#include "function.h"
#include "global.h"
#include "machine.h"
#include "memory.h"
#include "numtext.h"
#include "scriptcore.h"
#include "wrappers.h"

namespace {

JS_Value N(double d)
{
	JS_Value v;
	v.SetNumber(d);
	return v;
}

JS_Value S(const char *text)
{
	JS_Value v;
	v.SetString(JS_String::Make(text));
	return v;
}

JS_Value B(bool b)
{
	JS_Value v;
	v.SetBoolean(b);
	return v;
}

JS_Value O(JS_Object *o)
{
	JS_Value v;
	v.SetObject(o);
	return v;
}

JS_Value Undefined()
{
	return JS_Value();
}

// A marker for a hole in an array made by Arr.
JS_Value Hole()
{
	JS_Value v;
	v.tag = -1;
	return v;
}

std::string NumberText(double d)
{
	char text[NUMBER_TEXT_SIZE];
	NumberToText(d, text);
	if (d == 0 && std::signbit(d))
		return "-0";
	return text;
}

// Values as text: strings quoted, arrays as [a,b,,c] with holes empty.
std::string Show(const JS_Value &v)
{
	switch (v.tag) {
	case VALUE_UNDEFINED:
		return "undefined";
	case VALUE_NULL:
		return "null";
	case VALUE_BOOLEAN:
		return v.u.boolean ? "true" : "false";
	case VALUE_NUMBER:
		return NumberText(v.u.number);
	case VALUE_STRING: {
		// Built by appends: MinGW's GCC 12 warns falsely (-Wrestrict) on
		// the operator+ form.
		std::string text = "'";
		text.append(v.u.string->Text(), v.u.string->length);
		return text + "'";
	}
	case VALUE_OBJECT: {
		auto *a = dynamic_cast<JS_Array *>(v.u.object);
		if (!a)
			return std::string("[object ") + v.u.object->class_name + "]";
		std::string out = "[";
		for (uint32_t i = 0; i < a->Length() && i < 64; ++i) {
			if (i)
				out += ",";
			if (JS_Property *p = a->FindIndexEntry(i))
				out += Show(p->value);
		}
		if (a->Length() > 64)
			out += ",...";
		return out + "]";
	}
	default:
		return "reference";
	}
}

struct Outcome {
	int code;           // COMPLETION_VALUE, or COMPLETION_THROW
	JS_Value value;     // the result, or the thrown value
	int slices = 0;     // how often the step budget ran out
	std::string Text() const
	{
		if (code != COMPLETION_THROW)
			return Show(value);
		if (value.IsObject()) {
			JS_Value name, message;
			value.u.object->GetByText(nullptr, "name", &name);
			value.u.object->GetByText(nullptr, "message", &message);
			return "throw " + std::string(name.IsString() ? name.u.string->Text() : "?") + ": " +
			       (message.IsString() ? message.u.string->Text() : "?");
		}
		return "throw " + Show(value);
	}
};

class LibraryTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		global = JS_Global_Object::Create();
		ASSERT_NE(global, nullptr);
		cx = ES_CreateContext(global, nullptr, 4, 0);
		ASSERT_NE(cx, nullptr);
	}
	void TearDown() override
	{
		keep.clear();
		ES_DeleteContext(cx);
		global->ClearGlobal();
		global->Release();
	}

	JS_Array *Arr(std::initializer_list<JS_Value> elements)
	{
		JS_Array *a = JS_Array::Create(global);
		keep.push_back(O(a));
		uint32_t i = 0;
		for (const JS_Value &e : elements) {
			if (e.tag != -1)
				a->PutIndex(i, e, a, 0);
			++i;
		}
		a->SetLength(i);
		return a;
	}

	JS_Object *Plain()
	{
		auto *o = new JS_Native_Object(global);
		o->SetPrototype(global->ObjectPrototype());
		keep.push_back(O(o));
		return o;
	}

	JS_Object *Member(int which) { return global->Member(which); }
	JS_Object *Prop(JS_Object *o, const char *name)
	{
		JS_Value v;
		o->GetByText(cx, name, &v);
		EXPECT_TRUE(v.IsObject()) << name;
		return v.IsObject() ? v.u.object : nullptr;
	}
	JS_Object *ArrayMethod(const char *name) { return Prop(Member(JS_Global_Object::ARRAY_PROTOTYPE), name); }
	JS_Object *ObjectMethod(const char *name) { return Prop(Member(JS_Global_Object::OBJECT_PROTOTYPE), name); }
	JS_Object *MathFunction(const char *name) { return Prop(Member(JS_Global_Object::MATH_OBJECT), name); }

	// A native function made for a test, with its own step routine.
	JS_Object *Native(JS_StepFunction step, int magic = 0)
	{
		JS_Native_Function *f = JS_Native_Function::Create(global, global->FunctionPrototype(), step,
			JS_Name::Intern("testFunction"), 0, magic);
		keep.push_back(O(f));
		return f;
	}

	// Calls fn with this and the arguments, or constructs with it, running
	// the machine in slices of the given budget.
	Outcome Run(JS_Object *fn, JS_Object *this_object, std::vector<JS_Value> args, bool construct = false,
		int slice = 100000)
	{
		Outcome out{COMPLETION_THROW, JS_Value()};
		if (!cx->Reset() || !cx->PushThis(this_object ? this_object : global) || !cx->PushCallResult())
			return out;
		for (const JS_Value &a : args)
			cx->Top()->values.Push(a);
		if (!(construct ? cx->PushConstruct(fn) : cx->PushCall(fn)))
			return out;
		int r;
		while ((r = RunContext(cx, slice)) == 0)
			if (++out.slices > 1000000)
				break;
		out.code = r;
		JS_Frame *bottom = cx->FrameAt(0);
		if (bottom->values.Count())
			out.value = bottom->values.Top();
		return out;
	}
	std::string Call(JS_Object *fn, JS_Object *this_object, std::vector<JS_Value> args)
	{
		return Run(fn, this_object, std::move(args)).Text();
	}

	JS_Global_Object *global = nullptr;
	ES_Context *cx = nullptr;
	std::vector<JS_Value> keep;
};

// ---------------------------------------------------------------------------
// Array

TEST_F(LibraryTest, ArrayConstructor)
{
	JS_Object *array = Member(JS_Global_Object::ARRAY_CONSTRUCTOR);
	const struct {
		std::vector<JS_Value> args;
		const char *result;
	} cases[] = {
		{{N(3)}, "[,,]"},
		{{S("3")}, "['3']"},
		{{N(1), N(2)}, "[1,2]"},
		{{}, "[]"},
		{{N(-1)}, "throw RangeError: Length given to Array constructor is out of range.: -1"},
		{{N(1.5)}, "throw RangeError: Length given to Array constructor is out of range.: 1.5"},
		{{N(4294967296.0)}, "throw RangeError: Length given to Array constructor is out of range.: 4.29497e+09"},
	};
	for (const auto &c : cases) {
		EXPECT_EQ(Run(array, nullptr, c.args).Text(), c.result);
		EXPECT_EQ(Run(array, nullptr, c.args, true).Text(), c.result);
	}
	// The largest length makes no elements.
	Outcome big = Run(array, nullptr, {N(4294967295.0)}, true);
	ASSERT_TRUE(big.value.IsObject());
	auto *a = dynamic_cast<JS_Array *>(big.value.u.object);
	ASSERT_NE(a, nullptr);
	EXPECT_EQ(a->Length(), 4294967295u);
	EXPECT_EQ(a->IndexedCount(), 0u);
	EXPECT_EQ(a->Prototype(), Member(JS_Global_Object::ARRAY_PROTOTYPE));
}

TEST_F(LibraryTest, Join)
{
	JS_Object *join = ArrayMethod("join");
	JS_Object *to_string = ArrayMethod("toString");
	JS_Value null;
	null.SetNull();
	EXPECT_EQ(Call(join, Arr({N(1), O(Arr({N(2), N(3)})), N(4)}), {}), "'1,2,3,4'");
	EXPECT_EQ(Call(join, Arr({null, Undefined(), N(1)}), {S("-")}), "'--1'");
	EXPECT_EQ(Call(join, Arr({N(1), N(2)}), {N(0)}), "'102'");
	// An undefined separator is the default one.
	EXPECT_EQ(Call(join, Arr({N(1), N(2)}), {Undefined()}), "'1,2'");
	EXPECT_EQ(Call(join, Arr({}), {}), "''");
	EXPECT_EQ(Call(join, Arr({N(1), Hole(), B(true), S("x")}), {S("+")}), "'1++true+x'");
	EXPECT_EQ(Call(to_string, Arr({N(1.5), N(-0.0), N(1e21)}), {S("ignored")}), "'1.5,0,1e+21'");
	// this need not be an array.
	JS_Object *o = Plain();
	o->PutByText(cx, "length", N(2), 0);
	o->PutIndex(1, S("b"), o, 0);
	EXPECT_EQ(Call(join, o, {}), "',b'");
}

TEST_F(LibraryTest, JoinWalksMoreElementsThanStepNumbersCouldCount)
{
	JS_Object *join = ArrayMethod("join");
	JS_Object *array = Member(JS_Global_Object::ARRAY_CONSTRUCTOR);
	Outcome made = Run(array, nullptr, {N(20001)});
	ASSERT_TRUE(made.value.IsObject());
	Outcome joined = Run(join, made.value.u.object, {S("x")});
	ASSERT_TRUE(joined.value.IsString());
	EXPECT_EQ(joined.value.u.string->length, 20000u);

	// Present elements too, and in small slices: the host gets its turn.
	JS_Array *a = Arr({});
	for (uint32_t i = 0; i < 30000; ++i)
		a->PutIndex(i, N(i % 10), a, 0);
	Outcome sliced = Run(join, a, {S("")}, false, 1);
	ASSERT_TRUE(sliced.value.IsString());
	EXPECT_EQ(sliced.value.u.string->length, 30000u);
	EXPECT_GT(sliced.slices, 0);
	EXPECT_EQ(std::string(sliced.value.u.string->Text(), 12), "012345678901");
}

TEST_F(LibraryTest, LongCopiesGiveTheHostItsTurn)
{
	JS_Array *a = Arr({});
	for (uint32_t i = 0; i < 50000; ++i)
		if (i % 3)
			a->PutIndex(i, N(i), a, 0);
	a->SetLength(50001);
	Outcome sliced = Run(ArrayMethod("slice"), a, {N(1), N(-1)}, false, 1);
	EXPECT_GT(sliced.slices, 0);
	Outcome joined = Run(ArrayMethod("concat"), a, {N(7), O(a)}, false, 1);
	EXPECT_GT(joined.slices, 0);
	ASSERT_TRUE(sliced.value.IsObject() && joined.value.IsObject());
	auto *s = static_cast<JS_Array *>(sliced.value.u.object);
	auto *c = static_cast<JS_Array *>(joined.value.u.object);
	EXPECT_EQ(s->Length(), 49999u);
	EXPECT_EQ(s->IndexedCount(), a->IndexedCount());
	EXPECT_EQ(c->Length(), 100003u);
	EXPECT_EQ(c->IndexedCount(), 2 * a->IndexedCount() + 1);
	for (uint32_t i = 0; i < 50001; ++i) {
		JS_Property *from = a->FindIndexEntry(i);
		JS_Property *left = c->FindIndexEntry(i), *right = c->FindIndexEntry(50002 + i);
		ASSERT_EQ(from != nullptr, left != nullptr) << i;
		ASSERT_EQ(from != nullptr, right != nullptr) << i;
		if (i >= 1 && i < 50000) {
			ASSERT_EQ(from != nullptr, s->FindIndexEntry(i - 1) != nullptr) << i;
		}
		if (from) {
			EXPECT_EQ(left->value.u.number, from->value.u.number);
			EXPECT_EQ(right->value.u.number, from->value.u.number);
		}
	}
	EXPECT_EQ(Show(c->FindIndexEntry(50001)->value), "7");
}

TEST_F(LibraryTest, JoinOfAHugeSparseArrayFollowsItsElements)
{
	JS_Object *join = ArrayMethod("join");
	JS_Array *a = Arr({});
	a->PutIndex(3000000000u, S("z"), a, 0);
	a->SetLength(4294967295u);
	EXPECT_EQ(Call(join, a, {S("")}), "'z'");
	// With a separator the text would pass the string limit: a clean error.
	EXPECT_EQ(Call(join, a, {S("-")}), "throw Error: Array.prototype.join: the result is too long");
}

// toString methods for the elements: each returns what its magic selects.
int ElementToString(ES_Context *cx, JS_Frame *, JS_Frame *self, int magic)
{
	switch (magic) {
	case 0:
		return COMPLETION_NORMAL;   // returns nothing
	case 1:
		self->values.Push(N(7));   // not a string
		return COMPLETION_RETURN;
	case 2: {
		JS_Value e;
		e.SetString(JS_String::Make("thrown"));
		self->values.Push(e);
		return COMPLETION_THROW;
	}
	case 3: {
		JS_Value text;
		text.SetString(JS_String::Make("<"));
		text.u.string->Append(cx->This()->class_name);
		text.u.string->Append(">");
		self->values.Push(text);
		return COMPLETION_RETURN;
	}
	default:
		self->values.PushUndefined();
		return COMPLETION_RETURN;
	}
}

TEST_F(LibraryTest, JoinCallsEachElementsToString)
{
	JS_Object *join = ArrayMethod("join");
	auto element = [&](int magic) {
		JS_Object *o = Plain();
		o->PutByText(cx, "toString", O(Native(ElementToString, magic)), 0);
		return O(o);
	};
	EXPECT_EQ(Call(join, Arr({element(0), N(1)}), {}), "'undefined,1'");
	EXPECT_EQ(Call(join, Arr({element(4)}), {}), "'undefined'");
	EXPECT_EQ(Call(join, Arr({element(1)}), {}),
		"throw TypeError: Array.prototype.join: array element's toString method did not return a string "
		"or a String");
	EXPECT_EQ(Call(join, Arr({N(1), element(2)}), {}), "throw 'thrown'");
	EXPECT_EQ(Call(join, Arr({element(3), element(3)}), {S("|")}), "'<Object>|<Object>'");
	JS_Object *bare = Plain();
	bare->SetPrototype(nullptr);
	EXPECT_EQ(Call(join, Arr({O(bare)}), {}),
		"throw TypeError: Array.prototype.join: array element does not implement toString");

	// A primitive's own prototype method is honoured once a script replaces it.
	Member(JS_Global_Object::NUMBER_PROTOTYPE)->PutByText(cx, "toString", O(Native(ElementToString, 3)), 0);
	EXPECT_EQ(Call(join, Arr({N(1), S("s")}), {}), "'<Number>,s'");
}

TEST_F(LibraryTest, ToLocaleStringCallsEachElementsToString)
{
	JS_Object *locale = ArrayMethod("toLocaleString");
	// Object.prototype.toLocaleString calls this.toString().
	EXPECT_EQ(Call(locale, Arr({N(1), S("a"), B(false), O(Arr({N(2), N(3)}))}), {}), "'1,a,false,2,3'");
	EXPECT_EQ(Call(ObjectMethod("toLocaleString"), Plain(), {}), "'[object Object]'");
	JS_Object *bare = Plain();
	bare->SetPrototype(nullptr);
	EXPECT_EQ(Call(locale, Arr({O(bare)}), {}),
		"throw TypeError: Array.prototype.toLocaleString: array element does not implement toLocaleString");
}

TEST_F(LibraryTest, MovingMethods)
{
	const struct {
		const char *method;
		std::vector<JS_Value> before;
		std::vector<JS_Value> args;
		const char *result;
		const char *after;
	} cases[] = {
		{"concat", {N(1), N(2)}, {N(3), O(Arr({N(4), N(5)}))}, "[1,2,3,4,5]", "[1,2]"},
		{"concat", {N(1), Hole()}, {O(Arr({Hole(), N(2)}))}, "[1,,,2]", "[1,]"},
		{"pop", {}, {}, "undefined", "[]"},
		{"pop", {N(1), N(2)}, {}, "2", "[1]"},
		{"push", {N(1), N(2)}, {N(3), N(4)}, "4", "[1,2,3,4]"},
		{"reverse", {N(1), N(2), N(3)}, {}, "[3,2,1]", "[3,2,1]"},
		{"reverse", {N(1), Hole(), N(3), Hole()}, {}, "[,3,,1]", "[,3,,1]"},
		{"shift", {N(1), N(2)}, {}, "1", "[2]"},
		{"shift", {Hole(), N(2), Hole(), N(4)}, {}, "undefined", "[2,,4]"},
		{"shift", {}, {}, "undefined", "[]"},
		{"unshift", {N(1), N(2)}, {N(0)}, "3", "[0,1,2]"},
		{"unshift", {Hole(), N(2)}, {S("a"), S("b")}, "4", "['a','b',,2]"},
		{"unshift", {N(1)}, {}, "1", "[1]"},
		{"slice", {N(1), N(2), N(3)}, {N(-2)}, "[2,3]", "[1,2,3]"},
		{"slice", {N(1), N(2), N(3)}, {N(0), N(-1)}, "[1,2]", "[1,2,3]"},
		{"slice", {N(1), N(2), N(3)}, {N(-5)}, "[1,2,3]", "[1,2,3]"},
		{"slice", {N(1), N(2), N(3)}, {N(2), N(1)}, "[]", "[1,2,3]"},
		{"slice", {N(1), N(2), N(3)}, {N(1), Undefined()}, "[2,3]", "[1,2,3]"},
		{"slice", {N(1), Hole(), N(3), Hole(), Hole()}, {N(1)}, "[,3,,]", "[1,,3,,]"},
		{"slice", {N(1), N(2), N(3)}, {S("1"), S("x")}, "[]", "[1,2,3]"},
		{"splice", {N(1), N(2), N(3), N(4)}, {N(1), N(2), S("a")}, "[2,3]", "[1,'a',4]"},
		{"splice", {N(1), N(2)}, {N(1)}, "[]", "[1,2]"},
		{"splice", {N(1), N(2), N(3)}, {N(-1), N(1)}, "[3]", "[1,2]"},
		{"splice", {N(1), N(2), N(3)}, {N(1), N(0), S("a"), S("b")}, "[]", "[1,'a','b',2,3]"},
		{"splice", {N(1), Hole(), N(3), N(4)}, {N(0), N(3), S("x")}, "[1,,3]", "['x',4]"},
		{"splice", {N(1), N(2), N(3)}, {N(1), N(1e10), S("x")}, "[2,3]", "[1,'x']"},
		{"splice", {N(1), N(2)}, {N(5), N(-3), S("x")}, "[]", "[1,2,'x']"},
	};
	for (const auto &c : cases) {
		JS_Array *a = Arr({});
		for (uint32_t i = 0; i < c.before.size(); ++i)
			if (c.before[i].tag != -1)
				a->PutIndex(i, c.before[i], a, 0);
		a->SetLength(uint32_t(c.before.size()));
		EXPECT_EQ(Call(ArrayMethod(c.method), a, c.args), c.result) << c.method;
		EXPECT_EQ(Show(O(a)), c.after) << c.method;
		// The entries stay in key order.
		for (uint32_t p = 1; p < a->IndexedCount(); ++p)
			EXPECT_LT(a->IndexedEntryAt(p - 1)->key.index, a->IndexedEntryAt(p)->key.index) << c.method;
	}
}

TEST_F(LibraryTest, LengthsNeverPassTheLargestOne)
{
	JS_Array *a = Arr({N(1)});
	ASSERT_TRUE(a->SetLength(4294967295u));
	const char *methods[] = {"push", "unshift", "splice"};
	for (const char *m : methods) {
		std::vector<JS_Value> args = {N(1), N(2)};
		if (std::string(m) == "splice")
			args = {N(1), N(0), N(7)};
		std::string r = Call(ArrayMethod(m), a, args);
		EXPECT_EQ(r.substr(0, 16), "throw RangeError") << m << ": " << r;
		EXPECT_EQ(Show(a->FindIndexEntry(0)->value), "1") << m;
		EXPECT_EQ(a->Length(), 4294967295u) << m;
		EXPECT_EQ(a->IndexedCount(), 1u) << m;
	}
	// One more element still fits.
	JS_Array *b = Arr({});
	b->SetLength(4294967294u);
	EXPECT_EQ(Call(ArrayMethod("push"), b, {S("last")}), "4294967295");
	EXPECT_EQ(Show(b->FindIndexEntry(4294967294u)->value), "'last'");
	std::string r = Call(ArrayMethod("concat"), a, {O(a)});
	EXPECT_EQ(r.substr(0, 16), "throw RangeError") << r;
}

TEST_F(LibraryTest, MethodsWorkOnPlainObjects)
{
	JS_Object *o = Plain();
	o->PutByText(cx, "length", S("2"), 0);
	o->PutIndex(0, S("a"), o, 0);
	o->PutIndex(1, S("b"), o, 0);
	o->PutIndex(5, S("beyond"), o, 0);
	EXPECT_EQ(Call(ArrayMethod("push"), o, {S("c")}), "3");
	EXPECT_EQ(Call(ArrayMethod("reverse"), o, {}), "[object Object]");
	EXPECT_EQ(Call(ArrayMethod("join"), o, {}), "'c,b,a'");
	EXPECT_EQ(Call(ArrayMethod("shift"), o, {}), "'c'");
	EXPECT_EQ(Call(ArrayMethod("join"), o, {}), "'b,a'");
	JS_Value v;
	o->GetIndex(5, &v, o);
	EXPECT_EQ(Show(v), "'beyond'");
	// concat puts a non-array this in as one element.
	EXPECT_EQ(Call(ArrayMethod("concat"), o, {N(1)}), "[[object Object],1]");
}

// ---------------------------------------------------------------------------
// sort

TEST_F(LibraryTest, SortWithoutComparator)
{
	JS_Object *sort = ArrayMethod("sort");
	const struct {
		std::vector<JS_Value> before;
		const char *after;
	} cases[] = {
		{{N(10), N(9), N(1)}, "[1,10,9]"},
		{{N(3), Undefined(), N(1)}, "[1,3,undefined]"},
		{{N(3), Hole(), N(1), Undefined(), Hole()}, "[1,3,undefined,,]"},
		{{S("b"), S("a"), S("ab"), S(""), S("\xe9"), S("B")}, "['','B','a','ab','b','\xe9']"},
		{{}, "[]"},
		{{B(true), B(false), N(-1)}, "[-1,false,true]"},
	};
	for (const auto &c : cases) {
		JS_Array *a = Arr({});
		for (uint32_t i = 0; i < c.before.size(); ++i)
			if (c.before[i].tag != -1)
				a->PutIndex(i, c.before[i], a, 0);
		a->SetLength(uint32_t(c.before.size()));
		EXPECT_EQ(Call(sort, a, {}), c.after);
		EXPECT_EQ(a->Length(), c.before.size());
	}
}

TEST_F(LibraryTest, SortOfASparseArrayFollowsItsElements)
{
	JS_Array *a = Arr({});
	a->PutIndex(1000000000u, N(1), a, 0);
	a->PutIndex(7, N(2), a, 0);
	a->PutIndex(4000000000u, N(0), a, 0);
	Outcome out = Run(ArrayMethod("sort"), a, {}, false, 50);
	EXPECT_EQ(out.slices, 0);
	EXPECT_EQ(a->IndexedCount(), 3u);
	EXPECT_EQ(a->Length(), 4000000001u);
	EXPECT_EQ(Show(a->FindIndexEntry(0)->value), "0");
	EXPECT_EQ(Show(a->FindIndexEntry(1)->value), "1");
	EXPECT_EQ(Show(a->FindIndexEntry(2)->value), "2");
}

// Comparators: magic 0 numeric, 1 always 1, 2 always -1, 3 random, 4 throws
// on the third call, 5 empties the array being sorted, 6 returns "x < y ? -1
// : 1", 7 returns nothing, 8 returns booleans x > y, 9 compares thousands.
int calls;
uint32_t seed;
int Comparator(ES_Context *cx, JS_Frame *args, JS_Frame *self, int magic)
{
	++calls;
	double x = ToNumber(args->values[0]), y = ToNumber(args->values[1]);
	double r = 0;
	switch (magic) {
	case 0:
		r = x - y;
		break;
	case 1:
		r = 1;
		break;
	case 2:
		r = -1;
		break;
	case 3:
		seed = seed * 1103515245u + 12345u;
		r = double(int((seed >> 16) % 3) - 1);
		break;
	case 4:
		if (calls == 3) {
			self->values.Push(S("comparator failed"));
			return COMPLETION_THROW;
		}
		r = x - y;
		break;
	case 5:
		static_cast<JS_Array *>(cx->This())->SetLength(0);
		r = x - y;
		break;
	case 6:
		r = x < y ? -1 : 1;
		break;
	case 7:
		return COMPLETION_NORMAL;
	case 8:
		self->values.Push(B(x > y));
		return COMPLETION_RETURN;
	case 9:
		r = std::floor(x / 1000) - std::floor(y / 1000);
		break;
	}
	self->values.Push(N(r));
	return COMPLETION_RETURN;
}

TEST_F(LibraryTest, SortWithComparatorsOfEveryKindKeepsEveryElement)
{
	JS_Object *sort = ArrayMethod("sort");
	for (int magic = 0; magic <= 8; ++magic) {
		for (uint32_t n : {0u, 1u, 2u, 7u, 8u, 9u, 50u, 333u}) {
			JS_Array *a = Arr({});
			for (uint32_t i = 0; i < n; ++i)
				a->PutIndex(i, N((i * 7919) % 13), a, 0);
			calls = 0;
			seed = n;
			Outcome out = Run(sort, a, {O(Native(Comparator, magic))});
			if (magic == 4 && n * n > 4) {
				EXPECT_EQ(out.Text(), "throw 'comparator failed'");
			} else {
				ASSERT_EQ(out.code, COMPLETION_VALUE) << magic << " " << n << " " << out.Text();
			}
			// Every element is kept, whatever the comparator did.
			std::vector<int> seen(13);
			for (uint32_t i = 0; i < a->Length(); ++i) {
				JS_Property *p = a->FindIndexEntry(i);
				ASSERT_NE(p, nullptr) << magic << " " << n;
				++seen[int(p->value.u.number)];
			}
			std::vector<int> expected(13);
			for (uint32_t i = 0; i < n; ++i)
				++expected[(i * 7919) % 13];
			EXPECT_EQ(seen, expected) << magic << " " << n;
			EXPECT_EQ(a->Length(), n) << magic;
			EXPECT_LE(calls, int(n * 10 + 1)) << magic << " " << n;
			if (magic == 0 || magic == 6 || magic == 8) {
				for (uint32_t i = 1; i < n; ++i)
					EXPECT_LE(a->FindIndexEntry(i - 1)->value.u.number, a->FindIndexEntry(i)->value.u.number)
						<< magic << " " << n;
			}
		}
	}
}

TEST_F(LibraryTest, SortIsStableAndResumable)
{
	// Numbers compared on their thousands only keep their order among
	// equals; the sort runs in slices of three steps.
	JS_Array *a = Arr({});
	for (uint32_t i = 0; i < 200; ++i)
		a->PutIndex(i, N(double((i * 37) % 10) * 1000 + i), a, 0);
	Outcome out = Run(ArrayMethod("sort"), a, {O(Native(Comparator, 9))}, false, 3);
	EXPECT_GT(out.slices, 100);
	for (uint32_t i = 1; i < 200; ++i)
		EXPECT_LT(a->FindIndexEntry(i - 1)->value.u.number, a->FindIndexEntry(i)->value.u.number);
}

// ---------------------------------------------------------------------------
// Object

TEST_F(LibraryTest, ObjectConstructor)
{
	JS_Object *object = Member(JS_Global_Object::OBJECT_CONSTRUCTOR);
	JS_Value null;
	null.SetNull();
	for (bool construct : {false, true}) {
		for (const JS_Value &arg : {null, Undefined()}) {
			Outcome out = Run(object, nullptr, {arg}, construct);
			ASSERT_TRUE(out.value.IsObject());
			EXPECT_EQ(out.value.u.object->Prototype(), global->ObjectPrototype());
			EXPECT_EQ(out.value.u.object->NamedCount(), 0u);
		}
		JS_Object *o = Plain();
		Outcome same = Run(object, nullptr, {O(o)}, construct);
		EXPECT_EQ(same.value.u.object, o);
		Outcome wrapped = Run(object, nullptr, {N(1)}, construct);
		ASSERT_TRUE(wrapped.value.IsObject());
		EXPECT_EQ(wrapped.value.u.object->IsNumber(), 1);
		EXPECT_EQ(Run(object, nullptr, {}, construct).Text(), "[object Object]");
	}
}

TEST_F(LibraryTest, ObjectPrototypeMethods)
{
	JS_Object *to_string = ObjectMethod("toString");
	EXPECT_EQ(Call(to_string, Arr({}), {}), "'[object Array]'");
	EXPECT_EQ(Call(to_string, Member(JS_Global_Object::MATH_OBJECT), {}), "'[object Math]'");
	EXPECT_EQ(Call(to_string, to_string, {}), "'[object Function]'");

	JS_Object *o = Plain();
	o->PutByText(cx, "a", N(1), 0);
	o->PutByText(cx, "hidden", N(1), PROP_DONT_ENUM);
	JS_Object *has = ObjectMethod("hasOwnProperty");
	JS_Object *enumerable = ObjectMethod("propertyIsEnumerable");
	JS_Array *five = Arr({N(5)});
	const struct {
		JS_Object *fn;
		JS_Object *self;
		JS_Value key;
		const char *result;
	} cases[] = {
		{has, o, S("a"), "true"},
		{has, o, S("toString"), "false"},
		{has, o, S("neverSeenName"), "false"},
		{has, five, S("0"), "true"},
		{has, five, N(0), "true"},
		{has, five, S("length"), "true"},
		{has, five, N(1), "false"},
		{enumerable, five, N(0), "true"},
		{enumerable, five, S("length"), "false"},
		{enumerable, o, S("a"), "true"},
		{enumerable, o, S("hidden"), "false"},
		{enumerable, o, S("b"), "false"},
	};
	for (const auto &c : cases)
		EXPECT_EQ(Call(c.fn, c.self, {c.key}), c.result) << Show(c.key);
	EXPECT_EQ(JS_Name::Find("neverSeenName"), nullptr);

	JS_Object *is_prototype = ObjectMethod("isPrototypeOf");
	EXPECT_EQ(Call(is_prototype, global->ObjectPrototype(), {O(o)}), "true");
	EXPECT_EQ(Call(is_prototype, o, {O(o)}), "false");
	EXPECT_EQ(Call(is_prototype, o, {N(1)}), "false");
	EXPECT_EQ(Call(is_prototype, o, {}), "false");
	EXPECT_EQ(Call(ObjectMethod("valueOf"), o, {}), "[object Object]");

	JS_Value length;
	enumerable->GetByText(cx, "length", &length);
	EXPECT_EQ(Show(length), "0");
	Member(JS_Global_Object::OBJECT_CONSTRUCTOR)->GetByText(cx, "length", &length);
	EXPECT_EQ(Show(length), "1");
}

// A key whose toString runs: hasOwnProperty converts it first.
int KeyToString(ES_Context *, JS_Frame *, JS_Frame *self, int)
{
	self->values.Push(S("a"));
	return COMPLETION_RETURN;
}

TEST_F(LibraryTest, OwnPropertyKeysAreConvertedThroughScript)
{
	JS_Object *key = Plain();
	key->PutByText(cx, "toString", O(Native(KeyToString)), 0);
	JS_Object *o = Plain();
	o->PutByText(cx, "a", N(1), 0);
	EXPECT_EQ(Call(ObjectMethod("hasOwnProperty"), o, {O(key)}), "true");
}

// ---------------------------------------------------------------------------
// Number, Boolean, String

TEST_F(LibraryTest, NumberAndBoolean)
{
	JS_Object *number = Member(JS_Global_Object::NUMBER_CONSTRUCTOR);
	EXPECT_EQ(Call(number, nullptr, {}), "0");
	EXPECT_EQ(Call(number, nullptr, {S(" 12 ")}), "12");
	EXPECT_EQ(Call(number, nullptr, {Undefined()}), "NaN");
	Outcome made = Run(number, nullptr, {S("12")}, true);
	ASSERT_TRUE(made.value.IsObject());
	EXPECT_EQ(Show(*made.value.u.object->InternalValue()), "12");
	EXPECT_EQ(made.value.u.object->Prototype(), Member(JS_Global_Object::NUMBER_PROTOTYPE));

	const struct {
		const char *name;
		const char *text;
	} constants[] = {
		{"MAX_VALUE", "1.7976931348623157e+308"},
		{"MIN_VALUE", "5e-324"},
		{"NaN", "NaN"},
		{"NEGATIVE_INFINITY", "-Infinity"},
		{"POSITIVE_INFINITY", "Infinity"},
	};
	for (const auto &c : constants) {
		JS_Value v;
		number->GetByText(cx, c.name, &v);
		EXPECT_EQ(Show(v), c.text);
		JS_Property *p = FindOwnPropertyByText(number, c.name);
		ASSERT_NE(p, nullptr);
		EXPECT_EQ(p->flags & PROP_ATTRIBUTES, uint32_t(PROP_DONT_ENUM | PROP_READ_ONLY | PROP_DONT_DELETE));
	}

	JS_Object *boolean = Member(JS_Global_Object::BOOLEAN_CONSTRUCTOR);
	EXPECT_EQ(Call(boolean, nullptr, {S("")}), "false");
	EXPECT_EQ(Call(boolean, nullptr, {S("false")}), "true");
	EXPECT_EQ(Call(boolean, nullptr, {}), "false");
	Outcome wrapped = Run(boolean, nullptr, {B(false)}, true);
	ASSERT_TRUE(wrapped.value.IsObject());
	JS_Object *bp = Member(JS_Global_Object::BOOLEAN_PROTOTYPE);
	EXPECT_EQ(Call(Prop(bp, "toString"), wrapped.value.u.object, {}), "'false'");
	EXPECT_EQ(Call(Prop(bp, "valueOf"), wrapped.value.u.object, {}), "false");
	EXPECT_EQ(Call(Prop(bp, "toString"), Plain(), {}),
		"throw TypeError: Boolean.prototype.toString() requires a Boolean object");
	EXPECT_EQ(Call(Prop(bp, "valueOf"), Plain(), {}),
		"throw TypeError: Boolean.prototype.valueOf() requires a Boolean object");

	JS_Object *sp = Member(JS_Global_Object::STRING_PROTOTYPE);
	JS_Object *text = MakeWrapper(global, S("abc"));
	keep.push_back(O(text));
	EXPECT_EQ(Call(Prop(sp, "toString"), text, {}), "'abc'");
	EXPECT_EQ(Call(Prop(sp, "valueOf"), text, {}), "'abc'");
	EXPECT_EQ(Call(Prop(sp, "valueOf"), Plain(), {}),
		"throw TypeError: String.prototype.toString() requires a String object");
}

TEST_F(LibraryTest, NumberToStringWithRadix)
{
	JS_Object *np = Member(JS_Global_Object::NUMBER_PROTOTYPE);
	JS_Object *to_string = Prop(np, "toString");
	auto number = [&](double d) {
		JS_Object *o = MakeWrapper(global, N(d));
		keep.push_back(O(o));
		return o;
	};
	const struct {
		double value;
		std::vector<JS_Value> radix;
		const char *text;
	} cases[] = {
		{255, {N(16)}, "'ff'"},
		{0, {N(2)}, "'0'"},
		{255.9, {N(2)}, "'11111111'"},
		{10, {N(10)}, "'10'"},
		{1.5, {}, "'1.5'"},
		{1.5, {Undefined()}, "'1.5'"},
		{4294967297.0, {N(16)}, "'100000001'"},
		{-255, {N(16)}, "'-ff'"},
		{35, {N(36)}, "'z'"},
		{-0.5, {N(2)}, "'0'"},
		{9007199254740993.0, {N(10)}, "'9007199254740992'"},
		{1e21, {N(16)}, "'3635c9adc5dea00000'"},
		{js_nan, {N(2)}, "'NaN'"},
		{-js_infinity, {N(16)}, "'-Infinity'"},
		{1, {N(37)}, "throw RangeError: Number.prototype.toString: the radix must be from 2 to 36"},
		{1, {N(1)}, "throw RangeError: Number.prototype.toString: the radix must be from 2 to 36"},
		{1, {N(js_nan)}, "throw RangeError: Number.prototype.toString: the radix must be from 2 to 36"},
	};
	for (const auto &c : cases)
		EXPECT_EQ(Call(to_string, number(c.value), c.radix), c.text) << c.value;
	// The largest number in base 2: 1024 digits.
	Outcome big = Run(to_string, number(1.7976931348623157e308), {N(2)});
	ASSERT_TRUE(big.value.IsString());
	EXPECT_EQ(big.value.u.string->length, 1024u);
	EXPECT_EQ(std::string(big.value.u.string->Text()).find('0'), 53u);

	EXPECT_EQ(Call(to_string, Plain(), {}), "throw TypeError: Number.prototype.toString() requires a Number object");
	EXPECT_EQ(Call(Prop(np, "valueOf"), MakeWrapper(global, S("1")), {}),
		"throw TypeError: Number.prototype.valueOf() requires a Number object");
	EXPECT_EQ(Call(Prop(np, "toLocaleString"), number(12), {}), "'12'");
}

// ---------------------------------------------------------------------------
// Math

TEST_F(LibraryTest, MathFunctions)
{
	const struct {
		const char *name;
		std::vector<JS_Value> args;
		const char *result;
	} cases[] = {
		{"max", {}, "-Infinity"},
		{"min", {}, "Infinity"},
		{"max", {N(5)}, "5"},
		{"min", {N(js_nan), N(1)}, "NaN"},
		{"max", {N(1), N(js_nan), N(2)}, "NaN"},
		{"max", {N(-0.0), N(0)}, "0"},
		{"min", {N(0), N(-0.0)}, "-0"},
		{"max", {S("3"), N(2), B(true)}, "3"},
		{"round", {N(-0.5)}, "-0"},
		{"round", {N(2.5)}, "3"},
		{"round", {N(-2.5)}, "-2"},
		{"round", {N(0.49999999999999994)}, "0"},
		{"round", {N(-0.2)}, "-0"},
		{"round", {N(-0.0)}, "-0"},
		{"round", {N(4503599627370497.0)}, "4503599627370497"},
		{"round", {N(-4.6)}, "-5"},
		{"round", {}, "NaN"},
		{"abs", {N(-3)}, "3"},
		{"floor", {S("-1.5")}, "-2"},
		{"ceil", {N(1.2)}, "2"},
		{"sqrt", {N(-1)}, "NaN"},
		{"pow", {N(2), N(10)}, "1024"},
		{"pow", {N(2)}, "NaN"},
		{"pow", {N(1), N(js_infinity)}, "NaN"},
		{"pow", {N(1), N(js_nan)}, "NaN"},
		{"pow", {N(js_nan), N(0)}, "1"},
		{"pow", {N(10), N(400)}, "Infinity"},
		{"pow", {N(-8), N(1.0 / 3)}, "NaN"},
		{"atan2", {N(1), N(1)}, "0.7853981633974483"},
		{"atan2", {N(1)}, "NaN"},
		{"exp", {N(0)}, "1"},
		{"log", {N(0)}, "-Infinity"},
	};
	for (const auto &c : cases)
		EXPECT_EQ(Call(MathFunction(c.name), nullptr, c.args), c.result) << c.name << " " << Show(c.args.empty() ? Undefined() : c.args[0]);

	JS_Value pi;
	Member(JS_Global_Object::MATH_OBJECT)->GetByText(cx, "PI", &pi);
	EXPECT_EQ(Show(pi), "3.141592653589793");
	EXPECT_EQ(std::string(Member(JS_Global_Object::MATH_OBJECT)->class_name), "Math");
}

int ValueOfThree(ES_Context *, JS_Frame *, JS_Frame *self, int)
{
	self->values.Push(N(3));
	return COMPLETION_RETURN;
}

TEST_F(LibraryTest, MathConvertsObjectsThroughValueOf)
{
	JS_Object *three = Plain();
	three->PutByText(cx, "valueOf", O(Native(ValueOfThree)), 0);
	EXPECT_EQ(Call(MathFunction("max"), nullptr, {N(1), O(three), N(2)}), "3");
	EXPECT_EQ(Call(MathFunction("pow"), nullptr, {O(three), O(three)}), "27");
	EXPECT_EQ(Call(MathFunction("abs"), nullptr, {O(Plain())}), "NaN");
}

TEST_F(LibraryTest, RandomStaysBelowOne)
{
	// One process-wide sequence: every value is a multiple of 1/32768 below 1.
	for (int i = 0; i < 70000; ++i) {
		Outcome out = Run(MathFunction("random"), nullptr, {});
		ASSERT_TRUE(out.value.IsNumber());
		double d = out.value.u.number;
		ASSERT_GE(d, 0);
		ASSERT_LT(d, 1);
		ASSERT_EQ(d * 32768, std::floor(d * 32768));
	}
}


// ---------------------------------------------------------------------------
// Out of memory

// Every allocation of each operation is made to fail in turn: the operation
// raises or succeeds, never crashes, and leaves the array's entries in key
// order below its length, with none lost unless the operation removes it.
TEST_F(LibraryTest, OperationsSurviveEveryFailedAllocation)
{
	const struct {
		const char *method;
		std::vector<JS_Value> args;
	} cases[] = {
		{"splice", {N(1), N(1), S("a"), S("b"), S("c")}},
		{"unshift", {S("a"), S("b")}},
		{"push", {S("a")}},
		{"concat", {N(1), N(2)}},
		{"slice", {N(1)}},
		{"join", {S("-")}},
		{"sort", {}},
		{"reverse", {}},
		{"shift", {}},
	};
	for (const auto &c : cases) {
		for (long n = 0;; ++n) {
			JS_Array *a = Arr({N(5), N(4), Hole(), N(3), N(2), N(1), N(0), N(9), N(8), N(7)});
			uint32_t before = a->IndexedCount();
			JS_SetAllocationFault(n, false);
			Outcome out = Run(ArrayMethod(c.method), a, c.args);
			JS_SetAllocationFault(-1, false);
			for (uint32_t p = 1; p < a->IndexedCount(); ++p)
				ASSERT_LT(a->IndexedEntryAt(p - 1)->key.index, a->IndexedEntryAt(p)->key.index) << c.method;
			if (a->IndexedCount()) {
				ASSERT_LT(a->IndexedEntryAt(a->IndexedCount() - 1)->key.index, a->Length()) << c.method;
			}
			if (out.code != COMPLETION_THROW) {
				EXPECT_GE(a->IndexedCount() + 1, before) << c.method;
				break;
			}
			ASSERT_LT(n, 1000) << c.method;
		}
	}
}

} // namespace

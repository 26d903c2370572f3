// Conversions of values that need no script code, and value ownership.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "global.h"
#include "value.h"

namespace {

struct NumberCase {
	const char *text;
	double expected;   // NaN where the text is not a number
};

TEST(StringToNumber, StrictForms)
{
	const double nan = js_nan, inf = js_infinity;
	const NumberCase cases[] = {
		{"", 0},         {"  ", 0},        {"+", nan},      {"-", nan},
		{"-Infinity", -inf}, {"+Infinity", inf}, {"infinity", nan}, {"Infinity1", nan},
		{"0x1f", 31},    {"0X1F", 31},     {"0x", 0},       {"0x1G", nan},
		{" 12 ", 12},    {"\t\n12\r\v\f", 12}, {"12px", nan}, {"1e3", 1000},
		{"1e", nan},     {".5", 0.5},      {"5.", 5},       {".", nan},
		{"-0", -0.0},    {"1.5e-7", 1.5e-7}, {"0x10 ", 16},   {"1 2", nan},
		{"nan", nan},    {"inf", nan},     {"0x1p3", nan},  {"00012", 12},
	};
	for (const auto &c : cases) {
		double d = StringToNumber(c.text, uint32_t(std::strlen(c.text)), true);
		if (std::isnan(c.expected))
			EXPECT_TRUE(std::isnan(d)) << '"' << c.text << '"';
		else
			EXPECT_EQ(d, c.expected) << '"' << c.text << '"';
	}
	EXPECT_TRUE(std::signbit(StringToNumber("-0", 2, true)));
}

TEST(StringToNumber, PrefixFormIgnoresTrailingText)
{
	EXPECT_EQ(StringToNumber("3.5e2xyz", 8, false), 350);
	EXPECT_EQ(StringToNumber("-Infinityx", 10, false), -js_infinity);
	EXPECT_TRUE(std::isnan(StringToNumber("abc", 3, false)));
	EXPECT_TRUE(std::isnan(StringToNumber("", 0, false)));
	// Embedded NUL bytes end nothing: the length decides.
	EXPECT_TRUE(std::isnan(StringToNumber("1\0" "2", 3, true)));
}

TEST(DigitsToNumber, StopsAtFirstNonDigit)
{
	const char *stop = nullptr;
	const char text[] = "7fZz!";
	EXPECT_EQ(DigitsToNumber(text, text + 5, 16, &stop), 0x7f);
	EXPECT_EQ(stop, text + 2);
	EXPECT_EQ(DigitsToNumber(text, text + 5, 36, &stop), ((7 * 36 + 15) * 36 + 35) * 36 + 35);
	EXPECT_EQ(stop, text + 4);
}

TEST(ToInt32, Boundaries)
{
	const struct {
		double in;
		int32_t i32;
		uint32_t u32;
	} cases[] = {
		{4294967296.5, 0, 0},
		{-1.9, -1, 4294967295u},
		{js_nan, 0, 0},
		{js_infinity, 0, 0},
		{-js_infinity, 0, 0},
		{2147483648.0, INT32_MIN, 2147483648u},
		{2147483647.9, INT32_MAX, 2147483647u},
		{-2147483649.0, INT32_MAX, 2147483647u},
		{4294967295.0, -1, 4294967295u},
		{9.3e18, 0, 0},                          // 2^63 and more give 0
		{-0.0, 0, 0},
		{1e10, 1410065408, 1410065408u},
	};
	for (const auto &c : cases) {
		EXPECT_EQ(ToInt32(c.in), c.i32) << c.in;
		EXPECT_EQ(ToUint32(c.in), c.u32) << c.in;
	}
}

JS_Value Str(const char *s)
{
	JS_Value v;
	v.SetString(JS_String::Make(s));
	return v;
}

JS_Value Num(double d)
{
	JS_Value v;
	v.SetNumber(d);
	return v;
}

TEST(Conversions, ToBooleanAndToString)
{
	JS_Value undef, null, yes, no;
	null.SetNull();
	yes.SetBoolean(7);
	no.SetBoolean(0);
	EXPECT_FALSE(ToBoolean(undef));
	EXPECT_FALSE(ToBoolean(null));
	EXPECT_TRUE(ToBoolean(yes));
	EXPECT_FALSE(ToBoolean(no));
	EXPECT_FALSE(ToBoolean(Num(js_nan)));
	EXPECT_FALSE(ToBoolean(Num(-0.0)));
	EXPECT_TRUE(ToBoolean(Str("0")));
	EXPECT_FALSE(ToBoolean(Str("")));

	const struct {
		JS_Value v;
		const char *text;
	} cases[] = {
		{undef, "undefined"}, {null, "null"}, {yes, "true"}, {no, "false"},
		{Num(1e21), "1e+21"}, {Num(1e20), "100000000000000000000"}, {Num(0.000001), "0.000001"},
		{Num(1e-7), "1e-7"}, {Num(-0.0), "0"}, {Num(-1.5), "-1.5"}, {Num(1.0 / 3), "0.3333333333333333"},
		{Num(-js_infinity), "-Infinity"}, {Num(js_nan), "NaN"}, {Num(123.456), "123.456"},
		{Num(100), "100"}, {Str("x\0y"), "x"},
	};
	for (const auto &c : cases) {
		JS_String *s = ToString(c.v);
		ASSERT_NE(s, nullptr);
		EXPECT_STREQ(s->Text(), c.text);
		JS_String::Free(s);
	}
}

TEST(Conversions, StrictEquals)
{
	JS_Value undef, null, t1, t2;
	null.SetNull();
	t1.SetBoolean(1);
	t2.SetBoolean(5);   // any non-zero payload is true
	EXPECT_TRUE(StrictEquals(undef, undef));
	EXPECT_TRUE(StrictEquals(null, null));
	EXPECT_FALSE(StrictEquals(undef, null));
	EXPECT_TRUE(StrictEquals(t1, t2));
	EXPECT_FALSE(StrictEquals(Num(js_nan), Num(js_nan)));
	EXPECT_TRUE(StrictEquals(Num(0.0), Num(-0.0)));
	EXPECT_FALSE(StrictEquals(Num(1), Str("1")));
	JS_Value a, b;
	a.SetString(JS_String::Make("a\0b", 3));
	b.SetString(JS_String::Make("a\0c", 3));
	EXPECT_FALSE(StrictEquals(a, b));   // bytes after a NUL still count
	EXPECT_TRUE(StrictEquals(Str("abc"), Str("abc")));
}

TEST(Values, AssignmentKeepsCountsRight)
{
	JS_String *s = JS_String::Make("text");
	JS_Value v;
	v.SetString(s);
	EXPECT_EQ(s->count, 1u);
	JS_Value &same = v;
	v = same;   // assigning a value to itself
	EXPECT_EQ(s->count, 1u);
	{
		JS_Value copy(v);
		EXPECT_EQ(s->count, 2u);
		copy = Num(1);
		EXPECT_EQ(s->count, 1u);
	}
	JS_Value moved(std::move(v));
	EXPECT_EQ(s->count, 1u);
	EXPECT_TRUE(v.IsUndefined());
}

TEST(Values, ArrayIndexRule)
{
	const struct {
		const char *text;
		bool index;
		uint32_t value;
	} cases[] = {
		{"0", true, 0}, {"01", false, 0}, {"1", true, 1}, {"3000000000", true, 3000000000u},
		{"4294967294", true, 4294967294u}, {"4294967295", false, 0}, {"99999999999", false, 0},
		{"", false, 0}, {" 1", false, 0}, {"1.0", false, 0}, {"-1", false, 0}, {"1e3", false, 0},
	};
	for (const auto &c : cases) {
		uint32_t got = 12345;
		EXPECT_EQ(IsArrayIndexText(c.text, uint32_t(std::strlen(c.text)), &got), c.index) << c.text;
		if (c.index) {
			EXPECT_EQ(got, c.value);
		}
	}
	uint32_t got;
	EXPECT_TRUE(IsArrayIndexNumber(4294967294.0, &got));
	EXPECT_FALSE(IsArrayIndexNumber(4294967295.0, &got));
	EXPECT_FALSE(IsArrayIndexNumber(1.5, &got));
	EXPECT_FALSE(IsArrayIndexNumber(-0.5, &got));
}

TEST(Values, UndefinedVariableTextIsCut)
{
	JS_Value ref;
	std::string name(108, 'n');
	ref.SetUnresolvedReference(JS_Name::Intern(name.c_str()));
	std::string text = UndefinedVariableText(ref);
	EXPECT_EQ(text, "No such variable '" + name + "'");
	ref.SetUnresolvedReference(JS_Name::Intern(std::string(300, 'm').c_str()));
	EXPECT_EQ(std::strlen(UndefinedVariableText(ref)), 127u);
}

TEST(Strings, GrowthAndAppend)
{
	JS_String *s = JS_String::Make("ab");
	ASSERT_NE(s, nullptr);
	EXPECT_EQ(s->capacity, 3u);
	ASSERT_TRUE(s->Append("cd"));
	EXPECT_EQ(s->capacity, 8u);   // requested 5 plus the old 3
	ASSERT_TRUE(s->Append(s->text, s->length));   // its own bytes
	EXPECT_STREQ(s->Text(), "abcdabcd");
	ASSERT_TRUE(s->AppendByte('\0'));
	EXPECT_EQ(s->length, 9u);
	ASSERT_TRUE(s->Assign("z"));
	EXPECT_STREQ(s->Text(), "z");
	JS_String *n = JS_String::MakeInt(-2147483647 - 1);
	EXPECT_STREQ(n->Text(), "-2147483648");
	EXPECT_EQ(n->capacity, 16u);
	JS_String::Free(n);
	JS_String::Free(s);
}

} // namespace

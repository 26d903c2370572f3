// The global functions and the Error objects, called the way a host calls
// script functions: looked up on the global object and run with ES_PushCall.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "scriptcore.h"

namespace {

std::vector<std::string> reports;

int ES_CALLBACK Report(const char *text, ES_Cookie)
{
	reports.push_back(text);
	return 0;
}

const ES_HostOps no_ops{};

ES_Value N(double d)
{
	ES_Value v{};
	v.type = ES_VALUE_NUMBER;
	v.value.number = d;
	return v;
}

ES_Value S(const char *s)
{
	ES_Value v{};
	v.type = ES_VALUE_STRING;
	v.value.string = s;
	return v;
}

ES_Value U()
{
	return ES_Value{};
}

std::string Show(const ES_Value &v)
{
	char buf[64];
	switch (v.type) {
	case ES_VALUE_UNDEFINED:
		return "undefined";
	case ES_VALUE_BOOLEAN:
		return v.value.boolean ? "true" : "false";
	case ES_VALUE_NUMBER:
		if (v.value.number == 0 && std::signbit(v.value.number))
			return "-0";
		std::snprintf(buf, sizeof buf, "%.17g", v.value.number);
		return buf;
	case ES_VALUE_STRING:
		return std::string("'") + v.value.string + "'";
	case ES_VALUE_OBJECT:
		return "object";
	default:
		return "null";
	}
}

class BuiltinsTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		ES_Init(&no_ops, Report);
		reports.clear();
		global = ES_CreateGlobalObject();
		ASSERT_NE(global, nullptr);
	}
	void TearDown() override { ES_DeleteGlobalObject(global); }

	JS_Object *Function(JS_Object *on, const char *name)
	{
		ES_Value f{};
		EXPECT_EQ(ES_GetProperty(on, name, &f), 1) << name;
		return f.type == ES_VALUE_OBJECT ? f.value.object : nullptr;
	}

	// Runs on(name)(args) with the given this; the result as text, or
	// "throws" when the call threw.
	std::string Call(JS_Object *on, const char *name, std::vector<ES_Value> args, JS_Object *self = nullptr)
	{
		JS_Object *f = Function(on, name);
		if (!f)
			return "missing";
		ES_Context *cx = ES_CreateContext(global, self, 4, 0);
		std::string result;
		if (!ES_PushCall(cx, f, int(args.size()), args.data(), 1)) {
			result = "push failed";
		} else {
			int status;
			while ((status = ES_ExecuteContext(cx, 3, 0)) == ES_STATUS_RUNNING) {
			}
			ES_Value out{};
			ES_GetReturnValue(cx, &out);
			result = status == ES_STATUS_ERROR ? "throws" : Show(out);
		}
		ES_DeleteContext(cx);
		return result;
	}

	JS_Object *global = nullptr;
};

TEST_F(BuiltinsTest, GlobalFunctions)
{
	const struct {
		const char *function;
		std::vector<ES_Value> args;
		const char *expected;
	} cases[] = {
		{"parseInt", {S("  -0x1f")}, "-31"},
		{"parseInt", {S("010")}, "8"},
		{"parseInt", {S("019")}, "1"},
		{"parseInt", {S("0x")}, "nan"},
		{"parseInt", {S("12"), N(0)}, "12"},
		{"parseInt", {S("12"), N(1)}, "nan"},
		{"parseInt", {S("12"), N(37)}, "nan"},
		{"parseInt", {S("12"), N(-2)}, "nan"},
		{"parseInt", {S("ff"), N(16)}, "255"},
		{"parseInt", {S("0xff"), N(16)}, "255"},
		{"parseInt", {S("0xff"), N(16.9)}, "255"},
		{"parseInt", {S("- 1")}, "nan"},
		{"parseInt", {S("-0")}, "-0"},
		{"parseInt", {S("12"), U()}, "nan"},   // a NaN radix is no radix
		{"parseInt", {S("12"), N(1.0 / 0.0)}, "nan"},
		{"parseInt", {S("12"), N(-1.0 / 0.0)}, "nan"},
		{"parseInt", {S("12"), N(4294967312.0)}, "nan"},   // not cut to 32 bits (16)
		{"parseInt", {N(1e21)}, "1"},
		{"parseInt", {}, "nan"},
		{"parseInt", {S("z"), N(36)}, "35"},
		{"parseFloat", {S("3.5e2xyz")}, "350"},
		{"parseFloat", {S("0x10")}, "16"},
		{"parseFloat", {S("-Infinityx")}, "-inf"},
		{"parseFloat", {S("-")}, "nan"},
		{"parseFloat", {S("abc")}, "nan"},
		{"parseFloat", {S("info")}, "nan"},
		{"parseFloat", {S("nan")}, "nan"},
		{"parseFloat", {S("0x1p3")}, "1"},
		{"parseFloat", {S("1,5")}, "1"},
		{"parseFloat", {S("1e400")}, "inf"},
		{"parseFloat", {S("-1e400")}, "-inf"},
		{"parseFloat", {S("1e-400")}, "0"},
		{"parseFloat", {S("0.000000000000000000000000001e-300")}, "0"},
		{"parseFloat", {S(".5e1")}, "5"},
		{"parseFloat", {}, "nan"},
		{"parseFloat", {S(" \t.5")}, "0.5"},
		{"escape", {S("a b+\xe9")}, "'a%20b+%E9'"},
		{"escape", {S("@*_+-./")}, "'@*_+-./'"},
		{"escape", {S("\x01~")}, "'%01%7E'"},
		{"escape", {}, "'undefined'"},
		{"unescape", {S("%41%u0042%zz%")}, "'AB%zz%'"},
		{"unescape", {S("%u0141")}, "'A'"},
		{"unescape", {S("%4")}, "'%4'"},
		{"isNaN", {S("abc")}, "true"},
		{"isNaN", {S("12")}, "false"},
		{"isNaN", {}, "true"},
		{"isFinite", {S("1e400")}, "false"},
		{"isFinite", {S(" 12 ")}, "true"},
	};
	for (const auto &c : cases) {
		std::string got = Call(global, c.function, c.args);
		std::string expected = c.expected;
		if (expected == "nan") {
			EXPECT_TRUE(got == "nan" || got == "-nan") << c.function << " gave " << got;
		} else {
			EXPECT_EQ(got, expected) << c.function;
		}
	}
	EXPECT_TRUE(reports.empty());
}

TEST_F(BuiltinsTest, GlobalFunctionLengthsAreFixed)
{
	const struct {
		const char *name;
		double length;
	} cases[] = {{"parseInt", 2}, {"parseFloat", 1}, {"escape", 1}, {"unescape", 1}, {"isNaN", 1}, {"isFinite", 1}};
	for (const auto &c : cases) {
		JS_Object *f = Function(global, c.name);
		ASSERT_NE(f, nullptr);
		ES_Value length{};
		ASSERT_EQ(ES_GetProperty(f, "length", &length), 1);
		EXPECT_EQ(length.value.number, c.length) << c.name;
		EXPECT_EQ(ES_DeleteProperty(f, "length"), 0) << c.name;
		EXPECT_EQ(ES_DeleteProperty(global, c.name), 1) << "the functions themselves can go";
	}
}

TEST_F(BuiltinsTest, ErrorObjects)
{
	// Calling a constructor constructs: TypeError('x').
	ES_Context *cx = ES_CreateContext(global, nullptr, 4, 0);
	JS_Object *type_error = Function(global, "TypeError");
	ES_Value x = S("x");
	ASSERT_EQ(ES_PushCall(cx, type_error, 1, &x, 1), 1);
	ASSERT_EQ(ES_ExecuteContext(cx, 100, 0), ES_STATUS_VALUE);
	ES_Value error{};
	ES_GetReturnValue(cx, &error);
	ASSERT_EQ(error.type, ES_VALUE_OBJECT);
	JS_Object *e = error.value.object;
	ES_PutProperty(global, "e", &error);   // keep it alive
	ES_DeleteContext(cx);
	EXPECT_STREQ(ES_GetClass(e), "Error");
	EXPECT_EQ(Call(e, "toString", {}, e), "'[Error:\r\nname: TypeError\r\nmessage: x\r\n]'");

	// Error(5): the message stays a number and is left out of the text.
	JS_Object *error_ctor = Function(global, "Error");
	cx = ES_CreateContext(global, nullptr, 4, 0);
	ES_Value five = N(5);
	ASSERT_EQ(ES_PushCall(cx, error_ctor, 1, &five, 1), 1);
	ASSERT_EQ(ES_ExecuteContext(cx, 100, 0), ES_STATUS_VALUE);
	ES_GetReturnValue(cx, &error);
	ES_PutProperty(global, "e5", &error);
	ES_DeleteContext(cx);
	JS_Object *e5 = error.value.object;
	ES_Value message{};
	ASSERT_EQ(ES_GetProperty(e5, "message", &message), 1);
	EXPECT_EQ(Show(message), "5");
	EXPECT_EQ(Call(e5, "toString", {}, e5), "'[Error:\r\nname: Error\r\n]'");

	// toString is Error.prototype's own; the other kinds inherit it.
	JS_Object *error_prototype = ES_GetPrototype(global, ES_PROTO_ERROR);
	ES_Value type_prototype{};
	ASSERT_EQ(ES_GetProperty(type_error, "prototype", &type_prototype), 1);
	EXPECT_EQ(ES_DeleteProperty(type_prototype.value.object, "toString"), 1);   // absent: nothing to do
	EXPECT_EQ(Call(e, "toString", {}, e), "'[Error:\r\nname: TypeError\r\nmessage: x\r\n]'");

	// On anything but an error object it throws.
	EXPECT_EQ(Call(error_prototype, "toString", {}, ES_GetPrototype(global, ES_PROTO_OBJECT)), "throws");
	ASSERT_EQ(reports.size(), 1u);
	EXPECT_EQ(reports[0], "Error:\r\nname: TypeError\r\nmessage: Error.prototype.toString() was called on an "
			      "object that was not an Error\r\n");
}

} // namespace

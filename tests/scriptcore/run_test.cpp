// Programs compiled and run through the host interface, in time slices.
#include "script_runner.h"

namespace {

TEST_F(RunTest, ExpressionsAndStatements)
{
	const Case cases[] = {
		{"x = 1 + 2", 2, "3"},
		{"1 + '2'", 2, "'12'"},
		{"'3' * '4'", 2, "12"},
		{"'b' < 'a'", 2, "false"},
		{"'a' < 'aa'", 2, "true"},
		{"'\\xe9' > 'z'", 2, "true"},   // bytes compare unsigned
		{"NaN < 1", 2, "false"},
		{"NaN >= 1", 2, "false"},
		{"2 <= 2", 2, "true"},
		{"null == undefined", 2, "true"},
		{"null == 0", 2, "false"},
		{"'1' == 1", 2, "true"},
		{"true == 1", 2, "true"},
		{"'1' === 1", 2, "false"},
		{"NaN != NaN", 2, "true"},
		{"typeof nosuch", 2, "'undefined'"},
		{"typeof 1", 2, "'number'"},
		{"typeof null", 2, "'object'"},
		{"typeof 'a'", 2, "'string'"},
		{"void nosuch", 2, "undefined"},
		{"-1 >>> 0", 2, "4294967295"},
		{"x = -1; x >>>= 0; x", 2, "4294967295"},
		{"1 << 33", 2, "2"},
		{"-8 >> 1", 2, "-4"},
		{"7 % -3", 2, "1"},
		{"5 & 3 | 8 ^ 1", 2, "9"},
		{"x = 5; x++", 2, "5"},
		{"x = 5; x++; x", 2, "6"},
		{"x = 5; --x", 2, "4"},
		{"x = 'ab'; x += 1; x", 2, "'ab1'"},
		{"x = 6; x *= '2'; x", 2, "12"},
		{"true ? 'y' : 'n'", 2, "'y'"},
		{"0 || 'd'", 2, "'d'"},
		{"1 && 0", 2, "0"},
		{"a = 1, b = 2; a + b", 2, "3"},
		{"!''", 2, "true"},
		{"~5", 2, "-6"},
		{"-'3'", 2, "-3"},
		{"+true", 2, "1"},
		{"x = 1; delete x", 2, "true"},
		{"x = 1; delete x; typeof x", 2, "'undefined'"},
		{"delete nosuch", 2, "true"},
		{"delete NaN", 2, "false"},
		{"'abc'.length", 2, "3"},
		{"s = 'abc'; s['length']", 2, "3"},
		{"1; var x;", 2, "1"},
		{"1; ; {}", 2, "1"},
		{"var x = 3; x", 2, "3"},
		{"var a = 1, b = a + 1; b", 2, "2"},
		{"var x;", 1, ""},
		{"for (var i = 0; i < 3; i++) i;", 2, "2"},
		{"while (true) { break; }", 1, ""},
		{"x = 5; while (true) { x; break; }", 2, "5"},
		{"n = 0; outer: for (;;) { for (;;) { n++; break outer; } } n", 2, "1"},
		{"n = 0; for (i = 0; i < 3; i++) { if (i == 1) continue; n += i } n", 2, "2"},
		{"n = 0; o: for (i = 0; i < 3; i++) { for (;;) { n++; continue o; } } n", 2, "3"},
		{"i = 0; do { i++ } while (i < 5); i", 2, "5"},
		{"if (0) 1; else 2", 2, "2"},
		{"if (0) 1", 1, ""},
		{"n = 0; for (;;) { a: { n = 1; break a; n = 2 } break } n", 2, "1"},
		{"i = 10; while (i) i--", 2, "1"},
	};
	RunCases(*this, cases, std::size(cases));
}

TEST_F(RunTest, ErrorsReachTheHost)
{
	const ErrorCase cases[] = {
		{"nosuch", "Error:\r\nname: ReferenceError\r\nmessage: Reference to undefined variable: No such "
			   "variable 'nosuch'\r\n"},
		{"x + 1", "Error:\r\nname: TypeError\r\nmessage: Expression does not denote a location: No such "
			  "variable 'x'\r\n"},
		{"x * 1", "Error:\r\nname: ReferenceError\r\nmessage: Reference to undefined variable: No such "
			  "variable 'x'\r\n"},
		{"for (;;);", "Error:\r\nname: GuruMeditation\r\nmessage: Infinite loop detected\r\n"},
		{"throw 1.5", "Unhandled exception: 1.5"},
		{"throw 'x'", "Unhandled exception: \"x\""},
		{"throw null", "Unhandled exception: null"},
		{"throw 1 < 2", "Unhandled exception: true"},
		{"1 = 2", "Error:\r\nname: ReferenceError\r\nmessage: Reference to undefined variable or property in "
			  "assignment: 1\r\n"},
		{"x = null; x.y", "Error:\r\nname: TypeError\r\nmessage: Value on left hand side of '.' is not "
				  "convertible to Object: x\r\n"},
		{"o = void 0; o[1 + 2]", "Error:\r\nname: TypeError\r\nmessage: Value on left hand side of [...] is "
					 "not convertible to Object: o\r\n"},
	};
	RunErrorCases(*this, cases, std::size(cases));
	// A stray break at top level ends the run with status 3 and no report.
	Outcome o = Run("break;");
	if (o.status != -1) {
		EXPECT_EQ(o.status, ES_STATUS_ERROR);
		EXPECT_TRUE(reports.empty());
	}
}

TEST_F(RunTest, TimeSlicesAndWantString)
{
	int slices = 0;
	Outcome o = Run("i = 0; while (i < 10000) i++; i", 100, 0, &slices);
	EXPECT_EQ(o.status, ES_STATUS_VALUE);
	EXPECT_EQ(o.value, "10000");
	EXPECT_GT(slices, 100);   // the host got control back again and again
	o = Run("1 + 1", 1000, 1, &slices);
	EXPECT_EQ(o.status, ES_STATUS_VALUE);
	EXPECT_EQ(o.value, "'2'");
	EXPECT_GE(slices, 1);   // needed a second call for the conversion
	o = Run("void 0", 1000, 1);
	EXPECT_EQ(o.status, ES_STATUS_DONE);   // with want string, undefined is no value
}

// An endless loop never keeps the host beyond its budget, whatever the
// budget; the context stays resumable.
TEST_F(RunTest, EndlessLoopsReturnEverySlice)
{
	const char *text = "while (true) {}";
	ES_SourceSegment segment{text, uint32_t(std::strlen(text))};
	ES_Program *program = ES_CompileProgram(global, &segment, 1, 0, 1, nullptr);
	ASSERT_NE(program, nullptr);
	ES_Context *cx = ES_CreateContext(global, nullptr, 4, 0);
	ASSERT_EQ(ES_PushProgram(global, cx, program), 1);
	for (int budget : {0, 1, 7, 100, 100000})
		for (int i = 0; i < 5; ++i)
			EXPECT_EQ(ES_ExecuteContext(cx, budget, 0), ES_STATUS_RUNNING) << budget;
	ES_DeleteContext(cx);
	ES_DeleteProgram(program);
}

// Step numbers never run into the completion codes: a block of 40000
// statements and a call with 40000 arguments run to their ends.
TEST_F(RunTest, LongBlocksAndArgumentLists)
{
	std::string block = "n = 0;";
	for (int i = 0; i < 40000; ++i)
		block += " n++;";
	block += " n";
	Outcome o = Run(block.c_str());
	EXPECT_EQ(o.status, ES_STATUS_VALUE);
	EXPECT_EQ(o.value, "40000");

	std::string call = "function f() { return arguments.length } f(0";
	for (int i = 1; i < 40000; ++i)
		call += ", " + std::to_string(i);
	call += ")";
	o = Run(call.c_str());
	EXPECT_EQ(o.status, ES_STATUS_VALUE);
	EXPECT_EQ(o.value, "40000");
}

} // namespace

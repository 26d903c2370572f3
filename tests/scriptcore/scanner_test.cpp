// The scanner on its own: which tokens it makes of a text, with the
// parser's operand flag held fixed.
#include "scanner.h"

#include "js_grammar.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Built with append: GCC 12 warns falsely about "literal" + std::string.
std::string Tagged(const char *tag, const char *text, size_t length)
{
	std::string out(tag);
	out.append(text, length);
	return out;
}

std::string Describe(int token, const TokenValue &value)
{
	switch (token) {
	case JS_IDENTIFIER: return Tagged("id:", value.text, value.length);
	case JS_STRING: return Tagged("str:", value.text, value.length);
	case JS_REGULAR_EXPRESSION: return Tagged("re:", value.text, value.length);
	case JS_NUMERIC_LITERAL: {
		char buffer[64];
		std::snprintf(buffer, sizeof buffer, "num:%.17g", value.number);
		return buffer;
	}
	case JS_LINE_TERM: return "LT";
	case JS_IE_TERMINATOR: return "-->";
	case JS_ILLEGAL: return "ILLEGAL";
	case JS_RESERVED: return "RESERVED";
	case JS_STMNT_RETURN: return "return";
	case JS_STMNT_IF: return "if";
	case JS_STMNT_IN: return "in";
	case JS_OP_INSTANCEOF: return "instanceof";
	case JS_OP_DECREMENT: return "--";
	case JS_OP_INCREMENT: return "++";
	case JS_OP_DIV_ASSIGNMENT: return "/=";
	case JS_OP_UNS_RIGHT_SHIFT_ASSIGNMENT: return ">>>=";
	case JS_OP_UNS_RIGHT_SHIFT: return ">>>";
	case JS_OP_STRICT_EQUAL: return "===";
	case JS_OP_NOT_STRICT_EQUAL: return "!==";
	case JS_OP_LEFT_SHIFT_ASSIGNMENT: return "<<=";
	case JS_OP_SUB_ASSIGNMENT: return "-=";
	case JS_OP_RIGHT_SHIFT_ASSIGNMENT: return ">>=";
	case JS_OP_RIGHT_SHIFT: return ">>";
	case JS_OP_GT_OR_EQUAL: return ">=";
	case JS_OP_LT_OR_EQUAL: return "<=";
	case JS_OP_LEFT_SHIFT: return "<<";
	case JS_OP_EQUAL: return "==";
	case JS_OP_NOT_EQUAL: return "!=";
	case JS_OP_ADD_ASSIGNMENT: return "+=";
	default:
		if (token > 0 && token < 256)
			return std::string(1, static_cast<char>(token));
		return Tagged("#", std::to_string(token).c_str(), std::to_string(token).size());
	}
}

// All tokens of text, separated by blanks; operand fixes the flag.
std::string Scan(const std::string &text, bool operand = false, int *lines = nullptr)
{
	Scanner scanner;
	scanner.Open(text.data(), static_cast<uint32_t>(text.size()));
	std::string out;
	for (;;) {
		TokenValue value;
		int token = scanner.NextRaw(operand, &value);
		if (token == 0)
			break;
		if (!out.empty())
			out += ' ';
		out += Describe(token, value);
	}
	if (lines)
		*lines = scanner.Line();
	return out;
}

struct Case {
	const char *text;
	bool operand;
	std::string tokens;
};

TEST(Scanner, TokenTable)
{
	const Case cases[] = {
		// Division or regular expression, by the operand flag.
		{"/b/g", false, "re:/b/g"},
		{"/b/g", true, "/ id:b / id:g"},
		{"/a\\/b[/]/i", false, "re:/a\\/b[/ ] / id:i"},
		{"/x/gi2", false, "re:/x/gi num:2"},
		{"/ no closing slash", false, "/ id:no id:closing id:slash"},
		{"/=x/", false, "re:/=x/"},
		{"/=x/", true, "/= id:x /"},
		{"/\\\nx/", false, "/ LT id:x /"},
		// Comments: a block comment ends at the first star-slash, and a
		// slash-star never starts a regular expression.
		{"a = 1; /*x*/ b = 2; /*y*/", false, "id:a = num:1 ; id:b = num:2 ;"},
		{"f(/*a*/1, /*b*/2)", false, "id:f ( num:1 , num:2 )"},
		{"/*** x / y */ z", false, "id:z"},
		{"/* a\n b */ c", false, "LT id:c"},
		{"/* a\r\n b / c */ d / e", true, "LT id:d / id:e"},
		{"x /* unterminated", false, "id:x"},
		{"// all / of it\ny", false, "LT id:y"},
		// HTML comment forms.
		{"<!-- hidden\nx", false, "LT id:x"},
		{"x-->0", true, "id:x --> num:0"},
		{"a --> b", false, "id:a --> id:b"},
		{"a<!-b", false, "id:a < ! - id:b"},
		// Line terminators.
		{"a\r\nb\rc\nd", false, "id:a LT id:b LT id:c LT id:d"},
		// Operators, longest first.
		{">>>= >>> >>= >> >= > === == = !== != !", false, ">>>= >>> >>= >> >= > === == = !== != !"},
		{"<<= << <= < -= -- - ++ += +", false, "<<= << <= < -= -- - ++ += +"},
		{"a--b", false, "id:a -- id:b"},
		// Numbers.
		{"0x1F 0XaB 0x 08 077 1.5 1. .5 1e3 1E+3 1e-3 1.5e2 1e", false,
			"num:31 num:171 num:0 id:x num:8 num:77 num:1.5 num:1 num:0.5 num:1000 num:1000 num:0.001 num:150 num:1 id:e"},
		{"1..toString", false, "num:1 . id:toString"},
		{"0x1.5", false, "num:1 num:0.5"},
		{"3in x", false, "num:3 in id:x"},
		{"123456789012345678901234567890", false, "num:1.2345678901234568e+29"},
		{"0xFFFFFFFFFFFFFFFFF", false, "num:2.9514790517935283e+20"},
		// Strings.
		{"'a\"b' \"c'd\"", false, "str:a\"b str:c'd"},
		{"'\\101\\x41\\u0041\\q\\''", false, "str:eAAq'"},
		{"'\\u0141'", false, "str:A"},
		{"'\\x4'", false, "str:x4"},
		{"'\\b\\t\\n\\v\\f\\r'", false, "str:\b\t\n\v\f\r"},
		{"'a\\\nb'", false, "str:a\nb"},
		{"'a\\\r\nb'", false, "str:a\r\nb"},
		{"'\\0x\\99999999999'", false, std::string("str:\0x\xff", 7)},
		{"'a\nb'", false, "ILLEGAL id:b"},
		{"'unterminated", false, ""},
		// Keywords, reserved words and identifiers.
		{"if If iff in instanceof class $_x9 _", false, "if id:If id:iff in instanceof RESERVED id:$_x9 id:_"},
		// Dropped characters.
		{"a#b", false, "id:a id:b"},
		{"\x80\xff@`\\q", false, "id:q"},
	};
	for (const Case &c : cases)
		EXPECT_EQ(Scan(c.text, c.operand), c.tokens) << "text: " << c.text;
}

TEST(Scanner, NulInsideTextIsDropped)
{
	std::string text("a\0b 'x\0y'", 9);
	Scanner scanner;
	scanner.Open(text.data(), static_cast<uint32_t>(text.size()));
	std::string out;
	TokenValue value;
	EXPECT_EQ(scanner.NextRaw(false, &value), JS_IDENTIFIER);
	EXPECT_EQ(scanner.NextRaw(false, &value), JS_IDENTIFIER);
	ASSERT_EQ(scanner.NextRaw(false, &value), JS_STRING);
	EXPECT_EQ(std::string(value.text, value.length), std::string("x\0y", 3));
	EXPECT_EQ(scanner.NextRaw(false, &value), 0);
}

TEST(Scanner, CountsLinesAcrossSegmentsAndComments)
{
	int lines = 0;
	Scan("a\n/* x\r\n y\r z */\r\nb", false, &lines);
	EXPECT_EQ(lines, 5);
	Scan("'a\\\nb'", false, &lines);
	EXPECT_EQ(lines, 1);   // an escaped line break is not counted

	// A CR LF pair split between two segments is still one line end.
	ES_SourceSegment segments[] = {{"a\r", 2}, {"", 0}, {"\nb\n", 3}};
	Scanner scanner;
	ASSERT_TRUE(scanner.Open(segments, 3));
	TokenValue value;
	EXPECT_EQ(scanner.NextRaw(false, &value), JS_IDENTIFIER);
	EXPECT_EQ(scanner.NextRaw(false, &value), JS_LINE_TERM);
	EXPECT_EQ(scanner.NextRaw(false, &value), JS_IDENTIFIER);
	EXPECT_EQ(std::string(value.text, value.length), "b");
	EXPECT_EQ(scanner.Line(), 2);
	const char *segment;
	uint32_t length, offset;
	scanner.ErrorPosition(&segment, &length, &offset);
	EXPECT_EQ(segment, segments[2].text);
	EXPECT_EQ(offset, 2u);
}

TEST(Scanner, TokensSpanSegments)
{
	ES_SourceSegment segments[] = {{"ident", 5}, {"ifier = 'str", 12}, {"ing' /re", 8}, {"gex/g", 5}};
	Scanner scanner;
	ASSERT_TRUE(scanner.Open(segments, 4));
	TokenValue value;
	ASSERT_EQ(scanner.NextRaw(false, &value), JS_IDENTIFIER);
	EXPECT_EQ(std::string(value.text, value.length), "identifier");
	EXPECT_EQ(scanner.NextRaw(false, &value), '=');
	ASSERT_EQ(scanner.NextRaw(false, &value), JS_STRING);
	EXPECT_EQ(std::string(value.text, value.length), "string");
	ASSERT_EQ(scanner.NextRaw(false, &value), JS_REGULAR_EXPRESSION);
	EXPECT_EQ(std::string(value.text, value.length), "/regex/g");
}

}  // namespace

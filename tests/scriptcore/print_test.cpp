// Printing syntax trees back to text: every expression and statement form,
// the losses that printing is expected to make, trees far deeper than the
// native stack would allow by recursion, allocation failure, and the places
// where printed text reaches script (function source, error messages).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ast.h"
#include "context.h"
#include "errors.h"
#include "frontend.h"
#include "global.h"
#include "jsstring.h"
#include "memory.h"
#include "name.h"
#include "print.h"
#include "script_function.h"

namespace {

struct Case {
	const char *source;
	const char *printed;
};

// Owns a compiled program for one test.
class Program {
public:
	explicit Program(const std::string &text)
	{
		ES_SourceSegment segment = {text.data(), static_cast<uint32_t>(text.size())};
		program_ = CompileProgram(&segment, 1, 0, nullptr);
	}
	~Program() { DeleteProgram(program_); }
	Program(const Program &) = delete;
	Program &operator=(const Program &) = delete;

	bool Ok() const { return program_ && program_->body; }
	const AST_Node *First() const { return Ok() ? program_->body->child[0] : nullptr; }
	const AST_Node *Body() const { return Ok() ? program_->body : nullptr; }

private:
	ES_Program *program_ = nullptr;
};

// Owns a scratch string.
class Text {
public:
	explicit Text(const char *initial = "") : s_(JS_String::Make(initial)) {}
	~Text()
	{
		if (s_)
			JS_String::Free(s_);
	}
	Text(const Text &) = delete;
	Text &operator=(const Text &) = delete;

	JS_String *get() { return s_; }
	std::string str() const { return std::string(s_->Text(), s_->length); }

private:
	JS_String *s_;
};

// Every top-level statement in statement form, one after the other.
std::string PrintProgram(const std::string &source)
{
	Program program(source);
	EXPECT_TRUE(program.Ok()) << source;
	Text out;
	for (const AST_Node *s = program.First(); s; s = s->next)
		EXPECT_TRUE(PrintStatement(s, out.get())) << source;
	return out.str();
}

// The first statement, which must be an expression, in expression form.
std::string PrintFirstExpression(const std::string &source)
{
	Program program(source);
	EXPECT_TRUE(program.Ok()) << source;
	Text out;
	EXPECT_TRUE(PrintExpression(program.First(), out.get())) << source;
	return out.str();
}

const Case kExpressions[] = {
	{"a", "a"},
	{"this", "this"},
	{"null", "null"},
	{"true", "true"},
	{"false", "false"},
	{"1.50", "1.5"},
	{"0x10", "16"},
	{"1e21", "1e+21"},
	{"0.000001", "0.000001"},
	{"'a'", "\"a\""},
	{"\"say \\\"hi\\\"\\nnow\"", "\"say \"hi\"\nnow\""},
	{"x = /ab+c/g", "x = object"},
	{"[]", "[]"},
	{"[1, 2]", "[1, 2]"},
	{"[1, , 2]", "[1, , 2]"},
	{"[,]", "[]"},
	{"[1, , ]", "[1, , ]"},
	{"x = {}", "x = {}"},
	{"x = {a: 1, 'b c': 2, 3: y}", "x = {a : 1, b c : 2, 3 : y}"},
	{"x = function () {}", "x = function () {\n}\n"},
	{"x = function f(a, b) { return a + b; }", "x = function f(a, b) {\nreturn a + b;\n}\n"},
	{"x = function () { return function (a) { return a; }; }",
		"x = function () {\nreturn function (a) {\nreturn a;\n}\n;\n}\n"},
	{"o.p.q", "o.p.q"},
	{"o[k + 1][0]", "o[k + 1][0]"},
	{"new Date", "new Date"},
	{"new Date()", "new Date"},
	{"new Date(0)", "new Date(0)"},
	{"new a.b(1, 'c')", "new a.b(1, \"c\")"},
	{"new new F()()", "new new F"},
	{"f()", "f()"},
	{"f(a, b)(c).d()", "f(a, b)(c).d()"},
	{"x++", "x++"},
	{"x--", "x--"},
	{"++x", "++x"},
	{"--o.p", "--o.p"},
	{"-x", "-x"},
	{"+x", "+x"},
	{"~x", "~x"},
	{"!x", "!x"},
	{"- -x", "--x"},
	{"void 0", "void(0)"},
	{"typeof x", "x"},
	{"delete o.p", "o.p"},
	{"a + b", "a + b"},
	{"a - b", "a - b"},
	{"a * b", "a * b"},
	{"a / b", "a / b"},
	{"a % b", "a % b"},
	{"a << b", "a << b"},
	{"a >> b", "a >> b"},
	{"a >>> b", "a >>> b"},
	{"a < b", "a < b"},
	{"a > b", "a > b"},
	{"a <= b", "a <= b"},
	{"a >= b", "a >= b"},
	{"a instanceof b", "a instanceof b"},
	{"a in b", "a in b"},
	{"a == b", "a == b"},
	{"a != b", "a != b"},
	{"a === b", "a === b"},
	{"a !== b", "a !== b"},
	{"a & b", "a & b"},
	{"a ^ b", "a ^ b"},
	{"a | b", "a | b"},
	{"a && b", "a && b"},
	{"a || b", "a || b"},
	{"(a + b) * c", "a + b * c"},
	{"a - (b - c)", "a - b - c"},
	{"a ? b : c ? d : e", "a ? b : c ? d : e"},
	{"a = b = c", "a = b = c"},
	{"a += b", "a += b"},
	{"a -= b", "a -= b"},
	{"a *= b", "a *= b"},
	{"a /= b", "a /= b"},
	{"a %= b", "a %= b"},
	{"a <<= b", "a <<= b"},
	{"a >>= b", "a >>= b"},
	{"a >>>= b", "a >>>= b"},
	{"a &= b", "a &= b"},
	{"a ^= b", "a ^= b"},
	{"a |= b", "a |= b"},
	{"a, (b, c), d", "a, b, c, d"},
};

TEST(PrintExpression, EveryForm)
{
	for (const Case &c : kExpressions)
		EXPECT_EQ(PrintFirstExpression(c.source), c.printed) << c.source;
}

const Case kStatements[] = {
	{"a; b", "a;\nb;\n"},
	{"{ a; { b; } }", "{\na;\n{\nb;\n}\n}\n"},
	// Empty statements, empty blocks and function declarations leave
	// nothing in a statement list.
	{"a; ; {} function g() {} b;", "a;\nb;\n"},
	{"var a;", "var a;\n"},
	{"var a = 1, b, c = a + 1;", "var a = 1, b, c = a + 1;\n"},
	{"if (a) b(); else c();", "if (a)\nb();\nelse\nc();\n"},
	{"if (a) { b(); }", "if (a)\n{\nb();\n}\n"},
	{"if (a) if (b) c(); else d();", "if (a)\nif (b)\nc();\nelse\nd();\n"},
	// Where a statement is required, an empty one prints as ";" so that
	// the text still compiles.
	{"if (a) ; else b();", "if (a)\n;\nelse\nb();\n"},
	{"while (a) {}", "while (a);\n"},
	{"while (x < 3) x++;", "while (x < 3)x++;\n"},
	{"do x++; while (x < 3); y", "do x++;\nwhile (x < 3);y;\n"},
	{"for (i = 0; i < 3; i++) f(i);", "for (i = 0; i < 3; i++)\nf(i);\n"},
	{"for (var i = 0, j; i < j; ) f(i);", "for (var i = 0, j; i < j; )\nf(i);\n"},
	{"for (;;) break;", "for (; ; )\nbreak;\n"},
	{"for (k in o) f(k);", "for (k in o)\nf(k);\n"},
	{"for (var k in o) f(k);", "for (var k in o)\nf(k);\n"},
	{"for (var k = 0 in o) ;", "for (var k = 0 in o)\n;\n"},
	{"while (a) { continue; break; }", "while (a){\ncontinue;\nbreak;\n}\n"},
	{"l: while (a) { continue l; break l; }", "l : while (a){\ncontinue l;\nbreak l;\n}\n"},
	{"a: b: c;", "a : b : c;\n"},
	{"with (o) f();", "with (o)f();\n"},
	{"switch (x) { case 1: a(); break; case 2: default: b(); case 3: }",
		"switch (x) {\ncase 1: {\na();\nbreak;\n}\ncase 2: default: {\nb();\n}\ncase 3: }\n"},
	{"switch (x) {}", "switch (x) {\n}\n"},
	{"throw e; f();", "throw ef();\n"},
	{"try { a(); } catch (e) { b(); } finally { c(); }", "try {\na();\n}\ncatch (e) {\nb();\n}\nfinally {\nc();\n}\n"},
	{"try {} catch (e) {}", "try {\n}\ncatch (e) {\n}\n"},
	{"try {} finally {}", "try {\n}\nfinally {\n}\n"},
};

TEST(PrintStatement, EveryForm)
{
	for (const Case &c : kStatements)
		EXPECT_EQ(PrintProgram(c.source), c.printed) << c.source;
}

TEST(PrintStatement, ProgramBodyIsABlock)
{
	Program program("a = 1; b()");
	ASSERT_TRUE(program.Ok());
	Text out;
	ASSERT_TRUE(PrintStatement(program.Body(), out.get()));
	EXPECT_EQ(out.str(), "{\na = 1;\nb();\n}\n");
}

// Returns exist only in function bodies.
TEST(PrintStatement, ReturnKeepsItsSpace)
{
	const char source[] = "return; return a, b;";
	FunctionCode *code = CompileFunctionBody(source, sizeof source - 1, nullptr, 0, nullptr);
	ASSERT_NE(code, nullptr);
	Text out;
	EXPECT_TRUE(PrintStatement(code->body, out.get()));
	EXPECT_EQ(out.str(), "{\nreturn ;\nreturn a, b;\n}\n");
	ReleaseCode(code);
}

TEST(Print, AppendsAndNullPrintsNothing)
{
	Text out("x: ");
	EXPECT_TRUE(PrintExpression(nullptr, out.get()));
	EXPECT_TRUE(PrintStatement(nullptr, out.get()));
	Program program("a.b");
	ASSERT_TRUE(program.Ok());
	EXPECT_TRUE(PrintExpression(program.First(), out.get()));
	EXPECT_TRUE(PrintStatement(program.First(), out.get()));
	EXPECT_EQ(out.str(), "x: a.ba.b;\n");
}

// Literal values the compiler does not make from source text.
TEST(Print, LiteralsByValueType)
{
	struct {
		int op;
		double number;
		const char *printed;
	} cases[] = {
		{0, 0, "undefined"},
		{LITERAL_NUMBER, std::nan(""), "NaN"},
		{LITERAL_NUMBER, -HUGE_VAL, "-Infinity"},
		{99, 0, "(illegal type)"},
	};
	for (const auto &c : cases) {
		AST_Node *node = NewNode(NODE_LITERAL, c.op);
		ASSERT_NE(node, nullptr);
		node->number = c.number;
		Text out;
		EXPECT_TRUE(PrintExpression(node, out.get()));
		EXPECT_EQ(out.str(), c.printed);
		DeleteTree(node);
	}
}

TEST(Print, StringKeepsEveryByte)
{
	AST_Node *node = NewNode(NODE_LITERAL, LITERAL_STRING);
	ASSERT_NE(node, nullptr);
	node->string = JS_String::Make("a\0\"b", 4);
	ASSERT_NE(node->string, nullptr);
	node->string->AddRef();
	Text out;
	EXPECT_TRUE(PrintExpression(node, out.get()));
	EXPECT_EQ(out.str(), std::string("\"a\0\"b\"", 6));
	DeleteTree(node);
}

// A left-deep chain as the parser builds it for a+a+...+a.
TEST(Print, LongLeftDeepChain)
{
	const int terms = 100000;
	std::string source = "a", printed = "a";
	for (int i = 1; i < terms; ++i) {
		source += "+a";
		printed += " + a";
	}
	EXPECT_EQ(PrintFirstExpression(source), printed);
}

// Right-deep trees the parser's own depth limit would refuse, built by hand.
TEST(Print, DeepRightNesting)
{
	const int depth = 100000;
	AST_Node *name = NewNode(NODE_IDENTIFIER);
	ASSERT_NE(name, nullptr);
	name->name = JS_Name::Intern("a");
	name->name->AddRef();
	AST_Node *expression = name;
	for (int i = 0; i < depth && expression; ++i) {
		AST_Node *not_node = NewNode(NODE_LOGICAL_NOT);
		if (not_node)
			not_node->child[0] = expression;
		else
			DeleteTree(expression);
		expression = not_node;
	}
	ASSERT_NE(expression, nullptr);
	Text out;
	EXPECT_TRUE(PrintExpression(expression, out.get()));
	EXPECT_EQ(out.str(), std::string(depth, '!') + "a");

	AST_Node *statement = NewNode(NODE_VAR);
	ASSERT_NE(statement, nullptr);
	statement->child[0] = expression;
	for (int i = 0; i < depth && statement; ++i) {
		AST_Node *block = NewNode(NODE_BLOCK);
		if (block) {
			block->child[0] = statement;
			block->count = 1;
		} else
			DeleteTree(statement);
		statement = block;
	}
	ASSERT_NE(statement, nullptr);
	Text block_out;
	EXPECT_TRUE(PrintStatement(statement, block_out.get()));
	std::string expected;
	for (int i = 0; i < depth; ++i)
		expected += "{\n";
	expected += "var " + std::string(depth, '!') + "a;\n";
	for (int i = 0; i < depth; ++i)
		expected += "}\n";
	EXPECT_EQ(block_out.str(), expected);
	DeleteTree(statement);
}

// Fails the Nth allocation for every N until printing succeeds: each
// failure is reported and leaves the string exactly as it was.
TEST(Print, AllocationFailureLeavesTheStringAlone)
{
	std::string source = "x = function f(p, q) { while (p) { p = q + [1, , {k: 'v'}] ";
	for (int i = 0; i < 40; ++i)
		source += "+ p";
	source += "; } }";
	Program program(source);
	ASSERT_TRUE(program.Ok());
	std::string expected;
	{
		Text out;
		ASSERT_TRUE(PrintStatement(program.First(), out.get()));
		expected = out.str();
	}
	int failures = 0;
	for (long n = 0;; ++n) {
		Text out("kept");
		ASSERT_NE(out.get(), nullptr);
		JS_SetAllocationFault(n, true);
		bool ok = PrintStatement(program.First(), out.get());
		JS_SetAllocationFault(-1, false);
		if (ok) {
			EXPECT_EQ(out.str(), "kept" + expected);
			break;
		}
		++failures;
		EXPECT_EQ(out.str(), "kept") << "after " << n << " allocations";
		ASSERT_LT(n, 10000);
	}
	EXPECT_GT(failures, 1);
}

class PrintWithEngine : public ::testing::Test {
protected:
	void SetUp() override
	{
		global_ = JS_Global_Object::Create();
		ASSERT_NE(global_, nullptr);
	}
	void TearDown() override
	{
		if (global_) {
			global_->ClearGlobal();
			global_->Release();
		}
	}

	std::string FunctionSource(const char *const *parameters, int count, const std::string &body)
	{
		JS_Script_Function *f = FunctionFromText(global_, parameters, count, body.data(),
			static_cast<uint32_t>(body.size()), nullptr, 0, nullptr);
		EXPECT_NE(f, nullptr) << body;
		if (!f)
			return "";
		Text out;
		EXPECT_TRUE(f->SourceText(out.get()));
		return out.str();
	}

	JS_Global_Object *global_ = nullptr;
};

TEST_F(PrintWithEngine, ScriptFunctionSource)
{
	const char *const two[] = {"a", "b"};
	EXPECT_EQ(FunctionSource(two, 2, "return a + b;"), "function anonymous(a, b) {\nreturn a + b;\n}\n");
	EXPECT_EQ(FunctionSource(nullptr, 0, ""), "function anonymous() {\n}\n");
	// Nested declarations, empty statements and empty blocks are gone.
	EXPECT_EQ(FunctionSource(nullptr, 0, "function g() {} ; {} return g;"), "function anonymous() {\nreturn g;\n}\n");
}

TEST_F(PrintWithEngine, RaiseWithSourceNamesTheOperand)
{
	Program program("o.f(1 + 2)");
	ASSERT_TRUE(program.Ok());
	const AST_Node *callee = program.First()->child[0];
	ES_Context *cx = ES_CreateContext(global_, nullptr, 0, 0);
	ASSERT_NE(cx, nullptr);
	{
		JS_Frame frame;
		EXPECT_EQ(RaiseWithSource(cx, &frame, ERROR_TYPE, MSG_NO_CALL, callee), COMPLETION_THROW);
		ASSERT_EQ(frame.values.Count(), 1u);
		ASSERT_TRUE(frame.values.Top().IsObject());
		JS_Object *error = frame.values.Top().u.object;
		EXPECT_EQ(error->Prototype(), global_->ErrorPrototype(ERROR_TYPE));
		JS_Value message;
		error->GetName(nullptr, JS_Name::Intern("message"), &message, error);
		ASSERT_TRUE(message.IsString());
		EXPECT_STREQ(message.u.string->Text(), "The Object does not implement [[Call]]: o.f");
	}
	ES_DeleteContext(cx);
}

}  // namespace

// Compilation through the exports: trees and declaration lists, and the
// syntax-error report byte for byte.
#include "frontend.h"
#include "compile.h"
#include "jsstring.h"
#include "name.h"
#include "scriptcore.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class Compile : public ::testing::Test {
protected:
	static void SetUpTestSuite()
	{
		static const ES_HostOps ops = {};
		ES_Init(&ops, nullptr);
	}

	void SetUp() override
	{
		global_ = ES_CreateGlobalObject();
		ASSERT_NE(global_, nullptr);
	}

	void TearDown() override { ES_DeleteGlobalObject(global_); }

	// Compiles text given as segments; the report (or "" on success).
	std::string Report(const std::vector<std::string> &parts, const char *context = "in test", int size = 1024)
	{
		std::vector<ES_SourceSegment> segments;
		for (const std::string &p : parts)
			segments.push_back({p.data(), static_cast<uint32_t>(p.size())});
		ES_SyntaxErrorRecord record;
		std::memset(&record, '#', sizeof record);
		record.context = context;
		record.size = size;
		ES_Program *program = ES_CompileProgram(global_, segments.data(), static_cast<int>(segments.size()), 0, 1,
			&record);
		if (program) {
			ES_DeleteProgram(program);
			return "";
		}
		int limit = size < 1 ? 0 : (size > 1024 ? 1024 : size);
		if (limit == 0)
			return std::string(record.buffer, 4);   // untouched
		EXPECT_EQ(record.buffer[limit - 1], '\0');
		return record.buffer;
	}

	ES_Program *Program(const std::string &text)
	{
		ES_SourceSegment segment = {text.data(), static_cast<uint32_t>(text.size())};
		return ES_CompileProgram(global_, &segment, 1, 0, 1, nullptr);
	}

	JS_Object *global_ = nullptr;
};

TEST_F(Compile, ReportOnTheFirstLine)
{
	EXPECT_EQ(Report({"a = ;"}), "Syntax error in test (line 1)\r\na = ;\r\n------^");
	EXPECT_EQ(Report({"a = ;"}, nullptr), "Syntax error  (line 1)\r\na = ;\r\n------^");
}

TEST_F(Compile, ReportOnALaterLine)
{
	EXPECT_EQ(Report({"x = 1;\ny = 2;\nz = (;\nw = 3;\n"}), "Syntax error in test (line 3)\r\nz = (;\r\n-------^");
	// A recovered semicolon insertion before the real error does not count.
	EXPECT_EQ(Report({"a = 1\nb = 2\ncontinue;\n"}), "Syntax error in test (line 3)\r\ncontinue;\r\n---------^");
}

TEST_F(Compile, ReportInTheMiddleOfALongLine)
{
	std::string line = "var a = 1";
	for (int i = 0; i < 30; i++)
		line += " + 1";
	line += " +* 2 + 3 + 4 + 5 + 6 + 7 + 8 + 9 + 10 + 11 + 12 + 13;";
	// The error is just after "*": the excerpt starts 50 characters back
	// and is 60 characters long.
	size_t offset = line.find('*') + 1;
	std::string excerpt = line.substr(offset - 50, 60);
	EXPECT_EQ(Report({line}), "Syntax error in test (line 1)\r\n" + excerpt + "\r\n" + std::string(51, '-') + "^");
}

TEST_F(Compile, ReportFromTheSecondSegment)
{
	EXPECT_EQ(Report({"a = 1;\nb = 2;\n", "c = 3;\nd = ) + 1;\ne = 4;"}),
		"Syntax error in test (line 4)\r\nd = ) + 1;\r\n------^");
	// The excerpt never reads past the segment, even without a NUL.
	std::string second = "x = (";
	EXPECT_EQ(Report({"a;\n", second}), "Syntax error in test (line 2)\r\nx = (\r\n------^");
}

TEST_F(Compile, ReportStopsAtTheRecordSize)
{
	std::string full = Report({"a = ;"}, "in a long context text");
	ASSERT_EQ(full, "Syntax error in a long context text (line 1)\r\na = ;\r\n------^");
	EXPECT_EQ(Report({"a = ;"}, "in a long context text", 13), full.substr(0, 12));
	EXPECT_EQ(Report({"a = ;"}, "in a long context text", 1), "");
	// Size 0 (or less) means no report; sizes above 1024 count as 1024.
	EXPECT_EQ(Report({"a = ;"}, "x", 0), "####");
	EXPECT_EQ(Report({"a = ;"}, "x", -5), "####");
	std::string big(2000, 'c');
	std::string clipped = Report({"a = ;"}, big.c_str(), 100000);
	EXPECT_EQ(clipped.size(), 1023u);
	EXPECT_EQ(clipped.substr(0, 13), "Syntax error ");
}

TEST_F(Compile, ReportAtTheEndOfInputAndForStackOverflow)
{
	EXPECT_EQ(Report({"f(1,\n2,"}), "Syntax error in test (line 2)\r\n2,\r\n---^");
	std::string deep(30000, '[');
	std::string report = Report({deep});
	EXPECT_EQ(report.substr(0, 30), "Syntax error in test (line 1)\r");
}

TEST_F(Compile, NullTextAndNoSegments)
{
	EXPECT_EQ(ES_CompileProgram(nullptr, nullptr, 0, 0, 0, nullptr), nullptr);
	ES_Program *empty = ES_CompileProgram(global_, nullptr, 0, 0, 0, nullptr);
	ASSERT_NE(empty, nullptr);
	ES_DeleteProgram(empty);
	ES_SourceSegment none = {nullptr, 5};
	ES_Program *nothing = ES_CompileProgram(global_, &none, 1, 0, 0, nullptr);
	ASSERT_NE(nothing, nullptr);
	ES_DeleteProgram(nothing);
}

const AST_Node *First(const ES_Program *program)
{
	return program->body->child[0];
}

TEST_F(Compile, DeclarationsAndFunctions)
{
	ES_Program *program = Program("var x; var x, y = 1;\n"
				      "if (a) { function inner(p, q) { var z; function deeper() {} } }\n"
				      "function outer() {}\n");
	ASSERT_NE(program, nullptr);
	ASSERT_EQ(program->vars.count, 3);
	EXPECT_STREQ(program->vars.items[0]->text, "x");
	EXPECT_STREQ(program->vars.items[1]->text, "x");
	EXPECT_STREQ(program->vars.items[2]->text, "y");
	ASSERT_EQ(program->functions.count, 2);
	const FunctionCode *inner = program->functions.items[0];
	EXPECT_STREQ(inner->name->text, "inner");
	ASSERT_EQ(inner->parameters.count, 2);
	EXPECT_STREQ(inner->parameters.items[1]->text, "q");
	ASSERT_EQ(inner->vars.count, 1);
	ASSERT_EQ(inner->functions.count, 1);
	EXPECT_STREQ(inner->functions.items[0]->name->text, "deeper");
	EXPECT_STREQ(program->functions.items[1]->name->text, "outer");
	// The statements: two var statements and the if; declarations leave none.
	EXPECT_EQ(program->body->count, 3);
	const AST_Node *ifNode = First(program)->next->next;
	ASSERT_EQ(ifNode->kind, NODE_IF);
	EXPECT_EQ(ifNode->child[1]->kind, NODE_EMPTY);
	ES_DeleteProgram(program);
}

TEST_F(Compile, EmptyStatementsNeverLeaveHoles)
{
	ES_Program *program = Program("try { f() } catch (e) {}\n"
				      "if (a) {} else b()\n"
				      "for (k in o) {}\n"
				      "try {} finally { x() }\n"
				      "javascript:;\n"
				      "while (a) function g() {}\n");
	ASSERT_NE(program, nullptr);
	const AST_Node *s = First(program);
	ASSERT_EQ(s->kind, NODE_TRY);
	ASSERT_EQ(s->child[1]->kind, NODE_CATCH);
	ASSERT_NE(s->child[1]->child[0], nullptr);
	EXPECT_EQ(s->child[1]->child[0]->kind, NODE_BLOCK);
	s = s->next;
	ASSERT_EQ(s->kind, NODE_IF);
	EXPECT_EQ(s->child[1]->kind, NODE_EMPTY);
	EXPECT_EQ(s->child[2]->kind, NODE_CALL);
	s = s->next;
	ASSERT_EQ(s->kind, NODE_FOR_IN);
	EXPECT_EQ(s->child[2]->kind, NODE_EMPTY);
	s = s->next;
	ASSERT_EQ(s->kind, NODE_TRY);
	EXPECT_EQ(s->child[0]->kind, NODE_BLOCK);
	EXPECT_EQ(s->child[0]->count, 0);
	ASSERT_NE(s->child[2], nullptr);
	EXPECT_EQ(s->child[2]->count, 1);
	s = s->next;
	ASSERT_EQ(s->kind, NODE_LABELLED);
	EXPECT_STREQ(s->name->text, "javascript");
	EXPECT_EQ(s->child[0]->kind, NODE_EMPTY);
	EXPECT_EQ(s->child[0]->labels, s);
	s = s->next;
	ASSERT_EQ(s->kind, NODE_WHILE);
	EXPECT_EQ(s->child[1]->kind, NODE_EMPTY);
	EXPECT_EQ(s->next, nullptr);
	ES_DeleteProgram(program);
}

TEST_F(Compile, PropertyNamesAndLiterals)
{
	ES_Program *program = Program("x = { 1e3: 1, 1.50: 2, 'a b': 3, c: 4 }; y = 'A\\x42\\u0043\\0d';");
	ASSERT_NE(program, nullptr);
	const AST_Node *object = First(program)->child[1];
	ASSERT_EQ(object->kind, NODE_OBJECT_LITERAL);
	ASSERT_EQ(object->count, 4);
	const AST_Node *p = object->child[0];
	EXPECT_STREQ(p->name->text, "1000");
	EXPECT_STREQ(p->next->name->text, "1.5");
	EXPECT_STREQ(p->next->next->name->text, "a b");
	EXPECT_STREQ(p->next->next->next->name->text, "c");
	const AST_Node *string = First(program)->next->child[1];
	ASSERT_EQ(string->kind, NODE_LITERAL);
	ASSERT_EQ(string->op, LITERAL_STRING);
	EXPECT_EQ(std::string(string->string->Text(), string->string->length), std::string("ABC\0d", 5));
	ES_DeleteProgram(program);
}

TEST_F(Compile, ExpressionShapes)
{
	ES_Program *program = Program("a = b - c * d; e += f; g >>>= h; i\n++\nj; new K; new L(m, n);");
	ASSERT_NE(program, nullptr);
	const AST_Node *s = First(program);
	ASSERT_EQ(s->kind, NODE_ASSIGN);
	EXPECT_EQ(s->child[1]->kind, NODE_ARITHMETIC);
	EXPECT_EQ(s->child[1]->op, 3);
	EXPECT_EQ(s->child[1]->child[1]->op, 4);
	s = s->next;
	EXPECT_EQ(s->kind, NODE_ADD);
	EXPECT_EQ(s->op, 1);
	s = s->next;
	EXPECT_EQ(s->kind, NODE_COMPOUND_ASSIGN);
	EXPECT_EQ(s->op, 9);
	s = s->next;
	EXPECT_EQ(s->kind, NODE_IDENTIFIER);
	s = s->next;
	ASSERT_EQ(s->kind, NODE_INCDEC);
	EXPECT_EQ(s->op, INCDEC_INCREMENT | INCDEC_PREFIX);
	s = s->next;
	ASSERT_EQ(s->kind, NODE_NEW);
	EXPECT_EQ(s->op, 0);
	s = s->next;
	ASSERT_EQ(s->kind, NODE_NEW);
	EXPECT_EQ(s->op, 1);
	EXPECT_EQ(s->count, 2);
	ES_DeleteProgram(program);
}

TEST_F(Compile, LineBreakBeforeIncrementEndsOnlyAnOperand)
{
	// "if (a)\n++b" keeps ++b as the body; after an operand a line break
	// before ++ ends the statement.
	ES_Program *program = Program("if (a)\n++b\nfor (;;)\n--c\nd\n++e\nf(g)\n--h\nx = y &&\n++z");
	ASSERT_NE(program, nullptr);
	const AST_Node *s = First(program);
	ASSERT_EQ(s->kind, NODE_IF);
	EXPECT_EQ(s->child[1]->kind, NODE_INCDEC);
	s = s->next;
	ASSERT_EQ(s->kind, NODE_FOR);
	EXPECT_EQ(s->child[3]->kind, NODE_INCDEC);
	s = s->next;
	EXPECT_EQ(s->kind, NODE_IDENTIFIER);
	s = s->next;
	EXPECT_EQ(s->kind, NODE_INCDEC);
	s = s->next;
	EXPECT_EQ(s->kind, NODE_CALL);
	s = s->next;
	EXPECT_EQ(s->kind, NODE_INCDEC);
	s = s->next;
	ASSERT_EQ(s->kind, NODE_ASSIGN);
	EXPECT_EQ(s->child[1]->kind, NODE_LOGICAL);
	EXPECT_EQ(s->next, nullptr);
	ES_DeleteProgram(program);
}

TEST_F(Compile, ReturnBreaksAtALineEnd)
{
	ES_Program *program = Program("function f() { return\n1 }");
	ASSERT_NE(program, nullptr);
	const AST_Node *body = program->functions.items[0]->body;
	ASSERT_EQ(body->count, 2);
	EXPECT_EQ(body->child[0]->kind, NODE_RETURN);
	EXPECT_EQ(body->child[0]->child[0], nullptr);
	EXPECT_EQ(body->child[0]->next->kind, NODE_LITERAL);
	ES_DeleteProgram(program);
}

TEST_F(Compile, FunctionBodiesAndEval)
{
	const char *params[] = {"a", "b"};
	ES_SyntaxErrorRecord record;
	record.context = "in handler";
	record.size = 1024;
	FunctionCode *code = CompileFunctionBody("return a + b", 12, params, 2, &record);
	ASSERT_NE(code, nullptr);
	EXPECT_EQ(code->parameters.count, 2);
	EXPECT_EQ(code->body->count, 1);
	ReleaseCode(code);
	EXPECT_EQ(CompileFunctionBody("return a +", 10, params, 2, &record), nullptr);
	EXPECT_STREQ(record.buffer, "Syntax error in handler (line 1)\r\nreturn a +\r\n-----------^");

	ES_SyntaxErrorRecord evalRecord;
	evalRecord.context = "in call to eval";
	evalRecord.size = 1024;
	code = CompileEvalText("var v = 1; function w() {} v", 28, &evalRecord);
	ASSERT_NE(code, nullptr);
	EXPECT_EQ(code->vars.count, 1);
	EXPECT_EQ(code->functions.count, 1);
	ReleaseCode(code);
	EXPECT_EQ(CompileEvalText("}", 1, &evalRecord), nullptr);
	EXPECT_STREQ(evalRecord.buffer, "Syntax error in call to eval (line 1)\r\n}\r\n--^");

	// The export checks the body and reports its errors.
	EXPECT_EQ(ES_CreateFunction(global_, nullptr, 0, "x = ;", 5, 1, 0, nullptr, &record), nullptr);
	EXPECT_STREQ(record.buffer, "Syntax error in handler (line 1)\r\nx = ;\r\n------^");
}

TEST_F(Compile, AMegabyteOfCodeComesAndGoes)
{
	std::string text;
	while (text.size() < (1u << 20))
		text += "function f" + std::to_string(text.size()) +
			"(a, b) { var c = a + b * 2, d = [1, 'two', /3/g]; if (c > d.length) { return {x: c, y: d}; }"
			" for (var i in a) { try { g(i) } catch (e) { continue } } return null }\n";
	size_t names = JS_Name::TableCount();
	ES_Program *program = Program(text);
	ASSERT_NE(program, nullptr);
	EXPECT_GT(program->functions.count, 1000);
	ES_DeleteProgram(program);
	EXPECT_EQ(JS_Name::TableCount(), names);
}

}  // namespace

// The language the front end accepts: tables of programs that must compile
// and programs that must be rejected, covering every statement and
// expression form, semicolon insertion, the HTML comment forms, regular
// expressions against division, and literal forms.
#include "frontend.h"
#include "name.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Compiling and deleting must give back every count it took on a name:
// counted names leave the table again with their last count.
bool Compiles(const std::string &text)
{
	size_t names = JS_Name::TableCount();
	ES_SourceSegment segment = {text.data(), static_cast<uint32_t>(text.size())};
	ES_Program *program = CompileProgram(&segment, 1, 0, nullptr);
	bool ok = program != nullptr;
	DeleteProgram(program);
	EXPECT_EQ(JS_Name::TableCount(), names) << "names left after: " << text;
	return ok;
}

bool BodyCompiles(const std::string &text)
{
	size_t names = JS_Name::TableCount();
	FunctionCode *code = CompileFunctionBody(text.data(), static_cast<uint32_t>(text.size()), nullptr, 0, nullptr);
	bool ok = code != nullptr;
	if (code)
		ReleaseCode(code);
	EXPECT_EQ(JS_Name::TableCount(), names) << "names left after: " << text;
	return ok;
}

const char *const kAccepted[] = {
	// Empty programs and statements.
	"", ";", ";;", "{}", "{ ; }", "{ a; b }", "\n\n",
	// var.
	"var a;", "var a, b = 1, c = d = 2;", "var a = 1\nvar b", "var x; var x;",
	// Expression statements and every expression form.
	"a = b ? c : d;", "a = b || c && d | e ^ f & g;", "a = b == c != d === e !== f;",
	"a = b < c > d <= e >= f instanceof g in h;", "a = b << c >> d >>> e;", "a = b + c - d * e / f % g;",
	"a = -b + +c - ~d + !e;", "a = typeof b + void c; delete d.e;", "a++; b--; ++c; --d;",
	"a += 1; a -= 1; a *= 1; a /= 1; a %= 1; a <<= 1; a >>= 1; a >>>= 1; a &= 1; a |= 1; a ^= 1;",
	"a, b, c;", "a.b.c[d](e)(f).g[h];", "new a; new a(); new a.b(c)(d); new new a()();", "new a[b];",
	"this.x = this;", "a = null; b = true; c = false;", "a = [];", "a = [,];", "a = [1, , 2, ];",
	"a = [, , 1, [2, [3]]];", "a = {};", "a = {b: 1, 'c d': 2, 3: 4, 1.5: x};", "({a: 1});",
	"a = function () {};", "a = function f(x, y) { return x + y; };", "(function () {})();",
	"a = (b, c);", "x = a ? b : c ? d : e;", "f(a = 1, b += 2);", "a = b = c;",
	"a = /x/g.test(b);", "a = b / c / d;", "a = (b) / c;", "a = b[0] / c;", "a = f() / 2;",
	"a = [/x/, /y/];", "f(/re/);", "a = b ? /x/ : /y/;", "a = 1 /*c*/ / 2;",
	"x = a\n/b/g", "i\n++\nj", "a\n++b", "a = b\n++c", "a = b[/x/.test(c) ? 1 : 0];",
	"if (a &&\n++b) c();", "x = y ||\n--z", "x = {}\n++y", "f(a)\n--b", "a = b[c] / d / e;",
	"x = a + f(b);\nif (/re/.test(c)) d();", "x = a + f(b); y = (/re/.test(c) * 2) / 3;",
	"x = a + f(b)\n{ y = /re/g }", "x = (a) / b / c", "x = f(a) / b / c", "x = this / a / b",
	"x = 'a' / b / c", "x = 1 / a / b", "x = a.b / c / d", "x = [1] / a / b",
	// Blocks and control flow.
	"if (a) b;", "if (a) b; else c;", "if (a) if (b) x(); else y();", "if (a) {} else b()",
	"if (a) ; else ;", "if (a) function f() {}", "while (a) b;", "while (a) {}", "do a; while (b)",
	"do a; while (b) c;", "do { a } while (b);", "for (;;) {}", "for (a; b; c) d;",
	"for (var i = 0, j = 1; i < j; i++) ;", "for (a in b) {}", "for (var a in b) c;",
	"for (a.b in c) ;", "for (k in o) {}", "for (var i = 0 in x) ;",
	"for (;;) { continue; break; }", "while (a) { continue\nx }", "while (a) break\n",
	"x: for (;;) { continue x; }", "x: for (;;) { break x; }", "x: y: while (1) { break x; }",
	"switch (a) { }", "switch (a) { case 1: b; break; case 2: default: c; case 3: }",
	"switch (a) { default: break; }", "while (a) switch (b) { case 1: continue; }",
	"with (a) b;", "with (a) {}", "return;", "return\n1", "return 1", "throw a;", "throw new Error('x');",
	"try { a } catch (e) { b }", "try { f() } catch (e) {}", "try {} finally { x() }",
	"try {} catch (e) {} catch (f) {} finally {}", "try { } catch (e) { } catch (f) { } finally { }",
	"a: b;", "a: ;", "a: {}", "{ a: 1 }", "function f() {}", "function f(a, b, c) { var d; return a; }",
	"function f() { function g() {} return g; }", "if (a) { function f() {} }",
	"function f() { return }", "function f() { a: while (1) break a; }",
	// Semicolon insertion.
	"a = 1\nb = 2", "{ a = 1 }", "{ return }", "a\n", "var a = 1\n;",
	"x\n--\ny", "a = b\n(c)", "throw a\n",
	// HTML comment forms.
	"<!-- hidden\na = 1;", "a = 1; -->", "a = 1\n-->", "-->", "/* unterminated\na = ", "<!-- x\n-->",
	// Comments and slashes.
	"/*** x / y */ a = 1;", "a = /*x/y*/ 1;", "f(/*a*/1, /*b*/2)", "a = 1; /*x*/ b = 2; /*y*/",
	"/* a\n b */ c", "// x / y\na", "javascript:;", "javascript:void(0)",
	// Literal forms.
	"a = 0x1F + 0XaB + 077 + 08 + 1.5 + 1. + .5 + 1e3 + 1E+3 + 1e-3;", "a = 1..toString();",
	"a = 'x' + \"y\" + '\\n\\t\\x41\\u0041\\101\\q';", "a = 'a\\\nb';", "a = \"it's\";",
	// Dropped characters.
	"a = 1 @ ;", "\x80\xff a = 1;", "a#\nb",
	"a = function () {}()", "function f() { throw new Error('x') }", "if (a) throw a\nb()",
};

const char *const kRejected[] = {
	"a =", "a = ;", "a = 1 b = 2", "var;", "var a b;", "var 1;", "if a b;", "if (a b;", "while a;",
	"for (a in b; c; d) ;", "for (var a, b in c) ;", "for (;) ;", "do a while (b)", "do ; while b;",
	"continue;", "break;", "{ continue; }", "if (a) break;", "function f() { break; }",
	"while (a) function f() { break; }", "x: break x;", "x: { break x; }", "x: x: ;",
	"x: { x: ; }", "while (1) { continue y; }", "while (1) { break y; }",
	"x: while (1) { function f() { break x; } }", "switch (a) { case 1 }", "switch (a) { default: default: }",
	"switch (a) b;", "throw\na;", "throw;", "try {}", "try a; catch (e) {}", "try {} catch {}",
	"try {} catch (e) b;", "catch (e) {}", "finally {}", "function () {}", "function f {}",
	"function f(a,) {}", "function f(1) {}", "a = {a: 1,};", "a = {a};", "a = {,};", "({a: 1, b});",
	"{ a: 1, b: 2 }", "a = 1 --> b = 2;", "a = 1 -->", "a -->\nb", "a#b", "a = 1 }", "throw a b",
	"a = (b;", "a = b);", "a[;", "a.;", "a.1;", "new;", "a = 'x\ny';", "a = 'x\r\ny';", "a = x++ / 2 / 3;",
	"return return;", "a = if;", "class = 1;", "a = b\n++", "a\n++", "a = (b\n++)", "a = b[c\n++]", "var a = 1 var b = 2",
	"for (;;) { a b }", "a\n=\n;", "1 = ;", "x = a ? b;", "x = a ? b c;", "(a, );", "f(a,);",
	"a = [1 2];", "{", "}", "(", ")", "if (a) else b;", "else a;", "case 1:", "default:",
	"a = 'unterminated", "a = x -->",
};

TEST(Grammar, AcceptsEveryForm)
{
	for (const char *text : kAccepted)
		EXPECT_TRUE(Compiles(text)) << "should compile: " << text;
}

TEST(Grammar, RejectsBadText)
{
	for (const char *text : kRejected)
		EXPECT_FALSE(Compiles(text)) << "should fail: " << text;
}

TEST(Grammar, FunctionBodiesAllowReturnButNotTheHtmlEnd)
{
	EXPECT_TRUE(BodyCompiles("return a + b;"));
	EXPECT_TRUE(BodyCompiles(""));
	EXPECT_TRUE(BodyCompiles("var x = 1\nreturn x"));
	EXPECT_FALSE(BodyCompiles("a = 1; -->"));
	EXPECT_FALSE(BodyCompiles("return a +"));
	EXPECT_FALSE(BodyCompiles("break;"));
}

TEST(Grammar, DeepNestingStopsCleanly)
{
	// Every "(" holds several parser states, so this passes 10000 entries.
	std::string deep(20000, '(');
	deep += "1";
	deep += std::string(20000, ')');
	EXPECT_FALSE(Compiles(deep));
	std::string blocks(20000, '{');
	blocks += std::string(20000, '}');
	EXPECT_FALSE(Compiles(blocks));
	std::string shallow(500, '(');
	shallow += "1";
	shallow += std::string(500, ')');
	EXPECT_TRUE(Compiles(shallow));
}

TEST(Grammar, LongFlatInputsNeedNoDeepStack)
{
	// Left-deep trees and long lists: built and freed without recursion.
	std::string sum = "x = a";
	for (int i = 0; i < 100000; i++)
		sum += "+a";
	EXPECT_TRUE(Compiles(sum));
	std::string vars = "var v0";
	for (int i = 1; i < 100000; i++)
		vars += ",v" + std::to_string(i % 100);
	EXPECT_TRUE(Compiles(vars));
	std::string statements;
	for (int i = 0; i < 100000; i++)
		statements += "a = b;\n";
	EXPECT_TRUE(Compiles(statements));
}

}  // namespace

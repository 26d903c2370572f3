// Functions, calls, new, literals and the statements that manage scopes
// (for-in, with, switch, try), run as programs through the host interface.
#include "script_runner.h"

namespace {

const Case function_cases[] = {
	{"function f(a, b) { return a + b } f(1, 2)", 2, "3"},
	{"function f() {} f()", 2, "undefined"},
	{"function f() { 5 } f()", 2, "undefined"},   // only return gives a value
	{"function f(a, b) {} f.length", 2, "2"},
	{"function f() {} f.prototype.constructor === f", 2, "true"},
	{"function f(a, b) {} s = ''; for (k in f) s += k; s", 2, "''"},
	{"function f(a) { arguments[0] = 5; return a } f(1)", 2, "5"},
	{"function f(a) { arguments[0] = 5; return a } f()", 2, "undefined"},
	{"function f(a) { a = 7; return arguments[0] } f(1)", 2, "7"},
	{"function f() { return arguments.length } f(1, 2, 3)", 2, "3"},
	{"function f() { return arguments[2] } f(1, 2, 3)", 2, "3"},
	{"function f() { return arguments.callee } f() === f", 2, "true"},
	{"function f() { var g; function g() {} return typeof g } f()", 2, "'function'"},
	{"function f() { var arguments; return typeof arguments } f()", 2, "'object'"},
	{"function f(g) { function g() {} return typeof g } f(1)", 2, "'number'"},
	{"function f(g) { function g() {} return typeof g } f()", 2, "'undefined'"},
	{"var toString = 1; function f() { return typeof toString } f()", 2, "'function'"},
	{"function fib(n) { return n < 2 ? n : fib(n - 1) + fib(n - 2) } fib(15)", 2, "610"},
	{"function mk() { var n = 0; return function () { return ++n } } c = mk(); c(); c(); c()", 2, "3"},
	{"function mk() { var n = 0; return function () { return ++n } } a = mk(); b = mk(); a(); a(); b()", 2,
	 "1"},
	{"(function f() { return f })() === (function f() { return f })()", 2, "false"},
	{"g = function f() { f = 1; return f }; g() === g", 2, "true"},
	{"(function f() { return typeof f })()", 2, "'function'"},
	{"(function unseen() {}); typeof unseen", 2, "'undefined'"},
	{"o = { m: function () { return this } }; o.m() === o", 2, "true"},
	{"function f() { var g = function () { return this }; return g() } f() === this", 2, "true"},
	{"this.x = 4; function f() { return this.x } f()", 2, "4"},
	// The this-value is restored when the callee throws.
	{"o = { m: function () { throw 1 } }; t = this; try { o.m() } catch (e) {} this === t", 2, "true"},
	{"o = { m: function () { throw 1 } }; function f() { try { o.m() } catch (e) {} return this }"
	 " f() === this",
	 2, "true"},
	// new
	{"function F() { this.x = 1 } o = new F(); o.x", 2, "1"},
	{"function F() { this.x = 1 } o = new F; o instanceof F", 2, "true"},
	{"function F() { return { y: 2 } } new F().y", 2, "2"},
	{"function F() { this.z = 3; return 5 } new F().z", 2, "3"},
	{"function F() {} F.prototype.k = 9; new F().k", 2, "9"},
	{"function F() {} F.prototype = 5; o = new F(); o.toString === ({}).toString", 2, "true"},
	{"function F() {} new F() instanceof Object", 2, "true"},
	{"[] instanceof Object", 2, "true"},
	{"({}) instanceof Function", 2, "false"},
	{"1 instanceof Object", 2, "false"},
	// Literals.
	{"[5].length", 2, "1"},
	{"[5][0]", 2, "5"},
	{"a = [1,,2]; a.length", 2, "3"},
	{"a = [1,,2]; a[1]", 2, "undefined"},
	{"[1,2,].length", 2, "3"},
	{"[1,2,,].length", 2, "4"},
	{"[,,].length", 2, "0"},
	{"o = {a: 1, b: 'x', a: 3}; o.a", 2, "3"},
	{"({0: 'x'})[0]", 2, "'x'"},
	{"var m = {1: 'one'}; m[1] + m['1']", 2, "'oneone'"},
	{"o = {'p q': 2}; o['p q']", 2, "2"},
	{"({}).constructor === Object", 2, "true"},
	// in
	{"'a' in {a: 1}", 2, "true"},
	{"'b' in {a: 1}", 2, "false"},
	{"0 in [7]", 2, "true"},
	{"'0' in [7]", 2, "true"},
	{"' 0' in [7]", 2, "true"},
	{"'never-interned-name' in {}", 2, "false"},
	{"'toString' in {}", 2, "true"},
};

TEST_F(RunTest, FunctionsCallsAndLiterals)
{
	RunCases(*this, function_cases, std::size(function_cases), 1000);
}

const Case statement_cases[] = {
	// for-in
	{"o = {a: 1, b: 2}; s = ''; for (k in o) s += k; s", 2, "'ab'"},
	{"a = [5, 6]; a.p = 1; s = ''; for (k in a) s += k; s", 2, "'p01'"},
	{"function F() { this.own = 1 } F.prototype.inh = 2; s = ''; for (var k in new F()) s += k + ','; s", 2,
	 "'inh,own,'"},
	{"o = {a: 1, b: 2, c: 3}; s = ''; for (k in o) { s += k; delete o.c } s", 2, "'ab'"},
	{"o = {a: 1}; s = ''; for (k in o) { s += k; o.b = 2 } s", 2, "'a'"},
	{"o = {a: 1, b: 2}; for (k in o) k", 2, "'b'"},
	{"for (k in {a: 1, b: 2}) break;", 1, ""},
	{"o = {a: 1, b: 2}; for (k in o) break;", 2, "object"},   // the block keeps the earlier value
	{"a = []; a[4294967294] = 1; a[2147483648] = 2; s = ''; for (k in a) s += k + ','; s", 2,
	 "'2147483648,4294967294,'"},
	{"o = {a: 1}; for (var k = 'z' in o) ; k", 2, "'a'"},
	{"outer: for (i in {a: 1, b: 2}) { for (;;) { continue outer } } i", 2, "'b'"},
	// with
	{"o = {x: 0}; with (o) x = 1; o.x", 2, "1"},
	{"o = {}; with (o) y = 1; y", 2, "1"},
	{"o = {v: 3}; with (o) v", 2, "3"},
	{"o = {m: function () { return this }}; with (o) m() === o", 2, "true"},
	{"o = {v: 1}; try { with (o) throw 1 } catch (e) {} typeof v", 2, "'undefined'"},
	// switch
	{"s = ''; switch (2) { case 1: s += 'a'; case 2: s += 'b'; case 3: s += 'c' } s", 2, "'bc'"},
	{"s = ''; switch (9) { case 1: s += 'a'; default: s += 'd'; case 3: s += 'c' } s", 2, "'dc'"},
	{"s = ''; switch (3) { case 1: s += 'a'; default: s += 'd'; case 3: s += 'c' } s", 2, "'c'"},
	{"s = ''; switch ('1') { case 1: s = 'num'; break; default: s = 'none' } s", 2, "'none'"},
	{"n = 0; for (i = 0; i < 3; i++) { switch (i) { case 1: break; default: n++ } } n", 2, "2"},
	{"switch (1) { case 1: 5; break; }", 2, "5"},
	{"switch (1) {}", 1, ""},
	{"n = 0; l: switch (1) { case 1: for (;;) { n++; break l } } n", 2, "1"},
	// try
	{"try { throw 1 } catch (e) { r = e } r", 2, "1"},
	{"try { throw 1 } catch (e) { throw e } catch (f) { r = f } r", 2, "1"},
	{"try { throw 1 } catch (e) { throw 2 } catch (f) { r = f }", 3, "Unhandled exception: 2"},
	{"function f() { try { return 1 } finally { return 2 } } f()", 2, "2"},
	{"function f() { try { return 1 } finally { x = 3 } } f() + x", 2, "4"},
	{"try { throw 1 } finally { }", 3, "Unhandled exception: 1"},
	{"n = 0; for (;;) { try { break } finally { n++ } } n", 2, "1"},
	{"try { 1 } finally { 2 }", 2, "1"},
	{"try { throw 1 } catch (e) { 3 }", 2, "3"},
	{"try { nosuch } catch (e) { e.name }", 2, "'ReferenceError'"},
	{"try { throw 1 } catch (e) {} typeof e", 2, "'undefined'"},
	{"function f() { throw 'x' } try { f() } catch (e) { e }", 2, "'x'"},
	{"function f(n) { if (n == 0) throw n; try { f(n - 1) } finally { c++ } } c = 0;"
	 " try { f(5) } catch (e) {} c",
	 2, "5"},
	// A continue aimed at a label that names no loop does not stay pending.
	{"n = 0; l: { for (i = 0; i < 2; i++) continue l; } for (j = 0; j < 3; j++) n++; n", 2, "3"},
};

TEST_F(RunTest, StatementsThatManageScopes)
{
	RunCases(*this, statement_cases, std::size(statement_cases), 1000);
}

// No step may keep state outside its frame: the same programs give the
// same results when every step is a slice of its own.
TEST_F(RunTest, OneStepSlicesChangeNothing)
{
	RunCases(*this, function_cases, std::size(function_cases), 0);
	RunCases(*this, statement_cases, std::size(statement_cases), 0);
}

const Case eval_and_function_cases[] = {
	{"eval()", 2, "undefined"},
	{"eval(42)", 2, "42"},
	{"eval('1+2')", 2, "3"},
	{"eval('var a = 1')", 2, "undefined"},
	{"eval('var a2 = 1'); a2", 2, "1"},
	{"function f() { eval('var v = 2'); return v } f() + typeof v", 2, "'2undefined'"},
	{"function f() { eval('function g() { return 3 }'); return g() } f()", 2, "3"},
	{"function f(p) { return eval('p * 2') } f(4)", 2, "8"},
	{"o = {m: function () { return eval('this') }}; o.m() === o", 2, "true"},
	{"try { eval('throw 5') } catch (e) { e }", 2, "5"},
	{"try { eval('1 +') } catch (e) { e.message }", 2, "'Syntax error in call to eval (line 1)\r\n1 +\r\n----^'"},
	{"try { eval('1 +') } catch (e) { e instanceof SyntaxError }", 2, "true"},
	{"eval('if (1) 2; else 3')", 2, "2"},
	{"try { eval(new Array(20000).join('(') + '1' + new Array(20000).join(')')) } catch (e) { e.name }", 2,
	 "'SyntaxError'"},
	{"new Function('a, b', 'c', 'return a + b + c')(1, 2, 3)", 2, "6"},
	{"new Function('a, b', 'c', 'return a + b + c').length", 2, "3"},
	{"Function('return 7')()", 2, "7"},
	{"Function('a b', 'return ab')(5)", 2, "5"},
	{"typeof new (new Function())", 2, "'object'"},
	{"new Function() instanceof Function", 2, "true"},
	{"x = 1; Function('return x')()", 2, "1"},
	{"parseInt.toString()", 2, "'function parseInt() { [native code] }'"},
	{"(function f(a, b) { return a }).toString()", 2, "'function f(a, b) {\nreturn a;\n}\n'"},
	{"parseInt.length + eval.length", 2, "3"},
	{"function f() { return this } f.call(null) === this", 2, "true"},
	{"function f() { return this } f.apply(undefined) === this", 2, "true"},
	{"function f() { return typeof this } f.call(5)", 2, "'object'"},
	{"function f(a, b) { return a + b } f.call(null, 1, 2)", 2, "3"},
	{"function f(a, b) { return a + b } f.apply(null, [1, 2])", 2, "3"},
	{"function f(x, y) { return x + y } function g(a, b) { return f.apply(this, arguments) } g(1, 2)", 2,
	 "3"},
	{"function f(a, b) { return a + b } f.apply(null, {length: 2, 0: 'a', 1: 'b'})", 2, "'ab'"},
	{"function f() { return arguments.length } f.apply(null, {length: 3})", 2, "3"},
	{"function f() {} t = this; try { f.apply({}, 5) } catch (e) {} this === t", 2, "true"},
	{"function f() { return f.arguments } f()", 2, "undefined"},
};

TEST_F(RunTest, EvalAndFunctionObjects)
{
	RunCases(*this, eval_and_function_cases, std::size(eval_and_function_cases), 1000);
	RunCases(*this, eval_and_function_cases, std::size(eval_and_function_cases), 0);
}

// Contexts of version 3 or less also show a call's arguments object as
// the function's own "arguments" while the call runs.
TEST_F(RunTest, OldVersionsShowArgumentsOnTheFunction)
{
	version = 3;
	const Case cases[] = {
		{"function f() { return f.arguments.length } f(1, 2)", 2, "2"},
		{"function f() {} f(); f.arguments", 2, "undefined"},
		{"function f(n) { if (n) f(n - 1); return f.arguments } f(2)", 2, "undefined"},
	};
	RunCases(*this, cases, std::size(cases), 1000);
}

// After a top-level return the run is over: converting its value to text
// does not run the statements after it.
TEST_F(RunTest, WantStringDoesNotResumeAFinishedProgram)
{
	Outcome o = Run("return 5; throw 1", 1000, 1);
	EXPECT_EQ(o.status, ES_STATUS_VALUE);
	EXPECT_EQ(o.value, "'5'");
	o = Run("x = {toString: function () { return 'obj' }}; return x; throw 1", 1000, 1);
	EXPECT_EQ(o.status, ES_STATUS_VALUE);
	EXPECT_EQ(o.value, "'obj'");
	o = Run("x = {toString: function () { throw 'bad' }}; x", 1000, 1);
	EXPECT_EQ(o.status, ES_STATUS_ERROR);
	EXPECT_EQ(o.value, "Unhandled exception: \"bad\"");
}

TEST_F(RunTest, CallErrors)
{
	const ErrorCase cases[] = {
		{"f = 1; f()", "Error:\r\nname: TypeError\r\nmessage: Attempted to call non-function: has non-object "
			       "value: 'f'\r\n"},
		{"var u; u()", "Error:\r\nname: TypeError\r\nmessage: Attempted to call non-function: has undefined "
			       "value: 'u'\r\n"},
		{"(1)()", "Error:\r\nname: TypeError\r\nmessage: Attempted to call non-function: non-Object\r\n"},
		{"nosuch()", "Error:\r\nname: ReferenceError\r\nmessage: Reference to undefined variable: No such "
			     "variable 'nosuch'\r\n"},
		{"x = 1; new x", "Error:\r\nname: TypeError\r\nmessage: Operand to 'new' is not an Object: x\r\n"},
		{"o = {}; new o", "Error:\r\nname: TypeError\r\nmessage: The Object does not implement "
				  "[[Construct]]\r\n"},
		{"function f() {} f() = 1", "Error:\r\nname: ReferenceError\r\nmessage: Reference to undefined "
					    "variable or property in assignment: f()\r\n"},
		{"1 instanceof 2", "Error:\r\nname: TypeError\r\nmessage: Second argument to 'instanceof' is not an "
				   "Object: 2\r\n"},
		{"function F() {} F.prototype = 5; ({}) instanceof F",
		 "Error:\r\nname: TypeError\r\nmessage: Second argument to 'instanceof' does not implement "
		 "[[HasInstance]]: F\r\n"},
		{"'a' in 'abc'", "Error:\r\nname: TypeError\r\nmessage: Second argument to 'in' is not an Object: "
				 "\"abc\"\r\n"},
		{"for (k in undefined) ;", "Error:\r\nname: TypeError\r\nmessage: Value to be enumerated by "
					   "'for...in' is not convertible to Object: undefined\r\n"},
		{"with (null) x", "Error:\r\nname: TypeError\r\nmessage: Value to be opened by 'with' is not "
				  "convertible to Object\r\n"},
		{"function r() { r() } r()",
		 "ECMAScript interpreter stack overflow (limit 10000 expressions).\r\nScript terminated."},
		{"eval(new Array(30000).join('1+') + '1')",
		 "ECMAScript interpreter stack overflow (limit 10000 expressions).\r\nScript terminated."},
		{"Function.prototype.toString.call({})",
		 "Error:\r\nname: TypeError\r\nmessage: Function.prototype.toString() was called on an object that "
		 "was not a Function\r\n"},
		{"new Function('1a', '')", "Error:\r\nname: SyntaxError\r\nmessage: Parse error in function "
					   "parameter list: 1a\r\n"},
		{"new Function('a,', '')", "Error:\r\nname: SyntaxError\r\nmessage: Parse error in function "
					   "parameter list: \r\n"},
		{"new Function('', '')", "Error:\r\nname: SyntaxError\r\nmessage: Parse error in function "
					 "parameter list: \r\n"},
		{"new Function('a +')", "Error:\r\nname: SyntaxError\r\nmessage: Parse error in function body: "
					"a +\r\n"},
		{"function f() {} f.apply({}, 5)", "Error:\r\nname: TypeError\r\nmessage: Function.prototype.apply() "
						   "was called with a second argument of the wrong type\r\n"},
		{"function f() {} f.apply({}, {length: 4294967295})",
		 "Error:\r\nname: RangeError\r\nmessage: Function.prototype.apply() was called with too many "
		 "arguments\r\n"},
		{"Function.prototype.call.call(5)", "Error:\r\nname: TypeError\r\nmessage: The Object does not "
						    "implement [[Call]]\r\n"},
		{"new parseInt()", "Error:\r\nname: TypeError\r\nmessage: The Object does not implement "
				   "[[Construct]]\r\n"},
	};
	RunErrorCases(*this, cases, std::size(cases));
}

} // namespace

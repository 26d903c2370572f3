// The Object, Array, Number, Boolean and Math built-ins as scripts meet
// them: programs compiled and run through the host interface, each case an
// expression and the text of its value.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
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

class LibraryScriptTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		ES_Init(&no_ops, Report);
		global = ES_CreateGlobalObject();
		ASSERT_NE(global, nullptr);
	}
	void TearDown() override { ES_DeleteGlobalObject(global); }

	// The program's value converted to a string (the host's want-string
	// mode), or "error: " and the report.  slices counts how often the
	// budget ran out.
	std::string Run(const char *text, int slice = 100000, int *slices = nullptr)
	{
		ES_SourceSegment segment{text, uint32_t(std::strlen(text))};
		ES_SyntaxErrorRecord record{};
		record.size = sizeof record.buffer;
		ES_Program *program = ES_CompileProgram(global, &segment, 1, 0, 1, &record);
		if (!program)
			return std::string("syntax: ") + record.buffer;
		ES_Context *cx = ES_CreateContext(global, nullptr, 4, 0);
		std::string out = "not run";
		reports.clear();
		if (ES_PushProgram(global, cx, program)) {
			int status, n = 0;
			while ((status = ES_ExecuteContext(cx, slice, 1)) == ES_STATUS_RUNNING)
				++n;
			if (slices)
				*slices = n;
			ES_Value v{};
			if (status == ES_STATUS_VALUE) {
				ES_GetReturnValue(cx, &v);
				out = v.type == ES_VALUE_STRING ? v.value.string : "not a string";
			} else if (status == ES_STATUS_ERROR) {
				out = "error: " + (reports.empty() ? std::string() : reports.back());
			} else {
				out = "no value";
			}
		}
		ES_DeleteContext(cx);
		ES_DeleteProgram(program);
		return out;
	}

	struct Case {
		const char *text;
		std::string value;
	};
	void Check(const std::vector<Case> &cases)
	{
		for (const auto &c : cases)
			EXPECT_EQ(Run(c.text), c.value) << c.text;
	}

	JS_Object *global = nullptr;
};

const char range_error[] = "error: Error:\r\nname: RangeError\r\nmessage: ";
const char type_error[] = "error: Error:\r\nname: TypeError\r\nmessage: ";

std::string Range(const char *message)
{
	return std::string(range_error) + message + "\r\n";
}

std::string Type(const char *message)
{
	return std::string(type_error) + message + "\r\n";
}

TEST_F(LibraryScriptTest, ObjectConstructorAndPrototype)
{
	Check({
		{"Object.prototype.toString.call([])", "[object Array]"},
		{"Object.prototype.toString.call(Math)", "[object Math]"},
		{"Object.prototype.toString.call(function () {})", "[object Function]"},
		{"Object.prototype.toString.call(new Error('x'))", "[object Error]"},
		{"typeof new Object(1)", "object"},
		{"o = {}; Object(o) === o && new Object(o) === o", "true"},
		{"o = Object(null); typeof o + (o === Object(null))", "objectfalse"},
		{"({a: 1}).hasOwnProperty('a')", "true"},
		{"({}).hasOwnProperty('toString')", "false"},
		{"[5].hasOwnProperty('0') && [5].hasOwnProperty(0)", "true"},
		{"({}).hasOwnProperty('neverSeenName')", "false"},
		{"Object.prototype.isPrototypeOf({})", "true"},
		{"o = {}; o.isPrototypeOf(o)", "false"},
		{"o = {}; o.isPrototypeOf(1) || o.isPrototypeOf()", "false"},
		{"[5].propertyIsEnumerable(0)", "true"},
		{"[5].propertyIsEnumerable('length')", "false"},
		{"Object.prototype.propertyIsEnumerable.length + ',' + Object.length", "0,1"},
		{"({toString: function () { return 'me'; }}).toLocaleString()", "me"},
		{"x = new Object(); x.valueOf() === x", "true"},
	});
}

TEST_F(LibraryScriptTest, ArrayConstructorAndLength)
{
	Check({
		{"a = new Array(3); a.length + ',' + a.hasOwnProperty(0)", "3,false"},
		{"a = new Array('3'); a.length + ',' + a[0]", "1,3"},
		{"Array(1, 2).join()", "1,2"},
		{"new Array(-1)", Range("Length given to Array constructor is out of range.: -1")},
		{"new Array(1.5)", Range("Length given to Array constructor is out of range.: 1.5")},
		{"a = [1, 2, 3]; a.length = 2; a.join() + ',' + a[2]", "1,2,undefined"},
		{"a = [1, 2, 3]; a.length = 1.5", Range("Attempted to set Array.length to non-integer or negative value: 1.5")},
		{"a = [1]; a.length = -1", Range("Attempted to set Array.length to non-integer or negative value: -1")},
		{"a = [1]; a.length = NaN", Range("Attempted to set Array.length to non-integer or negative value: NaN")},
		{"a = [1]; a[9] = 0; a.length", "10"},
		{"a = []; a[4294967295] = 1; a.length", "0"},
		{"a = []; a[4294967294] = 1; a.length", "4294967295"},
		{"a = []; a.length = 2e9; a.length", "2000000000"},
		{"a = [1, 2]; a.length = {valueOf: function () { return 1; }}; a.join()", "1"},
		{"a = new Array(4294967295); a.length", "4294967295"},
		{"a = []; a[2147483648] = 'b'; a[1] = 'a'; a.length = 2; a.length + a.join()", "2,a"},
	});
}

TEST_F(LibraryScriptTest, Join)
{
	Check({
		{"[1, [2, 3], 4].join()", "1,2,3,4"},
		{"[1, 2].join(undefined)", "1,2"},
		{"[null, undefined, 1].join('-')", "--1"},
		{"[1, {toString: function () { return 2; }}].join()",
			Type("Array.prototype.join: array element's toString method did not return a string or a String")},
		{"[{toString: function () {}}, 1].join()", "undefined,1"},
		{"[{toString: function () { return Object('s'); }}].join()", "s"},
		{"[{toString: 5}].join()", Type("Array.prototype.join: array element does not implement toString")},
		{"try { [1, {toString: function () { throw 'no'; }}].join(); } catch (e) { e }", "no"},
		{"new Array(20001).join('x').length", "20000"},
		{"[1, 'a'].toLocaleString()", "1,a"},
		{"[1, [2, [3]]] + ''", "1,2,3"},
		{"a = []; a[3000000000] = 'z'; a.length = 4294967295; a.join('')", "z"},
		// Last: it changes Number.prototype for the rest of the test.
		{"Number.prototype.toString = function () { return 'n'; }; [1, 2].join()", "n,n"},
	});
}

TEST_F(LibraryScriptTest, MovingMethods)
{
	Check({
		{"[1, 2, 3].slice(-2).join()", "2,3"},
		{"[1, 2, 3].slice(0, -1).join()", "1,2"},
		{"[1, 2, 3].slice(-5).join()", "1,2,3"},
		{"[1, 2, 3].slice(2, 1).length", "0"},
		{"a = [1]; a[2] = 3; a.length = 5; a = a.slice(1); a.length + ':' + a.hasOwnProperty(0) + a.hasOwnProperty(1)",
			"4:falsetrue"},
		{"a = [1, 2, 3, 4]; a.splice(1, 2, 'a').join() + ';' + a.join()", "2,3;1,a,4"},
		{"a = [1, 2]; a.splice(1).length + ';' + a.join()", "0;1,2"},
		{"[1, 2, 3].splice(-1, 1).join()", "3"},
		{"[1, 2, 3].reverse().join()", "3,2,1"},
		{"a = [1]; a[2] = 3; a.reverse(); a.hasOwnProperty(1) + ',' + a.join()", "false,3,,1"},
		{"a = [1, 2].concat(3, [4, 5]); a.join() + ';' + a.length", "1,2,3,4,5;5"},
		{"a = []; a.pop() + ';' + a.length", "undefined;0"},
		{"[1, 2].push(3, 4)", "4"},
		{"a = [1, 2]; a.shift() + ';' + a.join()", "1;2"},
		{"[1, 2].unshift(0)", "3"},
		{"a = []; a.length = 4294967295; try { a.push(1, 2) } catch (e) { e.name + ':' + a.length + ':' + a[0] }",
			"RangeError:4294967295:undefined"},
		{"a = []; a[1e9] = 1; b = a.slice(0); b.length + ':' + b[1e9]", "1000000001:1"},
		{"o = {length: 1, 0: 'x'}; Array.prototype.push.call(o, 'y'); o.length + o[1]", "2y"},
		// Keys from 2^31 up order after the small ones.
		{"a = []; a[3000000000] = 'x'; a[0] = 'f'; a.shift() + ':' + a[2999999999] + ':' + a.length",
			"f:x:3000000000"},
		{"a = []; a[3000000000] = 'x'; a.unshift('f'); a[0] + a[3000000001] + ':' + a.length", "fx:3000000002"},
	});
}

TEST_F(LibraryScriptTest, Sort)
{
	Check({
		{"[10, 9, 1].sort().join()", "1,10,9"},
		{"a = [3, undefined, 1].sort(); a.join() + ':' + (a[2] === undefined)", "1,3,:true"},
		{"[3, 1, 2].sort(function (a, b) { return a - b; }).join()", "1,2,3"},
		{"[3, 1, 2].sort(function (a, b) { return a > b; }).join()", "1,2,3"},
		{"a = []; a[1e9] = 1; a.sort(); a.length + ':' + a[0]", "1000000001:1"},
		// Inconsistent comparators end, and every element is kept.
		{"a = [3, 1, 3, 2, 1, 3, 2, 2, 1, 3]; a.sort(function (x, y) { return x < y ? -1 : 1; }).join()",
			"1,1,1,2,2,2,3,3,3,3"},
		{"a = []; for (i = 0; i < 100; i++) a[i] = i % 7;"
		 "a.sort(function () { return Math.random() < 0.5 ? -1 : 1; });"
		 "s = 0; for (i = 0; i < 100; i++) s += a[i]; s + ':' + a.length",
			"295:100"},
		{"a = [5, 4, 3, 2, 1, 0, 9, 8, 7]; a.sort(function () { return 1; }); a.length + ':' + a.slice(0).sort().join('')",
			"9:012345789"},
		{"a = [5, 4, 3, 2, 1, 0, 9, 8, 7]; a.sort(function () { return 0; }).join('')", "543210987"},
		// A comparator that throws leaves the array as it was.
		{"a = [3, 2, 1]; n = 0; try { a.sort(function (x, y) { if (++n == 2) throw 'stop'; return x - y; }); }"
		 "catch (e) { e + ':' + a.join() }",
			"stop:3,2,1"},
		// One that changes the array under the sort.
		{"a = [3, 2, 1, 5, 4]; a.sort(function (x, y) { a.length = 0; a.push('z'); return x - y; }).join()",
			"1,2,3,4,5"},
		// Only an object is called; anything else sorts by text.
		{"[2, 1, 10].sort(5).join()", "1,10,2"},
		{"[2, 1].sort({})", Type("The Object does not implement [[Call]]")},
		{"[{toString: function () { return 'b'; }}, 'a'].sort().join()", "a,b"},
	});
}

TEST_F(LibraryScriptTest, NumberBooleanAndMath)
{
	Check({
		{"Number() + ',' + new Number('12') + ',' + Number.MIN_VALUE", "0,12,5e-324"},
		{"(255).toString(16) + (0).toString(2) + ',' + (255.9).toString(2) + ',' + (10).toString(10)",
			"ff0,11111111,10"},
		{"(4294967297).toString(16)", "100000001"},
		{"(1.5).toString(undefined)", "1.5"},
		{"(1).toString(37)", Range("Number.prototype.toString: the radix must be from 2 to 36")},
		{"Number.prototype.valueOf.call('1')", Type("Number.prototype.valueOf() requires a Number object")},
		{"Boolean('') + ',' + Boolean('false') + ',' + !!new Boolean(false)", "false,true,true"},
		{"Boolean.prototype.toString.call(1)", Type("Boolean.prototype.toString() requires a Boolean object")},
		{"Math.max() + ',' + Math.max(5) + ',' + Math.min(NaN, 1) + ',' + Math.max(1, NaN, 2)",
			"-Infinity,5,NaN,NaN"},
		{"1 / Math.round(-0.5)", "-Infinity"},
		{"Math.round(2.5) + ',' + Math.round(-2.5) + ',' + Math.round(0.49999999999999994)", "3,-2,0"},
		{"r = Math.random(); r >= 0 && r < 1", "true"},
		{"Math.PI", "3.141592653589793"},
		{"typeof Math + ',' + Math.sqrt(4) + ',' + Math.pow(2, 0.5)", "object,2,1.4142135623730951"},
		{"String.prototype.toString.call(1)", Type("String.prototype.toString() requires a String object")},
		{"Object('ab').valueOf()", "ab"},
	});
}

// A cleared global object gets the library again.
TEST_F(LibraryScriptTest, ClearingReinstallsTheLibrary)
{
	EXPECT_EQ(Run("Array.prototype.toString = function () { return 'replaced'; }; [2, 1].sort() + ''"), "replaced");
	ES_ClearGlobalObject(global);
	EXPECT_EQ(Run("[2, 1].sort() + ';' + Math.PI + ';' + Number.MIN_VALUE + ';' + Object.prototype.toString.call([])"),
		"1,2;3.141592653589793;5e-324;[object Array]");
}

// Built-ins that call one another without end meet the frame limit like
// script recursion does, although no frame completes on the way down.
TEST_F(LibraryScriptTest, EndlessNestingOfBuiltinsMeetsTheFrameLimit)
{
	const char overflow[] = "error: ECMAScript interpreter stack overflow (limit 10000 expressions).\r\nScript terminated.";
	Check({
		{"a = []; a[0] = a; a.join()", overflow},
		{"a = []; a[0] = a; a.toLocaleString()", overflow},
		{"o = {length: 1}; o.toString = Array.prototype.join; o[0] = o; [o, 1].sort()", overflow},
	});
}

TEST_F(LibraryScriptTest, LongJoinsAndSortsGiveTheHostItsTurn)
{
	int slices = 0;
	EXPECT_EQ(Run("Array.prototype[7] = 'x'; a = new Array(200000); a.join('-').length", 2, &slices), "200000");
	EXPECT_GT(slices, 2);
	slices = 0;
	EXPECT_EQ(Run("a = []; for (i = 0; i < 3000; i++) a[i] = (i * 7919) % 3000;"
		      "a.sort(function (x, y) { return x - y; }); a[0] + ',' + a[2999]",
			  50, &slices),
		"0,2999");
	EXPECT_GT(slices, 100);
}

} // namespace

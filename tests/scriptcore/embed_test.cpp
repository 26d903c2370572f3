// The engine as the host sees it: only the exported functions and records.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "scriptcore.h"

namespace {

// A host object: its own properties, plus what it was asked.
struct HostObject {
	std::map<std::string, double> numbers;
	int put_answer = ES_PUT_STORED;   // first answer to put_name
	std::vector<std::string> log;
	int released = 0;
	// As a function: the flags to return and what it received.
	int call_flags = ES_CALL_HAS_RESULT;
	ES_Value call_result{};
	std::vector<std::string> arguments;
	JS_Object *this_seen = nullptr;
	int calls = 0;
	// Runs inside the call, as a host callback would (re-entry tests).
	std::function<void()> during_call;
	// Answers get_name for "make" with a function made on the spot, which
	// nothing but the engine's value holds.
	JS_Object *make_in = nullptr;
	struct HostObject *made_host = nullptr;
};

std::vector<std::string> error_reports;

std::string Describe(const ES_Value &v)
{
	switch (v.type) {
	case ES_VALUE_UNDEFINED:
		return "undefined";
	case ES_VALUE_NULL:
		return "null";
	case ES_VALUE_BOOLEAN:
		return v.value.boolean ? "true" : "false";
	case ES_VALUE_NUMBER: {
		char buf[32];
		std::snprintf(buf, sizeof buf, "n:%g", v.value.number);
		return buf;
	}
	case ES_VALUE_STRING:
		return std::string("s:") + v.value.string;
	default:
		return "object";
	}
}

HostObject *H(ES_HostObject h)
{
	return static_cast<HostObject *>(h);
}

void ES_CALLBACK Release(ES_HostObject h)
{
	H(h)->released++;
}
void ES_CALLBACK Touch(ES_HostObject h)
{
	H(h)->log.push_back("touch");
}
int ES_CALLBACK GetName(ES_HostObject h, JS_Object *, const char *name, ES_Cookie, ES_Value *out)
{
	H(h)->log.push_back(std::string("get ") + name);
	if (H(h)->make_in && std::strcmp(name, "make") == 0) {
		out->type = ES_VALUE_OBJECT;
		out->value.object = ES_CreateForeignFunction(H(h)->make_in, nullptr, H(h)->made_host, "made", nullptr,
			nullptr, 0);
		return out->value.object ? 1 : 0;
	}
	auto it = H(h)->numbers.find(name);
	if (it == H(h)->numbers.end())
		return 0;
	out->type = ES_VALUE_NUMBER;
	out->value.number = it->second;
	return 1;
}
int ES_CALLBACK PutName(ES_HostObject h, JS_Object *, const char *name, ES_Cookie, ES_Value *value)
{
	H(h)->log.push_back(std::string("put ") + name + " " + Describe(*value));
	if (value->type == ES_VALUE_NUMBER && H(h)->put_answer == ES_PUT_WANT_NUMBER) {
		H(h)->numbers[name] = value->value.number;
		return ES_PUT_STORED;
	}
	if (value->type == ES_VALUE_STRING && H(h)->put_answer == 7)
		return ES_PUT_DECLINED;
	return H(h)->put_answer;
}
int ES_CALLBACK HasName(ES_HostObject h, const char *name, JS_Object *)
{
	return H(h)->numbers.count(name) ? 1 : 0;
}
int ES_CALLBACK DeleteName(ES_HostObject h, const char *name)
{
	H(h)->log.push_back(std::string("delete ") + name);
	return 1;
}
int ES_CALLBACK Invoke(ES_HostObject h, JS_Object *this_object, ES_Cookie, ES_Value *argv, int argc,
	ES_Value *result)
{
	H(h)->this_seen = this_object;
	H(h)->calls++;
	if (H(h)->during_call)
		H(h)->during_call();
	H(h)->arguments.clear();
	for (int i = 0; i < argc; ++i)
		H(h)->arguments.push_back(Describe(argv[i]));
	*result = H(h)->call_result;
	return H(h)->call_flags;
}
int ES_CALLBACK Count(ES_HostObject)
{
	return 1000;   // never used to index the engine's own tables
}
int ES_CALLBACK Report(const char *text, ES_Cookie cookie)
{
	error_reports.push_back(text + std::string(" @") + std::to_string(cookie));
	return 0;
}

ES_HostOps MakeOps()
{
	ES_HostOps ops{};
	ops.release = Release;
	ops.touch = Touch;
	ops.get_name = GetName;
	ops.put_name = PutName;
	ops.has_name = HasName;
	ops.delete_name = DeleteName;
	ops.call = Invoke;
	ops.construct = Invoke;
	ops.named_count = Count;
	ops.indexed_count = Count;
	return ops;
}
const ES_HostOps host_ops = MakeOps();

ES_Value Number(double d)
{
	ES_Value v{};
	v.type = ES_VALUE_NUMBER;
	v.value.number = d;
	return v;
}

ES_Value Text(const char *s)
{
	ES_Value v{};
	v.type = ES_VALUE_STRING;
	v.value.string = s;
	return v;
}

class EmbedTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		ES_Init(&host_ops, Report);
		error_reports.clear();
		global = ES_CreateGlobalObject();
		ASSERT_NE(global, nullptr);
	}
	void TearDown() override
	{
		if (global)
			ES_DeleteGlobalObject(global);
	}
	JS_Object *global = nullptr;
};

TEST_F(EmbedTest, GetPutAndDeleteByName)
{
	ES_Value out = Number(-1);
	EXPECT_EQ(ES_GetProperty(global, "missingProperty", &out), 0);
	EXPECT_EQ(out.type, ES_VALUE_NUMBER);   // left unchanged
	EXPECT_EQ(out.value.number, -1);

	char buffer[] = "hello";
	ES_Value v = Text(buffer);
	ES_PutProperty(global, "greeting", &v);
	buffer[0] = 'j';   // the engine copied the text
	ASSERT_EQ(ES_GetProperty(global, "greeting", &out), 1);
	EXPECT_EQ(out.type, ES_VALUE_STRING);
	EXPECT_STREQ(out.value.string, "hello");
	EXPECT_EQ(ES_GetProperty(global, "greeting", nullptr), 1);

	// Inherited from Object.prototype through the global's prototype.
	EXPECT_EQ(ES_GetProperty(global, "constructor", &out), 1);
	EXPECT_EQ(out.type, ES_VALUE_OBJECT);

	EXPECT_EQ(ES_DeleteProperty(global, "greeting"), 1);
	EXPECT_EQ(ES_GetProperty(global, "greeting", &out), 0);
	EXPECT_EQ(ES_DeleteProperty(global, "a name nobody ever used"), 0);
	EXPECT_EQ(ES_DeleteProperty(global, "NaN"), 0);   // DontDelete

	// Bad arguments: documented results, never a crash.
	EXPECT_EQ(ES_GetProperty(nullptr, "x", &out), 0);
	EXPECT_EQ(ES_GetProperty(global, nullptr, &out), 0);
	ES_PutProperty(global, nullptr, &v);
	ES_PutProperty(global, "x", nullptr);
	ES_Value bogus = Number(1);
	bogus.type = 99;
	ES_PutProperty(global, "bogus", &bogus);   // leaves undefined
	ASSERT_EQ(ES_GetProperty(global, "bogus", &out), 1);
	EXPECT_EQ(out.type, ES_VALUE_UNDEFINED);
	ES_Value null_text = Text(nullptr);
	ES_PutProperty(global, "empty", &null_text);
	ASSERT_EQ(ES_GetProperty(global, "empty", &out), 1);
	EXPECT_STREQ(out.value.string, "");
}

TEST_F(EmbedTest, PrototypesAndClasses)
{
	const struct {
		int kind;
		const char *cls;
	} cases[] = {
		{ES_PROTO_FUNCTION, "Function"}, {ES_PROTO_NUMBER, "Number"}, {ES_PROTO_STRING, "String"},
		{ES_PROTO_BOOLEAN, "Boolean"},   {ES_PROTO_ARRAY, "Array"},   {ES_PROTO_DATE, "Date"},
		{ES_PROTO_ERROR, "Error"},       {ES_PROTO_OBJECT, "Object"}, {42, "Object"},
	};
	for (const auto &c : cases) {
		JS_Object *p = ES_GetPrototype(global, c.kind);
		ASSERT_NE(p, nullptr);
		EXPECT_STREQ(ES_GetClass(p), c.cls) << c.kind;
	}
	EXPECT_EQ(ES_GetPrototype(global, 99), ES_GetPrototype(global, ES_PROTO_OBJECT));
	EXPECT_EQ(ES_GetPrototype(nullptr, 1), nullptr);
	EXPECT_STREQ(ES_GetClass(global), "Object");

	// A prototype cycle asked for by the host is ignored.
	JS_Object *object_prototype = ES_GetPrototype(global, ES_PROTO_OBJECT);
	JS_Object *function_prototype = ES_GetPrototype(global, ES_PROTO_FUNCTION);
	ES_SetPrototype(object_prototype, function_prototype);
	ES_Value out{};
	EXPECT_EQ(ES_GetProperty(function_prototype, "noSuchName", &out), 0);
}

TEST_F(EmbedTest, ForeignObjectsConsultTheHost)
{
	HostObject host;
	host.numbers["width"] = 640;
	JS_Object *o = ES_CreateForeignObject(global, ES_GetPrototype(global, 0), &host, "Window", 1);
	ASSERT_NE(o, nullptr);
	EXPECT_STREQ(ES_GetClass(o), "Window");
	EXPECT_EQ(ES_GetForeignObject(o), &host);
	EXPECT_EQ(ES_GetForeignObject(global), nullptr);
	EXPECT_EQ(ES_GetForeignObject(ES_GetPrototype(global, 0)), nullptr);

	ES_Value out{};
	ASSERT_EQ(ES_GetProperty(o, "width", &out), 1);
	EXPECT_EQ(out.value.number, 640);
	EXPECT_EQ(host.log, (std::vector<std::string>{"touch", "get width"}));
	// A miss on the host falls back to the prototype chain.
	EXPECT_EQ(ES_GetProperty(o, "constructor", &out), 1);
	// ES_PutProperty stores natively without asking; a native entry then
	// answers without the host.
	host.log.clear();
	ES_Value v = Number(3);
	ES_PutProperty(o, "depth", &v);
	EXPECT_EQ(ES_GetProperty(o, "depth", &out), 1);
	EXPECT_EQ(out.value.number, 3);
	EXPECT_TRUE(host.log.empty());
	EXPECT_EQ(ES_DeleteProperty(o, "depth"), 1);

	ES_Value keep{};
	keep.type = ES_VALUE_OBJECT;
	keep.value.object = o;
	ES_PutProperty(global, "keep", &keep);
	ES_DeleteForeignObject(o);   // forgets the host and drops the host's count
	EXPECT_EQ(host.released, 0);
	EXPECT_EQ(ES_GetForeignObject(o), nullptr);
	ES_DeleteProperty(global, "keep");   // freed now, without calling the host
	EXPECT_EQ(host.released, 0);
}

TEST_F(EmbedTest, ReleaseReachesTheHostWhenTheObjectDies)
{
	HostObject host;
	JS_Object *o = ES_CreateForeignObject(global, nullptr, &host, "Thing", 0);
	ASSERT_NE(o, nullptr);
	ES_Value v{};
	v.type = ES_VALUE_OBJECT;
	v.value.object = o;
	ES_PutProperty(global, "thing", &v);
	EXPECT_EQ(host.released, 0);
	ES_DeleteProperty(global, "thing");
	EXPECT_EQ(host.released, 1);
}

TEST_F(EmbedTest, DeletedGlobalObjectIsClosedForRemainingHolders)
{
	HostObject host;
	JS_Object *kept = ES_CreateForeignObject(global, nullptr, &host, "Kept", 1);
	ES_Context *cx = ES_CreateContext(global, nullptr, 4, 9);
	ASSERT_NE(cx, nullptr);
	ES_DeleteGlobalObject(global);
	ES_Value out{};
	ASSERT_EQ(ES_GetProperty(global, "closed", &out), 1);   // the context keeps it alive
	EXPECT_EQ(out.type, ES_VALUE_BOOLEAN);
	EXPECT_EQ(out.value.boolean, 1);
	EXPECT_EQ(ES_GetProperty(global, "Object", &out), 0);
	global = nullptr;
	ES_DeleteContext(cx);
	// The foreign object outlived its global object; it must still be safe.
	ES_Value v = Number(1);
	ES_PutProperty(kept, "x", &v);
	ES_DeleteForeignObject(kept);
}

TEST_F(EmbedTest, ClearingReinstallsTheBuiltins)
{
	ES_Value v = Number(5);
	ES_PutProperty(global, "leftover", &v);
	JS_Object *old_object_prototype = ES_GetPrototype(global, 0);
	ES_ClearGlobalObject(global);
	ES_Value out{};
	EXPECT_EQ(ES_GetProperty(global, "leftover", &out), 0);
	ASSERT_EQ(ES_GetProperty(global, "Object", &out), 1);
	EXPECT_EQ(out.type, ES_VALUE_OBJECT);
	EXPECT_NE(ES_GetPrototype(global, 0), nullptr);
	(void)old_object_prototype;
}

TEST_F(EmbedTest, ForeignFunctionCallWithConversionsAndResult)
{
	HostObject host;
	host.call_result = Number(42);
	JS_Object *f = ES_CreateForeignFunction(global, ES_GetPrototype(global, 1), &host, "measure", "Function",
		"ns", 1);
	ASSERT_NE(f, nullptr);
	ES_Context *cx = ES_CreateContext(global, nullptr, 4, 77);
	ASSERT_NE(cx, nullptr);
	ES_Value args[3] = {Text("12"), Number(1.5), Number(1e21)};
	ASSERT_EQ(ES_PushCall(cx, f, 3, args, 1), 1);
	EXPECT_EQ(ES_ExecuteContext(cx, 1000, 0), ES_STATUS_VALUE);
	EXPECT_EQ(ES_GetReturnStatus(cx), ES_STATUS_VALUE);
	// "n" for the first value, "s" for it and every later one.
	EXPECT_EQ(host.arguments, (std::vector<std::string>{"n:12", "s:1.5", "s:1e+21"}));
	EXPECT_EQ(host.this_seen, global);
	ES_Value out{};
	ES_GetReturnValue(cx, &out);
	EXPECT_EQ(Describe(out), "n:42");

	// Without a conversion text the values arrive as they are; with want
	// string the number comes back as text after one more slice.
	JS_Object *g = ES_CreateForeignFunction(global, nullptr, &host, "raw", nullptr, nullptr, 1);
	ASSERT_EQ(ES_PushCall(cx, g, 2, args, 1), 1);
	EXPECT_EQ(ES_ExecuteContext(cx, 1000, 1), ES_STATUS_RUNNING);
	EXPECT_EQ(ES_ExecuteContext(cx, 1000, 1), ES_STATUS_VALUE);
	EXPECT_EQ(host.arguments, (std::vector<std::string>{"s:12", "n:1.5"}));
	ES_GetReturnValue(cx, &out);
	EXPECT_EQ(Describe(out), "s:42");
	ES_DeleteContext(cx);
	ES_DeleteForeignObject(f);
	ES_DeleteForeignObject(g);
}

TEST_F(EmbedTest, HostSuspensionReturnsControlAfterTheStep)
{
	HostObject host;
	host.call_flags = ES_CALL_SUSPEND;   // no result: the value is undefined
	JS_Object *f = ES_CreateForeignFunction(global, nullptr, &host, "wait", nullptr, nullptr, 1);
	ES_Context *cx = ES_CreateContext(global, nullptr, 4, 1);
	ASSERT_EQ(ES_PushCall(cx, f, 0, nullptr, 1), 1);
	EXPECT_EQ(ES_ExecuteContext(cx, 1000, 0), ES_STATUS_RUNNING);
	EXPECT_EQ(ES_ExecuteContext(cx, 1000, 0), ES_STATUS_VALUE);
	ES_Value out = Number(1);
	ES_GetReturnValue(cx, &out);
	EXPECT_EQ(out.type, ES_VALUE_UNDEFINED);
	ES_DeleteContext(cx);
	ES_DeleteForeignObject(f);
}

TEST_F(EmbedTest, StepBudgets)
{
	HostObject host;
	host.call_result = Number(1);
	JS_Object *f = ES_CreateForeignFunction(global, nullptr, &host, "f", nullptr, nullptr, 1);
	ES_Context *cx = ES_CreateContext(global, nullptr, 4, 1);
	ASSERT_EQ(ES_PushCall(cx, f, 0, nullptr, 1), 1);
	EXPECT_EQ(ES_ExecuteContext(cx, -1, 0), ES_STATUS_RUNNING);   // runs nothing
	EXPECT_TRUE(host.arguments.empty() && host.this_seen == nullptr);
	EXPECT_EQ(ES_ExecuteContext(cx, 0, 0), ES_STATUS_RUNNING);    // exactly one step: the call
	EXPECT_EQ(host.this_seen, global);
	EXPECT_EQ(ES_ExecuteContext(cx, 0, 0), ES_STATUS_VALUE);      // the call-result frame
	ES_DeleteContext(cx);
	ES_DeleteForeignObject(f);
}

TEST_F(EmbedTest, EmptyAndBadContextsAreSafe)
{
	HostObject host;
	ES_Context *cx = ES_CreateContext(global, nullptr, 4, 5);
	ASSERT_NE(cx, nullptr);
	EXPECT_EQ(ES_GetReturnStatus(cx), 0);
	EXPECT_EQ(ES_ExecuteContext(cx, 100, 1), ES_STATUS_DONE);
	ES_Value out = Number(3);
	ES_GetReturnValue(cx, &out);   // nothing to return: out untouched
	EXPECT_EQ(out.value.number, 3);
	JS_Object *f = ES_CreateForeignFunction(global, nullptr, &host, "f", nullptr, nullptr, 1);
	ES_Value arg = Number(1);
	EXPECT_EQ(ES_PushCall(cx, f, 1, &arg, 0), 0);   // arguments need the result frame
	EXPECT_EQ(ES_PushCall(cx, f, 1, nullptr, 1), 0);
	EXPECT_EQ(ES_PushCall(nullptr, f, 0, nullptr, 1), 0);
	EXPECT_EQ(ES_PushProgram(global, cx, nullptr), 0);
	EXPECT_EQ(ES_CreateContext(nullptr, nullptr, 4, 0), nullptr);
	// A call of an object that is no function throws, and the host hears
	// of it once.
	JS_Object *plain = ES_CreateForeignObject(global, nullptr, &host, "Plain", 1);
	ASSERT_EQ(ES_PushCall(cx, plain, 0, nullptr, 1), 1);
	EXPECT_EQ(ES_ExecuteContext(cx, 100, 0), ES_STATUS_ERROR);
	ASSERT_EQ(error_reports.size(), 1u);
	EXPECT_EQ(error_reports[0],
		"Error:\r\nname: TypeError\r\nmessage: The Object does not implement [[Call]]\r\n @5");
	ES_DeleteContext(cx);
	ES_DeleteForeignObject(f);
	ES_DeleteForeignObject(plain);
}

TEST_F(EmbedTest, FunctionsMadeFromText)
{
	HostObject host;
	JS_Object *element = ES_CreateForeignObject(global, nullptr, &host, "Element", 1);
	JS_Object *scope[] = {element};
	const char *parameters[] = {"event", "extra"};
	ES_SyntaxErrorRecord record{};
	record.size = sizeof record.buffer;
	record.context = "in onclick";
	JS_Object *f = ES_CreateFunction(global, scope, 1, "return event.type", 17, 1, 2, parameters, &record);
	ASSERT_NE(f, nullptr);
	EXPECT_STREQ(ES_GetClass(f), "Function");
	EXPECT_EQ(record.buffer[0], 0);   // no report on success
	ES_Value v{};
	ASSERT_EQ(ES_GetProperty(f, "length", &v), 1);
	EXPECT_EQ(v.value.number, 2);
	EXPECT_EQ(ES_DeleteProperty(f, "length"), 0);
	ASSERT_EQ(ES_GetProperty(f, "prototype", &v), 1);
	ASSERT_EQ(v.type, ES_VALUE_OBJECT);
	ES_Value constructor{};
	ASSERT_EQ(ES_GetProperty(v.value.object, "constructor", &constructor), 1);
	EXPECT_EQ(constructor.value.object, f);
	// Inherited through Function.prototype: the Function constructor.
	ES_Value function_ctor{}, inherited{};
	ASSERT_EQ(ES_GetProperty(global, "Function", &function_ctor), 1);
	ASSERT_EQ(ES_GetProperty(f, "constructor", &inherited), 1);
	EXPECT_EQ(inherited.value.object, function_ctor.value.object);

	// The function keeps its scope objects: the element's host is not told
	// to let go while the function lives.
	ES_Value keep{};
	keep.type = ES_VALUE_OBJECT;
	keep.value.object = f;
	ES_PutProperty(global, "onclick", &keep);
	ES_DeleteForeignObject(element);
	EXPECT_EQ(host.released, 0);

	// A syntax error fills the record and makes nothing.
	EXPECT_EQ(ES_CreateFunction(global, nullptr, 0, "return (", 8, 1, 0, nullptr, &record), nullptr);
	EXPECT_EQ(std::string(record.buffer).rfind("Syntax error in onclick (line 1)\r\n", 0), 0u) << record.buffer;
	// Bad arguments from the host.
	EXPECT_EQ(ES_CreateFunction(global, nullptr, 0, "x", 1, 1, 1, nullptr, nullptr), nullptr);
	EXPECT_EQ(ES_CreateFunction(global, nullptr, 2, "x", 1, 1, 0, nullptr, nullptr), nullptr);
	EXPECT_EQ(ES_CreateFunction(nullptr, nullptr, 0, "x", 1, 1, 0, nullptr, nullptr), nullptr);
	JS_Object *empty = ES_CreateFunction(global, nullptr, 0, nullptr, 0, 1, 0, nullptr, nullptr);
	EXPECT_NE(empty, nullptr);   // an empty body is a function too
}

// Runs a program on a fresh context until it is done; the final status.
int RunProgram(JS_Object *global, const char *text, int slice, ES_Context **keep = nullptr)
{
	ES_SourceSegment segment{text, uint32_t(std::strlen(text))};
	ES_Program *program = ES_CompileProgram(global, &segment, 1, 0, 1, nullptr);
	if (!program)
		return -1;
	ES_Context *cx = ES_CreateContext(global, nullptr, 4, 9);
	int status = -2;
	if (ES_PushProgram(global, cx, program))
		while ((status = ES_ExecuteContext(cx, slice, 0)) == ES_STATUS_RUNNING) {
		}
	if (keep)
		*keep = cx;
	else
		ES_DeleteContext(cx);
	ES_DeleteProgram(program);
	return status;
}

JS_Object *PutForeignFunction(JS_Object *global, HostObject *host, const char *name, const char *conversion)
{
	JS_Object *f = ES_CreateForeignFunction(global, ES_GetPrototype(global, ES_PROTO_FUNCTION), host, name,
		nullptr, conversion, 1);
	ES_Value v{};
	v.type = ES_VALUE_OBJECT;
	v.value.object = f;
	ES_PutProperty(global, name, &v);
	return f;
}

// Scripts call host functions with any number of arguments: the host gets
// exactly the arguments given, for calls and for new alike.
TEST_F(EmbedTest, ScriptsCallHostFunctionsWithEveryArgument)
{
	HostObject host;
	host.call_result.type = ES_VALUE_OBJECT;
	host.call_result.value.object = global;
	JS_Object *image = PutForeignFunction(global, &host, "Image", nullptr);
	ASSERT_EQ(RunProgram(global, "new Image(1,2,3,4,5,6,7,8,9)", 1000), ES_STATUS_VALUE);
	EXPECT_EQ(host.arguments.size(), 9u);
	EXPECT_EQ(host.arguments.back(), "n:9");
	ASSERT_EQ(RunProgram(global, "a = []; for (i = 0; i < 300; i++) a[i] = i;"
				     "Image.apply(null, a)", 1000),
		ES_STATUS_VALUE);
	EXPECT_EQ(host.arguments.size(), 300u);
	EXPECT_EQ(host.arguments[299], "n:299");
	// A conversion of 40000 arguments takes 40000 steps of one frame.
	HostObject numbers;
	JS_Object *sum = PutForeignFunction(global, &numbers, "sum", "n");
	ASSERT_EQ(RunProgram(global, "a = []; for (i = 0; i < 40000; i++) a[i] = '' + i; sum.apply(null, a)", 1000),
		ES_STATUS_VALUE)
		<< (error_reports.empty() ? "" : error_reports.back());
	ASSERT_EQ(numbers.arguments.size(), 40000u);
	EXPECT_EQ(numbers.arguments[39999], "n:39999");
	ES_DeleteForeignObject(sum);
	ASSERT_EQ(RunProgram(global, "Image()", 1000), ES_STATUS_VALUE);
	EXPECT_TRUE(host.arguments.empty());
	// A method of a host object is called with that object as this.
	JS_Object *element = ES_CreateForeignObject(global, nullptr, nullptr, "Element", 1);
	ES_Value v{};
	v.type = ES_VALUE_OBJECT;
	v.value.object = element;
	ES_PutProperty(global, "element", &v);
	v.value.object = image;
	ES_PutProperty(element, "click", &v);
	ASSERT_EQ(RunProgram(global, "element.click('x')", 1000), ES_STATUS_VALUE);
	EXPECT_EQ(host.this_seen, element);
	EXPECT_EQ(host.arguments, std::vector<std::string>{"s:x"});
	ES_DeleteForeignObject(element);
	ES_DeleteForeignObject(image);
}

// A function the host makes when it is looked up has no owner but the
// engine: the call must hold it until the call is done.
TEST_F(EmbedTest, FunctionMadeOnAccessLivesThroughItsCall)
{
	HostObject window, made;
	made.call_result = Number(5);
	window.make_in = global;
	window.made_host = &made;
	JS_Object *w = ES_CreateForeignObject(global, nullptr, &window, "Window", 1);
	ES_Value v{};
	v.type = ES_VALUE_OBJECT;
	v.value.object = w;
	ES_PutProperty(global, "w", &v);
	ES_Context *cx = nullptr;
	ASSERT_EQ(RunProgram(global, "w.make(1) + w.make(2)", 0, &cx), ES_STATUS_VALUE);
	ES_Value out{};
	ES_GetReturnValue(cx, &out);
	EXPECT_EQ(Describe(out), "n:10");
	EXPECT_EQ(made.calls, 2);
	EXPECT_EQ(made.this_seen, w);
	ES_DeleteContext(cx);
	ES_DeleteForeignObject(w);
}

// A host function that suspends the script hands control back after its
// step; the script goes on, in the same state, at the next slice.
TEST_F(EmbedTest, SuspensionResumesAcrossManySlices)
{
	HostObject host;
	host.call_flags = ES_CALL_SUSPEND | ES_CALL_HAS_RESULT;
	host.call_result = Number(2);
	JS_Object *wait = PutForeignFunction(global, &host, "wait", nullptr);
	const char *text = "n = 0; for (i = 0; i < 50; i++) n += wait(i); n";
	ES_SourceSegment segment{text, uint32_t(std::strlen(text))};
	ES_Program *program = ES_CompileProgram(global, &segment, 1, 0, 1, nullptr);
	ES_Context *cx = ES_CreateContext(global, nullptr, 4, 9);
	ASSERT_EQ(ES_PushProgram(global, cx, program), 1);
	int slices = 0, status;
	while ((status = ES_ExecuteContext(cx, 100000, 0)) == ES_STATUS_RUNNING)
		++slices;
	EXPECT_EQ(slices, 50);
	EXPECT_EQ(host.calls, 50);
	ES_Value out{};
	ES_GetReturnValue(cx, &out);
	EXPECT_EQ(Describe(out), "n:100");
	ES_DeleteContext(cx);
	ES_DeleteProgram(program);
	ES_DeleteForeignObject(wait);
}

// A host callback cannot run, push or delete the context that called it:
// a nested run is refused, and deletions of the context or of its program
// wait until the run returns.
TEST_F(EmbedTest, ReentryFromHostCallbacksIsSafe)
{
	HostObject host;
	host.call_result = Number(1);
	JS_Object *hook = PutForeignFunction(global, &host, "hook", nullptr);
	const char *text = "x = hook(); y = 2; x + y";
	ES_SourceSegment segment{text, uint32_t(std::strlen(text))};
	ES_Program *program = ES_CompileProgram(global, &segment, 1, 0, 1, nullptr);
	ES_Program *other = ES_CompileProgram(global, &segment, 1, 0, 1, nullptr);
	ES_Context *cx = ES_CreateContext(global, nullptr, 4, 9);
	int nested = -1, pushed = -1, pushed_call = -1;
	host.during_call = [&] {
		nested = ES_ExecuteContext(cx, 1000, 0);
		pushed = ES_PushProgram(global, cx, other);
		pushed_call = ES_PushCall(cx, global, 0, nullptr, 1);
		ES_DeleteProgram(program);   // its tree is running: deferred
	};
	ASSERT_EQ(ES_PushProgram(global, cx, program), 1);
	EXPECT_EQ(ES_ExecuteContext(cx, 1000, 0), ES_STATUS_VALUE);
	EXPECT_EQ(nested, ES_STATUS_ERROR);
	EXPECT_EQ(pushed, 0);
	EXPECT_EQ(pushed_call, 0);
	ES_Value out{};
	ES_GetReturnValue(cx, &out);
	EXPECT_EQ(Describe(out), "n:3");
	ES_DeleteContext(cx);   // lets go of the program, deleted now

	// Deleting the running context from its own callback.
	ES_Context *doomed = ES_CreateContext(global, nullptr, 4, 9);
	host.during_call = [&] { ES_DeleteContext(doomed); };
	ASSERT_EQ(ES_PushProgram(global, doomed, other), 1);
	EXPECT_EQ(ES_ExecuteContext(doomed, 1000, 0), ES_STATUS_VALUE);
	ES_DeleteProgram(other);
	ES_DeleteForeignObject(hook);
}

// valueOf gives an object, toString a number: a conversion to a string goes
// through both, in that order for hint Number and the other way for String.
TEST_F(EmbedTest, ConversionOfObjectsRunsTheirMethods)
{
	HostObject value_of, to_string, sink;
	JS_Object *object_prototype = ES_GetPrototype(global, ES_PROTO_OBJECT);
	JS_Object *target = ES_CreateForeignObject(global, object_prototype, nullptr, "Object", 1);
	JS_Object *f_value_of = ES_CreateForeignFunction(global, nullptr, &value_of, "valueOf", nullptr, nullptr, 1);
	JS_Object *f_to_string = ES_CreateForeignFunction(global, nullptr, &to_string, "toString", nullptr, nullptr, 1);
	value_of.call_result.type = ES_VALUE_OBJECT;
	value_of.call_result.value.object = target;
	to_string.call_result = Number(7);
	ES_Value m{};
	m.type = ES_VALUE_OBJECT;
	m.value.object = f_value_of;
	ES_PutProperty(target, "valueOf", &m);
	m.value.object = f_to_string;
	ES_PutProperty(target, "toString", &m);

	ES_Context *cx = ES_CreateContext(global, nullptr, 4, 3);
	ES_Value arg{};
	arg.type = ES_VALUE_OBJECT;
	arg.value.object = target;
	const struct {
		const char *conversion;
		const char *received;
	} cases[] = {{"n", "n:7"}, {"s", "s:7"}, {"b", "true"}, {"x", "object"}};
	for (const auto &c : cases) {
		JS_Object *f = ES_CreateForeignFunction(global, nullptr, &sink, "sink", nullptr, c.conversion, 1);
		value_of.this_seen = to_string.this_seen = nullptr;
		ASSERT_EQ(ES_PushCall(cx, f, 1, &arg, 1), 1);
		EXPECT_EQ(ES_ExecuteContext(cx, 1000, 0), ES_STATUS_VALUE) << c.conversion;
		EXPECT_EQ(sink.arguments, std::vector<std::string>{c.received}) << c.conversion;
		if (c.conversion[0] == 'n' || c.conversion[0] == 's') {
			EXPECT_EQ(to_string.this_seen, target);   // called with the object as this
		}
		ES_DeleteForeignObject(f);
	}
	EXPECT_TRUE(error_reports.empty());

	// Neither method gives a primitive: the conversion throws a TypeError.
	to_string.call_result = value_of.call_result;
	JS_Object *f = ES_CreateForeignFunction(global, nullptr, &sink, "sink", nullptr, "s", 1);
	ASSERT_EQ(ES_PushCall(cx, f, 1, &arg, 1), 1);
	EXPECT_EQ(ES_ExecuteContext(cx, 1000, 0), ES_STATUS_ERROR);
	ASSERT_EQ(error_reports.size(), 1u);
	EXPECT_EQ(error_reports[0], "Error:\r\nname: TypeError\r\nmessage: Object cannot be converted to "
				    "primitive value\r\n @3");
	ES_DeleteForeignObject(f);
	ES_DeleteContext(cx);
	ES_DeleteForeignObject(f_value_of);
	ES_DeleteForeignObject(f_to_string);
	ES_DeleteForeignObject(target);
}

} // namespace

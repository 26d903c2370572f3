// Out of memory: every allocation of a whole host session is made to fail
// in turn.  Each entry point must report the failure (null or 0), free what
// it made, and never crash; the sanitizer build checks the freeing.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "memory.h"
#include "scriptcore.h"

namespace {

int ES_CALLBACK Call(ES_HostObject, JS_Object *, ES_Cookie, ES_Value *argv, int argc, ES_Value *result)
{
	*result = argc ? argv[0] : ES_Value{};
	return ES_CALL_HAS_RESULT;
}

int ES_CALLBACK Report(const char *, ES_Cookie)
{
	return 0;
}

ES_HostOps MakeOps()
{
	ES_HostOps ops{};
	ops.call = Call;
	return ops;
}
const ES_HostOps ops = MakeOps();

// A host session: returns how far it got, for the record.
int Session()
{
	JS_Object *g = ES_CreateGlobalObject();
	if (!g)
		return 0;
	int reached = 1;
	ES_Value text{};
	text.type = ES_VALUE_STRING;
	text.value.string = "a string value that must be copied";
	ES_PutProperty(g, "text", &text);
	int host = 0;
	JS_Object *f = ES_CreateForeignFunction(g, ES_GetPrototype(g, ES_PROTO_FUNCTION), &host, "echo",
		nullptr, "sn", 1);
	ES_Context *cx = ES_CreateContext(g, nullptr, 4, 1);
	if (f && cx) {
		reached = 2;
		ES_Value args[2]{};
		args[0].type = ES_VALUE_NUMBER;
		args[0].value.number = 1.5;
		args[1] = text;
		if (ES_PushCall(cx, f, 2, args, 1)) {
			reached = 3;
			for (int slice = 0; slice < 100 && ES_ExecuteContext(cx, 2, 1) == ES_STATUS_RUNNING; ++slice) {
			}
			ES_Value out{};
			ES_GetReturnValue(cx, &out);
			if (ES_GetReturnStatus(cx) == ES_STATUS_VALUE) {
				EXPECT_EQ(out.type, ES_VALUE_STRING);
				EXPECT_EQ(std::string(out.value.string), "1.5");
				reached = 4;
			}
		}
	}
	ES_ClearGlobalObject(g);
	if (cx)
		ES_DeleteContext(cx);
	if (f)
		ES_DeleteForeignObject(f);
	ES_DeleteGlobalObject(g);
	return reached;
}

TEST(OutOfMemory, EveryAllocationMayFail)
{
	ES_Init(&ops, Report);
	JS_SetAllocationFault(-1, false);
	ASSERT_EQ(Session(), 4);   // the session works when memory does
	for (bool persistent : {true, false}) {
		long n = 0;
		for (;; ++n) {
			JS_SetAllocationFault(n, persistent);
			Session();
			bool fault_hit = js_fault_countdown <= 0;
			JS_SetAllocationFault(-1, false);
			if (!fault_hit)
				break;
		}
		EXPECT_GT(n, 100) << "the session makes more allocations than that";
		std::printf("%s faults: %ld allocations tried\n", persistent ? "persistent" : "single", n);
	}
	// Global objects made after all that are whole again.
	JS_Object *g = ES_CreateGlobalObject();
	ASSERT_NE(g, nullptr);
	ES_Value out{};
	EXPECT_EQ(ES_GetProperty(g, "URIError", &out), 1);
	ES_DeleteGlobalObject(g);
}

} // namespace

// Out of memory at every allocation a compilation makes, once or from then
// on: the compile fails cleanly with a report (or succeeds), never crashes,
// and gives back every name count it took.  LeakSanitizer (native-asan)
// checks that no block is left.
#include "frontend.h"
#include "memory.h"
#include "name.h"
#include "scriptcore.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const char kProgram[] =
	"var a = 1, b = 'two', c = [1, , 3], d = {x: 1, 'y z': /re/g, 3: a};\n"
	"function f(p, q) { var r = p + q; if (r > 1) { return r } else return q\n"
	"  for (var k in d) { try { g(k) } catch (e) { continue } finally { h() } } }\n"
	"x: while (a) { switch (b) { case 1: break x; default: a-- } }\n"
	"a = function (s) { return s.replace(/a/g, 'b') }; new F(1)(2)[3] += 4; a\n++b\n";

void Sweep(bool persistent)
{
	static const ES_HostOps ops = {};
	ES_Init(&ops, nullptr);
	JS_Object *global = ES_CreateGlobalObject();
	ASSERT_NE(global, nullptr);
	ES_SourceSegment segments[2] = {
		{kProgram, 100}, {kProgram + 100, static_cast<uint32_t>(std::strlen(kProgram) - 100)}};
	ES_SyntaxErrorRecord record;
	record.context = "in test";
	record.size = 1024;

	size_t names = JS_Name::TableCount();
	int failures = 0;
	for (long n = 0;; n++) {
		JS_SetAllocationFault(n, persistent);
		ES_Program *program = ES_CompileProgram(global, segments, 2, 0, 0, &record);
		// Done once the compilation no longer reaches the failing allocation.
		bool done = program && (persistent || js_fault_countdown >= 0);
		JS_SetAllocationFault(-1, false);
		ES_DeleteProgram(program);
		ASSERT_EQ(JS_Name::TableCount(), names) << "names left when allocation " << n << " failed";
		if (done)
			break;
		ASSERT_LT(n, 100000) << "the compilation never gets through";
		if (!program) {
			failures++;
			ASSERT_EQ(std::strncmp(record.buffer, "Syntax error in test (line ", 27), 0);
		}
	}
	EXPECT_GT(failures, 50);
	ES_DeleteGlobalObject(global);
}

TEST(CompileOutOfMemory, EachAllocationFailsOnce)
{
	Sweep(false);
}

TEST(CompileOutOfMemory, AllAllocationsFailFromOneOn)
{
	Sweep(true);
}

}  // namespace

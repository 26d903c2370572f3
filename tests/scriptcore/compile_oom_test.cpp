// Out of memory at every allocation a compilation makes: the compile fails
// cleanly (or succeeds), never crashes, and gives back every byte and every
// name count it took.  The allocator is replaced for this program alone, so
// it runs only in the plain native build (the sanitizers bring their own).
#include "frontend.h"
#include "name.h"
#include "scriptcore.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

extern "C" void *__libc_malloc(size_t);
extern "C" void *__libc_calloc(size_t, size_t);
extern "C" void *__libc_realloc(void *, size_t);
extern "C" void __libc_free(void *);

namespace {

// While armed: the allocation numbered failAt fails, and live counts the
// blocks allocated minus those freed.
bool armed = false;
long counter = 0;
long failAt = -1;
long live = 0;

bool Fail()
{
	return armed && ++counter == failAt;
}

}  // namespace

extern "C" void *malloc(size_t size)
{
	if (Fail())
		return nullptr;
	void *p = __libc_malloc(size);
	if (armed && p)
		live++;
	return p;
}

extern "C" void *calloc(size_t n, size_t size)
{
	if (Fail())
		return nullptr;
	void *p = __libc_calloc(n, size);
	if (armed && p)
		live++;
	return p;
}

extern "C" void *realloc(void *old, size_t size)
{
	if (Fail())
		return nullptr;
	void *p = __libc_realloc(old, size);
	if (armed && p && !old)
		live++;
	return p;
}

extern "C" void free(void *p)
{
	if (armed && p)
		live--;
	__libc_free(p);
}

namespace {

const char kProgram[] =
	"var a = 1, b = 'two', c = [1, , 3], d = {x: 1, 'y z': /re/g, 3: a};\n"
	"function f(p, q) { var r = p + q; if (r > 1) { return r } else return q\n"
	"  for (var k in d) { try { g(k) } catch (e) { continue } finally { h() } } }\n"
	"x: while (a) { switch (b) { case 1: break x; default: a-- } }\n"
	"a = function (s) { return s.replace(/a/g, 'b') }; new F(1)(2)[3] += 4; a\n++b\n";

TEST(CompileOutOfMemory, EveryAllocationMayFail)
{
	static const ES_HostOps ops = {};
	ES_Init(&ops, nullptr);
	JS_Object *global = ES_CreateGlobalObject();
	ASSERT_NE(global, nullptr);
	ES_SourceSegment segments[2] = {{kProgram, 100}, {kProgram + 100, static_cast<uint32_t>(std::strlen(kProgram) - 100)}};
	ES_SyntaxErrorRecord record;
	record.context = "in test";
	record.size = 1024;

	size_t names = JS_Name::TableCount();
	int failures = 0;
	for (long n = 1;; n++) {
		counter = 0;
		live = 0;
		failAt = n;
		armed = true;
		ES_Program *program = ES_CompileProgram(global, segments, 2, 0, 0, &record);
		ES_DeleteProgram(program);
		armed = false;
		ASSERT_EQ(live, 0) << "blocks left when allocation " << n << " failed";
		ASSERT_EQ(JS_Name::TableCount(), names) << "names left when allocation " << n << " failed";
		if (!program) {
			failures++;
			ASSERT_EQ(std::strncmp(record.buffer, "Syntax error in test (line ", 27), 0);
		}
		if (counter < n) {
			ASSERT_NE(program, nullptr) << "the compilation without failures must succeed";
			break;
		}
	}
	EXPECT_GT(failures, 50);
	std::printf("%d allocations failed in turn\n", failures);
	ES_DeleteGlobalObject(global);
}

}  // namespace

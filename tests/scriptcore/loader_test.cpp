// Loads the engine the way the browser does: by file name at run time, each
// export looked up by its undecorated name, and every record declared here
// from the binary layouts rather than taken from the engine's header.  A
// mismatch of names, calling convention or layout fails here.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(_WIN32)
#include <windows.h>
#define HOST_STDCALL __stdcall
#define HOST_CDECL __cdecl
#else
#include <dlfcn.h>
#define HOST_STDCALL
#define HOST_CDECL
#endif

namespace {

struct Value {   // 16 bytes: payload, type at 8, padding
	union {
		double number;
		int32_t boolean;
		const char *string;
		void *object;
	} payload;
	int32_t type;
	int32_t padding;
};

struct HostOps {   // 24 pointer slots
	void *slot[24];
};

struct SyntaxErrorRecord {
	char buffer[1024];
	const char *context;
	int32_t size;
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(Value) == 16 && offsetof(Value, type) == 8, "value layout");
static_assert(sizeof(HostOps) == 96, "host table layout");
static_assert(offsetof(SyntaxErrorRecord, context) == 1024 && offsetof(SyntaxErrorRecord, size) == 1028,
	"syntax error record layout");
#endif

using InitFn = void(HOST_STDCALL *)(const HostOps *, int(HOST_CDECL *)(const char *, uintptr_t));
using CreateGlobalFn = void *(HOST_STDCALL *)();
using DeleteGlobalFn = void(HOST_STDCALL *)(void *);
using GetPropertyFn = int(HOST_STDCALL *)(void *, const char *, Value *);
using PutPropertyFn = void(HOST_STDCALL *)(void *, const char *, const Value *);
using CreateForeignFunctionFn = void *(HOST_STDCALL *)(void *, void *, void *, const char *, const char *,
	const char *, int);
using CreateContextFn = void *(HOST_STDCALL *)(void *, void *, int, uintptr_t);
using DeleteContextFn = void(HOST_STDCALL *)(void *);
using PushCallFn = int(HOST_STDCALL *)(void *, void *, int, const Value *, int);
using ExecuteFn = int(HOST_STDCALL *)(void *, int, int);
using GetReturnValueFn = void(HOST_STDCALL *)(void *, Value *);
using CompileFn = void *(HOST_STDCALL *)(void *, const void *, int, int, int, SyntaxErrorRecord *);
using DeleteForeignFn = void(HOST_STDCALL *)(void *);

const char *const export_names[] = {
	"ES_Init", "ES_CreateGlobalObject", "ES_SetGlobalForeignObject", "ES_ClearGlobalObject",
	"ES_DeleteGlobalObject", "ES_GetProperty", "ES_PutProperty", "ES_DeleteProperty",
	"ES_CreateForeignObject", "ES_CreateForeignFunction", "ES_DeleteForeignObject", "ES_GetForeignObject",
	"ES_CompileProgram", "ES_DeleteProgram", "ES_CreateFunction", "ES_CreateContext", "ES_DeleteContext",
	"ES_PushProgram", "ES_PushCall", "ES_ExecuteContext", "ES_GetReturnValue", "ES_GetReturnStatus",
	"ES_GetPrototype", "ES_SetPrototype", "ES_GetClass",
};

class Library {
public:
	Library()
	{
#if defined(_WIN32)
		handle_ = LoadLibraryA("scriptcore.dll");
#else
		handle_ = dlopen(SCRIPTCORE_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
#endif
	}
	~Library()
	{
#if defined(_WIN32)
		if (handle_)
			FreeLibrary(static_cast<HMODULE>(handle_));
#else
		if (handle_)
			dlclose(handle_);
#endif
	}
	bool Loaded() const { return handle_ != nullptr; }
	template <typename F>
	F Get(const char *name) const
	{
#if defined(_WIN32)
		return reinterpret_cast<F>(
			reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(handle_), name)));
#else
		return reinterpret_cast<F>(dlsym(handle_, name));
#endif
	}

private:
	void *handle_;
};

int calls = 0;
double last_argument = 0;

int HOST_CDECL HostCall(void *, void *, uintptr_t, Value *argv, int argc, Value *result)
{
	++calls;
	last_argument = argc > 0 ? argv[0].payload.number : -1;
	result->type = 4;
	result->payload.string = "called";
	return 1;
}

int HOST_CDECL Report(const char *, uintptr_t)
{
	return 0;
}

TEST(Loader, EveryExportIsFoundByItsPlainName)
{
	Library lib;
	ASSERT_TRUE(lib.Loaded());
	for (const char *name : export_names)
		EXPECT_NE(lib.Get<void *>(name), nullptr) << name;
}

TEST(Loader, AHostDrivesTheEngineThroughItsOwnRecords)
{
	Library lib;
	ASSERT_TRUE(lib.Loaded());
	auto init = lib.Get<InitFn>("ES_Init");
	auto create_global = lib.Get<CreateGlobalFn>("ES_CreateGlobalObject");
	auto delete_global = lib.Get<DeleteGlobalFn>("ES_DeleteGlobalObject");
	auto get_property = lib.Get<GetPropertyFn>("ES_GetProperty");
	auto put_property = lib.Get<PutPropertyFn>("ES_PutProperty");
	auto create_function = lib.Get<CreateForeignFunctionFn>("ES_CreateForeignFunction");
	auto delete_foreign = lib.Get<DeleteForeignFn>("ES_DeleteForeignObject");
	auto create_context = lib.Get<CreateContextFn>("ES_CreateContext");
	auto delete_context = lib.Get<DeleteContextFn>("ES_DeleteContext");
	auto push_call = lib.Get<PushCallFn>("ES_PushCall");
	auto execute = lib.Get<ExecuteFn>("ES_ExecuteContext");
	auto get_return = lib.Get<GetReturnValueFn>("ES_GetReturnValue");
	ASSERT_TRUE(init && create_global && delete_global && get_property && put_property && create_function &&
		    delete_foreign && create_context && delete_context && push_call && execute && get_return);

	static HostOps ops{};
	ops.slot[14] = reinterpret_cast<void *>(&HostCall);   // "call", at byte 56 of the 32-bit table
	init(&ops, Report);

	void *global = create_global();
	ASSERT_NE(global, nullptr);
	Value v{};
	v.type = 3;
	v.payload.number = 2.5;
	put_property(global, "ratio", &v);
	Value out{};
	ASSERT_EQ(get_property(global, "ratio", &out), 1);
	EXPECT_EQ(out.type, 3);
	EXPECT_EQ(out.payload.number, 2.5);

	int host_object = 0;
	void *f = create_function(global, nullptr, &host_object, "hostCall", nullptr, nullptr, 1);
	ASSERT_NE(f, nullptr);
	void *cx = create_context(global, nullptr, 4, 42);
	ASSERT_NE(cx, nullptr);
	ASSERT_EQ(push_call(cx, f, 1, &v, 1), 1);
	EXPECT_EQ(execute(cx, 100, 0), 2);
	EXPECT_EQ(calls, 1);
	EXPECT_EQ(last_argument, 2.5);
	get_return(cx, &out);
	EXPECT_EQ(out.type, 4);
	EXPECT_STREQ(out.payload.string, "called");
	delete_context(cx);
	delete_foreign(f);
	delete_global(global);
}

} // namespace

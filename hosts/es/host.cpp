#include "host.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace es_shell {

namespace {

// The host objects behind the shell's foreign objects and functions: only
// their addresses matter, they tell the call entry which function runs.
char print_tag, log_tag, now_tag, console_tag, performance_tag;

const auto time_origin = std::chrono::steady_clock::now();

// Arguments arrive as strings (conversion text "s"), so the engine has run
// any toString methods already; other types appear only if a conversion
// could not allocate, and are written plainly rather than dropped.
void WriteValue(const ES_Value &v)
{
	switch (v.type) {
	case ES_VALUE_STRING:
		std::fputs(v.value.string, stdout);
		break;
	case ES_VALUE_NULL:
		std::fputs("null", stdout);
		break;
	case ES_VALUE_BOOLEAN:
		std::fputs(v.value.boolean ? "true" : "false", stdout);
		break;
	case ES_VALUE_NUMBER:
		std::printf("%.17g", v.value.number);
		break;
	case ES_VALUE_OBJECT:
		std::fputs("[object]", stdout);
		break;
	default:
		std::fputs("undefined", stdout);
		break;
	}
}

int ES_CALLBACK CallHost(ES_HostObject host, JS_Object *, ES_Cookie, ES_Value *argv, int argc,
	ES_Value *result)
{
	if (host == &print_tag || host == &log_tag) {
		for (int i = 0; i < argc; ++i) {
			if (i > 0)
				std::fputc(' ', stdout);
			WriteValue(argv[i]);
		}
		std::fputc('\n', stdout);
		return 0;
	}
	if (host == &now_tag) {
		std::chrono::duration<double, std::milli> since = std::chrono::steady_clock::now() - time_origin;
		result->type = ES_VALUE_NUMBER;
		result->value.number = since.count();
		return ES_CALL_HAS_RESULT;
	}
	return 0;
}

// Runtime errors that no script caught: the engine's text, as it is.
int ES_CALLBACK ReportError(const char *text, ES_Cookie)
{
	std::fflush(stdout);
	std::fputs(text, stderr);
	std::fputc('\n', stderr);
	std::fflush(stderr);
	return 0;
}

// Every other entry stays empty: the shell's objects keep their properties
// in the engine, and the engine treats a missing entry as "not the host's".
ES_HostOps MakeOps()
{
	ES_HostOps ops{};
	ops.call = CallHost;
	return ops;
}

const ES_HostOps host_ops = MakeOps();

}  // namespace

Host::~Host()
{
	if (global_)
		ES_DeleteGlobalObject(global_);
}

bool Host::Start()
{
	ES_Init(&host_ops, ReportError);
	global_ = ES_CreateGlobalObject();
	if (!global_)
		return false;
	JS_Object *console = MakeHolder("console", &console_tag);
	JS_Object *performance = MakeHolder("performance", &performance_tag);
	return console && performance && InstallFunction(global_, "print", &print_tag) &&
	       InstallFunction(console, "log", &log_tag) && InstallFunction(performance, "now", &now_tag);
}

// A plain object of class Object for host functions, stored on the global
// object under the given name.
JS_Object *Host::MakeHolder(const char *name, ES_HostObject which)
{
	JS_Object *holder = ES_CreateForeignObject(global_, ES_GetPrototype(global_, ES_PROTO_OBJECT), which,
		"Object", 0);
	if (!holder)
		return nullptr;
	ES_Value v{};
	v.type = ES_VALUE_OBJECT;
	v.value.object = holder;
	ES_PutProperty(global_, name, &v);
	return holder;
}

bool Host::InstallFunction(JS_Object *holder, const char *name, ES_HostObject which)
{
	// print and console.log take their arguments as strings; now takes none.
	const char *conversion = which == &now_tag ? nullptr : "s";
	JS_Object *fn = ES_CreateForeignFunction(global_, ES_GetPrototype(global_, ES_PROTO_FUNCTION), which,
		name, "Function", conversion, 0);
	if (!fn)
		return false;
	ES_Value v{};
	v.type = ES_VALUE_OBJECT;
	v.value.object = fn;
	ES_PutProperty(holder, name, &v);
	return true;
}

int Host::Run(const std::string &where, const std::string &text, bool show_result)
{
	// A segment's length is 32 bits: a longer text goes in several pieces,
	// which the engine reads as one.
	constexpr size_t piece = size_t(1) << 30;
	std::vector<ES_SourceSegment> segments;
	size_t at = 0;
	do {
		size_t n = std::min(piece, text.size() - at);
		segments.push_back({text.data() + at, uint32_t(n)});
		at += n;
	} while (at < text.size());
	ES_SyntaxErrorRecord record{};
	record.context = where.c_str();
	record.size = int32_t(sizeof record.buffer);
	ES_Program *program = ES_CompileProgram(global_, segments.data(), int(segments.size()), 0, version, &record);
	if (!program) {
		std::fflush(stdout);
		std::fputs(record.buffer, stderr);
		std::fputc('\n', stderr);
		return EXIT_SYNTAX_ERROR;
	}
	ES_Context *cx = ES_CreateContext(global_, nullptr, version, 0);
	if (!cx || !ES_PushProgram(global_, cx, program)) {
		if (cx)
			ES_DeleteContext(cx);
		ES_DeleteProgram(program);
		std::fputs("es: out of memory\n", stderr);
		return EXIT_NO_MEMORY;
	}
	int want_string = show_result ? 1 : 0;
	int status;
	while ((status = ES_ExecuteContext(cx, slice, want_string)) == ES_STATUS_RUNNING) {
		// A browser would do its other work here between slices.
	}
	if (show_result && status == ES_STATUS_VALUE) {
		ES_Value out{};
		ES_GetReturnValue(cx, &out);
		WriteValue(out);
		std::fputc('\n', stdout);
	}
	ES_DeleteContext(cx);
	ES_DeleteProgram(program);
	std::fflush(stdout);
	return status == ES_STATUS_ERROR ? EXIT_SCRIPT_ERROR : EXIT_OK;
}

}  // namespace es_shell

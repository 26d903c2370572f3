// The 25 exports the host calls.  Nothing thrown ever leaves them, bad
// arguments from the host get a documented result or do nothing, and
// out-of-memory yields null or 0.
#include "memory.h"
#include "scriptcore.h"

#include <cstring>
#include <new>

#include "code.h"
#include "context.h"
#include "foreign.h"
#include "frontend.h"
#include "function.h"
#include "global.h"
#include "machine.h"
#include "script_function.h"

#include <cstddef>

// The records the host shares with the engine have fixed binary layouts in
// the 32-bit DLL.
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(ES_Value) == 16, "ES_Value is 16 bytes");
static_assert(offsetof(ES_Value, type) == 8, "ES_Value type at offset 8");
static_assert(sizeof(ES_HostOps) == 96, "ES_HostOps has 24 slots");
static_assert(offsetof(ES_HostOps, construct) == 52 && offsetof(ES_HostOps, call) == 56 &&
		      offsetof(ES_HostOps, named_count) == 68 && offsetof(ES_HostOps, indexed_count) == 76 &&
		      offsetof(ES_HostOps, find_indexed) == 92,
	"ES_HostOps slot offsets");
static_assert(offsetof(ES_SyntaxErrorRecord, buffer) == 0 && offsetof(ES_SyntaxErrorRecord, context) == 1024 &&
		      offsetof(ES_SyntaxErrorRecord, size) == 1028,
	"ES_SyntaxErrorRecord offsets");
static_assert(sizeof(ES_SourceSegment) == 8, "a source segment is 8 bytes");
#endif

static JS_Global_Object *AsGlobal(JS_Object *o)
{
	// Every global object is made by ES_CreateGlobalObject; the class of
	// any object can be told by its dynamic type.
	return dynamic_cast<JS_Global_Object *>(o);
}

extern "C" {

ES_API void ES_CALL ES_Init(const ES_HostOps *ops, ES_ErrorReport report)
{
	js_host_ops = ops;
	js_error_report = report;
}

ES_API JS_Object *ES_CALL ES_CreateGlobalObject(void)
{
	return JS_Global_Object::Create();
}

ES_API void ES_CALL ES_SetGlobalForeignObject(JS_Object *global, ES_HostObject host)
{
	if (JS_Global_Object *g = AsGlobal(global))
		g->SetHost(host);
}

ES_API void ES_CALL ES_ClearGlobalObject(JS_Object *global)
{
	JS_Global_Object *g = AsGlobal(global);
	if (!g)
		return;
	JS_ReleaseHold hold;
	g->AddRef();
	g->ClearGlobal();
	if (!g->InstallBuiltins())
		g->ClearGlobal();   // leave it empty rather than half built
	g->Release();
}

ES_API void ES_CALL ES_DeleteGlobalObject(JS_Object *global)
{
	JS_Global_Object *g = AsGlobal(global);
	if (!g)
		return;
	JS_ReleaseHold hold;
	g->ClearGlobal();
	JS_Value yes;
	yes.SetBoolean(1);
	if (JS_Name *closed = JS_Name::Intern("closed"))
		g->NativePutName(closed, yes, 0);
	g->Release();
}

ES_API int ES_CALL ES_GetProperty(JS_Object *object, const char *name, ES_Value *out)
{
	if (!object || !name)
		return 0;
	JS_Name *n = JS_Name::Intern(name);
	if (!n)
		return 0;
	JS_ReleaseHold hold;
	JS_Value v;
	if (!object->GetName(nullptr, n, &v, object))
		return 0;
	if (out)
		ValueToHost(v, out);
	return 1;
}

ES_API void ES_CALL ES_PutProperty(JS_Object *object, const char *name, const ES_Value *value)
{
	if (!object || !name || !value)
		return;
	JS_Name *n = JS_Name::Intern(name);
	if (!n)
		return;
	JS_ReleaseHold hold;
	JS_Value v;
	if (!ValueFromHost(*value, &v))
		return;
	// Foreign objects and the global object store natively without asking
	// the host; other objects go through their own Put.
	if (object->IsForeign())
		static_cast<JS_Native_Object *>(object)->NativePutName(n, v, 0);
	else
		object->PutName(nullptr, n, v, object, 0);
}

ES_API int ES_CALL ES_DeleteProperty(JS_Object *object, const char *name)
{
	if (!object || !name)
		return 0;
	JS_Name *n = JS_Name::Find(name);
	if (!n)
		return 0;
	JS_ReleaseHold hold;
	return object->DeleteName(n);
}

ES_API JS_Object *ES_CALL ES_CreateForeignObject(JS_Object *global, JS_Object *prototype,
	ES_HostObject host, const char *class_name, int keep)
{
	JS_Global_Object *g = AsGlobal(global);
	if (!g)
		return nullptr;
	JS_Foreign_Object *o = JS_New<JS_Foreign_Object>(g, class_name ? class_name : "Object",
		host, keep != 0);
	if (!o)
		return nullptr;
	o->SetPrototype(prototype);
	if (keep)
		o->AddRef();
	return o;
}

ES_API JS_Object *ES_CALL ES_CreateForeignFunction(JS_Object *global, JS_Object *prototype,
	ES_HostObject host, const char *function_name, const char *class_name, const char *conversion,
	int keep)
{
	JS_Global_Object *g = AsGlobal(global);
	if (!g)
		return nullptr;
	JS_Name *name = function_name ? JS_Name::Intern(function_name) : nullptr;
	if (function_name && !name)
		return nullptr;
	JS_Foreign_Function *f = JS_New<JS_Foreign_Function>(g,
		class_name ? class_name : "Function", host, keep != 0, name, conversion);
	if (!f)
		return nullptr;
	f->SetPrototype(prototype);
	if (keep)
		f->AddRef();
	return f;
}

ES_API void ES_CALL ES_DeleteForeignObject(JS_Object *object)
{
	if (auto *f = dynamic_cast<JS_Foreign_Object *>(object)) {
		JS_ReleaseHold hold;
		f->Forget();
	}
}

ES_API ES_HostObject ES_CALL ES_GetForeignObject(JS_Object *object)
{
	if (auto *f = dynamic_cast<JS_Foreign_Object *>(object))
		return f->Host();
	return nullptr;
}

ES_API ES_Program *ES_CALL ES_CompileProgram(JS_Object *global, const ES_SourceSegment *segments,
	int segment_count, int, int version, ES_SyntaxErrorRecord *report)
{
	if (!AsGlobal(global) || (segment_count > 0 && !segments))
		return nullptr;
	return CompileProgram(segments, segment_count, version, report);
}

ES_API void ES_CALL ES_DeleteProgram(ES_Program *program)
{
	if (program && program->users > 0)
		program->delete_pending = true;   // a context still runs its tree
	else
		DeleteProgram(program);
}

ES_API JS_Object *ES_CALL ES_CreateFunction(JS_Object *global, JS_Object **scope, int scope_count,
	const char *text, uint32_t length, int, int parameter_count, const char **parameter_names,
	ES_SyntaxErrorRecord *report)
{
	JS_Global_Object *g = AsGlobal(global);
	if (!g || parameter_count < 0 || (parameter_count > 0 && !parameter_names))
		return nullptr;
	JS_ReleaseHold hold;
	return FunctionFromText(g, parameter_names, parameter_count, text, length, scope, scope_count, report);
}

ES_API ES_Context *ES_CALL ES_CreateContext(JS_Object *global, JS_Object *this_object, int version,
	ES_Cookie cookie)
{
	JS_Global_Object *g = AsGlobal(global);
	if (!g)
		return nullptr;
	ES_Context *cx = JS_New<ES_Context>(g, version, cookie);
	if (!cx)
		return nullptr;
	bool ok = cx->PushScopeChain() && cx->PushScopeObject(g) && cx->PushThis(g) &&
		  (!this_object || cx->PushThis(this_object));
	if (!ok) {
		delete cx;
		return nullptr;
	}
	cx->this_base = cx->this_count;
	return cx;
}

// The context's frames no longer run its program's tree; a deletion the
// host asked for meanwhile happens now.
static void LetGoOfProgram(ES_Context *cx)
{
	ES_Program *program = cx->program;
	cx->program = nullptr;
	if (program && --program->users == 0 && program->delete_pending)
		DeleteProgram(program);
}

static void DeleteContext(ES_Context *cx)
{
	cx->PopAllFrames();
	LetGoOfProgram(cx);
	delete cx;
}

ES_API void ES_CALL ES_DeleteContext(ES_Context *context)
{
	if (!context)
		return;
	if (context->running)
		context->delete_pending = true;   // done when the run returns
	else
		DeleteContext(context);
}

ES_API int ES_CALL ES_PushProgram(JS_Object *global, ES_Context *context, ES_Program *program)
{
	JS_Global_Object *g = AsGlobal(global);
	if (!g || !context || !program || !program->body || context->running || program->delete_pending)
		return 0;
	JS_ReleaseHold hold;
	if (!context->Reset())
		return 0;
	LetGoOfProgram(context);
	// Function declarations replace whatever the global object had under
	// their names, natively and without attributes.
	JS_ScopeChain *chain = context->Scope();
	for (int i = 0; i < program->functions.count; ++i) {
		FunctionCode *code = program->functions.items[i];
		JS_Script_Function *f = JS_Script_Function::Create(g, g->FunctionPrototype(), chain->Objects(),
			chain->Count(), code, code->name);
		if (!f || !code->name)
			return 0;
		JS_Value v;
		v.SetObject(f);
		if (JS_Property *p = g->FindNameEntry(code->name)) {
			p->value = v;
			p->flags = 0;
		} else if (g->NativePutName(code->name, v, 0)) {
			return 0;
		}
	}
	JS_Value undefined;
	for (int i = 0; i < program->vars.count; ++i) {
		JS_Name *name = program->vars.items[i];
		if (!g->FindNameEntry(name) && g->NativePutName(name, undefined, 0))
			return 0;
	}
	if (!context->PushStatement(program->body))
		return 0;
	context->program = program;
	++program->users;
	return 1;
}

ES_API int ES_CALL ES_PushCall(ES_Context *context, JS_Object *function, int argc, const ES_Value *argv,
	int wrap)
{
	if (!context || !function || argc < 0 || (argc > 0 && !argv) || context->running)
		return 0;
	JS_ReleaseHold hold;
	if (!context->Reset())
		return 0;
	LetGoOfProgram(context);
	// Arguments live in the call-result frame; without it there is nowhere
	// to put them.
	if (!wrap && argc > 0)
		return 0;
	if (wrap) {
		if (!context->PushCallResult())
			return 0;
		JS_Frame *result = context->Top();
		for (int i = 0; i < argc; ++i) {
			JS_Value v;
			if (!ValueFromHost(argv[i], &v) || !result->values.Push(v)) {
				context->PopAllFrames();
				return 0;
			}
		}
	}
	if (!context->PushCall(function)) {
		context->PopAllFrames();
		return 0;
	}
	return 1;
}

ES_API int ES_CALL ES_ExecuteContext(ES_Context *context, int steps, int want_string)
{
	if (!context || context->running)
		return ES_STATUS_ERROR;   // a host callback may not run its own caller
	JS_ReleaseHold hold;
	context->running = true;
	int r = RunContext(context, steps);
	context->running = false;
	if (context->delete_pending) {
		DeleteContext(context);
		return r == 0 ? ES_STATUS_RUNNING : r == COMPLETION_NORMAL ? ES_STATUS_DONE
			 : r == COMPLETION_VALUE || r == COMPLETION_RETURN ? ES_STATUS_VALUE
									     : ES_STATUS_ERROR;
	}
	int status;
	switch (r) {
	case 0:
		status = ES_STATUS_RUNNING;
		break;
	case COMPLETION_VALUE:
	case COMPLETION_RETURN: {
		status = ES_STATUS_VALUE;
		JS_Frame *bottom = context->FrameAt(0);
		const JS_Value *v = bottom->values.Count() ? &bottom->values.Top() : nullptr;
		if (want_string && (!v || v->IsUndefined())) {
			status = ES_STATUS_DONE;
		} else if (want_string && !v->IsString()) {
			// Convert it with a ToString step on top and come back for the
			// text; the bottom frame then completes again with it.
			uint32_t index = bottom->values.Count() - 1;
			if (!context->PushConversion(FRAME_TO_STRING, index)) {
				status = ES_STATUS_ERROR;
			} else {
				context->converting_result = true;
				status = ES_STATUS_RUNNING;
			}
		}
		break;
	}
	case COMPLETION_NORMAL:
		status = ES_STATUS_DONE;
		break;
	default:
		status = ES_STATUS_ERROR;
		break;
	}
	context->status = status;
	return status;
}

ES_API void ES_CALL ES_GetReturnValue(ES_Context *context, ES_Value *out)
{
	if (!context || !out || context->FrameCount() == 0)
		return;
	JS_Frame *top = context->Top();
	if (top->values.Count() == 0)
		return;
	ValueToHost(top->values.Top(), out);
}

ES_API int ES_CALL ES_GetReturnStatus(ES_Context *context)
{
	return context ? context->status : 0;
}

ES_API JS_Object *ES_CALL ES_GetPrototype(JS_Object *global, int kind)
{
	JS_Global_Object *g = AsGlobal(global);
	if (!g)
		return nullptr;
	switch (kind) {
	case ES_PROTO_FUNCTION:
		return g->Member(JS_Global_Object::FUNCTION_PROTOTYPE);
	case ES_PROTO_NUMBER:
		return g->Member(JS_Global_Object::NUMBER_PROTOTYPE);
	case ES_PROTO_STRING:
		return g->Member(JS_Global_Object::STRING_PROTOTYPE);
	case ES_PROTO_BOOLEAN:
		return g->Member(JS_Global_Object::BOOLEAN_PROTOTYPE);
	case ES_PROTO_ARRAY:
		return g->Member(JS_Global_Object::ARRAY_PROTOTYPE);
	case ES_PROTO_DATE:
		return g->Member(JS_Global_Object::DATE_PROTOTYPE);
	case ES_PROTO_ERROR:
		return g->Member(JS_Global_Object::ERROR_PROTOTYPE);
	default:
		return g->Member(JS_Global_Object::OBJECT_PROTOTYPE);
	}
}

ES_API void ES_CALL ES_SetPrototype(JS_Object *object, JS_Object *prototype)
{
	// A cycle would make every lookup on the object loop forever; such a
	// request is ignored.
	if (object && !object->WouldCycle(prototype)) {
		JS_ReleaseHold hold;
		object->SetPrototype(prototype);
	}
}

ES_API const char *ES_CALL ES_GetClass(JS_Object *object)
{
	return object ? object->class_name : nullptr;
}

} // extern "C"

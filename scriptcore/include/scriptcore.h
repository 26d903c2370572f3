/*
 * scriptcore: an ECMAScript 3 interpreter for embedding in a browser host.
 *
 * This header is the host's whole view of the engine.  The host calls
 * ES_Init once with its callback table, creates global objects, compiles
 * text into programs, pushes programs or calls onto contexts and runs them
 * in time slices with ES_ExecuteContext until the status is not 0.
 *
 * Counts at the boundary: ES_CreateGlobalObject hands out one count;
 * ES_CreateForeignObject and ES_CreateForeignFunction hand one out only with
 * keep; ES_CreateFunction hands out none.  Objects given to the host inside an
 * ES_Value carry no count.  Every call must come from one thread at a time.
 */
#ifndef SCRIPTCORE_H
#define SCRIPTCORE_H

#include <stdint.h>

#ifdef __cplusplus
class JS_Object;
struct ES_Context;
struct ES_Program;
extern "C" {
#else
typedef struct JS_Object JS_Object;
typedef struct ES_Context ES_Context;
typedef struct ES_Program ES_Program;
#endif

/* Exports use the standard Windows calling convention in the DLL; host
   callbacks always use the C convention. */
#if defined(_WIN32)
#define ES_CALL __stdcall
#define ES_CALLBACK __cdecl
#ifdef SCRIPTCORE_BUILD
#define ES_API __declspec(dllexport)
#else
#define ES_API __declspec(dllimport)
#endif
#else
#define ES_CALL
#define ES_CALLBACK
#define ES_API __attribute__((visibility("default")))
#endif

/* Type numbers of ES_Value. */
enum {
	ES_VALUE_UNDEFINED = 0,
	ES_VALUE_NULL = 1,
	ES_VALUE_BOOLEAN = 2,
	ES_VALUE_NUMBER = 3,
	ES_VALUE_STRING = 4,
	ES_VALUE_OBJECT = 5
};

/* A value crossing the boundary (16 bytes).  A string from the engine points
   into the engine's own buffer and stays valid only as long as the engine
   value that holds it. */
typedef struct ES_Value {
	union {
		double number;
		int32_t boolean;
		const char *string;
		JS_Object *object;
	} value;
	int32_t type;
	int32_t padding;
} ES_Value;

/* The host's value handed back to its callbacks: its own pointer for each
   foreign object, and the cookie of the context that does the access (0
   when no context does). */
typedef void *ES_HostObject;
typedef uintptr_t ES_Cookie;

/* Flags returned by the host's call and construct entries. */
enum {
	ES_CALL_HAS_RESULT = 1,
	ES_CALL_SUSPEND = 2
};

/* Answers of put_index and put_name. */
enum {
	ES_PUT_STORED = 0,
	ES_PUT_DECLINED = 1,
	ES_PUT_WANT_NUMBER = 3,
	ES_PUT_FAILED = 5
	/* any other answer: give me a string */
};

/* The host's callback table (24 pointer slots).  The host keeps it alive for
   the life of the process. */
typedef struct ES_HostOps {
	void (ES_CALLBACK *release)(ES_HostObject host);
	void (ES_CALLBACK *touch)(ES_HostObject host);
	int (ES_CALLBACK *get_index)(ES_HostObject host, JS_Object *receiver,
		uint32_t index, ES_Value *out);
	int (ES_CALLBACK *get_name)(ES_HostObject host, JS_Object *receiver,
		const char *name, ES_Cookie cookie, ES_Value *out);
	int (ES_CALLBACK *put_index)(ES_HostObject host, JS_Object *receiver,
		uint32_t index, ES_Value *value);
	int (ES_CALLBACK *put_name)(ES_HostObject host, JS_Object *receiver,
		const char *name, ES_Cookie cookie, ES_Value *value);
	int (ES_CALLBACK *can_put_index)(ES_HostObject host, uint32_t index,
		JS_Object *receiver);
	int (ES_CALLBACK *can_put_name)(ES_HostObject host, const char *name,
		JS_Object *receiver);
	int (ES_CALLBACK *has_index)(ES_HostObject host, uint32_t index,
		JS_Object *receiver);
	int (ES_CALLBACK *has_name)(ES_HostObject host, const char *name,
		JS_Object *receiver);
	int (ES_CALLBACK *delete_index)(ES_HostObject host, uint32_t index);
	int (ES_CALLBACK *delete_name)(ES_HostObject host, const char *name);
	void (ES_CALLBACK *default_value)(ES_HostObject host);
	int (ES_CALLBACK *construct)(ES_HostObject host, JS_Object *this_object,
		ES_Cookie cookie, ES_Value *argv, int argc, ES_Value *result);
	int (ES_CALLBACK *call)(ES_HostObject host, JS_Object *this_object,
		ES_Cookie cookie, ES_Value *argv, int argc, ES_Value *result);
	void *unused_60;
	void *unused_64;
	int (ES_CALLBACK *named_count)(ES_HostObject host);
	void *unused_72;
	int (ES_CALLBACK *indexed_count)(ES_HostObject host);
	void *unused_80;
	int (ES_CALLBACK *remove_indexed)(ES_HostObject host, int position);
	int (ES_CALLBACK *insert_indexed)(ES_HostObject host, int position);
	int (ES_CALLBACK *find_indexed)(ES_HostObject host, uint32_t index);
} ES_HostOps;

/* Receives runtime error texts that no script caught; the result is
   ignored. */
typedef int (ES_CALLBACK *ES_ErrorReport)(const char *text, ES_Cookie cookie);

/* The host's syntax-error record.  The report is formatted into at most
   size - 1 characters and NUL-terminated; size 0 means no report. */
typedef struct ES_SyntaxErrorRecord {
	char buffer[1024];
	const char *context;   /* inserted after "Syntax error"; may be null */
	int32_t size;
} ES_SyntaxErrorRecord;

/* One piece of source text; segments are read one after another. */
typedef struct ES_SourceSegment {
	const char *text;
	uint32_t length;
} ES_SourceSegment;

/* Kinds for ES_GetPrototype. */
enum {
	ES_PROTO_OBJECT = 0,
	ES_PROTO_FUNCTION = 1,
	ES_PROTO_NUMBER = 2,
	ES_PROTO_STRING = 3,
	ES_PROTO_BOOLEAN = 4,
	ES_PROTO_ARRAY = 5,
	ES_PROTO_DATE = 6,
	ES_PROTO_ERROR = 7
};

/* Results of ES_ExecuteContext. */
enum {
	ES_STATUS_RUNNING = 0,
	ES_STATUS_DONE = 1,
	ES_STATUS_VALUE = 2,
	ES_STATUS_ERROR = 3
};

/* Initialisation and global objects. */
ES_API void ES_CALL ES_Init(const ES_HostOps *ops, ES_ErrorReport report);
ES_API JS_Object *ES_CALL ES_CreateGlobalObject(void);
ES_API void ES_CALL ES_SetGlobalForeignObject(JS_Object *global, ES_HostObject host);
ES_API void ES_CALL ES_ClearGlobalObject(JS_Object *global);
ES_API void ES_CALL ES_DeleteGlobalObject(JS_Object *global);

/* Properties by name. */
ES_API int ES_CALL ES_GetProperty(JS_Object *object, const char *name, ES_Value *out);
ES_API void ES_CALL ES_PutProperty(JS_Object *object, const char *name, const ES_Value *value);
ES_API int ES_CALL ES_DeleteProperty(JS_Object *object, const char *name);

/* Foreign objects and functions. */
ES_API JS_Object *ES_CALL ES_CreateForeignObject(JS_Object *global, JS_Object *prototype,
	ES_HostObject host, const char *class_name, int keep);
ES_API JS_Object *ES_CALL ES_CreateForeignFunction(JS_Object *global, JS_Object *prototype,
	ES_HostObject host, const char *function_name, const char *class_name,
	const char *conversion, int keep);
ES_API void ES_CALL ES_DeleteForeignObject(JS_Object *object);
ES_API ES_HostObject ES_CALL ES_GetForeignObject(JS_Object *object);

/* Compilation. */
ES_API ES_Program *ES_CALL ES_CompileProgram(JS_Object *global, const ES_SourceSegment *segments,
	int segment_count, int unused, int version, ES_SyntaxErrorRecord *report);
ES_API void ES_CALL ES_DeleteProgram(ES_Program *program);
ES_API JS_Object *ES_CALL ES_CreateFunction(JS_Object *global, JS_Object **scope,
	int scope_count, const char *text, uint32_t length, int version,
	int parameter_count, const char **parameter_names, ES_SyntaxErrorRecord *report);

/* Contexts and execution. */
ES_API ES_Context *ES_CALL ES_CreateContext(JS_Object *global, JS_Object *this_object,
	int version, ES_Cookie cookie);
ES_API void ES_CALL ES_DeleteContext(ES_Context *context);
ES_API int ES_CALL ES_PushProgram(JS_Object *global, ES_Context *context, ES_Program *program);
ES_API int ES_CALL ES_PushCall(ES_Context *context, JS_Object *function, int argc,
	const ES_Value *argv, int wrap);
ES_API int ES_CALL ES_ExecuteContext(ES_Context *context, int steps, int want_string);
ES_API void ES_CALL ES_GetReturnValue(ES_Context *context, ES_Value *out);
ES_API int ES_CALL ES_GetReturnStatus(ES_Context *context);

/* Objects in general. */
ES_API JS_Object *ES_CALL ES_GetPrototype(JS_Object *global, int kind);
ES_API void ES_CALL ES_SetPrototype(JS_Object *object, JS_Object *prototype);
ES_API const char *ES_CALL ES_GetClass(JS_Object *object);

#ifdef __cplusplus
}
#endif

#endif

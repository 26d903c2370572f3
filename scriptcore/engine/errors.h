// Raising the engine's own errors, and its message table.
#ifndef SCRIPTCORE_ENGINE_ERRORS_H
#define SCRIPTCORE_ENGINE_ERRORS_H

#include <cstddef>

#include "context.h"

struct AST_Node;

// Error kinds; each has a prototype in the global object.
constexpr int ERROR_ERROR = 0;
constexpr int ERROR_EVAL = 1;
constexpr int ERROR_RANGE = 2;
constexpr int ERROR_REFERENCE = 3;
constexpr int ERROR_SYNTAX = 4;
constexpr int ERROR_TYPE = 5;
constexpr int ERROR_URI = 6;
constexpr int ERROR_GURU_MEDITATION = 7;
constexpr int ERROR_KIND_COUNT = 8;

extern const char *const js_error_kind_names[ERROR_KIND_COUNT];

// Message numbers of the engine's errors (texts in errors.cpp).
enum JS_Message {
	MSG_BOOLEAN_TOSTRING = 1,
	MSG_BOOLEAN_VALUEOF = 2,
	MSG_EVAL_PARSE = 3,
	MSG_NO_CONSTRUCT = 4,
	MSG_NO_CALL = 5,
	MSG_REGEXP_EXEC_THIS = 6,
	MSG_REGEXP_EXEC_ARGS = 7,
	MSG_REGEXP_TEST_THIS = 8,
	MSG_REGEXP_TEST_ARGS = 9,
	MSG_REGEXP_TOSTRING = 10,
	MSG_REGEXP_CALL_ARGS = 11,
	MSG_REGEXP_NEW_ARGS = 12,
	MSG_REGEXP_NEW_FLAGS = 13,
	MSG_STRING_TOSTRING = 14,
	MSG_STRING_MATCH_ARGS = 15,
	MSG_STRING_REPLACE_ARGS = 16,
	MSG_STRING_SEARCH_ARGS = 17,
	MSG_ARRAY_LOCALE_RESULT = 18,
	MSG_ARRAY_LOCALE_MISSING = 19,
	MSG_DOT_NOT_OBJECT = 20,
	MSG_BRACKET_NOT_OBJECT = 21,
	MSG_FOR_IN_NOT_OBJECT = 22,
	MSG_WITH_NOT_OBJECT = 23,
	MSG_NO_PRIMITIVE = 24,
	MSG_NOT_LOCATION = 25,
	MSG_UNDEFINED_VARIABLE = 26,
	MSG_UNDEFINED_IN_ASSIGNMENT = 27,
	MSG_ARRAY_LENGTH_RANGE = 28,
	MSG_INSTANCEOF_NOT_OBJECT = 29,
	MSG_INSTANCEOF_NO_HASINSTANCE = 30,
	MSG_IN_NOT_OBJECT = 31,
	MSG_NEW_NOT_OBJECT = 32,
	MSG_INFINITE_LOOP = 33,
	MSG_ARRAY_LENGTH_VALUE = 34,
	MSG_DATE_TOSTRING = 35,
	MSG_DATE_VALUEOF = 36,
	MSG_DATE_GET = 37,
	MSG_DATE_SET = 38,
	MSG_FUNCTION_TOSTRING = 39,
	MSG_APPLY_THIS = 40,
	MSG_APPLY_ARGS = 41,
	MSG_CALL_THIS = 42,
	MSG_PARAMETER_LIST = 43,
	MSG_FUNCTION_BODY = 44,
	MSG_NUMBER_TOSTRING = 45,
	MSG_NUMBER_VALUEOF = 46,
	MSG_CALL_NON_FUNCTION = 47,
	MSG_IMPLEMENTATION = 48,
	MSG_ERROR_TOSTRING = 49,
	MSG_ARRAY_JOIN_RESULT = 50,
	MSG_ARRAY_JOIN_MISSING = 51,
	MSG_COUNT = 52
};

const char *MessageText(int message);

// Each pushes a new error object onto the frame's values and returns
// COMPLETION_THROW.  When even the error object cannot be made, the thrown
// value is the message text, or undefined.
int Raise(ES_Context *cx, JS_Frame *frame, int kind, int message);
int RaiseWithText(ES_Context *cx, JS_Frame *frame, int kind, int message, const char *text);
// As RaiseWithText, the text being the node printed as an expression (the
// table text alone should memory run out while printing).
int RaiseWithSource(ES_Context *cx, JS_Frame *frame, int kind, int message, const AST_Node *node);
int RaiseWithReport(ES_Context *cx, JS_Frame *frame, int kind, const char *report);

// The text the host's error callback receives for an exception nobody
// caught, formatted into buffer (at most size - 1 characters).
void UnhandledExceptionText(const JS_Value &v, char *buffer, size_t size);

#endif

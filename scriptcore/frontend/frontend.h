/*
 * The compiler's entry points for the rest of the engine: whole programs
 * (ES_CompileProgram in scriptcore.h), function bodies given as text (the
 * Function constructor and ES_CreateFunction) and eval text.
 */
#ifndef SCRIPTCORE_FRONTEND_FRONTEND_H
#define SCRIPTCORE_FRONTEND_FRONTEND_H

#include "code.h"
#include "scriptcore.h"

#include <cstdint>

/* Compiles text as a function body with the given parameter names into a
   new code record holding one count, or null; on a syntax error the record,
   when given, receives the report. */
FunctionCode *CompileFunctionBody(const char *text, uint32_t length, const char *const *parameters,
	int parameterCount, ES_SyntaxErrorRecord *record);

/* Compiles eval text (a function body without parameters: a top-level
   return is allowed) into a new code record holding one count, or null
   with the report formatted into record as for any other compilation. */
FunctionCode *CompileEvalText(const char *text, uint32_t length, ES_SyntaxErrorRecord *record);

/* Compiles a program from segments; the compile entry under
   ES_CompileProgram. */
ES_Program *CompileProgram(const ES_SourceSegment *segments, int segmentCount, int version,
	ES_SyntaxErrorRecord *record);

void DeleteProgram(ES_Program *program);

#endif

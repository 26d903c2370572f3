/*
 * Declarations collected by the compiler, function code records and the
 * compiled program.
 */
#ifndef SCRIPTCORE_FRONTEND_CODE_H
#define SCRIPTCORE_FRONTEND_CODE_H

#include "ast.h"

#include <cstdint>

struct JS_Name;

/* A growable list of names; each entry holds one count. */
struct NameList {
	JS_Name **items = nullptr;
	int count = 0;
	int capacity = 0;

	/* Takes over the caller's count; on failure releases it and returns
	   false. */
	bool Append(JS_Name *name);
	void Clear();
};

/* A growable list of code records; each entry holds one count. */
struct CodeList {
	FunctionCode **items = nullptr;
	int count = 0;
	int capacity = 0;

	bool Append(FunctionCode *code);
	void Clear();
};

/* Shared by function declarations, function expressions and functions made
   from text.  Freed with its last count, releasing its names and nested
   records and deleting its body. */
struct FunctionCode {
	int references = 0;
	AST_Node *body = nullptr;       /* NODE_BLOCK */
	NameList parameters;
	NameList vars;                  /* duplicates kept, in order */
	CodeList functions;
	JS_Name *name = nullptr;        /* declarations only */
};

/* A compiled program: the top-level declarations and the body. */
struct ES_Program {
	NameList vars;                  /* duplicates kept, in order */
	CodeList functions;             /* in order of appearance */
	AST_Node *body = nullptr;       /* NODE_BLOCK over the top-level statements */
	int version = 0;                /* recorded only */
	/* Contexts whose frames run this program's tree; a deletion asked for
	   while there are any waits for the last to let go. */
	int users = 0;
	bool delete_pending = false;
};

FunctionCode *NewFunctionCode();
void RetainCode(FunctionCode *code);
void ReleaseCode(FunctionCode *code);

#endif

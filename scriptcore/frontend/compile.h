/*
 * The state of one compilation: scanner, token filter, function contexts,
 * the tree built so far and the position of the last syntax error.
 */
#ifndef SCRIPTCORE_FRONTEND_COMPILE_H
#define SCRIPTCORE_FRONTEND_COMPILE_H

#include "ast.h"
#include "code.h"
#include "scanner.h"
#include "scriptcore.h"

#include <cstdint>

/* A list of nodes being built: head and tail of a sibling chain. */
struct NodeList {
	AST_Node *head;
	AST_Node *tail;
	int count;
};

/* A growable stack of plain pointers (open labels, open switches). */
struct PointerStack {
	void **items = nullptr;
	int count = 0;
	int capacity = 0;

	bool Push(void *item);
	void *Pop() { return count ? items[--count] : nullptr; }
	void *Top() const { return count ? items[count - 1] : nullptr; }
	void Free();
};

/* One per function body being parsed, plus one for the top level. */
struct FunctionContext {
	NameList *vars = nullptr;           /* where declarations go */
	CodeList *functions = nullptr;
	NameList ownVars;                   /* the lists of a function body */
	CodeList ownFunctions;
	NameList parameters;
	PointerStack labels;                /* JS_Name *, borrowed from the parse */
	PointerStack switches;              /* AST_Node * NODE_SWITCH, owned while open */
	int loopDepth = 0;
	FunctionContext *outer = nullptr;
};

/* Parse results. */
enum { PARSE_ACCEPTED = 0, PARSE_REJECTED = 1, PARSE_STACK_LIMIT = 2 };

class CompileState {
public:
	CompileState() = default;
	CompileState(const CompileState &) = delete;
	CompileState &operator=(const CompileState &) = delete;
	~CompileState();

	/* Token filter: the next token for the parser, its value in *value. */
	int NextToken(TokenValue *value);

	/* Called by the parser on every syntax error it detects. */
	void RecordError();

	/* The semicolon-insertion check of the error productions: the
	   statement stands before "}", at the end, or after a line break. */
	bool InsertSemicolon(int lookahead);

	bool PushFunctionContext();
	/* Pops the innermost context into a new code record (no counts yet)
	   with the given parameters (NODE_IDENTIFIER list) and body statements,
	   taking both over; null when memory runs out. */
	FunctionCode *Finish(NodeList parameters, NodeList body);

	bool CanBreak() const { return context->loopDepth > 0 || context->switches.count > 0; }
	bool CanContinue() const { return context->loopDepth > 0; }
	bool HasLabel(JS_Name *name) const;

	/* Parses; PARSE_* result. */
	int Parse();

	/* Formats the report of the last error into record (size clamped to
	   1..1024; 0 means no report). */
	void Report(ES_SyntaxErrorRecord *record) const;

	/* Scanner state and the token filter's flags. */
	bool operand = false;
	bool restricted = false;
	bool lineTerm = false;
	bool lastSemicolon = false;
	bool startInFunctionBody = false;
	int held = -1;
	int previous = 0;   /* the token last handed to the parser */

	Scanner scanner;
	NodeList statements = {nullptr, nullptr, 0};
	FunctionContext *context = nullptr;
	bool outOfMemory = false;

	/* The last error's position, for the report. */
	bool hadError = false;
	const char *errorSegment = nullptr;
	uint32_t errorSegmentLength = 0;
	uint32_t errorOffset = 0;
	int errorLine = 0;
};

void FreeFunctionContext(FunctionContext *context);

#endif

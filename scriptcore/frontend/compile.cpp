#include "compile.h"

#include "engine_bridge.h"
#include "frontend.h"
#include "js_grammar.h"

#include "memory.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

bool PointerStack::Push(void *item)
{
	if (count == capacity) {
		int wanted = capacity ? capacity * 2 : 8;
		void **grown = static_cast<void **>(JS_Realloc(items, sizeof(void *) * static_cast<size_t>(wanted)));
		if (!grown)
			return false;
		items = grown;
		capacity = wanted;
	}
	items[count++] = item;
	return true;
}

void PointerStack::Free()
{
	std::free(items);
	items = nullptr;
	count = capacity = 0;
}

void FreeFunctionContext(FunctionContext *context)
{
	/* Labels are borrowed from the parser's values; open switches are
	   owned here until they close. */
	while (context->switches.count)
		DeleteTree(static_cast<AST_Node *>(context->switches.Pop()));
	context->switches.Free();
	context->labels.Free();
	context->ownVars.Clear();
	context->ownFunctions.Clear();
	context->parameters.Clear();
	delete context;
}

CompileState::~CompileState()
{
	while (context) {
		FunctionContext *outer = context->outer;
		FreeFunctionContext(context);
		context = outer;
	}
	DeleteTree(statements.head);
}

namespace {

/* Tokens after which "++" or "--" would be read as a postfix operator. */
bool EndsOperand(int token)
{
	switch (token) {
	case JS_IDENTIFIER: case JS_STRING: case JS_NUMERIC_LITERAL: case JS_REGULAR_EXPRESSION:
	case JS_THIS: case JS_NULL: case JS_TRUE: case JS_FALSE: case ')': case ']': case '}':
		return true;
	default:
		return false;
	}
}

}  // namespace

int CompileState::NextToken(TokenValue *value)
{
	/* The parser's flag tells whether an operand has just ended, but it is
	   set by some reductions and cleared only by others, so it can stay set
	   across an operator or a statement end ("x = a + f(b); if (/re/..."
	   or "a[/re/..."). After a token that cannot end an operand a slash
	   always begins a regular expression. */
	bool operandEnded = operand && EndsOperand(previous);
	int token;
	if (startInFunctionBody) {
		startInFunctionBody = false;
		token = JS_FUNCTION_BODY;
	} else if (held >= 0) {
		token = held;
		held = -1;
		lineTerm = false;
	} else {
		token = scanner.NextRaw(operandEnded, value);
		if (restricted) {
			/* Right after continue, break, return or throw a line break
			   ends the statement. */
			restricted = false;
			if (token == JS_LINE_TERM)
				token = ';';
		} else {
			lineTerm = false;
			while (token == JS_LINE_TERM) {
				lineTerm = true;
				token = scanner.NextRaw(operandEnded, value);
			}
			/* "++" and "--" after a line break start a new statement where
			   they would otherwise be postfix operators, that is right after
			   an operand (or a "}", which may close an object literal or a
			   function expression, and where a statement end costs nothing).
			   After an operator such as "&&", or after the ")" of "if (a)",
			   they can only be prefix ones and stay. */
			if (lineTerm && !lastSemicolon && (operandEnded || previous == '}') &&
				(token == JS_OP_INCREMENT || token == JS_OP_DECREMENT)) {
				held = token;
				token = ';';
			}
		}
	}
	lastSemicolon = token == ';';
	previous = token;
	return token;
}

void CompileState::RecordError()
{
	hadError = true;
	scanner.ErrorPosition(&errorSegment, &errorSegmentLength, &errorOffset);
	errorLine = scanner.Line();
}

bool CompileState::InsertSemicolon(int lookahead)
{
	bool inserted = lookahead == '}' || lookahead == YYEOF || lineTerm;
	if (lookahead != '}' && lookahead != YYEOF)
		lineTerm = false;
	/* A recovered error is no error: should the parse fail later for a
	   reason the parser does not report (a context check), the report
	   shows that place rather than this one. */
	if (inserted)
		hadError = false;
	return inserted;
}

bool CompileState::HasLabel(JS_Name *name) const
{
	for (int i = 0; i < context->labels.count; i++)
		if (context->labels.items[i] == name)
			return true;
	return false;
}

bool CompileState::PushFunctionContext()
{
	FunctionContext *inner = JS_New<FunctionContext>();
	if (!inner)
		return false;
	inner->vars = &inner->ownVars;
	inner->functions = &inner->ownFunctions;
	inner->outer = context;
	context = inner;
	return true;
}

FunctionCode *CompileState::Finish(NodeList parameters, NodeList body)
{
	FunctionContext *inner = context;
	context = inner->outer;
	FunctionCode *code = NewFunctionCode();
	AST_Node *block = code ? NewNode(NODE_BLOCK) : nullptr;
	bool ok = block != nullptr;
	if (block) {
		block->child[0] = body.head;
		block->count = body.count;
		body.head = nullptr;
		code->body = block;
		for (AST_Node *p = parameters.head; p && ok; p = p->next) {
			ok = code->parameters.Append(p->name);
			p->name = nullptr;
		}
		/* The record takes over the context's lists as they are. */
		code->vars = inner->ownVars;
		code->functions = inner->ownFunctions;
		inner->ownVars = NameList();
		inner->ownFunctions = CodeList();
	}
	DeleteTree(parameters.head);
	DeleteTree(body.head);
	FreeFunctionContext(inner);
	if (!ok) {
		if (code) {
			RetainCode(code);
			ReleaseCode(code);
		}
		return nullptr;
	}
	return code;
}

void CompileState::Report(ES_SyntaxErrorRecord *record) const
{
	if (!record)
		return;
	int size = record->size;
	if (size <= 0)
		return;
	if (size > static_cast<int>(sizeof record->buffer))
		size = static_cast<int>(sizeof record->buffer);

	const char *text = errorSegment ? errorSegment : "";
	uint32_t length = errorSegment ? errorSegmentLength : 0;
	uint32_t offset = errorOffset > length ? length : errorOffset;

	/* Back at most 50 characters, not past a line feed; forward to a NUL or
	   a line feed or 60 characters from the start, never past the segment. */
	uint32_t start = offset;
	while (start > 0 && offset - start < 50 && text[start - 1] != '\n')
		start--;
	uint32_t end = offset;
	while (end < length && text[end] != '\0' && text[end] != '\n' && end - start < 60)
		end++;
	char excerpt[64];
	std::memcpy(excerpt, text + start, end - start);
	excerpt[end - start] = '\0';

	char marker[64];
	uint32_t dashes = offset - start + 1;
	std::memset(marker, '-', dashes);
	marker[dashes] = '^';
	marker[dashes + 1] = '\0';

	const char *where = record->context ? record->context : "";
	std::snprintf(record->buffer, static_cast<size_t>(size), "Syntax error %s (line %d)\r\n%s\r\n%s", where,
		errorLine, excerpt, marker);
	record->buffer[size - 1] = '\0';
}

namespace {

/* Runs the parse and reports; true when the text was accepted. */
bool Run(CompileState &state, ES_SyntaxErrorRecord *record)
{
	int result = state.Parse();
	if (result == PARSE_ACCEPTED && !state.scanner.Failed() && !state.outOfMemory)
		return true;
	if (!state.hadError)
		state.RecordError();
	state.Report(record);
	return false;
}

AST_Node *TakeBlock(CompileState &state)
{
	AST_Node *block = NewNode(NODE_BLOCK);
	if (block) {
		block->child[0] = state.statements.head;
		block->count = state.statements.count;
		state.statements = NodeList{nullptr, nullptr, 0};
	}
	return block;
}

FunctionCode *CompileBody(const char *text, uint32_t length, const char *const *parameters,
	int parameterCount, ES_SyntaxErrorRecord *record)
{
	CompileState state;
	state.scanner.Open(text, length);
	state.startInFunctionBody = true;
	FunctionCode *code = NewFunctionCode();
	if (!code || !state.PushFunctionContext()) {
		delete code;
		state.RecordError();
		state.Report(record);
		return nullptr;
	}
	RetainCode(code);
	for (int i = 0; i < parameterCount; i++) {
		const char *name = parameters && parameters[i] ? parameters[i] : "";
		if (!code->parameters.Append(FrontInternName(name, static_cast<uint32_t>(std::strlen(name))))) {
			ReleaseCode(code);
			state.RecordError();
			state.Report(record);
			return nullptr;
		}
	}
	if (!Run(state, record) || !(code->body = TakeBlock(state))) {
		if (!state.hadError) {
			state.RecordError();
			state.Report(record);
		}
		ReleaseCode(code);
		return nullptr;
	}
	code->vars = state.context->ownVars;
	code->functions = state.context->ownFunctions;
	state.context->ownVars = NameList();
	state.context->ownFunctions = CodeList();
	return code;
}

}  // namespace

ES_Program *CompileProgram(const ES_SourceSegment *segments, int segmentCount, int version,
	ES_SyntaxErrorRecord *record)
{
	CompileState state;
	ES_Program *program = JS_New<ES_Program>();
	if (!program || !state.scanner.Open(segments, segmentCount) || !state.PushFunctionContext()) {
		delete program;
		state.RecordError();
		state.Report(record);
		return nullptr;
	}
	program->version = version;
	state.context->vars = &program->vars;
	state.context->functions = &program->functions;
	if (!Run(state, record) || !(program->body = TakeBlock(state))) {
		if (!state.hadError) {
			state.RecordError();
			state.Report(record);
		}
		DeleteProgram(program);
		return nullptr;
	}
	return program;
}

void DeleteProgram(ES_Program *program)
{
	if (!program)
		return;
	DeleteTree(program->body);
	program->vars.Clear();
	program->functions.Clear();
	delete program;
}

FunctionCode *CompileFunctionBody(const char *text, uint32_t length, const char *const *parameters,
	int parameterCount, ES_SyntaxErrorRecord *record)
{
	return CompileBody(text, length, parameters, parameterCount, record);
}

FunctionCode *CompileEvalText(const char *text, uint32_t length, ES_SyntaxErrorRecord *record)
{
	return CompileBody(text, length, nullptr, 0, record);
}

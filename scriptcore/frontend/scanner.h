/*
 * The scanner: turns 8-bit source text into the grammar's tokens, decides
 * between division and regular-expression literals by the parser's operand
 * flag, counts lines, and delivers line breaks as tokens so that the token
 * filter can insert semicolons.
 *
 * Source arrives as segments read one after another as one text.  A single
 * segment is scanned in place; several are joined once into one buffer, and
 * positions are mapped back to their segment for error reports.  Every scan
 * is bounded by the text's length: NULs and bytes above 127 are ordinary
 * input.
 */
#ifndef SCRIPTCORE_FRONTEND_SCANNER_H
#define SCRIPTCORE_FRONTEND_SCANNER_H

#include "arena.h"
#include "scriptcore.h"

#include <cstddef>
#include <cstdint>

/* The value of the token last returned. */
struct TokenValue {
	double number = 0;           /* JS_NUMERIC_LITERAL */
	const char *text = nullptr;  /* identifier, regular expression, string: */
	uint32_t length = 0;         /* stable copies that live as long as the scanner */
};

class Scanner {
public:
	Scanner() = default;
	Scanner(const Scanner &) = delete;
	Scanner &operator=(const Scanner &) = delete;
	~Scanner();

	/* Returns false when memory runs out joining the segments. */
	bool Open(const ES_SourceSegment *segments, int count);
	void Open(const char *text, uint32_t length);

	/* The scanner proper: the next raw token (0 at the end of input).  With
	   operand set, a slash is division; otherwise it may start a regular
	   expression. */
	int NextRaw(bool operand, TokenValue *value);

	/* Lines are counted from 1 across all segments. */
	int Line() const { return line_; }

	/* True once memory ran out; the scanner then reports the end of input
	   and the compilation must fail. */
	bool Failed() const { return failed_; }

	/* The segment that holds the read position and the offset of the read
	   position in it (just after the last token read). */
	void ErrorPosition(const char **segment, uint32_t *segmentLength, uint32_t *offset) const;

private:
	int ScanString(char quote, TokenValue *value);
	int ScanNumber(const char *start, TokenValue *value);
	int ScanHex(const char *start, TokenValue *value);
	int ScanIdentifier(const char *start, TokenValue *value);
	bool TryRegExp(const char *start, TokenValue *value);
	int BlockComment(const char *start);
	bool Append(const char *bytes, size_t count);
	bool Append(char byte) { return Append(&byte, 1); }
	const char *Keep(const char *bytes, size_t count);

	const char *begin_ = nullptr;
	const char *end_ = nullptr;
	const char *pos_ = nullptr;
	int line_ = 1;
	bool failed_ = false;

	/* Segment starts within the joined text, for error positions. */
	const ES_SourceSegment *segments_ = nullptr;
	int segmentCount_ = 0;
	char *joined_ = nullptr;
	ES_SourceSegment single_ = {nullptr, 0};

	/* String accumulator. */
	char *accumulator_ = nullptr;
	size_t accumulated_ = 0;
	size_t capacity_ = 0;

	TextArena arena_;
};

#endif

#include "scanner.h"

#include "js_grammar.h"

#include "memory.h"

#include <cstdlib>
#include <cstring>

namespace {

inline bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

inline bool IsHexDigit(unsigned char c)
{
	return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

inline int HexValue(unsigned char c)
{
	if (IsDigit(c))
		return c - '0';
	return (c | 0x20) - 'a' + 10;
}

inline bool IsLetter(unsigned char c) { return ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'); }

inline bool IsIdentifierStart(unsigned char c) { return IsLetter(c) || c == '_' || c == '$'; }

inline bool IsIdentifierPart(unsigned char c) { return IsIdentifierStart(c) || IsDigit(c); }

inline bool IsLineTerminator(unsigned char c) { return c == '\n' || c == '\r'; }

/* The C library's reading of a decimal literal.  MinGW's default strtod
   (the system runtime's) does not always round correctly; its own does. */
double ReadDecimal(const char *text)
{
#if defined(__MINGW32__)
	return __mingw_strtod(text, nullptr);
#else
	return std::strtod(text, nullptr);
#endif
}

struct Keyword {
	const char *text;
	int token;
};

/* Keywords and future reserved words by length; both are case-sensitive. */
const Keyword kKeywords2[] = {{"do", JS_STMNT_DO}, {"if", JS_STMNT_IF}, {"in", JS_STMNT_IN}, {nullptr, 0}};
const Keyword kKeywords3[] = {{"for", JS_STMNT_FOR}, {"new", JS_OP_NEW}, {"try", JS_STMNT_TRY},
	{"var", JS_STMNT_VAR}, {"int", JS_RESERVED}, {nullptr, 0}};
const Keyword kKeywords4[] = {{"case", JS_STMNT_CASE}, {"else", JS_STMNT_ELSE}, {"null", JS_NULL},
	{"this", JS_THIS}, {"true", JS_TRUE}, {"void", JS_OP_VOID}, {"with", JS_STMNT_WITH},
	{"byte", JS_RESERVED}, {"char", JS_RESERVED}, {"enum", JS_RESERVED}, {"goto", JS_RESERVED},
	{"long", JS_RESERVED}, {nullptr, 0}};
const Keyword kKeywords5[] = {{"break", JS_STMNT_BREAK}, {"catch", JS_STMNT_CATCH},
	{"false", JS_FALSE}, {"throw", JS_STMNT_THROW}, {"while", JS_STMNT_WHILE},
	{"class", JS_RESERVED}, {"const", JS_RESERVED}, {"final", JS_RESERVED}, {"float", JS_RESERVED},
	{"short", JS_RESERVED}, {"super", JS_RESERVED}, {nullptr, 0}};
const Keyword kKeywords6[] = {{"delete", JS_OP_DELETE}, {"return", JS_STMNT_RETURN},
	{"switch", JS_STMNT_SWITCH}, {"typeof", JS_OP_TYPEOF}, {"double", JS_RESERVED},
	{"export", JS_RESERVED}, {"import", JS_RESERVED}, {"native", JS_RESERVED},
	{"public", JS_RESERVED}, {"static", JS_RESERVED}, {"throws", JS_RESERVED}, {nullptr, 0}};
const Keyword kKeywords7[] = {{"default", JS_STMNT_DEFAULT}, {"finally", JS_STMNT_FINALLY},
	{"boolean", JS_RESERVED}, {"extends", JS_RESERVED}, {"package", JS_RESERVED},
	{"private", JS_RESERVED}, {nullptr, 0}};
const Keyword kKeywords8[] = {{"continue", JS_STMNT_CONTINUE}, {"function", JS_STMNT_FUNCTION},
	{"abstract", JS_RESERVED}, {"debugger", JS_RESERVED}, {"volatile", JS_RESERVED}, {nullptr, 0}};
const Keyword kKeywords9[] = {{"interface", JS_RESERVED}, {"protected", JS_RESERVED},
	{"transient", JS_RESERVED}, {nullptr, 0}};
const Keyword kKeywords10[] = {{"instanceof", JS_OP_INSTANCEOF}, {"implements", JS_RESERVED}, {nullptr, 0}};
const Keyword kKeywords12[] = {{"synchronized", JS_RESERVED}, {nullptr, 0}};

const Keyword *const kKeywordsByLength[13] = {nullptr, nullptr, kKeywords2, kKeywords3, kKeywords4,
	kKeywords5, kKeywords6, kKeywords7, kKeywords8, kKeywords9, kKeywords10, nullptr, kKeywords12};

}  // namespace

Scanner::~Scanner()
{
	std::free(joined_);
	std::free(accumulator_);
}

bool Scanner::Open(const ES_SourceSegment *segments, int count)
{
	segments_ = segments;
	segmentCount_ = count > 0 ? count : 0;
	size_t total = 0;
	int nonEmpty = 0, last = -1;
	for (int i = 0; i < segmentCount_; i++) {
		if (!segments[i].text || segments[i].length == 0)
			continue;
		if (total > static_cast<size_t>(-1) - segments[i].length)
			return false;
		total += segments[i].length;
		nonEmpty++;
		last = i;
	}
	if (nonEmpty <= 1) {
		begin_ = last >= 0 ? segments[last].text : "";
	} else {
		joined_ = static_cast<char *>(JS_Malloc(total));
		if (!joined_)
			return false;
		size_t at = 0;
		for (int i = 0; i < segmentCount_; i++) {
			if (!segments[i].text || segments[i].length == 0)
				continue;
			std::memcpy(joined_ + at, segments[i].text, segments[i].length);
			at += segments[i].length;
		}
		begin_ = joined_;
	}
	pos_ = begin_;
	end_ = begin_ + total;
	return true;
}

void Scanner::Open(const char *text, uint32_t length)
{
	single_.text = text ? text : "";
	single_.length = text ? length : 0;
	segments_ = &single_;
	segmentCount_ = 1;
	begin_ = pos_ = single_.text;
	end_ = begin_ + single_.length;
}

void Scanner::ErrorPosition(const char **segment, uint32_t *segmentLength, uint32_t *offset) const
{
	size_t at = static_cast<size_t>(pos_ - begin_);
	size_t start = 0;
	int chosen = -1;
	for (int i = 0; i < segmentCount_; i++) {
		if (!segments_[i].text || segments_[i].length == 0)
			continue;
		chosen = i;
		if (at <= start + segments_[i].length)
			break;
		start += segments_[i].length;
	}
	if (chosen < 0) {
		*segment = "";
		*segmentLength = 0;
		*offset = 0;
		return;
	}
	*segment = segments_[chosen].text;
	*segmentLength = segments_[chosen].length;
	size_t inside = at - start;
	*offset = static_cast<uint32_t>(inside > segments_[chosen].length ? segments_[chosen].length : inside);
}

bool Scanner::Append(const char *bytes, size_t count)
{
	if (count > capacity_ - accumulated_) {
		size_t wanted = capacity_ ? capacity_ * 2 : 64;
		while (wanted - accumulated_ < count) {
			if (wanted > static_cast<size_t>(-1) / 2)
				return false;
			wanted *= 2;
		}
		char *grown = static_cast<char *>(JS_Realloc(accumulator_, wanted));
		if (!grown)
			return false;
		accumulator_ = grown;
		capacity_ = wanted;
	}
	std::memcpy(accumulator_ + accumulated_, bytes, count);
	accumulated_ += count;
	return true;
}

const char *Scanner::Keep(const char *bytes, size_t count)
{
	char *copy = arena_.Allocate(count);
	if (!copy)
		return nullptr;
	if (count)
		std::memcpy(copy, bytes, count);
	copy[count] = '\0';
	return copy;
}

int Scanner::NextRaw(bool operand, TokenValue *value)
{
	if (failed_)
		return 0;
	for (;;) {
		if (pos_ >= end_)
			return 0;
		const char *start = pos_;
		unsigned char c = static_cast<unsigned char>(*pos_);
		unsigned char next = pos_ + 1 < end_ ? static_cast<unsigned char>(pos_[1]) : 0;
		unsigned char third = pos_ + 2 < end_ ? static_cast<unsigned char>(pos_[2]) : 0;
		bool hasNext = pos_ + 1 < end_, hasThird = pos_ + 2 < end_;
		switch (c) {
		case ' ': case '\t': case 11: case 12:
			pos_++;
			continue;
		case '\n':
			pos_++;
			line_++;
			return JS_LINE_TERM;
		case '\r':
			pos_++;
			if (pos_ < end_ && *pos_ == '\n')
				pos_++;
			line_++;
			return JS_LINE_TERM;
		case '/':
			if (hasNext && next == '*') {
				/* A slash and a star always open a comment, also where a regular
				   expression could start; it ends at the first star and slash. */
				int token = BlockComment(start);
				if (token >= 0)
					return token;
				continue;
			}
			if (hasNext && next == '/') {
				pos_ += 2;
				while (pos_ < end_ && !IsLineTerminator(static_cast<unsigned char>(*pos_)))
					pos_++;
				continue;
			}
			if (!operand && TryRegExp(start, value))
				return failed_ ? 0 : JS_REGULAR_EXPRESSION;
			if (hasNext && next == '=') {
				pos_ += 2;
				return JS_OP_DIV_ASSIGNMENT;
			}
			pos_++;
			return '/';
		case '<':
			if (hasNext && next == '!' && hasThird && third == '-' && pos_ + 3 < end_ && pos_[3] == '-') {
				pos_ += 4;
				while (pos_ < end_ && !IsLineTerminator(static_cast<unsigned char>(*pos_)))
					pos_++;
				continue;
			}
			if (hasNext && next == '<') {
				if (hasThird && third == '=') {
					pos_ += 3;
					return JS_OP_LEFT_SHIFT_ASSIGNMENT;
				}
				pos_ += 2;
				return JS_OP_LEFT_SHIFT;
			}
			if (hasNext && next == '=') {
				pos_ += 2;
				return JS_OP_LT_OR_EQUAL;
			}
			pos_++;
			return '<';
		case '>':
			if (hasNext && next == '>') {
				if (hasThird && third == '>') {
					if (pos_ + 3 < end_ && pos_[3] == '=') {
						pos_ += 4;
						return JS_OP_UNS_RIGHT_SHIFT_ASSIGNMENT;
					}
					pos_ += 3;
					return JS_OP_UNS_RIGHT_SHIFT;
				}
				if (hasThird && third == '=') {
					pos_ += 3;
					return JS_OP_RIGHT_SHIFT_ASSIGNMENT;
				}
				pos_ += 2;
				return JS_OP_RIGHT_SHIFT;
			}
			if (hasNext && next == '=') {
				pos_ += 2;
				return JS_OP_GT_OR_EQUAL;
			}
			pos_++;
			return '>';
		case '=':
			if (hasNext && next == '=') {
				if (hasThird && third == '=') {
					pos_ += 3;
					return JS_OP_STRICT_EQUAL;
				}
				pos_ += 2;
				return JS_OP_EQUAL;
			}
			pos_++;
			return '=';
		case '!':
			if (hasNext && next == '=') {
				if (hasThird && third == '=') {
					pos_ += 3;
					return JS_OP_NOT_STRICT_EQUAL;
				}
				pos_ += 2;
				return JS_OP_NOT_EQUAL;
			}
			pos_++;
			return '!';
		case '-':
			if (hasNext && next == '-') {
				if (hasThird && third == '>') {
					pos_ += 3;
					return JS_IE_TERMINATOR;
				}
				pos_ += 2;
				return JS_OP_DECREMENT;
			}
			if (hasNext && next == '=') {
				pos_ += 2;
				return JS_OP_SUB_ASSIGNMENT;
			}
			pos_++;
			return '-';
		case '+':
			if (hasNext && next == '+') {
				pos_ += 2;
				return JS_OP_INCREMENT;
			}
			if (hasNext && next == '=') {
				pos_ += 2;
				return JS_OP_ADD_ASSIGNMENT;
			}
			pos_++;
			return '+';
		case '&':
			if (hasNext && next == '&') {
				pos_ += 2;
				return JS_OP_LOGICAL_AND;
			}
			if (hasNext && next == '=') {
				pos_ += 2;
				return JS_OP_AND_ASSIGNMENT;
			}
			pos_++;
			return '&';
		case '|':
			if (hasNext && next == '|') {
				pos_ += 2;
				return JS_OP_LOGICAL_OR;
			}
			if (hasNext && next == '=') {
				pos_ += 2;
				return JS_OP_OR_ASSIGNMENT;
			}
			pos_++;
			return '|';
		case '*': case '%': case '^':
			if (hasNext && next == '=') {
				pos_ += 2;
				return c == '*' ? JS_OP_MUL_ASSIGNMENT : c == '%' ? JS_OP_REM_ASSIGNMENT : JS_OP_XOR_ASSIGNMENT;
			}
			pos_++;
			return c;
		case ',': case '~': case '?': case ':': case '(': case ')': case '{': case '}':
		case '[': case ']': case ';':
			pos_++;
			return c;
		case '.':
			if (hasNext && IsDigit(next))
				return ScanNumber(start, value);
			pos_++;
			return '.';
		case '"': case '\'':
			pos_++;
			return ScanString(static_cast<char>(c), value);
		case '0':
			if (hasNext && (next == 'x' || next == 'X') && hasThird && IsHexDigit(third))
				return ScanHex(start, value);
			return ScanNumber(start, value);
		default:
			if (IsDigit(c))
				return ScanNumber(start, value);
			if (IsIdentifierStart(c))
				return ScanIdentifier(start, value);
			/* Anything else (bytes above 127, control characters, "@", "#",
			   a backslash, a grave accent, NUL) is dropped. */
			pos_++;
			continue;
		}
	}
}

/* At a comment opening: returns -1 when the comment closes on its own line (ignored),
   JS_LINE_TERM when it spans lines (it stands for a line break), and 0 when
   it runs to the end of the input. */
int Scanner::BlockComment(const char *start)
{
	const char *p = start + 2;
	bool spansLines = false;
	while (p < end_) {
		unsigned char c = static_cast<unsigned char>(*p);
		if (c == '*' && p + 1 < end_ && p[1] == '/') {
			pos_ = p + 2;
			return spansLines ? JS_LINE_TERM : -1;
		}
		if (c == '\n') {
			spansLines = true;
			line_++;
		} else if (c == '\r') {
			spansLines = true;
			line_++;
			if (p + 1 < end_ && p[1] == '\n')
				p++;
		}
		p++;
	}
	pos_ = end_;
	return 0;
}

bool Scanner::TryRegExp(const char *start, TokenValue *value)
{
	const char *p = start + 1;
	bool any = false;
	while (p < end_) {
		unsigned char c = static_cast<unsigned char>(*p);
		if (IsLineTerminator(c))
			return false;
		if (c == '/')
			break;
		if (c == '\\') {
			if (p + 1 >= end_ || IsLineTerminator(static_cast<unsigned char>(p[1])))
				return false;
			p += 2;
		} else {
			p++;
		}
		any = true;
	}
	if (p >= end_ || !any)
		return false;
	p++;
	while (p < end_ && (IsLetter(static_cast<unsigned char>(*p)) || *p == '_' || *p == '$'))
		p++;
	pos_ = p;
	value->text = Keep(start, static_cast<size_t>(p - start));
	value->length = static_cast<uint32_t>(p - start);
	if (!value->text)
		failed_ = true;
	return true;
}

int Scanner::ScanHex(const char *start, TokenValue *value)
{
	const char *p = start + 2;
	double number = 0;
	while (p < end_ && IsHexDigit(static_cast<unsigned char>(*p))) {
		number = number * 16 + HexValue(static_cast<unsigned char>(*p));
		p++;
	}
	pos_ = p;
	value->number = number;
	return JS_NUMERIC_LITERAL;
}

int Scanner::ScanNumber(const char *start, TokenValue *value)
{
	const char *p = start;
	bool simple = true;
	while (p < end_ && IsDigit(static_cast<unsigned char>(*p)))
		p++;
	if (p < end_ && *p == '.') {
		simple = false;
		p++;
		while (p < end_ && IsDigit(static_cast<unsigned char>(*p)))
			p++;
	}
	if (p < end_ && (*p == 'e' || *p == 'E')) {
		const char *q = p + 1;
		if (q < end_ && (*q == '+' || *q == '-'))
			q++;
		if (q < end_ && IsDigit(static_cast<unsigned char>(*q))) {
			simple = false;
			while (q < end_ && IsDigit(static_cast<unsigned char>(*q)))
				q++;
			p = q;
		}
	}
	pos_ = p;
	size_t length = static_cast<size_t>(p - start);
	if (simple && length <= 15) {
		/* Up to 15 decimal digits are exact in a double. */
		double number = 0;
		for (const char *d = start; d < p; d++)
			number = number * 10 + (*d - '0');
		value->number = number;
		return JS_NUMERIC_LITERAL;
	}
	/* strtod needs a terminated copy: the source need not be terminated. */
	char local[64];
	char *copy = length < sizeof local ? local : static_cast<char *>(JS_Malloc(length + 1));
	if (!copy) {
		failed_ = true;
		return 0;
	}
	std::memcpy(copy, start, length);
	copy[length] = '\0';
	value->number = ReadDecimal(copy);
	if (copy != local)
		std::free(copy);
	return JS_NUMERIC_LITERAL;
}

int Scanner::ScanIdentifier(const char *start, TokenValue *value)
{
	const char *p = start + 1;
	while (p < end_ && IsIdentifierPart(static_cast<unsigned char>(*p)))
		p++;
	pos_ = p;
	size_t length = static_cast<size_t>(p - start);
	if (length < 13 && kKeywordsByLength[length]) {
		for (const Keyword *k = kKeywordsByLength[length]; k->text; k++)
			if (k->text[0] == start[0] && std::memcmp(k->text, start, length) == 0)
				return k->token;
	}
	value->text = Keep(start, length);
	value->length = static_cast<uint32_t>(length);
	if (!value->text) {
		failed_ = true;
		return 0;
	}
	return JS_IDENTIFIER;
}

int Scanner::ScanString(char quote, TokenValue *value)
{
	accumulated_ = 0;
	while (pos_ < end_) {
		const char *run = pos_;
		while (pos_ < end_ && *pos_ != quote && *pos_ != '\\' && !IsLineTerminator(static_cast<unsigned char>(*pos_)))
			pos_++;
		if (pos_ > run && !Append(run, static_cast<size_t>(pos_ - run))) {
			failed_ = true;
			return 0;
		}
		if (pos_ >= end_)
			return 0;   /* an unterminated string ends the token stream */
		unsigned char c = static_cast<unsigned char>(*pos_);
		if (c == static_cast<unsigned char>(quote)) {
			pos_++;
			value->text = Keep(accumulator_ ? accumulator_ : "", accumulated_);
			value->length = static_cast<uint32_t>(accumulated_);
			if (!value->text) {
				failed_ = true;
				return 0;
			}
			return JS_STRING;
		}
		if (IsLineTerminator(c)) {
			pos_++;
			if (c == '\r' && pos_ < end_ && *pos_ == '\n')
				pos_++;
			return JS_ILLEGAL;
		}
		/* A backslash. */
		pos_++;
		if (pos_ >= end_)
			return 0;
		c = static_cast<unsigned char>(*pos_);
		bool ok = true;
		switch (c) {
		case 'b': ok = Append('\b'); pos_++; break;
		case 't': ok = Append('\t'); pos_++; break;
		case 'n': ok = Append('\n'); pos_++; break;
		case 'v': ok = Append('\v'); pos_++; break;
		case 'f': ok = Append('\f'); pos_++; break;
		case 'r':
			ok = Append('\r');
			pos_++;
			break;
		case 'x': case 'u': {
			int digits = c == 'x' ? 2 : 4;
			int code = 0, i = 0;
			for (; i < digits && pos_ + 1 + i < end_ && IsHexDigit(static_cast<unsigned char>(pos_[1 + i])); i++)
				code = code * 16 + HexValue(static_cast<unsigned char>(pos_[1 + i]));
			if (i == digits) {
				ok = Append(static_cast<char>(code & 0xFF));
				pos_ += 1 + digits;
			} else {
				ok = Append(static_cast<char>(c));
				pos_++;
			}
			break;
		}
		default:
			if (IsDigit(c)) {
				/* Decimal, not octal: "\101" is "e".  Read as a 32-bit long
				   would be, so an overlong run saturates to 0x7FFFFFFF. */
				long long code = 0;
				while (pos_ < end_ && IsDigit(static_cast<unsigned char>(*pos_))) {
					if (code <= 0x7FFFFFFF)
						code = code * 10 + (*pos_ - '0');
					pos_++;
				}
				if (code > 0x7FFFFFFF)
					code = 0x7FFFFFFF;
				ok = Append(static_cast<char>(code & 0xFF));
			} else if (c == '\r' && pos_ + 1 < end_ && pos_[1] == '\n') {
				/* A backslash before a CR LF line end continues the string
				   just as before a lone LF; both bytes are kept. */
				ok = Append("\r\n", 2);
				pos_ += 2;
			} else {
				ok = Append(static_cast<char>(c));
				pos_++;
			}
			break;
		}
		if (!ok) {
			failed_ = true;
			return 0;
		}
	}
	return 0;   /* an unterminated string ends the token stream */
}

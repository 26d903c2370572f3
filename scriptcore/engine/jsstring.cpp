#include "memory.h"
#include "jsstring.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

static JS_String *Allocate(uint32_t capacity)
{
	JS_String *s = static_cast<JS_String *>(JS_Malloc(sizeof(JS_String)));
	if (!s)
		return nullptr;
	s->text = static_cast<char *>(JS_Malloc(capacity));
	if (!s->text) {
		std::free(s);
		return nullptr;
	}
	s->text[0] = 0;
	s->length = 0;
	s->capacity = capacity;
	s->count = 0;
	return s;
}

JS_String *JS_String::Make(const char *c_text)
{
	return Make(c_text, c_text ? std::strlen(c_text) : 0);
}

JS_String *JS_String::Make(const char *bytes, size_t length)
{
	if (length >= JS_MAX_STRING_LENGTH)
		return nullptr;
	JS_String *s = Allocate(static_cast<uint32_t>(length) + 1);
	if (!s)
		return nullptr;
	if (length)
		std::memcpy(s->text, bytes, length);
	s->text[length] = 0;
	s->length = static_cast<uint32_t>(length);
	return s;
}

JS_String *JS_String::MakeInt(int number)
{
	JS_String *s = Allocate(16);
	if (!s)
		return nullptr;
	s->length = static_cast<uint32_t>(std::snprintf(s->text, 16, "%d", number));
	return s;
}

JS_String *JS_String::Copy() const
{
	return Make(Text(), length);
}

void JS_String::Free(JS_String *s)
{
	std::free(s->text);
	std::free(s);
}

// The new capacity is n plus the old capacity; false when that overflows the
// limit or memory runs out.
static bool GrownCapacity(uint32_t n, uint32_t old, uint32_t *result)
{
	uint64_t want = uint64_t(n) + old;
	if (n > JS_MAX_STRING_LENGTH + 1)
		return false;
	if (want > JS_MAX_STRING_LENGTH + 1)
		want = JS_MAX_STRING_LENGTH + 1;
	*result = static_cast<uint32_t>(want);
	return true;
}

bool JS_String::Reserve(uint32_t n)
{
	if (capacity >= n && text)
		return true;
	uint32_t cap;
	if (!GrownCapacity(n, capacity, &cap))
		return false;
	char *fresh = static_cast<char *>(JS_Malloc(cap));
	if (!fresh)
		return false;
	std::free(text);
	text = fresh;
	text[0] = 0;
	length = 0;
	capacity = cap;
	return true;
}

bool JS_String::ReserveCopy(uint32_t n)
{
	if (capacity >= n && text)
		return true;
	uint32_t cap;
	if (!GrownCapacity(n, capacity, &cap))
		return false;
	char *fresh = static_cast<char *>(JS_Realloc(text, cap));
	if (!fresh)
		return false;
	if (!text)
		fresh[0] = 0;
	text = fresh;
	capacity = cap;
	return true;
}

bool JS_String::Append(const char *bytes, size_t n)
{
	if (n == 0)
		return ReserveCopy(length + 1);
	if (n >= JS_MAX_STRING_LENGTH || length + n >= JS_MAX_STRING_LENGTH)
		return false;
	uint32_t total = length + static_cast<uint32_t>(n);
	// The source may lie inside this string's own buffer.
	if (total + 1 > capacity || !text) {
		size_t offset = text && bytes >= text && bytes < text + capacity ? size_t(bytes - text) : SIZE_MAX;
		if (!ReserveCopy(total + 1))
			return false;
		if (offset != SIZE_MAX)
			bytes = text + offset;
	}
	std::memmove(text + length, bytes, n);
	length = total;
	text[length] = 0;
	return true;
}

bool JS_String::Append(const JS_String *s)
{
	return s ? Append(s->Text(), s->length) : true;
}

bool JS_String::Append(const char *c_text)
{
	return c_text ? Append(c_text, std::strlen(c_text)) : true;
}

bool JS_String::AppendByte(char c)
{
	return Append(&c, 1);
}

bool JS_String::Assign(const char *c_text)
{
	size_t n = c_text ? std::strlen(c_text) : 0;
	if (n >= JS_MAX_STRING_LENGTH)
		return false;
	if (n + 1 > capacity || !text) {
		if (!Reserve(static_cast<uint32_t>(n) + 1))
			return false;
	}
	std::memmove(text, c_text ? c_text : "", n);
	length = static_cast<uint32_t>(n);
	text[length] = 0;
	return true;
}

bool JS_String::Equals(const JS_String *other) const
{
	return length == other->length && std::memcmp(Text(), other->Text(), length) == 0;
}

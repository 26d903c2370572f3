#include "memory.h"
#include "name.h"

#include <cstdlib>
#include <cstring>

JS_WellKnownNames js_names;

// The table is a hash set of chained names: interning is on the path of
// every identifier the compiler sees, so it must not scan every name.
namespace {
struct NameTable {
	JS_Name **buckets = nullptr;
	uint32_t bucket_count = 0;
	uint32_t count = 0;

	~NameTable() { Free(); }
	void Free()
	{
		for (uint32_t i = 0; i < bucket_count; ++i) {
			JS_Name *n = buckets[i];
			while (n) {
				JS_Name *next = n->chain;
				std::free(n->text);
				std::free(n);
				n = next;
			}
		}
		std::free(buckets);
		buckets = nullptr;
		bucket_count = 0;
		count = 0;
	}
};
NameTable table;

uint32_t Hash(const char *text, size_t length)
{
	uint32_t h = 2166136261u;   // FNV-1a
	for (size_t i = 0; i < length; ++i) {
		h ^= static_cast<unsigned char>(text[i]);
		h *= 16777619u;
	}
	return h;
}

// Grows the bucket array; when memory runs out the table keeps working with
// longer chains.
void Grow()
{
	uint32_t n = table.bucket_count ? table.bucket_count * 2 : 64;
	JS_Name **fresh = static_cast<JS_Name **>(JS_Calloc(n, sizeof(JS_Name *)));
	if (!fresh)
		return;
	for (uint32_t i = 0; i < table.bucket_count; ++i) {
		JS_Name *name = table.buckets[i];
		while (name) {
			JS_Name *next = name->chain;
			name->chain = fresh[name->hash & (n - 1)];
			fresh[name->hash & (n - 1)] = name;
			name = next;
		}
	}
	std::free(table.buckets);
	table.buckets = fresh;
	table.bucket_count = n;
}
} // namespace

JS_Name *JS_Name::Find(const char *text, size_t length)
{
	if (!table.bucket_count)
		return nullptr;
	uint32_t h = Hash(text, length);
	for (JS_Name *n = table.buckets[h & (table.bucket_count - 1)]; n; n = n->chain)
		if (n->hash == h && n->length == length && std::memcmp(n->text, text, length) == 0)
			return n;
	return nullptr;
}

JS_Name *JS_Name::Find(const char *text)
{
	return text ? Find(text, std::strlen(text)) : nullptr;
}

JS_Name *JS_Name::Intern(const char *text, size_t length)
{
	if (JS_Name *n = Find(text, length))
		return n;
	if (length >= UINT32_MAX)
		return nullptr;
	if (table.count >= table.bucket_count)
		Grow();
	if (!table.bucket_count)
		return nullptr;
	JS_Name *n = static_cast<JS_Name *>(JS_Malloc(sizeof(JS_Name)));
	if (!n)
		return nullptr;
	n->text = static_cast<char *>(JS_Malloc(length + 1));
	if (!n->text) {
		std::free(n);
		return nullptr;
	}
	std::memcpy(n->text, text, length);
	n->text[length] = 0;
	n->length = static_cast<uint32_t>(length);
	n->count = 0;
	n->hash = Hash(text, length);
	JS_Name **bucket = &table.buckets[n->hash & (table.bucket_count - 1)];
	n->chain = *bucket;
	*bucket = n;
	++table.count;
	return n;
}

JS_Name *JS_Name::Intern(const char *text)
{
	return text ? Intern(text, std::strlen(text)) : nullptr;
}

void JS_Name::Remove(JS_Name *name)
{
	JS_Name **link = &table.buckets[name->hash & (table.bucket_count - 1)];
	while (*link && *link != name)
		link = &(*link)->chain;
	if (*link) {
		*link = name->chain;
		--table.count;
	}
	std::free(name->text);
	std::free(name);
}

size_t JS_Name::TableCount()
{
	return table.count;
}

void JS_Name::FreeTable()
{
	table.Free();
}

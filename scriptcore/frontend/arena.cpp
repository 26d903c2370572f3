#include "arena.h"

#include "memory.h"

#include <cstdlib>

TextArena::~TextArena()
{
	while (chunk_) {
		Chunk *previous = chunk_->previous;
		std::free(chunk_);
		chunk_ = previous;
	}
}

char *TextArena::Allocate(size_t size)
{
	if (size >= static_cast<size_t>(-1) / 2)
		return nullptr;
	size_t need = size + 1;
	if (need > left_) {
		size_t body = need > 16384 ? need : 16384;
		Chunk *chunk = static_cast<Chunk *>(JS_Malloc(sizeof(Chunk) + body));
		if (!chunk)
			return nullptr;
		chunk->previous = chunk_;
		chunk->size = body;
		chunk_ = chunk;
		free_ = reinterpret_cast<char *>(chunk + 1);
		left_ = body;
	}
	char *result = free_;
	free_ += need;
	left_ -= need;
	return result;
}

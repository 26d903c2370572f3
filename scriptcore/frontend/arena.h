/*
 * A bump allocator for the texts of one compilation: identifier and
 * regular-expression texts and decoded string literals, which the parser
 * may still need after the scanner has moved on.  Everything goes at once
 * when the compilation ends.
 */
#ifndef SCRIPTCORE_FRONTEND_ARENA_H
#define SCRIPTCORE_FRONTEND_ARENA_H

#include <cstddef>

class TextArena {
public:
	TextArena() = default;
	TextArena(const TextArena &) = delete;
	TextArena &operator=(const TextArena &) = delete;
	~TextArena();

	/* Returns size bytes (plus one spare byte for a NUL) or null when memory
	   runs out. */
	char *Allocate(size_t size);

private:
	struct Chunk {
		Chunk *previous;
		size_t size;
	};
	Chunk *chunk_ = nullptr;
	char *free_ = nullptr;
	size_t left_ = 0;
};

#endif

// The library's allocator: thin wrappers over the process heap. Every object and container block
// is allocated and freed through these, so ownership never crosses allocators.
#pragma once
#include <cstddef>

// Returns none (nullptr) when memory ran out; never throws.
void* KAlloc(size_t bytes);
// Grows or shrinks a block from KAlloc; on failure returns none and the old block stays valid.
void* KRealloc(void* block, size_t bytes);
// Accepts none.
void KFree(void* block);

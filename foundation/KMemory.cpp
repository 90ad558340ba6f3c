// The library's allocator over the process heap.
#include "foundation/KMemory.h"

#include <windows.h>

void* KAlloc(size_t bytes)
{
    return HeapAlloc(GetProcessHeap(), 0, bytes ? bytes : 1);
}

void* KRealloc(void* block, size_t bytes)
{
    if (!block)
        return KAlloc(bytes);
    return HeapReAlloc(GetProcessHeap(), 0, block, bytes ? bytes : 1);
}

void KFree(void* block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

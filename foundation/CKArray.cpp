// Growth, insertion, removal and the selection sort of CKArray.
#include "foundation/CKArray.h"

#include <cstdint>
#include <cstring>

#include "foundation/KMemory.h"

K_IMPLEMENT_CLASS(CKArray, CKObject)

CKArray::CKArray(int requestedItemSize, int requestedGrowBy)
    : growBy(requestedGrowBy < MIN_GROW_BY ? MIN_GROW_BY : requestedGrowBy),
      itemSize(KRoundItemSize(requestedItemSize))
{
}

CKArray::~CKArray()
{
    RemoveAll(nullptr, nullptr);
}

int CKArray::Reserve(int n)
{
    if (n <= capacity)
        return 1;
    return Resize(KRoundUpToStep(n, growBy));
}

int CKArray::Resize(long long newCapacity)
{
    // Refuse sizes the heap could never give, without overflowing.
    const long long bytes = newCapacity * itemSize;
    if (newCapacity > INT32_MAX || bytes > (long long)INT32_MAX)
        return 0;
    char* grown = (char*)(storage ? KRealloc(storage, (size_t)bytes) : KAlloc((size_t)bytes));
    if (!grown)
        return 0;
    storage = grown;
    capacity = (int)newCapacity;
    return 1;
}

void* CKArray::InsertAt(int index)
{
    if (count == INT32_MAX)
        return nullptr;
    // A large array grows by half at a time; when that much memory is not there, one step will do.
    if (count == capacity && !Resize(KGrownCapacity(capacity, count + 1, growBy))
        && !Reserve(count + 1))
        return nullptr;
    if (index < 0 || index > count)
        index = count;
    char* item = ItemAt(index);
    memmove(item + itemSize, item, (size_t)(count - index) * (size_t)itemSize);
    memset(item, 0, (size_t)itemSize);
    ++count;
    return item;
}

int CKArray::RemoveAt(int index, KItemProc fn, void* context)
{
    if (index < 0 || index >= count)
        return 0;
    char* item = ItemAt(index);
    if (fn)
        fn(item, context);
    memmove(item, item + itemSize, (size_t)(count - index - 1) * (size_t)itemSize);
    --count;
    return 1;
}

void CKArray::RemoveAll(KItemProc fn, void* context)
{
    if (fn)
        for (int i = 0; i < count; ++i)
            fn(ItemAt(i), context);
    KFree(storage);
    storage = nullptr;
    capacity = 0;
    count = 0;
}

void* CKArray::GetAt(int index) const
{
    return (index >= 0 && index < count) ? ItemAt(index) : nullptr;
}

int CKArray::IndexOf(const void* item) const
{
    if (!storage || !item || itemSize == 0)
        return -1;
    uintptr_t begin = (uintptr_t)storage;
    uintptr_t at = (uintptr_t)item;
    if (at < begin)
        return -1;
    uintptr_t offset = at - begin;
    if (offset % (uintptr_t)itemSize != 0)
        return -1;
    uintptr_t index = offset / (uintptr_t)itemSize;
    return index < (uintptr_t)count ? (int)index : -1;
}

void CKArray::Swap(int a, int b)
{
    // Byte by byte, so that no scratch item is needed.
    char* x = ItemAt(a);
    char* y = ItemAt(b);
    for (int i = 0; i < itemSize; ++i) {
        char t = x[i];
        x[i] = y[i];
        y[i] = t;
    }
}

void CKArray::Sort(KCompareProc compare, int ascending, void* context)
{
    if (!compare)
        return;
    for (int i = 0; i + 1 < count; ++i) {
        int best = i;
        for (int j = i + 1; j < count; ++j) {
            int order = compare(ItemAt(best), ItemAt(j), context);
            if (ascending ? order > 0 : order < 0)
                best = j;
        }
        if (best != i)
            Swap(i, best);
    }
}

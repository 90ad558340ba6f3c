// The library's contiguous growable array of fixed-size items, for records kept by index.
// The items are raw bytes: the array never knows their type.
//
// Rules (see also foundation/KContainer.h):
// - Storage grows in steps of GetGrowBy() items (the requested step, raised to 4): a capacity is
//   always a multiple of the step. Reserve(n) takes n rounded up to a step; an insertion into a
//   full array grows it by the rule of KGrownCapacity (foundation/KContainer.h): by a step while
//   small, by at least half once large. The item size is the requested size rounded up to a multiple
//   of 4. Item pointers are invalidated by any growth and by insertion or removal before them.
// - RemoveAll frees the storage; the destructor does the same without calling a function.
// - Sort is a selection sort that swaps: it does not keep the order of equal items.
#pragma once
#include "foundation/CKObject.h"
#include "foundation/KContainer.h"

class CKArray : public CKObject
{
    K_DECLARE_CLASS(CKArray)
public:
    // Smallest growth step; smaller requests are raised to it.
    static constexpr int MIN_GROW_BY = 4;

    CKArray(int itemSize, int growBy);
    ~CKArray() override;

    // When n exceeds the capacity, grows to n rounded up to a multiple of the step; 1 on success,
    // 0 when memory ran out (or the size is beyond what can be addressed).
    int Reserve(int n);
    // Inserts a zero-filled item at `index`, moving the following items up (growing a full array
    // by KGrownCapacity); an index outside 0..count appends. Returns the new item, or none when memory ran out.
    void* InsertAt(int index);
    void* Add() { return InsertAt(-1); }
    // 0 for an index outside 0..count-1; else fn(item, context) when fn is given, the following
    // items move down, 1.
    int RemoveAt(int index, KItemProc fn, void* context);
    // fn(item, context) for every item from first to last, then frees the storage.
    void RemoveAll(KItemProc fn, void* context);

    // The item at index, or none outside 0..count-1.
    void* GetAt(int index) const;
    // The index of an item pointer that lies inside the storage on an item boundary, else -1.
    int IndexOf(const void* item) const;
    int GetCount() const { return count; }
    int GetCapacity() const { return capacity; }
    int GetItemSize() const { return itemSize; }
    int GetGrowBy() const { return growBy; }

    // Selection sort in place: for each position i from the first, the best of items i..count-1
    // is found by scanning them in order (with `ascending` a later item replaces the choice when
    // compare(choice, later, context) > 0, otherwise when it is < 0) and swapped with item i.
    void Sort(KCompareProc compare, int ascending, void* context);

private:
    // Reallocates the storage to exactly `newCapacity` items; 0 (nothing changed) when memory ran
    // out or the size cannot be addressed.
    int Resize(long long newCapacity);
    char* ItemAt(int index) const { return storage + (size_t)index * (size_t)itemSize; }
    void Swap(int a, int b);

    char* storage = nullptr;   // owned, KAlloc'ed; none until the first Reserve
    int capacity = 0;
    int count = 0;
    int growBy;
    int itemSize;
};

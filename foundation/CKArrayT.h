// A growable array of pointers, such as the application's page registry (CKArrayT<CKView*>).
// It stands beside CKArray rather than on it: its slots are always pointers.
//
// Rules (the common ones are in foundation/KContainer.h):
// - A full array grows by the rule of KGrownCapacity (foundation/KContainer.h) with the step
//   GetGrowBy() (the requested step, raised to 4): to count + 1 rounded up to a step while small,
//   by at least half once large. New storage is allocated, the pointers copied and the old
//   storage freed.
// - The removal function receives the slot's address (T**). RemoveAll calls it from the last
//   slot to the first and keeps the storage; only the destructor frees it.
// - The array holds no reference on what the pointers point to.
#pragma once
#include <cstdint>
#include <cstring>

#include "foundation/CKObject.h"
#include "foundation/KContainer.h"
#include "foundation/KMemory.h"

template <class P>
class CKArrayT;

template <class T>
class CKArrayT<T*> : public CKObject
{
public:
    static const KRuntimeClass classCKArrayT;
    const KRuntimeClass* GetRuntimeClass() const override { return &classCKArrayT; }

    // Smallest growth step; smaller requests are raised to it.
    static constexpr int MIN_GROW_BY = 4;

    // Called for each removed slot with the slot's address and the caller's context.
    typedef void (*KSlotProc)(T** slot, void* context);

    explicit CKArrayT(int requestedGrowBy)
        : growBy(requestedGrowBy < MIN_GROW_BY ? MIN_GROW_BY : requestedGrowBy)
    {
    }
    ~CKArrayT() override { KFree(slots); }

    // Inserts `value` at `index` (outside 0..count: appends), moving the following slots up;
    // returns the index used, -1 when memory ran out.
    int InsertAt(int index, T* value)
    {
        if (count == capacity && !Grow())
            return -1;
        if (index < 0 || index > count)
            index = count;
        memmove(slots + index + 1, slots + index, (size_t)(count - index) * sizeof(T*));
        slots[index] = value;
        ++count;
        return index;
    }
    int Add(T* value) { return InsertAt(-1, value); }

    // 0 for an index outside 0..count-1; else fn(&slot, context) when fn is given, the gap is
    // closed, 1.
    int RemoveAt(int index, KSlotProc fn, void* context)
    {
        if (index < 0 || index >= count)
            return 0;
        if (fn)
            fn(&slots[index], context);
        memmove(slots + index, slots + index + 1, (size_t)(count - index - 1) * sizeof(T*));
        --count;
        return 1;
    }

    // fn(&slot, context) for every slot from the last to the first, then count 0.
    void RemoveAll(KSlotProc fn, void* context)
    {
        if (fn)
            for (int i = count - 1; i >= 0; --i)
                fn(&slots[i], context);
        count = 0;
    }

    // Overwrites the slot at index (0 <= index < count; otherwise nothing happens).
    void SetAt(int index, T* value)
    {
        if (index >= 0 && index < count)
            slots[index] = value;
    }
    // The pointer at index, none outside 0..count-1.
    T* GetAt(int index) const { return (index >= 0 && index < count) ? slots[index] : nullptr; }
    int GetCount() const { return count; }
    int GetCapacity() const { return capacity; }
    int GetGrowBy() const { return growBy; }

private:
    // A large array grows by half at a time; when that much memory is not there, one step will do.
    int Grow()
    {
        return Resize(KGrownCapacity(capacity, (long long)count + 1, growBy))
               || Resize(KRoundUpToStep((long long)count + 1, growBy));
    }

    int Resize(long long grown)
    {
        if (grown * (long long)sizeof(T*) > (long long)INT32_MAX)
            return 0;
        T** fresh = (T**)KAlloc((size_t)grown * sizeof(T*));
        if (!fresh)
            return 0;
        if (count)
            memcpy(fresh, slots, (size_t)count * sizeof(T*));
        KFree(slots);
        slots = fresh;
        capacity = (int)grown;
        return 1;
    }

    T** slots = nullptr;   // owned storage; the pointers in it are borrowed
    int capacity = 0;
    int count = 0;
    int growBy;
};

template <class T>
const KRuntimeClass CKArrayT<T*>::classCKArrayT = {"CKArrayT", (int)sizeof(CKArrayT<T*>),
                                                    &CKObject::classCKObject, nullptr};

// Rules and callback types shared by the library's containers (CKList, CKArray, CKArrayT, CKMapT,
// CKTree). The containers never know the type of what they hold; callers pass these functions.
//
// Container rules (the same for every container):
// - Items are raw fixed-size records; new items are zero-filled, never constructed. A record that
//   owns something (an object pointer, a copied string) is released by the caller, through the
//   removal function given to Remove*/RemoveAll, or beforehand.
// - A removal function is called once per removed item, before the item's memory is reused, and
//   receives the item's address and the caller's context. It must not change the container.
// - A destructor behaves as RemoveAll without a function: it frees the container's memory only.
// - Allocation failure never raises: the adding call returns none (or -1) and the container is
//   unchanged.
#pragma once

// Called for each removed item of the untyped containers (CKList, CKArray): `item` is the item's
// address, `context` is what the caller passed along. The typed templates take the same shape
// with typed items: T* (CKListT, CKTreeT), the slot T** (CKArrayT), the value V* (CKMapT).
typedef void (*KItemProc)(void* item, void* context);

// Called for each item of a tree walk; returning 0 stops the walk.
typedef int (*KWalkProc)(void* item, void* context);

// Orders two items for the sorts: < 0 when `a` comes first in ascending order, 0 when equal.
typedef int (*KCompareProc)(const void* a, const void* b, void* context);

// Adapts a typed item function, R fn(T* item, void* context), to the untyped one the containers
// call: the typed templates pass Call with the address of a KTypedProc as the context.
template <class T, class R>
struct KTypedProc
{
    R (*fn)(T* item, void* context);
    void* context;

    static R Call(void* item, void* self)
    {
        KTypedProc* typed = (KTypedProc*)self;
        return typed->fn((T*)item, typed->context);
    }
};

// The same for a typed comparison, int compare(const T* a, const T* b, void* context).
template <class T>
struct KTypedCompare
{
    int (*compare)(const T* a, const T* b, void* context);
    void* context;

    static int Call(const void* a, const void* b, void* self)
    {
        KTypedCompare* typed = (KTypedCompare*)self;
        return typed->compare((const T*)a, (const T*)b, typed->context);
    }
};

// Growth of the arrays (CKArray, CKArrayT): capacities are whole multiples of the growth step.
// While the capacity is below KLINEAR_GROWTH_STEPS steps an array grows to what it needs rounded
// up to a step, so small arrays show exactly the step sizes; from there on each growth adds at
// least half the capacity, so that appending n items moves O(n) items in all instead of O(n^2 /
// step) (a playlist of a million records would otherwise be copied whole eight thousand times).
constexpr int KLINEAR_GROWTH_STEPS = 16;

// `needed` rounded up to a multiple of `step`.
inline long long KRoundUpToStep(long long needed, int step)
{
    return (needed + step - 1) / step * step;
}

// The capacity an array of `capacity` items and growth step `step` grows to when it needs room
// for `needed` items (needed > capacity). Callers that cannot get that much fall back to
// KRoundUpToStep(needed, step).
inline long long KGrownCapacity(long long capacity, long long needed, int step)
{
    long long target = needed;
    if (capacity >= (long long)step * KLINEAR_GROWTH_STEPS && capacity + capacity / 2 > target)
        target = capacity + capacity / 2;
    return KRoundUpToStep(target, step);
}

// Item sizes are kept in multiples of 4 bytes: the requested size rounded up (negative gives 0).
inline int KRoundItemSize(int requested)
{
    return requested <= 0 ? 0 : (requested + 3) / 4 * 4;
}

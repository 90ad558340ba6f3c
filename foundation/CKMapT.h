// Small maps built on CKList: entries {key, value} in insertion order, looked up linearly with a
// key comparison. CKMapStrWT / CKMapStrAT key by a copied wide / narrow string (the image cache,
// the drawable registry); CKMapT<int, V> keys by an integer (the font cache).
//
// Rules (see also foundation/KContainer.h):
// - SetAt always appends: an entry with an equal key is not looked for, so callers Lookup first.
//   With two equal keys, Lookup finds the first.
// - The removal function receives the address of the entry's value (V*). The string forms free
//   their key copies themselves, also in the destructor.
// - V is a plain value (typically a pointer): entries are zero-filled, never constructed.
#pragma once
#include "foundation/CKList.h"
#include "foundation/KMemory.h"
#include "foundation/KText.h"

template <class K, class V>
class CKMapT : public CKList
{
public:
    static const KRuntimeClass classCKMapT;
    const KRuntimeClass* GetRuntimeClass() const override { return &classCKMapT; }

    // Compares two keys through their addresses: 0 when equal.
    typedef int (*KKeyCompareProc)(const K* a, const K* b);
    // Called for each removed entry with the address of its value and the caller's context.
    typedef void (*KValueProc)(V* value, void* context);

    explicit CKMapT(KKeyCompareProc keyCompare, int nodesPerBlock = 16)
        : CKList((int)sizeof(Entry), nodesPerBlock), compare(keyCompare)
    {
    }
    ~CKMapT() override { RemoveAll(nullptr, nullptr); }

    // Appends {key, value}; returns the entry's value slot, none when memory ran out.
    V* SetAt(K key, V value)
    {
        K stored = key;
        if (copyKey && !copyKey(key, &stored))
            return nullptr;
        Entry* entry = (Entry*)AddTail();
        if (!entry) {
            if (freeKey)
                freeKey(&stored);
            return nullptr;
        }
        entry->key = stored;
        entry->value = value;
        return &entry->value;
    }

    // The value of the first entry whose key compares equal, or none.
    V* Lookup(K key) const
    {
        for (Entry* entry = (Entry*)GetHead(); entry; entry = (Entry*)GetNext(entry))
            if (compare(&entry->key, &key) == 0)
                return &entry->value;
        return nullptr;
    }

    // For every entry from the first: fn(&value, context) when fn is given, then the key copy is
    // freed; then the list is emptied and its blocks freed.
    void RemoveAll(KValueProc fn, void* context)
    {
        KRemoval removal = {fn, context, freeKey};
        CKList::RemoveAll(&RemoveEntry, &removal);
    }

    // The same for the last entry only; 0 when the map is empty.
    int RemoveTail(KValueProc fn, void* context)
    {
        KRemoval removal = {fn, context, freeKey};
        return CKList::RemoveTail(&RemoveEntry, &removal);
    }

protected:
    // Stores a copy of `key` in `*stored`; returns false when memory ran out.
    typedef bool (*KKeyCopyProc)(K key, K* stored);
    typedef void (*KKeyFreeProc)(K* stored);

    CKMapT(KKeyCompareProc keyCompare, KKeyCopyProc keyCopy, KKeyFreeProc keyFree,
           int nodesPerBlock)
        : CKList((int)sizeof(Entry), nodesPerBlock), compare(keyCompare), copyKey(keyCopy),
          freeKey(keyFree)
    {
    }

private:
    // Removing single entries other than the tail would skip the key copies: not offered.
    using CKList::RemoveHead;
    using CKList::Remove;

    struct Entry
    {
        K key;
        V value;
    };
    struct KRemoval
    {
        KValueProc fn;
        void* context;
        KKeyFreeProc freeKey;
    };

    static void RemoveEntry(void* item, void* context)
    {
        Entry* entry = (Entry*)item;
        KRemoval* removal = (KRemoval*)context;
        if (removal->fn)
            removal->fn(&entry->value, removal->context);
        if (removal->freeKey)
            removal->freeKey(&entry->key);
    }

    KKeyCompareProc compare;
    KKeyCopyProc copyKey = nullptr;   // none: keys are stored as given
    KKeyFreeProc freeKey = nullptr;   // none: keys own nothing
};

template <class K, class V>
const KRuntimeClass CKMapT<K, V>::classCKMapT = {"CKMapT", (int)sizeof(CKMapT<K, V>),
                                                  &CKList::classCKList, nullptr};

// Integer keys ordered by their difference (the font cache's comparison).
inline int KCompareIntKeys(const int* a, const int* b)
{
    return (int)((unsigned int)*a - (unsigned int)*b);
}

// Keys are wide strings, copied on insertion and freed on removal; compared case-sensitively,
// unit by unit ("a.png" does not find "A.png").
template <class V>
class CKMapStrWT : public CKMapT<wchar_t*, V>
{
    typedef CKMapT<wchar_t*, V> Base;

public:
    static const KRuntimeClass classCKMapStrWT;
    const KRuntimeClass* GetRuntimeClass() const override { return &classCKMapStrWT; }

    explicit CKMapStrWT(int nodesPerBlock = 16)
        : Base(&CompareKeys, &CopyKey, &FreeKey, nodesPerBlock)
    {
    }

    V* SetAt(const wchar_t* key, V value) { return Base::SetAt(const_cast<wchar_t*>(key), value); }
    // The lookup key is only read.
    V* Lookup(const wchar_t* key) const { return Base::Lookup(const_cast<wchar_t*>(key)); }

private:
    static int CompareKeys(wchar_t* const* a, wchar_t* const* b) { return KStrCmpW(*a, *b); }
    static bool CopyKey(wchar_t* key, wchar_t** stored)
    {
        *stored = KStrDupW(key ? key : L"");
        return *stored != nullptr;
    }
    static void FreeKey(wchar_t** stored) { KFree(*stored); }
};

template <class V>
const KRuntimeClass CKMapStrWT<V>::classCKMapStrWT = {
    "CKMapStrWT", (int)sizeof(CKMapStrWT<V>), &CKMapT<wchar_t*, V>::classCKMapT, nullptr};

// Keys are narrow strings, copied on insertion and freed on removal; compared case-sensitively,
// byte by byte.
template <class V>
class CKMapStrAT : public CKMapT<char*, V>
{
    typedef CKMapT<char*, V> Base;

public:
    static const KRuntimeClass classCKMapStrAT;
    const KRuntimeClass* GetRuntimeClass() const override { return &classCKMapStrAT; }

    explicit CKMapStrAT(int nodesPerBlock = 16)
        : Base(&CompareKeys, &CopyKey, &FreeKey, nodesPerBlock)
    {
    }

    V* SetAt(const char* key, V value) { return Base::SetAt(const_cast<char*>(key), value); }
    // The lookup key is only read.
    V* Lookup(const char* key) const { return Base::Lookup(const_cast<char*>(key)); }

private:
    static int CompareKeys(char* const* a, char* const* b) { return KStrCmpA(*a, *b); }
    static bool CopyKey(char* key, char** stored)
    {
        *stored = KStrDupA(key ? key : "");
        return *stored != nullptr;
    }
    static void FreeKey(char** stored) { KFree(*stored); }
};

template <class V>
const KRuntimeClass CKMapStrAT<V>::classCKMapStrAT = {
    "CKMapStrAT", (int)sizeof(CKMapStrAT<V>), &CKMapT<char*, V>::classCKMapT, nullptr};

// The library's doubly linked list of fixed-size items, with its nodes drawn from a block pool;
// CKListT<T> is the same list typed on a record. Used for timers, rich-text runs, the canvas's
// state records and, through CKMapT, the caches.
//
// Rules (see also foundation/KContainer.h):
// - Item pointers are the addresses of the items' bytes inside their nodes; they stay valid until
//   the item is removed. The list finds the node from the item.
// - Nodes come from blocks of GetNodesPerBlock() nodes (the requested number, raised to 4); a
//   removed node goes to the free chain and is reused by the next AddTail. Blocks go back to the
//   heap only in RemoveAll and in the destructor.
// - The item size is the requested size rounded up to a multiple of 4; new items are zero-filled.
#pragma once
#include "foundation/CKObject.h"
#include "foundation/KBlockPool.h"
#include "foundation/KContainer.h"

class CKList : public CKObject
{
    K_DECLARE_CLASS(CKList)
public:
    // Smallest number of nodes per block; smaller requests are raised to it.
    static constexpr int MIN_NODES_PER_BLOCK = 4;

    CKList(int itemSize, int nodesPerBlock);
    ~CKList() override;

    // Links a zero-filled item at the tail; returns it, or none when memory ran out.
    void* AddTail();
    void* GetHead() const;
    void* GetTail() const;
    // The item after `item`, none at the end.
    void* GetNext(const void* item) const;
    int GetCount() const { return count; }

    // Each calls fn(item, context) when fn is given, unlinks the item and keeps its node for
    // reuse; 0 when there is nothing to remove, else 1.
    int RemoveHead(KItemProc fn, void* context);
    int RemoveTail(KItemProc fn, void* context);
    int Remove(void* item, KItemProc fn, void* context);
    // Calls fn(item, context) for every item from head to tail, then frees every block.
    void RemoveAll(KItemProc fn, void* context);

    int GetItemSize() const { return itemSize; }
    int GetNodesPerBlock() const { return pool.GetNodesPerBlock(); }
    // Nodes carved from blocks so far (in use or on the free chain).
    int GetNodesAllocated() const { return pool.GetNodesAllocated(); }

private:
    struct Node
    {
        Node* next;
        Node* prev;
    };

    static Node* NodeOf(const void* item);
    static void* ItemOf(Node* node);
    void Unlink(Node* node, KItemProc fn, void* context);

    Node* head = nullptr;   // borrowed from the pool, as every node
    Node* tail = nullptr;
    int count = 0;
    int itemSize;
    KBlockPool pool;        // owns the blocks and the free chain
};

// The list typed on a record T (a plain record: zero-filled, never constructed or destroyed);
// its removal functions take T*.
template <class T>
class CKListT : public CKList
{
public:
    static const KRuntimeClass classCKListT;
    const KRuntimeClass* GetRuntimeClass() const override { return &classCKListT; }

    // Called for each removed item with the caller's context.
    typedef void (*KRemoveProc)(T* item, void* context);

    explicit CKListT(int nodesPerBlock = 16) : CKList((int)sizeof(T), nodesPerBlock) {}

    T* AddTail() { return (T*)CKList::AddTail(); }
    T* GetHead() const { return (T*)CKList::GetHead(); }
    T* GetTail() const { return (T*)CKList::GetTail(); }
    T* GetNext(const T* item) const { return (T*)CKList::GetNext(item); }

    int RemoveHead(KRemoveProc fn, void* context)
    {
        Typed typed = {fn, context};
        return CKList::RemoveHead(fn ? &Typed::Call : nullptr, &typed);
    }
    int RemoveTail(KRemoveProc fn, void* context)
    {
        Typed typed = {fn, context};
        return CKList::RemoveTail(fn ? &Typed::Call : nullptr, &typed);
    }
    int Remove(T* item, KRemoveProc fn, void* context)
    {
        Typed typed = {fn, context};
        return CKList::Remove(item, fn ? &Typed::Call : nullptr, &typed);
    }
    void RemoveAll(KRemoveProc fn, void* context)
    {
        Typed typed = {fn, context};
        CKList::RemoveAll(fn ? &Typed::Call : nullptr, &typed);
    }

private:
    typedef KTypedProc<T, void> Typed;
};

template <class T>
const KRuntimeClass CKListT<T>::classCKListT = {"CKListT", (int)sizeof(CKListT<T>),
                                                 &CKList::classCKList, nullptr};

// The library's n-ary tree of fixed-size items, with its nodes drawn from a block pool;
// CKTreeT<T> is the same tree typed on a record. Holds the window tree and tree-control items.
//
// Rules (see also foundation/KContainer.h):
// - Item pointers are the addresses of the items' bytes inside their nodes; the tree finds the
//   node from the item. "None" as a parent means the top level, a sibling chain without parent.
// - Nodes come from blocks of GetNodesPerBlock() nodes (the requested number, raised to 8);
//   removed nodes are kept for reuse. Blocks go back to the heap only in RemoveAll and in the
//   destructor. The item size is the requested size rounded up to a multiple of 4; new items are
//   zero-filled.
// - Walks are pre-order and never leave the subtree they start from. Walk functions must not
//   change the tree.
#pragma once
#include "foundation/CKObject.h"
#include "foundation/KBlockPool.h"
#include "foundation/KContainer.h"

class CKTree : public CKObject
{
    K_DECLARE_CLASS(CKTree)
public:
    // Smallest number of nodes per block; smaller requests are raised to it.
    static constexpr int MIN_NODES_PER_BLOCK = 8;

    CKTree(int itemSize, int nodesPerBlock);
    ~CKTree() override;

    // Each returns the new zero-filled item, or none when memory ran out.
    // As the last child of `parent` (none: the last top-level item).
    void* AddChild(void* parent);
    // As the first child of `parent` (none: the first top-level item).
    void* AddFirstChild(void* parent);
    // As the sibling directly after `item`, with the same parent; none for a none item.
    void* InsertAfter(void* item);

    // Navigation; with a none item each of these gives the first top-level item (GetLastChild:
    // the last top-level item).
    void* GetFirstChild(const void* item) const;
    void* GetLastChild(const void* item) const;
    void* GetNext(const void* item) const;
    void* GetPrev(const void* item) const;
    // The parent, none at the top level.
    void* GetParent(const void* item) const;
    // The first top-level item.
    void* GetRoot() const;
    int GetCount() const { return count; }

    // Pre-order walk of `start`'s subtree (none: the whole tree) calling fn(item, context); a zero
    // result stops the walk and makes it return 0; 1 when the walk completed.
    int Walk(void* start, KWalkProc fn, void* context) const;
    // With fn: walks the item's subtree calling fn (a zero result only ends the walk early); then
    // unlinks the item and keeps it and all its descendants for reuse. 1, or 0 for none.
    int Remove(void* item, KWalkProc fn, void* context);
    // Reorders the children of `parent` (none: the top level) by a stable selection sort: the
    // next item placed is the first of the remaining ones that no later one beats (with
    // `ascending`, compare(choice, later, context) > 0 makes `later` the choice, otherwise < 0).
    // Children move with their items.
    void Sort(void* parent, KCompareProc compare, int ascending, void* context);
    // Walks the whole tree calling fn when given (a zero result ends the walk early), then frees
    // every block and empties the tree.
    void RemoveAll(KWalkProc fn, void* context);

    int GetItemSize() const { return itemSize; }
    int GetNodesPerBlock() const { return pool.GetNodesPerBlock(); }
    // Nodes carved from blocks so far (in use or kept for reuse).
    int GetNodesAllocated() const { return pool.GetNodesAllocated(); }

private:
    struct Node
    {
        Node* next;         // next sibling
        Node* prev;         // previous sibling
        Node* parent;       // none at the top level
        Node* firstChild;
    };

    static Node* NodeOf(const void* item);
    static void* ItemOf(Node* node);
    // The first child of `parent`, or the first top-level node for none.
    Node*& FirstOf(Node* parent) { return parent ? parent->firstChild : top; }
    Node* FirstOf(Node* parent) const { return parent ? parent->firstChild : top; }
    Node* NewNode(Node* parent);
    // The node after `node` in pre-order, never leaving `start`'s subtree (none: the whole tree).
    static Node* NextInWalk(Node* node, Node* start);
    // Detaches `node` from its parent's (or the top level's) sibling chain.
    void Unlink(Node* node);

    Node* top = nullptr;    // first top-level node; nodes are borrowed from the pool
    int count = 0;
    int itemSize;
    KBlockPool pool;        // owns the blocks and the free chain
};

// The tree typed on a record T (a plain record: zero-filled, never constructed or destroyed);
// its walk functions take T* and its comparisons const T*.
template <class T>
class CKTreeT : public CKTree
{
public:
    static const KRuntimeClass classCKTreeT;
    const KRuntimeClass* GetRuntimeClass() const override { return &classCKTreeT; }

    // Called for each item of a walk; returning 0 stops it.
    typedef int (*KItemWalkProc)(T* item, void* context);
    // < 0 when `a` comes first in ascending order, 0 when equal.
    typedef int (*KItemCompareProc)(const T* a, const T* b, void* context);

    explicit CKTreeT(int nodesPerBlock = 16) : CKTree((int)sizeof(T), nodesPerBlock) {}

    T* AddChild(T* parent) { return (T*)CKTree::AddChild(parent); }
    T* AddFirstChild(T* parent) { return (T*)CKTree::AddFirstChild(parent); }
    T* InsertAfter(T* item) { return (T*)CKTree::InsertAfter(item); }
    T* GetFirstChild(const T* item) const { return (T*)CKTree::GetFirstChild(item); }
    T* GetLastChild(const T* item) const { return (T*)CKTree::GetLastChild(item); }
    T* GetNext(const T* item) const { return (T*)CKTree::GetNext(item); }
    T* GetPrev(const T* item) const { return (T*)CKTree::GetPrev(item); }
    T* GetParent(const T* item) const { return (T*)CKTree::GetParent(item); }
    T* GetRoot() const { return (T*)CKTree::GetRoot(); }

    int Walk(T* start, KItemWalkProc fn, void* context) const
    {
        Typed typed = {fn, context};
        return CKTree::Walk(start, fn ? &Typed::Call : nullptr, &typed);
    }
    int Remove(T* item, KItemWalkProc fn, void* context)
    {
        Typed typed = {fn, context};
        return CKTree::Remove(item, fn ? &Typed::Call : nullptr, &typed);
    }
    void Sort(T* parent, KItemCompareProc compare, int ascending, void* context)
    {
        KTypedCompare<T> typed = {compare, context};
        CKTree::Sort(parent, compare ? &KTypedCompare<T>::Call : nullptr, ascending, &typed);
    }
    void RemoveAll(KItemWalkProc fn, void* context)
    {
        Typed typed = {fn, context};
        CKTree::RemoveAll(fn ? &Typed::Call : nullptr, &typed);
    }

private:
    typedef KTypedProc<T, int> Typed;
};

template <class T>
const KRuntimeClass CKTreeT<T>::classCKTreeT = {"CKTreeT", (int)sizeof(CKTreeT<T>),
                                                 &CKTree::classCKTree, nullptr};

// Linking, navigation, the pre-order walk, removal and the stable sort of CKTree.
#include "foundation/CKTree.h"

#include <cstring>

K_IMPLEMENT_CLASS(CKTree, CKObject)

CKTree::CKTree(int requestedItemSize, int requestedNodesPerBlock)
    : itemSize(KRoundItemSize(requestedItemSize)),
      pool(KBlockPool::AlignNodeSize((int)sizeof(Node)) + itemSize,
           requestedNodesPerBlock < MIN_NODES_PER_BLOCK ? MIN_NODES_PER_BLOCK : requestedNodesPerBlock)
{
}

CKTree::~CKTree()
{
    RemoveAll(nullptr, nullptr);
}

CKTree::Node* CKTree::NodeOf(const void* item)
{
    return (Node*)((char*)item - KBlockPool::AlignNodeSize((int)sizeof(Node)));
}

void* CKTree::ItemOf(Node* node)
{
    return node ? (char*)node + KBlockPool::AlignNodeSize((int)sizeof(Node)) : nullptr;
}

CKTree::Node* CKTree::NewNode(Node* parent)
{
    Node* node = (Node*)pool.Take();
    if (!node)
        return nullptr;
    node->next = nullptr;
    node->prev = nullptr;
    node->parent = parent;
    node->firstChild = nullptr;
    memset(ItemOf(node), 0, (size_t)itemSize);
    ++count;
    return node;
}

void* CKTree::AddChild(void* parent)
{
    Node* parentNode = parent ? NodeOf(parent) : nullptr;
    Node* node = NewNode(parentNode);
    if (!node)
        return nullptr;
    Node*& first = FirstOf(parentNode);
    if (!first) {
        first = node;
    } else {
        Node* last = first;
        while (last->next)
            last = last->next;
        last->next = node;
        node->prev = last;
    }
    return ItemOf(node);
}

void* CKTree::AddFirstChild(void* parent)
{
    Node* parentNode = parent ? NodeOf(parent) : nullptr;
    Node* node = NewNode(parentNode);
    if (!node)
        return nullptr;
    Node*& first = FirstOf(parentNode);
    node->next = first;
    if (first)
        first->prev = node;
    first = node;
    return ItemOf(node);
}

void* CKTree::InsertAfter(void* item)
{
    if (!item)
        return nullptr;
    Node* before = NodeOf(item);
    Node* node = NewNode(before->parent);
    if (!node)
        return nullptr;
    node->prev = before;
    node->next = before->next;
    if (before->next)
        before->next->prev = node;
    before->next = node;
    return ItemOf(node);
}

void* CKTree::GetFirstChild(const void* item) const
{
    return ItemOf(item ? NodeOf(item)->firstChild : top);
}

void* CKTree::GetLastChild(const void* item) const
{
    Node* node = item ? NodeOf(item)->firstChild : top;
    while (node && node->next)
        node = node->next;
    return ItemOf(node);
}

void* CKTree::GetNext(const void* item) const
{
    return ItemOf(item ? NodeOf(item)->next : top);
}

void* CKTree::GetPrev(const void* item) const
{
    return ItemOf(item ? NodeOf(item)->prev : top);
}

void* CKTree::GetParent(const void* item) const
{
    return ItemOf(item ? NodeOf(item)->parent : top);
}

void* CKTree::GetRoot() const
{
    return ItemOf(top);
}

CKTree::Node* CKTree::NextInWalk(Node* node, Node* start)
{
    if (node->firstChild)
        return node->firstChild;
    // Climb to the first ancestor with a next sibling, stopping at `start`: its siblings and
    // ancestors are outside the walk.
    while (node != start) {
        if (node->next)
            return node->next;
        node = node->parent;
        if (!node)
            return nullptr;
    }
    return nullptr;
}

int CKTree::Walk(void* start, KWalkProc fn, void* context) const
{
    if (!fn)
        return 1;
    Node* startNode = start ? NodeOf(start) : nullptr;
    for (Node* node = start ? startNode : top; node; node = NextInWalk(node, startNode))
        if (!fn(ItemOf(node), context))
            return 0;
    return 1;
}

void CKTree::Unlink(Node* node)
{
    if (node->prev)
        node->prev->next = node->next;
    else
        FirstOf(node->parent) = node->next;
    if (node->next)
        node->next->prev = node->prev;
    node->next = nullptr;
    node->prev = nullptr;
}

int CKTree::Remove(void* item, KWalkProc fn, void* context)
{
    if (!item)
        return 0;
    if (fn)
        Walk(item, fn, context);
    Node* root = NodeOf(item);
    Unlink(root);
    // Give the subtree back leaf first: a node on the free chain no longer holds its links.
    Node* node = root;
    while (node) {
        if (node->firstChild) {
            node = node->firstChild;
            continue;
        }
        Node* parent = node == root ? nullptr : node->parent;
        if (parent) {
            // A leaf reached by descending is always its parent's first child.
            parent->firstChild = node->next;
            if (node->next)
                node->next->prev = nullptr;
        }
        pool.Give(node);
        --count;
        node = parent;
    }
    return 1;
}

void CKTree::Sort(void* parent, KCompareProc compare, int ascending, void* context)
{
    if (!compare)
        return;
    Node*& first = FirstOf(parent ? NodeOf(parent) : nullptr);
    Node* remaining = first;
    Node* sortedHead = nullptr;
    Node* sortedTail = nullptr;
    while (remaining) {
        Node* choice = remaining;
        for (Node* later = remaining->next; later; later = later->next) {
            int order = compare(ItemOf(choice), ItemOf(later), context);
            if (ascending ? order > 0 : order < 0)
                choice = later;
        }
        // Unlink the choice from the remaining chain and append it to the sorted one.
        if (choice->prev)
            choice->prev->next = choice->next;
        else
            remaining = choice->next;
        if (choice->next)
            choice->next->prev = choice->prev;
        choice->prev = sortedTail;
        choice->next = nullptr;
        if (sortedTail)
            sortedTail->next = choice;
        else
            sortedHead = choice;
        sortedTail = choice;
    }
    first = sortedHead;
}

void CKTree::RemoveAll(KWalkProc fn, void* context)
{
    Walk(nullptr, fn, context);
    pool.FreeAll();
    top = nullptr;
    count = 0;
}

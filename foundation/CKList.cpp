// Linking, unlinking and the node pool of CKList.
#include "foundation/CKList.h"

#include <cstring>

K_IMPLEMENT_CLASS(CKList, CKObject)

CKList::CKList(int requestedItemSize, int requestedNodesPerBlock)
    : itemSize(KRoundItemSize(requestedItemSize)),
      pool(KBlockPool::AlignNodeSize((int)sizeof(Node)) + itemSize,
           requestedNodesPerBlock < MIN_NODES_PER_BLOCK ? MIN_NODES_PER_BLOCK : requestedNodesPerBlock)
{
}

CKList::~CKList()
{
    RemoveAll(nullptr, nullptr);
}

CKList::Node* CKList::NodeOf(const void* item)
{
    return (Node*)((char*)item - KBlockPool::AlignNodeSize((int)sizeof(Node)));
}

void* CKList::ItemOf(Node* node)
{
    return (char*)node + KBlockPool::AlignNodeSize((int)sizeof(Node));
}

void* CKList::AddTail()
{
    Node* node = (Node*)pool.Take();
    if (!node)
        return nullptr;
    void* item = ItemOf(node);
    memset(item, 0, (size_t)itemSize);
    node->next = nullptr;
    node->prev = tail;
    if (tail)
        tail->next = node;
    else
        head = node;
    tail = node;
    ++count;
    return item;
}

void* CKList::GetHead() const
{
    return head ? ItemOf(head) : nullptr;
}

void* CKList::GetTail() const
{
    return tail ? ItemOf(tail) : nullptr;
}

void* CKList::GetNext(const void* item) const
{
    if (!item)
        return nullptr;
    Node* next = NodeOf(item)->next;
    return next ? ItemOf(next) : nullptr;
}

void CKList::Unlink(Node* node, KItemProc fn, void* context)
{
    if (fn)
        fn(ItemOf(node), context);
    if (node->prev)
        node->prev->next = node->next;
    else
        head = node->next;
    if (node->next)
        node->next->prev = node->prev;
    else
        tail = node->prev;
    --count;
    pool.Give(node);
}

int CKList::RemoveHead(KItemProc fn, void* context)
{
    if (!head)
        return 0;
    Unlink(head, fn, context);
    return 1;
}

int CKList::RemoveTail(KItemProc fn, void* context)
{
    if (!tail)
        return 0;
    Unlink(tail, fn, context);
    return 1;
}

int CKList::Remove(void* item, KItemProc fn, void* context)
{
    if (!item)
        return 0;
    Unlink(NodeOf(item), fn, context);
    return 1;
}

void CKList::RemoveAll(KItemProc fn, void* context)
{
    if (fn)
        for (Node* node = head; node; node = node->next)
            fn(ItemOf(node), context);
    pool.FreeAll();
    head = nullptr;
    tail = nullptr;
    count = 0;
}

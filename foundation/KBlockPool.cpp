// Block allocation and the free chain of KBlockPool.
#include "foundation/KBlockPool.h"

#include <cstddef>

#include "foundation/KMemory.h"

namespace {

// Nodes are aligned as strictly as the heap aligns its blocks, so any record fits in an item.
constexpr int NODE_ALIGN = (int)alignof(std::max_align_t);

} // namespace

KBlockPool::KBlockPool(int requestedNodeSize, int blockNodes)
    : nodesPerBlock(blockNodes), nodeSize(AlignNodeSize(requestedNodeSize))
{
}

KBlockPool::~KBlockPool()
{
    FreeAll();
}

int KBlockPool::AlignNodeSize(int bytes)
{
    return (bytes + NODE_ALIGN - 1) / NODE_ALIGN * NODE_ALIGN;
}

void* KBlockPool::Take()
{
    if (!freeChain) {
        // The block header is padded like a node so that the first node is aligned too.
        const int header = AlignNodeSize((int)sizeof(Block));
        Block* block = (Block*)KAlloc((size_t)header + (size_t)nodeSize * (size_t)nodesPerBlock);
        if (!block)
            return nullptr;
        block->next = blocks;
        block->nodeCount = nodesPerBlock;
        block->nodeSize = nodeSize;
        blocks = block;
        nodesAllocated += nodesPerBlock;
        // Chain the new nodes so that they are handed out in address order.
        char* first = (char*)block + header;
        for (int i = nodesPerBlock - 1; i >= 0; --i) {
            FreeNode* node = (FreeNode*)(first + (size_t)i * (size_t)nodeSize);
            node->next = freeChain;
            freeChain = node;
        }
    }
    FreeNode* node = freeChain;
    freeChain = node->next;
    return node;
}

void KBlockPool::Give(void* node)
{
    FreeNode* freed = (FreeNode*)node;
    freed->next = freeChain;
    freeChain = freed;
}

void KBlockPool::FreeAll()
{
    while (blocks) {
        Block* next = blocks->next;
        KFree(blocks);
        blocks = next;
    }
    freeChain = nullptr;
    nodesAllocated = 0;
}

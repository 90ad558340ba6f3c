// The node pool behind CKList and CKTree: nodes are carved from blocks of a fixed number of nodes,
// freed nodes wait on a free chain for reuse, and blocks go back to the heap only in FreeAll.
#pragma once

class KBlockPool
{
public:
    // `nodeSize` is the whole node (links and item) in bytes; `nodesPerBlock` is used as given.
    KBlockPool(int nodeSize, int nodesPerBlock);
    ~KBlockPool();

    // A node from the free chain, allocating a new block when the chain is empty; none when memory
    // ran out. The node's bytes are not initialised.
    void* Take();
    // Puts a node taken from this pool back on the free chain.
    void Give(void* node);
    // Returns every block to the heap; all nodes taken so far become invalid.
    void FreeAll();

    int GetNodesAllocated() const { return nodesAllocated; }
    int GetNodesPerBlock() const { return nodesPerBlock; }

    // Nodes are laid out on this boundary so that any item record is aligned inside them.
    static int AlignNodeSize(int bytes);

    KBlockPool(const KBlockPool&) = delete;
    KBlockPool& operator=(const KBlockPool&) = delete;

private:
    struct Block
    {
        Block* next;        // next block of the chain
        int nodeCount;
        int nodeSize;
    };
    struct FreeNode
    {
        FreeNode* next;     // next node of the free chain
    };

    FreeNode* freeChain = nullptr;   // borrowed nodes inside the blocks
    Block* blocks = nullptr;         // owned chain of blocks, newest first
    int nodesAllocated = 0;
    int nodesPerBlock;
    int nodeSize;
};

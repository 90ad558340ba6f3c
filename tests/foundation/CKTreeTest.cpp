// CKTree / CKTreeT: block pool sizes, insertion, navigation with none, the pre-order walk that
// stays inside its subtree, removal, the stable sort and RemoveAll.
#include <gtest/gtest.h>

#include <string>

#include "foundation/CKTree.h"

namespace {

struct KTestNode
{
    char name[8];
    int key;
};

typedef CKTreeT<KTestNode> CTestTree;

KTestNode* Named(KTestNode* item, const char* name, int key = 0)
{
    int i = 0;
    for (; name[i] && i < 7; ++i)
        item->name[i] = name[i];
    item->name[i] = 0;
    item->key = key;
    return item;
}

int AppendName(KTestNode* item, void* context)
{
    std::string* out = (std::string*)context;
    if (!out->empty())
        *out += ' ';
    *out += item->name;
    return 1;
}

// Stops at the item named "stop".
int AppendUntilStop(KTestNode* item, void* context)
{
    AppendName(item, context);
    return std::string(item->name) != "stop";
}

std::string PreOrder(const CTestTree& tree, KTestNode* start)
{
    std::string out;
    tree.Walk(start, AppendName, &out);
    return out;
}

std::string Children(const CTestTree& tree, KTestNode* parent)
{
    std::string out;
    for (KTestNode* item = tree.GetFirstChild(parent); item; item = tree.GetNext(item))
        AppendName(item, &out);
    return out;
}

int CompareKeys(const KTestNode* a, const KTestNode* b, void*)
{
    return a->key - b->key;
}

// a (a1 (a1x), a2), b (b1), c
struct KSampleTree
{
    CTestTree tree{3};
    KTestNode* a;
    KTestNode* a1;
    KTestNode* a1x;
    KTestNode* a2;
    KTestNode* b;
    KTestNode* b1;
    KTestNode* c;

    KSampleTree()
    {
        b = Named(tree.AddChild(nullptr), "b");
        c = Named(tree.AddChild(nullptr), "c");
        a = Named(tree.AddFirstChild(nullptr), "a");
        a2 = Named(tree.AddChild(a), "a2");
        a1 = Named(tree.AddFirstChild(a), "a1");
        a1x = Named(tree.AddChild(a1), "a1x");
        b1 = Named(tree.AddChild(b), "b1");
    }
};

} // namespace

TEST(CKTree, BlocksHoldTheRequestedNodesButAtLeastEight)
{
    CKTree tree(5, 3);
    EXPECT_EQ(tree.GetItemSize(), 8);
    EXPECT_EQ(tree.GetNodesPerBlock(), 8);
    EXPECT_EQ(tree.GetNodesAllocated(), 0);
    void* first = tree.AddChild(nullptr);
    EXPECT_EQ(tree.GetNodesAllocated(), 8);
    for (int i = 0; i < 7; ++i)
        tree.AddChild(first);
    EXPECT_EQ(tree.GetNodesAllocated(), 8);
    tree.AddChild(nullptr);
    EXPECT_EQ(tree.GetNodesAllocated(), 16);
    EXPECT_EQ(tree.GetCount(), 9);

    CKTree large(4, 20);
    EXPECT_EQ(large.GetNodesPerBlock(), 20);
}

TEST(CKTree, AddChildAddFirstChildAndInsertAfterPlaceZeroFilledItems)
{
    KSampleTree s;
    EXPECT_EQ(s.tree.GetCount(), 7);
    EXPECT_EQ(Children(s.tree, nullptr), "a b c");
    EXPECT_EQ(Children(s.tree, s.a), "a1 a2");
    KTestNode* inserted = s.tree.InsertAfter(s.a1);
    ASSERT_NE(inserted, nullptr);
    EXPECT_EQ(inserted->name[0], 0);
    EXPECT_EQ(inserted->key, 0);
    Named(inserted, "a15");
    EXPECT_EQ(s.tree.GetParent(inserted), s.a);
    EXPECT_EQ(Children(s.tree, s.a), "a1 a15 a2");
    Named(s.tree.InsertAfter(s.c), "d");
    EXPECT_EQ(Children(s.tree, nullptr), "a b c d");
    EXPECT_EQ(s.tree.InsertAfter(nullptr), nullptr);
    EXPECT_EQ(s.tree.GetCount(), 9);
}

TEST(CKTree, NavigationWithNoneGivesTheTopLevel)
{
    KSampleTree s;
    EXPECT_EQ(s.tree.GetRoot(), s.a);
    EXPECT_EQ(s.tree.GetFirstChild(nullptr), s.a);
    EXPECT_EQ(s.tree.GetLastChild(nullptr), s.c);
    EXPECT_EQ(s.tree.GetNext(nullptr), s.a);
    EXPECT_EQ(s.tree.GetPrev(nullptr), s.a);
    EXPECT_EQ(s.tree.GetParent(nullptr), s.a);

    EXPECT_EQ(s.tree.GetFirstChild(s.a), s.a1);
    EXPECT_EQ(s.tree.GetLastChild(s.a), s.a2);
    EXPECT_EQ(s.tree.GetFirstChild(s.c), nullptr);
    EXPECT_EQ(s.tree.GetLastChild(s.c), nullptr);
    EXPECT_EQ(s.tree.GetNext(s.a1), s.a2);
    EXPECT_EQ(s.tree.GetNext(s.a2), nullptr);
    EXPECT_EQ(s.tree.GetPrev(s.a2), s.a1);
    EXPECT_EQ(s.tree.GetPrev(s.a), nullptr);
    EXPECT_EQ(s.tree.GetParent(s.a1x), s.a1);
    EXPECT_EQ(s.tree.GetParent(s.a), nullptr);

    CTestTree empty;
    EXPECT_EQ(empty.GetRoot(), nullptr);
    EXPECT_EQ(empty.GetLastChild(nullptr), nullptr);
    EXPECT_EQ(empty.GetNext(nullptr), nullptr);
}

TEST(CKTree, WalkIsPreOrderAndNeverLeavesTheStartsSubtree)
{
    KSampleTree s;
    EXPECT_EQ(PreOrder(s.tree, nullptr), "a a1 a1x a2 b b1 c");
    EXPECT_EQ(PreOrder(s.tree, s.a), "a a1 a1x a2");
    // a1x has no next sibling: the walk climbs to a1, which is the start, and stops there
    // instead of going on to a2.
    EXPECT_EQ(PreOrder(s.tree, s.a1), "a1 a1x");
    EXPECT_EQ(PreOrder(s.tree, s.a1x), "a1x");
    EXPECT_EQ(PreOrder(s.tree, s.b), "b b1");
    EXPECT_EQ(PreOrder(s.tree, s.c), "c");

    Named(s.a1x, "stop");
    std::string out;
    EXPECT_EQ(s.tree.Walk(nullptr, AppendUntilStop, &out), 0);
    EXPECT_EQ(out, "a a1 stop");
    out.clear();
    EXPECT_EQ(s.tree.Walk(s.b, AppendUntilStop, &out), 1);
    EXPECT_EQ(out, "b b1");
}

TEST(CKTree, RemoveCallsTheFunctionOnTheSubtreeAndReusesItsNodes)
{
    KSampleTree s;
    std::string removed;
    EXPECT_EQ(s.tree.Remove(s.a, AppendName, &removed), 1);
    EXPECT_EQ(removed, "a a1 a1x a2");
    EXPECT_EQ(s.tree.GetCount(), 3);
    EXPECT_EQ(PreOrder(s.tree, nullptr), "b b1 c");
    EXPECT_EQ(s.tree.GetRoot(), s.b);
    EXPECT_EQ(s.tree.GetPrev(s.b), nullptr);
    EXPECT_EQ(s.tree.Remove(nullptr, AppendName, &removed), 0);

    // A zero result ends the walk early, but the whole subtree is still removed.
    Named(s.b, "stop");
    removed.clear();
    EXPECT_EQ(s.tree.Remove(s.b, AppendUntilStop, &removed), 1);
    EXPECT_EQ(removed, "stop");
    EXPECT_EQ(PreOrder(s.tree, nullptr), "c");
    EXPECT_EQ(s.tree.GetCount(), 1);

    // The freed nodes come back zero-filled; no new block is needed.
    int allocated = s.tree.GetNodesAllocated();
    for (int i = 0; i < 6; ++i) {
        KTestNode* item = s.tree.AddChild(s.c);
        EXPECT_EQ(item->name[0], 0);
        EXPECT_EQ(s.tree.GetFirstChild(item), nullptr);
    }
    EXPECT_EQ(s.tree.GetNodesAllocated(), allocated);
    EXPECT_EQ(s.tree.GetCount(), 7);

    // Removing a middle child relinks its siblings.
    KSampleTree t;
    EXPECT_EQ(t.tree.Remove(t.b, nullptr, nullptr), 1);
    EXPECT_EQ(Children(t.tree, nullptr), "a c");
    EXPECT_EQ(t.tree.GetPrev(t.c), t.a);
    EXPECT_EQ(t.tree.Remove(t.a2, nullptr, nullptr), 1);
    EXPECT_EQ(PreOrder(t.tree, nullptr), "a a1 a1x c");
}

TEST(CKTree, SortIsStableInBothDirectionsAndChildrenMoveWithTheirItems)
{
    CTestTree tree;
    KTestNode* two = Named(tree.AddChild(nullptr), "2", 2);
    Named(tree.AddChild(nullptr), "3a", 3);
    Named(tree.AddChild(nullptr), "1", 1);
    Named(tree.AddChild(nullptr), "3b", 3);
    Named(tree.AddChild(two), "2x");

    tree.Sort(nullptr, CompareKeys, 0, nullptr);
    EXPECT_EQ(Children(tree, nullptr), "3a 3b 2 1");
    EXPECT_EQ(PreOrder(tree, nullptr), "3a 3b 2 2x 1");
    tree.Sort(nullptr, CompareKeys, 1, nullptr);
    EXPECT_EQ(Children(tree, nullptr), "1 2 3a 3b");
    EXPECT_EQ(tree.GetPrev(tree.GetRoot()), nullptr);
    EXPECT_EQ(tree.GetPrev(two), tree.GetRoot());
    EXPECT_EQ(tree.GetLastChild(nullptr)->name, std::string("3b"));

    // The same under a parent.
    KTestNode* parent = Named(tree.AddChild(nullptr), "p", 9);
    Named(tree.AddChild(parent), "2", 2);
    Named(tree.AddChild(parent), "3a", 3);
    Named(tree.AddChild(parent), "1", 1);
    Named(tree.AddChild(parent), "3b", 3);
    tree.Sort(parent, CompareKeys, 0, nullptr);
    EXPECT_EQ(Children(tree, parent), "3a 3b 2 1");
    tree.Sort(parent, CompareKeys, 1, nullptr);
    EXPECT_EQ(Children(tree, parent), "1 2 3a 3b");
    EXPECT_EQ(tree.GetParent(tree.GetLastChild(parent)), parent);
    EXPECT_EQ(tree.GetCount(), 10);
}

TEST(CKTree, RemoveAllWalksThenFreesEveryBlock)
{
    KSampleTree s;
    std::string removed;
    s.tree.RemoveAll(AppendName, &removed);
    EXPECT_EQ(removed, "a a1 a1x a2 b b1 c");
    EXPECT_EQ(s.tree.GetCount(), 0);
    EXPECT_EQ(s.tree.GetNodesAllocated(), 0);
    EXPECT_EQ(s.tree.GetRoot(), nullptr);

    KSampleTree t;
    Named(t.a1, "stop");
    removed.clear();
    t.tree.RemoveAll(AppendUntilStop, &removed);
    EXPECT_EQ(removed, "a stop");
    EXPECT_EQ(t.tree.GetCount(), 0);
    EXPECT_EQ(t.tree.GetNodesAllocated(), 0);
    Named(t.tree.AddChild(nullptr), "new");
    EXPECT_EQ(PreOrder(t.tree, nullptr), "new");
    EXPECT_STREQ(t.tree.GetRuntimeClass()->name, "CKTreeT");
    EXPECT_EQ(t.tree.IsKindOf(K_RUNTIME_CLASS(CKTree)), 1);
}

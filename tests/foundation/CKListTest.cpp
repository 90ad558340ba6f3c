// CKList / CKListT: block pool sizes, node reuse, zero-filled items, order and the removal
// functions.
#include <gtest/gtest.h>

#include <vector>

#include "foundation/CKList.h"

namespace {

struct KTestRecord
{
    int value;
    char tag[6];   // makes the record 10 bytes: its item size rounds up to 12
};

void RecordValue(KTestRecord* item, void* context)
{
    ((std::vector<int>*)context)->push_back(item->value);
}

void RecordUntyped(void* item, void* context)
{
    ((std::vector<int>*)context)->push_back(((KTestRecord*)item)->value);
}

std::vector<int> Values(const CKListT<KTestRecord>& list)
{
    std::vector<int> values;
    for (KTestRecord* item = list.GetHead(); item; item = list.GetNext(item))
        values.push_back(item->value);
    return values;
}

void AddValues(CKListT<KTestRecord>& list, std::initializer_list<int> values)
{
    for (int value : values)
        list.AddTail()->value = value;
}

} // namespace

TEST(CKList, BlocksHoldTheRequestedNodesButAtLeastFourAndItemsRoundToFourBytes)
{
    CKList small((int)sizeof(KTestRecord), 2);
    EXPECT_EQ(small.GetItemSize(), 12);
    EXPECT_EQ(small.GetNodesPerBlock(), 4);
    EXPECT_EQ(small.GetNodesAllocated(), 0);
    small.AddTail();
    EXPECT_EQ(small.GetNodesAllocated(), 4);
    for (int i = 0; i < 3; ++i)
        small.AddTail();
    EXPECT_EQ(small.GetNodesAllocated(), 4);
    small.AddTail();
    EXPECT_EQ(small.GetNodesAllocated(), 8);
    EXPECT_EQ(small.GetCount(), 5);

    CKList pool(1, 63);
    EXPECT_EQ(pool.GetItemSize(), 4);
    EXPECT_EQ(pool.GetNodesPerBlock(), 63);
    pool.AddTail();
    EXPECT_EQ(pool.GetNodesAllocated(), 63);
}

TEST(CKList, RemovedNodesAreReusedZeroFilledWithoutNewBlocks)
{
    CKListT<KTestRecord> list(4);
    KTestRecord* items[4];
    for (int i = 0; i < 4; ++i) {
        items[i] = list.AddTail();
        ASSERT_NE(items[i], nullptr);
        EXPECT_EQ(items[i]->value, 0);
        items[i]->value = 100 + i;
        items[i]->tag[5] = 'x';
    }
    EXPECT_EQ(list.Remove(items[2], nullptr, nullptr), 1);
    KTestRecord* again = list.AddTail();
    EXPECT_EQ(again, items[2]);
    EXPECT_EQ(again->value, 0);
    EXPECT_EQ(again->tag[5], 0);
    EXPECT_EQ(list.GetNodesAllocated(), 4);
    EXPECT_EQ(list.GetTail(), again);
    again->value = 7;
    EXPECT_EQ(Values(list), (std::vector<int>{100, 101, 103, 7}));
}

TEST(CKList, KeepsInsertionOrderAndNavigatesHeadToTail)
{
    CKListT<KTestRecord> list;
    EXPECT_EQ(list.GetHead(), nullptr);
    EXPECT_EQ(list.GetTail(), nullptr);
    EXPECT_EQ(list.GetCount(), 0);
    AddValues(list, {1, 2, 3});
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetHead()->value, 1);
    EXPECT_EQ(list.GetTail()->value, 3);
    EXPECT_EQ(list.GetNext(list.GetTail()), nullptr);
    EXPECT_EQ(list.GetNext(nullptr), nullptr);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3}));
}

TEST(CKList, RemoveHeadTailAndAnyItemCallTheFunctionOnceAndReportEmptiness)
{
    CKListT<KTestRecord> list;
    std::vector<int> removed;
    EXPECT_EQ(list.RemoveHead(RecordValue, &removed), 0);
    EXPECT_EQ(list.RemoveTail(RecordValue, &removed), 0);
    EXPECT_EQ(list.Remove(nullptr, RecordValue, &removed), 0);
    EXPECT_TRUE(removed.empty());

    AddValues(list, {1, 2, 3, 4, 5});
    EXPECT_EQ(list.RemoveHead(RecordValue, &removed), 1);
    EXPECT_EQ(list.RemoveTail(RecordValue, &removed), 1);
    EXPECT_EQ(Values(list), (std::vector<int>{2, 3, 4}));
    KTestRecord* middle = list.GetNext(list.GetHead());
    EXPECT_EQ(list.Remove(middle, RecordValue, &removed), 1);
    EXPECT_EQ(Values(list), (std::vector<int>{2, 4}));
    EXPECT_EQ(list.Remove(list.GetHead(), RecordValue, &removed), 1);
    EXPECT_EQ(list.GetHead(), list.GetTail());
    EXPECT_EQ(list.Remove(list.GetTail(), nullptr, nullptr), 1);
    EXPECT_EQ(removed, (std::vector<int>{1, 5, 3, 2}));
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetHead(), nullptr);
    EXPECT_EQ(list.GetTail(), nullptr);

    // The list links correctly again after being emptied by single removals.
    AddValues(list, {8, 9});
    EXPECT_EQ(Values(list), (std::vector<int>{8, 9}));
}

TEST(CKList, RemoveAllCallsTheFunctionHeadToTailThenFreesEveryBlock)
{
    CKListT<KTestRecord> list(4);
    AddValues(list, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(list.GetNodesAllocated(), 8);
    std::vector<int> removed;
    list.RemoveAll(RecordValue, &removed);
    EXPECT_EQ(removed, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetNodesAllocated(), 0);
    EXPECT_EQ(list.GetHead(), nullptr);

    AddValues(list, {7});
    EXPECT_EQ(list.GetNodesAllocated(), 4);
    EXPECT_EQ(Values(list), (std::vector<int>{7}));
    list.RemoveAll(nullptr, nullptr);
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(CKList, UntypedListPassesItemAddressesToTheFunction)
{
    CKList list((int)sizeof(KTestRecord), 4);
    for (int i = 1; i <= 3; ++i)
        ((KTestRecord*)list.AddTail())->value = i;
    std::vector<int> removed;
    EXPECT_EQ(list.RemoveTail(RecordUntyped, &removed), 1);
    list.RemoveAll(RecordUntyped, &removed);
    EXPECT_EQ(removed, (std::vector<int>{3, 1, 2}));
}

TEST(CKList, TypedListHasItsOwnClassRecordOnTheListsChain)
{
    CKListT<KTestRecord> list;
    EXPECT_STREQ(list.GetRuntimeClass()->name, "CKListT");
    EXPECT_EQ(list.GetRuntimeClass()->base, K_RUNTIME_CLASS(CKList));
    EXPECT_EQ(list.IsKindOf(K_RUNTIME_CLASS(CKList)), 1);
    EXPECT_EQ(list.IsKindOf(K_RUNTIME_CLASS(CKObject)), 1);
}

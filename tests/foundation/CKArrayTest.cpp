// CKArray: growth steps, the InsertAt append rule, removal, IndexOf and the unstable selection
// sort.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "foundation/CKArray.h"

namespace {

// A sort key and a label telling equal keys apart.
struct KTestItem
{
    int key;
    char label;
};

int CompareKeys(const void* a, const void* b, void*)
{
    return ((const KTestItem*)a)->key - ((const KTestItem*)b)->key;
}

void RecordKey(void* item, void* context)
{
    ((std::vector<int>*)context)->push_back(((KTestItem*)item)->key);
}

void Fill(CKArray& array, const char* items)
{
    // "2 3a 1 3b": digits are keys, a letter after a digit is the label.
    for (const char* p = items; *p; ++p) {
        if (*p < '0' || *p > '9')
            continue;
        KTestItem* item = (KTestItem*)array.Add();
        item->key = *p - '0';
        item->label = (p[1] >= 'a' && p[1] <= 'z') ? p[1] : 0;
    }
}

std::string Order(const CKArray& array)
{
    std::string order;
    for (int i = 0; i < array.GetCount(); ++i) {
        const KTestItem* item = (const KTestItem*)array.GetAt(i);
        if (!order.empty())
            order += ' ';
        order += (char)('0' + item->key);
        if (item->label)
            order += item->label;
    }
    return order;
}

} // namespace

TEST(CKArray, GrowsInStepsOfTheGrowthStepRaisedToFour)
{
    CKArray array(6, 10);
    EXPECT_EQ(array.GetItemSize(), 8);
    EXPECT_EQ(array.GetGrowBy(), 10);
    EXPECT_EQ(array.GetCapacity(), 0);
    EXPECT_EQ(array.GetAt(0), nullptr);
    array.Add();
    EXPECT_EQ(array.GetCapacity(), 10);
    for (int i = 1; i < 10; ++i)
        array.Add();
    EXPECT_EQ(array.GetCapacity(), 10);
    array.Add();
    EXPECT_EQ(array.GetCount(), 11);
    EXPECT_EQ(array.GetCapacity(), 20);

    CKArray small(4, 1);
    EXPECT_EQ(small.GetGrowBy(), 4);
    EXPECT_EQ(small.Reserve(5), 1);
    EXPECT_EQ(small.GetCapacity(), 8);
    EXPECT_EQ(small.Reserve(3), 1);   // never shrinks
    EXPECT_EQ(small.GetCapacity(), 8);
}

TEST(CKArray, GrowsByStepsWhileSmallThenByHalfKeepingEveryItemInOrder)
{
    // Sixteen steps of 10, then half the capacity at a time, rounded up to a step.
    const std::vector<int> expected = {10,  20,  30,  40,  50,  60,  70,  80,  90,  100, 110,
                                       120, 130, 140, 150, 160, 240, 360, 540, 810, 1220};
    CKArray array((int)sizeof(int), 10);
    std::vector<int> capacities;
    for (int i = 0; i < 1000; ++i) {
        *(int*)array.Add() = i;
        if (capacities.empty() || capacities.back() != array.GetCapacity())
            capacities.push_back(array.GetCapacity());
    }
    EXPECT_EQ(capacities, expected);
    int inOrder = 0;
    while (inOrder < array.GetCount() && *(int*)array.GetAt(inOrder) == inOrder)
        ++inOrder;
    EXPECT_EQ(inOrder, 1000);
    // An explicit reservation still takes what it asks for, rounded to a step.
    EXPECT_EQ(array.Reserve(1301), 1);
    EXPECT_EQ(array.GetCapacity(), 1310);
}

TEST(CKArray, ReserveRefusesSizesBeyondTheAddressableWithoutChange)
{
    CKArray array(64, 4);
    array.Add();
    void* first = array.GetAt(0);
    EXPECT_EQ(array.Reserve(INT_MAX), 0);
    EXPECT_EQ(array.GetCapacity(), 4);
    EXPECT_EQ(array.GetCount(), 1);
    EXPECT_EQ(array.GetAt(0), first);
}

TEST(CKArray, InsertAtOutsideTheRangeAppendsAndNewItemsAreZeroFilled)
{
    CKArray array((int)sizeof(KTestItem), 4);
    Fill(array, "1 2 3");
    KTestItem* appended = (KTestItem*)array.InsertAt(7);
    ASSERT_NE(appended, nullptr);
    EXPECT_EQ(array.IndexOf(appended), 3);
    EXPECT_EQ(appended->key, 0);
    appended->key = 4;
    KTestItem* front = (KTestItem*)array.InsertAt(0);
    front->key = 0;
    KTestItem* middle = (KTestItem*)array.InsertAt(2);
    EXPECT_EQ(middle->key, 0);
    EXPECT_EQ(middle->label, 0);
    middle->key = 9;
    KTestItem* negative = (KTestItem*)array.InsertAt(-5);
    negative->key = 5;
    EXPECT_EQ(array.GetCount(), 7);
    EXPECT_EQ(Order(array), "0 1 9 2 3 4 5");
}

TEST(CKArray, RemoveAtMovesFollowingItemsDownAndRejectsOutOfRange)
{
    CKArray array((int)sizeof(KTestItem), 4);
    Fill(array, "1 2 3 4");
    std::vector<int> removed;
    EXPECT_EQ(array.RemoveAt(-1, RecordKey, &removed), 0);
    EXPECT_EQ(array.RemoveAt(4, RecordKey, &removed), 0);
    EXPECT_EQ(array.RemoveAt(1, RecordKey, &removed), 1);
    EXPECT_EQ(array.RemoveAt(0, nullptr, nullptr), 1);
    EXPECT_EQ(Order(array), "3 4");
    EXPECT_EQ(removed, (std::vector<int>{2}));
    EXPECT_EQ(array.GetCapacity(), 4);
}

TEST(CKArray, RemoveAllCallsFirstToLastAndFreesTheStorage)
{
    CKArray array((int)sizeof(KTestItem), 4);
    Fill(array, "5 6 7 8 9");
    std::vector<int> removed;
    array.RemoveAll(RecordKey, &removed);
    EXPECT_EQ(removed, (std::vector<int>{5, 6, 7, 8, 9}));
    EXPECT_EQ(array.GetCount(), 0);
    EXPECT_EQ(array.GetCapacity(), 0);
    EXPECT_EQ(array.GetAt(0), nullptr);
    Fill(array, "1");
    EXPECT_EQ(array.GetCapacity(), 4);
}

TEST(CKArray, IndexOfAcceptsOnlyItemBoundariesInsideTheStorage)
{
    CKArray array((int)sizeof(KTestItem), 4);
    EXPECT_EQ(array.IndexOf(&array), -1);
    Fill(array, "1 2 3");
    char* second = (char*)array.GetAt(1);
    EXPECT_EQ(array.IndexOf(second), 1);
    EXPECT_EQ(array.IndexOf(second + 1), -1);
    EXPECT_EQ(array.IndexOf((char*)array.GetAt(0) - array.GetItemSize()), -1);
    // Inside the capacity but past the count.
    EXPECT_EQ(array.IndexOf((char*)array.GetAt(2) + array.GetItemSize()), -1);
    EXPECT_EQ(array.IndexOf(nullptr), -1);
}

TEST(CKArray, SortOfTheExampleGivesTheSameOrdersAsAStableSort)
{
    CKArray descending((int)sizeof(KTestItem), 4);
    Fill(descending, "2 3a 1 3b");
    descending.Sort(CompareKeys, 0, nullptr);
    EXPECT_EQ(Order(descending), "3a 3b 2 1");

    CKArray ascending((int)sizeof(KTestItem), 4);
    Fill(ascending, "2 3a 1 3b");
    ascending.Sort(CompareKeys, 1, nullptr);
    EXPECT_EQ(Order(ascending), "1 2 3a 3b");
}

TEST(CKArray, SortSwapsAndSoDoesNotKeepTheOrderOfEqualItems)
{
    // Position 0 takes the 1 from the end, sending 3a behind 3b.
    CKArray ascending((int)sizeof(KTestItem), 4);
    Fill(ascending, "3a 3b 1");
    ascending.Sort(CompareKeys, 1, nullptr);
    EXPECT_EQ(Order(ascending), "1 3b 3a");

    CKArray descending((int)sizeof(KTestItem), 4);
    Fill(descending, "1a 1b 5");
    descending.Sort(CompareKeys, 0, nullptr);
    EXPECT_EQ(Order(descending), "5 1b 1a");

    CKArray empty((int)sizeof(KTestItem), 4);
    empty.Sort(CompareKeys, 1, nullptr);
    EXPECT_EQ(empty.GetCount(), 0);
}

// CKArrayT<T*>: growth by steps and then by half, the returned index, and removal order (last to first in
// RemoveAll, storage kept).
#include <gtest/gtest.h>

#include <vector>

#include "foundation/CKArrayT.h"

namespace {

void RecordPointer(int** slot, void* context)
{
    ((std::vector<int>*)context)->push_back(**slot);
}

std::vector<int> Values(const CKArrayT<int*>& array)
{
    std::vector<int> values;
    for (int i = 0; i < array.GetCount(); ++i)
        values.push_back(*array.GetAt(i));
    return values;
}

} // namespace

TEST(CKArrayT, InsertAtReturnsTheIndexUsedAndAppendsOutsideTheRange)
{
    int v[5] = {0, 1, 2, 3, 4};
    CKArrayT<int*> array(1);
    EXPECT_EQ(array.GetGrowBy(), 4);
    EXPECT_EQ(array.Add(&v[1]), 0);
    EXPECT_EQ(array.InsertAt(-1, &v[3]), 1);
    EXPECT_EQ(array.InsertAt(1, &v[2]), 1);
    EXPECT_EQ(array.InsertAt(99, &v[4]), 3);
    EXPECT_EQ(array.InsertAt(0, &v[0]), 0);
    EXPECT_EQ(Values(array), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(array.GetAt(5), nullptr);
    EXPECT_EQ(array.GetAt(-1), nullptr);
}

TEST(CKArrayT, CapacityGrowsToCountPlusOneRoundedToTheStep)
{
    int value = 0;
    CKArrayT<int*> pages(32);
    EXPECT_EQ(pages.GetCapacity(), 0);
    pages.Add(&value);
    EXPECT_EQ(pages.GetCapacity(), 32);
    for (int i = 1; i < 32; ++i)
        pages.Add(&value);
    EXPECT_EQ(pages.GetCapacity(), 32);
    pages.Add(&value);
    EXPECT_EQ(pages.GetCapacity(), 64);
    EXPECT_EQ(pages.GetCount(), 33);
}

TEST(CKArrayT, PastSixteenStepsGrowsByHalfKeepingEveryPointerInOrder)
{
    std::vector<int> values(2000);
    CKArrayT<int*> array(32);
    std::vector<int> capacities;
    for (int i = 0; i < (int)values.size(); ++i) {
        values[i] = i;
        array.Add(&values[i]);
        if (capacities.empty() || capacities.back() != array.GetCapacity())
            capacities.push_back(array.GetCapacity());
    }
    ASSERT_EQ(capacities.size(), 16u + 4u);
    EXPECT_EQ(capacities[0], 32);
    EXPECT_EQ(capacities[15], 512);
    EXPECT_EQ(std::vector<int>(capacities.begin() + 16, capacities.end()),
              (std::vector<int>{768, 1152, 1728, 2592}));
    EXPECT_EQ(Values(array), values);
}

TEST(CKArrayT, RemoveAtClosesTheGapAndRejectsOutOfRange)
{
    int v[4] = {10, 11, 12, 13};
    CKArrayT<int*> array(4);
    for (int& x : v)
        array.Add(&x);
    std::vector<int> removed;
    EXPECT_EQ(array.RemoveAt(4, RecordPointer, &removed), 0);
    EXPECT_EQ(array.RemoveAt(-1, RecordPointer, &removed), 0);
    EXPECT_EQ(array.RemoveAt(1, RecordPointer, &removed), 1);
    EXPECT_EQ(array.RemoveAt(2, nullptr, nullptr), 1);
    EXPECT_EQ(removed, (std::vector<int>{11}));
    EXPECT_EQ(Values(array), (std::vector<int>{10, 12}));
}

TEST(CKArrayT, RemoveAllCallsFromTheLastSlotToTheFirstAndKeepsTheStorage)
{
    int v[5] = {0, 1, 2, 3, 4};
    CKArrayT<int*> array(4);
    for (int& x : v)
        array.Add(&x);
    std::vector<int> removed;
    array.RemoveAll(RecordPointer, &removed);
    EXPECT_EQ(removed, (std::vector<int>{4, 3, 2, 1, 0}));
    EXPECT_EQ(array.GetCount(), 0);
    EXPECT_EQ(array.GetCapacity(), 8);
    EXPECT_EQ(array.Add(&v[0]), 0);
    EXPECT_EQ(array.GetCapacity(), 8);
    EXPECT_STREQ(array.GetRuntimeClass()->name, "CKArrayT");
    EXPECT_EQ(array.GetRuntimeClass()->base, K_RUNTIME_CLASS(CKObject));
}

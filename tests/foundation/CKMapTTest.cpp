// CKMapT and its string forms: insertion order, duplicate keys, case-sensitive lookups, key
// copies and the removal functions.
#include <gtest/gtest.h>

#include <vector>

#include "foundation/CKMapT.h"

namespace {

void RecordValue(int* value, void* context)
{
    ((std::vector<int>*)context)->push_back(*value);
}

} // namespace

TEST(CKMapStrWT, LookupIsCaseSensitiveAndFindsTheFirstOfDuplicateKeys)
{
    CKMapStrWT<int> map(32);
    EXPECT_EQ(map.GetNodesPerBlock(), 32);
    ASSERT_NE(map.SetAt(L"A.png", 1), nullptr);
    EXPECT_EQ(map.Lookup(L"a.png"), nullptr);
    ASSERT_NE(map.Lookup(L"A.png"), nullptr);
    EXPECT_EQ(*map.Lookup(L"A.png"), 1);

    int* second = map.SetAt(L"A.png", 2);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(*second, 2);
    EXPECT_EQ(map.GetCount(), 2);
    EXPECT_EQ(*map.Lookup(L"A.png"), 1);
    EXPECT_EQ(map.Lookup(L"A.pn"), nullptr);
    EXPECT_EQ(map.Lookup(L"A.png "), nullptr);

    // The value slot returned by SetAt is the one Lookup finds.
    int* slot = map.SetAt(L"b.png", 0);
    *slot = 42;
    EXPECT_EQ(*map.Lookup(L"b.png"), 42);
}

TEST(CKMapStrWT, KeysAreCopiedOnInsertion)
{
    CKMapStrWT<int> map;
    wchar_t key[] = L"Title.png";
    map.SetAt(key, 5);
    key[0] = L'X';
    EXPECT_EQ(map.Lookup(key), nullptr);
    ASSERT_NE(map.Lookup(L"Title.png"), nullptr);
    EXPECT_EQ(*map.Lookup(L"Title.png"), 5);
}

TEST(CKMapStrWT, RemoveTailAndRemoveAllCallTheFunctionWithTheValueInOrder)
{
    CKMapStrWT<int> map;
    for (int i = 1; i <= 4; ++i) {
        wchar_t key[] = {L'k', (wchar_t)(L'0' + i), 0};
        map.SetAt(key, i);
    }
    std::vector<int> removed;
    EXPECT_EQ(map.RemoveTail(RecordValue, &removed), 1);
    EXPECT_EQ(map.Lookup(L"k4"), nullptr);
    map.RemoveAll(RecordValue, &removed);
    EXPECT_EQ(removed, (std::vector<int>{4, 1, 2, 3}));
    EXPECT_EQ(map.GetCount(), 0);
    EXPECT_EQ(map.RemoveTail(RecordValue, &removed), 0);
    EXPECT_EQ(map.Lookup(L"k1"), nullptr);

    map.SetAt(L"k1", 9);
    EXPECT_EQ(*map.Lookup(L"k1"), 9);
    map.RemoveAll(nullptr, nullptr);
}

TEST(CKMapStrAT, ComparesByteByByteAndKeepsDuplicates)
{
    CKMapStrAT<int> map(32);
    map.SetAt("DefButton", 1);
    map.SetAt("DefButton", 2);
    map.SetAt("defbutton", 3);
    map.SetAt("\xE4\xB8\xAD", 4);   // UTF-8 text is only bytes to the map
    EXPECT_EQ(map.GetCount(), 4);
    EXPECT_EQ(*map.Lookup("DefButton"), 1);
    EXPECT_EQ(*map.Lookup("defbutton"), 3);
    EXPECT_EQ(*map.Lookup("\xE4\xB8\xAD"), 4);
    EXPECT_EQ(map.Lookup("DEFBUTTON"), nullptr);
    std::vector<int> removed;
    map.RemoveAll(RecordValue, &removed);
    EXPECT_EQ(removed, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_STREQ(map.GetRuntimeClass()->name, "CKMapStrAT");
    EXPECT_EQ(map.IsKindOf(K_RUNTIME_CLASS(CKList)), 1);
}

TEST(CKMapT, IntegerKeysCompareByDifference)
{
    CKMapT<int, int> map(&KCompareIntKeys, 32);
    map.SetAt(-7, 70);
    map.SetAt(12, 120);
    map.SetAt(-7, 71);
    EXPECT_EQ(*map.Lookup(-7), 70);
    EXPECT_EQ(*map.Lookup(12), 120);
    EXPECT_EQ(map.Lookup(7), nullptr);
    EXPECT_EQ(map.Lookup(0), nullptr);
    std::vector<int> removed;
    EXPECT_EQ(map.RemoveTail(RecordValue, &removed), 1);
    EXPECT_EQ(*map.Lookup(-7), 70);
    EXPECT_EQ(removed, (std::vector<int>{71}));
    EXPECT_EQ(KCompareIntKeys(&removed[0], &removed[0]), 0);
    int a = 3, b = 5;
    EXPECT_EQ(KCompareIntKeys(&a, &b), -2);
}

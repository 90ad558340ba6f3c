// Sorting a list box, by a comparison or by keys, gives exactly the order of the library's
// selection sort, equal items included, checked against a plain selection sort on random lists
// full of equal keys; the
// default order is the first line's character codes, and sorting clears the selection.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "ListBoxTestSupport.h"
#include "controls/CKListBox.h"

namespace {

// Two keys per row, looked up through the row's data (its original index).
struct KRowKeys
{
    int primary;
    int secondary;
};

int ComparePrimary(const KListItem* a, const KListItem* b, void* context)
{
    const KRowKeys* keys = (const KRowKeys*)context;
    return keys[a->userData].primary - keys[b->userData].primary;
}

// The primary key, the secondary key deciding only between equal primary keys.
int CompareBoth(const KListItem* a, const KListItem* b, void* context)
{
    const KRowKeys* keys = (const KRowKeys*)context;
    const int first = ComparePrimary(a, b, context);
    return first ? first : keys[a->userData].secondary - keys[b->userData].secondary;
}

int CompareDescending(const KListItem* a, const KListItem* b, void* context)
{
    return -CompareBoth(a, b, context);
}

// The straightforward selection sort on the original indexes: for each position the first of
// the smallest remaining rows is swapped into it.
std::vector<long long> ReferenceOrder(int count, KListCompareProc compare, const KRowKeys* keys)
{
    std::vector<KListItem> rows(count);
    for (int i = 0; i < count; i++)
        rows[i].userData = i;
    for (int i = 0; i + 1 < count; i++) {
        int choice = i;
        for (int k = i + 1; k < count; k++)
            if (compare(&rows[choice], &rows[k], (void*)keys) > 0)
                choice = k;
        std::swap(rows[i], rows[choice]);
    }
    std::vector<long long> order;
    for (const KListItem& row : rows)
        order.push_back((long long)row.userData);
    return order;
}

} // namespace

TEST(CKListBoxSort, RandomListsWithManyEqualKeysComeOutInTheSelectionSortsExactOrder)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    std::mt19937 random(20240611);
    const KListCompareProc compares[] = {ComparePrimary, CompareBoth, CompareDescending};
    for (int count : {0, 1, 2, 3, 4, 5, 7, 8, 9, 16, 31, 33, 100, 257, 1000}) {
        for (int distinct : {1, 2, 3, 10}) {
            std::vector<KRowKeys> keys(count);
            for (KRowKeys& key : keys)
                key = KRowKeys{(int)(random() % distinct), (int)(random() % 3)};
            for (KListCompareProc compare : compares) {
                CKListBox* list = MakeList(scope, host, KLBS_LIST, count);
                ASSERT_TRUE(list);
                ASSERT_EQ(list->Sort(compare, keys.data()), 1);
                EXPECT_EQ(ItemData(list), ReferenceOrder(count, compare, keys.data()))
                    << count << " rows, " << distinct << " distinct keys";
                // The records moved whole: each row keeps its own text.
                for (int i = 0; i < list->GetCount(); i++)
                    EXPECT_EQ(std::wstring(list->GetItem(i)->text1),
                              L"Row " + std::to_wstring(list->GetItemData(i)));
                list->Destroy();
            }
            // The same order from keys that compare as CompareBoth does.
            std::vector<unsigned long long> rowKeys;
            for (const KRowKeys& key : keys)
                rowKeys.push_back((unsigned long long)(key.primary * 3 + key.secondary));
            CKListBox* list = MakeList(scope, host, KLBS_LIST, count);
            ASSERT_TRUE(list);
            ASSERT_EQ(list->SortByKeys(rowKeys.data()), 1);
            EXPECT_EQ(ItemData(list), ReferenceOrder(count, CompareBoth, keys.data()))
                << count << " rows by keys, " << distinct << " distinct keys";
            list->Destroy();
        }
    }
}

TEST(CKListBoxSort, WithoutAComparisonTheFirstLinesSortByCharacterCodes)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKListBox* list = MakeList(scope, host, KLBS_LIST, 0);
    ASSERT_TRUE(list);
    const wchar_t* const texts[] = {L"b", L"ba", L"b", L"B", L"a", L"", nullptr, L"\x4E2D"};
    for (int i = 0; i < 8; i++) {
        const int index = list->AddItem(0);
        list->SetItemText(index, texts[i], -1, nullptr, 0);
        list->SetItemData(index, i);
    }
    list->SelectItem(2, 0);
    ASSERT_EQ(list->Sort(nullptr, nullptr), 1);
    // The empty text and no text first, upper case before lower case, a prefix before its
    // extensions; the selection sort's swaps put the second "b" before the first.
    EXPECT_EQ(ItemData(list), (std::vector<long long>{5, 6, 3, 4, 2, 0, 1, 7}));
    EXPECT_EQ(list->GetSelectedIndex(), -1);
    for (int i = 0; i < list->GetCount(); i++)
        EXPECT_FALSE(list->GetItem(i)->flags & KSTATE_SELECTED);
    EXPECT_EQ(list->GetItem(7)->y, 7 * ROW);
}

// The list box at the sizes users reach by adding whole music folders, measured through the real
// control: painting one frame while drag-scrolling at the top and at the bottom of a 100,000-row
// list, hit-testing a press there, and sorting 10,000 rows by file name and by artist (checked
// against the library's plain selection sort, which the list box's order must equal).
#include <windows.h>

#include <cstdio>
#include <random>
#include <vector>

#include "KBench.h"
#include "KBenchListBox.h"
#include "app/CLmMediaInfo.h"
#include "app/CLmPlayList.h"
#include "controls/CKListBox.h"
#include "foundation/CKArray.h"
#include "ui/CKApplication.h"

namespace {

constexpr int ROWS = 100000;
constexpr int SORT_ROWS = 10000;
// The player list's window flags: repaint on change, tab stop, vertical scrolling, double
// presses, opaque.
constexpr unsigned int LIST_FLAGS =
    KWF_REPAINT_ON_CHANGE | KWF_TABSTOP | KWF_VSCROLL | KWF_DBLCLK | KWF_OPAQUE;

// The application object the frame window belongs to.
class CBenchApp : public CKApplication
{
public:
    CBenchApp() : CKApplication(GetModuleHandleW(nullptr), L"") {}
};

CKListBox* CreateList(int rows)
{
    CKListBox* list = new CKListBox();
    list->EnableRefCount();
    list->AddRef();
    if (!list->Create(KLBS_SWIPE, 1, nullptr, LIST_FLAGS)) {
        list->Release();
        return nullptr;
    }
    list->Move(RECT{0, 0, 320, 480});
    list->SetRedraw(0);
    for (int i = 0; i < rows; i++) {
        wchar_t title[48];
        wchar_t artist[48];
        // Texts of one length at every index, so that rows cost the same to draw anywhere.
        wsprintfW(title, L"%06d Track title of row %06d", i, i);
        wsprintfW(artist, L"Artist %02d - Album %02d", i % 97, i % 13);
        const int index = list->AddItem(0);
        list->SetItemText(index, title, -1, artist, -1);
    }
    list->SetRedraw(1);
    return list;
}

void BenchScrolling()
{
    printf("List box of %d rows, 320 x 480: drag-scrolling and hit-testing\n", ROWS);
    const double begin = NowMs();
    CKListBox* list = CreateList(ROWS);
    if (!list) {
        printf("  the list box could not be created (no display?)\n");
        return;
    }
    PrintFigure("filling 100,000 rows with redraw off, then one layout", NowMs() - begin, "ms");
    const int bottom = BottomScrollPos(list);
    PrintFigure("one frame while drag-scrolling at the top", DragFrames(list, 0, -1), "ms");
    PrintFigure("one frame while drag-scrolling at the bottom", DragFrames(list, bottom, 1), "ms");
    PrintFigure("HitTest at the top", HitTests(list, 0), "ns");
    PrintFigure("HitTest at the bottom", HitTests(list, bottom), "ns");
    PrintFigure("press and release on a row at the top", Taps(list, 0), "us");
    PrintFigure("press and release on a row at the bottom", Taps(list, bottom), "us");
    list->Destroy();
    list->Release();
}

// ---- Sorting ------------------------------------------------------------------------------------

int ByFileName(const KListItem* a, const KListItem* b, void*)
{
    return CompareByFileName((const CKMediaInfo*)a->userData, (const CKMediaInfo*)b->userData);
}

int ByArtist(const KListItem* a, const KListItem* b, void*)
{
    return CompareByArtist((const CKMediaInfo*)a->userData, (const CKMediaInfo*)b->userData);
}

// Records with many equal keys: 2,000 titles, 40 artists and 60 albums, a tenth of them empty.
std::vector<CLmMediaInfo*> MakeRecords()
{
    std::mt19937 random(7);
    std::vector<CLmMediaInfo*> records;
    for (int i = 0; i < SORT_ROWS; i++) {
        CLmMediaInfo* info = NewMediaInfo();
        info->AddRef();
        wchar_t text[64];
        wsprintfW(text, L"Song %d", (int)(random() % 2000));
        info->SetTitle(text);
        if (random() % 10) {
            wsprintfW(text, (random() % 2) ? L"artist %d" : L"ARTIST %d", (int)(random() % 40));
            info->SetArtist(text);
        }
        if (random() % 10) {
            wsprintfW(text, L"Album %d", (int)(random() % 60));
            info->SetAlbum(text);
        }
        records.push_back(info);
    }
    return records;
}

void Fill(CKListBox* list, const std::vector<CLmMediaInfo*>& records)
{
    list->SetRedraw(0);
    list->RemoveAllItems();
    for (CLmMediaInfo* info : records)
        list->SetItemData(list->AddItem(0), (INT_PTR)info);
    list->SetRedraw(1);
}

// The library's selection sort on the same rows: the order the list box must reproduce.
std::vector<INT_PTR> SelectionSortOrder(const std::vector<CLmMediaInfo*>& records,
                                        KListCompareProc compare, double* ms)
{
    CKArray rows(sizeof(KListItem), 32);
    for (CLmMediaInfo* info : records)
        ((KListItem*)rows.Add())->userData = (INT_PTR)info;
    KTypedCompare<KListItem> typed = {compare, nullptr};
    const double begin = NowMs();
    rows.Sort(KTypedCompare<KListItem>::Call, 1, &typed);
    *ms = NowMs() - begin;
    std::vector<INT_PTR> order;
    for (int i = 0; i < rows.GetCount(); i++)
        order.push_back(((KListItem*)rows.GetAt(i))->userData);
    return order;
}

void BenchSort(CKListBox* list, const std::vector<CLmMediaInfo*>& records,
               KListCompareProc compare, const char* what)
{
    Fill(list, records);
    const double begin = NowMs();
    list->Sort(compare, nullptr);
    const double ms = NowMs() - begin;
    char label[96];
    snprintf(label, sizeof(label), "Sort by %s", what);
    PrintFigure(label, ms, "ms");
    double reference = 0;
    const std::vector<INT_PTR> expected = SelectionSortOrder(records, compare, &reference);
    bool same = (int)expected.size() == list->GetCount();
    for (int i = 0; same && i < list->GetCount(); i++)
        same = list->GetItemData(i) == expected[i];
    snprintf(label, sizeof(label), "  library selection sort by %s (reference)", what);
    PrintFigure(label, reference, "ms");
    printf("  same order as the selection sort: %s\n", same ? "yes" : "NO");
}

void BenchSorting()
{
    printf("Sorting %d rows with many equal keys\n", SORT_ROWS);
    CKListBox* list = CreateList(0);
    if (!list)
        return;
    std::vector<CLmMediaInfo*> records = MakeRecords();
    BenchSort(list, records, ByFileName, "file name");
    BenchSort(list, records, ByArtist, "artist, album, title");
    list->Destroy();
    list->Release();
    for (CLmMediaInfo* info : records)
        info->Release();
}

} // namespace

int main()
{
    KBenchLibrary library;
    CBenchApp app;
    app.InitInstance();
    BenchScrolling();
    BenchSorting();
    PrintFigure("peak memory", PeakMemoryMiB(), "MiB");
    return 0;
}

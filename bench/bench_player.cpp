// The player page at the sizes users reach by adding whole music folders, measured through the real
// page: start-up to the painted page over a "PlayList.txt" of 120,000 records (a selected playlist
// of 100,000), one frame while drag-scrolling its list at the top and at the bottom, hit-testing
// there, adding 10,000 files with the duplicate test, and sorting 10,000 rows by file name and by
// artist (each sort rewrites the whole file, as the program does).
#include <windows.h>

#include <cstdio>
#include <string>

#include "KBench.h"
#include "KBenchListBox.h"
#include "KBenchPlayerPage.h"
#include "app/CLmPlayListCtrl.h"
#include "app/CPlayerView.h"
#include "foundation/KPaths.h"

namespace {

constexpr int BIG_LIST = 100000;
constexpr int SORT_LIST = 10000;
constexpr int ADDED_FILES = 10000;

const wchar_t* const ARTISTS[] = {L"周杰伦", L"The Beatles", L"王菲", L"Miles Davis", L"",
                                  L"Radiohead", L"邓丽君", L"björk"};
const wchar_t* const ALBUMS[] = {L"Live", L"", L"精选 Best", L"Gold", L"live"};

// One record line: measured, tagged, with titles that repeat (many equal keys for the sorts).
void AppendRecord(std::wstring& text, const wchar_t* folder, int i)
{
    wchar_t line[512];
    wsprintfW(line, L"#D:\\Music\\%s\\%05d Track.mp3\xFFFD%d\xFFFDSong %d\xFFFD%s\xFFFD%s\xFFFD\n",
              folder, i, 180000 + i % 5000, i % 700, ALBUMS[i % 5], ARTISTS[(i / 3) % 8]);
    text += line;
}

// "PlayList.txt" with the 100,000-record list "All" (selected), the empty list "New" and the
// 10,000-record list "Sort"; UTF-16LE with its mark.
bool WritePlayList(const wchar_t* path)
{
    std::wstring text = L"\xFEFF\n@All\n";
    for (int i = 0; i < BIG_LIST; i++)
        AppendRecord(text, L"All", i);
    text += L"\n@New\n\n@Sort\n";
    for (int i = 0; i < SORT_LIST; i++)
        AppendRecord(text, L"Sort", (i * 7919) % SORT_LIST);
    text += L"\n";
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const DWORD bytes = (DWORD)(text.size() * sizeof(wchar_t));
    const BOOL ok = WriteFile(file, text.data(), bytes, &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes;
}

void SelectList(CPlayerContainer* container, int index)
{
    container->GetPlayListCtrl()->SelectPlayListByIndex(index);
    container->RefreshTitle();
    container->ReloadList();
}

void BenchScrolling(CMediaListBox* list)
{
    printf("The player list of %d rows: drag-scrolling and hit-testing\n", list->GetCount());
    const int bottom = BottomScrollPos(list);
    PrintFigure("one frame while drag-scrolling at the top", DragFrames(list, 0, -1), "ms");
    PrintFigure("one frame while drag-scrolling at the bottom", DragFrames(list, bottom, 1), "ms");
    PrintFigure("HitTest at the top", HitTests(list, 0), "ns");
    PrintFigure("HitTest at the bottom", HitTests(list, bottom), "ns");
    PrintFigure("press and release on a row at the bottom", Taps(list, bottom), "us");
}

// AddFile of ADDED_FILES new files, then of the same files in other capitals (all duplicates),
// between BeginAddFiles and EndAddFiles; the figures name `where`.
void AddFiles(CPlayerContainer* container, const char* where)
{
    double begin = NowMs();
    container->BeginAddFiles();
    for (int i = 0; i < ADDED_FILES; i++) {
        wchar_t path[128];
        wsprintfW(path, L"E:\\Folder %d\\Track %05d.mp3", i % 40, i);
        container->AddFile(path);
    }
    for (int i = 0; i < ADDED_FILES; i++) {
        wchar_t path[128];
        wsprintfW(path, L"e:\\FOLDER %d\\TRACK %05d.MP3", i % 40, i);
        container->AddFile(path);
    }
    const double added = NowMs() - begin;
    begin = NowMs();
    container->EndAddFiles(0);
    const double ended = NowMs() - begin;
    char label[128];
    snprintf(label, sizeof(label), "AddFile of 10,000 new and 10,000 duplicate files, %s", where);
    PrintFigure(label, added, "ms");
    snprintf(label, sizeof(label), "EndAddFiles (layout and repaint), %s", where);
    PrintFigure(label, ended, "ms");
}

void BenchAdding(CPlayerContainer* container)
{
    printf("Adding %d files (each path tested against the rows shown)\n", ADDED_FILES);
    SelectList(container, 1);
    AddFiles(container, "to the empty list");
    SelectList(container, 0);
    AddFiles(container, "to the 100,000-row list");
    const double begin = NowMs();
    container->GetPlayListCtrl()->SavePlayLists();
    PrintFigure("saving PlayList.txt with 140,000 records", NowMs() - begin, "ms");
    PrintFigure("rows of the big list after adding", container->GetListBox()->GetCount(), "");
}

void BenchSorting(CPlayerContainer* container)
{
    printf("Sorting the list \"Sort\" of %d rows (then writing PlayList.txt)\n", SORT_LIST);
    SelectList(container, 2);
    const char* const names[] = {"SortPlayList by file name", "SortPlayList by file name, descending",
                                 "SortPlayList by artist", "SortPlayList by artist, descending"};
    for (int i = 0; i < 4; i++) {
        const double begin = NowMs();
        container->SortPlayList(i / 2, i % 2);
        PrintFigure(names[i], NowMs() - begin, "ms");
    }
}

} // namespace

int main()
{
    KBenchLibrary library;
    KBenchPlayerApp app;
    wchar_t path[KMAX_PATH];
    MakeModulePath(path, L"bench-player-PlayList.txt");
    if (!WritePlayList(path)) {
        printf("  the playlist file could not be written\n");
        return 1;
    }

    printf("Start-up of the player page over PlayList.txt with 120,000 records\n");
    const double begin = NowMs();
    CPlayerView* view = StartPlayerPage(path);
    if (!view) {
        printf("  the page could not be shown (no display?)\n");
        return 1;
    }
    PrintFigure("start-up to the painted player page", NowMs() - begin, "ms");
    CPlayerContainer* container = view->GetPlayerContainer();
    PrintFigure("rows shown", container->GetListBox()->GetCount(), "");
    double reload = NowMs();
    container->ReloadList();
    PrintFigure("of which ReloadList of the 100,000 rows", NowMs() - reload, "ms");
    reload = NowMs();
    container->GetPlayListCtrl()->LoadPlayLists();
    PrintFigure("of which LoadPlayLists", NowMs() - reload, "ms");
    container->ReloadList();

    BenchScrolling(container->GetListBox());
    BenchAdding(container);
    BenchSorting(container);
    PrintFigure("peak memory", PeakMemoryMiB(), "MiB");

    DeleteFileW(path);
    return 0;
}

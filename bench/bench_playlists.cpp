// The playlist file at the sizes a very large library reaches: loading 100,000 records in one list
// with the program's reader and with a minimal loader of the same file (one read, lines and fields
// split, one block per record), the two taking turns in one run; loading and saving 1,000,000.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "KBench.h"
#include "KBenchPlayList.h"
#include "app/CLmPlayListFile.h"
#include "app/LmSettings.h"
#include "foundation/KPaths.h"

namespace {

constexpr int LOAD_RECORDS = 100000;
constexpr int LOAD_ROUNDS = 7;
constexpr double LOAD_FACTOR_TARGET = 2.0;
constexpr int BIG_RECORDS = 1000000;
constexpr int BIG_ROUNDS = 3;
constexpr double SAVE_TARGET_MS = 1500;

// The program's reader into playlists of their own, as the playlist panel fills its collection.
class CLoadedLists
{
public:
    ~CLoadedLists() { Clear(); }

    int Load(const wchar_t* path)
    {
        CLmPlayListFile::Read(path, &CLoadedLists::AddList, this);
        int records = 0;
        for (CLmPlayList* list : lists)
            records += list->GetCount();
        return records;
    }
    void Clear()
    {
        for (CLmPlayList* list : lists)
            delete list;
        lists.clear();
    }
    const std::vector<CLmPlayList*>& Lists() const { return lists; }

private:
    static CLmPlayList* AddList(const wchar_t* name, void* context)
    {
        CLmPlayList* list = new CLmPlayList();
        list->SetName(name);
        static_cast<CLoadedLists*>(context)->lists.push_back(list);
        return list;
    }

    std::vector<CLmPlayList*> lists;   // owned
};

void PrintMedian(const char* what, const std::vector<double>& times)
{
    char label[128];
    snprintf(label, sizeof(label), "%s, median", what);
    PrintFigure(label, Median(times), "ms");
    snprintf(label, sizeof(label), "%s, spread (max - min)", what);
    PrintFigure(label, Spread(times), "ms");
}

void BenchLoad(const wchar_t* path)
{
    printf("Load of %d records in one list: the program's reader and the minimal loader in turn, "
           "%d rounds\n", LOAD_RECORDS, LOAD_ROUNDS);
    std::vector<double> program, minimal, ratios;
    int programRecords = 0, minimalRecords = 0;
    for (int round = 0; round < LOAD_ROUNDS; round++) {
        CLoadedLists lists;
        double begin = NowMs();
        programRecords = lists.Load(path);
        program.push_back(NowMs() - begin);
        lists.Clear();
        KMinimalLoader loader;
        begin = NowMs();
        minimalRecords = loader.Load(path);
        minimal.push_back(NowMs() - begin);
        loader.Free();
        ratios.push_back(program.back() / minimal.back());
    }
    PrintMedian("program's reader (CLmPlayListFile::Read)", program);
    PrintMedian("minimal loader", minimal);
    PrintFigure("program's reader / minimal loader, median of the rounds", Median(ratios), "x");
    printf("  target: at most %.1f x: %s (records read %d and %d)\n", LOAD_FACTOR_TARGET,
           Median(ratios) <= LOAD_FACTOR_TARGET ? "met" : "missed", programRecords,
           minimalRecords);
}

void BenchBig(const wchar_t* path)
{
    printf("%d records in one list: load, then save as the program saves (%d rounds)\n",
           BIG_RECORDS, BIG_ROUNDS);
    std::vector<double> loads, saves;
    for (int round = 0; round < BIG_ROUNDS; round++) {
        CLoadedLists lists;
        double begin = NowMs();
        const int records = lists.Load(path);
        loads.push_back(NowMs() - begin);
        if (records != BIG_RECORDS)
            printf("  %d records read\n", records);
        begin = NowMs();
        CLmPlayListFile file;
        bool saved = file.Open(path);
        for (const CLmPlayList* list : lists.Lists())
            file.Write(list);
        saved = saved && file.Commit();
        saves.push_back(NowMs() - begin);
        if (!saved)
            printf("  the file could not be saved\n");
    }
    PrintMedian("load PlayList.txt, 1,000,000 records", loads);
    PrintMedian("save PlayList.txt, 1,000,000 records", saves);
    printf("  target: save under %.0f ms: %s\n", SAVE_TARGET_MS,
           Median(saves) < SAVE_TARGET_MS ? "met" : "missed");
}

} // namespace

int main()
{
    KBenchLibrary library;
    LmSettings::LoadSettings();
    wchar_t path[KMAX_PATH];
    MakeModulePath(path, L"bench-PlayList.txt");
    if (!WriteBenchPlayList(path, {{L"音乐库", LOAD_RECORDS, 0}})) {
        printf("  the playlist file could not be written\n");
        return 1;
    }
    BenchLoad(path);
    if (!WriteBenchPlayList(path, {{L"音乐库", BIG_RECORDS, 0}})) {
        printf("  the playlist file could not be written\n");
        return 1;
    }
    BenchBig(path);
    PrintFigure("peak memory", PeakMemoryMiB(), "MiB");
    DeleteFileW(path);
    LmSettings::SaveAndCloseSettings();
    return 0;
}

// Playlist file and duplicate test at the sizes users reach by adding whole music folders:
// "PlayList.txt" with 10 playlists and 100,000 records loaded and saved, and 10,000 new files added
// to a list of 10,000 with the duplicate test.
#include <windows.h>

#include <cstdio>
#include <string>

#include "KBench.h"
#include "app/CLmPathIndex.h"
#include "app/CLmPlayListCtrl.h"
#include "app/LmSettings.h"
#include "foundation/KPaths.h"

namespace {

const wchar_t* const ARTISTS[] = {L"周杰伦", L"The Beatles", L"王菲", L"Miles Davis", L"陈奕迅",
                                  L"Radiohead", L"邓丽君", L"Björk"};
const wchar_t* const FOLDERS[] = {L"华语流行", L"Jazz Classics", L"摇滚 Rock", L"Live 现场",
                                  L"Soundtracks 原声"};

std::wstring TrackPath(int list, int track)
{
    wchar_t path[200];
    wsprintfW(path, L"D:\\Music\\%s\\%s - 第%d张专辑\\%03d %s Track %d.mp3", FOLDERS[list % 5],
              ARTISTS[track % 8], track / 12 + 1, track % 12 + 1, ARTISTS[(track + list) % 8], track);
    return path;
}

void FillCollection(CLmPlayListCtrl& lists, int playlistCount, int recordsPerList)
{
    for (int l = 0; l < playlistCount; l++) {
        wchar_t name[64];
        wsprintfW(name, L"播放列表 %d", l + 1);
        CLmPlayList* list = lists.AddPlayList(name);
        for (int t = 0; t < recordsPerList; t++) {
            CLmMediaInfo* info = NewMediaInfoForFile(TrackPath(l, t).c_str());
            info->SetDuration(180000 + t);
            info->SetArtist(ARTISTS[t % 8]);
            info->SetAlbum(L"专辑 Album");
            list->Add(info);
        }
    }
}

} // namespace

int main()
{
    KBenchLibrary library;
    LoadSettings();
    wchar_t path[KMAX_PATH];
    MakeModulePath(path, L"bench-PlayList.txt");
    printf("Playlists (10 lists, 100,000 records):\n");
    {
        CLmPlayListCtrl lists(path);
        lists.Initialize(0);
        FillCollection(lists, 10, 10000);
        double start = NowMs();
        lists.SavePlayLists();
        PrintFigure("save PlayList.txt, 100,000 records", NowMs() - start, "ms");
    }
    {
        CLmPlayListCtrl lists(path);
        lists.Initialize(0);
        double start = NowMs();
        lists.LoadPlayLists();
        PrintFigure("load PlayList.txt, 100,000 records", NowMs() - start, "ms");
        int records = 0;
        for (int i = 0; i < lists.GetPlayListCount(); i++)
            records += lists.PlayListAt(i)->GetCount();
        PrintFigure("records loaded", records, "");
    }
    {
        CLmPlayListCtrl lists(path);
        lists.Initialize(0);
        FillCollection(lists, 1, 10000);
        CLmPlayList* list = lists.PlayListAt(lists.GetPlayListCount() - 1);
        double start = NowMs();
        CLmPathIndex index;
        for (int i = 0; i < list->GetCount(); i++)
            index.Add(list->GetAt(i)->GetPath());
        int added = 0;
        for (int t = 5000; t < 15000; t++) {   // half of them are already in the list
            std::wstring file = TrackPath(0, t);
            if (index.Contains(file.c_str()))
                continue;
            if (list->AddFile(file.c_str())) {
                index.Add(file.c_str());
                added++;
            }
        }
        PrintFigure("add 10,000 files to a list of 10,000 (duplicate test)", NowMs() - start, "ms");
        PrintFigure("files added (5,000 were duplicates)", added, "");
    }
    PrintFigure("peak memory", PeakMemoryMiB(), "MiB");
    DeleteFileW(path);
    SaveAndCloseSettings();
    return 0;
}

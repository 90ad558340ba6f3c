// Reading tags and lengths of a large folder, through the real probe of the player page: 2,000
// MP3 files tagged in ID3v2 (UTF-16, Chinese and Latin names) added unmeasured to the list, timed
// from the page's start to the last row measured, with the longest single message the window
// handled meanwhile (what a user's click would wait for). Beside it: one file through the tag
// reader (median and spread), and the media-graph measuring it replaces, timed on a sample and
// scaled to the whole folder. Last, a gigabyte of zeros named .mp3: refused by its header, against
// what the media graph spends on it.
#include <windows.h>

#include <mpegfile.h>
#include <id3v2tag.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "KBench.h"
#include "KBenchPlayerPage.h"
#include "app/CLmMediaInfo.h"
#include "app/CPlayerContainer.h"
#include "app/CPlayerView.h"
#include "foundation/KPaths.h"
#include "media/CKMediaInfo.h"
#include "media/CKMediaPlayer.h"
#include "media/CKTagReader.h"

namespace {

constexpr int FILES = 2000;
constexpr int GRAPH_SAMPLE = 40;           // files measured by the media graph for the baseline
constexpr double PASS_TIMEOUT_MS = 600000;

const wchar_t* const ARTISTS[] = {L"邓丽君", L"周杰伦", L"The Beatles", L"王菲", L"Miles Davis",
                                  L"Björk"};
const wchar_t* const ALBUMS[] = {L"淡淡幽情", L"Abbey Road", L"十一月的萧邦", L"Kind of Blue"};

std::wstring FilePath(const std::wstring& folder, int i)
{
    return folder + L"Track " + std::to_wstring(i) + L".mp3";
}

// Copies the encoded tone once per file and tags each copy in ID3v2.4 with TagLib.
bool MakeFolder(const std::wstring& source, const std::wstring& folder)
{
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < FILES; i++) {
        const std::wstring path = FilePath(folder, i);
        if (!CopyFileW(source.c_str(), path.c_str(), FALSE))
            return false;
        TagLib::MPEG::File file(path.c_str());
        TagLib::ID3v2::Tag* tag = file.ID3v2Tag(true);
        tag->setTitle((L"第 " + std::to_wstring(i) + L" 首 Song").c_str());
        tag->setArtist(ARTISTS[i % 6]);
        tag->setAlbum(ALBUMS[i % 4]);
        if (!file.save())
            return false;
    }
    return true;
}

// "PlayList.txt" with one list of the files, none measured (as the add path leaves them).
bool WritePlayList(const wchar_t* path, const std::wstring& folder)
{
    std::wstring text = L"\xFEFF\n@Folder\n";
    for (int i = 0; i < FILES; i++)
        text += L"#" + FilePath(folder, i) + L"\xFFFD" L"0\xFFFD" L"Track " + std::to_wstring(i)
                + L"\xFFFD\xFFFD\xFFFD\n";
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

bool AllMeasured(CMediaListBox* list)
{
    for (int i = list->GetCount() - 1; i >= 0; i--)
        if (list->GetRecord(i)->GetDuration() == KMEDIA_DURATION_UNMEASURED)
            return false;
    return true;
}

// The probe pass: from the page's start until every row is measured, running the message loop
// as Lumo.exe does and timing every message it handles.
void BenchPass(const wchar_t* playList)
{
    printf("The probe of the player page over %d tagged MP3 files\n", FILES);
    const double begin = NowMs();
    CPlayerView* view = StartPlayerPage(playList);
    if (!view) {
        printf("  the page could not be shown (no display?)\n");
        return;
    }
    CMediaListBox* list = view->GetPlayerContainer()->GetListBox();
    double longest = 0;
    MSG msg;
    while (!AllMeasured(list) && NowMs() - begin < PASS_TIMEOUT_MS) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            continue;
        }
        const double start = NowMs();
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        longest = std::max(longest, NowMs() - start);
    }
    PrintFigure("whole pass, page start to the last row measured", NowMs() - begin, "ms");
    PrintFigure("longest message handled during the pass", longest, "ms");
    int tagged = 0;
    for (int i = 0; i < list->GetCount(); i++)
        tagged += list->GetRecord(i)->GetArtist().GetLength() > 0 ? 1 : 0;
    PrintFigure("rows showing an artist from the tags", tagged, "rows");
}

// One file's tags and length through the reader, every file once: median and spread.
void BenchReader(const std::wstring& folder)
{
    printf("One file through the tag reader (%d files, each once)\n", FILES);
    CKTagReader reader;
    std::vector<double> times;
    for (int i = 0; i < FILES; i++) {
        CKMediaInfo info;
        const double start = NowMs();
        reader.Read(FilePath(folder, i).c_str(), &info);
        times.push_back(NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    PrintFigure("tags and length of one file, median", times[FILES / 2], "ms");
    PrintFigure("tags and length of one file, 10th percentile", times[FILES / 10], "ms");
    PrintFigure("tags and length of one file, 90th percentile", times[FILES * 9 / 10], "ms");
}

// The media graph the probe used for every file before, on a sample.
void BenchGraph(const std::wstring& folder)
{
    printf("The media graph measuring the same files (%d of them)\n", GRAPH_SAMPLE);
    CKMediaPlayer player;
    player.Create(nullptr, 0);
    std::vector<double> times;
    for (int i = 0; i < GRAPH_SAMPLE; i++) {
        CKMediaInfo info;
        const double start = NowMs();
        player.ProbeDuration(FilePath(folder, i).c_str(), &info);
        times.push_back(NowMs() - start);
    }
    player.Destroy();
    std::sort(times.begin(), times.end());
    const double median = times[GRAPH_SAMPLE / 2];
    PrintFigure("media graph for one file, median", median, "ms");
    PrintFigure("media graph for 2,000 files (median x 2,000)", median * FILES, "ms");
}

// A gigabyte of zeros named .mp3 (sparse): the reader and Open refuse it; the graph searched it.
void BenchZeros(const std::wstring& folder)
{
    printf("A gigabyte of zeros named .mp3\n");
    const std::wstring path = folder + L"zeros.mp3";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = 1LL << 30;
    SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    CKTagReader reader;
    CKMediaInfo info;
    double start = NowMs();
    const int result = reader.Read(path.c_str(), &info);
    PrintFigure("tag reader refuses it (no audio signature)", NowMs() - start, "ms");
    CKMediaPlayer player;
    player.Create(nullptr, 0);
    start = NowMs();
    const int opened = player.Open(path.c_str());
    PrintFigure("Open refuses it", NowMs() - start, "ms");
    start = NowMs();
    player.ProbeDuration(path.c_str(), &info);
    PrintFigure("the media graph on it (what every start cost before)", NowMs() - start, "ms");
    player.Destroy();
    if (result != KTAG_NOT_AUDIO || opened)
        printf("  unexpected: reader %d, Open %d\n", result, opened);
    DeleteFileW(path.c_str());
}

} // namespace

int main()
{
    KBenchLibrary library;
    KBenchPlayerApp app;
    wchar_t folderPath[KMAX_PATH];
    MakeModulePath(folderPath, L"bench-tags\\");
    const std::wstring folder = folderPath;
    wchar_t source[KMAX_PATH];
    MakeModulePath(source, L"media\\bench-tone.mp3");
    printf("Tagging %d copies of a 5-second MP3 ...\n", FILES);
    if (!MakeFolder(source, folder)) {
        printf("  the files could not be made (is media\\bench-tone.mp3 there?)\n");
        return 1;
    }
    wchar_t playList[KMAX_PATH];
    MakeModulePath(playList, L"bench-tags-PlayList.txt");
    if (!WritePlayList(playList, folder)) {
        printf("  the playlist file could not be written\n");
        return 1;
    }

    BenchPass(playList);
    BenchReader(folder);
    BenchGraph(folder);
    BenchZeros(folder);
    PrintFigure("peak memory", PeakMemoryMiB(), "MiB");

    for (int i = 0; i < FILES; i++)
        DeleteFileW(FilePath(folder, i).c_str());
    RemoveDirectoryW(folder.c_str());
    DeleteFileW(playList);
    return 0;
}

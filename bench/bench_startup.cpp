// Start-up as the user waits for it: from the moment the process is asked for to the painted player
// page, over a "PlayList.txt" of 0, 10,000, 100,000 and 1,000,000 records in one list.
//
// The program runs in two roles. Started plainly it is the measurer: it writes one folder per size
// beside itself (a copy of this program and the playlist file), then starts the copies one after
// the other, the sizes alternating round after round, and prints medians and spreads. Started with
// "--child <clock>" it is Lumo: the same steps as Lumo.exe's entry (the library, the application
// object, its loop, the start-up picture, its delay and the pages) with clock marks between them,
// taken on the clock the measurer read just before it asked for the process, so the phases of one
// run add up to its total. Between the rounds the measurer also times the minimal loader on the
// 100,000-record file, the baseline of the start-up target.
//
// Where the phases end: "picture painted" and "player page painted" are the first moments the
// thread has no paint left to do (a thread timer due by then is only delivered once every window
// has painted), so they include every window's first paint; "page built" ends when the loop takes
// the first paint after the pages were created.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "KBench.h"
#include "KBenchPlayList.h"
#include "app/CLumoApp.h"
#include "media/KLibrary.h"
#include "ui/CKStartupView.h"

namespace {

const int SIZES[] = {0, 10000, 100000, 1000000};
constexpr int SIZE_COUNT = (int)(sizeof(SIZES) / sizeof(SIZES[0]));
// The size whose start-up is held against the empty one plus the minimal loader.
constexpr int LOADER_SIZE_INDEX = 2;
constexpr int ROUNDS = 5;
// A run that has not painted by then is reported as failed.
constexpr DWORD CHILD_TIMEOUT_MS = 180000;
constexpr char CHILD_SWITCH[] = "--child";
constexpr wchar_t RESULT_FILE[] = L"startup-result.txt";
constexpr wchar_t CHILD_EXE[] = L"bench_startup.exe";
// Targets.
constexpr double MILLION_TARGET_MS = 3000;
constexpr double EMPTY_FACTOR = 1.2;
constexpr double BYTES_PER_RECORD_TARGET = 400;

// The clock marks of one run, in order; each phase runs from one mark to the next.
enum KMark
{
    MARK_ASKED,         // the measurer is about to create the process
    MARK_MAIN,          // the program's entry runs
    MARK_LIBRARY,       // the library is started
    MARK_APP,           // the application object exists (density fitted, page table)
    MARK_INIT,          // frame window, settings and the start-up picture made and shown
    MARK_PICTURE,       // the picture has painted
    MARK_PAGES_BEGIN,   // its delay is over: the pages are being created
    MARK_PAGES_END,     // the four pages exist
    MARK_FIRST_PAINT,   // the player page took the picture's window, read its lists and is built
    MARK_PAINTED,       // the player page has painted
    MARK_COUNT
};
const char* const PHASES[MARK_COUNT - 1] = {
    "process start",
    "library start",
    "application object",
    "frame window, settings and picture",
    "picture painted",
    "picture's delay",
    "pages created",
    "player page built (lists read, rows made)",
    "player page painted",
};

// ---- The child: Lumo with clock marks -------------------------------------------------------------

double g_marks[MARK_COUNT];
UINT_PTR g_idleTimer;
HHOOK g_messageHook;
KMark g_waitingFor = MARK_PICTURE;

void WriteResultAndExit()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    wcscpy(wcsrchr(path, L'\\') + 1, RESULT_FILE);
    FILE* out = _wfopen(path, L"w");
    if (out) {
        for (double mark : g_marks)
            fprintf(out, "%.3f ", mark - g_marks[MARK_ASKED]);
        fprintf(out, "%.0f %.0f\n", (double)counters.PeakWorkingSetSize,
                (double)counters.PeakPagefileUsage);
        fclose(out);
    }
    // Nothing after the painted page is measured: the teardown of a million records is skipped.
    ExitProcess(0);
}

// Delivered only when the thread has nothing posted and nothing to paint.
void CALLBACK OnIdle(HWND, UINT, UINT_PTR, DWORD)
{
    KillTimer(nullptr, g_idleTimer);
    g_idleTimer = 0;
    g_marks[g_waitingFor] = NowMs();
    if (g_waitingFor == MARK_PAINTED)
        WriteResultAndExit();
}

// Arms the idle mark: a timer due at once, delivered after the paints.
void WaitForIdle(KMark mark)
{
    g_waitingFor = mark;
    g_idleTimer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, OnIdle);
}

LRESULT CALLBACK OnMessageTaken(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* msg = (const MSG*)lParam;
    if (code >= 0 && wParam == PM_REMOVE && msg->message == WM_PAINT && g_marks[MARK_PAGES_END] > 0
        && g_marks[MARK_FIRST_PAINT] == 0)
        g_marks[MARK_FIRST_PAINT] = NowMs();
    return CallNextHookEx(g_messageHook, code, wParam, lParam);
}

class CTimedLumoApp : public CLumoApp
{
public:
    CTimedLumoApp(HINSTANCE instance, const wchar_t* commandLine)
        : CLumoApp(instance, commandLine)
    {
    }

    int InitInstance() override
    {
        // Armed first, so that it is due long before the picture has painted.
        WaitForIdle(MARK_PICTURE);
        const int result = CLumoApp::InitInstance();
        g_marks[MARK_INIT] = NowMs();
        return result;
    }

    void CreatePages() override
    {
        g_marks[MARK_PAGES_BEGIN] = NowMs();
        WaitForIdle(MARK_PAINTED);
        CLumoApp::CreatePages();
        g_marks[MARK_PAGES_END] = NowMs();
    }
};

int RunChild(const char* askedAt)
{
    g_marks[MARK_MAIN] = NowMs();
    g_marks[MARK_ASKED] = atof(askedAt);
    g_messageHook = SetWindowsHookExW(WH_GETMESSAGE, OnMessageTaken, nullptr, GetCurrentThreadId());
    // As Lumo.exe's entry does.
    HINSTANCE instance = GetModuleHandleW(nullptr);
    KInitLibrary(instance);
    g_marks[MARK_LIBRARY] = NowMs();
    CTimedLumoApp* app = new CTimedLumoApp(instance, L"");
    g_marks[MARK_APP] = NowMs();
    app->Run();
    printf("the loop ended before the player page painted\n");
    return 1;
}

// ---- The measurer ---------------------------------------------------------------------------------

struct KRun
{
    double marks[MARK_COUNT];
    double peakWorkingSet;
    double peakPrivate;
};

std::wstring ModuleFolder()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    *(wcsrchr(path, L'\\') + 1) = 0;
    return path;
}

std::wstring SizeFolder(int records)
{
    return ModuleFolder() + L"startup-" + std::to_wstring(records) + L"\\";
}

bool PrepareFolder(int records)
{
    const std::wstring folder = SizeFolder(records);
    CreateDirectoryW(folder.c_str(), nullptr);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (!CopyFileW(self, (folder + CHILD_EXE).c_str(), FALSE))
        return false;
    return WriteBenchPlayList((folder + L"PlayList.txt").c_str(), {{L"音乐库", records, 0}});
}

void RemoveFolder(int records)
{
    const std::wstring folder = SizeFolder(records);
    for (const wchar_t* name : {CHILD_EXE, L"PlayList.txt", L"Settings.ini", RESULT_FILE})
        DeleteFileW((folder + name).c_str());
    RemoveDirectoryW(folder.c_str());
}

bool RunOnce(int records, KRun* run)
{
    const std::wstring folder = SizeFolder(records);
    // Every run starts as the first start after the file was written.
    DeleteFileW((folder + L"Settings.ini").c_str());
    DeleteFileW((folder + RESULT_FILE).c_str());
    const std::wstring exe = folder + CHILD_EXE;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    char askedAt[64];
    const double asked = NowMs();
    snprintf(askedAt, sizeof(askedAt), "%.4f", asked);
    std::wstring commandLine = L"\"" + exe + L"\" --child ";
    for (const char* c = askedAt; *c; c++)
        commandLine += (wchar_t)*c;
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return false;
    const bool ended = WaitForSingleObject(process.hProcess, CHILD_TIMEOUT_MS) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    FILE* in = _wfopen((folder + RESULT_FILE).c_str(), L"r");
    if (!in)
        return false;
    bool read = true;
    for (double& mark : run->marks)
        read = read && fscanf(in, "%lf", &mark) == 1;
    read = read && fscanf(in, "%lf %lf", &run->peakWorkingSet, &run->peakPrivate) == 2;
    fclose(in);
    return ended && read;
}

std::string Records(int records)
{
    std::string text = std::to_string(records);
    for (int at = (int)text.size() - 3; at > 0; at -= 3)
        text.insert((size_t)at, ",");
    return text;
}

int RunMeasurer()
{
    printf("Start-up to the painted player page (process start, frame window, picture and its "
           "%d ms included), one list of N records; %d rounds, sizes alternating\n",
           KSTARTUP_DELAY_MS, ROUNDS);
    for (int records : SIZES) {
        if (!PrepareFolder(records)) {
            printf("  the folder for %d records could not be written\n", records);
            return 1;
        }
    }
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        const std::wstring file = SizeFolder(SIZES[SIZE_COUNT - 1]) + L"PlayList.txt";
        if (GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data))
            PrintFigure("PlayList.txt, bytes a record",
                        ((double)data.nFileSizeHigh * 4294967296.0 + data.nFileSizeLow)
                            / SIZES[SIZE_COUNT - 1],
                        "bytes");
    }
    std::vector<KRun> runs[SIZE_COUNT];
    std::vector<double> minimal;
    KMinimalLoader loader;
    const std::wstring loaderFile = SizeFolder(SIZES[LOADER_SIZE_INDEX]) + L"PlayList.txt";
    for (int round = 0; round < ROUNDS; round++) {
        for (int s = 0; s < SIZE_COUNT; s++) {
            KRun run;
            if (!RunOnce(SIZES[s], &run)) {
                printf("  the run with %d records did not paint its player page\n", SIZES[s]);
                return 1;
            }
            runs[s].push_back(run);
        }
        const double begin = NowMs();
        loader.Load(loaderFile.c_str());
        minimal.push_back(NowMs() - begin);
        loader.Free();
    }

    char label[160];
    double medianTotal[SIZE_COUNT];
    for (int s = 0; s < SIZE_COUNT; s++) {
        printf("%s records (medians of %d runs; each phase measured inside the same runs)\n",
               Records(SIZES[s]).c_str(), ROUNDS);
        std::vector<double> totals;
        for (const KRun& run : runs[s])
            totals.push_back(run.marks[MARK_PAINTED]);
        medianTotal[s] = Median(totals);
        snprintf(label, sizeof(label), "start-up, %s records, total", Records(SIZES[s]).c_str());
        PrintFigure(label, medianTotal[s], "ms");
        snprintf(label, sizeof(label), "start-up, %s records, spread (max - min)",
                 Records(SIZES[s]).c_str());
        PrintFigure(label, Spread(totals), "ms");
        for (int p = 0; p < MARK_COUNT - 1; p++) {
            std::vector<double> phase;
            for (const KRun& run : runs[s])
                phase.push_back(run.marks[p + 1] - run.marks[p]);
            snprintf(label, sizeof(label), "  %s", PHASES[p]);
            PrintFigure(label, Median(phase), "ms");
        }
    }

    const double minimalMs = Median(minimal);
    printf("Targets\n");
    snprintf(label, sizeof(label), "minimal loader, %s records (median)",
             Records(SIZES[LOADER_SIZE_INDEX]).c_str());
    PrintFigure(label, minimalMs, "ms");
    const double allowed = EMPTY_FACTOR * medianTotal[0] + minimalMs;
    snprintf(label, sizeof(label), "start-up, %s records / (1.2 x empty + minimal loader)",
             Records(SIZES[LOADER_SIZE_INDEX]).c_str());
    PrintFigure(label, medianTotal[LOADER_SIZE_INDEX] / allowed, "x");
    printf("  target: at most 1.0: %s\n", medianTotal[LOADER_SIZE_INDEX] <= allowed ? "met" : "missed");
    const int million = SIZE_COUNT - 1;
    printf("  start-up, %s records: %.0f ms, target under %.0f ms: %s\n",
           Records(SIZES[million]).c_str(), medianTotal[million], MILLION_TARGET_MS,
           medianTotal[million] < MILLION_TARGET_MS ? "met" : "missed");

    std::vector<double> workingSet[2], privateBytes[2];
    for (int i = 0; i < 2; i++) {
        for (const KRun& run : runs[i == 0 ? 0 : million]) {
            workingSet[i].push_back(run.peakWorkingSet);
            privateBytes[i].push_back(run.peakPrivate);
        }
    }
    const double mib = 1024.0 * 1024.0;
    PrintFigure("peak working set, empty start-up", Median(workingSet[0]) / mib, "MiB");
    PrintFigure("peak working set, 1,000,000 records", Median(workingSet[1]) / mib, "MiB");
    PrintFigure("peak private bytes, empty start-up", Median(privateBytes[0]) / mib, "MiB");
    PrintFigure("peak private bytes, 1,000,000 records", Median(privateBytes[1]) / mib, "MiB");
    const double perRecord = (Median(workingSet[1]) - Median(workingSet[0])) / SIZES[million];
    PrintFigure("peak working set a record, over the empty start-up", perRecord, "bytes");
    PrintFigure("peak working set a record, whole process",
                Median(workingSet[1]) / SIZES[million], "bytes");
    printf("  target: at most %.0f bytes a record: %s over the empty start-up, %s for the whole "
           "process\n",
           BYTES_PER_RECORD_TARGET, perRecord <= BYTES_PER_RECORD_TARGET ? "met" : "missed",
           Median(workingSet[1]) / SIZES[million] <= BYTES_PER_RECORD_TARGET ? "met" : "missed");

    for (int records : SIZES)
        RemoveFolder(records);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && strcmp(argv[1], CHILD_SWITCH) == 0)
        return RunChild(argv[2]);
    return RunMeasurer();
}

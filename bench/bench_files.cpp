// The browse page with a folder of 5,000 audio files, measured through the real pages: building
// the drive roots, opening the folder in the file list (read, sorted, rows made and painted),
// ticking every row with "全 选", handing them to the player page's add path (Begin/AddFile/
// EndAddFiles, the playlist file written), and reading the folder again after one file was added.
#include <windows.h>

#include <string>

#include "KBench.h"
#include "app/CBrowseView.h"
#include "app/CPlayerView.h"
#include "app/LmPageTable.h"
#include "app/LmSettings.h"
#include "foundation/KPaths.h"
#include "ui/CKApplication.h"
#include "ui/KViewStack.h"

namespace {

constexpr int FILES = 5000;

// The application object the frame window belongs to.
class CBenchApp : public CKApplication
{
public:
    CBenchApp() : CKApplication(GetModuleHandleW(nullptr), L"") {}
};

// The program's page table, as the application registers it.
int BenchPageLookup(int viewId, KPageEntry* entry)
{
    const KPageRow* row = FindPageRow(viewId);
    if (!row)
        return 0;
    *entry = KPageEntry{row->flags, row->leftTextId, row->leftStyle, row->rightTextId,
                        row->rightStyle};
    return 1;
}

// Creates an empty file; false when it cannot.
bool Touch(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

// Deletes the files of a folder (not below it) and the folder.
void RemoveFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((folder + data.cFileName).c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

// Drains the thread's queue (paints and deferred calls) without waiting.
void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

template <class T>
T* AddAppPage(T* page, int viewId)
{
    page->EnableRefCount();
    page->Initialize(KVF_DRAWER);
    page->InitView(KVF_DRAWER, viewId);
    AddPage(page);
    return page;
}

} // namespace

int main()
{
    KBenchLibrary library;
    CBenchApp app;
    app.InitInstance();
    SetPageLookup(BenchPageLookup);

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring base = std::wstring(temp) + L"lumo-bench-files-"
                              + std::to_wstring(GetCurrentProcessId()) + L"\\";
    const std::wstring folder = base + L"Music\\";
    CreateDirectoryW(base.c_str(), nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < FILES; i++) {
        wchar_t name[32];
        wsprintfW(name, L"track %04d.mp3", (i * 7919) % FILES);
        Touch(folder + name);
    }
    const std::wstring settings = std::wstring(GetModuleDir()) + L"Settings.ini";
    const bool hadSettings = GetFileAttributesW(settings.c_str()) != INVALID_FILE_ATTRIBUTES;
    LmSettings::LoadSettings();

    CPlayerView* player = new CPlayerView();
    player->SetPlayListPath((base + L"PlayList.txt").c_str());
    AddAppPage(player, IDS_PAGE_PLAYER);
    ShowView(player);
    Pump();

    double start = NowMs();
    CBrowseView* browse = AddAppPage(new CBrowseView(), IDS_PAGE_BROWSE);
    PrintFigure("browse page created (drive roots read)", NowMs() - start, "ms");
    ShowView(browse);
    Pump();
    CBrowseContainer* content = browse->GetBrowseContainer();
    CKFileListCtrl* list = content->GetFileList();

    start = NowMs();
    content->ShowPath(folder.c_str());
    UpdateWindow(list->GetHwnd());
    const double listMs = NowMs() - start;
    PrintFigure("open the folder of 5,000 files (read, sort, rows, paint)", listMs, "ms");
    PrintFigure("rows listed", list->GetCount(), "rows");

    start = NowMs();
    content->SetAllChecks(1);
    UpdateWindow(list->GetHwnd());
    const double tickMs = NowMs() - start;
    PrintFigure("tick all (\"全 选\", painted)", tickMs, "ms");

    start = NowMs();
    const int handed = content->AddTickedItems();
    const double addMs = NowMs() - start;
    PrintFigure("add them to the playlist (player add path, files written)", addMs, "ms");
    PrintFigure("rows handed over", handed, "rows");
    PrintFigure("player rows", player->GetPlayerContainer()->GetListBox()->GetCount(), "rows");
    PrintFigure("total for the user", listMs + tickMs + addMs, "ms");

    Touch(folder + L"track 0000a.mp3");
    start = NowMs();
    content->RefreshFolder();
    UpdateWindow(list->GetHwnd());
    PrintFigure("read the folder again after one file was added", NowMs() - start, "ms");
    PrintFigure("peak memory", PeakMemoryMiB(), "MiB");

    DestroyPages();
    LmSettings::SaveAndCloseSettings();
    if (!hadSettings)
        DeleteFileW(settings.c_str());
    RemoveFolder(folder);
    RemoveFolder(base);
    return 0;
}

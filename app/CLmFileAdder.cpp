// CLmFileAdder: the queue of open requests and the walk that adds their files in steps.
#include "app/CLmFileAdder.h"

#include <algorithm>

#include "app/CLmPlayListCtrl.h"
#include "app/CPlayerContainer.h"
#include "app/LmSettings.h"
#include "app/LmStringIds.h"
#include "app/LmToast.h"
#include "foundation/CKFile.h"
#include "foundation/KOpenPath.h"
#include "foundation/KPaths.h"
#include "foundation/KText.h"
#include "media/CKMediaPlayer.h"

K_IMPLEMENT_CLASS(CLmFileAdder, CKObject)

namespace {

// Listing options of the walk: the browse page's, which leave hidden and system entries out.
constexpr unsigned int WALK_OPTIONS = 0;

// The browse page's order of names: ignoring ASCII case, stable.
void SortNames(std::vector<std::wstring>& names)
{
    std::stable_sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return KStrICmpW(a.c_str(), b.c_str()) < 0;
    });
}

// The form in which the platform is asked about `path`: a file named like a device ("COM1.wav",
// "CON") is asked about as that file, never opened as the device, which could block for a minute.
// Empty when the path may not be asked about at all.
KStringW OpenForm(const std::wstring& path)
{
    KStringW form;
    if (MakeOpenPath(path.c_str(), form) < 0)
        form.Empty();
    return form;
}

// The folder's identity in the file system; false when it cannot be read.
bool ReadFolderId(const std::wstring& path, std::pair<DWORD, ULONGLONG>* id)
{
    const KStringW form = OpenForm(path);
    if (!form.GetLength())
        return false;
    HANDLE folder = CreateFileW(form, FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool read = GetFileInformationByHandle(folder, &info) != 0;
    CloseHandle(folder);
    if (read)
        *id = {info.dwVolumeSerialNumber,
               ((ULONGLONG)info.nFileIndexHigh << 32) | info.nFileIndexLow};
    return read;
}

// The last component of a path.
const wchar_t* NameOf(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    return path.c_str() + (slash == std::wstring::npos ? 0 : slash + 1);
}

// The row of the shown list whose path is `path` under the duplicate rule, -1 when none.
int RowOfPath(CPlayerContainer* player, const std::wstring& path)
{
    CMediaListBox* list = player->GetListBox();
    for (int i = 0; i < list->GetCount(); i++)
        if (CompareNames(list->GetRecord(i)->GetPath(), path.c_str()) == 0)
            return i;
    return -1;
}

// What ListFolder gathers from a listing.
struct KListing
{
    const std::wstring* folder;   // with its trailing backslash
    const CKFileCache* filter;
    std::vector<std::wstring>* folders;
    std::vector<std::wstring>* files;
};

int ListedEntry(const wchar_t*, const wchar_t* name, const KFileInfo* info, void* context)
{
    KListing* listing = (KListing*)context;
    if (CKFileCache::IsExcluded(info->mode, WALK_OPTIONS))
        return 1;
    const bool folder = (info->mode & KFA_DIRECTORY) != 0;
    // Room for the name, and for a folder its backslash, within the paths the program keeps.
    const size_t length = listing->folder->size() + wcslen(name) + (folder ? 1 : 0);
    if (length >= (size_t)KMAX_PATH)
        return 1;
    if (folder)
        listing->folders->push_back(name);
    else if (listing->filter->MatchesFilter(name))
        listing->files->push_back(name);
    return 1;
}

} // namespace

CLmFileAdder::~CLmFileAdder()
{
    Stop();
}

void CLmFileAdder::Add(CLmOpenRequest* request)
{
    if (!request)
        return;
    waiting.push_back(request);
    if (!timer)
        timer = StartTimer(LMADD_STEP_PERIOD_MS, StepTimer, (INT_PTR)this);
}

void CLmFileAdder::Stop()
{
    if (timer) {
        StopTimer(timer);
        timer = nullptr;
    }
    CPlayerContainer* player = CPlayerContainer::FromPlayerPage();
    if (unsaved && player && player->GetPlayListCtrl())
        player->GetPlayListCtrl()->SavePlayLists();
    unsaved = false;
    delete running;
    running = nullptr;
    for (CLmOpenRequest* request : waiting)
        delete request;
    waiting.clear();
    walk.clear();
    walked.clear();
}

void CLmFileAdder::StepTimer(INT_PTR adder)
{
    ((CLmFileAdder*)adder)->Step();
}

void CLmFileAdder::Step()
{
    CPlayerContainer* player = CPlayerContainer::FromPlayerPage();
    if (!player || !player->GetHwnd())
        return;
    const DWORD begin = GetTickCount();
    player->BeginAddFiles();
    do {
        if (!running) {
            if (waiting.empty())
                break;
            BeginRequest();
        } else if (walk.empty()) {
            if (nextNamed < running->GetPaths().size())
                TakeNamed(player, running->GetPaths()[nextNamed++]);
            else
                EndRequest(player);
        } else if (!walk.back().listed) {
            ListFolder(walk.back());
        } else if (walk.back().nextFolder < walk.back().folders.size()) {
            KFolderWalk& top = walk.back();
            EnterFolder(top.path + top.folders[top.nextFolder++] + L"\\");
        } else if (walk.back().nextFile < walk.back().files.size()) {
            KFolderWalk& top = walk.back();
            Offer(player, top.path + top.files[top.nextFile++]);
        } else {
            walk.pop_back();
        }
    } while (GetTickCount() - begin < (DWORD)stepBudgetMs);
    player->EndAddFiles(0);
    if (!IsBusy() && timer) {
        StopTimer(timer);
        timer = nullptr;
    }
}

void CLmFileAdder::BeginRequest()
{
    running = waiting.front();
    waiting.pop_front();
    nextNamed = 0;
    walk.clear();
    walked.clear();
    filter.SetFilter(LmSettings::GetBrowseExtFilter());
    firstFound.clear();
    found = 0;
    decided = false;
}

void CLmFileAdder::EndRequest(CPlayerContainer* player)
{
    // The file is written whole: requests waiting already (starts in a row) are written with the
    // last of them.
    if (unsaved && waiting.empty() && player->GetPlayListCtrl()) {
        player->GetPlayListCtrl()->SavePlayLists();
        unsaved = false;
    }
    // Everything named was in the list already: the first of them plays.
    if (!decided && !firstFound.empty() && MayStartPlayback(player)) {
        const int row = RowOfPath(player, firstFound);
        if (row >= 0)
            player->PlayRow(row);
    }
    if (found == 0 && running->GetAskedCount() > 0)
        ShowToastString(IDS_NOTHING_TO_OPEN);
    delete running;
    running = nullptr;
    walked.clear();
}

void CLmFileAdder::TakeNamed(CPlayerContainer* player, const std::wstring& path)
{
    const KStringW form = OpenForm(path);
    const DWORD attributes = form.GetLength() ? GetFileAttributesW(form) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        EnterFolder(path.back() == L'\\' ? path : path + L"\\");
    else if (filter.MatchesFilter(NameOf(path)))
        Offer(player, path);
}

void CLmFileAdder::EnterFolder(const std::wstring& path)
{
    KFolderId id;
    if (ReadFolderId(path, &id) && !walked.insert(id).second)
        return;
    walk.emplace_back();
    walk.back().path = path;
}

void CLmFileAdder::ListFolder(KFolderWalk& folder)
{
    KListing listing = {&folder.path, &filter, &folder.folders, &folder.files};
    CKFile::EnumFiles(folder.path.c_str(), ListedEntry, &listing);
    SortNames(folder.folders);
    SortNames(folder.files);
    folder.listed = true;
}

void CLmFileAdder::Offer(CPlayerContainer* player, const std::wstring& path)
{
    found++;
    CMediaListBox* list = player->GetListBox();
    const int before = list->GetCount();
    if (!player->AddFile(path.c_str()))
        return;
    if (firstFound.empty())
        firstFound = path;
    if (list->GetCount() == before)
        return;
    unsaved = true;
    if (!decided) {
        decided = true;
        if (MayStartPlayback(player))
            player->PlayRow(before);
    }
}

bool CLmFileAdder::MayStartPlayback(const CPlayerContainer* player) const
{
    if (running->GetPlayRule() == LMOPEN_PLAY_FIRST)
        return true;
    const CKMediaPlayer* media = player->GetPlayer();
    const int state = media ? media->GetState() : KMEDIA_CLOSED;
    return state != KMEDIA_PLAYING && state != KMEDIA_PAUSED;
}

// Player page test support: generated WAV files, playlist bytes and the page over its own files.
#include "PlayerTestSupport.h"

#include "KTestSupport.h"
#include "KViewTestSupport.h"
#include "app/CLmMediaInfo.h"
#include "app/CLmPlayListView.h"
#include "app/CLumoApp.h"
#include "app/CPlayerView.h"
#include "app/LmPageTable.h"
#include "app/LmSettings.h"
#include "dialogs/CKToastDialog.h"
#include "foundation/KPaths.h"
#include "media/CKMediaPlayer.h"
#include "support/KFileFixtures.h"
#include "ui/CKApplication.h"

namespace {

constexpr int WAV_RATE = 8000;       // samples a second, one byte each
constexpr char WAV_SILENCE = (char)0x80;

void PutU32(std::string& bytes, unsigned int value)
{
    for (int i = 0; i < 4; i++)
        bytes.push_back((char)((value >> (8 * i)) & 0xFF));
}

void PutU16(std::string& bytes, unsigned int value)
{
    bytes.push_back((char)(value & 0xFF));
    bytes.push_back((char)((value >> 8) & 0xFF));
}

} // namespace

bool WriteSilentWav(const std::wstring& path, int ms)
{
    const unsigned int samples = (unsigned int)((long long)ms * WAV_RATE / 1000);
    std::string bytes = "RIFF";
    PutU32(bytes, 36 + samples);
    bytes += "WAVEfmt ";
    PutU32(bytes, 16);
    PutU16(bytes, 1);          // PCM
    PutU16(bytes, 1);          // mono
    PutU32(bytes, WAV_RATE);
    PutU32(bytes, WAV_RATE);   // bytes a second
    PutU16(bytes, 1);          // block alignment
    PutU16(bytes, 8);          // bits a sample
    bytes += "data";
    PutU32(bytes, samples);
    bytes.append(samples, WAV_SILENCE);
    return WriteFileBytes(path, bytes);
}

CLmMediaInfo* NewRecord(const wchar_t* path, int duration, const wchar_t* title,
                        const wchar_t* album, const wchar_t* artist)
{
    CLmMediaInfo* info = NewMediaInfo();
    info->SetPath(path);
    info->SetDuration(duration);
    info->SetTitle(title);
    info->SetAlbum(album);
    info->SetArtist(artist);
    return info;
}

std::string PlayListBytes(const std::vector<KTestPlayList>& lists)
{
    const std::wstring end(1, (wchar_t)0xFFFD);
    std::wstring text = L"\n";
    for (const KTestPlayList& list : lists) {
        text += L"@" + list.name + L"\n";
        for (const KTestRecord& r : list.records)
            text += L"#" + r.path + end + std::to_wstring(r.duration) + end + r.title + end
                    + r.album + end + r.artist + end + L"\n";
        text += L"\n";
    }
    return Utf16FileBytes(text);
}

KPlayerPage::KPlayerPage() : folder(MakeTempDir(L"player"))
{
    EnsureTestFrame();
    SetPageLookup(LookupPageEntry);
    DeleteFileW(SettingsPath().c_str());
    LmSettings::LoadSettings();
}

KPlayerPage::~KPlayerPage()
{
    CloseToast();
    DestroyPages();
    RunPostedLikeLoop();
    LmSettings::SaveAndCloseSettings();
    DeleteFileW(SettingsPath().c_str());
    RemoveTree(folder);
}

std::wstring KPlayerPage::SettingsPath()
{
    return std::wstring(GetModuleDir()) + L"Settings.ini";
}

bool KPlayerPage::Open(const std::vector<KTestPlayList>& lists)
{
    if (!WriteFileBytes(PlayListPath(), PlayListBytes(lists)))
        return false;
    view = new CPlayerView();
    view->EnableRefCount();
    view->SetPlayListPath(PlayListPath().c_str());
    view->Initialize(KVF_DRAWER);
    view->InitView(KVF_DRAWER, IDS_PAGE_PLAYER);
    AddPage(view);
    if (!ShowView(view))
        return false;
    RunPostedLikeLoop();
    return Container()->GetHwnd() != nullptr;
}

std::wstring KPlayerPage::MakeWav(const wchar_t* name, int ms)
{
    const std::wstring path = folder + name;
    return WriteSilentWav(path, ms) ? path : std::wstring();
}

CPlayerContainer* KPlayerPage::Container() const
{
    return view ? view->GetPlayerContainer() : nullptr;
}

void KPlayerPage::DoublePressRow(int row)
{
    CMediaListBox* list = Container()->GetListBox();
    RECT rect;
    if (!list->GetItemRect(row, &rect))
        return;
    const LPARAM point = MAKELPARAM(rect.left + 40, (rect.top + rect.bottom) / 2);
    HWND hwnd = list->GetHwnd();
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(hwnd, WM_LBUTTONUP, 0, point);
    PostMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageW(hwnd, WM_LBUTTONUP, 0, point);
    RunPostedLikeLoop();
}

void KPlayerPage::ClickButton(int id)
{
    HWND button = GetDlgItem(Container()->GetHwnd(), id);
    RECT rect;
    GetClientRect(button, &rect);
    const LPARAM point = MAKELPARAM(rect.right / 2, rect.bottom / 2);
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(button, WM_LBUTTONUP, 0, point);
    RunPostedLikeLoop();
}

bool KPlayerPage::WaitForState(int state, int timeoutMs)
{
    CKMediaPlayer* player = Container()->GetPlayer();
    return PumpLikeLoopUntil([&] { return player->GetState() == state; }, timeoutMs);
}

std::wstring KPlayerPage::ToastText()
{
    CKToastDialog* toast = GetCurrentToast();
    if (!toast)
        return std::wstring();
    const wchar_t* text = toast->GetToastContainer()->GetLabel()->GetText();
    return text ? text : L"";
}

void KPlayerPage::CloseToast()
{
    if (CKToastDialog* toast = GetCurrentToast())
        toast->Close(0, 0);
    PumpLikeLoopUntil([] { return GetCurrentToast() == nullptr; }, 3000);
}

void KLumoAppTest::SetUp()
{
    DeleteFileW(ModuleFile(L"Settings.ini").c_str());
    DeleteFileW(ModuleFile(L"PlayList.txt").c_str());
    if (GetFrameWindow())
        DestroyWindow(GetFrameWindow());
    PumpMessagesFor(30);
    app = new CLumoApp(GetModuleHandleW(nullptr), L"");
}

void KLumoAppTest::TearDown()
{
    app->ExitInstance();
    EXPECT_EQ(GetPageCount(), 0);
    if (GetFrameWindow())
        DestroyWindow(GetFrameWindow());
    PumpMessagesFor(30);
    delete app;
    DeleteFileW(ModuleFile(L"Settings.ini").c_str());
    DeleteFileW(ModuleFile(L"PlayList.txt").c_str());
}

std::wstring KLumoAppTest::ModuleFile(const wchar_t* name)
{
    return std::wstring(GetModuleDir()) + name;
}

CPlayerView* KLumoAppTest::StartToPlayerPage()
{
    if (app->InitInstance() != 1)
        return nullptr;
    PumpLikeLoopUntil([] {
        CKView* view = GetCurrentView();
        return view && view->IsKindOf(K_RUNTIME_CLASS(CPlayerView));
    }, 5000);
    CKView* view = GetCurrentView();
    return view && view->IsKindOf(K_RUNTIME_CLASS(CPlayerView)) ? (CPlayerView*)view : nullptr;
}

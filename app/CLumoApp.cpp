// CLumoApp: the music player's application object.
#include "app/CLumoApp.h"

#include <shellapi.h>

#include "app/CBrowseView.h"
#include "app/CHelpView.h"
#include "app/CLmInstance.h"
#include "app/CPlayerView.h"
#include "app/CSettingView.h"
#include "app/LmPageTable.h"
#include "app/LmSettings.h"
#include "app/LmStringIds.h"
#include "foundation/KDevMetrics.h"
#include "media/CKMediaObserver.h"
#include "ui/CKStartupView.h"
#include "ui/CKView.h"
#include "ui/KViewStack.h"

K_IMPLEMENT_CLASS(CLumoApp, CKApplication)

namespace {

// The keyboard's media keys: the application command the focused window reports, the key as a
// hot key, and the player page's command. Play and pause have application commands only.
struct KMediaKey
{
    int appCommand;
    UINT virtualKey;
    int command;
};
const KMediaKey MEDIA_KEYS[] = {
    {APPCOMMAND_MEDIA_PLAY_PAUSE, VK_MEDIA_PLAY_PAUSE, KMEDIA_CMD_TOGGLE},
    {APPCOMMAND_MEDIA_NEXTTRACK, VK_MEDIA_NEXT_TRACK, KMEDIA_CMD_NEXT},
    {APPCOMMAND_MEDIA_PREVIOUSTRACK, VK_MEDIA_PREV_TRACK, KMEDIA_CMD_PREVIOUS},
    {APPCOMMAND_MEDIA_STOP, VK_MEDIA_STOP, KMEDIA_CMD_STOP},
    {APPCOMMAND_MEDIA_PLAY, 0, KMEDIA_CMD_RESUME},
    {APPCOMMAND_MEDIA_PAUSE, 0, KMEDIA_CMD_PAUSE},
};
// Hot key ids: the first, then one per key of MEDIA_KEYS in its order.
constexpr int HOTKEY_FIRST_ID = 1;
constexpr int MEDIA_KEY_COUNT = (int)(sizeof(MEDIA_KEYS) / sizeof(MEDIA_KEYS[0]));

// Brings the frame in front of the other windows, restored when it was minimised.
void BringToFront(HWND frame)
{
    if (IsIconic(frame))
        ShowWindow(frame, SW_RESTORE);
    SetForegroundWindow(frame);
}

// Marks the page counted, initialises it with `flags`, gives it its id and registers it.
void AddAppPage(CKView* page, unsigned int flags, int viewId)
{
    if (!page)
        return;
    page->EnableRefCount();
    page->Initialize(flags);
    page->InitView(flags, viewId);
    AddPage(page);
}

} // namespace

CLumoApp::CLumoApp(HINSTANCE instance, const wchar_t* commandLine)
    : CKApplication(instance, commandLine)
{
    SetPageLookup(LookupPageEntry);
    FitDpiToScreen();
}

int CLumoApp::OnAppMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != LMWM_INTERRUPTION)
        return CKApplication::OnAppMessage(message, wParam, lParam);
    CPlayerContainer* player = CPlayerContainer::FromPlayerPage();
    if (!player)
        return 1;
    if (wParam == LMINTERRUPTION_BEGINS || wParam == LMINTERRUPTION_BEGINS_TOO)
        player->BeginInterruption();
    else if (wParam == LMINTERRUPTION_ENDS)
        player->EndInterruption();
    return 1;
}

int CLumoApp::InitInstance()
{
    if (!CKApplication::InitInstance())
        return 0;
    if (HWND frame = GetFrameWindow()) {
        if (instance)
            instance->MarkFrame(frame);
        DragAcceptFiles(frame, TRUE);
        // Media keys from anywhere; when another program holds a key, Lumo goes without it and
        // still hears it through WM_APPCOMMAND while it has the focus.
        for (int i = 0; i < MEDIA_KEY_COUNT; i++)
            if (MEDIA_KEYS[i].virtualKey)
                RegisterHotKey(frame, HOTKEY_FIRST_ID + i, 0, MEDIA_KEYS[i].virtualKey);
    }
    LmSettings::LoadSettings();
    if (!CreateStartupView(IDS_PAGE_PLAYER))
        CreatePages();
    ShowPage(IDS_PAGE_PLAYER);
    return 1;
}

void CLumoApp::ExitInstance()
{
    // Files added so far are written while the player page still holds them.
    adder.Stop();
    DestroyPages();
    LmSettings::SaveAndCloseSettings();
    CKApplication::ExitInstance();
}

void CLumoApp::CreatePages()
{
    CKApplication::CreatePages();
    CPlayerView* player = new CPlayerView();
    CBrowseView* browse = new CBrowseView();
    // The browse page hands its ticked files to the player page; both live until DestroyPages.
    if (player && browse)
        browse->GetBrowseContainer()->SetFileReceiver(player->GetPlayerContainer());
    AddAppPage(player, KVF_DRAWER, IDS_PAGE_PLAYER);
    AddAppPage(browse, KVF_DRAWER, IDS_PAGE_BROWSE);
    AddAppPage(new CSettingView(), 0, IDS_PAGE_SETTINGS);
    AddAppPage(new CHelpView(), 0, IDS_PAGE_HELP);
}

int CLumoApp::OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    HWND frame = GetFrameWindow();
    switch (message) {
    case WM_COPYDATA: {
        CLmOpenRequest* request = new CLmOpenRequest(LMOPEN_PLAY_FIRST);
        *result = request && request->Unpack((const COPYDATASTRUCT*)lParam) ? 1 : 0;
        if (!*result) {
            delete request;
            return 1;
        }
        adder.Add(request);
        BringToFront(frame);
        return 1;
    }
    case WM_DROPFILES: {
        HDROP drop = (HDROP)wParam;
        CLmOpenRequest* request = new CLmOpenRequest(LMOPEN_PLAY_IF_IDLE);
        if (request)
            request->AddDrop(drop);
        DragFinish(drop);
        adder.Add(request);
        *result = 0;
        return 1;
    }
    case WM_APPCOMMAND:
    case WM_HOTKEY:
        // The focused window's application command, or the hot key's virtual key.
        for (const KMediaKey& key : MEDIA_KEYS) {
            if (message == WM_APPCOMMAND ? key.appCommand == GET_APPCOMMAND_LPARAM(lParam)
                                         : key.virtualKey && key.virtualKey == HIWORD(lParam)) {
                RunMediaCommand(key.command);
                *result = message == WM_APPCOMMAND ? TRUE : 0;
                return 1;
            }
        }
        return 0;
    case WM_DESTROY:
        if (instance)
            instance->UnmarkFrame(frame);
        for (int i = 0; i < MEDIA_KEY_COUNT; i++)
            UnregisterHotKey(frame, HOTKEY_FIRST_ID + i);
        return 0;
    default:
        return 0;
    }
}

void CLumoApp::RunMediaCommand(int command)
{
    CPlayerContainer* player = CPlayerContainer::FromPlayerPage();
    if (player && player->GetHwnd())
        player->OnMediaCommand(0, command, 0);
}

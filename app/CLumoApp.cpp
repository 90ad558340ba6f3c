// CLumoApp: the music player's application object and the string toast.
#include "app/CLumoApp.h"

#include <shellapi.h>

#include "app/CBrowseView.h"
#include "app/CHelpView.h"
#include "app/CLmInstance.h"
#include "app/CPlayerView.h"
#include "app/CSettingView.h"
#include "app/LmPageTable.h"
#include "app/LmSettings.h"
#include "dialogs/CKToastDialog.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KResource.h"
#include "ui/CKStartupView.h"
#include "ui/CKView.h"
#include "ui/KViewStack.h"

K_IMPLEMENT_CLASS(CLumoApp, CKApplication)

namespace {

// Longest toast text taken from the string table, in characters.
constexpr int TOAST_TEXT_MAX = 128;

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
    }
    LoadSettings();
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
    SaveAndCloseSettings();
    CKApplication::ExitInstance();
}

void CLumoApp::CreatePages()
{
    CKApplication::CreatePages();
    AddAppPage(new CPlayerView(), KVF_DRAWER, IDS_PAGE_PLAYER);
    AddAppPage(new CBrowseView(), KVF_DRAWER, IDS_PAGE_BROWSE);
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
    case WM_DESTROY:
        if (instance)
            instance->UnmarkFrame(frame);
        return 0;
    default:
        return 0;
    }
}

int ShowToastString(int stringId)
{
    wchar_t text[TOAST_TEXT_MAX + 1];
    if (LoadResString((UINT)stringId, text, TOAST_TEXT_MAX + 1) <= 0)
        return 0;
    return ShowToastText(text);
}

int ShowToastText(const wchar_t* text)
{
    return ShowToast(text, LMTOAST_DURATION_MS, KTOAST_CENTRE);
}

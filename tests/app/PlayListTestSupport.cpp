// The playlist tests' fixture, recording host, input and pixels.
#include "PlayListTestSupport.h"

#include "KFileFixtures.h"
#include "KTestSupport.h"
#include "app/LmSettings.h"
#include "foundation/KPaths.h"
#include "graphics/KGraphics.h"
#include "ui/KTimer.h"

int CPanelHost::OnNotify(int notifyId, int code, INT_PTR param)
{
    notices.push_back(KPanelNotice{notifyId, code, (long long)param});
    return 0;
}

void PlayListFixture::SetUp()
{
    EnsureTestFrame();
    dir = MakeTempDir(L"lumo-panel");
    file = dir + L"PlayList.txt";
    settings = std::wstring(GetModuleDir()) + L"Settings.ini";
    LmSettings::SaveAndCloseSettings();
    DeleteFileW(settings.c_str());
    LmSettings::LoadSettings();
}

void PlayListFixture::TearDown()
{
    if (panel) {
        if (panel->GetItem())
            panel->Destroy();
        panel->Release();
        panel = nullptr;
    }
    if (host) {
        if (host->GetItem())
            host->Destroy();
        host->Release();
        host = nullptr;
    }
    LmSettings::SaveAndCloseSettings();
    DeleteFileW(settings.c_str());
    RemoveTree(dir);
}

void PlayListFixture::WritePlayLists(const std::wstring& text) const
{
    ASSERT_TRUE(WriteFileBytes(file, Utf16FileBytes(text)));
}

std::wstring PlayListFixture::PlayListText() const
{
    std::string bytes = ReadFileBytes(file);
    return std::wstring((const wchar_t*)bytes.data(), bytes.size() / 2);
}

std::string PlayListFixture::SettingsBytes() const
{
    return ReadFileBytes(settings);
}

CLmPlayListView* PlayListFixture::OpenPanel()
{
    const RECT screen = {0, 0, 320, 480};
    host = new CPanelHost();
    host->EnableRefCount();
    host->AddRef();
    if (!host->Create(0, 9000, nullptr, KWF_OPAQUE))
        return nullptr;
    host->Move(screen);
    panel = new CLmPlayListView();
    panel->EnableRefCount();
    panel->AddRef();
    panel->SetPlayListPath(file.c_str());
    panel->Initialize(0);
    if (!panel->Create(0, 3000, host, KWF_OPAQUE))
        return nullptr;
    panel->Move(screen);
    RunPosted();
    return panel;
}

void TapWindow(CKWindow* window, int x, int y)
{
    const LPARAM point = MAKELPARAM((WORD)(short)x, (WORD)(short)y);
    PostMessageW(window->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(window->GetHwnd(), WM_LBUTTONUP, 0, point);
    RunPosted();
}

void RunPosted()
{
    bool delivered = false;
    PostCall((INT_PTR)&delivered, 0, 0, [](INT_PTR flag, INT_PTR, INT_PTR) { *(bool*)flag = true; },
             0);
    PumpUntil([&] { return delivered; }, 5000);
}

unsigned int BackBufferRgb(int x, int y)
{
    const COLORREF color = GetPixel(GetBackBufferDC(), x, y);
    return (unsigned int)GetRValue(color) << 16 | (unsigned int)GetGValue(color) << 8
           | GetBValue(color);
}

void PaintNow(CKWindow* window)
{
    InvalidateRect(window->GetHwnd(), nullptr, FALSE);
    UpdateWindow(window->GetHwnd());
}

RECT RowOf(const CKTreeCtrl* tree, const KTreeItem* item)
{
    RECT row = {0, 0, 0, 0};
    tree->GetItemRect(item, &row);
    return row;
}

// CPlayerView: the player page's title, drawer and container wiring.
#include "app/CPlayerView.h"

#include "app/CLmPlayListView.h"
#include "app/CLmTitle.h"
#include "app/LmIds.h"
#include "app/LmPageTable.h"
#include "app/LmStringIds.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KText.h"
#include "graphics/CKImage.h"
#include "graphics/KImageCache.h"

K_IMPLEMENT_CLASS(CPlayerView, CKView)

CPlayerView::CPlayerView()
{
    playListPath[0] = 0;
}

CPlayerView::~CPlayerView()
{
    if (panel)
        panel->Release();
}

void CPlayerView::SetPlayListPath(const wchar_t* path)
{
    KStrNCpyW(playListPath, path ? path : L"", KMAX_PATH - 1);
    playListPath[KMAX_PATH - 1] = 0;
}

void CPlayerView::Initialize(unsigned int newStyle)
{
    if (!title) {
        CLmTitle* created = new CLmTitle();
        if (created) {
            created->EnableRefCount();
            SetTitle(created);
        }
    }
    if (!panel) {
        panel = new CLmPlayListView();
        if (panel) {
            panel->EnableRefCount();
            panel->AddRef();
            if (playListPath[0])
                panel->SetPlayListPath(playListPath);
            panel->Initialize(0);
            container.SetPlayListCtrl(panel->GetPlayListCtrl());
        }
    }
    CKView::Initialize(newStyle);
}

int CPlayerView::OnCreate()
{
    if (!CKView::OnCreate())
        return 0;
    CKImgList* icons = GetImgListByCell(TITLE_ICON_CELL_SIZE, TITLE_ICON_CELL_SIZE,
                                        L"TitleImgList.png", KIMG_TYPE_PNG, KIMG_AUTO);
    if (title && icons) {
        title->SetLeftButton(IDS_PLAYER_MENU, 0, L"");
        title->SetLeftButtonIcon(IDS_PLAYER_MENU, 0, icons, LMCELL_TITLE_MENU);
    }
    return 1;
}

void CPlayerView::CreateViewMenu()
{
    if (panel && (panel->GetHwnd() || panel->Create(0, LMID_PLAYLIST_PANEL, this, LMPANEL_FLAGS)))
        SetMenuCtrl(panel);
}

int CPlayerView::OnViewMenuMouse(int code, int x, int y)
{
    if (code == KMOUSE_PRESS
        && y > GetDevMetric(TitleBarHeight) + container.GetProgressRect().top)
        return 0;
    return CKView::OnViewMenuMouse(code, x, y);
}

int CPlayerView::OnViewKey(int code, int key, int repeatFlags)
{
    if (IsMenuOpen())
        return 0;
    const bool down = code == KKEY_DOWN;
    // Held down, the seek and skip keys repeat; play/pause and removal act once per press.
    const bool repeated = (repeatFlags & KKEY_REPEATED) != 0;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    switch (key) {
    case KK_SPACE:
        if (down && !repeated)
            container.TogglePlay();
        return 1;
    case KK_LEFT:
    case KK_RIGHT:
        if (down && control)
            key == KK_LEFT ? container.PlayPrevious() : container.PlayNext();
        else if (down)
            container.SeekBy(key == KK_LEFT ? -LMSEEK_STEP_SECONDS : LMSEEK_STEP_SECONDS);
        return 1;
    case KK_DELETE:
        if (down && !repeated)
            container.RemoveSelectedRow();
        return 1;
    default:
        return 0;
    }
}

void CPlayerView::OnStateChanged(unsigned int changed)
{
    CKView::OnStateChanged(changed);
    CKWindow* list = container.GetListBox();
    if ((changed & KWF_FOCUSED) && (flags & KWF_FOCUSED) && !IsMenuOpen() && list->GetHwnd())
        list->SetFocus();
}

void CPlayerView::OnViewMenuShow(int shown)
{
    if (shown)
        container.GetListBox()->ModifyStyle(0, KLBS_SWIPE);
    else
        container.GetListBox()->ModifyStyle(KLBS_SWIPE, 0);
}

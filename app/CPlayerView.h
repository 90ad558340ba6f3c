// CPlayerView: the player page (IDS_PAGE_PLAYER, the home page): its title shows the selected
// playlist's name and a menu button, its content is the CPlayerContainer, and its drawer is the
// playlist panel, whose commands (adding, renaming, deleting, clearing and sorting playlists)
// the view carries out in OnNotify (CPlayerViewCommands.cpp). It also takes the page's keys.
//
// Ownership: the container is a member; the panel is created at Initialize and counted (the
// drawer slot of the base holds a second reference while the panel has its window); the title is
// a CLmTitle held by the base.
#pragma once
#include "app/CPlayerContainer.h"
#include "foundation/KPaths.h"
#include "ui/CKView.h"
#include "ui/KViewStack.h"

class CLmPlayListView;

// Flags of the drawer panel: a page's (opaque, control parent, tab stop, repaint on change).
constexpr unsigned int LMPANEL_FLAGS = KVIEW_PAGE_FLAGS;
// Cell of "TitleImgList.png" on the menu button.
constexpr int LMCELL_TITLE_MENU = 1;
constexpr int TITLE_ICON_CELL_SIZE = 24;

class CPlayerView : public CKView
{
    K_DECLARE_CLASS(CPlayerView)
public:
    CPlayerView();
    // Releases the panel.
    ~CPlayerView() override;

    // ---- Window and view operations ----
    // A CLmTitle as the title and the playlist panel (initialised, which loads the playlists),
    // whose playlist control goes to the container; then the base.
    void Initialize(unsigned int style) override;
    // After the base: the title's menu button shows its icon instead of its text.
    int OnCreate() override;
    // The playlist panel's commands (CPlayerViewCommands.cpp).
    int OnNotify(int id, int code, INT_PTR param) override;
    CKContainer* GetContainer() override { return &container; }
    // The panel's window, disabled and hidden, as the drawer.
    void CreateViewMenu() override;
    // The drawer reacts only to presses down to the top of the progress area.
    int OnViewMenuMouse(int code, int x, int y) override;
    // No swiping rows away while the drawer is open.
    void OnViewMenuShow(int shown) override;
    // The page's keys while the drawer is closed, whatever control has the focus: Space plays and
    // pauses, Left and Right seek back and forward, Ctrl+Left and Ctrl+Right play the previous and
    // the next row, Delete removes the selected row; each does what its button or gesture does.
    int OnViewKey(int code, int key, int repeatFlags) override;
    // The focus given to the page goes on to its list, so that the arrows and Enter reach the
    // rows from the start.
    void OnStateChanged(unsigned int changed) override;

    CPlayerContainer* GetPlayerContainer() { return &container; }
    CLmPlayListView* GetPlayListView() const { return panel; }
    // The file the panel's playlists live in; before Initialize (tests use their own file).
    void SetPlayListPath(const wchar_t* path);

private:
    CPlayerContainer container;
    CLmPlayListView* panel = nullptr;   // counted
    wchar_t playListPath[KMAX_PATH];    // empty: the panel's default file
};

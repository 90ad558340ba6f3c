// CLmPlayListView: the playlist panel, the player page's drawer. A tool bar (add, rename, delete
// a playlist) over the playlist tree; it passes the commands of both to its parent, the player
// view, which carries them out with its dialogs.
#pragma once
#include "app/CLmPlayListCtrl.h"
#include "app/LmIds.h"
#include "controls/CKToolBar.h"

class CLmPlayListView : public CKWindow
{
    K_DECLARE_DYNCREATE(CLmPlayListView)
public:
    CLmPlayListView();
    // Releases the playlist control.
    ~CLmPlayListView() override;

    // The file of the playlist control created at Initialize; call before Initialize.
    void SetPlayListPath(const wchar_t* path);
    // The playlist control, created and held (counted) at Initialize; none before.
    CLmPlayListCtrl* GetPlayListCtrl() const { return listCtrl; }

    // ---- Window operations ----
    // After the base: the tool bar's look and buttons, and the playlist control, initialised
    // (which loads the playlists).
    void Initialize(unsigned int style) override;
    // Creates the tool bar and the playlist control as children.
    int OnCreate() override;
    // The tool bar along the top, TitleBarHeight high; the tree fills the rest.
    void OnSize() override;
    // Tree taps and tool bar clicks become commands of the parent.
    int OnNotify(int id, int code, INT_PTR param) override;

private:
    CKToolBar toolBar;
    CLmPlayListCtrl* listCtrl = nullptr;   // counted
    wchar_t path[KMAX_PATH];
};

// CBrowseContainer: the browse page's content: the current folder's path in a band at the top, the
// file list in the middle and five buttons (refresh, tick all, invert, untick all, parent) in a
// band at the bottom. It creates the file cache the list and the drawer's folder tree share, and
// hands the ticked files and folders to the file receiver the application connects (the player
// page).
//
// Ownership: the seven children are members (uncounted windows); the cache is counted (created
// at the first Initialize); the two band drawables are counted; image lists are borrowed from the
// image cache; the file receiver is borrowed (a page that lives as long as this one).
#pragma once
#include "app/LmIds.h"
#include "controls/CKButton.h"
#include "controls/CKFileListCtrl.h"
#include "controls/CKLabel.h"
#include "foundation/KString.h"
#include "ui/CKContainer.h"

class CLmFileReceiver;

// Number of buttons in the bottom band.
constexpr int LMBROWSE_BUTTON_COUNT = 5;

class CBrowseContainer : public CKContainer
{
    K_DECLARE_CLASS(CBrowseContainer)
public:
    CBrowseContainer() = default;
    // Releases the cache and the band drawables.
    ~CBrowseContainer() override;

    // ---- Window operations ----
    // The drawables and icons, the button texts, the cache on the first call (filter from
    // "BrowseExtFilter", roots of the fixed drives), then the file list's initialisation.
    void Initialize(unsigned int style) override;
    // The list with the cache, the buttons, the label, and the list at "BrowsePath" (the drives
    // when that folder is gone or the setting is empty).
    int OnCreate() override;
    // Path band at the top, button band at the bottom (the width rule of ButtonRects), the list
    // between them.
    void OnSize() override;
    // The background, then the two bands.
    void OnPaint(CKCanvas* canvas) override;
    // Taps on the list's rows and clicks of the five buttons.
    int OnNotify(int id, int code, INT_PTR param) override;
    // IDS_BROWSE_FOLDERS opens or closes the drawer; IDS_BROWSE_OPEN closes the page and adds the
    // ticked items.
    int OnCommand(int command) override;

    // ---- Operations of the page ----
    // The list shows `path` (SetPath) and the label the list's path; 0 when it is not found.
    int ShowPath(const wchar_t* path);
    // Reads the current folder again (the page is about to be shown, or "刷 新"), through the
    // "BrowseExtFilter" setting when it changed since the cache last took it, and has the page
    // read the folders its drawer shows.
    void RefreshFolder();
    // Ticks (1), unticks (0) or inverts (-1) every row that has a check box; repaints the list.
    void SetAllChecks(int on);
    // Hands the ticked rows to the file receiver (none: nothing is handed): a file to its selected
    // playlist, a folder with files as a new playlist of them. Then it shows where the music went,
    // so the player page should be current by then: with only folders ticked the first new playlist becomes the
    // selected one; otherwise a toast names the new playlists; a toast also names the folders that
    // yielded no file. Last the path is stored in "BrowsePath" and the settings saved. Returns the
    // number of ticked rows handed over.
    int AddTickedItems();

    // Where AddTickedItems hands the files (borrowed).
    void SetFileReceiver(CLmFileReceiver* newReceiver) { receiver = newReceiver; }

    CKFileListCtrl* GetFileList() { return &fileList; }
    CKFileCache* GetCache() const { return cache; }
    CKLabel* GetPathLabel() { return &pathLabel; }
    CKButton* GetButton(int index)
    {
        return index >= 0 && index < LMBROWSE_BUTTON_COUNT ? &buttons[index] : nullptr;
    }
    const wchar_t* GetPathText() const { return pathText; }

    // The five buttons' rectangles in a band `band`: the three middle ones W / 5 wide, the two
    // outer ones share the rest equally (W being the band's width), left to right.
    static void ButtonRects(const RECT& band, RECT rects[LMBROWSE_BUTTON_COUNT]);

private:
    // The path text becomes the list's path, shown in the label; the page is told.
    void TakeListPath();
    // The band rectangles of the current client area.
    void GetBands(RECT* pathBand, RECT* buttonBand);

    CKFileListCtrl fileList;
    CKButton buttons[LMBROWSE_BUTTON_COUNT];   // LMID_BROWSE_REFRESH ... LMID_BROWSE_PARENT
    CKLabel pathLabel;
    KStringW pathText;
    CKFileCache* cache = nullptr;               // counted
    CKDrawable* pathBkgnd = nullptr;            // counted: the path band
    CKDrawable* buttonBkgnd = nullptr;          // counted: the button band
    CLmFileReceiver* receiver = nullptr;        // borrowed: the player page's content
};

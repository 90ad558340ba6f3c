// Helpers of the playlist panel and player command tests: a fixture with its own "PlayList.txt"
// and fresh settings, a window that records what the panel tells its parent, posted pointer
// input, and back-buffer pixels.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "KTreeTestSupport.h"
#include "app/CLmPlayListView.h"

// One OnNotify(id, code, param) as it reached the parent.
struct KPanelNotice
{
    int id;
    int code;
    long long param;
    bool operator==(const KPanelNotice& other) const
    {
        return id == other.id && code == other.code && param == other.param;
    }
};

// The panel's parent in the tests: records every notification.
class CPanelHost : public CKWindow
{
public:
    int OnNotify(int notifyId, int code, INT_PTR param) override;

    std::vector<KPanelNotice> notices;
};

// Each test gets its own folder for "PlayList.txt" and starts without "Settings.ini" (beside the
// test executable), which it removes again.
class PlayListFixture : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the test's "PlayList.txt" (UTF-16LE with the mark) from `text`.
    void WritePlayLists(const std::wstring& text) const;
    // The test's "PlayList.txt" as text, the mark included.
    std::wstring PlayListText() const;
    // The bytes of "Settings.ini"; empty when there is none.
    std::string SettingsBytes() const;

    // A counted panel over the file, created under a recording host that covers the frame's
    // client area (its client coordinates are the back buffer's); the panel fills it.
    CLmPlayListView* OpenPanel();

    std::wstring dir, file, settings;
    CPanelHost* host = nullptr;        // counted, one reference for the fixture
    CLmPlayListView* panel = nullptr;  // counted, one reference for the fixture
};

// Posts a press and a release at (x, y), in the window's client coordinates, and runs them.
void TapWindow(CKWindow* window, int x, int y);
// Runs the thread's queue until everything posted before this call has been handled.
void RunPosted();
// The back buffer's pixel at (x, y) as 0x00RRGGBB.
unsigned int BackBufferRgb(int x, int y);
// Repaints the window now through the platform (WM_PAINT).
void PaintNow(CKWindow* window);
// The row of `item` in the tree's client coordinates (empty when it is not displayed).
RECT RowOf(const CKTreeCtrl* tree, const KTreeItem* item);

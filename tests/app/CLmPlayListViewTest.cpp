// The playlist panel: the tool bar over the tree, row texts that end in an ellipsis at the
// drawer's edge, and what taps on its buttons and rows tell the player view (the commands, a
// changed selection) and what they leave alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KFileFixtures.h"
#include "KTestSupport.h"
#include "PlayListTestSupport.h"
#include "app/CLmPlayListView.h"
#include "app/LmSettings.h"
#include "foundation/KDevMetrics.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFont.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableRegistry.h"

namespace {

class CLmPlayListViewTest : public PlayListFixture
{
protected:
    // The panel's child window with the id.
    CKWindow* Child(int id) const
    {
        for (CKWindow* child = panel->GetFirstChild(); child; child = child->GetNextSibling())
            if (child->GetId() == id)
                return child;
        return nullptr;
    }
    CKToolBar* ToolBar() const { return static_cast<CKToolBar*>(Child(LMID_PANEL_TOOLBAR)); }

    // Taps the middle of the row of `item`.
    void TapRow(const KTreeItem* item)
    {
        CLmPlayListCtrl* ctrl = panel->GetPlayListCtrl();
        RECT row = RowOf(ctrl, item);
        ASSERT_GT(row.bottom, row.top);
        TapWindow(ctrl, (row.left + row.right) / 2, (row.top + row.bottom) / 2);
    }
    // The row carrying the command.
    KTreeItem* CommandRow(INT_PTR command) const
    {
        CLmPlayListCtrl* ctrl = panel->GetPlayListCtrl();
        for (KTreeItem* group = ctrl->GetFirstChild(nullptr); group;
             group = ctrl->GetNextSibling(group))
            for (KTreeItem* row = ctrl->GetFirstChild(group); row; row = ctrl->GetNextSibling(row))
                if (row->userData == command)
                    return row;
        return nullptr;
    }
};

} // namespace

TEST_F(CLmPlayListViewTest, ToolBarRunsAlongTheTopAndTheTreeFillsTheRest)
{
    ASSERT_TRUE(OpenPanel());
    CKToolBar* bar = ToolBar();
    ASSERT_TRUE(bar);
    const int barHeight = GetDevMetric(TitleBarHeight);
    RECT rect;
    ASSERT_TRUE(bar->GetRectInParent(&rect));
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 320);
    EXPECT_EQ(rect.bottom, barHeight);
    CLmPlayListCtrl* ctrl = panel->GetPlayListCtrl();
    ASSERT_TRUE(ctrl);
    EXPECT_EQ(static_cast<CKWindow*>(ctrl), Child(LMID_PLAYLIST_CTRL));
    ASSERT_TRUE(ctrl->GetRectInParent(&rect));
    EXPECT_EQ(rect.top, barHeight);
    EXPECT_EQ(rect.bottom, 480);
    EXPECT_EQ(rect.right, 320);
    EXPECT_TRUE(ctrl->GetStyle() & KTVS_PINNED);
    EXPECT_TRUE(ctrl->GetFlags() & KWF_VSCROLL);

    ASSERT_EQ(bar->GetCount(), 3);
    const int ids[] = {LMID_ADD_LIST, LMID_EDIT_LIST, LMID_DELETE_LIST};
    for (int i = 0; i < 3; i++) {
        const KButtonItem* item = bar->CKButtonGroup::GetItem(i);
        EXPECT_EQ((int)item->id, ids[i]);
        EXPECT_TRUE(item->content.iconList);
        EXPECT_EQ(item->content.cells[0], i);
    }
    // The buttons sit at the right end of the bar.
    const KButtonItem* last = bar->CKButtonGroup::GetItem(2);
    EXPECT_GT(last->x + last->width, 320 / 2);
}

TEST_F(CLmPlayListViewTest, ToolBarButtonsAndCommandRowsBecomeCommandsOfTheParent)
{
    ASSERT_TRUE(OpenPanel());
    CKToolBar* bar = ToolBar();
    ASSERT_TRUE(bar);
    for (int i = 0; i < 3; i++) {
        const KButtonItem* item = bar->CKButtonGroup::GetItem(i);
        TapWindow(bar, item->x + item->width / 2, item->y + item->height / 2);
    }
    EXPECT_EQ(host->notices, (std::vector<KPanelNotice>{{LMID_ADD_LIST, 257, 0},
                                                        {LMID_EDIT_LIST, 257, 1},
                                                        {LMID_DELETE_LIST, 257, 2}}));
    host->notices.clear();
    for (INT_PTR command : {5060, 5063, 5070, 5072}) {
        KTreeItem* row = CommandRow(command);
        ASSERT_TRUE(row);
        TapRow(row);
    }
    EXPECT_EQ(host->notices, (std::vector<KPanelNotice>{
                                 {5060, 257, 0}, {5063, 257, 0}, {5070, 257, 0}, {5072, 257, 0}}));
    host->notices.clear();
    // Group rows do nothing.
    CLmPlayListCtrl* ctrl = panel->GetPlayListCtrl();
    for (KTreeItem* group = ctrl->GetFirstChild(nullptr); group; group = ctrl->GetNextSibling(group))
        TapRow(group);
    EXPECT_TRUE(host->notices.empty());
}

TEST_F(CLmPlayListViewTest, TappingAnotherPlaylistSelectsItSavesTheIndexAndReportsTheChange)
{
    WritePlayLists(L"\n@a\n\n@b\n\n");
    ASSERT_TRUE(OpenPanel());
    CLmPlayListCtrl* ctrl = panel->GetPlayListCtrl();
    KTreeItem* second = ctrl->GetNextSibling(ctrl->GetFirstChild(ctrl->GetListGroup()));
    ASSERT_TRUE(second);
    TapRow(second);
    EXPECT_EQ(host->notices, (std::vector<KPanelNotice>{{LMID_PLAYLIST_CTRL, 1795, 0}}));
    EXPECT_EQ(ctrl->GetSelectedPlayList(), ctrl->PlayListAt(1));
    EXPECT_EQ(LmSettings::GetPlayListSelected(), 1);
    EXPECT_NE(SettingsBytes().find(Utf16Bytes(L"PlayListSelected = 1\n")), std::string::npos);
}

TEST_F(CLmPlayListViewTest, TappingTheSelectedPlaylistNeitherReportsNorWritesTheSettings)
{
    WritePlayLists(L"\n@a\n\n@b\n\n");
    ASSERT_TRUE(OpenPanel());
    CLmPlayListCtrl* ctrl = panel->GetPlayListCtrl();
    // An unsaved change: any save from here on would write the file.
    LmSettings::SetLoopType(2);
    ASSERT_TRUE(SettingsBytes().empty());
    TapRow(ctrl->GetSelectedListItem());
    EXPECT_TRUE(host->notices.empty());
    EXPECT_TRUE(SettingsBytes().empty()) << "Settings.ini was written";
    EXPECT_EQ(ctrl->GetSelectedPlayList(), ctrl->PlayListAt(0));
    // The check can fail: selecting does save the pending change.
    ctrl->SelectPlayList(ctrl->GetSelectedListItem());
    EXPECT_FALSE(SettingsBytes().empty());
}

TEST_F(CLmPlayListViewTest, RowTextsTooWideForTheDrawerEndInAnEllipsisInsideIt)
{
    WritePlayLists(L"\n@默认列表\n\n@一个名字特别特别长的播放列表名称\n\n");
    ASSERT_TRUE(OpenPanel());
    // As wide as the drawer on the shipped screen: two thirds of 320 pixels.
    const int drawerWidth = GetDevMetric(CxScreen) * 2 / 3;
    panel->Move(RECT{0, 0, drawerWidth, 480});
    CLmPlayListCtrl* ctrl = panel->GetPlayListCtrl();
    PaintNow(ctrl);
    RECT place;
    ASSERT_TRUE(ctrl->GetRectInParent(&place));
    const auto* look =
        static_cast<const CKTextDrawable*>(GetDrawable("LmDrawable.xml", "LmMenuListText"));
    ASSERT_TRUE(look);
    SIZE dots;
    ASSERT_TRUE(CKCanvas::MeasureText(look->GetFont() ? look->GetFont() : GetDefaultFont(), L"...",
                                      3, &dots));
    // The rows' text is near-white on the dark panel.
    const auto white = [](unsigned int rgb) {
        return (rgb >> 16 & 0xFF) > 200 && (rgb >> 8 & 0xFF) > 200 && (rgb & 0xFF) > 200;
    };
    const KTreeItem* lists = ctrl->GetFirstChild(ctrl->GetListGroup());
    ASSERT_TRUE(lists);
    const struct
    {
        const KTreeItem* item;
        bool cut;
    } rows[] = {{ctrl->GetNextSibling(lists), true}, {CommandRow(5060), true}, {lists, false}};
    for (const auto& entry : rows) {
        ASSERT_TRUE(entry.item);
        SCOPED_TRACE(testing::Message() << "row " << (&entry - rows));
        RECT row = RowOf(ctrl, entry.item);
        OffsetRect(&row, place.left, place.top);
        int last = 0;
        EXPECT_EQ(EndsInEllipsis(row, dots.cx, white, &last), entry.cut) << "ink ends at " << last;
        EXPECT_LT(last, row.right - 1) << "a glyph is cut at the drawer's edge";
    }
}

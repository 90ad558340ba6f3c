// The playlist tree: its three groups and command rows, the playlists as rows of the first group
// (selection mark, names and their numbering, appending), the deletion hook that destroys
// playlists, and the painting of group rows and of the selected playlist's accent bar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KFileFixtures.h"
#include "PlayListTestSupport.h"
#include "app/CLmPlayListCtrl.h"
#include "app/LmSettings.h"
#include "foundation/KDevMetrics.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableRegistry.h"

namespace {

class CLmPlayListCtrlTest : public PlayListFixture
{
};

// The first root item's children: the playlist rows.
std::vector<KTreeItem*> ListRows(const CLmPlayListCtrl& ctrl)
{
    std::vector<KTreeItem*> rows;
    for (KTreeItem* row = ctrl.GetFirstChild(ctrl.GetListGroup()); row;
         row = ctrl.GetNextSibling(row))
        rows.push_back(row);
    return rows;
}

// The row carrying the item data, searched over the whole tree.
KTreeItem* RowWithData(const CLmPlayListCtrl& ctrl, INT_PTR data)
{
    for (KTreeItem* group = ctrl.GetFirstChild(nullptr); group;
         group = ctrl.GetNextSibling(group))
        for (KTreeItem* row = ctrl.GetFirstChild(group); row; row = ctrl.GetNextSibling(row))
            if (row->userData == data)
                return row;
    return nullptr;
}

// The accent bar's colour as the back buffer holds it (0x00RRGGBB).
constexpr unsigned int ACCENT_RGB = 0x2372CC;
// "LmMenuListGroupFace".
constexpr unsigned int GROUP_FACE_RGB = 0x1E202A;

} // namespace

TEST_F(CLmPlayListCtrlTest, BuildsTheThreeGroupsWithTheirCommandRowsAroundTheLoadedPlaylists)
{
    WritePlayLists(L"\n@Rock\n\n@爵士\n\n");
    CLmPlayListCtrl ctrl(file.c_str());
    ctrl.Initialize(0);
    EXPECT_EQ(ChildTexts(&ctrl, nullptr), (std::vector<std::wstring>{L"播放列表", L"排序", L"系统"}));
    SIZE text = {0, 0};
    CKTextDrawable* groupText =
        static_cast<CKTextDrawable*>(GetDrawable("LmDrawable.xml", "LmMenuListGroupText"));
    ASSERT_TRUE(groupText);
    groupText->SetText(nullptr, 0);
    groupText->CalcSize(text);
    const CKDrawable* groupFace = GetDrawable("LmDrawable.xml", "LmMenuListGroupFace");
    ASSERT_TRUE(groupFace);
    const int groupHeight = text.cy + groupFace->GetMargin().top + groupFace->GetMargin().bottom
                            + groupFace->GetPadding().top + groupFace->GetPadding().bottom;
    for (KTreeItem* group = ctrl.GetFirstChild(nullptr); group;
         group = ctrl.GetNextSibling(group)) {
        EXPECT_EQ(group->flags & (KTIF_EXPANDED | KTIF_PINNED), KTIF_EXPANDED | KTIF_PINNED);
        EXPECT_EQ(group->height, groupHeight);
        EXPECT_EQ(group->userData, 0);
    }

    KTreeItem* lists = ctrl.GetListGroup();
    ASSERT_EQ(lists, ctrl.GetFirstChild(nullptr));
    EXPECT_EQ(ChildTexts(&ctrl, lists), (std::vector<std::wstring>{L"Rock", L"爵士"}));
    std::vector<KTreeItem*> rows = ListRows(ctrl);
    ASSERT_EQ(rows.size(), 2u);
    for (int i = 0; i < 2; i++) {
        EXPECT_EQ(rows[i]->flags & ~KSTATE_SLOT_MASK, KTIF_TEXT_BORROWED);
        EXPECT_EQ(rows[i]->iconCell, 3);
        EXPECT_EQ(rows[i]->iconCellOpen, 3);
        EXPECT_TRUE(rows[i]->iconList);
        EXPECT_EQ(rows[i]->userData, (INT_PTR)ctrl.PlayListAt(i));
        EXPECT_EQ(rows[i]->text, ctrl.PlayListAt(i)->GetName()) << "the row borrows the name";
    }
    EXPECT_EQ(ctrl.GetPlayListCount(), 2);
    EXPECT_TRUE(rows[0]->flags & KSTATE_CHECKED) << "the saved index 0 is selected";
    EXPECT_FALSE(rows[1]->flags & KSTATE_CHECKED);
    EXPECT_EQ(ctrl.GetSelectedListItem(), rows[0]);

    KTreeItem* sort = ctrl.GetNextSibling(lists);
    EXPECT_EQ(ChildTexts(&ctrl, sort), (std::vector<std::wstring>{L"按文件名升序排列", L"按文件名降序排列",
                                                                   L"按表演者升序排列", L"按表演者降序排列"}));
    KTreeItem* system = ctrl.GetNextSibling(sort);
    EXPECT_EQ(ChildTexts(&ctrl, system),
              (std::vector<std::wstring>{L"清空当前列表", L"选项设置", L"关于软件"}));
    const struct
    {
        INT_PTR data;
        int cell;
    } commands[] = {{5060, 4}, {5061, 5}, {5062, 4}, {5063, 5}, {5070, 6}, {5071, 7}, {5072, 8}};
    for (const auto& command : commands) {
        KTreeItem* row = RowWithData(ctrl, command.data);
        ASSERT_TRUE(row) << command.data;
        EXPECT_EQ(row->iconCell, command.cell) << command.data;
        EXPECT_EQ(row->iconCellOpen, command.cell) << command.data;
        EXPECT_EQ(row->flags, 0u) << command.data;
    }
    // Loading again replaces the playlists; the groups and commands stay.
    WritePlayLists(L"\n@only\n\n");
    ctrl.LoadPlayLists();
    EXPECT_EQ(ChildTexts(&ctrl, lists), std::vector<std::wstring>{L"only"});
    EXPECT_EQ(ctrl.GetItemCount(), 3 + 1 + 4 + 3);
}

TEST_F(CLmPlayListCtrlTest, SelectingMovesTheMarkStoresTheIndexAndIgnoresOtherRows)
{
    WritePlayLists(L"\n@a\n\n@b\n\n@c\n\n");
    CLmPlayListCtrl ctrl(file.c_str());
    ctrl.Initialize(0);
    std::vector<KTreeItem*> rows = ListRows(ctrl);
    ASSERT_EQ(rows.size(), 3u);
    ctrl.SelectPlayList(rows[2]);
    EXPECT_EQ(ctrl.GetSelectedPlayList(), ctrl.PlayListAt(2));
    EXPECT_FALSE(rows[0]->flags & KSTATE_CHECKED);
    EXPECT_TRUE(rows[2]->flags & KSTATE_CHECKED);
    EXPECT_EQ(LmSettings::GetPlayListSelected(), 2);
    EXPECT_NE(SettingsBytes().find(Utf16Bytes(L"PlayListSelected = 2\n")), std::string::npos);
    // Groups, command rows and none are no playlists.
    ctrl.SelectPlayList(ctrl.GetListGroup());
    ctrl.SelectPlayList(RowWithData(ctrl, 5071));
    ctrl.SelectPlayList(nullptr);
    EXPECT_EQ(ctrl.GetSelectedListItem(), rows[2]);
    int marked = 0;
    for (KTreeItem* group = ctrl.GetFirstChild(nullptr); group; group = ctrl.GetNextSibling(group))
        for (KTreeItem* row = ctrl.GetFirstChild(group); row; row = ctrl.GetNextSibling(row))
            marked += (row->flags & KSTATE_CHECKED) ? 1 : 0;
    EXPECT_EQ(marked, 1);
    ctrl.SelectPlayListByIndex(-3);
    EXPECT_TRUE(rows[0]->flags & KSTATE_CHECKED);
    EXPECT_FALSE(rows[2]->flags & KSTATE_CHECKED);
}

TEST_F(CLmPlayListCtrlTest, RenamingFollowsTheNameInTheRowAndAddingAppendsAnUnselectedRow)
{
    WritePlayLists(L"\n@A\n\n");
    CLmPlayListCtrl ctrl(file.c_str());
    ctrl.Initialize(0);
    const std::string before = ReadFileBytes(file);
    const std::wstring longName(300, L'长');   // moves the name to a new buffer
    ASSERT_EQ(ctrl.RenamePlayList(longName.c_str()), 1);
    KTreeItem* row = ctrl.GetSelectedListItem();
    EXPECT_EQ(TextOf(row), longName);
    EXPECT_EQ(row->text, ctrl.PlayListAt(0)->GetName());

    CLmPlayList* added = ctrl.AddPlayList(L"新列表");
    ASSERT_TRUE(added);
    std::vector<KTreeItem*> rows = ListRows(ctrl);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1]->userData, (INT_PTR)added);
    EXPECT_EQ(TextOf(rows[1]), L"新列表");
    EXPECT_FALSE(rows[1]->flags & KSTATE_CHECKED);
    EXPECT_EQ(ctrl.GetSelectedPlayList(), ctrl.PlayListAt(0));
    EXPECT_EQ(ctrl.IndexOfPlayList(added), 1);
    EXPECT_EQ(ReadFileBytes(file), before) << "adding and renaming do not write the file";
}

TEST_F(CLmPlayListCtrlTest, ANameTakenAlreadyIsNumberedWithTheFirstFreeNumber)
{
    // A file holding one name twice (as an earlier version could write) loads them apart.
    WritePlayLists(L"\n@Rock\n\n@Jazz\n\n@rock\n\n");
    CLmPlayListCtrl ctrl(file.c_str());
    ctrl.Initialize(0);
    EXPECT_STREQ(ctrl.PlayListAt(2)->GetName(), L"rock (2)");
    const std::string before = ReadFileBytes(file);

    // Each name as a new playlist is named in turn.
    const std::vector<std::pair<std::wstring, std::wstring>> names = {
        {L"Rock", L"Rock (3)"}, {L"ROCK", L"ROCK (4)"}, {L"Blues", L"Blues"}, {L"jazz", L"jazz (2)"},
        {L"Rock (3)", L"Rock (3) (2)"}, {L"", L""}, {L"", L" (2)"}};
    for (const auto& name : names) {
        CLmPlayList* added = ctrl.AddPlayList(name.first.c_str());
        ASSERT_TRUE(added) << name.first;
        EXPECT_EQ(std::wstring(added->GetName()), name.second) << name.first;
        EXPECT_EQ(TextOf(ListRows(ctrl).back()), name.second) << name.first;
    }
    EXPECT_EQ(ReadFileBytes(file), before) << "numbering writes nothing by itself";
}

TEST_F(CLmPlayListCtrlTest, RemovingAPlaylistRowDestroysItsPlaylistWhileCommandRowsOwnNothing)
{
    WritePlayLists(L"\n@a\n\n@b\n\n");
    CLmPlayListCtrl* ctrl = new CLmPlayListCtrl(file.c_str());
    ctrl->EnableRefCount();
    ctrl->AddRef();
    ctrl->Initialize(0);
    CLmMediaInfo* record = NewMediaInfoForFile(L"C:\\held.mp3");
    record->AddRef();   // the test's own hold shows when a playlist lets go
    ctrl->PlayListAt(0)->Add(record);
    ctrl->PlayListAt(1)->Add(record);
    ASSERT_EQ(record->GetRefCount(), 3);

    ASSERT_EQ(ctrl->DeleteItem(RowWithData(*ctrl, 5071)), 1);
    EXPECT_EQ(ctrl->GetPlayListCount(), 2);
    EXPECT_EQ(record->GetRefCount(), 3);

    ASSERT_EQ(ctrl->DeleteItem(ListRows(*ctrl)[0]), 1);
    EXPECT_EQ(record->GetRefCount(), 2) << "the playlist went with its row";
    EXPECT_EQ(ctrl->GetPlayListCount(), 1);
    EXPECT_EQ(ctrl->GetSelectedPlayList(), nullptr) << "the selected row was removed";
    EXPECT_STREQ(ctrl->PlayListAt(0)->GetName(), L"b");

    // A window's destruction removes the rest through the hook; so does deleting the control.
    RECT rect = {0, 0, 200, 300};
    ASSERT_TRUE(ctrl->Create(0, 5051, nullptr, KWF_OPAQUE));
    ctrl->Move(rect);
    ctrl->Destroy();
    EXPECT_EQ(record->GetRefCount(), 1);
    EXPECT_EQ(ctrl->GetPlayListCount(), 0);
    EXPECT_EQ(ctrl->GetListGroup(), nullptr);
    EXPECT_EQ(ctrl->AddPlayList(L"late"), nullptr);
    ctrl->Release();

    CLmPlayListCtrl* unshown = new CLmPlayListCtrl(file.c_str());
    unshown->Initialize(0);
    unshown->PlayListAt(1)->Add(record);
    EXPECT_EQ(record->GetRefCount(), 2);
    delete unshown;
    EXPECT_EQ(record->GetRefCount(), 1);
    record->Release();
}

TEST_F(CLmPlayListCtrlTest, PaintsGroupRowsWithTheGroupLookAndTheAccentBarOnTheSelectedPlaylist)
{
    WritePlayLists(L"\n@first\n\n@second\n\n");
    ASSERT_TRUE(OpenPanel());
    CLmPlayListCtrl* ctrl = panel->GetPlayListCtrl();
    PaintNow(panel);
    std::vector<KTreeItem*> rows = ListRows(*ctrl);
    ASSERT_EQ(rows.size(), 2u);
    const int bar = UnitToPixels(2, 1);
    ASSERT_GE(bar, 1);
    auto probe = [&](const KTreeItem* item, int x) {
        RECT row = RowOf(ctrl, item);
        POINT point = {row.left + x, (row.top + row.bottom) / 2};
        ctrl->ClientToRoot(&point);
        return BackBufferRgb(point.x, point.y);
    };
    RECT groupRow = RowOf(ctrl, ctrl->GetListGroup());
    ASSERT_GT(groupRow.bottom, groupRow.top);
    EXPECT_EQ(probe(ctrl->GetListGroup(), groupRow.right - groupRow.left - 2), GROUP_FACE_RGB);
    EXPECT_EQ(probe(rows[0], 0), ACCENT_RGB);
    EXPECT_EQ(probe(rows[0], bar - 1), ACCENT_RGB);
    EXPECT_NE(probe(rows[0], bar), ACCENT_RGB);
    EXPECT_NE(probe(rows[1], 0), ACCENT_RGB);

    ctrl->SelectPlayList(rows[1]);
    PaintNow(panel);
    EXPECT_NE(probe(rows[0], 0), ACCENT_RGB);
    EXPECT_EQ(probe(rows[1], 0), ACCENT_RGB);
}

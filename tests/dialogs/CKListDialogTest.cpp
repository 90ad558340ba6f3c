// List dialogs: the owner fills the list when it is ready, a tap on a row closes the dialog with
// the row's index, the back key and a tap outside close it without one; the content is as high as
// its rows and no wider than four fifths of the screen.
#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "ListDialogTestSupport.h"
#include "dialogs/CKListDialog.h"
#include "foundation/KDevMetrics.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/KDrawableRegistry.h"

namespace {

constexpr char DLG_FILE[] = "res/DrawableDlg.xml";

// Fills the list with `rows` rows "Row 0", "Row 1", ... when the dialog says it is ready.
class CListOwner : public CDialogOwner
{
public:
    int OnNotify(int notifyId, int code, INT_PTR param) override
    {
        if (code == KDLG_LIST_READY) {
            CKListBox* list = (CKListBox*)param;
            listCount = list->GetCount();
            for (int i = 0; i < rows; i++) {
                wchar_t text[16];
                wsprintfW(text, L"Row %d", i);
                list->SetItemText(list->AddItem(0), text, -1, nullptr, 0);
            }
        }
        return CDialogOwner::OnNotify(notifyId, code, param);
    }

    int rows = 3;
    int listCount = -1;   // rows in the list when it was handed over
};

// A list dialog that shows its bands.
class CBandListDialog : public CKListDialog
{
public:
    CKFaceDrawable* Top() const { return top; }
    CKFaceDrawable* Middle() const { return middle; }
    CKFaceDrawable* Bottom() const { return bottom; }
};

// Creates, initialises and shows a list dialog; the window tree holds it afterwards.
template <class T>
T* ShowListDialog(CKWindow* owner, int dialogId, const wchar_t* title, bool cancelOutside)
{
    T* dialog = new T();
    dialog->AddRef();
    EXPECT_EQ(dialog->InitDialog(title, nullptr, nullptr, nullptr), 1);
    dialog->SetDialogId(dialogId);
    dialog->SetOwner(owner);
    dialog->SetCancelOnOutsideTap(cancelOutside);
    EXPECT_EQ(dialog->Show(), 1);
    dialog->Release();
    return dialog;
}

class ListDialogTest : public DialogTest
{
protected:
    // Pumps until the filling owner has a notification with `code`.
    bool WaitForList(int code)
    {
        return PumpLikeLoopUntil([&] { return listOwner.Find(code) != nullptr; }, 2000);
    }

    CListOwner listOwner;
};

} // namespace

TEST_F(ListDialogTest, OwnerFillsTheReadyListAndATapReportsTheRowsIndex)
{
    CBandListDialog* dialog = ShowListDialog<CBandListDialog>(&listOwner, 41, L"Pick", false);
    ASSERT_EQ(CurrentListDialog(), dialog);
    CKListBox* list = dialog->GetList();

    // 2592 came first, with the list, still empty; then the framework's own notifications.
    const std::vector<int> codes = listOwner.Codes();
    ASSERT_GE(codes.size(), 4u);
    EXPECT_EQ(codes[0], KDLG_LIST_READY);
    EXPECT_EQ(codes[1], KDLG_CREATED);
    EXPECT_EQ(codes[2], KDLG_FILL);
    EXPECT_EQ(listOwner.Find(KDLG_LIST_READY)->param, (INT_PTR)list);
    EXPECT_EQ(listOwner.Find(KDLG_LIST_READY)->id, 41);
    EXPECT_EQ(listOwner.listCount, 0);

    // The list: id 1000, group rows toggled by a tap anywhere, rows 24 units high, no background,
    // the dialog looks; the list bands in place of the plain ones, even with a title.
    EXPECT_EQ(list->GetId(), KDLG_LIST_ID);
    EXPECT_EQ(list->GetStyle() & KLBS_MODE_MASK, KLBS_GROUP);
    EXPECT_TRUE(list->GetStyle() & KLBS_TAP_TOGGLES);
    EXPECT_EQ(list->GetDefaultItemHeight(), UnitToPixels(24, 1));
    EXPECT_EQ(list->GetBackground(), nullptr);
    EXPECT_EQ((CKDrawable*)list->GetFaceDrawable(), GetDrawable(DLG_FILE, "DefDlgListFace"));
    EXPECT_EQ((CKDrawable*)list->GetText1Drawable(), GetDrawable(DLG_FILE, "DefDlgListText"));
    EXPECT_EQ((CKDrawable*)list->GetGroupItemFaceDrawable(),
              GetDrawable(DLG_FILE, "DefDlgListGroupItemFace"));
    EXPECT_EQ((CKDrawable*)list->GetGroupItemTextDrawable(),
              GetDrawable(DLG_FILE, "DefDlgListGroupItemText"));
    EXPECT_EQ((CKDrawable*)dialog->Top(), GetDrawable(DLG_FILE, "DefDlgListTop"));
    EXPECT_EQ((CKDrawable*)dialog->Middle(), GetDrawable(DLG_FILE, "DefDlgListMiddle"));
    EXPECT_EQ((CKDrawable*)dialog->Bottom(), GetDrawable(DLG_FILE, "DefDlgListBottom"));

    // The content: four fifths of the 320-pixel side across, the three rows high; the list fills it.
    RECT content, listRect;
    ASSERT_TRUE(dialog->GetContainer()->GetClientRect(&content));
    EXPECT_EQ(content.right, 256);
    EXPECT_EQ(content.bottom, 3 * UnitToPixels(24, 1));
    ASSERT_TRUE(list->GetClientRect(&listRect));
    EXPECT_TRUE(EqualRect(&content, &listRect));

    TapRow(dialog, 1);
    ASSERT_TRUE(WaitForList(KDLG_LIST_ITEM));
    EXPECT_EQ(listOwner.Find(KDLG_LIST_ITEM)->id, 41);
    EXPECT_EQ(listOwner.Find(KDLG_LIST_ITEM)->param, 1);
    EXPECT_EQ(listOwner.Find(KDLG_CANCEL), nullptr);
}

TEST_F(ListDialogTest, BackKeyAndATapOutsideCloseWithoutAnIndex)
{
    ShowListDialog<CKListDialog>(&listOwner, 42, nullptr, true);
    ASSERT_TRUE(CurrentListDialog());
    KViewPointer pointer(CurrentListDialog());
    pointer.Tap(2, 2);
    ASSERT_TRUE(WaitForList(KDLG_CANCEL));
    EXPECT_EQ(listOwner.Find(KDLG_CANCEL)->id, 42);
    EXPECT_EQ(listOwner.Find(KDLG_CANCEL)->param, 0);

    listOwner.notices.clear();
    ShowListDialog<CKListDialog>(&listOwner, 43, nullptr, false);
    ASSERT_TRUE(CurrentListDialog());
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitForList(KDLG_CANCEL));
    EXPECT_EQ(listOwner.Find(KDLG_CANCEL)->id, 43);
    EXPECT_EQ(listOwner.Find(KDLG_CANCEL)->param, 0);
    EXPECT_EQ(listOwner.Find(KDLG_LIST_ITEM), nullptr) << "no row was chosen";
}

TEST_F(ListDialogTest, LongListScrollsInsideTheScreenAndAMaximumSizeWins)
{
    listOwner.rows = 60;
    CKListDialog* dialog = ShowListDialog<CKListDialog>(&listOwner, 44, nullptr, false);
    const RECT box = Box();
    RECT view, content;
    ASSERT_TRUE(dialog->GetClientRect(&view));
    ASSERT_TRUE(dialog->GetContainer()->GetClientRect(&content));
    EXPECT_EQ(box.top, view.top);
    EXPECT_LE(box.bottom, view.bottom);
    EXPECT_LT(content.bottom, 60 * UnitToPixels(24, 1));
    int xExtent = 0, yExtent = 0;
    dialog->GetList()->GetScrollExtent(&xExtent, &yExtent);
    EXPECT_EQ(yExtent, 60 * UnitToPixels(24, 1)) << "the rows scroll in the list";

    // The last row, scrolled into view, can still be chosen.
    dialog->GetList()->EnsureVisible(59, 0);
    TapRow(dialog, 59);
    ASSERT_TRUE(WaitForList(KDLG_LIST_ITEM));
    EXPECT_EQ(listOwner.Find(KDLG_LIST_ITEM)->param, 59);

    // A maximum set before showing limits the content on both sides.
    listOwner.rows = 3;
    dialog = new CKListDialog();
    dialog->AddRef();
    ASSERT_EQ(dialog->InitDialog(nullptr, nullptr, nullptr, nullptr), 1);
    dialog->SetOwner(&listOwner);
    dialog->GetListContainer()->SetMaxSize(120, 30);
    ASSERT_EQ(dialog->Show(), 1);
    dialog->Release();
    ASSERT_TRUE(dialog->GetContainer()->GetClientRect(&content));
    EXPECT_EQ(content.right, 120);
    EXPECT_EQ(content.bottom, 30);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(PumpLikeLoopUntil([] { return !CurrentListDialog(); }, 2000));
}

TEST_F(ListDialogTest, ListWithoutOwnerOrRowsIsEmptyAndStillCloses)
{
    CKListDialog* dialog = ShowListDialog<CKListDialog>(nullptr, 45, nullptr, false);
    ASSERT_EQ(CurrentListDialog(), dialog);
    EXPECT_EQ(dialog->GetList()->GetCount(), 0);
    RECT content;
    ASSERT_TRUE(dialog->GetContainer()->GetClientRect(&content));
    EXPECT_EQ(content.bottom, 0) << "no rows, no height";
    // A tap on the empty content changes nothing; the back key closes the dialog.
    KViewPointer pointer(dialog);
    const RECT box = Box();
    pointer.Tap((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    RunPostedLikeLoop();
    EXPECT_EQ(CurrentListDialog(), dialog);
    PressKey(VK_ESCAPE);
}

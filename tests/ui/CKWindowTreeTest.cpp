// The window tree beside the HWND tree: creation and destruction with the tree's reference, tree
// walks, state changes and their notifications, scrolling by moving child windows, geometry,
// dialog codes, menus, and a subclassed native "EDIT" control.
#include <gtest/gtest.h>

#include "KTestSupport.h"
#include "WindowTestSupport.h"
#include "graphics/CKColorDrawable.h"
#include "graphics/CKImgList.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KImageCache.h"
#include "ui/CKApplication.h"
#include "ui/CKMenu.h"

namespace {

using Events = std::vector<std::string>;

// A window that keeps `answer` from the dialog navigation and records the keys it is asked about.
class CKeyKeepingWindow : public CRecordingWindow
{
public:
    unsigned int GetDialogCode(int key) override
    {
        asked.push_back(key);
        return answer;
    }

    unsigned int answer = 0;
    std::vector<int> asked;
};

// Records the menu items it is asked to update.
class CMenuOwner : public CRecordingWindow
{
public:
    void OnUpdateMenuItem(CKMenu*, int itemId) override { updated.push_back(itemId); }
    std::vector<int> updated;
};

// The platform "EDIT" control in the window tree, as the text field puts it there.
class CNativeEdit : public CRecordingWindow
{
public:
    int CreateEdit(CKWindow* parent, int editId, unsigned int extraFlags)
    {
        if (!AllocItem(parent))
            return 0;
        HWND hwnd = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                    parent->GetHwnd(), (HMENU)(INT_PTR)editId,
                                    GetModuleHandleW(nullptr), nullptr);
        if (!hwnd) {
            FreeItem();
            return 0;
        }
        SubclassNative(hwnd);
        flags |= KWF_SHOWN | extraFlags;
        id = editId;
        return Create(0, editId, parent, 0);
    }
};

int SizeOf(const RECT& rect, bool vertical)
{
    return vertical ? rect.bottom - rect.top : rect.right - rect.left;
}

} // namespace

TEST(CKWindowTree, CreateBuildsTheTreeBesideTheHwndTreeAndDestroyReleasesTheSubtree)
{
    EnsureTestFrame();
    bool parentDeleted = false, childDeleted = false, grandchildDeleted = false;
    CRecordingWindow* parent = new CRecordingWindow(&parentDeleted);
    CRecordingWindow* child = new CRecordingWindow(&childDeleted);
    CRecordingWindow* sibling = new CRecordingWindow();
    CRecordingWindow* grandchild = new CRecordingWindow(&grandchildDeleted);
    for (CKWindow* window : {(CKWindow*)parent, (CKWindow*)child, (CKWindow*)sibling,
                             (CKWindow*)grandchild})
        window->EnableRefCount();
    const int treeBefore = GetWindowTree()->GetCount();

    ASSERT_TRUE(parent->Create(0x5, 100, nullptr, KWF_OPAQUE));
    ASSERT_TRUE(child->Create(0, 101, parent, 0));
    ASSERT_TRUE(sibling->Create(0, 102, parent, KWF_OPAQUE | KWF_CONTROLPARENT));
    ASSERT_TRUE(grandchild->Create(0, 103, child, 0));
    EXPECT_EQ(GetWindowTree()->GetCount(), treeBefore + 4);
    EXPECT_EQ(parent->GetRefCount(), 1) << "the tree holds one reference";
    EXPECT_EQ(parent->GetFlags(), KWF_OPAQUE | KWF_SHOWN | KWF_INITIALIZED);
    EXPECT_EQ(parent->GetStyle(), 0x5u);
    EXPECT_EQ(parent->GetId(), 100);

    // HWNDs nest like the items; the id is the platform child id; no parent means the frame.
    EXPECT_EQ(::GetParent(parent->GetHwnd()), GetFrameWindow());
    EXPECT_EQ(::GetParent(grandchild->GetHwnd()), child->GetHwnd());
    EXPECT_EQ(GetDlgCtrlID(child->GetHwnd()), 101);
    EXPECT_EQ(GetWindowLongW(child->GetHwnd(), GWL_EXSTYLE) & WS_EX_TRANSPARENT,
              WS_EX_TRANSPARENT);
    EXPECT_EQ(GetWindowLongW(parent->GetHwnd(), GWL_EXSTYLE)
                  & (WS_EX_TRANSPARENT | WS_EX_CONTROLPARENT),
              0);
    EXPECT_EQ(GetWindowLongW(sibling->GetHwnd(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT,
              WS_EX_CONTROLPARENT);
    EXPECT_EQ((KWndItem*)GetWindowLongPtrW(child->GetHwnd(), GWLP_USERDATA), child->GetItem());
    EXPECT_EQ(child->GetItem()->prevProc, DefWindowProcW);
    EXPECT_EQ(child->GetItem()->window, child);

    // Walks.
    EXPECT_EQ(parent->GetParent(), nullptr);
    EXPECT_EQ(parent->GetFirstChild(), child);
    EXPECT_EQ(child->GetNextSibling(), sibling);
    EXPECT_EQ(sibling->GetPrevSibling(), child);
    EXPECT_EQ(sibling->GetNextSibling(), nullptr);
    EXPECT_EQ(grandchild->GetParent(), child);
    EXPECT_EQ(grandchild->GetRootItem(), parent->GetItem());

    // Coordinates between a window and its root.
    parent->Move(RECT{10, 20, 210, 220});
    child->Move(RECT{30, 40, 130, 140});
    grandchild->Move(RECT{5, 6, 25, 26});
    RECT inParent;
    ASSERT_TRUE(grandchild->GetRectInParent(&inParent));
    EXPECT_EQ(inParent.left, 5);
    EXPECT_EQ(inParent.bottom, 26);
    ASSERT_TRUE(parent->GetRectInParent(&inParent));
    EXPECT_EQ(inParent.top, 20) << "a root's rect is in the frame's client coordinates";
    POINT point = {1, 2};
    ASSERT_TRUE(grandchild->ClientToRoot(&point));
    EXPECT_EQ(point.x, 36);
    EXPECT_EQ(point.y, 48);
    ASSERT_TRUE(grandchild->RootToClient(&point));
    EXPECT_EQ(point.x, 1);
    EXPECT_EQ(point.y, 2);
    RECT client;
    ASSERT_TRUE(child->GetClientRect(&client));
    ASSERT_TRUE(child->ClientToRoot(&client));
    EXPECT_EQ(client.left, 30);
    EXPECT_EQ(client.bottom, 140);

    // Destroying the parent's HWND destroys the subtree; the tree's references go and the
    // objects with them.
    HWND childHwnd = child->GetHwnd();
    parent->Destroy();
    EXPECT_TRUE(parentDeleted);
    EXPECT_TRUE(childDeleted);
    EXPECT_TRUE(grandchildDeleted);
    EXPECT_FALSE(IsWindow(childHwnd));
    EXPECT_EQ(GetWindowTree()->GetCount(), treeBefore);
}

TEST(CKWindowTree, WindowsWithoutItemDoNothingAndUncountedOnesDieWithTheirOwner)
{
    EnsureTestFrame();
    CRecordingWindow loose;
    RECT rect = {1, 2, 3, 4};
    EXPECT_EQ(loose.GetHwnd(), nullptr);
    EXPECT_EQ(loose.NotifyParent(3, 0, 0), 0);
    EXPECT_EQ(loose.GetClientRect(&rect), 0);
    EXPECT_EQ(loose.GetRectInParent(&rect), 0);
    EXPECT_FALSE(loose.IsShown());
    EXPECT_FALSE(loose.IsEnabled());
    loose.Enable(false);
    loose.ModifyStyle(1, 0);
    loose.ScrollTo(5, 5);
    loose.SetScrollExtent(10, 10);
    EXPECT_EQ(loose.GetFlags(), 0u);
    EXPECT_EQ(loose.GetStyle(), 0u);
    EXPECT_TRUE(loose.events.empty());
    EXPECT_EQ(loose.OnCreate(), 0);

    // A failed platform creation leaves no item behind.
    const int treeBefore = GetWindowTree()->GetCount();
    CRecordingWindow* parentless = new CRecordingWindow();
    CRecordingWindow orphan;
    EXPECT_EQ(orphan.Create(0, 1, parentless, 0), 0) << "the parent has no HWND";
    EXPECT_EQ(orphan.GetItem(), nullptr);
    EXPECT_EQ(GetWindowTree()->GetCount(), treeBefore);
    delete parentless;

    // An uncounted window deleted while its HWND lives takes the HWND with it.
    CRecordingWindow* owned = new CRecordingWindow();
    ASSERT_TRUE(owned->Create(0, 2, nullptr, 0));
    HWND hwnd = owned->GetHwnd();
    delete owned;
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(GetWindowTree()->GetCount(), treeBefore);
}

TEST(CKWindowState, EnableNotifiesTheParentOnlyOnChangeAndRepaints)
{
    KWindowScope scope;
    CRecordingWindow* parent = scope.Add(new CRecordingWindow(), nullptr, KWF_OPAQUE,
                                         RECT{0, 0, 100, 100});
    ASSERT_TRUE(parent);
    CRecordingWindow* child = scope.Add(new CRecordingWindow(), parent, 0, RECT{0, 0, 40, 40}, 21);
    ASSERT_TRUE(child);
    UpdateWindow(parent->GetHwnd());
    UpdateWindow(child->GetHwnd());
    const int paints = child->paints;

    child->Enable(false);
    EXPECT_FALSE(child->IsEnabled());
    EXPECT_TRUE(child->GetFlags() & KWF_DISABLED);
    EXPECT_FALSE(IsWindowEnabled(child->GetHwnd()));
    EXPECT_EQ(child->Events("state"), (Events{"state 8192"}));
    EXPECT_EQ(parent->Events("notify"), (Events{"notify 21 4 0"}));
    UpdateWindow(child->GetHwnd());
    EXPECT_GT(child->paints, paints) << "disabling repaints";

    child->Enable(false);
    EXPECT_EQ(parent->Events("notify").size(), 1u) << "no change, no notification";
    child->Enable(true);
    EXPECT_TRUE(child->IsEnabled());
    EXPECT_EQ(parent->Events("notify"), (Events{"notify 21 4 0", "notify 21 3 0"}));

    // NotifyParent with an explicit id; a root has no parent to tell.
    EXPECT_EQ(child->NotifyParent(257, 9, 500), 1);
    EXPECT_EQ(parent->events.back(), "notify 500 257 9");
    EXPECT_EQ(parent->NotifyParent(257, 9, 0), 0);
}

TEST(CKWindowState, ShowActivateAndStyleFollowTheirFlags)
{
    KWindowScope scope;
    CRecordingWindow* parent = scope.Add(new CRecordingWindow(), nullptr, KWF_OPAQUE,
                                         RECT{0, 0, 100, 100});
    ASSERT_TRUE(parent);
    CRecordingWindow* child = scope.Add(new CRecordingWindow(), parent, 0, RECT{0, 0, 40, 40});
    CRecordingWindow* grandchild = scope.Add(new CRecordingWindow(), child, 0, RECT{0, 0, 9, 9});
    ASSERT_TRUE(child && grandchild);

    EXPECT_TRUE(grandchild->IsShown());
    child->Show(false);
    EXPECT_FALSE(IsWindowVisible(child->GetHwnd()));
    EXPECT_FALSE(child->GetFlags() & KWF_SHOWN);
    EXPECT_FALSE(grandchild->IsShown()) << "a hidden ancestor hides it";
    EXPECT_TRUE(grandchild->GetFlags() & KWF_SHOWN);
    child->Show(true);
    EXPECT_TRUE(grandchild->IsShown());

    parent->OnActivate(1);
    EXPECT_TRUE(grandchild->GetFlags() & KWF_ACTIVE);
    EXPECT_EQ(grandchild->Events("activate"), (Events{"activate 1"}));
    parent->OnDeactivate(0);
    EXPECT_FALSE(child->GetFlags() & KWF_ACTIVE);
    EXPECT_FALSE(grandchild->GetFlags() & KWF_ACTIVE);

    child->ModifyStyle(0x30, 0);
    child->ModifyStyle(0x10, 0x20);
    child->ModifyStyle(0x10, 0);
    EXPECT_EQ(child->GetStyle(), 0x10u);
    EXPECT_EQ(child->Events("style"), (Events{"style 48", "style 32"}));
}

TEST(CKWindowScroll, ScrollToMovesTheChildrenAndTheExtentClampsThePosition)
{
    KWindowScope scope;
    CRecordingWindow* list = scope.Add(new CRecordingWindow(), nullptr,
                                       KWF_OPAQUE | KWF_VSCROLL, RECT{0, 0, 100, 100});
    ASSERT_TRUE(list);
    CRecordingWindow* row = scope.Add(new CRecordingWindow(), list, 0, RECT{0, 150, 100, 190});
    ASSERT_TRUE(row);
    list->SetScrollExtent(0, 300);
    int x = -1, y = -1;
    list->GetScrollExtent(&x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 300);

    list->ScrollTo(40, 120);
    list->GetScrollPos(&x, &y);
    EXPECT_EQ(x, 0) << "the window does not scroll horizontally";
    EXPECT_EQ(y, 120);
    EXPECT_EQ(list->events, (Events{"scroll 50 0 120"}));
    RECT rect;
    row->GetRectInParent(&rect);
    EXPECT_EQ(rect.top, 30);
    EXPECT_EQ(rect.bottom, 70);
    EXPECT_EQ(list->GetItem()->yApplied, 120);

    // ScrollTo does not clamp; the extent does, to [0, extent - client height].
    list->ScrollTo(0, 500);
    list->GetScrollPos(nullptr, &y);
    EXPECT_EQ(y, 500);
    list->SetScrollExtent(0, 150);
    list->GetScrollPos(nullptr, &y);
    EXPECT_EQ(y, 50);
    list->SetScrollExtent(0, 60);
    list->GetScrollPos(nullptr, &y);
    EXPECT_EQ(y, 0) << "content shorter than the window";
    list->ScrollTo(0, -20);
    list->SetScrollExtent(0, 300);
    list->GetScrollPos(nullptr, &y);
    EXPECT_EQ(y, 0);
    // The children follow the applied position on the next scroll.
    list->ScrollTo(0, 10);
    row->GetRectInParent(&rect);
    EXPECT_EQ(rect.top, 140);

    // No extent: the position stays 0 and nothing is reported.
    list->SetScrollExtent(-1, -1);
    list->GetScrollExtent(&x, &y);
    EXPECT_EQ(y, 0);
    list->events.clear();
    list->ScrollTo(0, 30);
    list->GetScrollPos(nullptr, &y);
    EXPECT_EQ(y, 0);
    EXPECT_TRUE(list->events.empty());
}

TEST(CKWindowTree, BackgroundKeepsOnlyFaceDrawablesWithOneReference)
{
    KWindowScope scope;
    CRecordingWindow* window = scope.Add(new CRecordingWindow(), nullptr, 0, RECT{0, 0, 9, 9});
    ASSERT_TRUE(window);
    CKColorDrawable* face = new CKColorDrawable();
    CKTextDrawable* text = new CKTextDrawable();
    face->EnableRefCount();
    face->AddRef();
    text->EnableRefCount();
    text->AddRef();
    window->SetBackground(face);
    EXPECT_EQ(window->GetBackground(), face);
    EXPECT_EQ(face->GetRefCount(), 2);
    window->SetBackground(text);
    EXPECT_EQ(window->GetBackground(), nullptr) << "a text style is no background";
    EXPECT_EQ(face->GetRefCount(), 1);
    EXPECT_EQ(text->GetRefCount(), 1);
    window->SetBackground(face);
    window->Destroy();
    EXPECT_EQ(face->GetRefCount(), 2) << "the object still holds it while the scope does";
    face->Release();
    text->Release();
}

TEST(CKWindowTree, TheDialogCodeIsTheWindowsOwnAnswerForTheKeyAskedAbout)
{
    KWindowScope scope;
    CKeyKeepingWindow* keeper = scope.Add(new CKeyKeepingWindow(), nullptr, 0, RECT{0, 0, 9, 9});
    CRecordingWindow* plain = scope.Add(new CRecordingWindow(), nullptr, 0, RECT{0, 0, 9, 9});
    ASSERT_TRUE(keeper && plain);
    keeper->answer = DLGC_WANTARROWS | DLGC_WANTMESSAGE;
    // The key of a press or release, as a library key code; nothing for other messages.
    const MSG enterDown = {keeper->GetHwnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    const MSG leftUp = {keeper->GetHwnd(), WM_KEYUP, VK_LEFT, 0, 0, {0, 0}};
    const MSG character = {keeper->GetHwnd(), WM_CHAR, 'a', 0, 0, {0, 0}};
    for (const MSG* msg : {&enterDown, &leftUp, &character, (const MSG*)nullptr})
        EXPECT_EQ(SendMessageW(keeper->GetHwnd(), WM_GETDLGCODE, msg ? msg->wParam : 0,
                               (LPARAM)msg),
                  (LRESULT)(DLGC_WANTARROWS | DLGC_WANTMESSAGE));
    EXPECT_EQ(keeper->asked, (std::vector<int>{KK_ENTER, KK_LEFT, 0, 0}));
    // A window that keeps nothing leaves every key to the navigation.
    EXPECT_EQ(SendMessageW(plain->GetHwnd(), WM_GETDLGCODE, VK_RETURN, (LPARAM)&enterDown), 0);
}

TEST(CKWindowTree, InitMenuUpdatesEveryItemButSubmenusAndHeaders)
{
    CMenuOwner owner;
    CKMenu* menu = new CKMenu();
    CKMenu* submenu = new CKMenu();
    submenu->EnableRefCount();
    submenu->AddRef();
    menu->AddItem(5001, 0, L"Open", nullptr);
    menu->AddItem(5002, KMENU_SUBMENU, L"More", submenu);
    menu->AddItem(5003, KMENU_HEADER, L"Group", nullptr);
    menu->AddItem(5004, KMENU_CHECK | KMENU_CHECKED | KMENU_DISABLED, L"Shuffle", nullptr);
    owner.OnInitMenu(menu);
    EXPECT_EQ(owner.updated, (std::vector<int>{5001, 5004}));
    owner.OnInitMenu(nullptr);
    EXPECT_EQ(owner.updated.size(), 2u);
    delete menu;
    EXPECT_EQ(submenu->GetRefCount(), 1);
    submenu->Release();
}

TEST(CKWindowNative, ASubclassedEditReportsTextChangesFocusAndItsDrawnFrame)
{
    KWindowScope scope;
    CRecordingWindow* parent = scope.Add(new CRecordingWindow(), nullptr, KWF_OPAQUE,
                                         RECT{0, 0, 200, 100});
    ASSERT_TRUE(parent);
    bool deleted = false;
    CNativeEdit* edit = new CNativeEdit();
    edit->EnableRefCount();
    ASSERT_TRUE(edit->CreateEdit(parent, 31, KWF_FRAMED));
    EXPECT_EQ(edit->GetRefCount(), 1);
    EXPECT_EQ(edit->GetParent(), parent);
    EXPECT_EQ(GetWindowLongPtrW(edit->GetHwnd(), GWLP_WNDPROC), (LONG_PTR)KNativeCtrlProc);
    EXPECT_NE(edit->GetItem()->prevProc, DefWindowProcW);
    EXPECT_TRUE(edit->GetFlags() & KWF_INITIALIZED);

    // The frame takes a quarter of the control-border cell on each side.
    CKImgList* border = CreateImgListByGrid(1, 4, L"res/CtrlBorder.png", KIMG_TYPE_PNG, KIMG_AUTO);
    ASSERT_TRUE(border);
    int cellWidth = 0, cellHeight = 0;
    border->GetCellSize(&cellWidth, &cellHeight);
    delete border;
    edit->Move(RECT{10, 10, 110, 50});
    RECT client;
    edit->GetClientRect(&client);
    EXPECT_EQ(SizeOf(client, false), 100 - 2 * (cellWidth / 4));
    EXPECT_EQ(SizeOf(client, true), 40 - 2 * (cellHeight / 4));

    // Typing changes the text: the parent hears 1025 from the edit's id.
    PostMessageW(edit->GetHwnd(), WM_CHAR, L'a', 1);
    DeliverPosted();
    EXPECT_EQ(parent->Events("notify"), (Events{"notify 31 1025 0"}));
    // Focus follows the platform focus.
    edit->SetFocus();
    EXPECT_TRUE(edit->GetFlags() & KWF_FOCUSED);
    parent->SetFocus();
    EXPECT_FALSE(edit->GetFlags() & KWF_FOCUSED);
    EXPECT_EQ(parent->Events("notify"),
              (Events{"notify 31 1025 0", "notify 31 1 0", "notify 31 2 0"}));

    // An EN_CHANGE from a control that is not in the tree is ignored.
    HWND stranger = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 10, 10, parent->GetHwnd(),
                                    (HMENU)32, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(parent->GetHwnd(), WM_COMMAND, MAKEWPARAM(32, EN_CHANGE), (LPARAM)stranger);
    EXPECT_EQ(parent->Events("notify").size(), 3u);
    DestroyWindow(stranger);

    edit->deleted = &deleted;
    edit->Destroy();
    EXPECT_TRUE(deleted) << "WM_DESTROY released the tree's reference";
}

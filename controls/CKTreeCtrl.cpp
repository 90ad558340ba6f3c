// CKTreeCtrl: the items and their records, selection, check and radio boxes, expansion (immediate
// or through CKAniTreeExpand), updates off and on, sorting and the control's drawables.
//
// Index: construction and drawables - items - sorting - selection and boxes - expansion.
#include "controls/CKTreeCtrl.h"

#include "controls/CKAniTreeExpand.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KMemory.h"
#include "foundation/KText.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKImgList.h"
#include "graphics/CKStateBoxDrawable.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableSlot.h"

K_IMPLEMENT_DYNCREATE(CKTreeCtrl, CKWindow)

namespace {

constexpr char TREE_FILE[] = "res/DrawableTC.xml";
// Row height and indent, in base units.
constexpr int ROW_UNITS = 20;
constexpr int INDENT_UNITS = 20;

// ASCII-only case folding, as the library's case-insensitive comparisons do.
unsigned int FoldCase(wchar_t unit)
{
    return unit >= L'A' && unit <= L'Z' ? (unsigned int)(unit - L'A' + L'a') : (unsigned int)unit;
}

} // namespace

// ---- Construction and drawables -----------------------------------------------------------------

CKTreeCtrl::CKTreeCtrl()
    : itemHeight(UnitToPixels(ROW_UNITS, 0)), indentWidth(UnitToPixels(INDENT_UNITS, 0))
{
}

CKTreeCtrl::~CKTreeCtrl()
{
    tree.RemoveAll(FreeItemProc, nullptr);
    KDropDrawable(face);
    KDropDrawable(icon);
    KDropDrawable(text);
    KDropDrawable(button);
    KDropDrawable(box);
}

void CKTreeCtrl::Initialize(unsigned int newStyle)
{
    CKWindow::Initialize(newStyle);
    if (!background)
        SetBackground(GetDrawable(TREE_FILE, "DefTreeCtrlBkgnd"));
    KLoadDrawable(face, TREE_FILE, "DefTreeCtrlFace", K_RUNTIME_CLASS(CKFaceDrawable));
    KLoadDrawable(icon, TREE_FILE, "DefTreeCtrlIcon", K_RUNTIME_CLASS(CKIconDrawable));
    KLoadDrawable(text, TREE_FILE, "DefTreeCtrlText", K_RUNTIME_CLASS(CKTextDrawable));
    KLoadDrawable(button, TREE_FILE, "DefTreeCtrlButton", K_RUNTIME_CLASS(CKFaceDrawable));
    if (!box)
        KHoldDrawable(box, GetStateBoxDrawable(), K_RUNTIME_CLASS(CKDrawable));
}

void CKTreeCtrl::OnDestroy()
{
    // A dying tree needs no end state: the animation stops, and its next tick only lets go.
    if (CKAniTreeExpand* running = GetExpandAnimation())
        running->Stop();
    tree.RemoveAll(DeleteItemProc, this);
    selectedItem = nullptr;
    pressedItem = nullptr;
    contentHeight = 0;
    CKWindow::OnDestroy();
}

void CKTreeCtrl::OnSize()
{
    CKWindow::OnSize();
    FinishExpandAnimation();
    RecalcItems();
    Invalidate();
}

void CKTreeCtrl::SetFaceDrawable(CKDrawable* drawable)
{
    KHoldDrawable(face, drawable, K_RUNTIME_CLASS(CKFaceDrawable));
}

void CKTreeCtrl::SetIconDrawable(CKDrawable* drawable)
{
    KHoldDrawable(icon, drawable, K_RUNTIME_CLASS(CKIconDrawable));
}

void CKTreeCtrl::SetTextDrawable(CKDrawable* drawable)
{
    KHoldDrawable(text, drawable, K_RUNTIME_CLASS(CKTextDrawable));
}

void CKTreeCtrl::SetButtonDrawable(CKDrawable* drawable)
{
    KHoldDrawable(button, drawable, K_RUNTIME_CLASS(CKFaceDrawable));
}

void CKTreeCtrl::SetBoxDrawable(CKDrawable* drawable)
{
    KHoldDrawable(box, drawable, K_RUNTIME_CLASS(CKDrawable));
}

void CKTreeCtrl::SetRedraw(bool on)
{
    if (!on) {
        flags &= ~KWF_REPAINT_ON_CHANGE;
        return;
    }
    flags |= KWF_REPAINT_ON_CHANGE;
    FinishExpandAnimation();
    RecalcItems();
    Invalidate();
}

// ---- Items --------------------------------------------------------------------------------------

void CKTreeCtrl::OnDeleteItem(KTreeItem*) {}

int CKTreeCtrl::FreeItemProc(KTreeItem* item, void*)
{
    if (!(item->flags & KTIF_TEXT_BORROWED))
        KFree((void*)item->text);
    item->text = nullptr;
    item->textLength = 0;
    if (item->iconList)
        item->iconList->Release();
    item->iconList = nullptr;
    return 1;
}

int CKTreeCtrl::DeleteItemProc(KTreeItem* item, void* context)
{
    static_cast<CKTreeCtrl*>(context)->OnDeleteItem(item);
    return FreeItemProc(item, nullptr);
}

void CKTreeCtrl::ItemsChanged()
{
    if (!IsUpdating())
        return;
    RecalcItems();
    Invalidate();
}

KTreeItem* CKTreeCtrl::AttachItem(KTreeItem* item, unsigned int itemFlags)
{
    if (!item)
        return nullptr;
    item->flags = itemFlags;
    item->height = itemHeight;
    item->iconCell = -1;
    item->iconCellOpen = -1;
    const KTreeItem* parent = tree.GetParent(item);
    item->depth = parent ? parent->depth + 1 : 0;
    if (box && (itemFlags & KTIF_BOX_MASK) && box->IsKindOf(K_RUNTIME_CLASS(CKStateBoxDrawable)))
        static_cast<CKStateBoxDrawable*>(box)->PrepareKind(itemFlags & KTIF_BOX_MASK);
    ItemsChanged();
    return item;
}

KTreeItem* CKTreeCtrl::InsertItem(KTreeItem* parent, unsigned int itemFlags)
{
    FinishExpandAnimation();
    return AttachItem(tree.AddChild(parent), itemFlags);
}

KTreeItem* CKTreeCtrl::InsertFirst(KTreeItem* parent, unsigned int itemFlags)
{
    FinishExpandAnimation();
    return AttachItem(tree.AddFirstChild(parent), itemFlags);
}

KTreeItem* CKTreeCtrl::InsertAfter(KTreeItem* sibling, unsigned int itemFlags)
{
    if (!sibling)
        return nullptr;
    FinishExpandAnimation();
    return AttachItem(tree.InsertAfter(sibling), itemFlags);
}

void CKTreeCtrl::ForgetSubtree(const KTreeItem* item)
{
    for (const KTreeItem* walk = selectedItem; walk; walk = tree.GetParent(walk))
        if (walk == item) {
            selectedItem = nullptr;
            break;
        }
    for (const KTreeItem* walk = pressedItem; walk; walk = tree.GetParent(walk))
        if (walk == item) {
            pressedItem = nullptr;
            break;
        }
}

int CKTreeCtrl::DeleteItem(KTreeItem* item)
{
    if (!item)
        return 0;
    FinishExpandAnimation();
    ForgetSubtree(item);
    tree.Remove(item, DeleteItemProc, this);
    ItemsChanged();
    return 1;
}

void CKTreeCtrl::RemoveAllItems()
{
    FinishExpandAnimation();
    tree.RemoveAll(DeleteItemProc, this);
    selectedItem = nullptr;
    pressedItem = nullptr;
    pinnedTop = pinnedBottom = -1;
    contentHeight = 0;
    SetScrollExtent(-1, -1);
    ItemsChanged();
}

int CKTreeCtrl::SetItemText(KTreeItem* item, const wchar_t* newText, int length)
{
    if (!item)
        return 0;
    if (!(item->flags & KTIF_TEXT_BORROWED))
        KFree((void*)item->text);
    item->text = nullptr;
    item->textLength = 0;
    int result = 1;
    if (newText) {
        const int count = length < 0 ? KStrLenW(newText) : length;
        if (item->flags & KTIF_TEXT_BORROWED) {
            item->text = newText;
            item->textLength = count;
        } else {
            wchar_t* copy = KStrNDupW(newText, count);
            item->text = copy;
            item->textLength = copy ? KStrLenW(copy) : 0;
            result = copy ? 1 : 0;
        }
    }
    InvalidateItem(item);
    return result;
}

void CKTreeCtrl::SetItemIcon(KTreeItem* item, CKImgList* list, int cell, int openCell)
{
    if (!item)
        return;
    if (list)
        list->AddRef();
    if (item->iconList)
        item->iconList->Release();
    item->iconList = list;
    item->iconCell = cell;
    item->iconCellOpen = openCell;
    InvalidateItem(item);
}

void CKTreeCtrl::SetItemHeight(KTreeItem* item, int height)
{
    if (!item)
        return;
    FinishExpandAnimation();
    if (height >= 1) {
        item->flags |= KTIF_OWN_HEIGHT;
        item->height = height;
    } else {
        item->flags &= ~KTIF_OWN_HEIGHT;
        item->height = itemHeight;
    }
    ItemsChanged();
}

void CKTreeCtrl::SetItemData(KTreeItem* item, INT_PTR data)
{
    if (item)
        item->userData = data;
}

void CKTreeCtrl::ModifyItemFlags(KTreeItem* item, unsigned int add, unsigned int remove)
{
    // The bits with bookkeeping of their own stay with the operations that keep it.
    const unsigned int kept = KSTATE_SELECTED | KTIF_PRESS_BITS | KTIF_ANIMATING | KTIF_EXPANDED
                              | KTIF_EXPANDED_ONCE | KTIF_OWN_HEIGHT | KTIF_TEXT_BORROWED;
    const unsigned int layoutBits = KTIF_HIDDEN | KTIF_PINNED;
    if (!item)
        return;
    const unsigned int changed = (((item->flags | add) & ~remove) ^ item->flags) & ~kept;
    if (changed & layoutBits)
        FinishExpandAnimation();
    item->flags ^= changed;
    if (changed & layoutBits)
        ItemsChanged();
    else if (changed)
        InvalidateItem(item);
}

// ---- Sorting ------------------------------------------------------------------------------------

int CKTreeCtrl::CompareTexts(const KTreeItem* a, const KTreeItem* b, void*)
{
    const int common = a->textLength < b->textLength ? a->textLength : b->textLength;
    for (int i = 0; i < common; i++) {
        const unsigned int x = FoldCase(a->text[i]);
        const unsigned int y = FoldCase(b->text[i]);
        if (x != y)
            return (int)x - (int)y;
    }
    return a->textLength - b->textLength;
}

void CKTreeCtrl::SortLevel(KTreeItem* parent, KItemCompareProc compare, void* context)
{
    tree.Sort(parent, compare, 1, context);
    for (KTreeItem* child = tree.GetFirstChild(parent); child; child = tree.GetNext(child))
        if (tree.GetFirstChild(child))
            SortLevel(child, compare, context);
}

void CKTreeCtrl::Sort(KItemCompareProc compare, void* context)
{
    FinishExpandAnimation();
    SortLevel(nullptr, compare ? compare : CompareTexts, context);
    ItemsChanged();
}

// ---- Selection and boxes ------------------------------------------------------------------------

void CKTreeCtrl::InvalidateItem(const KTreeItem* item)
{
    RECT rect;
    if (IsUpdating() && GetItemRect(item, &rect))
        Invalidate(&rect);
}

int CKTreeCtrl::Select(KTreeItem* item)
{
    if (item == selectedItem)
        return 0;
    KTreeItem* old = selectedItem;
    if (old) {
        old->flags &= ~KSTATE_SELECTED;
        InvalidateItem(old);
    }
    selectedItem = item;
    if (item) {
        item->flags |= KSTATE_SELECTED;
        InvalidateItem(item);
        ScrollIntoView(item);
    }
    NotifyParent(KNOTIFY_TREE_SELECTED, (INT_PTR)item, 0);
    return 1;
}

void CKTreeCtrl::SetPressed(KTreeItem* item, unsigned int pressBits)
{
    if (pressedItem) {
        pressedItem->flags &= ~KTIF_PRESS_BITS;
        InvalidateItem(pressedItem);
    }
    pressedItem = item;
    if (item) {
        item->flags |= KSTATE_PRESSED | (pressBits & KTIF_PRESS_BITS);
        InvalidateItem(item);
    }
}

int CKTreeCtrl::SetCheck(KTreeItem* item, bool on)
{
    if (!item || on == GetCheck(item))
        return 0;
    item->flags ^= KSTATE_CHECKED;
    InvalidateItem(item);
    NotifyParent(KNOTIFY_TREE_CHECKED, (INT_PTR)item, 0);
    return 1;
}

int CKTreeCtrl::SetRadioCheck(KTreeItem* item, bool on)
{
    if (!on)
        return SetCheck(item, false);
    if (!item || GetCheck(item))
        return 0;
    // Only the radio siblings belong to the item's group: a check box beside them keeps its state.
    for (KTreeItem* sibling = tree.GetFirstChild(tree.GetParent(item)); sibling;
         sibling = tree.GetNext(sibling))
        if (sibling != item && (sibling->flags & KTIF_BOX_MASK) == KBOX_RADIO
            && (sibling->flags & KSTATE_CHECKED)) {
            sibling->flags &= ~KSTATE_CHECKED;
            InvalidateItem(sibling);
        }
    item->flags |= KSTATE_CHECKED;
    InvalidateItem(item);
    NotifyParent(KNOTIFY_TREE_CHECKED, (INT_PTR)item, 0);
    return 1;
}

// ---- Expansion ----------------------------------------------------------------------------------

bool CKTreeCtrl::IsExpandable(const KTreeItem* item) const
{
    return item && ((item->flags & KTIF_HAS_CHILDREN) || tree.GetFirstChild(item));
}

CKAniTreeExpand* CKTreeCtrl::GetExpandAnimation() const
{
    if (!animation || !animation->IsRunning()
        || !animation->IsKindOf(K_RUNTIME_CLASS(CKAniTreeExpand)))
        return nullptr;
    return static_cast<CKAniTreeExpand*>(animation);
}

void CKTreeCtrl::FinishExpandAnimation()
{
    if (CKAniTreeExpand* running = GetExpandAnimation())
        running->Finish();
}

void CKTreeCtrl::ApplyExpand(KTreeItem* item, bool expand)
{
    if (expand)
        item->flags |= KTIF_EXPANDED;
    else
        item->flags &= ~KTIF_EXPANDED;
    if (IsUpdating()) {
        RecalcItems();
        if (IsShown()) {
            int position;
            GetScrollPos(nullptr, &position);
            const int target = RevealPosition(item->layoutY, item->subtreeBottom, contentHeight);
            if (target != position)
                ScrollTo(0, target);
        }
        Invalidate();
    }
    if (expand)
        NotifyParent(KNOTIFY_TREE_EXPANDED, (INT_PTR)item, 0);
}

int CKTreeCtrl::Expand(KTreeItem* item, bool expand, bool animate)
{
    if (!item)
        return 0;
    FinishExpandAnimation();
    if (expand == IsExpanded(item))
        return 0;
    if (expand) {
        if (!IsExpandable(item))
            return 0;
        NotifyParent(KNOTIFY_TREE_EXPANDING, (INT_PTR)item, 0);
        // The parent may have added the children just now, or found there are none.
        if (!tree.GetFirstChild(item))
            return 0;
        if (style & KTVS_ACCORDION)
            for (KTreeItem* sibling = tree.GetFirstChild(tree.GetParent(item)); sibling;
                 sibling = tree.GetNext(sibling))
                if (sibling != item)
                    sibling->flags &= ~KTIF_EXPANDED;
        item->flags |= KTIF_EXPANDED_ONCE;
    }
    if (animate && IsUpdating() && IsShown()) {
        CKAniTreeExpand* anim = new CKAniTreeExpand(this, item, expand);
        if (anim) {
            StartAnimation(anim);
            return 1;
        }
    }
    ApplyExpand(item, expand);
    return 1;
}

void CKTreeCtrl::ToggleExpand(KTreeItem* item)
{
    if (IsExpanded(item))
        Expand(item, false, true);
    else if (IsExpandable(item))
        Expand(item, true, true);
}

// CKTreeCtrl: laying out the rows, pinning group headers, hit tests, and the walks over the
// displayed rows that painting, input and the expand animation share.
//
// Index: walks - layout - pinning - scrolling into view - hit tests.
#include "controls/CKTreeCtrl.h"

#include "controls/CKAniTreeExpand.h"

// ---- Walks --------------------------------------------------------------------------------------

bool CKTreeCtrl::ShowsChildren(const KTreeItem* item)
{
    return (item->flags & (KTIF_EXPANDED | KTIF_ANIMATING)) == KTIF_EXPANDED;
}

KTreeItem* CKTreeCtrl::NextShownSibling(const KTreeItem* item) const
{
    KTreeItem* next = tree.GetNext(item);
    while (next && (next->flags & KTIF_HIDDEN))
        next = tree.GetNext(next);
    return next;
}

KTreeItem* CKTreeCtrl::PrevShownSibling(const KTreeItem* item) const
{
    KTreeItem* prev = tree.GetPrev(item);
    while (prev && (prev->flags & KTIF_HIDDEN))
        prev = tree.GetPrev(prev);
    return prev;
}

KTreeItem* CKTreeCtrl::FirstShownChild(const KTreeItem* parent) const
{
    KTreeItem* child = tree.GetFirstChild(parent);
    return child && (child->flags & KTIF_HIDDEN) ? NextShownSibling(child) : child;
}

KTreeItem* CKTreeCtrl::LastShownChild(const KTreeItem* parent) const
{
    KTreeItem* child = tree.GetLastChild(parent);
    return child && (child->flags & KTIF_HIDDEN) ? PrevShownSibling(child) : child;
}

KTreeItem* CKTreeCtrl::NextVisible(const KTreeItem* item) const
{
    if (!item)
        return nullptr;
    if (ShowsChildren(item))
        if (KTreeItem* child = FirstShownChild(item))
            return child;
    for (const KTreeItem* walk = item; walk; walk = tree.GetParent(walk))
        if (KTreeItem* next = NextShownSibling(walk))
            return next;
    return nullptr;
}

KTreeItem* CKTreeCtrl::PrevVisible(const KTreeItem* item) const
{
    if (!item)
        return nullptr;
    KTreeItem* prev = PrevShownSibling(item);
    if (!prev)
        return tree.GetParent(item);
    // The previous sibling's last displayed descendant.
    while (ShowsChildren(prev)) {
        KTreeItem* last = LastShownChild(prev);
        if (!last)
            break;
        prev = last;
    }
    return prev;
}

bool CKTreeCtrl::IsDisplayed(const KTreeItem* item) const
{
    if (!item || (item->flags & KTIF_HIDDEN))
        return false;
    for (const KTreeItem* parent = tree.GetParent(item); parent; parent = tree.GetParent(parent))
        if ((parent->flags & KTIF_HIDDEN) || !ShowsChildren(parent))
            return false;
    return true;
}

int CKTreeCtrl::DisplayedBottom() const
{
    const CKAniTreeExpand* running = GetExpandAnimation();
    return contentHeight - (running ? running->GetHiddenHeight() : 0);
}

// ---- Layout -------------------------------------------------------------------------------------

void CKTreeCtrl::RecalcItems()
{
    // Pre-order over the laid-out rows (an expanded item's children follow it, also while it is
    // animated); leaving an item's subtree sets its bottom.
    int position = 0;
    KTreeItem* item = FirstShownChild(nullptr);
    while (item) {
        if (!(item->flags & KTIF_OWN_HEIGHT))
            item->height = itemHeight;
        item->x = 0;
        item->y = item->layoutY = position;
        position += item->height;
        item->subtreeBottom = position;
        if (item->flags & KTIF_EXPANDED)
            if (KTreeItem* child = FirstShownChild(item)) {
                item = child;
                continue;
            }
        while (item) {
            if (KTreeItem* next = NextShownSibling(item)) {
                item = next;
                break;
            }
            item = tree.GetParent(item);
            if (item)
                item->subtreeBottom = position;
        }
    }
    contentHeight = position;
    SetScrollExtent(-1, contentHeight);
    if (style & KTVS_PINNED)
        PinHeaders();
}

// ---- Pinning ------------------------------------------------------------------------------------

void CKTreeCtrl::PinLevel(KTreeItem* parent, int s, int& bandTop, int& bandBottom)
{
    for (KTreeItem* item = FirstShownChild(parent); item; item = NextShownSibling(item)) {
        if (!(item->flags & KTIF_EXPANDED))
            continue;
        int inner = s;
        if (item->flags & KTIF_PINNED) {
            int y = item->layoutY;
            if (s >= item->layoutY) {
                const int lowest = item->subtreeBottom - item->height;
                y = s < lowest ? s : lowest;
            }
            if (y != item->y) {
                WidenBand(bandTop, bandBottom, y < item->y ? y : item->y,
                          (y > item->y ? y : item->y) + item->height);
                item->y = y;
            }
            inner = item->y + item->height;
        }
        if (!(item->flags & KTIF_ANIMATING))
            PinLevel(item, inner, bandTop, bandBottom);
    }
}

void CKTreeCtrl::WidenBand(int& top, int& bottom, int addTop, int addBottom)
{
    if (bottom <= top) {
        top = addTop;
        bottom = addBottom;
        return;
    }
    top = addTop < top ? addTop : top;
    bottom = addBottom > bottom ? addBottom : bottom;
}

void CKTreeCtrl::PinHeaders()
{
    int s;
    GetScrollPos(nullptr, &s);
    int top = 0;
    int bottom = 0;
    PinLevel(nullptr, s, top, bottom);
    const bool moved = bottom > top;
    // What the rows covered before and cover now is repainted.
    int dirtyTop = top;
    int dirtyBottom = bottom;
    if (pinnedTop >= 0)
        WidenBand(dirtyTop, dirtyBottom, pinnedTop, pinnedBottom);
    RECT client;
    if (dirtyBottom > dirtyTop && GetClientRect(&client)) {
        const RECT dirty = {client.left, dirtyTop - s, client.right, dirtyBottom - s};
        Invalidate(&dirty);
    }
    pinnedTop = moved ? top : -1;
    pinnedBottom = moved ? bottom : -1;
}

void CKTreeCtrl::OnScroll(int code, int xPos, int yPos)
{
    CKWindow::OnScroll(code, xPos, yPos);
    if (style & KTVS_PINNED)
        PinHeaders();
}

// ---- Scrolling into view ------------------------------------------------------------------------

int CKTreeCtrl::RevealPosition(int top, int bottom, int contentEnd) const
{
    RECT client;
    if (!GetClientRect(&client))
        return 0;
    const int height = client.bottom - client.top;
    int target;
    GetScrollPos(nullptr, &target);
    if (bottom - target > height)
        target = bottom - height;
    if (top < target)
        target = top;
    const int last = contentEnd - height > 0 ? contentEnd - height : 0;
    if (target > last)
        target = last;
    return target < 0 ? 0 : target;
}

void CKTreeCtrl::ScrollIntoView(const KTreeItem* item)
{
    if (!IsUpdating() || !IsDisplayed(item))
        return;
    int position;
    GetScrollPos(nullptr, &position);
    const int target = RevealPosition(item->y, item->y + item->height, contentHeight);
    if (target != position)
        ScrollTo(0, target);
}

// ---- Hit tests ----------------------------------------------------------------------------------

int CKTreeCtrl::GetItemRect(const KTreeItem* item, RECT* rect) const
{
    RECT client;
    if (!rect || !IsDisplayed(item) || !GetClientRect(&client))
        return 0;
    int s;
    GetScrollPos(nullptr, &s);
    rect->left = client.left;
    rect->right = client.right;
    rect->top = client.top - s + item->y;
    rect->bottom = rect->top + item->height;
    return 1;
}

KTreeItem* CKTreeCtrl::HitTest(int x, int y) const
{
    RECT client;
    if (!GetClientRect(&client) || x < client.left || x >= client.right)
        return nullptr;
    int s;
    GetScrollPos(nullptr, &s);
    for (KTreeItem* item = FirstShownChild(nullptr); item; item = NextVisible(item)) {
        const int top = client.top - s + item->y;
        if (top > y)
            break;
        if (y < top + item->height)
            return item;
    }
    return nullptr;
}

int CKTreeCtrl::IndentOf(const KTreeItem* item) const
{
    return indentWidth * (item->depth + ((style & KTVS_ROOT_INDENT) ? 1 : 0));
}

int CKTreeCtrl::HitTestPart(const KTreeItem* item, int x, int) const
{
    RECT client;
    if (!item || !GetClientRect(&client))
        return 0;
    const int c = client.left + IndentOf(item);
    if (indentWidth > 0 && x < c) {
        if ((style & KTVS_BUTTONS) && x >= c - indentWidth)
            return KTVP_BUTTON;
        return KTVP_INDENT;
    }
    if ((item->flags & KTIF_BOX_MASK) && box) {
        box->SetState(item->flags);
        SIZE size = {client.right - client.left, item->height};
        box->CalcSize(size);
        if (item->flags & KTIF_BOX_RIGHT) {
            if (x >= client.right - size.cx)
                return KTVP_BOX;
        } else if (x < c + size.cx) {
            return KTVP_BOX;
        }
    }
    return KTVP_BODY;
}

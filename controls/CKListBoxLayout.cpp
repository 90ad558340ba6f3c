// CKListBox: laying out rows and cells, finding the item and the part under a point, measuring
// items and rows, scrolling an item into view, and expanding an item's button group.
//
// Index: helpers - layout - hit-testing - sizes - scrolling and expansion.
#include "controls/CKListBox.h"

#include "controls/CKAniListBoxExpand.h"
#include "controls/CKButtonGroup.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKStateBoxDrawable.h"
#include "graphics/CKTextDrawable.h"
#include "ui/CKAniScroll.h"

// ---- Helpers ------------------------------------------------------------------------------------

namespace {

// Margin plus padding of a drawable on each side; all 0 without one.
RECT Insets(const CKDrawable* drawable)
{
    RECT insets = {0, 0, 0, 0};
    if (drawable) {
        const RECT& margin = drawable->GetMargin();
        const RECT& padding = drawable->GetPadding();
        insets.left = margin.left + padding.left;
        insets.top = margin.top + padding.top;
        insets.right = margin.right + padding.right;
        insets.bottom = margin.bottom + padding.bottom;
    }
    return insets;
}

void GrowByInsets(SIZE& size, const CKDrawable* drawable)
{
    const RECT insets = Insets(drawable);
    size.cx += insets.left + insets.right;
    size.cy += insets.top + insets.bottom;
}

int Larger(int a, int b)
{
    return a > b ? a : b;
}

} // namespace

int CKListBox::GetClientWidth() const
{
    RECT client;
    return GetClientRect(&client) ? client.right - client.left : 0;
}

// ---- Layout -------------------------------------------------------------------------------------

void CKListBox::RecalcItems()
{
    const int width = GetClientWidth();
    const int count = items.GetCount();
    columns = 1;
    if (style & KLBS_GRID) {
        if (cellWidth > 0 && width / cellWidth > 1)
            columns = width / cellWidth;
        for (int i = 0; i < count; i++) {
            KListItem* item = GetItem(i);
            item->x = i % columns * cellWidth;
            item->y = i / columns * itemHeight;
            item->width = cellWidth;
            item->height = itemHeight;
        }
        // A partly filled last row counts as a whole row; no blank row follows it.
        contentWidth = columns * cellWidth;
        contentHeight = (count + columns - 1) / columns * itemHeight;
    } else {
        int y = 0;
        for (int i = 0; i < count; i++) {
            KListItem* item = GetItem(i);
            // A row slid aside keeps its offset until its swipe ends.
            if (!(item->flags & KLI_SLID))
                item->x = 0;
            item->y = y;
            item->width = width;
            if (!(item->flags & KLI_OWN_HEIGHT))
                item->height = itemHeight;
            y += item->height;
        }
        contentWidth = width;
        contentHeight = y;
    }
    SetScrollExtent(-1, contentHeight);
}

void CKListBox::LayoutGroup(CKButtonGroup* group)
{
    group->Layout(SIZE{GetClientWidth(), 0}, KLAYOUT_HORZ | KLAYOUT_GRID | KLAYOUT_TOP);
}

void CKListBox::LayoutItemButtons()
{
    if (!(style & KLBS_BUTTONS))
        return;
    const int count = items.GetCount();
    for (int i = 0; i < count; i++)
        if (CKButtonGroup* group = GetItem(i)->buttons)
            LayoutGroup(group);
    // The expanded row follows its group's new height.
    KListItem* expanded = GetItem(expandedIndex);
    if (expanded && (expanded->flags & KLI_EXPANDED))
        expanded->height = itemHeight + GetButtonsHeight(expandedIndex);
}

void CKListBox::OnSize()
{
    CKWindow::OnSize();
    LayoutItemButtons();
    RecalcItems();
    Invalidate();
}

// ---- Hit-testing --------------------------------------------------------------------------------

int CKListBox::GetItemRect(int index, RECT* rect)
{
    const KListItem* item = GetItem(index);
    if (!item || !rect)
        return 0;
    int yPos = 0;
    GetScrollPos(nullptr, &yPos);
    rect->left = item->x;
    rect->top = item->y - yPos;
    rect->right = rect->left + item->width;
    rect->bottom = rect->top + item->height;
    return 1;
}

int CKListBox::FindFirstBelow(int y) const
{
    // Bottoms never decrease with the index (the layout invariant): binary search.
    int low = 0;
    int high = items.GetCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        const KListItem* item = GetItem(middle);
        if (item->y + item->height > y)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

int CKListBox::HitTest(int x, int y)
{
    int yPos = 0;
    GetScrollPos(nullptr, &yPos);
    const int contentY = y + yPos;
    if (contentY < 0)
        return -1;
    const int count = items.GetCount();
    if (style & KLBS_GRID) {
        if (x < 0 || itemHeight < 1 || cellWidth < 1)
            return -1;
        const int column = x / cellWidth;
        const long long index = (long long)(contentY / itemHeight) * columns + column;
        return column < columns && index < count ? (int)index : -1;
    }
    const int index = FindFirstBelow(contentY);
    return index < count ? index : -1;
}

int CKListBox::HitTestPart(int index, int x, int y)
{
    const KListItem* item = GetItem(index);
    RECT rect;
    if (!item || !GetItemRect(index, &rect))
        return KLBP_BODY;
    if ((item->flags & KLI_BOX_MASK) && !(style & KLBS_TAP_TOGGLES) && box) {
        const RECT insets = Insets(face);
        const int left = rect.left + insets.left;
        const int right = rect.right - insets.right;
        SIZE size = {0, 0};
        box->SetState(item->flags);
        box->CalcSize(size);
        if (item->flags & KLI_BOX_RIGHT) {
            if (x >= right - size.cx && x < right)
                return KLBP_BOX;
        } else if (x >= left && x < left + size.cx) {
            return KLBP_BOX;
        }
    }
    if ((style & KLBS_BUTTONS) && index == expandedIndex && y >= rect.top + itemHeight
        && y < rect.bottom)
        return KLBP_BUTTONS;
    return KLBP_BODY;
}

// ---- Sizes --------------------------------------------------------------------------------------

int CKListBox::CalcItemSize(int index, SIZE& size)
{
    const KListItem* item = GetItem(index);
    if (!item)
        return 0;
    const bool header = (style & KLBS_MODE_MASK) == KLBS_GROUP && (item->flags & KLI_HEADER);
    CKTextDrawable* firstLine = header ? groupItemText : text1;
    SIZE textSize = {0, 0};
    if (item->text1 && firstLine) {
        const SIZE line = MeasureText(firstLine, item->text1, item->text1Length, 0);
        textSize.cx = line.cx;
        textSize.cy = line.cy;
    }
    if (!header && item->text2 && text2) {
        const SIZE line = MeasureText(text2, item->text2, item->text2Length, 0);
        textSize.cx = Larger(textSize.cx, line.cx);
        textSize.cy += line.cy;
    }
    SIZE side = {0, 0};
    if (!header && item->iconList && icon) {
        SIZE iconSize = {0, 0};
        icon->SetIconList(item->iconList, item->iconCell);
        icon->SetState(0);
        icon->CalcSize(iconSize);
        side = iconSize;
    }
    if (!header && (item->flags & KLI_BOX_MASK) && box) {
        SIZE boxSize = {0, 0};
        box->SetState((style & KLBS_MODE_MASK) == KLBS_GROUP ? item->flags & KLI_BOX_MASK
                                                             : KBOX_CHECK);
        box->CalcSize(boxSize);
        side.cx += boxSize.cx;
        side.cy = Larger(side.cy, boxSize.cy);
    }
    size.cx = side.cx + textSize.cx;
    size.cy = Larger(side.cy, textSize.cy);
    GrowByInsets(size, header ? groupItemFace : face);
    return 1;
}

int CKListBox::CalcSize(SIZE& size)
{
    SIZE first = text1 ? MeasureText(text1, nullptr, 0, 0) : SIZE{0, 0};
    SIZE second = text2 ? MeasureText(text2, nullptr, 0, 0) : SIZE{0, 0};
    size.cx = Larger(first.cx, second.cx);
    size.cy = first.cy + second.cy;
    if (box) {
        SIZE boxSize = {0, 0};
        box->SetState(KBOX_CHECK);
        box->CalcSize(boxSize);
        size.cx += boxSize.cx;
        size.cy = Larger(size.cy, boxSize.cy);
    }
    GrowByInsets(size, face);
    return 1;
}

// ---- Scrolling and expansion --------------------------------------------------------------------

void CKListBox::EnsureVisible(int index, int animate)
{
    const KListItem* item = GetItem(index);
    RECT rect, client;
    if (!item || !GetItemRect(index, &rect) || !GetClientRect(&client))
        return;
    int target;
    if (rect.top < client.top)
        target = item->y;
    else if (rect.bottom > client.bottom)
        target = item->y - (client.bottom - client.top - item->height);
    else
        return;
    int xPos = 0, yPos = 0;
    GetScrollPos(&xPos, &yPos);
    CKAniScroll* anim = animate ? new CKAniScroll(this) : nullptr;
    if (!anim) {
        ScrollTo(xPos, target);
        Invalidate();
        return;
    }
    anim->SetX(xPos, xPos);
    anim->SetY(yPos, target);
    StartAnimation(anim);
}

void CKListBox::Expand(int index, int animate)
{
    KListItem* item = GetItem(index);
    if (!item)
        index = -1;
    // An animation needs the window: without one the expansion happens at once.
    CKAniListBoxExpand* anim = animate && GetHwnd() ? new CKAniListBoxExpand(this) : nullptr;
    if (anim) {
        anim->SetOld(expandedIndex);
        anim->SetNew(index);
        StartAnimation(anim);
        expandedIndex = index;
        return;
    }
    const bool wasOn = SuspendRedraw();
    if (KListItem* old = GetItem(expandedIndex)) {
        old->flags &= ~KLI_EXPANDED;
        SetItemHeight(expandedIndex, -1);
    }
    expandedIndex = index;
    if (item) {
        item->flags |= KLI_EXPANDED;
        SetItemHeight(index, itemHeight + GetButtonsHeight(index));
    }
    ResumeRedraw(wasOn);
    EnsureVisible(index, 0);
}

// CKButtonGroup: items, layout in lines and grids, hit-testing and taps, and painting with the
// segment bits of "auto" faces.
#include "controls/CKButtonGroup.h"

#include "controls/CKButton.h"
#include "foundation/KDevMetrics.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableSlot.h"
#include "graphics/KFace.h"
#include "ui/CKWindow.h"

K_IMPLEMENT_CLASS(CKButtonGroup, CKObject)

namespace {

// The item array grows this many records at a time.
constexpr int ITEMS_GROW_BY = 8;
// Default item size in base units (a quarter millimetre): 50 x 38 pixels at 160 dpi.
constexpr int DEFAULT_ITEM_WIDTH = 32;
constexpr int DEFAULT_ITEM_HEIGHT = 24;

// Segment corners a face with KSTYLE_AUTO_CORNERS rounds, by segment kind.
constexpr unsigned int FIRST_CORNERS = KCORNER_TOPLEFT | KCORNER_BOTTOMLEFT;
constexpr unsigned int LAST_CORNERS = KCORNER_TOPRIGHT | KCORNER_BOTTOMRIGHT;
// Border sides a face with KSTYLE_AUTO_EDGES draws: every segment its left, top and bottom; the
// last one also its right; a single segment all four.
constexpr unsigned int SEGMENT_EDGES = KEDGE_LEFT | KEDGE_TOP | KEDGE_BOTTOM;

// Start of a block of `used` pixels along an axis of `extent` pixels: after the low inset, before
// the high inset, or centred (integer halving) when neither alignment bit is set.
int AlignStart(unsigned int layoutFlags, unsigned int lowBit, unsigned int highBit, int extent,
               int used, int lowInset, int highInset)
{
    if (layoutFlags & lowBit)
        return lowInset;
    if (layoutFlags & highBit)
        return extent - used - highInset;
    return (extent - used) / 2;
}

} // namespace

CKButtonGroup::CKButtonGroup()
    : items(sizeof(KButtonItem), ITEMS_GROW_BY),
      itemWidth(UnitToPixels(DEFAULT_ITEM_WIDTH, 1)),
      itemHeight(UnitToPixels(DEFAULT_ITEM_HEIGHT, 0))
{
}

CKButtonGroup::~CKButtonGroup()
{
    items.RemoveAll(DeleteItem, this);
    KDropDrawable(bkgnd);
    KDropDrawable(face);
    KDropDrawable(faceCheck);
    KDropDrawable(text);
    KDropDrawable(textCheck);
    KDropDrawable(icon);
}

void CKButtonGroup::DeleteItem(void* item, void* group)
{
    KButtonItem* record = (KButtonItem*)item;
    ((CKButtonGroup*)group)->OnDeleteItem(record);
    KFreeContentText(record->content);
}

void CKButtonGroup::OnDeleteItem(KButtonItem*) {}

// ---- Items --------------------------------------------------------------------------------------

int CKButtonGroup::InsertItem(int index, unsigned int flags, unsigned int id)
{
    const int count = items.GetCount();
    const int at = index < 0 || index > count ? count : index;
    KButtonItem* record = (KButtonItem*)items.InsertAt(at);
    if (!record)
        return -1;
    record->flags = flags;
    record->id = id;
    InvalidateOwner();
    return at;
}

int CKButtonGroup::SetItemText(int index, const wchar_t* newText, int length)
{
    KButtonItem* record = GetItem(index);
    if (!record)
        return 0;
    const int done = KSetContentText(record->content, newText, length);
    InvalidateOwner();
    return done;
}

int CKButtonGroup::SetItemIcon(int index, CKImgList* list, int cell)
{
    KButtonItem* record = GetItem(index);
    if (!record)
        return 0;
    KSetContentIcon(record->content, list, cell, cell, cell, cell);
    InvalidateOwner();
    return 1;
}

void CKButtonGroup::RemoveAllItems()
{
    items.RemoveAll(DeleteItem, this);
    pressedIndex = -1;
    InvalidateOwner();
}

KButtonItem* CKButtonGroup::GetItem(int index) const
{
    return (KButtonItem*)items.GetAt(index);
}

void CKButtonGroup::SetItemSize(int width, int height)
{
    itemWidth = width;
    itemHeight = height;
}

void CKButtonGroup::InvalidateOwner() const
{
    if (owner && owner->IsShown())
        owner->Invalidate();
}

// ---- Drawables ----------------------------------------------------------------------------------

void CKButtonGroup::SetBkgndDrawable(CKDrawable* drawable)
{
    KHoldDrawable(bkgnd, drawable, K_RUNTIME_CLASS(CKFaceDrawable));
}

void CKButtonGroup::SetFaceDrawable(CKDrawable* drawable)
{
    KHoldDrawable(face, drawable, K_RUNTIME_CLASS(CKFaceDrawable));
}

void CKButtonGroup::SetFaceCheckDrawable(CKDrawable* drawable)
{
    KHoldDrawable(faceCheck, drawable, K_RUNTIME_CLASS(CKFaceDrawable));
}

void CKButtonGroup::SetTextDrawable(CKDrawable* drawable)
{
    KHoldDrawable(text, drawable, K_RUNTIME_CLASS(CKTextDrawable));
}

void CKButtonGroup::SetTextCheckDrawable(CKDrawable* drawable)
{
    KHoldDrawable(textCheck, drawable, K_RUNTIME_CLASS(CKTextDrawable));
}

void CKButtonGroup::SetIconDrawable(CKDrawable* drawable)
{
    KHoldDrawable(icon, drawable, K_RUNTIME_CLASS(CKIconDrawable));
}

// ---- Size and layout ----------------------------------------------------------------------------

int CKButtonGroup::CalcSize(SIZE& size)
{
    const KButtonItem* first = GetItem(0);
    if (!first) {
        size.cx = 0;
        size.cy = 0;
        return 0;
    }
    KCalcButtonSize(first->content, first->flags & (KSTATE_SLOT_MASK | KCONTENT_BITS), face, text,
                    icon, size);
    return 1;
}

RECT CKButtonGroup::GetInsets() const
{
    RECT insets = {0, 0, 0, 0};
    if (bkgnd) {
        const RECT& margin = bkgnd->GetMargin();
        const RECT& padding = bkgnd->GetPadding();
        insets.left = margin.left + padding.left;
        insets.top = margin.top + padding.top;
        insets.right = margin.right + padding.right;
        insets.bottom = margin.bottom + padding.bottom;
    }
    return insets;
}

void CKButtonGroup::Layout(SIZE size, unsigned int layoutFlags)
{
    const RECT insets = GetInsets();
    const int count = items.GetCount();
    int sumWidth = 0;
    int sumHeight = 0;
    for (int i = 0; i < count; i++) {
        KButtonItem* record = GetItem(i);
        if (!(record->flags & KBI_OWNSIZE)) {
            record->width = itemWidth;
            record->height = itemHeight;
        }
        sumWidth += record->width;
        sumHeight += record->height;
    }
    const bool vertical = (layoutFlags & KLAYOUT_VERT) != 0;

    if (layoutFlags & KLAYOUT_GRID) {
        // A grid has at least one row and one column, however small the area or the item size.
        int columns = 1;
        int rows = 1;
        if (vertical) {
            rows = itemHeight > 0 && size.cy / itemHeight > 1 ? size.cy / itemHeight : 1;
            columns = (count + rows - 1) / rows;
        } else {
            columns = itemWidth > 0 && size.cx / itemWidth > 1 ? size.cx / itemWidth : 1;
            rows = (count + columns - 1) / columns;
        }
        totalWidth = itemWidth * columns;
        totalHeight = itemHeight * rows;
        const int x0 = AlignStart(layoutFlags, KLAYOUT_LEFT, KLAYOUT_RIGHT, size.cx, totalWidth,
                                  insets.left, insets.right);
        const int y0 = AlignStart(layoutFlags, KLAYOUT_TOP, KLAYOUT_BOTTOM, size.cy, totalHeight,
                                  insets.top, insets.bottom);
        int x = x0;
        int y = y0;
        for (int i = 0; i < count; i++) {
            KButtonItem* record = GetItem(i);
            record->x = x;
            record->y = y;
            if (vertical) {
                y += record->height;
                if (i % rows == rows - 1) {
                    y = y0;
                    x += itemWidth;
                }
            } else {
                x += record->width;
                if (i % columns == columns - 1) {
                    x = x0;
                    y += itemHeight;
                }
            }
        }
        return;
    }

    if (vertical) {
        totalWidth = itemWidth;
        totalHeight = sumHeight;
    } else {
        totalWidth = sumWidth;
        totalHeight = itemHeight;
    }
    int x = AlignStart(layoutFlags, KLAYOUT_LEFT, KLAYOUT_RIGHT, size.cx, totalWidth, insets.left,
                       insets.right);
    int y = AlignStart(layoutFlags, KLAYOUT_TOP, KLAYOUT_BOTTOM, size.cy, totalHeight, insets.top,
                       insets.bottom);
    for (int i = 0; i < count; i++) {
        KButtonItem* record = GetItem(i);
        record->x = x;
        record->y = y;
        if (vertical)
            y += record->height;
        else
            x += record->width;
    }
}

// ---- Input --------------------------------------------------------------------------------------

int CKButtonGroup::HitTest(int x, int y) const
{
    const int count = items.GetCount();
    for (int i = 0; i < count; i++) {
        const KButtonItem* record = GetItem(i);
        if (x >= record->x && x < record->x + record->width && y >= record->y
            && y < record->y + record->height)
            return i;
    }
    return -1;
}

int CKButtonGroup::OnMouse(int code, int x, int y)
{
    KButtonItem* pressed = GetItem(pressedIndex);
    switch (code) {
    case KMOUSE_PRESS: {
        const int hit = HitTest(x, y);
        KButtonItem* record = GetItem(hit);
        if (!record)
            return 0;
        if (pressed)
            pressed->flags &= ~KSTATE_PRESSED;
        record->flags |= KSTATE_PRESSED;
        const bool changed = hit != pressedIndex;
        pressedIndex = hit;
        return changed ? 1 : 0;
    }
    case KMOUSE_RELEASE: {
        if (!pressed)
            return 0;
        const int index = pressedIndex;
        const bool hit = HitTest(x, y) == index;   // over another item counts as no hit
        const unsigned int itemId = pressed->id;
        pressed->flags &= ~KSTATE_PRESSED;
        pressedIndex = -1;
        if (hit && owner)
            owner->NotifyParent(KNOTIFY_CLICK, index, (int)itemId);
        return 1;
    }
    case KMOUSE_CANCEL:
        if (!pressed)
            return 0;
        pressed->flags &= ~KSTATE_PRESSED;
        pressedIndex = -1;
        return 1;
    default:
        return 0;   // sliding off an item keeps it pressed until release or cancel
    }
}

// ---- Painting -----------------------------------------------------------------------------------

void CKButtonGroup::Paint(CKCanvas* canvas, const RECT& origin, const RECT* clip)
{
    if (bkgnd) {
        bkgnd->SetState(0);
        bkgnd->Draw(canvas, clip ? *clip : origin, nullptr);
    }
    const int count = items.GetCount();
    for (int i = 0; i < count; i++) {
        KButtonItem* record = GetItem(i);
        const RECT rect = {origin.left + record->x, origin.top + record->y,
                           origin.left + record->x + record->width,
                           origin.top + record->y + record->height};
        if (!clip || (rect.top < clip->bottom && rect.bottom > clip->top))
            DrawItem(canvas, record, rect);
    }
}

void CKButtonGroup::DrawItem(CKCanvas* canvas, KButtonItem* record, const RECT& rect)
{
    const unsigned int flags = record->flags;
    CKFaceDrawable* look = (flags & KSTATE_CHECKED) && faceCheck ? faceCheck : face;
    if (look) {
        unsigned int state = (flags & KSTATE_SLOT_MASK) | (flags & KCONTENT_ALIGN_MASK);
        if (look->GetStyle() & KSTYLE_AUTO_CORNERS) {
            if (flags & KBI_FIRST)
                state |= FIRST_CORNERS;
            if (flags & KBI_LAST)
                state |= LAST_CORNERS;
            if (flags & KBI_SINGLE)
                state |= KCORNER_ALL;
        }
        if (look->GetStyle() & KSTYLE_AUTO_EDGES) {
            state |= SEGMENT_EDGES;
            if (flags & KBI_LAST)
                state |= KEDGE_RIGHT;
            if (flags & KBI_SINGLE)
                state |= KEDGE_ALL;
        }
        look->SetState(state);
        look->Draw(canvas, rect, nullptr);
    }
    KDrawButtonContent(canvas, rect, record->content, flags & (KSTATE_SLOT_MASK | KCONTENT_BITS),
                       text, textCheck, icon);
}

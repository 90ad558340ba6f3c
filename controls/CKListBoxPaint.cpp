// CKListBox: painting the rows the clip needs, one item at a time: the expanded band with its
// button group, the delete strip of a slid row, the face with the group mode's corner and side
// bits, the icon, the box, and the texts of rows, header rows and grid cells.
//
// The shared text drawables are pointed at an item's text only while they measure or draw it;
// the shared icon drawable keeps the image list it drew last (it holds a reference) until
// another list box draws or this one is destroyed.
#include "controls/CKListBox.h"

#include "controls/CKButtonGroup.h"
#include "foundation/KDevMetrics.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKFont.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKStateBoxDrawable.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KFace.h"

namespace {

// The delete area behind a slid row: opaque red, with the delete text in white.
constexpr KColor DELETE_AREA_COLOR = 0xFF0000FF;
constexpr KColor DELETE_TEXT_COLOR = 0xFFFFFFFF;
// The delete text keeps this many base units from the right edge.
constexpr int DELETE_TEXT_INSET = 4;

// Corner and side bits a group-mode face with "auto" corners or sides gets: the first row of a
// group rounds its top corners, the last its bottom ones; every row draws its sides and top
// border, the last also its bottom border.
constexpr unsigned int GROUP_FIRST_CORNERS = KCORNER_TOPLEFT | KCORNER_TOPRIGHT;
constexpr unsigned int GROUP_LAST_CORNERS = KCORNER_BOTTOMLEFT | KCORNER_BOTTOMRIGHT;
constexpr unsigned int GROUP_ROW_EDGES = KEDGE_LEFT | KEDGE_RIGHT | KEDGE_TOP;

unsigned int TextAlignment(unsigned int itemFlags)
{
    return (itemFlags & KLI_TEXT_RIGHT) ? KDT_RIGHT : KDT_LEFT;
}

} // namespace

SIZE CKListBox::MeasureText(CKTextDrawable* drawable, const wchar_t* text, int length,
                            unsigned int state)
{
    SIZE size = {0, 0};
    drawable->SetState(state);
    drawable->SetText(text, length);
    drawable->CalcSize(size);
    drawable->SetText(nullptr, 0);
    return size;
}

void CKListBox::DrawTextLine(CKCanvas* canvas, CKTextDrawable* drawable, const wchar_t* text,
                             int length, const RECT& rect, unsigned int state)
{
    drawable->SetState(state);
    drawable->SetText(text, length);
    drawable->Draw(canvas, rect, nullptr);
    drawable->SetText(nullptr, 0);
}

void CKListBox::OnPaint(CKCanvas* canvas)
{
    RECT clip;
    if (!canvas || !canvas->GetClipBox(&clip))
        return;
    int yPos = 0;
    GetScrollPos(nullptr, &yPos);
    if ((style & KLBS_MODE_MASK) != KLBS_LIST) {
        // Group cards and grid cells leave gaps between them: the background fills the content
        // behind them (the window paints it outside the content).
        RECT band = {clip.left, -yPos, clip.right, contentHeight - yPos};
        if (IntersectRect(&band, &band, &clip))
            DrawBackground(canvas, &band, 0);
    }
    const int count = items.GetCount();
    for (int i = FindFirstBelow(clip.top + yPos); i < count; i++) {
        KListItem* item = GetItem(i);
        const RECT rect = {item->x, item->y - yPos, item->x + item->width,
                           item->y - yPos + item->height};
        if (rect.top >= clip.bottom)
            break;
        DrawItem(canvas, item, rect);
    }
}

void CKListBox::DrawItem(CKCanvas* canvas, KListItem* item, const RECT& rect)
{
    if (item->height <= 0)
        return;
    const RECT row = DrawItemFrame(canvas, item, rect);
    const unsigned int bits = item->flags & KSTATE_SLOT_MASK;
    if ((style & KLBS_MODE_MASK) == KLBS_GROUP && (item->flags & KLI_HEADER)) {
        RECT content = row;
        if (groupItemFace) {
            groupItemFace->SetState(bits);
            groupItemFace->Draw(canvas, row, &content);
        }
        if (groupItemText && item->text1)
            DrawTextLine(canvas, groupItemText, item->text1, item->text1Length, content,
                         TextAlignment(item->flags) | KDT_END_ELLIPSIS | bits);
        return;
    }
    RECT content = DrawItemFace(canvas, item, row, 0);
    if (style & KLBS_GRID) {
        // A cell: the icon at the top, the first line below it.
        if (item->iconList && icon) {
            icon->SetIconList(item->iconList, item->iconCell);
            icon->SetState(KDT_TOP | bits);
            icon->Draw(canvas, content, &content);
        }
        if (text1 && item->text1)
            DrawTextLine(canvas, text1, item->text1, item->text1Length, content,
                         KDT_TOP | KDT_END_ELLIPSIS | bits);
        return;
    }
    DrawItemIconAndBox(canvas, item, content, 0);
    DrawItemTexts(canvas, item, content);
}

RECT CKListBox::DrawItemFrame(CKCanvas* canvas, KListItem* item, const RECT& rect)
{
    RECT row = rect;
    if ((style & KLBS_BUTTONS) && (item->flags & KLI_EXPANDED)) {
        DrawBackground(canvas, &rect, 0);
        if (row.bottom > rect.top + itemHeight)
            row.bottom = rect.top + itemHeight;
        if (item->buttons) {
            const RECT band = {rect.left, row.bottom, rect.right, rect.bottom};
            item->buttons->Paint(canvas, band, &band);
        }
    }
    if (item->flags & KLI_SLID) {
        RECT strip = {row.right, row.top, GetClientWidth(), row.bottom};
        if (strip.right > strip.left) {
            canvas->SetBrushColor(DELETE_AREA_COLOR);
            canvas->FillRect(strip);
            CKFont* font = text1 ? text1->GetFont() : nullptr;
            if (font)
                canvas->SelectFont(font);
            else
                canvas->SelectDefaultFont();
            canvas->SetTextColor(DELETE_TEXT_COLOR);
            strip.right -= UnitToPixels(DELETE_TEXT_INSET, 1);
            canvas->DrawText(deleteText, deleteText.GetLength(), strip, KDT_RIGHT);
        }
    }
    return row;
}

RECT CKListBox::DrawItemFace(CKCanvas* canvas, KListItem* item, const RECT& row,
                             unsigned int extraState)
{
    RECT content = row;
    if (!face)
        return content;
    unsigned int state = (item->flags & KSTATE_SLOT_MASK) | extraState;
    if ((style & KLBS_MODE_MASK) == KLBS_GROUP) {
        const int index = IndexOf(item);
        const KListItem* previous = GetItem(index - 1);
        const KListItem* next = GetItem(index + 1);
        const bool first = !previous || (previous->flags & KLI_HEADER);
        const bool last = !next || (next->flags & KLI_HEADER);
        if (face->GetStyle() & KSTYLE_AUTO_CORNERS) {
            if (first)
                state |= GROUP_FIRST_CORNERS;
            if (last)
                state |= GROUP_LAST_CORNERS;
        }
        if (face->GetStyle() & KSTYLE_AUTO_EDGES)
            state |= GROUP_ROW_EDGES | (last ? KEDGE_BOTTOM : 0);
    }
    face->SetState(state);
    face->Draw(canvas, row, &content);
    return content;
}

void CKListBox::DrawItemIconAndBox(CKCanvas* canvas, KListItem* item, RECT& content,
                                   unsigned int extraState)
{
    const unsigned int bits = (item->flags & KSTATE_SLOT_MASK) | extraState;
    if (item->iconList && icon) {
        icon->SetIconList(item->iconList, item->iconCell);
        icon->SetState(((item->flags & KLI_ICON_RIGHT) ? KDT_RIGHT : KDT_LEFT) | bits);
        icon->Draw(canvas, content, &content);
    }
    if ((item->flags & KLI_BOX_MASK) && box) {
        unsigned int state = (item->flags & KLI_BOX_MASK) | bits
                             | ((item->flags & KLI_BOX_RIGHT) ? KDT_RIGHT : KDT_LEFT);
        if (item->flags & KLI_PRESSED_BOX)
            state |= KSTATE_PRESSED;
        box->SetState(state);
        box->Draw(canvas, content, &content);
    }
}

void CKListBox::DrawItemTexts(CKCanvas* canvas, KListItem* item, const RECT& content)
{
    const unsigned int state = TextAlignment(item->flags) | (item->flags & KSTATE_SLOT_MASK)
                               | KDT_END_ELLIPSIS;
    if (item->text2 && text2) {
        // Two lines, centred together: the first in its line height, the second below it.
        const int h1 = text1 ? MeasureText(text1, item->text1, item->text1Length, state).cy : 0;
        const int h2 = MeasureText(text2, item->text2, item->text2Length, state).cy;
        const int top = (content.top + content.bottom - h1 - h2) / 2;
        if (text1 && item->text1)
            DrawTextLine(canvas, text1, item->text1, item->text1Length,
                         RECT{content.left, top, content.right, top + h1}, state);
        DrawTextLine(canvas, text2, item->text2, item->text2Length,
                     RECT{content.left, top + h1, content.right, top + h1 + h2}, state);
    } else if (text1 && item->text1) {
        DrawTextLine(canvas, text1, item->text1, item->text1Length, content, state);
    }
}

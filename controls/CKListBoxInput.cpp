// CKListBox: pointer input (press highlight, taps on bodies and boxes, double presses, the button
// group of the expanded item, swipe-to-delete) and keys.
//
// Swipe states (style bits): idle -> candidate (KLBS_SWIPE_CANDIDATE, a press on a row) -> sliding
// (KLBS_SWIPE_SLIDING, the row follows the pointer leftwards; the press no longer scrolls) -> open
// (KLBS_SWIPE_OPEN with swipeIndex: the last third of the row shows the delete area) or back to
// idle; open -> dragging closed (SLIDING with OPEN) -> open or idle; open -> removing (a tap on the
// delete area) -> idle after KNOTIFY_LB_DELETE and the removal; any state -> idle on cancel. W is
// the client width; the delete area is the last W / 3 of a row.
//
// Index: pointer - swipe - keys.
#include "controls/CKListBox.h"

#include "controls/CKAniListBoxDelete.h"
#include "controls/CKButtonGroup.h"
#include "controls/KPressRule.h"
#include "foundation/KDevMetrics.h"
#include "graphics/CKStateBoxDrawable.h"

namespace {

// Vertical travel (base units) that turns a swipe candidate back into an ordinary press.
constexpr int SWIPE_DROP_TRAVEL = 3;
// Leftward travel (base units) beyond which a candidate starts sliding.
constexpr int SWIPE_START_TRAVEL = 2;

int Bound(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

int Distance(int a, int b)
{
    return a > b ? a - b : b - a;
}

} // namespace

// ---- Pointer ------------------------------------------------------------------------------------

int CKListBox::OnMouse(int code, int x, int y, int extra)
{
    CKWindow::OnMouse(code, x, y, extra);
    // Swipe and expand animations keep the pointer out until they end; a scroll animation has
    // been ended at its target by the press (CKWindow::BeginPress).
    if (extra || !IsEnabled() || animation)
        return 0;
    switch (code) {
    case KMOUSE_PRESS:
        return OnPress(x, y);
    case KMOUSE_MOVE:
        return OnDragMove(x, y);
    case KMOUSE_RELEASE:
        return OnRelease(x, y);
    case KMOUSE_DBLPRESS:
        return OnDoublePress(x, y);
    case KMOUSE_CANCEL:
        OnCancel();
        return 1;
    default:
        return 0;
    }
}

int CKListBox::OnPress(int x, int y)
{
    const int hit = HitTest(x, y);
    if (style & KLBS_SWIPE_OPEN) {
        // While a delete area is open a press belongs to it and never scrolls the list.
        StopDragScroll();
        const int width = GetClientWidth();
        const bool inDeleteArea = x >= width - width / 3;
        if (hit == swipeIndex && !inDeleteArea) {
            swipeStart = POINT{x, y};
            style |= KLBS_SWIPE_SLIDING;
        } else if (hit != swipeIndex) {
            const KListItem* open = GetItem(swipeIndex);
            StartSlide(swipeIndex, open ? -open->x : 0, 0);
            style &= ~KLBS_SWIPE_OPEN;
            swipeIndex = -1;
        }
        return 1;
    }
    const KListItem* item = GetItem(hit);
    if (!item || (item->flags & KSTATE_DISABLED))
        return 0;
    const int part = HitTestPart(hit, x, y);
    if (part == KLBP_BUTTONS) {
        captureIndex = hit;
        SendToButtons(hit, KMOUSE_PRESS, x, y);
        return 1;
    }
    SetPressed(hit, part);
    if (style & KLBS_SWIPE) {
        swipeStart = POINT{x, y};
        style |= KLBS_SWIPE_CANDIDATE;
    }
    return 1;
}

int CKListBox::OnDragMove(int x, int y)
{
    const int third = GetClientWidth() / 3;
    if (style & KLBS_SWIPE_SLIDING) {
        if (style & KLBS_SWIPE_OPEN)
            SetSlideOffset(swipeIndex, third - Bound(x - swipeStart.x, 0, third));
        else
            SetSlideOffset(pressedIndex, Bound(swipeStart.x - x, 0, third));
        return 1;
    }
    if (!(style & KLBS_SWIPE_CANDIDATE))
        return 0;
    if (Distance(y, swipeStart.y) > UnitToPixels(SWIPE_DROP_TRAVEL, 1)) {
        style &= ~KLBS_SWIPE_CANDIDATE;
        return 0;
    }
    if (swipeStart.x - x <= UnitToPixels(SWIPE_START_TRAVEL, 1))
        return 0;
    // The row takes the press: from now on it slides and the list does not scroll.
    style = (style & ~KLBS_SWIPE_CANDIDATE) | KLBS_SWIPE_SLIDING;
    StopDragScroll();
    SetSlideOffset(pressedIndex, Bound(swipeStart.x - x, 0, third));
    return 1;
}

int CKListBox::OnRelease(int x, int y)
{
    const int width = GetClientWidth();
    const int third = width / 3;
    if (style & KLBS_SWIPE_SLIDING) {
        style &= ~(KLBS_SWIPE_SLIDING | KLBS_SWIPE_CANDIDATE);
        if (style & KLBS_SWIPE_OPEN) {
            // Dragging the open row closed: a short drag springs back open.
            const int travel = Bound(x - swipeStart.x, 0, third);
            if (travel <= width / 9) {
                StartSlide(swipeIndex, third - travel, third);
            } else {
                const int index = swipeIndex;
                style &= ~KLBS_SWIPE_OPEN;
                swipeIndex = -1;
                StartSlide(index, third - travel, 0);
            }
            return 1;
        }
        const int index = pressedIndex;
        const int travel = Bound(swipeStart.x - x, 0, third);
        SetPressed(-1, 0);
        if (travel > width / 9) {
            style |= KLBS_SWIPE_OPEN;
            swipeIndex = index;
            StartSlide(index, travel, third);
        } else {
            StartSlide(index, travel, 0);
        }
        return 1;
    }
    if (style & KLBS_SWIPE_OPEN) {
        if (HitTest(x, y) == swipeIndex && x >= width - third)
            SwipeAway(swipeIndex);
        return 1;
    }
    style &= ~KLBS_SWIPE_CANDIDATE;
    if (captureIndex >= 0) {
        const int index = captureIndex;
        captureIndex = -1;
        SendToButtons(index, KMOUSE_RELEASE, x, y);
        return 1;
    }
    const int hit = HitTest(x, y);
    if (hit < 0 || hit != pressedIndex) {
        SetPressed(-1, 0);
        return 0;
    }
    OnTapped(hit, x, y);
    return 1;
}

void CKListBox::OnTapped(int index, int x, int y)
{
    const int part = HitTestPart(index, x, y);
    SetPressed(-1, 0);
    SelectItem(index, 1);
    const KListItem* item = GetItem(index);
    if (item && HasToggleBox(item->flags) && (part == KLBP_BOX || (style & KLBS_TAP_TOGGLES)))
        ToggleBox(index);
    if (part == KLBP_BODY)
        NotifyParent(KNOTIFY_LB_TAP, index, 0);
    else if (part == KLBP_BOX)
        NotifyParent(KNOTIFY_LB_BOX_TAP, index, 0);
    else if (part == KLBP_SECOND)
        NotifyParent(KNOTIFY_LB_SECOND_TAP, index, 0);
}

void CKListBox::ToggleBox(int index)
{
    const KListItem* item = GetItem(index);
    const bool radio = item && (item->flags & KLI_BOX_MASK) == KBOX_RADIO;
    // A checked radio box stays checked: SetItemCheck(on) leaves it alone.
    SetItemCheck(index, radio ? 1 : !GetItemCheck(index));
}

int CKListBox::OnDoublePress(int x, int y)
{
    const int hit = HitTest(x, y);
    const KListItem* item = GetItem(hit);
    if (!item || (item->flags & KSTATE_DISABLED))
        return 0;
    if (!(item->flags & KSTATE_SELECTED))
        SelectItem(hit, 1);
    NotifyParent(KNOTIFY_LB_DBLPRESS, hit, 0);
    return 1;
}

void CKListBox::OnCancel()
{
    // An open or sliding row snaps back without animation.
    if (swipeIndex >= 0)
        SetSlideOffset(swipeIndex, 0);
    if ((style & KLBS_SWIPE_SLIDING) && !(style & KLBS_SWIPE_OPEN))
        SetSlideOffset(pressedIndex, 0);
    style &= ~KLBS_SWIPE_STATES;
    swipeIndex = -1;
    SetPressed(-1, 0);
    if (captureIndex >= 0) {
        const int index = captureIndex;
        captureIndex = -1;
        SendToButtons(index, KMOUSE_CANCEL, 0, 0);
    }
}

void CKListBox::SendToButtons(int index, int code, int x, int y)
{
    const KListItem* item = GetItem(index);
    RECT rect;
    if (!item || !item->buttons || !GetItemRect(index, &rect))
        return;
    // The group lies in the band under the row.
    if (item->buttons->OnMouse(code, x - rect.left, y - (rect.top + itemHeight)))
        InvalidateItem(index);
}

// ---- Swipe --------------------------------------------------------------------------------------

void CKListBox::SetSlideOffset(int index, int offset)
{
    KListItem* item = GetItem(index);
    if (!item)
        return;
    item->x = -offset;
    if (offset)
        item->flags |= KLI_SLID;
    else
        item->flags &= ~KLI_SLID;
    InvalidateItem(index);
}

void CKListBox::StartSlide(int index, int from, int to)
{
    CKAniListBoxDelete* anim = new CKAniListBoxDelete(this);
    if (!anim) {
        SetSlideOffset(index, to);
        return;
    }
    anim->SetSlide(index, from, to);
    StartAnimation(anim);
}

int CKListBox::SwipeAway(int index)
{
    if (!GetItem(index))
        return 0;
    // Another row's open delete area snaps shut; the row's own collapses as it stands.
    if (swipeIndex >= 0 && swipeIndex != index)
        OnCancel();
    style &= ~KLBS_SWIPE_STATES;
    swipeIndex = -1;
    CKAniListBoxDelete* anim = new CKAniListBoxDelete(this);
    if (anim) {
        anim->SetRemove(index);
        StartAnimation(anim);
    } else {
        RemoveBySwipe(index);
    }
    return 1;
}

void CKListBox::RemoveBySwipe(int index)
{
    NotifyParent(KNOTIFY_LB_DELETE, index, 0);
    RemoveItem(index);
}

// ---- Keys ---------------------------------------------------------------------------------------

unsigned int CKListBox::GetDialogCode(int key)
{
    return KDialogCodeWithEnter(DLGC_WANTARROWS, key);
}

int CKListBox::OnKey(int code, int key, int repeatFlags)
{
    CKWindow::OnKey(code, key, repeatFlags);
    FinishScrollAnimation();
    if (!IsEnabled() || animation)
        return 0;
    if (code == KKEY_UP && KIsStateBoxKey(key) && pressedIndex >= 0) {
        const int index = pressedIndex;
        if (index == selectedIndex) {
            const KListItem* item = GetItem(index);
            if (HasToggleBox(item->flags))
                ToggleBox(index);
            else if (flags & KWF_DBLCLK)
                // Where a double press opens a row, the confirm key opens it too, as Enter does
                // on a desktop list; a tap there only selects.
                NotifyParent(KNOTIFY_LB_DBLPRESS, index, 0);
            else
                NotifyParent(KNOTIFY_LB_TAP, index, 0);
        }
        SetPressed(-1, 0);
        return 1;
    }
    if (code != KKEY_DOWN)
        return 0;
    const int old = selectedIndex;
    int target;
    int animate = 1;
    switch (key) {
    case KK_UP:
        target = old < 0 ? 0 : old - columns;
        break;
    case KK_DOWN:
        target = old < 0 ? 0 : old + columns;
        break;
    case KK_LEFT:
        target = old < 0 ? 0 : old - 1;
        animate = 0;
        break;
    case KK_RIGHT:
        target = old < 0 ? 0 : old + 1;
        animate = 0;
        break;
    default:
        if (!KIsStateBoxKey(key) || old < 0)
            return 0;
        SetPressed(old, KLBP_BODY);
        return 1;
    }
    if (target < 0 || target >= items.GetCount())
        return 0;
    SelectItem(target, animate);
    if ((style & KLBS_BUTTONS) && (style & KLBS_TAP_EXPANDS) && selectedIndex != old
        && selectedIndex >= 0)
        Expand(selectedIndex, 1);
    return 1;
}

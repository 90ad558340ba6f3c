// CKTreeCtrl: pointer input (the press highlight, taps on the parts of a row, double presses)
// and keys (moving the selection, expanding and collapsing, confirming the selected row).
#include "controls/CKTreeCtrl.h"

#include "controls/KPressRule.h"
#include "graphics/CKStateBoxDrawable.h"

namespace {

// The extra press bit of the part pressed.
unsigned int PressBitsOf(int part)
{
    if (part == KTVP_BOX)
        return KTIF_PRESSED_BOX;
    return part == KTVP_SECOND ? KTIF_PRESSED_SECOND : 0;
}

} // namespace

void CKTreeCtrl::TapPart(KTreeItem* item, int part)
{
    switch (part) {
    case KTVP_INDENT:
        NotifyParent(KNOTIFY_TREE_INDENT, (INT_PTR)item, 0);
        break;
    case KTVP_BUTTON:
        ToggleExpand(item);
        break;
    case KTVP_BOX: {
        Select(item);
        const unsigned int kind = item->flags & KTIF_BOX_MASK;
        if (kind == KBOX_CHECK || kind == KBOX_DELETE)
            SetCheck(item, !GetCheck(item));
        else if (kind == KBOX_RADIO)
            SetRadioCheck(item, true);
        else
            NotifyParent(KNOTIFY_TREE_BOX, (INT_PTR)item, 0);
        break;
    }
    case KTVP_BODY:
        Select(item);
        NotifyParent(KNOTIFY_TREE_TAPPED, (INT_PTR)item, 0);
        if (style & KTVS_TAP_TOGGLES)
            ToggleExpand(item);
        break;
    default:
        Select(item);
        NotifyParent(part, (INT_PTR)item, 0);
        break;
    }
}

int CKTreeCtrl::OnMouse(int code, int x, int y, int extra)
{
    CKWindow::OnMouse(code, x, y, extra);
    if (!IsEnabled() || extra)
        return 0;
    switch (code) {
    case KMOUSE_PRESS: {
        KTreeItem* item = HitTest(x, y);
        if (!item)
            return 0;
        SetPressed(item, PressBitsOf(HitTestPart(item, x, y)));
        return 1;
    }
    case KMOUSE_RELEASE: {
        KTreeItem* pressed = pressedItem;
        if (!pressed)
            return 0;
        const bool over = HitTest(x, y) == pressed;
        SetPressed(nullptr, 0);
        if (over)
            TapPart(pressed, HitTestPart(pressed, x, y));
        return 1;
    }
    case KMOUSE_DBLPRESS: {
        KTreeItem* item = HitTest(x, y);
        if (!item || item != selectedItem)
            return 0;
        if (!(style & KTVS_TAP_TOGGLES))
            ToggleExpand(item);
        NotifyParent(KNOTIFY_TREE_DOUBLE, (INT_PTR)item, 0);
        return 1;
    }
    case KMOUSE_CANCEL:
        SetPressed(nullptr, 0);
        return 1;
    default:
        return 0;
    }
}

void CKTreeCtrl::MoveByKey(int key)
{
    FinishExpandAnimation();
    KTreeItem* current = selectedItem;
    if (!IsDisplayed(current)) {
        // Nothing selected, or the selection lies inside a collapsed branch.
        if (KTreeItem* first = FirstShownChild(nullptr))
            Select(first);
        return;
    }
    KTreeItem* target = nullptr;
    switch (key) {
    case KK_UP:
        target = PrevVisible(current);
        break;
    case KK_DOWN:
        target = NextVisible(current);
        break;
    case KK_RIGHT:
        if (IsExpanded(current))
            target = FirstShownChild(current);
        else if (IsExpandable(current))
            Expand(current, true, true);
        break;
    default:   // KK_LEFT
        if (IsExpanded(current))
            Expand(current, false, true);
        else
            target = tree.GetParent(current);
        break;
    }
    if (target)
        Select(target);
}

unsigned int CKTreeCtrl::GetDialogCode(int key)
{
    return KDialogCodeWithEnter(DLGC_WANTARROWS, key);
}

int CKTreeCtrl::OnKey(int code, int key, int repeatFlags)
{
    CKWindow::OnKey(code, key, repeatFlags);
    if (!IsEnabled())
        return 0;
    if (code == KKEY_DOWN) {
        if (key == KK_UP || key == KK_DOWN || key == KK_LEFT || key == KK_RIGHT) {
            MoveByKey(key);
            return 1;
        }
        if (!KIsStateBoxKey(key))
            return 0;
        if (selectedItem)
            SetPressed(selectedItem, 0);
        return 1;
    }
    if (code != KKEY_UP || !KIsStateBoxKey(key))
        return 0;
    KTreeItem* pressed = pressedItem;
    if (pressed && pressed == selectedItem)
        NotifyParent(KNOTIFY_TREE_TAPPED, (INT_PTR)pressed, 0);
    SetPressed(nullptr, 0);
    return 1;
}

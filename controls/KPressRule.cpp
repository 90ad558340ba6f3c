// The press rule of buttons and state boxes: pressed look, clicks and mirrored state bits.
#include "controls/KPressRule.h"

#include "graphics/CKDrawable.h"

namespace {

// Sets or clears the pressed bit; repaints and returns true when it changed.
bool SetPressed(CKWindow* window, unsigned int& style, bool pressed)
{
    if (pressed == ((style & KSTATE_PRESSED) != 0))
        return false;
    style ^= KSTATE_PRESSED;
    window->Invalidate();
    return true;
}

// Left and top inclusive, right and bottom exclusive.
bool IsInside(const CKWindow* window, int x, int y)
{
    RECT client;
    if (!window->GetClientRect(&client))
        return false;
    const POINT point = {x, y};
    return PtInRect(&client, point) != 0;
}

} // namespace

bool KIsStateBoxKey(int key)
{
    return key == KK_ENTER || key == KK_CONFIRM || key == KK_SPACE;
}

unsigned int KDialogCodeWithEnter(unsigned int code, int key)
{
    return key == KK_ENTER ? code | DLGC_WANTMESSAGE : code;
}

int KPressByMouse(CKWindow* window, unsigned int& style, int code, int x, int y)
{
    if (!window->IsEnabled())
        return KPRESS_NONE;
    const bool inside = IsInside(window, x, y);
    switch (code) {
    case KMOUSE_PRESS:
        if (!inside)
            return KPRESS_NONE;
        SetPressed(window, style, true);
        return KPRESS_BEGAN;
    case KMOUSE_DBLPRESS:
        return inside ? KPRESS_DOUBLE : KPRESS_NONE;
    case KMOUSE_MOVE:
        SetPressed(window, style, inside);
        return KPRESS_NONE;
    case KMOUSE_RELEASE:
        return SetPressed(window, style, false) && inside ? KPRESS_CLICK : KPRESS_NONE;
    case KMOUSE_CANCEL:
        SetPressed(window, style, false);
        return KPRESS_NONE;
    default:
        return KPRESS_NONE;
    }
}

int KPressByKey(CKWindow* window, unsigned int& style, int code)
{
    if (!window->IsEnabled())
        return KPRESS_NONE;
    if (code == KKEY_DOWN)
        SetPressed(window, style, true);
    else if (code == KKEY_UP && SetPressed(window, style, false))
        return KPRESS_CLICK;
    return KPRESS_NONE;
}

void KMirrorState(CKWindow* window, unsigned int& style, unsigned int changed)
{
    const unsigned int flags = window->GetFlags();
    unsigned int mirrored = style;
    if (changed & KWF_FOCUSED) {
        mirrored &= ~KSTATE_SELECTED;
        if (flags & KWF_FOCUSED)
            mirrored |= KSTATE_SELECTED;
    }
    if (changed & KWF_DISABLED) {
        mirrored &= ~KSTATE_DISABLED;
        if (flags & KWF_DISABLED)
            mirrored |= KSTATE_DISABLED;
    }
    if (mirrored == style)
        return;
    style = mirrored;
    if (window->IsShown())
        window->Invalidate();
}

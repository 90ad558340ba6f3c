// The press rule that push buttons, check boxes and radio boxes share: the pressed look follows the
// pointer between a press and its release, a release inside after a press (or a confirm key's up
// after its down) completes a click, and focus and enable changes show in the state bits of the
// control's style word. Each control turns the outcome into its own notification.
#pragma once
#include "ui/CKWindow.h"

// Outcomes of one event.
constexpr int KPRESS_NONE = 0;     // nothing to report
constexpr int KPRESS_BEGAN = 1;    // a press began inside the control
constexpr int KPRESS_DOUBLE = 2;   // a double press inside the control
constexpr int KPRESS_CLICK = 3;    // a click: released inside after a press, or confirm key up

// A confirm key of devices with a centre button; no platform key maps to it, but key events may be
// sent to a control with it.
constexpr int KK_CONFIRM = 16;

// Whether `key` (a library key code) confirms a box, a list row or a tree row: Enter, the confirm
// key or Space.
bool KIsStateBoxKey(int key);
// A control's answer to the dialog navigation (CKWindow::GetDialogCode) for `key`: `code`, plus
// DLGC_WANTMESSAGE when `key` is Enter, so that Enter acts on the focused control instead of
// becoming the view's confirm action.
unsigned int KDialogCodeWithEnter(unsigned int code, int key);

// Applies a pointer event (KMOUSE_* code, client coordinates) of an enabled `window` to the pressed
// bit of `style` (the window's own style word), invalidating the window on every change:
// press inside sets it; a move sets it inside and clears it outside; release clears it and clicks
// when inside; cancel clears it. Disabled windows ignore everything.
int KPressByMouse(CKWindow* window, unsigned int& style, int code, int x, int y);
// Applies a key event (KKEY_DOWN / KKEY_UP) of a confirm key: down sets the pressed bit, up after
// it clears the bit and clicks. Other codes, and disabled windows, are ignored.
int KPressByKey(CKWindow* window, unsigned int& style, int code);
// Copies the window's focus (KWF_FOCUSED) and disabled (KWF_DISABLED) flags named in `changed`
// into the selected and disabled bits of `style`; repaints when the window is shown.
void KMirrorState(CKWindow* window, unsigned int& style, unsigned int changed);

// CKTitleBar: what a view needs of the bar across its top. The view lays the bar out as a window,
// fills it from the page table (text and up to two buttons) and turns its clicks into commands;
// how the bar looks and holds its buttons is the business of the class that implements it, the
// controls' CKTitle, which registers itself at start-up as the bar views make for themselves
// (SetTitleBarMaker, ui/CKView.h), so that views do not depend on the controls built on them.
#pragma once
#include "ui/CKWindow.h"

class CKTitleBar : public CKWindow
{
    K_DECLARE_CLASS(CKTitleBar)
public:
    // A copy of the title text.
    virtual void SetText(const wchar_t* text) = 0;
    // Command (0 removes the button), style and text of the left / right button; the button's
    // click reaches the view as OnNotify(KVIEW_TITLE_ID, KNOTIFY_CLICK, command).
    virtual void SetLeftButton(int cmd, int style, const wchar_t* text) = 0;
    virtual void SetRightButton(int cmd, int style, const wchar_t* text) = 0;
};

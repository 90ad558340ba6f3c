// CKDlgContainer: the base of every dialog's content. It may be limited to a maximum size, and it
// gives its subclasses the width rule of the library's message dialogs.
#pragma once
#include "ui/CKContainer.h"

// Window id of the message or prompt label of the library's message dialogs.
constexpr int KDLG_MESSAGE_ID = 1990;

class CKDlgContainer : public CKContainer
{
    K_DECLARE_CLASS(CKDlgContainer)
public:
    CKDlgContainer() = default;

    // The size given is limited to the maximum when both its sides are at least 1. Returns 1.
    int CalcSize(SIZE& size) override;

    // 0 for either side: unlimited.
    void SetMaxSize(int width, int height);
    int GetMaxWidth() const { return maxWidth; }
    int GetMaxHeight() const { return maxHeight; }

protected:
    // `width` limited to four fifths of the screen's smaller side: message dialogs stay narrower
    // than the screen.
    static int LimitMessageWidth(int width);
    // The height `window` asks for when it is `width` pixels wide (a negative width counts as 0).
    static int MeasureHeight(CKWindow* window, int width);
    // The client area less `margin` on every side, never inside out.
    RECT GetInsetRect(int margin) const;

    int maxWidth = 0;
    int maxHeight = 0;
};

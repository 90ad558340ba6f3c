// CKAniDialog: moves or resizes a dialog's box when the dialog shows (ending at its place) or
// hides (starting from it), with one of the easing curves of the effect word; a hiding animation
// ends the dialog when it finishes. Attached to the dialog's window (CKWindow::StartAnimation).
#pragma once
#include <windows.h>

#include "ui/CKAnimate.h"

class CKDialog;

class CKAniDialog : public CKAnimate
{
    K_DECLARE_CLASS(CKAniDialog)
public:
    // `hiding` 0 shows, 1 hides; `easing` is the effect word's KDLG_EASING_MASK part; the box
    // goes from `start` to `end`.
    CKAniDialog(CKDialog* dialog, int hiding, unsigned int easing, const RECT& start,
                const RECT& end);

    // The box at the start rectangle.
    void OnBegin() override;
    // Every edge at start + (end - start) x eased / 1000.
    void OnStep(int permille) override;
    // The box at the end rectangle; a hiding dialog then ends (CKDialog::FinishClose).
    void OnEnd() override;

    // The eased progress in thousandths for a progress of `permille` (exact at 0 and 1000;
    // elastic curves go below 0 or above 1000 on the way).
    static int Ease(unsigned int easing, int permille);
    // The rectangle a motion starts from when showing the box `box` in the view rectangle
    // `view`, or ends at when hiding; 0 for no motion (0 or an unknown value).
    static int MotionRect(unsigned int motion, const RECT& box, const RECT& view, bool hiding,
                          RECT* out);

private:
    // The animated window as a dialog; none when it is gone.
    CKDialog* GetDialog() const;

    int hiding;              // 0 showing, 1 hiding
    unsigned int easing;     // KDLG_EASE_*
    RECT start;
    RECT end;
};

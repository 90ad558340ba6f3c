// CKAlertContainer: the content of an alert: one multi-line message label with a margin around
// it, as wide as four fifths of the screen's smaller side at most and at least one line high. The
// toast's content (CKToastContainer) is the same with other measures.
#pragma once
#include "controls/CKLabel.h"
#include "dialogs/CKDlgContainer.h"

// Label style of a message dialog's text: multi-line, from the top-left.
constexpr unsigned int KDLG_MESSAGE_STYLE = KLS_MULTILINE | KCONTENT_TOP | KCONTENT_LEFT;

class CKAlertContainer : public CKDlgContainer
{
    K_DECLARE_CLASS(CKAlertContainer)
public:
    CKAlertContainer();

    // After the base: the label's window, with the dialogs' message text look unless the label
    // has a text look already.
    int OnCreate() override;
    // The width limited (CKDlgContainer), then to the message width; the height of the label
    // at that width less the margins, at least the minimum, plus the margins. Returns 1.
    int CalcSize(SIZE& size) override;
    // The label in the client area less the margin.
    void OnSize() override;

    CKLabel* GetLabel() { return &label; }

protected:
    // Margin and minimum label height in base units (vertical resolution).
    CKAlertContainer(int marginUnits, int minHeightUnits);

    CKLabel label;         // owned (a member): the message
    int marginUnits;
    int minHeightUnits;
};

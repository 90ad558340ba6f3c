// CKInputContainer: the content of an input box: a prompt above a one-line text field (CKEdit)
// that starts with the initial text, with a margin around and between them.
#pragma once
#include "controls/CKEdit.h"
#include "controls/CKLabel.h"
#include "dialogs/CKDlgContainer.h"

// Window id of the input box's text field.
constexpr int KDLG_EDIT_ID = 1993;

class CKInputContainer : public CKDlgContainer
{
    K_DECLARE_CLASS(CKInputContainer)
public:
    CKInputContainer() = default;

    // After the base: the prompt's and the field's windows (the prompt with the dialogs' message
    // text look unless it has a text look already).
    int OnCreate() override;
    // The width limited (CKDlgContainer), then to the message width; the prompt's and the
    // field's heights at that width less the margins, plus three margins. Returns 1.
    int CalcSize(SIZE& size) override;
    // Inside the margin: the field at the bottom at its own height, the prompt above it less a
    // margin.
    void OnSize() override;

    CKLabel* GetPrompt() { return &prompt; }
    // The field; its text set before the window exists is the initial text.
    CKEdit* GetEdit() { return &edit; }

private:
    CKLabel prompt;   // owned (a member)
    CKEdit edit;      // owned (a member)
};

// CKInputDialog: asks for one line of text under a prompt, with an optional title and up to two
// buttons. After a button the owner receives its code (KDLG_BUTTON1 to KDLG_BUTTON3, or KDLG_CANCEL
// for another number) with the entered text as param (owned by the dialog, valid during the owner's
// OnNotify; empty when nothing was entered); after the back key (Escape) or a tap outside,
// KDLG_CANCEL with param 0. The field opens with its whole text selected, so that typing replaces
// it; Enter presses the default button, the first unless the owner names another when it fills the
// box (KDLG_FILL). Opened in one call by ShowInput or ShowInputById; the framework owns it once
// shown (dialogs/CKDialog.h).
#pragma once
#include "dialogs/CKDialog.h"
#include "dialogs/CKInputContainer.h"
#include "foundation/KString.h"

class CKInputDialog : public CKDialog
{
    K_DECLARE_CLASS(CKInputDialog)
public:
    // Sets KVF_TEXT_INPUT (the field takes the focus when the dialog shows) and makes the first
    // button the default one.
    CKInputDialog();

    CKContainer* GetContainer() override { return &container; }
    // The field takes the focus with its whole text selected, the caret at its end.
    void OnActivate(int param) override;
    // Centred across; a third of the free height above the box, two thirds below.
    void GetDialogPosition(const SIZE& size, POINT& pos) override;
    // The field's text is read first and goes with the outcome.
    void OnButton(int button) override;

    void SetPrompt(const wchar_t* prompt) { container.GetPrompt()->SetText(prompt); }
    // The field's text before it is shown.
    void SetInitialText(const wchar_t* text) { container.GetEdit()->SetText(text); }
    // The text read by the last button.
    const wchar_t* GetText() const { return text; }
    CKInputContainer* GetInputContainer() { return &container; }

private:
    CKInputContainer container;   // owned (a member)
    KStringW text;                // the entered text
};

// Creates, fills and shows an input box (title and buttons as ShowAlert's; `initialText` goes into
// the field when given). 1 when it is shown; 0 when it cannot be initialised or shown (it is then
// deleted).
int ShowInput(const wchar_t* prompt, const wchar_t* title, const wchar_t* button1,
              const wchar_t* button2, const wchar_t* initialText, int dialogId, CKWindow* owner);
// ShowInput with the prompt, title and buttons from the string table (as ShowAlertById).
int ShowInputById(int promptId, int titleId, int button1Id, int button2Id,
                  const wchar_t* initialText, int dialogId, CKWindow* owner);

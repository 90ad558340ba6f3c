// CKAlertDialog: a message with an optional title and up to three buttons; the outcome
// (KDLG_BUTTON1 to KDLG_BUTTON3 for the buttons, KDLG_CANCEL for the back key or a tap outside,
// param 0) reaches the owner. Opened in one call by ShowAlert or ShowAlertById; the framework owns
// it once shown (dialogs/CKDialog.h).
#pragma once
#include "dialogs/CKAlertContainer.h"
#include "dialogs/CKDialog.h"

class CKAlertDialog : public CKDialog
{
    K_DECLARE_CLASS(CKAlertDialog)
public:
    CKAlertDialog() = default;

    CKContainer* GetContainer() override { return &container; }

    // The message.
    void SetText(const wchar_t* text) { container.GetLabel()->SetText(text); }
    CKAlertContainer* GetAlertContainer() { return &container; }

private:
    CKAlertContainer container;   // owned (a member)
};

// Creates, fills and shows an alert (absent texts are none; a button only with the previous
// one). 1 when it is shown; 0 when it cannot be initialised or shown (it is then deleted).
int ShowAlert(const wchar_t* text, const wchar_t* title, const wchar_t* button1,
              const wchar_t* button2, const wchar_t* button3, int dialogId, CKWindow* owner);
// ShowAlert with texts from the string table: an id of 0, or one whose text is missing or empty,
// counts as none.
int ShowAlertById(int textId, int titleId, int button1Id, int button2Id, int button3Id,
                  int dialogId, CKWindow* owner);

// Start-up step: the views' information gesture (ui/CKView.h) shows the device metrics in an
// alert.
void KInitInfoAlert(HINSTANCE instance);

// CKInputDialog and the calls that open one.
#include "dialogs/CKInputDialog.h"

K_IMPLEMENT_CLASS(CKInputDialog, CKDialog)

CKInputDialog::CKInputDialog()
{
    viewFlags |= KVF_TEXT_INPUT;
    defaultButton = 1;
}

void CKInputDialog::OnActivate(int param)
{
    CKDialog::OnActivate(param);
    container.GetEdit()->SelectAll();
}

void CKInputDialog::GetDialogPosition(const SIZE& size, POINT& pos)
{
    RECT view = {0, 0, 0, 0};
    GetClientRect(&view);
    pos.x = view.left + (view.right - view.left - size.cx) / 2;
    pos.y = view.top + (view.bottom - view.top - size.cy) / 3;
}

void CKInputDialog::OnButton(int button)
{
    container.GetEdit()->GetText(text);
    const INT_PTR entered = (INT_PTR)(const wchar_t*)text;
    switch (button) {
    case 1:
        Close(KDLG_BUTTON1, entered);
        break;
    case 2:
        Close(KDLG_BUTTON2, entered);
        break;
    case 3:
        Close(KDLG_BUTTON3, entered);
        break;
    default:
        Close(KDLG_CANCEL, entered);
        break;
    }
}

int ShowInput(const wchar_t* prompt, const wchar_t* title, const wchar_t* button1,
              const wchar_t* button2, const wchar_t* initialText, int dialogId, CKWindow* owner)
{
    CKInputDialog* input = new CKInputDialog();
    if (!input)
        return 0;
    input->AddRef();   // ours until the window tree holds it
    int shown = 0;
    if (input->InitDialog(title, button1, button2, nullptr)) {
        input->SetDialogId(dialogId);
        input->SetOwner(owner);
        input->SetPrompt(prompt);
        if (initialText)
            input->SetInitialText(initialText);
        shown = input->Show();
    }
    input->Release();
    return shown;
}

int ShowInputById(int promptId, int titleId, int button1Id, int button2Id,
                  const wchar_t* initialText, int dialogId, CKWindow* owner)
{
    KStringW prompt, title, button1, button2;
    return ShowInput(KLoadDialogText(promptId, prompt), KLoadDialogText(titleId, title),
                     KLoadDialogText(button1Id, button1), KLoadDialogText(button2Id, button2),
                     initialText, dialogId, owner);
}

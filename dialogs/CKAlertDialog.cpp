// CKAlertDialog, the calls that open one, and the alert of the views' information gesture.
#include "dialogs/CKAlertDialog.h"

#include "foundation/KDevMetrics.h"
#include "foundation/KString.h"
#include "ui/CKView.h"

K_IMPLEMENT_CLASS(CKAlertDialog, CKDialog)

namespace {

constexpr wchar_t INFO_ALERT_TITLE[] = L"Std Alert Info";
constexpr wchar_t INFO_ALERT_BUTTON[] = L"OK";

void ShowInfoAlert()
{
    wchar_t text[KDEVMETRICS_INFO_CAPACITY];
    FormatDevMetricsInfo(text, KDEVMETRICS_INFO_CAPACITY);
    ShowAlert(text, INFO_ALERT_TITLE, INFO_ALERT_BUTTON, nullptr, nullptr, 0, nullptr);
}

} // namespace

int ShowAlert(const wchar_t* text, const wchar_t* title, const wchar_t* button1,
              const wchar_t* button2, const wchar_t* button3, int dialogId, CKWindow* owner)
{
    CKAlertDialog* alert = new CKAlertDialog();
    if (!alert)
        return 0;
    alert->AddRef();   // ours until the window tree holds it
    int shown = 0;
    if (alert->InitDialog(title, button1, button2, button3)) {
        alert->SetDialogId(dialogId);
        alert->SetOwner(owner);
        alert->SetText(text);
        shown = alert->Show();
    }
    alert->Release();
    return shown;
}

int ShowAlertById(int textId, int titleId, int button1Id, int button2Id, int button3Id,
                  int dialogId, CKWindow* owner)
{
    KStringW text, title, button1, button2, button3;
    return ShowAlert(KLoadDialogText(textId, text), KLoadDialogText(titleId, title),
                     KLoadDialogText(button1Id, button1), KLoadDialogText(button2Id, button2),
                     KLoadDialogText(button3Id, button3), dialogId, owner);
}

void KInitInfoAlert(HINSTANCE)
{
    SetInfoGestureProc(ShowInfoAlert);
}

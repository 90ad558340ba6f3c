// CKRadioBox: turning on by tap or key, the group rule among siblings, and painting.
#include "controls/CKRadioBox.h"

#include "controls/CKCheckBox.h"
#include "controls/KButtonContent.h"
#include "controls/KPressRule.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableSlot.h"

K_IMPLEMENT_DYNCREATE(CKRadioBox, CKWindow)

namespace {

constexpr char CTRL_FILE[] = "res/DrawableCtrl.xml";

} // namespace

CKRadioBox::~CKRadioBox()
{
    KDropDrawable(textDrawable);
    KDropDrawable(icon);
    KDropDrawable(check);
}

void CKRadioBox::Initialize(unsigned int newStyle)
{
    CKWindow::Initialize(newStyle);
    KLoadDrawable(textDrawable, CTRL_FILE, "DefStateBoxText", K_RUNTIME_CLASS(CKTextDrawable));
    KLoadDrawable(icon, CTRL_FILE, "DefRadioBoxIcon", K_RUNTIME_CLASS(CKDrawable));
    KLoadDrawable(check, CTRL_FILE, "DefRadioBoxCheck", K_RUNTIME_CLASS(CKDrawable));
}

CKRadioBox* CKRadioBox::AsRadioBox(CKWindow* window)
{
    return window && window->IsKindOf(K_RUNTIME_CLASS(CKRadioBox)) ? (CKRadioBox*)window : nullptr;
}

void CKRadioBox::SetCheckBit(bool on)
{
    if (on == IsChecked())
        return;
    style ^= KSTATE_CHECKED;
    Invalidate();
}

void CKRadioBox::SetCheck(bool on)
{
    SetCheckBit(on);
    if (!on)
        return;
    // Back to the group's first box (unless this is it), then forward to the next group's first.
    if (!(style & KRBS_GROUP)) {
        for (CKRadioBox* box = AsRadioBox(GetPrevSibling()); box;
             box = AsRadioBox(box->GetPrevSibling())) {
            box->SetCheckBit(false);
            if (box->style & KRBS_GROUP)
                break;
        }
    }
    for (CKRadioBox* box = AsRadioBox(GetNextSibling()); box && !(box->style & KRBS_GROUP);
         box = AsRadioBox(box->GetNextSibling()))
        box->SetCheckBit(false);
}

void CKRadioBox::SetText(const wchar_t* newText, int length)
{
    text.Assign(newText, length);
    Invalidate();
}

void CKRadioBox::SetTextDrawable(CKDrawable* drawable)
{
    KHoldDrawable(textDrawable, drawable, K_RUNTIME_CLASS(CKTextDrawable));
}

void CKRadioBox::SetIconDrawable(CKDrawable* drawable)
{
    KHoldDrawable(icon, drawable, K_RUNTIME_CLASS(CKDrawable));
}

void CKRadioBox::SetCheckDrawable(CKDrawable* drawable)
{
    KHoldDrawable(check, drawable, K_RUNTIME_CLASS(CKDrawable));
}

// ---- Input and painting -------------------------------------------------------------------------

void CKRadioBox::OnStateChanged(unsigned int changed)
{
    CKWindow::OnStateChanged(changed);
    KMirrorState(this, style, changed);
}

int CKRadioBox::OnKey(int code, int key, int repeatFlags)
{
    CKWindow::OnKey(code, key, repeatFlags);
    if (!KIsStateBoxKey(key) || KPressByKey(this, style, code) != KPRESS_CLICK)
        return 0;
    SetCheck(true);
    NotifyParent(KNOTIFY_RADIO_ON, 0, 0);
    return 1;
}

unsigned int CKRadioBox::GetDialogCode(int key)
{
    return KDialogCodeWithEnter(DLGC_RADIOBUTTON, key);
}

int CKRadioBox::OnMouse(int code, int x, int y, int extra)
{
    CKWindow::OnMouse(code, x, y, extra);
    if (extra || KPressByMouse(this, style, code, x, y) != KPRESS_CLICK)
        return 0;
    SetCheck(true);
    NotifyParent(KNOTIFY_RADIO_ON, 0, 0);
    return 1;
}

void CKRadioBox::OnPaint(CKCanvas* canvas)
{
    RECT client;
    if (!GetClientRect(&client))
        return;
    DrawBackground(canvas, &client, 0);
    CKCheckBox::DrawStateBox(canvas, client, IsChecked() ? check : icon, textDrawable, text,
                             (style & KSTATE_SLOT_MASK) | (style & KCONTENT_ALIGN_MASK));
}

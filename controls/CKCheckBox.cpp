// CKCheckBox: toggling by tap or key, and painting the box by look and state beside the text.
#include "controls/CKCheckBox.h"

#include "controls/KButtonContent.h"
#include "controls/KPressRule.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableSlot.h"

K_IMPLEMENT_DYNCREATE(CKCheckBox, CKWindow)

namespace {

constexpr char CTRL_FILE[] = "res/DrawableCtrl.xml";

} // namespace

CKCheckBox::~CKCheckBox()
{
    KDropDrawable(textDrawable);
    KDropDrawable(deleteIcon);
    KDropDrawable(deleteCheck);
    KDropDrawable(icon);
    KDropDrawable(check);
}

void CKCheckBox::Initialize(unsigned int newStyle)
{
    CKWindow::Initialize(newStyle);
    const KRuntimeClass* anyKind = K_RUNTIME_CLASS(CKDrawable);
    KLoadDrawable(textDrawable, CTRL_FILE, "DefStateBoxText", K_RUNTIME_CLASS(CKTextDrawable));
    KLoadDrawable(deleteIcon, CTRL_FILE, "DefDeleteBoxIcon", anyKind);
    KLoadDrawable(deleteCheck, CTRL_FILE, "DefDeleteBoxCheck", anyKind);
    KLoadDrawable(icon, CTRL_FILE, "DefCheckBoxIcon", anyKind);
    KLoadDrawable(check, CTRL_FILE, "DefCheckBoxCheck", anyKind);
}

void CKCheckBox::SetCheck(bool on)
{
    if (on == IsChecked())
        return;
    style ^= KSTATE_CHECKED;
    Invalidate();
}

void CKCheckBox::SetText(const wchar_t* newText, int length)
{
    text.Assign(newText, length);
    Invalidate();
}

void CKCheckBox::SetTextDrawable(CKDrawable* drawable)
{
    KHoldDrawable(textDrawable, drawable, K_RUNTIME_CLASS(CKTextDrawable));
}

void CKCheckBox::SetIconDrawable(CKDrawable* drawable)
{
    KHoldDrawable(icon, drawable, K_RUNTIME_CLASS(CKDrawable));
}

void CKCheckBox::SetCheckDrawable(CKDrawable* drawable)
{
    KHoldDrawable(check, drawable, K_RUNTIME_CLASS(CKDrawable));
}

void CKCheckBox::SetDeleteIconDrawable(CKDrawable* drawable)
{
    KHoldDrawable(deleteIcon, drawable, K_RUNTIME_CLASS(CKDrawable));
}

void CKCheckBox::SetDeleteCheckDrawable(CKDrawable* drawable)
{
    KHoldDrawable(deleteCheck, drawable, K_RUNTIME_CLASS(CKDrawable));
}

// ---- Input --------------------------------------------------------------------------------------

void CKCheckBox::OnStateChanged(unsigned int changed)
{
    CKWindow::OnStateChanged(changed);
    KMirrorState(this, style, changed);
}

int CKCheckBox::OnKey(int code, int key, int repeatFlags)
{
    CKWindow::OnKey(code, key, repeatFlags);
    if (!KIsStateBoxKey(key) || KPressByKey(this, style, code) != KPRESS_CLICK)
        return 0;
    SetCheck(!IsChecked());
    NotifyParent(KNOTIFY_CHECK_TOGGLED, 0, 0);
    return 1;
}

unsigned int CKCheckBox::GetDialogCode(int key)
{
    return KDialogCodeWithEnter(DLGC_BUTTON, key);
}

int CKCheckBox::OnMouse(int code, int x, int y, int extra)
{
    CKWindow::OnMouse(code, x, y, extra);
    if (extra || KPressByMouse(this, style, code, x, y) != KPRESS_CLICK)
        return 0;
    SetCheck(!IsChecked());
    NotifyParent(KNOTIFY_CHECK_TOGGLED, 0, 0);
    return 1;
}

// ---- Painting -----------------------------------------------------------------------------------

void CKCheckBox::DrawStateBox(CKCanvas* canvas, const RECT& rect, CKDrawable* box,
                              CKTextDrawable* textLook, const KStringW& label,
                              unsigned int state)
{
    RECT rest = rect;
    if (box) {
        box->SetState(state);
        box->Draw(canvas, rect, &rest);
    }
    const KContentBlock block(label.GetLength() ? (const wchar_t*)label : nullptr,
                              label.GetLength(), nullptr, nullptr, state, textLook, nullptr);
    block.Draw(canvas, rest, state);
}

void CKCheckBox::OnPaint(CKCanvas* canvas)
{
    RECT client;
    if (!GetClientRect(&client))
        return;
    DrawBackground(canvas, &client, 0);
    const bool checked = IsChecked();
    CKDrawable* box = checked ? check : icon;
    if (style & KCBS_DELETE)
        box = checked ? deleteCheck : deleteIcon;
    DrawStateBox(canvas, client, box, textDrawable, text,
                 (style & KSTATE_SLOT_MASK) | (style & KCONTENT_ALIGN_MASK));
}

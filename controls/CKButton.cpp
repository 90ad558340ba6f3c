// CKButton: content and drawables, press and key input with its notifications, and painting.
#include "controls/CKButton.h"

#include "controls/KPressRule.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableSlot.h"

K_IMPLEMENT_DYNCREATE(CKButton, CKWindow)

const char* const KDRAWABLE_FILE_BUTTON = "res/DrawableBT.xml";

CKButton::~CKButton()
{
    KFreeContentText(content);
    KDropDrawable(face);
    KDropDrawable(textDrawable);
    KDropDrawable(faceCheck);
    KDropDrawable(textCheck);
    KDropDrawable(icon);
}

void CKButton::Initialize(unsigned int newStyle)
{
    CKWindow::Initialize(newStyle);
    KLoadDrawable(face, KDRAWABLE_FILE_BUTTON, "DefButtonFace", K_RUNTIME_CLASS(CKFaceDrawable));
    KLoadDrawable(faceCheck, KDRAWABLE_FILE_BUTTON, "DefButtonFaceCheck",
                  K_RUNTIME_CLASS(CKFaceDrawable));
    KLoadDrawable(textDrawable, KDRAWABLE_FILE_BUTTON, "DefButtonText",
                  K_RUNTIME_CLASS(CKTextDrawable));
    KLoadDrawable(textCheck, KDRAWABLE_FILE_BUTTON, "DefButtonTextCheck",
                  K_RUNTIME_CLASS(CKTextDrawable));
    KLoadDrawable(icon, KDRAWABLE_FILE_BUTTON, "DefButtonIcon", K_RUNTIME_CLASS(CKIconDrawable));
}

// ---- Content and drawables ----------------------------------------------------------------------

void CKButton::SetText(const wchar_t* text, int length)
{
    KSetContentText(content, text, length);
    if (IsShown())
        Invalidate();
}

void CKButton::SetIcon(CKImgList* list, int normal, int pressed, int focused, int disabled)
{
    KSetContentIcon(content, list, normal, focused, pressed, disabled);
    if (flags & KWF_REPAINT_ON_CHANGE)
        Invalidate();
}

void CKButton::SetIcon(CKImgList* list, int cell)
{
    SetIcon(list, cell, cell, cell, cell);
}

int CKButton::GetIconCell(int slot) const
{
    return slot >= 0 && slot < KSLOT_COUNT ? content.cells[slot] : -1;
}

void CKButton::SetFaceDrawable(CKDrawable* drawable)
{
    KHoldDrawable(face, drawable, K_RUNTIME_CLASS(CKFaceDrawable));
}

void CKButton::SetFaceCheckDrawable(CKDrawable* drawable)
{
    KHoldDrawable(faceCheck, drawable, K_RUNTIME_CLASS(CKFaceDrawable));
}

void CKButton::SetTextDrawable(CKDrawable* drawable)
{
    KHoldDrawable(textDrawable, drawable, K_RUNTIME_CLASS(CKTextDrawable));
}

void CKButton::SetTextCheckDrawable(CKDrawable* drawable)
{
    KHoldDrawable(textCheck, drawable, K_RUNTIME_CLASS(CKTextDrawable));
}

void CKButton::SetIconDrawable(CKDrawable* drawable)
{
    KHoldDrawable(icon, drawable, K_RUNTIME_CLASS(CKIconDrawable));
}

int CKButton::CalcSize(SIZE& size)
{
    KCalcButtonSize(content, (style & KSTATE_SLOT_MASK) | (style & KCONTENT_BITS), face,
                    textDrawable, icon, size);
    return 1;
}

// ---- Input --------------------------------------------------------------------------------------

void CKButton::OnStateChanged(unsigned int changed)
{
    CKWindow::OnStateChanged(changed);
    KMirrorState(this, style, changed);
}

int CKButton::OnKey(int code, int key, int repeatFlags)
{
    CKWindow::OnKey(code, key, repeatFlags);
    if (key != KK_ENTER && key != KK_CONFIRM)
        return 0;
    if (KPressByKey(this, style, code) != KPRESS_CLICK)
        return 0;
    NotifyParent(KNOTIFY_CLICK, 0, 0);
    return 1;
}

unsigned int CKButton::GetDialogCode(int key)
{
    return KDialogCodeWithEnter(DLGC_BUTTON, key);
}

int CKButton::OnMouse(int code, int x, int y, int extra)
{
    CKWindow::OnMouse(code, x, y, extra);
    if (extra)
        return 0;
    switch (KPressByMouse(this, style, code, x, y)) {
    case KPRESS_BEGAN:
        NotifyParent(KNOTIFY_PRESS, 0, 0);
        return 1;
    case KPRESS_DOUBLE:
        NotifyParent(KNOTIFY_DBLPRESS, 0, 0);
        return 1;
    case KPRESS_CLICK:
        NotifyParent(KNOTIFY_CLICK, 0, 0);
        return 1;
    default:
        return 0;
    }
}

// ---- Painting -----------------------------------------------------------------------------------

void CKButton::OnPaint(CKCanvas* canvas)
{
    RECT client;
    if (!GetClientRect(&client))
        return;
    DrawBackground(canvas, &client, 0);
    const unsigned int stateBits = style & KSTATE_SLOT_MASK;
    const bool checked = (style & KSTATE_CHECKED) != 0;
    CKFaceDrawable* look = face;
    unsigned int faceState = stateBits;
    if (checked && faceCheck)
        look = faceCheck;
    else if (checked)
        faceState |= KSTATE_PRESSED;   // a checked button without check face looks pressed
    if (look) {
        look->SetState(faceState);
        look->Draw(canvas, client, nullptr);
    }
    KDrawButtonContent(canvas, client, content, stateBits | (style & KCONTENT_BITS), textDrawable,
                       textCheck, icon);
}

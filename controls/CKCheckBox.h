// CKCheckBox: a box with a text that a tap or a confirm key toggles between checked and not
// checked, reporting each toggle to its parent (KNOTIFY_CHECK_TOGGLED). Style KCBS_DELETE gives it
// the delete-box look.
//
// Like a button it keeps its visual state in the top bits of its style word (KSTATE_* checked,
// focused, pressed, disabled) and follows the press rule of controls/KPressRule.h. The drawable
// slots follow graphics/KDrawableSlot.h; Initialize fills the empty ones from
// "res/DrawableCtrl.xml".
#pragma once
#include "foundation/KString.h"
#include "graphics/CKDrawable.h"
#include "ui/CKWindow.h"

class CKTextDrawable;

// Check box style bits: KCONTENT_* alignment of the box (bits 0-3), and:
constexpr unsigned int KCBS_DELETE = 0x10;   // the delete-box look instead of the check box

// Notification code of a check box: the check state was toggled by a tap or a confirm key.
constexpr int KNOTIFY_CHECK_TOGGLED = 513;

class CKCheckBox : public CKWindow
{
    K_DECLARE_DYNCREATE(CKCheckBox)
public:
    CKCheckBox() = default;
    // Releases the five drawables.
    ~CKCheckBox() override;

    // After the base: the default drawables into empty slots.
    void Initialize(unsigned int style) override;
    void OnStateChanged(unsigned int changed) override;
    // Enter, the confirm key and Space press and toggle the box.
    int OnKey(int code, int key, int repeatFlags) override;
    // A button (DLGC_BUTTON) that keeps Enter.
    unsigned int GetDialogCode(int key) override;
    // The press rule; a click toggles the box and sends 513.
    int OnMouse(int code, int x, int y, int extra) override;
    // The box for the look and the checked state, then the text beside it.
    void OnPaint(CKCanvas* canvas) override;

    // Sets or clears the checked bit; repaints on a change.
    void SetCheck(bool on);
    bool IsChecked() const { return (style & KSTATE_CHECKED) != 0; }
    // A copy of `length` units (negative: up to the NUL; none clears); repaints.
    void SetText(const wchar_t* text, int length = -1);
    const wchar_t* GetText() const { return text; }

    void SetTextDrawable(CKDrawable* drawable);
    // The box drawables: the unchecked and checked check box, and the delete-box pair.
    void SetIconDrawable(CKDrawable* drawable);
    void SetCheckDrawable(CKDrawable* drawable);
    void SetDeleteIconDrawable(CKDrawable* drawable);
    void SetDeleteCheckDrawable(CKDrawable* drawable);

    // The painting of check boxes and radio boxes: `box` (when there is one) with `state` into
    // `rect`, then the text with the same state in the room the box leaves.
    static void DrawStateBox(CKCanvas* canvas, const RECT& rect, CKDrawable* box,
                             CKTextDrawable* textLook, const KStringW& label,
                             unsigned int state);

private:
    KStringW text;
    CKTextDrawable* textDrawable = nullptr;   // counted
    CKDrawable* deleteIcon = nullptr;         // counted
    CKDrawable* deleteCheck = nullptr;        // counted
    CKDrawable* icon = nullptr;               // counted
    CKDrawable* check = nullptr;              // counted
};

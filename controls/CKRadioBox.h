// CKRadioBox: a round box with a text that a tap or a confirm key turns on, turning off the other
// radio boxes of its group, and that reports being turned on to its parent (KNOTIFY_RADIO_ON).
//
// A group is a run of radio boxes among the sibling windows, starting at the one with style 0x10;
// a sibling of another class ends it too. Visual state, press rule and drawable slots are those of
// the check box (controls/CKCheckBox.h).
#pragma once
#include "foundation/KString.h"
#include "graphics/CKDrawable.h"
#include "ui/CKWindow.h"

class CKTextDrawable;

// Radio box style bits: KCONTENT_* alignment of the box (bits 0-3), and:
constexpr unsigned int KRBS_GROUP = 0x10;   // the first radio box of a group

// Notification code of a radio box: it was turned on by a tap or a confirm key.
constexpr int KNOTIFY_RADIO_ON = 769;

class CKRadioBox : public CKWindow
{
    K_DECLARE_DYNCREATE(CKRadioBox)
public:
    CKRadioBox() = default;
    // Releases the three drawables.
    ~CKRadioBox() override;

    // After the base: the default drawables into empty slots.
    void Initialize(unsigned int style) override;
    void OnStateChanged(unsigned int changed) override;
    // Enter, the confirm key and Space press and turn the box on.
    int OnKey(int code, int key, int repeatFlags) override;
    // A radio button (DLGC_RADIOBUTTON) that keeps Enter.
    unsigned int GetDialogCode(int key) override;
    // The press rule; a click turns the box on and sends 769.
    int OnMouse(int code, int x, int y, int extra) override;
    // The box for the checked state, then the text beside it.
    void OnPaint(CKCanvas* canvas) override;

    // Sets or clears the checked bit (repainting on a change); turning it on clears it on the
    // other radio boxes of the group.
    void SetCheck(bool on);
    bool IsChecked() const { return (style & KSTATE_CHECKED) != 0; }
    // A copy of `length` units (negative: up to the NUL; none clears); repaints.
    void SetText(const wchar_t* text, int length = -1);
    const wchar_t* GetText() const { return text; }

    void SetTextDrawable(CKDrawable* drawable);
    // The box drawables: off and on.
    void SetIconDrawable(CKDrawable* drawable);
    void SetCheckDrawable(CKDrawable* drawable);

private:
    // This box alone: the checked bit, repainting on a change.
    void SetCheckBit(bool on);
    // The sibling window as a radio box, or none when it is another kind of window.
    static CKRadioBox* AsRadioBox(CKWindow* window);

    KStringW text;
    CKTextDrawable* textDrawable = nullptr;   // counted
    CKDrawable* icon = nullptr;               // counted
    CKDrawable* check = nullptr;              // counted
};

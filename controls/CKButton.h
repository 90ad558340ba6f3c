// CKButton: a push button window with an optional text and an optional icon, painted by five
// drawables, that reports presses and clicks to its parent. Also the notification codes that
// buttons, button groups and tool bars send.
//
// Drawable slots (face, faceCheck: face drawables; textDrawable, textCheck: text drawables; icon:
// an icon drawable) follow the rule of graphics/KDrawableSlot.h; Initialize fills the empty ones
// with the library's button look from "res/DrawableBT.xml". The icon's image list is borrowed: it
// must outlive the button or be replaced first.
#pragma once
#include "controls/KButtonContent.h"
#include "ui/CKWindow.h"

class CKFaceDrawable;
class CKIconDrawable;
class CKImgList;
class CKTextDrawable;

// Notification codes of buttons (OnNotify(id, code, param) at the parent), beside the click
// (KNOTIFY_CLICK of ui/CKWindow.h).
constexpr int KNOTIFY_DBLPRESS = 258;   // double press inside the button
constexpr int KNOTIFY_RADIO = 259;      // tool bar: item `param` was checked (radio rule)
constexpr int KNOTIFY_PRESS = 260;      // a press began inside the button

// Button style bits. The four top bits are the button's visual state (KSTATE_* of
// graphics/CKDrawable.h: checked, focused, pressed, disabled); the low bits are the presentation
// options of controls/KButtonContent.h (KCONTENT_* alignment, KARRANGE_* arrangement).
// Checked is set and cleared by the owner through ModifyStyle; pressed follows input; focused and
// disabled mirror the window flags.

class CKButton : public CKWindow
{
    K_DECLARE_DYNCREATE(CKButton)
public:
    CKButton() = default;
    // Frees the text and releases the five drawables.
    ~CKButton() override;

    // Loads every empty drawable slot from "res/DrawableBT.xml" after the base.
    void Initialize(unsigned int style) override;
    // Icon and text by the arrangement (room in `size`), grown by the face's margins and
    // paddings. Returns 1.
    int CalcSize(SIZE& size) override;
    // Mirrors focus and disabled into the style's state bits.
    void OnStateChanged(unsigned int changed) override;
    // Enter and the confirm key press and click the button.
    int OnKey(int code, int key, int repeatFlags) override;
    // A button (DLGC_BUTTON) that keeps Enter.
    unsigned int GetDialogCode(int key) override;
    // Press (KNOTIFY_PRESS), double press (KNOTIFY_DBLPRESS), pressed look following the pointer,
    // click (KNOTIFY_CLICK).
    int OnMouse(int code, int x, int y, int extra) override;
    // Background, face (a checked button without check face shows its face pressed), content.
    void OnPaint(CKCanvas* canvas) override;

    // A copy of `length` units (negative: up to the NUL); none clears. Repaints when shown.
    void SetText(const wchar_t* text, int length = -1);
    const wchar_t* GetText() const { return content.text; }
    int GetTextLength() const { return content.textLength; }
    // The icon list (borrowed) and its cells; repaints with KWF_REPAINT_ON_CHANGE.
    void SetIcon(CKImgList* list, int normal, int pressed, int focused, int disabled);
    // The same cell in every state.
    void SetIcon(CKImgList* list, int cell);
    CKImgList* GetIconList() const { return content.iconList; }
    // The cell of a state slot (KSLOT_*); -1 outside 0..3.
    int GetIconCell(int slot) const;

    void SetFaceDrawable(CKDrawable* drawable);
    void SetFaceCheckDrawable(CKDrawable* drawable);
    void SetTextDrawable(CKDrawable* drawable);
    void SetTextCheckDrawable(CKDrawable* drawable);
    void SetIconDrawable(CKDrawable* drawable);
    CKFaceDrawable* GetFaceDrawable() const { return face; }
    CKFaceDrawable* GetFaceCheckDrawable() const { return faceCheck; }
    CKTextDrawable* GetTextDrawable() const { return textDrawable; }
    CKTextDrawable* GetTextCheckDrawable() const { return textCheck; }
    CKIconDrawable* GetIconDrawable() const { return icon; }

protected:
    KButtonContent content = {};            // text (owned) and icon list (borrowed) with cells
    CKFaceDrawable* face = nullptr;         // counted
    CKTextDrawable* textDrawable = nullptr; // counted
    CKFaceDrawable* faceCheck = nullptr;    // counted
    CKTextDrawable* textCheck = nullptr;    // counted
    CKIconDrawable* icon = nullptr;         // counted
};

// The library's button look.
extern const char* const KDRAWABLE_FILE_BUTTON;   // "res/DrawableBT.xml"

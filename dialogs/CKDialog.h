// CKDialog: the base of every overlay dialog: a box drawn by the program over the current page,
// with an optional title band, a content band supplied by a container (CKDlgContainer) and up to
// three buttons in a band at the bottom, over a veil that covers the page beneath. A dialog does
// not block its caller: Show pushes it on the view stack and disables the page beneath; the
// outcome reaches the owner window later as OnNotify(dialogId, code, param).
//
// Ownership and lifetime: a dialog is counted. Showing it gives the window tree a reference;
// EndDialog takes one more and posts the outcome 10 ms later, after the current input event; the
// posted call notifies the owner, destroys the dialog (title, buttons and record freed) and drops
// that last reference. The record, the title label and the buttons are owned by the dialog; the
// owner is borrowed and must outlive the posted outcome. The box may move or grow when shown and
// hidden (CKAniDialog, dialogs/CKAniDialog.h).
#pragma once
#include <windows.h>

#include "ui/CKView.h"

class CKButton;
class CKFaceDrawable;
class CKImage;
class CKLabel;
class KStringW;

// Window ids of the dialog's own children.
constexpr int KDLG_BUTTON3_ID = 1996;
constexpr int KDLG_BUTTON2_ID = 1997;
constexpr int KDLG_BUTTON1_ID = 1998;
constexpr int KDLG_TITLE_ID = 1999;

// Outcome codes and owner notifications (the code of the owner's OnNotify).
constexpr int KDLG_CANCEL = 2560;      // closed without a button: back key, tap outside
constexpr int KDLG_BUTTON1 = 2561;
constexpr int KDLG_BUTTON2 = 2562;
constexpr int KDLG_BUTTON3 = 2563;
constexpr int KDLG_FILL = 2565;        // right after creation: the owner fills the dialog now
constexpr int KDLG_CREATED = 2576;     // the dialog has been created
constexpr int KDLG_DESTROYING = 2577;  // the dialog's window is being destroyed
constexpr int KDLG_MEASURING = 2578;   // the dialog is about to measure its content
// Milliseconds between the end of a dialog and the owner's notification of its outcome.
constexpr int KDLG_END_DELAY_MS = 10;

// Anchor modes of SetAnchor: which corner of the box lies on the anchor point.
constexpr int KDLG_CENTRED = 0;
constexpr int KDLG_TOPLEFT = 1;
constexpr int KDLG_BOTTOMLEFT = 2;
constexpr int KDLG_TOPRIGHT = 3;
constexpr int KDLG_BOTTOMRIGHT = 4;

// Effect words (SetShowEffect, SetHideEffect): a motion in the low byte, an easing in the next.
constexpr unsigned int KDLG_MOTION_MASK = 0xFF;
constexpr unsigned int KDLG_MOTION_LEFT = 1;      // shows from beyond the left, hides to the right
constexpr unsigned int KDLG_MOTION_RIGHT = 2;     // shows from beyond the right, hides to the left
constexpr unsigned int KDLG_MOTION_TOP = 3;       // shows from above, hides downwards
constexpr unsigned int KDLG_MOTION_BOTTOM = 4;    // shows from below, hides upwards
constexpr unsigned int KDLG_MOTION_GROW_RIGHT = 17;   // from zero width at the left edge
constexpr unsigned int KDLG_MOTION_GROW_LEFT = 18;    // from zero width at the right edge
constexpr unsigned int KDLG_MOTION_GROW_DOWN = 19;    // from zero height at the top edge
constexpr unsigned int KDLG_MOTION_GROW_UP = 20;      // from zero height at the bottom edge
constexpr unsigned int KDLG_EASING_MASK = 0xFF00;
constexpr unsigned int KDLG_EASE_LINEAR = 0x000;
constexpr unsigned int KDLG_EASE_CUBIC_IN = 0x100;        // p^3
constexpr unsigned int KDLG_EASE_CUBIC_ROOT = 0x200;      // p^(1/3)
constexpr unsigned int KDLG_EASE_CUBIC_IN_OUT = 0x300;
constexpr unsigned int KDLG_EASE_ELASTIC_IN = 0x400;
constexpr unsigned int KDLG_EASE_ELASTIC_OUT = 0x500;     // overshoots the end, then settles
constexpr unsigned int KDLG_EASE_ELASTIC_IN_OUT = 0x600;

// The dialog record, zero-filled when InitDialog creates it.
struct KDlgFrame
{
    CKView* baseView;      // borrowed: the page under the dialog (never a dialog)
    CKLabel* title;        // owned: the title label, or none
    CKButton* button1;     // owned; each button exists only when the previous one does
    CKButton* button2;     // owned
    CKButton* button3;     // owned
    int dialogId;          // given to the owner with every notification
    int resultCode;        // the outcome, stored when the dialog starts to close
    INT_PTR resultParam;
    CKWindow* owner;       // borrowed: receives the notifications
    RECT rect;             // the box, in the dialog view's client coordinates
    RECT margins;          // from the box to the content: left, top, right, bottom
    int titleHeight;       // title band
    int buttonHeight;      // button band
    RECT titleRect;        // the three bands, computed from rect
    RECT contentRect;
    RECT buttonRect;
};

class CKDialog : public CKView
{
    K_DECLARE_CLASS(CKDialog)
public:
    // Dialogs are counted from the start (see above).
    CKDialog();
    // Frees the record, its title and buttons, the drawables and the veil's backdrop.
    ~CKDialog() override;

    // ---- CKWindow slots ----
    // The window first (OnDestroy tells the owner), then title, buttons and record.
    void Destroy() override;
    // Content container, view, drawables, title label and buttons; then KDLG_CREATED and KDLG_FILL
    // to the owner. 0 when the container cannot be created.
    int OnCreate() override;
    // KDLG_DESTROYING to the owner, then the base.
    void OnDestroy() override;
    // With KVF_TEXT_INPUT the focus goes to the content's first tab stop.
    void OnActivate(int param) override;
    // Measures the bands and the content, places the box and runs the show effect.
    void OnSize() override;
    // Clicks of the three buttons become OnButton(1..3).
    int OnNotify(int id, int code, INT_PTR param) override;
    // A release outside the box closes with KDLG_CANCEL when KVF_CANCEL_OUTSIDE is set.
    int OnMouse(int code, int x, int y, int extra) override;
    // The page beneath, the veil, then the title, content and button bands.
    void OnPaint(CKCanvas* canvas) override;

    // ---- View slots ----
    // Close(KDLG_CANCEL, 0); handled.
    int OnBack() override;
    // Enter that no focused control keeps presses the default button (OnButton); nothing without
    // one.
    int OnConfirm() override;

    // ---- Dialog slots ----
    // Creates the record once: the base view, a title label when `title` is given, the buttons
    // whose texts are given (each only with the previous one); then InitView(KVF_NOTITLE plus
    // the base view's full-screen flag). 1, or 0 when memory ran out.
    virtual int InitDialog(const wchar_t* title, const wchar_t* button1, const wchar_t* button2,
                           const wchar_t* button3);
    // Schedules the outcome: after KDLG_END_DELAY_MS the owner's OnNotify(dialogId, code,
    // param), then Destroy and the final release.
    virtual void EndDialog(int code, INT_PTR param);
    // The box's top-left for `size` in the dialog view's client coordinates: by the anchor mode,
    // else centred.
    virtual void GetDialogPosition(const SIZE& size, POINT& pos);
    // Button 1-3 close with KDLG_BUTTON1 to KDLG_BUTTON3, any other number with KDLG_CANCEL (param
    // 0).
    virtual void OnButton(int button);

    // ---- Commands ----
    // ShowOverlay: the dialog becomes the current view over the page beneath. 0 without record,
    // when the stack is full or the window cannot be created.
    int Show();
    // Stores the outcome and runs the hide effect; without one the dialog ends at once. A
    // dialog that is closing already stays as it is.
    void Close(int code, INT_PTR param);

    void SetOwner(CKWindow* window);
    CKWindow* GetOwner() const;
    void SetDialogId(int dialogId);
    int GetDialogId() const;
    CKView* GetBaseView() const;
    // Sets or clears KVF_CANCEL_OUTSIDE.
    void SetCancelOnOutsideTap(bool on);
    // `point` in the frame window's client coordinates; `mode` a KDLG_* anchor mode.
    void SetAnchor(int mode, POINT point);
    // The button (1-3) that Enter presses; 0, the default of most dialogs: Enter presses none.
    void SetDefaultButton(int button) { defaultButton = button; }
    int GetDefaultButton() const { return defaultButton; }
    // Effect words (motion | easing); each is used once.
    void SetShowEffect(unsigned int effect) { showEffect = effect; }
    void SetHideEffect(unsigned int effect) { hideEffect = effect; }

    const KDlgFrame* GetFrame() const { return frame; }
    CKLabel* GetTitleLabel() const;
    // Button 1-3, or none.
    CKButton* GetButton(int button) const;
    bool IsClosing() const { return closing; }

    // The box moves to `rect`: the bands follow and the dialog repaints (CKAniDialog's steps).
    void SetBoxRect(const RECT& rect);
    // The end of closing: EndDialog with the stored outcome, the dialog leaves the view stack
    // (the page beneath is current and enabled again) and its window is destroyed.
    void FinishClose();

protected:
    // Lays the title, the buttons and the container out in the bands of the box; repaints.
    void RecalcLayout();
    // OnNotify(dialogId, code, this) to the owner, when there is one.
    void NotifyOwner(int code);
    // Copies what the current view shows, for painting beneath the veil.
    void CaptureBackdrop();
    // Deletes title and buttons and frees the record.
    void FreeFrame();

    KDlgFrame* frame = nullptr;        // owned (KAlloc)
    int anchorMode = KDLG_CENTRED;
    POINT anchorPoint = {0, 0};
    unsigned int showEffect = 0;
    unsigned int hideEffect = 0;
    int defaultButton = 0;             // 1-3: the button Enter presses; 0: none
    CKFaceDrawable* top = nullptr;     // counted: the title band (or the top band)
    CKFaceDrawable* middle = nullptr;  // counted: the content band
    CKFaceDrawable* bottom = nullptr;  // counted: the button band (or the bottom band)
    CKImage* backdrop = nullptr;       // owned: the page beneath, as shown when the dialog came
    bool closing = false;              // Close has run
};

// The text of string `id` for a dialog, loaded into `text`: none for id 0 and for a string that is
// missing or empty (a title, message or button that is absent).
const wchar_t* KLoadDialogText(int id, KStringW& text);

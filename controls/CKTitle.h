// CKTitle: the title bar at the top of every view: a face, a title text centred between up to two
// buttons (falling back to a smaller, end-ellipsised style when it does not fit), and the buttons'
// clicks passed to the parent view as OnNotify(title id, KNOTIFY_CLICK, command id).
//
// The title owns its two buttons with one counted reference each (the window tree holds another
// while a button has its window); removing a button, or destroying the title, destroys the button's
// window and lets go of it. A button's window id is its command id. The three drawable slots follow
// graphics/KDrawableSlot.h; Initialize fills the empty ones from "res/DrawableTitle.xml".
#pragma once
#include "foundation/KString.h"
#include "ui/CKTitleBar.h"

class CKButton;
class CKFaceDrawable;
class CKImgList;
class CKTextDrawable;

// Title button styles: the face each button gets.
constexpr int KTITLE_BTN_PLAIN = 0;   // "DefTitleBtnFace"
constexpr int KTITLE_BTN_LEFT = 1;    // "DefTitleBtnLeft"
constexpr int KTITLE_BTN_RIGHT = 2;   // "DefTitleBtnRight"

class CKTitle : public CKTitleBar
{
    K_DECLARE_DYNCREATE(CKTitle)
public:
    CKTitle() = default;
    // Lets go of both buttons and releases the three drawables.
    ~CKTitle() override;

    // The base with flags | KWF_CONTROLPARENT | KWF_TABSTOP.
    int Create(unsigned int style, int id, CKWindow* parent, unsigned int flags) override;
    // After the base: the default drawables into empty slots.
    void Initialize(unsigned int style) override;
    // After the base: the windows of the buttons that have a command.
    int OnCreate() override;
    // Height = TitleBarHeight; the width stays. Returns 1.
    int CalcSize(SIZE& size) override;
    // Buttons at the ends of the content area, centred vertically; the text area between them
    // inset equally on both sides, so that the text stays centred on the bar.
    void OnSize() override;
    // A click of a button (code KNOTIFY_CLICK from the button whose id is its command) is passed on
    // to the parent as NotifyParent(KNOTIFY_CLICK, command).
    int OnNotify(int id, int code, INT_PTR param) override;
    // Face, then the text: the normal style when it fits the text area, else the small style with
    // an end ellipsis.
    void OnPaint(CKCanvas* canvas) override;

    // A copy of the text; repaints with KWF_REPAINT_ON_CHANGE.
    void SetText(const wchar_t* text) override;
    const wchar_t* GetText() const { return text; }
    // Command (0 removes the button), style (KTITLE_BTN_*) and text of the left / right button.
    // A command creates the button when missing; a null text keeps the button's current text.
    void SetLeftButton(int cmd, int style, const wchar_t* text) override;
    void SetRightButton(int cmd, int style, const wchar_t* text) override;
    // As SetLeftButton / SetRightButton, with cell `index` of `list` (borrowed) instead of a text;
    // without a list the button keeps what it shows.
    void SetLeftButtonIcon(int cmd, int style, CKImgList* list, int index);
    void SetRightButtonIcon(int cmd, int style, CKImgList* list, int index);
    CKButton* GetLeftButton() const { return leftButton; }
    CKButton* GetRightButton() const { return rightButton; }
    int GetLeftCmd() const { return leftCmd; }
    int GetRightCmd() const { return rightCmd; }
    // The area between the buttons, in client coordinates (set by OnSize).
    const RECT& GetTextRect() const { return textRect; }

    // Face drawables only / text drawables only.
    void SetFace(CKDrawable* drawable);
    void SetTextDrawable(CKDrawable* drawable);
    void SetSmallTextDrawable(CKDrawable* drawable);
    CKFaceDrawable* GetFace() const { return face; }
    CKTextDrawable* GetTextDrawable() const { return textDrawable; }
    CKTextDrawable* GetSmallTextDrawable() const { return smallTextDrawable; }

protected:
    // The background face over the whole client area; false when the title has no window. The
    // text is painted only when this is true and there is a text drawable and a text.
    bool PaintFace(CKCanvas* canvas);
    // One side's button: stores command and style; a command creates the button when missing (and
    // its window when the title has one), 0 deletes it. Returns the button, or none.
    CKButton* SetButton(CKButton*& button, int& cmdField, int& styleField, int cmd,
                        int buttonStyle);
    // Destroys the button's window (if any) and lets go of the title's reference.
    static void DropButton(CKButton*& button);
    // Creates the button's window under the title and gives it the look of its style.
    void CreateButtonWindow(CKButton* button, int cmd, int buttonStyle);
    // The client rect minus the face's margins and paddings.
    RECT GetContentRect() const;
    // Lays out again when the title has a window.
    void Relayout();

    KStringW text;
    RECT textRect = {0, 0, 0, 0};
    CKButton* leftButton = nullptr;         // counted (owned)
    int leftCmd = 0;
    int leftStyle = 0;
    CKButton* rightButton = nullptr;        // counted (owned)
    int rightCmd = 0;
    int rightStyle = 0;
    CKFaceDrawable* face = nullptr;         // counted
    CKTextDrawable* textDrawable = nullptr; // counted
    CKTextDrawable* smallTextDrawable = nullptr;   // counted
};

// Start-up step: views make their own title bars as CKTitle (SetTitleBarMaker).
void KInitTitleBars(HINSTANCE instance);

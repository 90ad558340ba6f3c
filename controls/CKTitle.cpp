// CKTitle: title text and buttons, the layout that keeps the text centred, painting with the
// small-text fallback, and button clicks passed on as commands.
#include "controls/CKTitle.h"

#include "controls/CKButton.h"
#include "controls/KButtonContent.h"
#include "foundation/KDevMetrics.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableSlot.h"
#include "ui/CKView.h"

K_IMPLEMENT_DYNCREATE(CKTitle, CKTitleBar)

namespace {

constexpr char TITLE_FILE[] = "res/DrawableTitle.xml";

// Window flags of a title button: it repaints when its text or icon changes and takes the focus.
constexpr unsigned int BUTTON_FLAGS = KWF_REPAINT_ON_CHANGE | KWF_TABSTOP;

// The face drawable of a title button style (an unknown style gets the plain face).
const char* ButtonFaceName(int buttonStyle)
{
    switch (buttonStyle) {
    case KTITLE_BTN_LEFT:
        return "DefTitleBtnLeft";
    case KTITLE_BTN_RIGHT:
        return "DefTitleBtnRight";
    default:
        return "DefTitleBtnFace";
    }
}

void ApplyButtonLook(CKButton* button, int buttonStyle)
{
    button->SetFaceDrawable(GetDrawable(TITLE_FILE, ButtonFaceName(buttonStyle)));
    button->SetTextDrawable(GetDrawable(TITLE_FILE, "DefTitleBtnText"));
}

void MakeTitle(CKView* view)
{
    CKTitle* title = new CKTitle();
    if (title) {
        title->EnableRefCount();
        view->SetTitle(title);
    }
}

} // namespace

CKTitle::~CKTitle()
{
    DropButton(leftButton);
    DropButton(rightButton);
    KDropDrawable(face);
    KDropDrawable(textDrawable);
    KDropDrawable(smallTextDrawable);
}

int CKTitle::Create(unsigned int newStyle, int newId, CKWindow* parent, unsigned int newFlags)
{
    return CKWindow::Create(newStyle, newId, parent, newFlags | KWF_CONTROLPARENT | KWF_TABSTOP);
}

void CKTitle::Initialize(unsigned int newStyle)
{
    CKWindow::Initialize(newStyle);
    KLoadDrawable(face, TITLE_FILE, "DefTitleFace", K_RUNTIME_CLASS(CKFaceDrawable));
    KLoadDrawable(textDrawable, TITLE_FILE, "DefTitleText", K_RUNTIME_CLASS(CKTextDrawable));
    KLoadDrawable(smallTextDrawable, TITLE_FILE, "DefTitleSmallText",
                  K_RUNTIME_CLASS(CKTextDrawable));
}

int CKTitle::OnCreate()
{
    if (!CKWindow::OnCreate())
        return 0;
    if (leftButton && leftCmd > 0)
        CreateButtonWindow(leftButton, leftCmd, leftStyle);
    if (rightButton && rightCmd > 0)
        CreateButtonWindow(rightButton, rightCmd, rightStyle);
    return 1;
}

void CKTitle::CreateButtonWindow(CKButton* button, int cmd, int buttonStyle)
{
    if (button->Create(0, cmd, this, BUTTON_FLAGS))
        ApplyButtonLook(button, buttonStyle);
}

// ---- Text and buttons ---------------------------------------------------------------------------

void CKTitle::SetText(const wchar_t* newText)
{
    text.Assign(newText);
    if (flags & KWF_REPAINT_ON_CHANGE)
        Invalidate();
}

void CKTitle::DropButton(CKButton*& button)
{
    if (!button)
        return;
    CKButton* dropped = button;
    button = nullptr;
    if (dropped->GetHwnd())
        dropped->Destroy();
    dropped->Release();
}

CKButton* CKTitle::SetButton(CKButton*& button, int& cmdField, int& styleField, int cmd,
                             int buttonStyle)
{
    // A button's window id is its command: a new command needs a new button.
    if (button && (cmd == 0 || cmd != cmdField))
        DropButton(button);
    const bool restyled = buttonStyle != styleField;
    cmdField = cmd;
    styleField = buttonStyle;
    if (cmd == 0)
        return nullptr;
    if (!button) {
        button = new CKButton();
        if (!button)
            return nullptr;
        button->EnableRefCount();
        button->AddRef();
    }
    if (GetHwnd() && cmd > 0 && !button->GetHwnd())
        CreateButtonWindow(button, cmd, buttonStyle);
    else if (restyled && button->GetHwnd())
        ApplyButtonLook(button, buttonStyle);
    return button;
}

void CKTitle::SetLeftButton(int cmd, int buttonStyle, const wchar_t* buttonText)
{
    CKButton* button = SetButton(leftButton, leftCmd, leftStyle, cmd, buttonStyle);
    if (button && buttonText)
        button->SetText(buttonText);
    Relayout();
}

void CKTitle::SetRightButton(int cmd, int buttonStyle, const wchar_t* buttonText)
{
    CKButton* button = SetButton(rightButton, rightCmd, rightStyle, cmd, buttonStyle);
    if (button && buttonText)
        button->SetText(buttonText);
    Relayout();
}

void CKTitle::SetLeftButtonIcon(int cmd, int buttonStyle, CKImgList* list, int index)
{
    CKButton* button = SetButton(leftButton, leftCmd, leftStyle, cmd, buttonStyle);
    if (button && list) {
        button->SetText(nullptr);
        button->SetIcon(list, index);
    }
    Relayout();
}

void CKTitle::SetRightButtonIcon(int cmd, int buttonStyle, CKImgList* list, int index)
{
    CKButton* button = SetButton(rightButton, rightCmd, rightStyle, cmd, buttonStyle);
    if (button && list) {
        button->SetText(nullptr);
        button->SetIcon(list, index);
    }
    Relayout();
}

// ---- Drawables ----------------------------------------------------------------------------------

void CKTitle::SetFace(CKDrawable* drawable)
{
    KHoldDrawable(face, drawable, K_RUNTIME_CLASS(CKFaceDrawable));
}

void CKTitle::SetTextDrawable(CKDrawable* drawable)
{
    KHoldDrawable(textDrawable, drawable, K_RUNTIME_CLASS(CKTextDrawable));
}

void CKTitle::SetSmallTextDrawable(CKDrawable* drawable)
{
    KHoldDrawable(smallTextDrawable, drawable, K_RUNTIME_CLASS(CKTextDrawable));
}

// ---- Layout -------------------------------------------------------------------------------------

int CKTitle::CalcSize(SIZE& size)
{
    size.cy = GetDevMetric(TitleBarHeight);
    return 1;
}

RECT CKTitle::GetContentRect() const
{
    RECT content = {0, 0, 0, 0};
    GetClientRect(&content);
    if (face) {
        const RECT& margin = face->GetMargin();
        const RECT& padding = face->GetPadding();
        content.left += margin.left + padding.left;
        content.top += margin.top + padding.top;
        content.right -= margin.right + padding.right;
        content.bottom -= margin.bottom + padding.bottom;
    }
    return content;
}

void CKTitle::Relayout()
{
    if (GetHwnd())
        OnSize();
}

void CKTitle::OnSize()
{
    const RECT content = GetContentRect();
    int side = 0;
    // Each button at its preferred size, vertically centred on the content area.
    CKButton* const buttons[2] = {leftCmd > 0 ? leftButton : nullptr,
                                  rightCmd > 0 ? rightButton : nullptr};
    for (int i = 0; i < 2; i++) {
        CKButton* button = buttons[i];
        if (!button)
            continue;
        SIZE size = {content.right - content.left, content.bottom - content.top};
        button->CalcSize(size);
        RECT rect;
        rect.top = (content.top + content.bottom - size.cy) / 2;
        rect.bottom = (content.top + content.bottom + size.cy) / 2;
        rect.left = i == 0 ? content.left : content.right - size.cx;
        rect.right = rect.left + size.cx;
        button->Move(rect);
        if (size.cx > side)
            side = size.cx;
    }
    textRect = content;
    textRect.left += side;
    textRect.right -= side;
}

// ---- Commands and painting ----------------------------------------------------------------------

int CKTitle::OnNotify(int notifyId, int code, INT_PTR param)
{
    CKWindow::OnNotify(notifyId, code, param);
    if (code != KNOTIFY_CLICK)
        return 0;
    if (leftCmd != 0 && notifyId == leftCmd) {
        NotifyParent(KNOTIFY_CLICK, leftCmd, 0);
        return 1;
    }
    if (rightCmd != 0 && notifyId == rightCmd) {
        NotifyParent(KNOTIFY_CLICK, rightCmd, 0);
        return 1;
    }
    return 0;
}

bool CKTitle::PaintFace(CKCanvas* canvas)
{
    RECT client;
    if (!GetClientRect(&client))
        return false;
    if (face) {
        face->SetState(0);
        face->Draw(canvas, client, nullptr);
    }
    return true;
}

void CKTitle::OnPaint(CKCanvas* canvas)
{
    if (!PaintFace(canvas) || !textDrawable || !text.GetLength())
        return;
    const int width = textRect.right - textRect.left;
    SIZE size = {width, textRect.bottom - textRect.top};
    bool fits = true;
    {
        const KContentBlock measure(text, text.GetLength(), nullptr, nullptr, 0, textDrawable,
                                    nullptr);
        measure.CalcSize(size, 0);
        fits = size.cx <= width;
    }
    if (!fits && smallTextDrawable) {
        const KContentBlock small(text, text.GetLength(), nullptr, nullptr, KDT_END_ELLIPSIS,
                                  smallTextDrawable, nullptr);
        small.Draw(canvas, textRect, 0);
    } else {
        const KContentBlock normal(text, text.GetLength(), nullptr, nullptr, 0, textDrawable,
                                   nullptr);
        normal.Draw(canvas, textRect, 0);
    }
}

void KInitTitleBars(HINSTANCE)
{
    SetTitleBarMaker(MakeTitle);
}

// CKDialog: the record with title and buttons, creation with the dialog look, measuring and placing
// the box and its bands, painting over the page beneath, input, and the deferred end.
//
// Index: construction and record - creation and destruction - sizing and layout - painting -
// input - showing and closing - accessors - texts.
#include "dialogs/CKDialog.h"

#include <cstring>

#include "controls/CKButton.h"
#include "controls/CKLabel.h"
#include "dialogs/CKAniDialog.h"
#include "foundation/KMemory.h"
#include "foundation/KResource.h"
#include "foundation/KString.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKImage.h"
#include "graphics/KDrawableSlot.h"
#include "graphics/KGraphics.h"
#include "ui/CKApplication.h"
#include "ui/CKContainer.h"
#include "ui/KTimer.h"

K_IMPLEMENT_CLASS(CKDialog, CKView)

namespace {

constexpr char DLG_FILE[] = "res/DrawableDlg.xml";
// Window flags of the title label and of the buttons.
constexpr unsigned int TITLE_FLAGS = KWF_REPAINT_ON_CHANGE;
constexpr unsigned int BUTTON_FLAGS = KWF_REPAINT_ON_CHANGE | KWF_TABSTOP;
// The button faces by the number of buttons (a shared face, when defined, wins).
const char* const BUTTON_FACES[3][3] = {
    {"DefDlgBtnOneFace", nullptr, nullptr},
    {"DefDlgBtnLeftFace", "DefDlgBtnRightFace", nullptr},
    {"DefDlgBtnLeftFace", "DefDlgBtnMiddleFace", "DefDlgBtnRightFace"},
};
const int BUTTON_IDS[3] = {KDLG_BUTTON1_ID, KDLG_BUTTON2_ID, KDLG_BUTTON3_ID};

// `rect` less the drawable's margins and paddings; never inside out.
RECT Inset(const RECT& rect, const CKDrawable* drawable)
{
    RECT inner = rect;
    if (drawable) {
        const RECT& margin = drawable->GetMargin();
        const RECT& padding = drawable->GetPadding();
        inner.left += margin.left + padding.left;
        inner.top += margin.top + padding.top;
        inner.right -= margin.right + padding.right;
        inner.bottom -= margin.bottom + padding.bottom;
    }
    if (inner.right < inner.left)
        inner.right = inner.left;
    if (inner.bottom < inner.top)
        inner.bottom = inner.top;
    return inner;
}

// Buttons exist in order: the count is the last one present.
int CountButtons(const KDlgFrame* frame)
{
    return frame->button3 ? 3 : frame->button2 ? 2 : frame->button1 ? 1 : 0;
}

int Min(int a, int b)
{
    return a < b ? a : b;
}

CKButton* NewButton(const wchar_t* text)
{
    if (!text)
        return nullptr;
    CKButton* button = new CKButton();
    if (button)
        button->SetText(text);
    return button;
}

void DrawBand(CKCanvas* canvas, CKFaceDrawable* face, const RECT& band)
{
    if (!face || IsRectEmpty(&band))
        return;
    face->SetState(0);
    face->Draw(canvas, band, nullptr);
}

} // namespace

// ---- Construction and record --------------------------------------------------------------------

CKDialog::CKDialog()
{
    EnableRefCount();
}

CKDialog::~CKDialog()
{
    FreeFrame();
    KDropDrawable(top);
    KDropDrawable(middle);
    KDropDrawable(bottom);
    delete backdrop;
}

int CKDialog::InitDialog(const wchar_t* titleText, const wchar_t* button1, const wchar_t* button2,
                         const wchar_t* button3)
{
    if (!frame) {
        frame = (KDlgFrame*)KAlloc(sizeof(KDlgFrame));
        if (!frame)
            return 0;
        memset(frame, 0, sizeof(KDlgFrame));
        CKView* base = GetCurrentView();
        if (base && base->IsKindOf(K_RUNTIME_CLASS(CKDialog)))
            base = ((CKDialog*)base)->GetBaseView();
        frame->baseView = base;
        if (titleText) {
            frame->title = new CKLabel();
            if (frame->title)
                frame->title->SetText(titleText);
        }
        frame->button1 = NewButton(button1);
        if (frame->button1)
            frame->button2 = NewButton(button2);
        if (frame->button2)
            frame->button3 = NewButton(button3);
    }
    const unsigned int baseFlags = frame->baseView ? frame->baseView->GetViewFlags() : 0;
    InitView(KVF_NOTITLE | (baseFlags & KVF_FULLSCREEN), 0);
    return 1;
}

// ---- Creation and destruction -------------------------------------------------------------------

int CKDialog::OnCreate()
{
    if (!CKView::OnCreate())
        return 0;
    if (!background)
        SetBackground(GetDrawable(DLG_FILE, "DefDlgBkgnd"));
    const bool titled = frame && frame->title;
    const bool buttoned = frame && frame->button1;
    KLoadDrawable(top, DLG_FILE, titled ? "DefDlgTitle" : "DefDlgTop",
                  K_RUNTIME_CLASS(CKFaceDrawable));
    KLoadDrawable(middle, DLG_FILE, "DefDlgMiddle", K_RUNTIME_CLASS(CKFaceDrawable));
    KLoadDrawable(bottom, DLG_FILE, buttoned ? "DefDlgButton" : "DefDlgBottom",
                  K_RUNTIME_CLASS(CKFaceDrawable));
    if (!frame)
        return 1;
    if (frame->title && !frame->title->GetHwnd()) {
        frame->title->SetTextDrawable(GetDrawable(DLG_FILE, "DefDlgTitleText"));
        frame->title->SetIconDrawable(GetDrawable(DLG_FILE, "DefDlgTitleIcon"));
        frame->title->Create(KLS_END_ELLIPSIS, KDLG_TITLE_ID, this, TITLE_FLAGS);
    }
    CKButton* const buttons[3] = {frame->button1, frame->button2, frame->button3};
    const int count = CountButtons(frame);
    CKDrawable* shared = GetDrawable(DLG_FILE, "DefDlgButtonFace");
    CKDrawable* text = GetDrawable(DLG_FILE, "DefDlgButtonText");
    CKDrawable* icon = GetDrawable(DLG_FILE, "DefDlgButtonIcon");
    for (int i = 0; i < count; i++) {
        if (buttons[i]->GetHwnd())
            continue;
        buttons[i]->SetFaceDrawable(shared ? shared
                                           : GetDrawable(DLG_FILE, BUTTON_FACES[count - 1][i]));
        if (text)
            buttons[i]->SetTextDrawable(text);
        if (icon)
            buttons[i]->SetIconDrawable(icon);
        buttons[i]->Create(0, BUTTON_IDS[i], this, BUTTON_FLAGS);
    }
    NotifyOwner(KDLG_CREATED);
    NotifyOwner(KDLG_FILL);
    return 1;
}

void CKDialog::OnDestroy()
{
    NotifyOwner(KDLG_DESTROYING);
    CKView::OnDestroy();
}

void CKDialog::Destroy()
{
    CKView::Destroy();
    FreeFrame();
}

void CKDialog::FreeFrame()
{
    if (!frame)
        return;
    delete frame->title;
    delete frame->button1;
    delete frame->button2;
    delete frame->button3;
    KFree(frame);
    frame = nullptr;
}

// ---- Sizing and layout --------------------------------------------------------------------------

void CKDialog::OnSize()
{
    CKWindow::OnSize();
    RECT view;
    if (!frame || !GetClientRect(&view))
        return;
    const int viewWidth = view.right - view.left;
    const int viewHeight = view.bottom - view.top;
    RECT margins = {0, 0, 0, 0};
    int titleHeight = 0;
    int buttonHeight = 0;
    if (frame->title) {
        SIZE size = {viewWidth, viewHeight};
        frame->title->CalcSize(size);
        if (top)
            top->CalcSize(size);
        titleHeight = size.cy;
        margins.top += titleHeight;
    } else if (top) {
        SIZE size = {0, 0};
        top->CalcSize(size);
        titleHeight = size.cy;
        margins.top += top->GetMargin().top + top->GetPadding().top;
    }
    if (middle) {
        margins.left += middle->GetMargin().left + middle->GetPadding().left;
        margins.right += middle->GetMargin().right + middle->GetPadding().right;
    }
    if (frame->button1) {
        SIZE size = {viewWidth, viewHeight};
        frame->button1->CalcSize(size);
        if (bottom)
            bottom->CalcSize(size);
        buttonHeight = size.cy;
        margins.bottom += buttonHeight;
    } else if (bottom) {
        SIZE size = {0, 0};
        bottom->CalcSize(size);
        buttonHeight = size.cy;
        margins.bottom += bottom->GetMargin().bottom + bottom->GetPadding().bottom;
    }

    SIZE content = {viewWidth - margins.left - margins.right,
                    viewHeight - margins.top - margins.bottom};
    if (content.cx < 0)
        content.cx = 0;
    if (content.cy < 0)
        content.cy = 0;
    NotifyOwner(KDLG_MEASURING);
    if (CKContainer* container = GetContainer())
        container->CalcSize(content);
    const SIZE box = {content.cx + margins.left + margins.right,
                      content.cy + margins.top + margins.bottom};
    POINT pos;
    GetDialogPosition(box, pos);
    // Inside the view: an overflow moves the box up or left, but never past the top-left.
    if (pos.x + box.cx > view.right)
        pos.x = view.right - box.cx;
    if (pos.y + box.cy > view.bottom)
        pos.y = view.bottom - box.cy;
    if (pos.x < view.left)
        pos.x = view.left;
    if (pos.y < view.top)
        pos.y = view.top;
    frame->rect = {pos.x, pos.y, pos.x + box.cx, pos.y + box.cy};
    frame->margins = margins;
    frame->titleHeight = titleHeight;
    frame->buttonHeight = buttonHeight;

    const unsigned int effect = showEffect;
    showEffect = 0;
    RECT start;
    if (CKAniDialog::MotionRect(effect & KDLG_MOTION_MASK, frame->rect, view, false, &start)) {
        if (CKAniDialog* anim = new CKAniDialog(this, 0, effect & KDLG_EASING_MASK, start,
                                                frame->rect)) {
            SetBoxRect(start);
            StartAnimation(anim);
            return;
        }
    }
    RecalcLayout();
}

void CKDialog::GetDialogPosition(const SIZE& size, POINT& pos)
{
    RECT view = {0, 0, 0, 0};
    GetClientRect(&view);
    POINT anchor = anchorPoint;
    if (GetHwnd() && GetFrameWindow())
        MapWindowPoints(GetFrameWindow(), GetHwnd(), &anchor, 1);
    switch (anchorMode) {
    case KDLG_TOPLEFT:
        pos = anchor;
        break;
    case KDLG_BOTTOMLEFT:
        pos = {anchor.x, anchor.y - size.cy};
        break;
    case KDLG_TOPRIGHT:
        pos = {anchor.x - size.cx, anchor.y};
        break;
    case KDLG_BOTTOMRIGHT:
        pos = {anchor.x - size.cx, anchor.y - size.cy};
        break;
    default:
        pos.x = view.left + (view.right - view.left - size.cx) / 2;
        pos.y = view.top + (view.bottom - view.top - size.cy) / 2;
        break;
    }
}

void CKDialog::SetBoxRect(const RECT& rect)
{
    if (!frame)
        return;
    frame->rect = rect;
    RecalcLayout();
}

void CKDialog::RecalcLayout()
{
    if (!frame)
        return;
    const RECT& box = frame->rect;
    const int height = box.bottom > box.top ? box.bottom - box.top : 0;
    const int titleBand = Min(height, frame->titleHeight);
    const int buttonBand = Min(height - titleBand, frame->buttonHeight);
    frame->titleRect = {box.left, box.top, box.right, box.top + titleBand};
    frame->buttonRect = {box.left, box.bottom - buttonBand, box.right, box.bottom};
    frame->contentRect = {box.left, box.top + titleBand, box.right, box.bottom - buttonBand};

    if (frame->title)
        frame->title->Move(Inset(frame->titleRect, top));

    // The buttons split the band: thirds (the middle one centred), halves, or all of it.
    const RECT band = Inset(frame->buttonRect, bottom);
    const int width = band.right - band.left;
    CKButton* const buttons[3] = {frame->button1, frame->button2, frame->button3};
    const int count = CountButtons(frame);
    if (count) {
        const int share = width / count;
        RECT rects[3] = {band, band, band};
        rects[0].right = band.left + share;
        rects[count - 1].left = band.right - share;
        if (count == 3) {
            rects[1].left = band.left + (width - share) / 2;
            rects[1].right = rects[1].left + share;
        }
        for (int i = 0; i < count; i++)
            buttons[i]->Move(rects[i]);
    }

    if (CKContainer* container = GetContainer()) {
        RECT content = {box.left + frame->margins.left, box.top + frame->margins.top,
                        box.right - frame->margins.right, box.bottom - frame->margins.bottom};
        if (content.right < content.left)
            content.right = content.left;
        if (content.bottom < content.top)
            content.bottom = content.top;
        container->Move(content);
    }
    Invalidate();
}

// ---- Painting -----------------------------------------------------------------------------------

void CKDialog::CaptureBackdrop()
{
    CKView* current = GetCurrentView();
    HDC back = GetBackBufferDC();
    RECT rect;
    if (!current || !back || !current->GetClientRect(&rect) || IsRectEmpty(&rect))
        return;
    // Painted now, the page and all its children are complete in the back buffer, where the
    // page's window starts at (0, 0).
    RedrawWindow(current->GetHwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (!backdrop)
        backdrop = new CKImage();
    if (!backdrop || !backdrop->Create(rect.right, rect.bottom, 24))
        return;
    HDC dc = SelectImageDC(KIMAGE_DC_TARGET, backdrop);
    if (dc) {
        BitBlt(dc, 0, 0, rect.right, rect.bottom, back, 0, 0, SRCCOPY);
        SelectImageDC(KIMAGE_DC_TARGET, nullptr);
    }
}

void CKDialog::OnPaint(CKCanvas* canvas)
{
    RECT client;
    if (!frame || !GetClientRect(&client))
        return;
    // The page beneath is hidden while the dialog is current: its picture stands in for it.
    if (backdrop && backdrop->GetBitmap())
        canvas->DrawImage(0, 0, backdrop->GetWidth(), backdrop->GetHeight(), backdrop, 0, 0);
    DrawBackground(canvas, &client, 0);
    DrawBand(canvas, top, frame->titleRect);
    DrawBand(canvas, middle, frame->contentRect);
    DrawBand(canvas, bottom, frame->buttonRect);
}

// ---- Input --------------------------------------------------------------------------------------

int CKDialog::OnNotify(int notifyId, int code, INT_PTR param)
{
    CKView::OnNotify(notifyId, code, param);
    if (code != KNOTIFY_CLICK)
        return 0;
    switch (notifyId) {
    case KDLG_BUTTON1_ID:
        OnButton(1);
        return 1;
    case KDLG_BUTTON2_ID:
        OnButton(2);
        return 1;
    case KDLG_BUTTON3_ID:
        OnButton(3);
        return 1;
    default:
        return 0;
    }
}

int CKDialog::OnMouse(int code, int x, int y, int extra)
{
    CKView::OnMouse(code, x, y, extra);
    const POINT point = {x, y};
    if (code != KMOUSE_RELEASE || !(viewFlags & KVF_CANCEL_OUTSIDE) || !frame
        || PtInRect(&frame->rect, point))
        return 0;
    Close(KDLG_CANCEL, 0);
    return 1;
}

int CKDialog::OnBack()
{
    Close(KDLG_CANCEL, 0);
    return 1;
}

int CKDialog::OnConfirm()
{
    if (!defaultButton || !GetButton(defaultButton))
        return 0;
    OnButton(defaultButton);
    return 1;
}

void CKDialog::OnButton(int button)
{
    switch (button) {
    case 1:
        Close(KDLG_BUTTON1, 0);
        break;
    case 2:
        Close(KDLG_BUTTON2, 0);
        break;
    case 3:
        Close(KDLG_BUTTON3, 0);
        break;
    default:
        Close(KDLG_CANCEL, 0);
        break;
    }
}

void CKDialog::OnActivate(int param)
{
    CKView::OnActivate(param);
    CKContainer* container = GetContainer();
    if (!(viewFlags & KVF_TEXT_INPUT) || !container || !container->GetHwnd())
        return;
    if (HWND field = GetNextDlgTabItem(container->GetHwnd(), nullptr, FALSE))
        ::SetFocus(field);
}

// ---- Showing and closing ------------------------------------------------------------------------

int CKDialog::Show()
{
    if (!frame)
        return 0;
    CaptureBackdrop();
    return ShowOverlay(this);
}

void CKDialog::Close(int code, INT_PTR param)
{
    if (!frame || closing)
        return;
    closing = true;
    frame->resultCode = code;
    frame->resultParam = param;
    const unsigned int effect = hideEffect;
    hideEffect = 0;
    RECT view, end;
    if (GetClientRect(&view)
        && CKAniDialog::MotionRect(effect & KDLG_MOTION_MASK, frame->rect, view, true, &end)) {
        if (CKAniDialog* anim = new CKAniDialog(this, 1, effect & KDLG_EASING_MASK, frame->rect,
                                                end)) {
            StartAnimation(anim);
            return;
        }
    }
    FinishClose();
}

void CKDialog::FinishClose()
{
    if (!frame)
        return;
    AddRef();   // the window's destruction drops the tree's reference
    EndDialog(frame->resultCode, frame->resultParam);
    // A dialog ending beneath another one (a toast under an alert) leaves the stack from there.
    if (!EndOverlay(this))
        RemoveFromViewStack(this);
    CKWindow::Destroy();
    Release();
}

namespace {

// The posted end of a dialog: the outcome to the owner, then the dialog goes.
void EndDialogCall(INT_PTR param, INT_PTR code, INT_PTR result)
{
    CKDialog* dialog = (CKDialog*)param;
    CKWindow* owner = dialog->GetOwner();
    if (owner)
        owner->OnNotify(dialog->GetDialogId(), (int)code, result);
    dialog->Destroy();
    dialog->Release();
}

} // namespace

void CKDialog::EndDialog(int code, INT_PTR param)
{
    AddRef();
    if (!PostCall((INT_PTR)this, code, param, EndDialogCall, KDLG_END_DELAY_MS))
        Release();
}

void CKDialog::NotifyOwner(int code)
{
    if (frame && frame->owner)
        frame->owner->OnNotify(frame->dialogId, code, (INT_PTR)this);
}

// ---- Accessors ----------------------------------------------------------------------------------

void CKDialog::SetOwner(CKWindow* window)
{
    if (frame)
        frame->owner = window;
}

CKWindow* CKDialog::GetOwner() const
{
    return frame ? frame->owner : nullptr;
}

void CKDialog::SetDialogId(int dialogId)
{
    if (frame)
        frame->dialogId = dialogId;
}

int CKDialog::GetDialogId() const
{
    return frame ? frame->dialogId : 0;
}

CKView* CKDialog::GetBaseView() const
{
    return frame ? frame->baseView : nullptr;
}

void CKDialog::SetCancelOnOutsideTap(bool on)
{
    if (on)
        viewFlags |= KVF_CANCEL_OUTSIDE;
    else
        viewFlags &= ~KVF_CANCEL_OUTSIDE;
}

void CKDialog::SetAnchor(int mode, POINT point)
{
    anchorMode = mode;
    anchorPoint = point;
}

CKLabel* CKDialog::GetTitleLabel() const
{
    return frame ? frame->title : nullptr;
}

CKButton* CKDialog::GetButton(int button) const
{
    if (!frame)
        return nullptr;
    switch (button) {
    case 1:
        return frame->button1;
    case 2:
        return frame->button2;
    case 3:
        return frame->button3;
    default:
        return nullptr;
    }
}

// ---- Texts --------------------------------------------------------------------------------------

const wchar_t* KLoadDialogText(int id, KStringW& text)
{
    if (id == 0 || LoadResString((UINT)id, text) < 1)
        return nullptr;
    return text;
}

// CKLabel: text and icon, their measure by the arrangement, and painting over the face.
#include "controls/CKLabel.h"

#include "graphics/CKFaceDrawable.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableSlot.h"

K_IMPLEMENT_DYNCREATE(CKLabel, CKWindow)

namespace {

constexpr char CTRL_FILE[] = "res/DrawableCtrl.xml";

} // namespace

CKLabel::~CKLabel()
{
    KDropDrawable(textDrawable);
    KDropDrawable(iconDrawable);
}

void CKLabel::Initialize(unsigned int newStyle)
{
    CKWindow::Initialize(newStyle);
    KLoadDrawable(textDrawable, CTRL_FILE, "DefLabelText", K_RUNTIME_CLASS(CKTextDrawable));
    KLoadDrawable(iconDrawable, CTRL_FILE, "DefLabelIcon", K_RUNTIME_CLASS(CKIconDrawable));
}

void CKLabel::ContentChanged()
{
    if (flags & KWF_REPAINT_ON_CHANGE)
        Invalidate();
}

void CKLabel::SetText(const wchar_t* newText, int length)
{
    text.Assign(newText, length);
    ContentChanged();
}

void CKLabel::SetIcon(CKImgList* list, int index)
{
    iconList = list;
    iconIndex = index;
    ContentChanged();
}

void CKLabel::SetTextDrawable(CKDrawable* drawable)
{
    KHoldDrawable(textDrawable, drawable, K_RUNTIME_CLASS(CKTextDrawable));
}

void CKLabel::SetIconDrawable(CKDrawable* drawable)
{
    KHoldDrawable(iconDrawable, drawable, K_RUNTIME_CLASS(CKIconDrawable));
}

int CKLabel::CalcSize(SIZE& size)
{
    const int cells[KSLOT_COUNT] = {iconIndex, iconIndex, iconIndex, iconIndex};
    const KContentBlock block(text.GetLength() ? (const wchar_t*)text : nullptr, text.GetLength(),
                              iconList, cells, style & KLS_MULTILINE, textDrawable, iconDrawable);
    block.CalcSize(size, style & KARRANGE_MASK);
    if (background) {
        const RECT& margin = background->GetMargin();
        const RECT& padding = background->GetPadding();
        size.cx += margin.left + margin.right + padding.left + padding.right;
        size.cy += margin.top + margin.bottom + padding.top + padding.bottom;
    }
    return 1;
}

int CKLabel::CalcLineSize(SIZE& size)
{
    const int width = size.cx;
    CalcSize(size);
    if (!textDrawable)
        return 1;
    SIZE line = {width, 0};
    textDrawable->SetState(0);
    textDrawable->SetText(nullptr, 0);   // no text measures one line of the drawable's font
    textDrawable->CalcSize(line);
    if (background) {
        const RECT& margin = background->GetMargin();
        const RECT& padding = background->GetPadding();
        line.cy += margin.top + margin.bottom + padding.top + padding.bottom;
    }
    if (size.cy < line.cy)
        size.cy = line.cy;
    return 1;
}

void CKLabel::OnPaint(CKCanvas* canvas)
{
    RECT rect;
    if (!GetClientRect(&rect))
        return;
    unsigned int state = (style & KCONTENT_BITS) | (style & KLS_TEXT_LAYOUT);
    if (flags & KWF_DISABLED)
        state |= KSTATE_DISABLED;
    if (background) {
        background->SetState(0);
        background->Draw(canvas, rect, &rect);   // leaves the content area in rect
    }
    const int cells[KSLOT_COUNT] = {iconIndex, iconIndex, iconIndex, iconIndex};
    const KContentBlock block(text.GetLength() ? (const wchar_t*)text : nullptr, text.GetLength(),
                              iconList, cells, state, textDrawable, iconDrawable);
    block.Draw(canvas, rect, state);
}

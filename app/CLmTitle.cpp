// CLmTitle: the title bar's text area and painting on the player page.
#include "app/CLmTitle.h"

#include "foundation/KDevMetrics.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKTextDrawable.h"

K_IMPLEMENT_DYNCREATE(CLmTitle, CKTitle)

namespace {
// Drawable state of the title text: left-aligned, a text too wide ends in "...".
constexpr unsigned int TEXT_STATE = KDT_LEFT | KDT_END_ELLIPSIS;
} // namespace

void CLmTitle::OnSize()
{
    CKTitle::OnSize();
    textRect.left += UnitToPixels(LMTITLE_INDENT_UNITS, 1);
    if (!textDrawable)
        return;
    SIZE size = {textRect.right - textRect.left, 0};
    textDrawable->SetState(TEXT_STATE);
    textDrawable->SetText(nullptr, 0);
    textDrawable->CalcSize(size);
    const int top = (textRect.top + textRect.bottom - size.cy) / 2;
    textRect.top = top;
    textRect.bottom = top + size.cy;
}

void CLmTitle::OnPaint(CKCanvas* canvas)
{
    if (!PaintFace(canvas) || !textDrawable || !text.GetLength())
        return;
    const int bar = UnitToPixels(LMTITLE_BAR_UNITS, 1);
    canvas->SetBrushColor(LMTITLE_BAR_COLOR);
    canvas->FillRect(textRect.left, textRect.top, bar, textRect.bottom - textRect.top);
    RECT rect = textRect;
    rect.left += bar;
    textDrawable->SetState(TEXT_STATE);
    textDrawable->SetText(text, text.GetLength());
    textDrawable->Draw(canvas, rect, nullptr);
    textDrawable->SetText(nullptr, 0);
}

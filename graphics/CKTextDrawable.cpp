// CKTextDrawable: measuring and drawing a borrowed text with the drawable's font and state colour.
#include "graphics/CKTextDrawable.h"

#include "foundation/KText.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFont.h"

K_IMPLEMENT_DYNCREATE(CKTextDrawable, CKDrawable)

CKTextDrawable::~CKTextDrawable()
{
    SetFont(nullptr);
}

CKFont* CKTextDrawable::GetDrawFont() const
{
    return font ? font : GetDefaultFont();
}

void CKTextDrawable::CalcSize(SIZE& size)
{
    CKFont* drawFont = GetDrawFont();
    SIZE extent = {0, 0};
    if (!text) {
        extent.cy = drawFont ? drawFont->GetPixelHeight() : 0;
    } else if (state & KDT_MULTILINE) {
        const int width = size.cx - margin.left - margin.right - padding.left - padding.right;
        CKCanvas::MeasureLines(drawFont, text, textLength, width, &extent);
    } else {
        CKCanvas::MeasureText(drawFont, text, textLength, &extent);
    }
    size = extent;
    AddInsets(size);
}

void CKTextDrawable::Draw(CKCanvas* canvas, const RECT& rect, RECT* outRect)
{
    if (!text)
        return;
    int used = 0;
    if (canvas) {
        RECT textRect = rect;
        ShrinkToContent(textRect);
        canvas->SelectFont(GetDrawFont());
        canvas->SetTextColor(textColor[GetStateSlot(state)]);
        used = canvas->DrawText(text, textLength, textRect, state);
    }
    if (outRect)
        ConsumeStrip(*outRect, LOWORD(used), HIWORD(used));
}

CKDrawable* CKTextDrawable::Clone()
{
    CKTextDrawable* copy = new CKTextDrawable();
    if (!copy)
        return nullptr;
    copy->CopyFrom(this);
    copy->EnableRefCount();
    return copy;
}

int CKTextDrawable::CopyFrom(const CKDrawable* other)
{
    if (!CKDrawable::CopyFrom(other))
        return 0;
    const CKTextDrawable* source = static_cast<const CKTextDrawable*>(other);
    SetFont(source->font);
    SetTextColors(source->textColor);
    return 1;
}

void CKTextDrawable::SetText(const wchar_t* newText, int length)
{
    text = newText;
    textLength = !newText ? 0 : length < 0 ? KStrLenW(newText) : length;
}

void CKTextDrawable::SetFont(CKFont* newFont)
{
    if (newFont)
        newFont->AddRef();
    if (font)
        font->Release();
    font = newFont;
}

void CKTextDrawable::SetTextColors(const KColor colors[KSLOT_COUNT])
{
    for (int slot = 0; slot < KSLOT_COUNT; ++slot)
        textColor[slot] = colors ? colors[slot] : 0;
}

KColor CKTextDrawable::GetTextColor(int slot) const
{
    return slot >= 0 && slot < KSLOT_COUNT ? textColor[slot] : 0;
}

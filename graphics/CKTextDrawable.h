// CKTextDrawable: a text style (font and one colour per interaction state) that draws whatever text
// the control points it at, aligned, cut or wrapped by the KDT_* bits of the state word.
#pragma once
#include "graphics/CKDrawable.h"
#include "graphics/KColor.h"

class CKFont;

class CKTextDrawable : public CKDrawable
{
    K_DECLARE_DYNCREATE(CKTextDrawable)
public:
    CKTextDrawable() = default;
    ~CKTextDrawable() override;

    // With the font (or the default font): no text -> 0 x the font's pixel height; with
    // KDT_MULTILINE the lines broken at size.cx - margins - paddings, as wide as the widest line
    // and as high as all lines; otherwise the text's extent. Then margins and paddings are added.
    void CalcSize(SIZE& size) override;
    // Draws the text in `rect` minus margin and padding with the font (or the default font) and the
    // colour of the state slot, the state word giving the DrawText flags. A given `outRect` is
    // consumed by the used size plus margins and paddings (CKDrawable::ConsumeStrip). Without text
    // nothing is drawn and `outRect` stays.
    void Draw(CKCanvas* canvas, const RECT& rect, RECT* outRect) override;
    // Counted with a count of 0: its first holder AddRefs it.
    CKDrawable* Clone() override;
    // Also copies font and colours (not the text) from a text drawable.
    int CopyFrom(const CKDrawable* other) override;

    // Points the drawable at the caller's text (not copied: it must live while the drawable draws
    // it); length -1 = up to the NUL. Null text clears text and length.
    void SetText(const wchar_t* text, int length);
    // References the new font and releases the previous one; none = the default font.
    void SetFont(CKFont* font);
    // One colour per slot (KSLOT_*); none sets all four to 0.
    void SetTextColors(const KColor colors[KSLOT_COUNT]);

    const wchar_t* GetText() const { return text; }
    int GetTextLength() const { return textLength; }
    CKFont* GetFont() const { return font; }
    // 0 outside 0..3.
    KColor GetTextColor(int slot) const;

private:
    // The font measuring and drawing use.
    CKFont* GetDrawFont() const;

    const wchar_t* text = nullptr;   // borrowed: the control's string
    int textLength = 0;
    CKFont* font = nullptr;          // counted, or none for the default font
    KColor textColor[KSLOT_COUNT] = {};
};

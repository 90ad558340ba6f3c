// CKLabel: a window showing a text, an icon or both (side by side or stacked), aligned in its
// rectangle over an optional face (the window's background drawable).
//
// The text is the label's own copy; the icon list is borrowed and must outlive the label or be
// replaced first. The two drawable slots follow graphics/KDrawableSlot.h; Initialize fills the
// empty ones with "DefLabelText" and "DefLabelIcon" of "res/DrawableCtrl.xml".
#pragma once
#include "controls/KButtonContent.h"
#include "foundation/KString.h"
#include "ui/CKWindow.h"

class CKIconDrawable;
class CKImgList;
class CKTextDrawable;

// Label style bits: KCONTENT_* alignment (bits 0-3) and KARRANGE_* arrangement (bits 4-5) of
// controls/KButtonContent.h, and these text-layout bits (the KDT_* bits of the same values).
constexpr unsigned int KLS_MULTILINE = 0x100;        // the text wraps into lines
constexpr unsigned int KLS_END_ELLIPSIS = 0x200;     // a text too wide ends in "..."
constexpr unsigned int KLS_START_ELLIPSIS = 0x400;   // a text too wide starts with "..."
constexpr unsigned int KLS_TEXT_LAYOUT = KLS_MULTILINE | KLS_END_ELLIPSIS | KLS_START_ELLIPSIS;

class CKLabel : public CKWindow
{
    K_DECLARE_DYNCREATE(CKLabel)
public:
    CKLabel() = default;
    // Releases the two drawables.
    ~CKLabel() override;

    // After the base: the default drawables into empty slots.
    void Initialize(unsigned int style) override;
    // Icon and text combined by the arrangement (a multi-line text wraps at size.cx), plus the
    // face's margins and paddings when there is a face. Returns 1.
    int CalcSize(SIZE& size) override;
    // As CalcSize, but at least one line of the text drawable high (with the face's insets): for a
    // label laid out before it is given its text, whose band must not collapse meanwhile.
    int CalcLineSize(SIZE& size);
    // Face, then text and icon as one block aligned by the style.
    void OnPaint(CKCanvas* canvas) override;

    // Replaces the copy with `length` units (negative: up to the NUL; none clears); repaints with
    // KWF_REPAINT_ON_CHANGE.
    void SetText(const wchar_t* text, int length = -1);
    const wchar_t* GetText() const { return text; }
    int GetTextLength() const { return text.GetLength(); }
    // The icon: cell `index` of `list` (borrowed; none or a negative index: no icon); repaints
    // with KWF_REPAINT_ON_CHANGE.
    void SetIcon(CKImgList* list, int index);
    CKImgList* GetIconList() const { return iconList; }
    int GetIconIndex() const { return iconIndex; }

    void SetTextDrawable(CKDrawable* drawable);
    void SetIconDrawable(CKDrawable* drawable);
    CKTextDrawable* GetTextDrawable() const { return textDrawable; }
    CKIconDrawable* GetIconDrawable() const { return iconDrawable; }

protected:
    // Repaints when the window repaints on content changes.
    void ContentChanged();

    KStringW text;
    CKImgList* iconList = nullptr;          // borrowed
    int iconIndex = -1;
    CKTextDrawable* textDrawable = nullptr; // counted
    CKIconDrawable* iconDrawable = nullptr; // counted
};

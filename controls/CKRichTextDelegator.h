// CKRichTextDelegator: reads the rich-text mark-up with the wide XML reader and turns it into the
// runs of a CKRichLabel, keeping a stack of formats (flags, notify id, font level, colour, font).
// Lives for one parse, on the stack of whoever reads the text (CKRichLabel::LoadText).
//
// The mark-up (element names in any ASCII case, attribute names exact):
// - "Format" (align = left / right / center, color, size = normal / small / big / a level),
//   "B", "U", "I" and "Notify" (ID, decimal) push the top format with their changes; their end
//   tags pop it, except that the bottom entry is never popped.
// - "Image" (name, count = "columns,rows" or "n", size = "w,h", index, auto = a density name)
//   adds an image run with the top format's flags; "Line" (size in base units, color) adds a
//   rule; a name starting with a lower-case 't' ("t2") adds a tab run. None of them pushes.
// - Character data becomes a text run in the top format; white space is kept as it is.
// - Any other element (the document's root) is ignored.
// Colours: "r, g, b", "r, g, b, a" (decimal, each up to 255), "#RRGGBB" or "#AARRGGBB", each
// optionally in braces.
#pragma once
#include "foundation/CKArray.h"
#include "foundation/CKObject.h"
#include "foundation/CKXmlParserW.h"
#include "graphics/KColor.h"

class CKFont;
class CKRichLabel;

// One entry of the format stack.
struct KRichFormat
{
    unsigned int flags;   // KRI_* alignment, style and notify bits of controls/CKRichLabel.h
    int notifyId;
    float size;           // font level, base units
    KColor color;
    CKFont* font;         // borrowed from the font cache, which keeps it until shut-down
};

class CKRichTextDelegator : public CKObject, public CKXmlDelegatorW
{
    K_DECLARE_CLASS(CKRichTextDelegator)
public:
    // The stack starts with the bottom entry: no flags, the small font level, opaque black.
    explicit CKRichTextDelegator(CKRichLabel* label);

    int OnStartElement(const wchar_t* name, const wchar_t** attributes) override;
    int OnEndElement(const wchar_t* name) override;
    int OnText(const wchar_t* element, const wchar_t* text, int length) override;
    // White space at both ends of character data is kept.
    int GetOptions() override;

    int GetDepth() const { return formats.GetCount(); }
    const KRichFormat* GetTop() const;

    // A colour in the mark-up's syntax; 1 with `color` set, 0 (unchanged) for none or unreadable
    // text.
    static int ParseRichColor(const wchar_t* text, KColor* color);

private:
    // Pushes a copy of the top format with `addFlags` added; for the font-changing elements also
    // the font of the new entry. none when memory ran out.
    KRichFormat* PushTop(unsigned int addFlags);
    void ApplyFormat(KRichFormat* format, const wchar_t* const* attributes);
    void AddImage(const wchar_t* const* attributes);
    void AddRule(const wchar_t* const* attributes);

    CKRichLabel* label;   // borrowed: the label the runs go to
    CKArray formats;      // KRichFormat entries, bottom first
};

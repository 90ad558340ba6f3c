// CKRichLabel's layout: the runs flowed into lines between the margins as fragments. ASCII letters
// form words that wrap whole; every other character stands alone, so a line may break after it.
#include "controls/CKRichLabel.h"

#include "foundation/KDevMetrics.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFont.h"

namespace {

// Tallest rule, pixels: a thickness from a file cannot push the lines below out of range.
constexpr int MAX_RULE_HEIGHT = 0x10000;

bool IsWordLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

bool IsLineEnd(wchar_t c)
{
    return c == L'\r' || c == L'\n';
}

// Units of the line end at text[i]: CR LF and LF CR count as one line end.
int LineEndLength(const wchar_t* text, int i, int length)
{
    if (i + 1 < length && IsLineEnd(text[i + 1]) && text[i + 1] != text[i])
        return 2;
    return 1;
}

int Measure(const CKFont* font, const wchar_t* text, int length)
{
    SIZE size = {0, 0};
    CKCanvas::MeasureText(font, text, length, &size);
    return size.cx;
}

} // namespace

void CKRichLabel::FreeFragments()
{
    // One by one, so that the nodes stay on the free chain for the next layout.
    while (fragments.RemoveHead(nullptr, nullptr)) {
    }
}

int CKRichLabel::NextTabStop(const KFlow& flow, int x)
{
    const int tab = flow.tabWidth > 0 ? flow.tabWidth : 1;
    const int offset = x - flow.left;
    const int stops = offset >= 0 ? offset / tab + 1 : 0;
    return flow.left + stops * tab;
}

KRichFragment_* CKRichLabel::PlaceFragment(KFlow& flow, KRichItem_* run, int width, int height)
{
    KRichFragment_* fragment = fragments.AddTail();
    if (!fragment)
        return nullptr;
    fragment->run = run;
    fragment->x = flow.x;
    fragment->y = flow.y;
    fragment->width = width;
    fragment->height = height;
    if (!run->fragments)
        run->fragments = fragment;
    if (!flow.lineFirst)
        flow.lineFirst = fragment;
    return fragment;
}

void CKRichLabel::EndLine(KFlow& flow, bool forced)
{
    if (!forced && flow.x <= flow.left)
        return;
    const int room = flow.right - flow.x;
    for (KRichFragment_* fragment = flow.lineFirst; fragment;
         fragment = fragments.GetNext(fragment)) {
        const unsigned int align = fragment->run->flags & KRI_ALIGN_MASK;
        if (align == KRI_ALIGN_CENTER)
            fragment->x += room / 2;
        else if (align == KRI_ALIGN_RIGHT)
            fragment->x += room;
        if (fragment->height < flow.lineHeight)
            fragment->y += (flow.lineHeight - fragment->height) / 2;
    }
    flow.y += flow.lineHeight + lineGap;
    flow.x = flow.left;
    flow.lineHeight = 0;
    flow.lineFirst = nullptr;
}

bool CKRichLabel::FlowText(KFlow& flow, KRichItem_* run)
{
    const wchar_t* text = run->text.text;
    const int length = run->text.length;
    const CKFont* font = run->text.font;
    const int height = font->GetPixelHeight();
    const int space = height / 2;
    flow.tabWidth = space * 4;
    bool lineStart = true;   // at the run's start or after a line end: blanks only move x
    int i = 0;
    while (i < length) {
        if (flow.lineHeight < height)
            flow.lineHeight = height;
        if (lineStart) {
            const wchar_t c = text[i];
            if (c == L' ') {
                flow.x += space;
                i++;
                continue;
            }
            if (c == L'\t') {
                flow.x = NextTabStop(flow, flow.x);
                i++;
                continue;
            }
            if (IsLineEnd(c)) {
                i += LineEndLength(text, i, length);
                EndLine(flow, true);
                continue;
            }
            lineStart = false;
        }

        // Gather a segment up to a cut, a TAB or a line end.
        const int start = i;
        int wordStart = i;
        int width = 0;
        int cut = -1;
        while (i < length && text[i] != L'\t' && !IsLineEnd(text[i])) {
            if (i == start || !IsWordLetter(text[i]) || !IsWordLetter(text[i - 1]))
                wordStart = i;
            const int grown = Measure(font, text + start, i + 1 - start);
            if (flow.x + grown > flow.right) {
                // The word moves whole unless it is a word longer than the line, which only
                // gives up its last character; a line always keeps one character.
                if (wordStart > start || flow.x > flow.left)
                    cut = wordStart;
                else
                    cut = i > start ? i : start + 1;
                break;
            }
            width = grown;
            i++;
        }
        const int end = cut >= 0 ? cut : i;
        if (end > start) {
            if (cut >= 0 && end != i)
                width = Measure(font, text + start, end - start);
            KRichFragment_* fragment = PlaceFragment(flow, run, width, height);
            if (!fragment)
                return false;
            fragment->first = start;
            fragment->count = end - start;
            flow.x += width;
        }
        if (cut >= 0) {
            // The rest continues on the next line; blanks at its start remain.
            i = end;
            EndLine(flow, true);
        } else if (i < length) {
            if (text[i] == L'\t') {
                flow.x = NextTabStop(flow, flow.x);
                i++;
            } else {
                i += LineEndLength(text, i, length);
                EndLine(flow, true);
                lineStart = true;
            }
        }
    }
    return true;
}

void CKRichLabel::Layout()
{
    RECT client;
    if (!GetClientRect(&client) || client.right <= client.left)
        return;
    FreeFragments();
    KFlow flow;
    flow.left = margin;
    flow.right = client.right - client.left - margin;
    flow.x = flow.left;
    flow.y = margin;
    flow.lineHeight = 0;
    const CKFont* defaultFont = GetSmallFont();
    flow.tabWidth = defaultFont ? defaultFont->GetPixelHeight() / 2 * 4 : 0;
    flow.lineFirst = nullptr;
    for (KRichItem_* run = runs.GetHead(); run; run = runs.GetNext(run)) {
        run->fragments = nullptr;
        switch (run->flags & KRI_KIND_MASK) {
        case KRI_TEXT:
            FlowText(flow, run);
            break;
        case KRI_IMAGE:
            if (!PlaceFragment(flow, run, run->image.width, run->image.height))
                break;
            if (flow.lineHeight < run->image.height)
                flow.lineHeight = run->image.height;
            flow.x += run->image.width;
            if (flow.x >= flow.right)
                EndLine(flow, false);
            break;
        case KRI_RULE: {
            EndLine(flow, false);
            int height = TruncateFloat(ConvertUnits(run->rule.thickness, KUNIT_BASE, KUNIT_PIXEL));
            height = height < 0 ? 0 : height > MAX_RULE_HEIGHT ? MAX_RULE_HEIGHT : height;
            if (!PlaceFragment(flow, run, flow.right - flow.left, height))
                break;
            // The rule fills the line: alignment leaves it where it is.
            flow.x = flow.right;
            flow.lineHeight = height;
            EndLine(flow, true);
            break;
        }
        case KRI_TAB:
            flow.x = flow.left + run->tab.count * flow.tabWidth;
            break;
        default:
            break;
        }
    }
    EndLine(flow, false);
    contentHeight = flow.y + margin;
    SetScrollExtent(-1, contentHeight);
}

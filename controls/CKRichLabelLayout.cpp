// CKRichLabel's layout: the runs flowed into lines between the margins as fragments. A line ends
// where the library's line-breaking rule allows (KBreakBefore), at the last such place before
// the character that no longer fits; that place may lie in an earlier run of the line, and then
// what was placed after it is taken back and flowed again on the next line. A line with no such
// place is cut where it overflows (KCutPlace).
//
// Cost: every character's width is measured once (kept with its run) and the text is walked
// character by character; what is taken back is at most one line, so a layout is linear in the
// text.
#include "controls/CKRichLabel.h"

#include "foundation/KDevMetrics.h"
#include "foundation/KMemory.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFont.h"

namespace {

// Tallest rule, pixels: a thickness from a file cannot push the lines below out of range.
constexpr int MAX_RULE_HEIGHT = 0x10000;
// What the line-breaking rule sees for an image and for a tab position.
constexpr wchar_t OBJECT_CHAR = 0xFFFC;
constexpr wchar_t TAB_CHAR = L'\t';

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

int SumAdvances(const int* advances, int first, int end)
{
    int width = 0;
    for (int i = first; i < end; ++i)
        width += advances[i];
    return width;
}

// Measures a text run's characters once; false when that cannot be done.
bool MeasureRun(KRichItem* run)
{
    if (run->text.advances)
        return true;
    int* advances = static_cast<int*>(KAlloc(sizeof(int) * run->text.length));
    if (!advances
        || !CKCanvas::MeasureAdvances(run->text.font, run->text.text, run->text.length, advances)) {
        KFree(advances);
        return false;
    }
    run->text.advances = advances;
    return true;
}

void Remember(wchar_t* recent, wchar_t c)
{
    for (int i = 0; i + 1 < KBREAK_LOOK_BEHIND; ++i)
        recent[i] = recent[i + 1];
    recent[KBREAK_LOOK_BEHIND - 1] = c;
}

void Forget(wchar_t* recent)
{
    for (int i = 0; i < KBREAK_LOOK_BEHIND; ++i)
        recent[i] = 0;
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

KRichFragment* CKRichLabel::PlaceFragment(KFlow& flow, KRichItem* run, int width, int height)
{
    KRichFragment* fragment = fragments.AddTail();
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
    for (KRichFragment* fragment = flow.lineFirst; fragment;
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
    flow.breakAt[KBREAK_ALLOWED].at.run = nullptr;
    flow.breakAt[KBREAK_IN_RUN].at.run = nullptr;
}

// ---- The places where a line may end ------------------------------------------------------------

wchar_t CKRichLabel::CharAfter(const KRichItem* run, int index) const
{
    if ((run->flags & KRI_KIND_MASK) == KRI_TEXT && index + 1 < run->text.length)
        return run->text.text[index + 1];
    const KRichItem* next = runs.GetNext(run);
    switch (next ? next->flags & KRI_KIND_MASK : 0) {
    case KRI_TEXT:
        return next->text.text[0];
    case KRI_IMAGE:
        return OBJECT_CHAR;
    case KRI_TAB:
        return TAB_CHAR;
    default:
        return 0;
    }
}

void CKRichLabel::NoteBreak(KFlow& flow, KRichItem* run, int index, int x, wchar_t c,
                            wchar_t after) const
{
    if (x <= flow.left)
        return;
    // The rule reads a window of the flow around the place: what came before, c, what follows.
    wchar_t window[KBREAK_LOOK_BEHIND + 1 + KBREAK_LOOK_AHEAD];
    for (int i = 0; i < KBREAK_LOOK_BEHIND; ++i)
        window[i] = flow.recent[i];
    window[KBREAK_LOOK_BEHIND] = c;
    window[KBREAK_LOOK_BEHIND + 1] = after;
    const int kind =
        KBreakBefore(window, KBREAK_LOOK_BEHIND + 1 + KBREAK_LOOK_AHEAD, KBREAK_LOOK_BEHIND);
    if (kind == KBREAK_NEVER)
        return;
    KBreakPlace& place = flow.breakAt[kind];
    place.at = {run, index};
    place.x = x;
    place.lineHeight = flow.lineHeight;
    place.before = fragments.GetTail();
    for (int i = 0; i < KBREAK_LOOK_BEHIND; ++i)
        place.recent[i] = flow.recent[i];
}

const CKRichLabel::KBreakPlace* CKRichLabel::ChooseBreak(const KFlow& flow)
{
    if (flow.breakAt[KBREAK_ALLOWED].at.run)
        return &flow.breakAt[KBREAK_ALLOWED];
    if (flow.breakAt[KBREAK_IN_RUN].at.run)
        return &flow.breakAt[KBREAK_IN_RUN];
    return nullptr;
}

void CKRichLabel::RewindTo(KFlow& flow, const KBreakPlace& place)
{
    for (KRichFragment* last = fragments.GetTail(); last && last != place.before;
         last = fragments.GetTail()) {
        KRichItem* run = last->run;
        if (run == place.at.run && (run->flags & KRI_KIND_MASK) == KRI_TEXT
            && last->first < place.at.index) {
            // The fragment holding the place keeps what lies before it.
            last->count = place.at.index - last->first;
            last->width = SumAdvances(run->text.advances, last->first, place.at.index);
            break;
        }
        if (run->fragments == last)
            run->fragments = nullptr;
        if (flow.lineFirst == last)
            flow.lineFirst = nullptr;
        fragments.RemoveTail(nullptr, nullptr);
    }
    flow.x = place.x;
    flow.lineHeight = place.lineHeight;
    for (int i = 0; i < KBREAK_LOOK_BEHIND; ++i)
        flow.recent[i] = place.recent[i];
}

// ---- Runs ---------------------------------------------------------------------------------------

bool CKRichLabel::PlaceText(KFlow& flow, KRichItem* run, int first, int end, int width)
{
    if (end <= first)
        return true;
    KRichFragment* fragment = PlaceFragment(flow, run, width, run->text.font->GetPixelHeight());
    if (!fragment)
        return false;
    fragment->first = first;
    fragment->count = end - first;
    flow.x += width;
    return true;
}

bool CKRichLabel::FlowText(KFlow& flow, KRichItem* run, int from, KPlace* next)
{
    if (!MeasureRun(run))
        return false;
    const wchar_t* text = run->text.text;
    const int length = run->text.length;
    const int* advances = run->text.advances;
    const int height = run->text.font->GetPixelHeight();
    const int space = height / 2;
    flow.tabWidth = space * 4;
    // At the run's start and after a line end, blanks only move x, by half the font's height.
    bool lineStart = from == 0;
    // The open segment: characters [start, i), `width` wide, to be placed at flow.x.
    int start = from;
    int width = 0;
    int i = from;
    while (i < length) {
        if (flow.lineHeight < height)
            flow.lineHeight = height;
        const wchar_t c = text[i];
        if (IsLineEnd(c)) {
            if (!PlaceText(flow, run, start, i, width))
                return false;
            i += LineEndLength(text, i, length);
            EndLine(flow, true);
            Forget(flow.recent);
            lineStart = true;
            start = i;
            width = 0;
            continue;
        }
        const int x = flow.x + width;
        NoteBreak(flow, run, i, x, c, CharAfter(run, i));
        if (c == L'\t' || (c == L' ' && lineStart)) {
            if (!PlaceText(flow, run, start, i, width))
                return false;
            flow.x = c == L'\t' ? NextTabStop(flow, flow.x) : flow.x + space;
            Remember(flow.recent, c);
            start = ++i;
            width = 0;
            continue;
        }
        lineStart = false;
        if (x + advances[i] <= flow.right || x <= flow.left) {
            // It fits, or it is the first thing on the line, which always keeps something.
            width += advances[i];
            Remember(flow.recent, c);
            ++i;
            continue;
        }

        // Too wide: the line ends at its last place to end.
        const KBreakPlace* place = ChooseBreak(flow);
        int end;
        if (place && place->at.run == run && place->at.index >= start) {
            // The place lies in the open segment: it is cut there.
            end = place->at.index;
            width = place->x - flow.x;
            for (int k = 0; k < KBREAK_LOOK_BEHIND; ++k)
                flow.recent[k] = place->recent[k];
        } else if (place) {
            // The place lies further back on the line: what followed it goes to the next line.
            *next = place->at;
            RewindTo(flow, *place);
            EndLine(flow, true);
            return true;
        } else {
            // The line has no place to end: it is cut where it overflows.
            end = KCutPlace(text, length, flow.x > flow.left ? start : start + 1, i);
            width = SumAdvances(advances, start, end);
            if (end > i) {
                Remember(flow.recent, c);
            } else if (end < i) {
                for (int k = KBREAK_LOOK_BEHIND - 1; k > 0; --k)
                    flow.recent[k] = flow.recent[k - 1];
                flow.recent[0] = 0;
            }
        }
        if (!PlaceText(flow, run, start, end, width))
            return false;
        EndLine(flow, true);
        i = start = end;
        width = 0;
    }
    return PlaceText(flow, run, start, i, width);
}

void CKRichLabel::FlowImage(KFlow& flow, KRichItem* run)
{
    NoteBreak(flow, run, 0, flow.x, OBJECT_CHAR, CharAfter(run, 0));
    if (!PlaceFragment(flow, run, run->image.width, run->image.height))
        return;
    if (flow.lineHeight < run->image.height)
        flow.lineHeight = run->image.height;
    flow.x += run->image.width;
    Remember(flow.recent, OBJECT_CHAR);
    // An image never moves to the next line; a line it fills ends after it.
    if (flow.x >= flow.right)
        EndLine(flow, false);
}

void CKRichLabel::FlowRule(KFlow& flow, KRichItem* run)
{
    EndLine(flow, false);
    int height = TruncateFloat(ConvertUnits(run->rule.thickness, KUNIT_BASE, KUNIT_PIXEL));
    height = height < 0 ? 0 : height > MAX_RULE_HEIGHT ? MAX_RULE_HEIGHT : height;
    if (!PlaceFragment(flow, run, flow.right - flow.left, height))
        return;
    // The rule fills the line: alignment leaves it where it is.
    flow.x = flow.right;
    flow.lineHeight = height;
    EndLine(flow, true);
    Forget(flow.recent);
}

void CKRichLabel::FlowTab(KFlow& flow, KRichItem* run)
{
    NoteBreak(flow, run, 0, flow.x, TAB_CHAR, CharAfter(run, 0));
    flow.x = flow.left + run->tab.count * flow.tabWidth;
    Remember(flow.recent, TAB_CHAR);
}

void CKRichLabel::Layout()
{
    RECT client;
    if (!GetClientRect(&client) || client.right <= client.left)
        return;
    FreeFragments();
    KFlow flow = {};
    flow.left = margin;
    flow.right = client.right - client.left - margin;
    flow.x = flow.left;
    flow.y = margin;
    const CKFont* defaultFont = GetSmallFont();
    flow.tabWidth = defaultFont ? defaultFont->GetPixelHeight() / 2 * 4 : 0;
    KPlace at = {runs.GetHead(), 0};
    while (at.run) {
        KRichItem* run = at.run;
        KPlace next = {runs.GetNext(run), 0};
        if (at.index == 0)
            run->fragments = nullptr;
        switch (run->flags & KRI_KIND_MASK) {
        case KRI_TEXT:
            FlowText(flow, run, at.index, &next);
            break;
        case KRI_IMAGE:
            FlowImage(flow, run);
            break;
        case KRI_RULE:
            FlowRule(flow, run);
            break;
        case KRI_TAB:
            FlowTab(flow, run);
            break;
        default:
            break;
        }
        at = next;
    }
    EndLine(flow, false);
    contentHeight = flow.y + margin;
    SetScrollExtent(-1, contentHeight);
}

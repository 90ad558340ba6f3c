// Text layout on character widths measured beforehand: the rule of where a line may end, which
// every multi-line layout of the library follows (CKCanvas::DrawText and the rich-text label),
// the multi-line break of DrawText into at most 24 lines, and the part of a single line kept
// beside an ellipsis.
#pragma once

// Most lines a multi-line text is broken into; the rest of a longer text is not drawn.
constexpr int KTEXT_MAX_LINES = 24;

// ---- Where a line may end -----------------------------------------------------------------------
// The usual rules for Chinese text, with Latin text inside it kept readable:
// - a line may end between any two characters (Chinese text has no spaces between words),
// - except before closing punctuation ("，。、；：？！）」』】》…" and their half-width and ASCII
//   forms): no line begins with one,
// - and after opening punctuation ("（「『【《“‘" and their half-width and ASCII forms): no line
//   ends with one,
// - and inside a run of Latin letters, digits and the punctuation between them ("1.0", "V1.3",
//   "file.mp3", a web address; also a list of numbers such as "24, 44"): such a run only breaks
//   at a blank; when it alone is wider than the line it breaks after its punctuation
//   ("https://lumo." / "example.org"), and a run with no such place is cut where it overflows
//   (KCutPlace),
// - and never between the halves of a surrogate pair, before a combining mark or inside "——".
// A blank may end a line or begin the next one; CR and LF are line ends, handled by the layouts.

// Kinds of place before a character (KBreakBefore).
constexpr int KBREAK_NEVER = 0;     // no line ends here (unless cut by KCutPlace)
constexpr int KBREAK_IN_RUN = 1;    // after punctuation inside a Latin run: only when the line
                                    // holds no place of the next kind
constexpr int KBREAK_ALLOWED = 2;   // a line may end here

// How many characters on each side of a place the rule reads: text[i - KBREAK_LOOK_BEHIND] up to
// text[i + KBREAK_LOOK_AHEAD] for the place before text[i]. A layout whose text is in pieces hands
// the rule a window of that many characters, 0 standing for "none".
constexpr int KBREAK_LOOK_BEHIND = 3;
constexpr int KBREAK_LOOK_AHEAD = 1;

// The kind of place before text[i] (0 < i < length; KBREAK_NEVER outside), where a line that ends
// there leaves text[i] to begin the next one.
int KBreakBefore(const wchar_t* text, int length, int i);

// Where to cut a line that has no place to end (its text alone is wider than the line) when
// text[i] no longer fits: before text[i], but never between the halves of a surrogate pair --
// before the pair when that is at `first` or later, else after it. `first` is the earliest cut
// that leaves the line holding something.
int KCutPlace(const wchar_t* text, int length, int first, int i);

// ---- Multi-line break -----------------------------------------------------------------------

// One laid-out line: characters [start, start + count) of the text and their width.
struct KTextLine
{
    int start;
    int count;
    int width;
};

// Breaks `text` (length units, widths[i] the advance of text[i]) into lines no wider than
// `maxWidth` where possible; fills `lines` (room for KTEXT_MAX_LINES) and returns their number
// (at least 1: the remaining characters, possibly none, always form the last line).
// - CR, LF and CR LF end a line; they are not part of it.
// - A character that makes the line too wide ends it at the last place before it where a line may
//   end (KBreakBefore; a place inside a Latin run only when the line has no other); with no such
//   place on the line it is cut there (KCutPlace). The first
//   character of a line always stays on it, even when it alone is too wide, so that every line
//   holds something.
int KBreakLines(const wchar_t* text, int length, const int* widths, int maxWidth,
                KTextLine* lines);

// ---- Ellipsis -------------------------------------------------------------------------------

// The longest start of a line (widths of `length` characters) whose width stays within `room`:
// returns its character count and stores its width.
int KFitHead(const int* widths, int length, int room, int* keptWidth);
// The same for the longest end of the line: returns how many characters are kept from the end.
int KFitTail(const int* widths, int length, int room, int* keptWidth);

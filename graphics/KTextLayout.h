// Text layout of CKCanvas::DrawText, on character widths measured beforehand: the multi-line
// break into at most 24 lines, and the part of a single line kept beside an ellipsis.
#pragma once

// Most lines a multi-line text is broken into; the rest of a longer text is not drawn.
constexpr int KTEXT_MAX_LINES = 24;

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
// - A character that makes the line too wide starts the next line; with `wordBreak`, if it is
//   inside a word (a run of ASCII letters A-Z, a-z) that began earlier on the line, the whole
//   word moves to the next line. The first character (or word) of a line always stays on it,
//   even when it alone is too wide, so that every line holds something.
int KBreakLines(const wchar_t* text, int length, const int* widths, int maxWidth, int wordBreak,
                KTextLine* lines);

// The longest start of a line (widths of `length` characters) whose width stays within `room`:
// returns its character count and stores its width.
int KFitHead(const int* widths, int length, int room, int* keptWidth);
// The same for the longest end of the line: returns how many characters are kept from the end.
int KFitTail(const int* widths, int length, int room, int* keptWidth);

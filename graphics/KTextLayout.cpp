// Multi-line breaking with optional word wrap, and the ellipsis fits of single lines.
#include "graphics/KTextLayout.h"

namespace {

constexpr wchar_t CR = L'\r';
constexpr wchar_t LF = L'\n';

bool IsWordLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

} // namespace

int KBreakLines(const wchar_t* text, int length, const int* widths, int maxWidth, int wordBreak,
                KTextLine* lines)
{
    int lineCount = 0;
    int lineStart = 0;
    int lineWidth = 0;
    int wordStart = -1;   // first character of the open word, -1 when none
    int wordWidth = 0;
    int i = 0;
    while (i < length && lineCount < KTEXT_MAX_LINES) {
        const wchar_t c = text[i];
        if (c == CR || c == LF) {
            lines[lineCount++] = {lineStart, i - lineStart, lineWidth};
            ++i;
            if (c == CR && i < length && text[i] == LF)
                ++i;
            lineStart = i;
            lineWidth = 0;
            wordStart = -1;
            wordWidth = 0;
            continue;
        }
        const int w = widths[i];
        lineWidth += w;
        if (wordBreak) {
            if (IsWordLetter(c)) {
                if (wordStart < 0) {
                    wordStart = i;
                    wordWidth = 0;
                }
                wordWidth += w;
            } else {
                wordStart = -1;
                wordWidth = 0;
            }
        }
        if (lineWidth > maxWidth && i > lineStart) {
            if (wordStart > lineStart && wordStart != i) {
                // The open word moves to the next line whole.
                lines[lineCount++] = {lineStart, wordStart - lineStart, lineWidth - wordWidth};
                lineStart = wordStart;
                lineWidth = wordWidth;
            } else {
                lines[lineCount++] = {lineStart, i - lineStart, lineWidth - w};
                lineStart = i;
                lineWidth = w;
                if (wordStart >= 0) {
                    // A word cut here goes on from this character.
                    wordStart = i;
                    wordWidth = w;
                }
            }
        }
        ++i;
    }
    if (lineCount < KTEXT_MAX_LINES)
        lines[lineCount++] = {lineStart, length - lineStart, lineWidth};
    return lineCount;
}

int KFitHead(const int* widths, int length, int room, int* keptWidth)
{
    int width = 0;
    int count = 0;
    while (count < length && width + widths[count] <= room)
        width += widths[count++];
    *keptWidth = width;
    return count;
}

int KFitTail(const int* widths, int length, int room, int* keptWidth)
{
    int width = 0;
    int count = 0;
    while (count < length && width + widths[length - 1 - count] <= room)
        width += widths[length - 1 - count++];
    *keptWidth = width;
    return count;
}

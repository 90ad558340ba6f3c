// The line-breaking rule, multi-line breaking on it, and the ellipsis fits of single lines.
#include "graphics/KTextLayout.h"

namespace {

constexpr wchar_t CR = L'\r';
constexpr wchar_t LF = L'\n';
constexpr wchar_t EM_DASH = 0x2014;

// Punctuation no line may begin with: Chinese closing marks, their half-width, small and ASCII
// forms, the ellipses and the closing quotes.
constexpr wchar_t CLOSING[] =
    L"!),.:;?]}"
    L"\x3001\x3002\xFF0C\xFF0E\xFF1A\xFF1B\xFF1F\xFF01"   // 、。，．：；？！
    L"\xFF09\xFF3D\xFF5D\xFF60"                           // ）］｝｠
    L"\x3009\x300B\x300D\x300F\x3011\x3015\x3017\x3019\x301B\x301E\x301F"   // 〉》」』】〕〗〙〛〞〟
    L"\x2019\x201D\x2026\x2025"                           // ’”…‥
    L"\xFF61\xFF63\xFF64"                                 // ｡｣､
    L"\xFE50\xFE51\xFE52\xFE54\xFE55\xFE56\xFE57\xFE5A\xFE5C\xFE5E";   // ﹐﹑﹒﹔﹕﹖﹗﹚﹜﹞

// Punctuation no line may end with: the opening marks in the same forms.
constexpr wchar_t OPENING[] =
    L"([{"
    L"\xFF08\xFF3B\xFF5B\xFF5F"                           // （［｛｟
    L"\x3008\x300A\x300C\x300E\x3010\x3014\x3016\x3018\x301A\x301D"   // 〈《「『【〔〖〘〚〝
    L"\x2018\x201C\xFF62\xFE59\xFE5B\xFE5D";             // ‘“｢﹙﹛﹝

bool IsIn(const wchar_t* set, wchar_t c)
{
    for (; *set; ++set)
        if (*set == c)
            return true;
    return false;
}

// Every mark of CLOSING and OPENING is ASCII or lies in one of these blocks; the test spares the
// common case, a Chinese character, the look through the lists.
bool MayBeMark(wchar_t c)
{
    return c < 0x80 || (c >= 0x2018 && c <= 0x2026) || (c >= 0x3001 && c <= 0x301F) || c >= 0xFE50;
}

bool IsClosing(wchar_t c)
{
    return MayBeMark(c) && IsIn(CLOSING, c);
}

bool IsOpening(wchar_t c)
{
    return MayBeMark(c) && IsIn(OPENING, c);
}

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

bool IsAlphanumeric(wchar_t c)
{
    return IsDigit(c) || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c >= 0xC0;
}

bool IsAsciiPunctuation(wchar_t c)
{
    return c > L' ' && c < 0x7F && !IsAlphanumeric(c);
}

// Letters of the alphabetic scripts (Latin, Greek, Cyrillic), ASCII digits and ASCII punctuation:
// what a Latin word, a number, a version or a file name is made of.
bool IsLatinRun(wchar_t c)
{
    if (c > L' ' && c < 0x7F)
        return true;
    if (c == 0xD7 || c == 0xF7)   // the multiplication and division signs
        return false;
    return (c >= 0xC0 && c <= 0x24F) || (c >= 0x370 && c <= 0x3FF) || (c >= 0x400 && c <= 0x4FF);
}

bool IsLowSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool IsCombiningMark(wchar_t c)
{
    return c >= 0x300 && c <= 0x36F;
}

// The character at text[i], or 0 outside the text.
wchar_t At(const wchar_t* text, int length, int i)
{
    return i >= 0 && i < length ? text[i] : 0;
}

// true inside the blank of a list of numbers ("24, 44"): before the blank or after it.
bool InNumberList(const wchar_t* text, int length, int i)
{
    const wchar_t at = text[i];
    if (at == L' ')
        return At(text, length, i - 1) == L',' && IsDigit(At(text, length, i - 2))
            && IsDigit(At(text, length, i + 1));
    return IsDigit(at) && At(text, length, i - 1) == L' ' && At(text, length, i - 2) == L','
        && IsDigit(At(text, length, i - 3));
}

} // namespace

int KBreakBefore(const wchar_t* text, int length, int i)
{
    if (i <= 0 || i >= length)
        return KBREAK_NEVER;
    const wchar_t before = text[i - 1];
    const wchar_t at = text[i];
    if (IsLowSurrogate(at) || IsCombiningMark(at))
        return KBREAK_NEVER;
    if (IsClosing(at) || IsOpening(before))
        return KBREAK_NEVER;
    if (IsLatinRun(before) && IsLatinRun(at))
        return IsAsciiPunctuation(before) && IsAlphanumeric(at) ? KBREAK_IN_RUN : KBREAK_NEVER;
    if (before == EM_DASH && at == EM_DASH)
        return KBREAK_NEVER;
    return InNumberList(text, length, i) ? KBREAK_NEVER : KBREAK_ALLOWED;
}

int KCutPlace(const wchar_t* text, int length, int first, int i)
{
    if (i <= 0 || i >= length || !IsLowSurrogate(text[i]))
        return i;
    return i - 1 >= first ? i - 1 : i + 1;
}

int KBreakLines(const wchar_t* text, int length, const int* widths, int maxWidth, KTextLine* lines)
{
    int lineCount = 0;
    int lineStart = 0;
    int lineWidth = 0;
    // The last places on the line where it may end (KBREAK_ALLOWED, KBREAK_IN_RUN), -1 when none,
    // and the line's width before each.
    int breakAt[KBREAK_ALLOWED + 1] = {-1, -1, -1};
    int breakWidth[KBREAK_ALLOWED + 1] = {0, 0, 0};
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
            breakAt[KBREAK_ALLOWED] = breakAt[KBREAK_IN_RUN] = -1;
            continue;
        }
        const int kind = i > lineStart ? KBreakBefore(text, length, i) : KBREAK_NEVER;
        if (kind != KBREAK_NEVER) {
            breakAt[kind] = i;
            breakWidth[kind] = lineWidth;
        }
        lineWidth += widths[i];
        if (lineWidth <= maxWidth || i == lineStart) {
            ++i;
            continue;
        }
        // Too wide: the line ends at its last place to end, or is cut here. The next line starts
        // there, so the characters after that place are walked again (at most one line's worth).
        const int used = breakAt[KBREAK_ALLOWED] >= 0 ? KBREAK_ALLOWED : KBREAK_IN_RUN;
        int end = breakAt[used];
        int endWidth = breakWidth[used];
        if (end < 0) {
            end = KCutPlace(text, length, lineStart + 1, i);
            endWidth = 0;
            for (int k = lineStart; k < end; ++k)
                endWidth += widths[k];
        }
        lines[lineCount++] = {lineStart, end - lineStart, endWidth};
        lineStart = end;
        lineWidth = 0;
        breakAt[KBREAK_ALLOWED] = breakAt[KBREAK_IN_RUN] = -1;
        i = end;
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

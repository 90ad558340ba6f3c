// Text layout on given character widths: line breaks at CR, LF and CR LF, breaking at the
// character or before the word that overflows, the 24-line cap, and the ellipsis fits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/KTextLayout.h"

namespace {

struct KLayout
{
    std::vector<std::wstring> lines;
    std::vector<int> widths;
};

// Every character 10 pixels wide unless the map says otherwise.
KLayout Break(const std::wstring& text, int maxWidth, bool words, int wide = 10)
{
    std::vector<int> widths(text.size(), 10);
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == L'W')
            widths[i] = wide;
    KTextLine lines[KTEXT_MAX_LINES];
    const int count = KBreakLines(text.c_str(), (int)text.size(), widths.data(), maxWidth, words, lines);
    KLayout layout;
    for (int i = 0; i < count; ++i) {
        layout.lines.push_back(text.substr(lines[i].start, lines[i].count));
        layout.widths.push_back(lines[i].width);
    }
    return layout;
}

} // namespace

TEST(KTextLayout, CrLfAndCrLfEndLinesWithoutBeingPartOfThem)
{
    KLayout layout = Break(L"one\r\ntwo\nthree\rfour", 1000, false);
    EXPECT_EQ(layout.lines, (std::vector<std::wstring>{L"one", L"two", L"three", L"four"}));
    EXPECT_EQ(layout.widths, (std::vector<int>{30, 30, 50, 40}));
    // LF CR is two breaks; a trailing break leaves an empty last line.
    layout = Break(L"a\n\rb\n", 1000, false);
    EXPECT_EQ(layout.lines, (std::vector<std::wstring>{L"a", L"", L"b", L""}));
    // The empty text is one empty line.
    layout = Break(L"", 100, true);
    EXPECT_EQ(layout.lines, (std::vector<std::wstring>{L""}));
    EXPECT_EQ(layout.widths, (std::vector<int>{0}));
}

TEST(KTextLayout, WordBreakMovesTheOverflowingWordAndPlainBreakCutsAtTheCharacter)
{
    // "ab cd" in a box narrower than the whole (50): with word break "cd" moves down whole.
    KLayout words = Break(L"ab cd", 40, true);
    EXPECT_EQ(words.lines, (std::vector<std::wstring>{L"ab ", L"cd"}));
    EXPECT_EQ(words.widths, (std::vector<int>{30, 20}));
    // Without it the line is cut before the character that overflows.
    KLayout plain = Break(L"ab cd", 40, false);
    EXPECT_EQ(plain.lines, (std::vector<std::wstring>{L"ab c", L"d"}));
    // Only ASCII letters make words: digits and other characters break anywhere.
    KLayout digits = Break(L"ab 12", 40, true);
    EXPECT_EQ(digits.lines, (std::vector<std::wstring>{L"ab 1", L"2"}));
    // A word longer than the line is cut where it overflows, line after line.
    KLayout longWord = Break(L"abcdefg hi", 30, true);
    EXPECT_EQ(longWord.lines, (std::vector<std::wstring>{L"abc", L"def", L"g ", L"hi"}));
    // A character wider than the box still takes a line of its own rather than an empty one.
    KLayout wide = Break(L"aWb", 30, false, 50);
    EXPECT_EQ(wide.lines, (std::vector<std::wstring>{L"a", L"W", L"b"}));
    EXPECT_EQ(wide.widths, (std::vector<int>{10, 50, 10}));
}

TEST(KTextLayout, AtMostTwentyFourLinesAreLaidOut)
{
    std::wstring text;
    for (int i = 0; i < 30; ++i)
        text += std::wstring(1, (wchar_t)(L'a' + i % 26)) + L"\n";
    KLayout layout = Break(text, 100, false);
    ASSERT_EQ(layout.lines.size(), 24u);
    EXPECT_EQ(layout.lines[23], L"x");
    // Exactly 24 lines of content fit, the last one from the remaining characters.
    layout = Break(std::wstring(24 * 2 - 1, L'a'), 20, false);
    ASSERT_EQ(layout.lines.size(), 24u);
    EXPECT_EQ(layout.lines[23], L"a");
}

TEST(KTextLayout, EllipsisFitsKeepWhatStaysWithinTheRoom)
{
    const int widths[5] = {10, 20, 30, 40, 50};
    int kept = -1;
    EXPECT_EQ(KFitHead(widths, 5, 65, &kept), 3);
    EXPECT_EQ(kept, 60);
    EXPECT_EQ(KFitTail(widths, 5, 95, &kept), 2);
    EXPECT_EQ(kept, 90);
    EXPECT_EQ(KFitHead(widths, 5, 9, &kept), 0);
    EXPECT_EQ(kept, 0);
    EXPECT_EQ(KFitTail(widths, 5, -5, &kept), 0);
    EXPECT_EQ(KFitHead(widths, 5, 1000, &kept), 5);
    EXPECT_EQ(kept, 150);
}

// Text layout on given character widths: line breaks at CR, LF and CR LF, the rule of where a line
// may end in Chinese and Latin text, the 24-line cap, and the ellipsis fits.
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

// Every character 10 pixels wide, 'W' `wide`.
KLayout Break(const std::wstring& text, int maxWidth, int wide = 10)
{
    std::vector<int> widths(text.size(), 10);
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == L'W')
            widths[i] = wide;
    KTextLine lines[KTEXT_MAX_LINES];
    const int count = KBreakLines(text.c_str(), (int)text.size(), widths.data(), maxWidth, lines);
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
    KLayout layout = Break(L"one\r\ntwo\nthree\rfour", 1000);
    EXPECT_EQ(layout.lines, (std::vector<std::wstring>{L"one", L"two", L"three", L"four"}));
    EXPECT_EQ(layout.widths, (std::vector<int>{30, 30, 50, 40}));
    // LF CR is two breaks; a trailing break leaves an empty last line.
    layout = Break(L"a\n\rb\n", 1000);
    EXPECT_EQ(layout.lines, (std::vector<std::wstring>{L"a", L"", L"b", L""}));
    // The empty text is one empty line.
    layout = Break(L"", 100);
    EXPECT_EQ(layout.lines, (std::vector<std::wstring>{L""}));
    EXPECT_EQ(layout.widths, (std::vector<int>{0}));
}

TEST(KTextLayout, LinesEndOnlyWhereTheChineseAndLatinRulesAllow)
{
    // Every character 10 pixels wide ('W' 50), so a width of 10 n holds n characters.
    const struct
    {
        const wchar_t* text;
        int maxWidth;
        std::vector<std::wstring> lines;
    } cases[] = {
        // Chinese breaks between any two characters ...
        {L"这是一个小巧简单的播放器", 50, {L"这是一个小", L"巧简单的播", L"放器"}},
        // ... but no line begins with closing punctuation: the character before it goes along.
        {L"就剩最后一个列表了，别再删啦！", 90, {L"就剩最后一个列表", L"了，别再删啦！"}},
        {L"好的……", 30, {L"好", L"的……"}},
        {L"好好!", 20, {L"好", L"好!"}},
        {L"一二三。」四", 40, {L"一二", L"三。」四"}},
        // No line ends with opening punctuation: it goes down with what follows.
        {L"他说「你好」", 30, {L"他说", L"「你", L"好」"}},
        {L"好(好", 20, {L"好", L"(好"}},
        // Runs of Latin letters, digits and the punctuation inside them stay whole ...
        {L"软件版本：V1.0", 80, {L"软件版本：", L"V1.0"}},
        {L"大小24, 44像素", 60, {L"大小", L"24, 44", L"像素"}},
        {L"打开file.mp3了", 80, {L"打开", L"file.mp3", L"了"}},
        {L"ab 12", 40, {L"ab ", L"12"}},
        {L"ab cd", 40, {L"ab ", L"cd"}},
        // ... unless one alone is wider than the line: then it breaks after its punctuation, or
        // where it overflows when it has none.
        {L"https://lumo.example.org", 100, {L"https://", L"lumo.", L"example.", L"org"}},
        {L"看https://lumo", 80, {L"看", L"https://", L"lumo"}},
        {L"abcdefg hi", 30, {L"abc", L"def", L"g ", L"hi"}},
        {L"aWb", 30, {L"a", L"W", L"b"}},
        // A surrogate pair is never split, "——" neither.
        {L"好\xD83D\xDE00", 20, {L"好", L"\xD83D\xDE00"}},
        {L"\xD83D\xDE00好", 10, {L"\xD83D\xDE00", L"好"}},
        {L"好——好", 20, {L"好", L"——", L"好"}},
    };
    for (const auto& entry : cases) {
        const KLayout layout = Break(entry.text, entry.maxWidth, 50);
        EXPECT_EQ(layout.lines, entry.lines) << "at " << entry.maxWidth;
        // Each line's width is the sum of its characters' widths.
        for (size_t i = 0; i < layout.lines.size(); ++i) {
            int sum = 0;
            for (wchar_t c : layout.lines[i])
                sum += c == L'W' ? 50 : 10;
            EXPECT_EQ(layout.widths[i], sum) << "line " << i;
        }
    }
}

TEST(KTextLayout, EveryClosingAndOpeningMarkIsKeptOffTheWrongEndOfALine)
{
    const std::wstring closing = L"，。、；：？！）」』】》…’”,.;:?!)]}｡｣､";
    const std::wstring opening = L"（「『【《“‘([{｢";
    for (wchar_t mark : closing) {
        const wchar_t text[] = {L'好', mark, 0};
        EXPECT_EQ(KBreakBefore(text, 2, 1), KBREAK_NEVER) << "before U+" << std::hex << (int)mark;
    }
    for (wchar_t mark : opening) {
        const wchar_t text[] = {mark, L'好', 0};
        EXPECT_EQ(KBreakBefore(text, 2, 1), KBREAK_NEVER) << "after U+" << std::hex << (int)mark;
    }
    // Between two Chinese characters, around a blank and around a number a line may end; inside
    // a Latin run only after its punctuation, and that only when nothing better is on the line.
    const struct
    {
        const wchar_t* text;
        int at;
        int kind;
    } places[] = {
        {L"好好", 1, KBREAK_ALLOWED}, {L"a b", 1, KBREAK_ALLOWED}, {L"a b", 2, KBREAK_ALLOWED},
        {L"好12好", 1, KBREAK_ALLOWED}, {L"好12好", 3, KBREAK_ALLOWED}, {L"好12好", 2, KBREAK_NEVER},
        {L"a.b", 2, KBREAK_IN_RUN}, {L"a/b", 2, KBREAK_IN_RUN}, {L"a./", 2, KBREAK_NEVER},
        {L"ab", 1, KBREAK_NEVER}, {L"好好", 0, KBREAK_NEVER}, {L"好好", 2, KBREAK_NEVER},
    };
    for (const auto& place : places) {
        const int length = (int)std::wstring(place.text).size();
        EXPECT_EQ(KBreakBefore(place.text, length, place.at), place.kind) << place.at;
    }
}

TEST(KTextLayout, AtMostTwentyFourLinesAreLaidOut)
{
    std::wstring text;
    for (int i = 0; i < 30; ++i)
        text += std::wstring(1, (wchar_t)(L'a' + i % 26)) + L"\n";
    KLayout layout = Break(text, 100);
    ASSERT_EQ(layout.lines.size(), 24u);
    EXPECT_EQ(layout.lines[23], L"x");
    // Exactly 24 lines of content fit, the last one from the remaining characters.
    layout = Break(std::wstring(24 * 2 - 1, L'a'), 20);
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

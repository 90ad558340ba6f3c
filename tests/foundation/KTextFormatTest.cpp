// FormatText: the usual printf conversions, the wide/narrow string rules and the bounded output
// (cut, always NUL-terminated, count without the NUL).
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "foundation/KText.h"

TEST(FormatText, FormatsTheUsualConversionsFlagsWidthAndPrecision)
{
    char a[128];
    EXPECT_EQ(FormatText(a, 128, "%d|%02d|%5d|%-5d|%+d|% d", 42, 7, -3, 9, 5, 6), 23);
    EXPECT_STREQ(a, "42|07|   -3|9    |+5| 6");
    FormatText(a, 128, "%u %x %X %#x %o %08.3f %.2f %e %g", 4000000000u, 255, 255, 255, 8,
               3.14159, 2.005, 12345.678, 0.0001);
    EXPECT_STREQ(a, "4000000000 ff FF 0xff 10 0003.142 2.00 1.234568e+04 0.0001");
    FormatText(a, 128, "%lld %I64d %hd %hhu %ld %zu %%", LLONG_MIN, 5LL, 70000, 300, -5L,
               (size_t)12);
    EXPECT_STREQ(a, "-9223372036854775808 5 4464 44 -5 12 %");
    FormatText(a, 128, "[%*d] [%-*d] [%.*f]", 4, 1, 3, 2, 1, 0.25);
    EXPECT_STREQ(a, "[   1] [2  ] [0.2]");
    FormatText(a, 128, "%c%c %5.2s|%-4s|", 'o', 'k', "abc", "x");
    EXPECT_STREQ(a, "ok    ab|x   |");
}

TEST(FormatText, WideFormTakesWideForSmallSAndNarrowUtf8ForCapitalS)
{
    wchar_t w[64];
    EXPECT_EQ(FormatText(w, 64, L"%s/%S/%c%C", L"\u4E2D", "\xE6\x96\x87", L'\u00E4', 'A'), 6);
    EXPECT_STREQ(w, L"\u4E2D/\u6587/\u00E4A");
    FormatText(w, 64, L"%hs|%ls|%3S|%.1S", "n", L"w", "ab", "xyz");
    EXPECT_STREQ(w, L"n|w| ab|x");
    FormatText(w, 64, L"%s %S", (const wchar_t*)nullptr, (const char*)nullptr);
    EXPECT_STREQ(w, L"(null) (null)");
    FormatText(w, 64, L"%d%% %.2f", -7, 0.5);
    EXPECT_STREQ(w, L"-7% 0.50");

    char a[64];
    EXPECT_EQ(FormatText(a, 64, "%s|%S|%C", "\xE4\xB8\xAD", L"\u6587", L'\u00E4'), 10);
    EXPECT_STREQ(a, "\xE4\xB8\xAD|\xE6\x96\x87|\xC3\xA4");
}

TEST(FormatText, OutputIsCutAtTheCapacityAndAlwaysNulTerminated)
{
    char a[8];
    memset(a, '#', sizeof(a));
    EXPECT_EQ(FormatText(a, 5, "%s", "abcdefgh"), 4);
    EXPECT_EQ(std::string(a, 8), std::string("abcd\0###", 8));
    EXPECT_EQ(FormatText(a, 5, "%d", 1234567), 4);
    EXPECT_STREQ(a, "1234");
    EXPECT_EQ(FormatText(a, 1, "abc"), 0);
    EXPECT_STREQ(a, "");
    a[0] = '#';
    EXPECT_EQ(FormatText(a, 0, "abc"), 0);
    EXPECT_EQ(a[0], '#');
    EXPECT_EQ(FormatText((char*)nullptr, 10, "abc"), 0);

    wchar_t w[6];
    w[5] = L'#';
    EXPECT_EQ(FormatText(w, 5, L"%S and more", "\xE4\xB8\xAD\xE6\x96\x87"), 4);
    EXPECT_STREQ(w, L"\u4E2D\u6587 a");
    EXPECT_EQ(w[5], L'#');

    // A huge width is rendered in full and then cut, never overflowing.
    char big[16];
    EXPECT_EQ(FormatText(big, 16, "%500d|%.400f", 1, 1.0), 15);
    EXPECT_EQ(std::string(big), std::string(15, ' '));
    std::string wide(1200, '?');
    EXPECT_EQ(FormatText(&wide[0], 1200, "%-1000d|", 5), 1001);
    EXPECT_EQ(wide.substr(0, 2), "5 ");
    EXPECT_EQ(wide[1000], '|');

    // Widths beyond 65,535 are taken as 65,535.
    std::string huge(70000, '?');
    EXPECT_EQ(FormatText(&huge[0], 70000, "%100000d", 1), 65535);
    EXPECT_EQ(huge.substr(65533, 3), std::string(" 1\0", 3));
}

TEST(FormatText, UnknownDirectivesAreCopiedAndPercentNWritesNothing)
{
    char a[32];
    int untouched = 77;
    FormatText(a, 32, "a%yb%nc%d", &untouched, 5);
    EXPECT_STREQ(a, "a%ybc5");
    EXPECT_EQ(untouched, 77);
    FormatText(a, 32, "end%");
    EXPECT_STREQ(a, "end%");
    char p[32];
    EXPECT_EQ(FormatText(p, 32, "%p", (void*)0x1234), 16);
    EXPECT_STREQ(p, "0000000000001234");
}

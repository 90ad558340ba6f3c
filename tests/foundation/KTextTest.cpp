// The text functions of KText.h: copies, comparisons, ASCII case rules, scanning, the number
// parsers with their exact rules, integer to text, and the conversions.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cstring>
#include <string>

#include "foundation/KMemory.h"
#include "foundation/KText.h"

TEST(KText, LengthCopyAndConcatenateReturnLengths)
{
    EXPECT_EQ(KStrLenW(L"abc"), 3);
    EXPECT_EQ(KStrLenA(""), 0);
    EXPECT_EQ(KStrLenW(nullptr), 0);

    wchar_t w[16];
    EXPECT_EQ(KStrCpyW(w, L"ab"), 2);
    EXPECT_EQ(KStrCatW(w, L"cde"), 5);
    EXPECT_STREQ(w, L"abcde");
    char a[16];
    EXPECT_EQ(KStrCpyA(a, "xy"), 2);
    EXPECT_EQ(KStrCatA(a, nullptr), 2);
    EXPECT_EQ(KStrCatA(a, "z"), 3);
    EXPECT_STREQ(a, "xyz");
}

TEST(KText, BoundedCopyPadsWithNulsAndLeavesNoNulWhenTheSourceFillsTheCount)
{
    char a[8];
    memset(a, '#', sizeof(a));
    EXPECT_EQ(KStrNCpyA(a, "ab", 6), 2);
    EXPECT_EQ(std::string(a, 8), std::string("ab\0\0\0\0##", 8));

    memset(a, '#', sizeof(a));
    EXPECT_EQ(KStrNCpyA(a, "abcdef", 4), 4);
    EXPECT_EQ(std::string(a, 8), "abcd####");

    wchar_t w[4] = {L'#', L'#', L'#', L'#'};
    EXPECT_EQ(KStrNCpyW(w, L"q", 3), 1);
    EXPECT_EQ(w[0], L'q');
    EXPECT_EQ(w[1], 0);
    EXPECT_EQ(w[2], 0);
    EXPECT_EQ(w[3], L'#');
}

TEST(KText, DuplicatesAreFreshNulTerminatedAllocations)
{
    wchar_t* whole = KStrDupW(L"hello");
    ASSERT_NE(whole, nullptr);
    EXPECT_STREQ(whole, L"hello");
    KFree(whole);
    char* part = KStrNDupA("hello", 3);
    EXPECT_STREQ(part, "hel");
    KFree(part);
    char* shorter = KStrNDupA("hi", 10);
    EXPECT_STREQ(shorter, "hi");
    KFree(shorter);
    wchar_t* none = KStrNDupW(L"abc", 0);
    EXPECT_STREQ(none, L"");
    KFree(none);
    EXPECT_EQ(KStrDupA(nullptr), nullptr);
}

TEST(KText, ComparisonsReturnTheDifferenceOfTheFirstDifferingUnits)
{
    EXPECT_EQ(KStrCmpW(L"abc", L"abc"), 0);
    EXPECT_EQ(KStrCmpW(L"abd", L"abc"), 1);
    EXPECT_EQ(KStrCmpA("ab", "abc"), -'c');
    EXPECT_EQ(KStrCmpA("a", "A"), 'a' - 'A');
    // Narrow bytes compare unsigned: a UTF-8 lead byte sorts after ASCII.
    EXPECT_GT(KStrCmpA("\xE4", "z"), 0);
    EXPECT_EQ(KStrCmpA(nullptr, ""), 0);

    EXPECT_EQ(KStrICmpA("Hello.PNG", "hello.png"), 0);
    EXPECT_EQ(KStrICmpW(L"ABC", L"abd"), 'c' - 'd');
    // Only ASCII letters fold: '[' (after 'Z') is not '{', and non-ASCII never folds.
    EXPECT_NE(KStrICmpA("[", "{"), 0);
    EXPECT_NE(KStrICmpW(L"\u00C4", L"\u00E4"), 0);
    EXPECT_EQ(KStrICmpA("Z", "["), 'z' - '[');

    EXPECT_EQ(KStrNCmpW(L"abcX", L"abcY", 3), 0);
    EXPECT_LT(KStrNCmpW(L"abcX", L"abcY", 4), 0);
    EXPECT_EQ(KStrNCmpA("ab", "ab", 10), 0);
    EXPECT_EQ(KStrNCmpA("x", "y", 0), 0);

    // The folded hash agrees with KStrICmpW: texts equal under it hash alike, others (nearly
    // always) differ.
    EXPECT_EQ(KStrIHashW(L"C:\\Music\\A.MP3"), KStrIHashW(L"c:\\music\\a.mp3"));
    EXPECT_EQ(KStrIHashW(L""), KStrIHashW(nullptr));
    const wchar_t* const distinct[] = {L"", L"a", L"b", L"ab", L"ba", L"\u00C4", L"\u00E4", L"a "};
    for (const wchar_t* a : distinct) {
        for (const wchar_t* b : distinct) {
            if (a != b) {
                EXPECT_NE(KStrIHashW(a), KStrIHashW(b));
            }
        }
    }
}

TEST(KText, CaseChangesTouchOnlyAsciiLetters)
{
    wchar_t w[] = L"aZ\u00E4\u00C4@[`{1";
    EXPECT_EQ(KStrUprW(w), w);
    EXPECT_STREQ(w, L"AZ\u00E4\u00C4@[`{1");
    KStrLwrW(w);
    EXPECT_STREQ(w, L"az\u00E4\u00C4@[`{1");
    char a[] = "MiX\xC3\x84";
    KStrLwrA(a);
    EXPECT_STREQ(a, "mix\xC3\x84");
    KStrUprA(a);
    EXPECT_STREQ(a, "MIX\xC3\x84");
}

TEST(KText, ScanningSkipsWhiteSpaceAndFindsUnits)
{
    EXPECT_STREQ(KSkipSpaceW(L"\t\n\v\f\r x "), L"x ");
    EXPECT_STREQ(KSkipSpaceA("\x08x"), "\x08x");   // backspace is not white space
    EXPECT_STREQ(KSkipSpaceA("   "), "");

    EXPECT_EQ(KStrChrW(L"a.b.c", L'.', 0), 1);
    EXPECT_EQ(KStrChrW(L"a.b.c", L'.', 2), 3);
    EXPECT_EQ(KStrChrW(L"a.b.c", L'.', 4), -1);
    EXPECT_EQ(KStrChrA("abc", 'c', 9), -1);
    EXPECT_EQ(KStrChrA("abc", 'a', -1), -1);
    EXPECT_EQ(KStrChrA("abc", '\0', 0), 3);

    EXPECT_EQ(KStrRChrW(L"C:\\dir\\file.mp3", L'\\'), 6);
    EXPECT_EQ(KStrRChrA("file.tar.gz", '.'), 8);
    EXPECT_EQ(KStrRChrA("file", '.'), -1);
    EXPECT_EQ(KStrRChrNA("file.tar.gz", '.', 8), 4);
    EXPECT_EQ(KStrRChrNA("file.tar.gz", '.', 9), 8);
    EXPECT_EQ(KStrRChrNW(L"a.b", L'.', 100), 1);
    EXPECT_EQ(KStrRChrNW(L"a.b", L'.', 0), -1);
}

TEST(KText, DecimalTextToIntegerFollowsTheParsingRules)
{
    EXPECT_EQ(KStrToIntW(L"  -42abc"), -42);
    EXPECT_EQ(KStrToIntA("+17"), 17);
    EXPECT_EQ(KStrToIntA("0x10"), 0);
    EXPECT_EQ(KStrToIntA("abc"), 0);
    EXPECT_EQ(KStrToIntA("-"), 0);
    EXPECT_EQ(KStrToIntA("+-5"), 0);
    EXPECT_EQ(KStrToIntA("- 5"), 0);
    EXPECT_EQ(KStrToIntA("\r\n 12 34"), 12);
    EXPECT_EQ(KStrToIntA("2147483647"), INT_MAX);
    EXPECT_EQ(KStrToIntA("-2147483648"), INT_MIN);
    // No overflow check: the value wraps modulo 2^32.
    EXPECT_EQ(KStrToIntA("2147483648"), INT_MIN);
    EXPECT_EQ(KStrToIntA("4294967297"), 1);
    EXPECT_EQ(KStrToIntW(nullptr), 0);
}

TEST(KText, HexTextToIntegerTakesDigitsOnly)
{
    EXPECT_EQ(KHexToIntA("ff"), 255u);
    EXPECT_EQ(KHexToIntW(L" \t80FF00AAzz"), 0x80FF00AAu);
    EXPECT_EQ(KHexToIntA("0x10"), 0u);
    EXPECT_EQ(KHexToIntA("-1"), 0u);
    EXPECT_EQ(KHexToIntA("g1"), 0u);
    EXPECT_EQ(KHexToIntA("123456789"), 0x23456789u);   // wraps modulo 2^32
}

TEST(KText, DecimalTextToFloatFollowsTheMantissaAndExponentRules)
{
    EXPECT_EQ(KStrToFloatA("1.5"), 1.5f);
    EXPECT_EQ(KStrToFloatW(L"  -2.25e2x"), -225.0f);
    EXPECT_EQ(KStrToFloatA("+.5"), 0.5f);
    EXPECT_EQ(KStrToFloatA("12e-1"), 1.2f);
    EXPECT_EQ(KStrToFloatA("3E+2"), 300.0f);
    EXPECT_EQ(KStrToFloatA("7e"), 7.0f);
    EXPECT_EQ(KStrToFloatA("5.e1"), 50.0f);
    EXPECT_EQ(KStrToFloatA("1.2.3"), 1.2f);
    EXPECT_EQ(KStrToFloatA("abc"), 0.0f);
    EXPECT_EQ(KStrToFloatA("0.000"), 0.0f);
    EXPECT_EQ(KStrToFloatA("-0"), 0.0f);
    EXPECT_EQ(KStrToFloatA(nullptr), 0.0f);

    // The mantissa stops taking digits once it reaches 268,435,457: later integer digits only
    // raise the exponent, later fraction digits are dropped.
    EXPECT_EQ(KStrToFloatA("268435456"), 268435456.0f);
    EXPECT_EQ(KStrToFloatA("2684354569"), 2684354569.0f);
    EXPECT_EQ(KStrToFloatA("26843545699"), 26843545690.0f);
    EXPECT_EQ(KStrToFloatA("268435457.9"), 268435457.0f);
    EXPECT_EQ(KStrToFloatA("1.0000000000009"), 1.0f);

    // Out of range: the largest finite float with the sign, or 0.0.
    EXPECT_EQ(KStrToFloatA("1e39"), FLT_MAX);
    EXPECT_EQ(KStrToFloatA("-1e39"), -FLT_MAX);
    EXPECT_EQ(KStrToFloatA("3.4028235e38"), FLT_MAX);
    EXPECT_EQ(KStrToFloatA("99999999999999999999999999999999999999999"), FLT_MAX);
    EXPECT_EQ(KStrToFloatA("1e-50"), 0.0f);
    EXPECT_EQ(KStrToFloatA("-1e-50"), 0.0f);
    EXPECT_EQ(KStrToFloatA("1e99999999999"), FLT_MAX);
    EXPECT_EQ(KStrToFloatA("1e-99999999999"), 0.0f);
    // The smallest normal float is the boundary.
    EXPECT_EQ(KStrToFloatA("1.1754944e-38"), FLT_MIN);
    EXPECT_EQ(KStrToFloatA("1.1754942e-38"), 0.0f);
}

TEST(KText, IntegerToTextWritesEveryBaseAndTheMostNegativeValue)
{
    wchar_t w[KINT_TEXT_CAPACITY];
    EXPECT_EQ(KIntToStrW(0, w, 10), 1);
    EXPECT_STREQ(w, L"0");
    EXPECT_EQ(KIntToStrW(-255, w, 16), 3);
    EXPECT_STREQ(w, L"-FF");
    EXPECT_EQ(KIntToStrW(INT_MIN, w, 10), 11);
    EXPECT_STREQ(w, L"-2147483648");
    char a[KINT_TEXT_CAPACITY];
    EXPECT_EQ(KIntToStrA(INT_MIN, a, 2), 33);
    EXPECT_STREQ(a, "-10000000000000000000000000000000");
    EXPECT_EQ(KIntToStrA(INT_MAX, a, 36), 6);
    EXPECT_STREQ(a, "ZIK0ZJ");
    EXPECT_EQ(KIntToStrA(35, a, 36), 1);
    EXPECT_STREQ(a, "Z");
    EXPECT_EQ(KIntToStrA(5, a, 1), 0);
    EXPECT_STREQ(a, "");
    EXPECT_EQ(KIntToStrA(5, a, 37), 0);
}

TEST(KText, ConversionsFollowTheUtf8Rules)
{
    const char* utf8 = "\xE4\xB8\xAD\xF0\x9F\x98\x80";
    EXPECT_EQ(Utf8ToWide(utf8, -1, nullptr, 0), 4);   // two units for the emoji, one for the NUL
    wchar_t w[8];
    EXPECT_EQ(Utf8ToWide(utf8, -1, w, 8), 4);
    EXPECT_STREQ(w, L"\u4E2D\U0001F600");
    EXPECT_EQ(Utf8ToWide(utf8, 3, w, 8), 1);
    EXPECT_EQ(w[0], L'\u4E2D');
    EXPECT_EQ(Utf8ToWide(utf8, -1, w, 2), 0);   // too small

    char a[16];
    EXPECT_EQ(WideToUtf8(L"\u4E2D\U0001F600", -1, nullptr, 0), 8);
    EXPECT_EQ(WideToUtf8(L"\u4E2D\U0001F600", -1, a, 16), 8);
    EXPECT_STREQ(a, utf8);

    wchar_t locale[KLOCALE_NAME_CAPACITY];
    EXPECT_EQ(GetUserLocaleName(locale), 1);
    EXPECT_GE(KStrLenW(locale), 2);
    EXPECT_EQ(KStrChrW(locale, L'-', 0) > 0, true);
}

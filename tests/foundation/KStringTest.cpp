// KStringW / KStringA: the shared empty string, fixed storage, exact growth, Empty keeping storage,
// conversion between the widths and the 65,534-unit limit.
#include <gtest/gtest.h>

#include <string>

#include "foundation/KString.h"

TEST(KString, EmptyStringsOfBothWidthsShareOneStaticStorage)
{
    KStringW wide;
    KStringW otherWide;
    KStringA narrow;
    EXPECT_EQ(wide.GetBuffer(), otherWide.GetBuffer());
    EXPECT_EQ((void*)wide.GetBuffer(), (void*)narrow.GetBuffer());
    EXPECT_EQ(wide.GetBuffer(), KStringW::SharedEmpty());
    EXPECT_EQ(wide.GetCapacity(), 0);
    EXPECT_EQ(wide.GetLength(), 0);
    EXPECT_EQ(wide.GetBuffer()[0], L'\0');
    EXPECT_EQ(narrow.GetBuffer()[0], '\0');

    // Operations that would write leave the shared storage alone.
    wide.Empty();
    wide.MakeUpper();
    EXPECT_EQ(wide.SetLength(-1), 0);
    EXPECT_EQ(wide.SetLength(0), 0);
    EXPECT_EQ(wide.SetLength(1), -1);
    EXPECT_EQ(wide.Assign(L""), 0);
    EXPECT_EQ(wide.Assign((const wchar_t*)nullptr), 0);
    EXPECT_EQ(wide.Append(L""), 0);
    EXPECT_EQ(wide.GetBuffer(), KStringW::SharedEmpty());
    {
        // A string that is destroyed while empty does not free the shared storage.
        KStringA scoped;
    }
    EXPECT_EQ((void*)narrow.GetBuffer(), (void*)KStringA::SharedEmpty());
}

TEST(KString, AssignAndAppendGrowExactly)
{
    KStringW s(L"abc");
    EXPECT_EQ(s.GetLength(), 3);
    EXPECT_EQ(s.GetCapacity(), 4);
    EXPECT_STREQ(s.GetBuffer(), L"abc");
    EXPECT_EQ(s.Append(L"de"), 5);
    EXPECT_EQ(s.GetCapacity(), 6);
    EXPECT_EQ(s.Append(L"xyz", 1), 6);
    EXPECT_EQ(s.GetCapacity(), 7);
    EXPECT_STREQ(s.GetBuffer(), L"abcdex");
    EXPECT_EQ(s.Append(nullptr), 6);

    // A shorter assignment keeps the capacity: nothing ever shrinks.
    EXPECT_EQ(s.Assign(L"hello world", 5), 5);
    EXPECT_STREQ(s.GetBuffer(), L"hello");
    EXPECT_EQ(s.GetCapacity(), 7);

    // Assigning the string's own buffer only returns the length.
    EXPECT_EQ(s.Assign(s.GetBuffer(), 2), 5);
    EXPECT_STREQ(s.GetBuffer(), L"hello");

    // A null text empties the string and keeps its storage.
    wchar_t* storage = s.GetBuffer();
    EXPECT_EQ(s.Assign((const wchar_t*)nullptr), 0);
    EXPECT_EQ(s.GetLength(), 0);
    EXPECT_EQ(s.GetBuffer(), storage);
}

TEST(KString, EmptyKeepsTheStorageSoASmallAppendDoesNotReallocate)
{
    KStringW s(L"abc");
    wchar_t* storage = s.GetBuffer();
    s.Empty();
    EXPECT_EQ(s.GetLength(), 0);
    EXPECT_EQ(s.GetCapacity(), 4);
    EXPECT_EQ(s.GetBuffer(), storage);
    EXPECT_EQ(s.GetBuffer()[0], L'\0');
    EXPECT_EQ(s.Append(L"de"), 2);
    EXPECT_EQ(s.GetCapacity(), 4);
    EXPECT_EQ(s.GetBuffer(), storage);
    EXPECT_STREQ(s.GetBuffer(), L"de");
    EXPECT_EQ(s.Append(L"fg"), 4);
    EXPECT_EQ(s.GetCapacity(), 5);
}

TEST(KString, ReserveAndSetLengthLetCallersFillTheBuffer)
{
    KStringA s;
    EXPECT_EQ(s.Reserve(10), 1);
    EXPECT_EQ(s.GetCapacity(), 11);
    EXPECT_EQ(s.GetLength(), 0);
    EXPECT_STREQ(s.GetBuffer(), "");
    EXPECT_EQ(s.Reserve(4), 1);   // never shrinks
    EXPECT_EQ(s.GetCapacity(), 11);
    EXPECT_EQ(s.Reserve(-1), 0);

    char* buffer = s.GetBuffer();
    buffer[0] = 'x';
    buffer[1] = 'y';
    buffer[2] = 'z';
    buffer[3] = 0;
    EXPECT_EQ(s.SetLength(-1), 3);
    EXPECT_EQ(s.GetLength(), 3);
    EXPECT_EQ(s.SetLength(2), 2);
    EXPECT_STREQ(s.GetBuffer(), "xy");
    EXPECT_EQ(s.SetLength(10), 10);
    EXPECT_EQ(s.SetLength(11), -1);
    EXPECT_EQ(s.GetLength(), 10);

    // Without a NUL in the storage, the length stops at the capacity.
    for (int i = 0; i < 11; ++i)
        buffer[i] = 'q';
    EXPECT_EQ(s.SetLength(-1), 10);
    EXPECT_EQ(buffer[10], '\0');
}

TEST(KString, CaseChangesAreAsciiOnlyAndCompareIsCaseSensitive)
{
    KStringW w(L"Ab\u00C4z\u00E4");
    w.MakeUpper();
    EXPECT_STREQ(w.GetBuffer(), L"AB\u00C4Z\u00E4");
    w.MakeLower();
    EXPECT_STREQ(w.GetBuffer(), L"ab\u00C4z\u00E4");
    EXPECT_EQ(w.Compare(L"ab\u00C4z\u00E4"), 0);
    EXPECT_LT(w.Compare(L"ac"), 0);
    EXPECT_GT(w.Compare(L"AB"), 0);
    EXPECT_GT(w.Compare(nullptr), 0);

    KStringA a("MiXeD 123");
    a.MakeLower();
    EXPECT_STREQ(a.GetBuffer(), "mixed 123");
    EXPECT_EQ(a.Compare("mixed 123"), 0);
    EXPECT_EQ(a.Compare("mixed 1234"), -'4');
}

TEST(KString, AssignFromTheOtherWidthConvertsThroughUtf8)
{
    KStringW wide;
    EXPECT_EQ(wide.Assign("\xE4\xB8\xAD\xE6\x96\x87 ok"), 5);
    EXPECT_STREQ(wide.GetBuffer(), L"\u4E2D\u6587 ok");
    EXPECT_EQ(wide.GetCapacity(), 6);

    KStringA narrow;
    EXPECT_EQ(narrow.Assign(L"\u4E2D\u6587 ok"), 9);
    EXPECT_STREQ(narrow.GetBuffer(), "\xE4\xB8\xAD\xE6\x96\x87 ok");
    EXPECT_EQ(narrow.Assign(L"\U0001F600"), 4);
    EXPECT_STREQ(narrow.GetBuffer(), "\xF0\x9F\x98\x80");

    // A null or empty source empties the string (the returned length is always the string's).
    EXPECT_EQ(wide.Assign(""), 0);
    EXPECT_EQ(wide.GetLength(), 0);
    EXPECT_EQ(wide.GetCapacity(), 6);
    EXPECT_EQ(narrow.Assign((const wchar_t*)nullptr), 0);
    EXPECT_EQ(narrow.GetLength(), 0);

    KStringW copy(wide);
    wide.Assign(L"original");
    KStringW second(wide);
    EXPECT_STREQ(second.GetBuffer(), L"original");
    EXPECT_NE(second.GetBuffer(), wide.GetBuffer());
    copy = second;
    EXPECT_STREQ(copy.GetBuffer(), L"original");
    copy = L"changed";
    EXPECT_STREQ(copy.GetBuffer(), L"changed");
    EXPECT_STREQ(second.GetBuffer(), L"original");
}

TEST(KString, FixedStorageIsNeverWrittenEveryChangeTakesStorageOfItsOwn)
{
    // Each operation starts from a string over fixed storage holding "Fixed"; the storage must
    // still hold "Fixed" afterwards, the string what the operation made of it.
    struct Case
    {
        const char* what;
        void (*change)(KStringW& s);
        const wchar_t* result;
    };
    const Case cases[] = {
        {"append", [](KStringW& s) { s.Append(L"+1"); }, L"Fixed+1"},
        {"assign shorter", [](KStringW& s) { s.Assign(L"ab"); }, L"ab"},
        {"assign longer", [](KStringW& s) { s.Assign(L"a longer text"); }, L"a longer text"},
        {"assign its own tail", [](KStringW& s) { s.Assign(s.GetBuffer() + 2, 2); }, L"xe"},
        {"upper", [](KStringW& s) { s.MakeUpper(); }, L"FIXED"},
        {"lower", [](KStringW& s) { s.MakeLower(); }, L"fixed"},
        {"reserve", [](KStringW& s) { s.Reserve(20); }, L"Fixed"},
        {"empty", [](KStringW& s) { s.Empty(); }, L""},
        {"length 0", [](KStringW& s) { s.SetLength(0); }, L""},
    };
    for (const Case& c : cases) {
        alignas(4) char place[KStringW::FixedBytes(5)];
        KStringW s(L"owned before");
        EXPECT_EQ(s.AssignFixed(place, L"Fixed!", 5), 5) << c.what;
        EXPECT_STREQ(s.GetBuffer(), L"Fixed");
        EXPECT_EQ(s.GetLength(), 5);
        EXPECT_EQ(s.GetCapacity(), 0);
        const std::string before(place, sizeof(place));
        c.change(s);
        EXPECT_STREQ(s.GetBuffer(), c.result) << c.what;
        EXPECT_EQ(s.GetLength(), (int)wcslen(c.result)) << c.what;
        EXPECT_EQ(std::string(place, sizeof(place)), before) << c.what;
    }
    EXPECT_EQ(KStringW::FixedBytes(5), 4u + 12u);
    EXPECT_EQ(KStringA::FixedBytes(2), 8u) << "rounded so that another header can follow";
}

TEST(KString, AppendingTheStringToItselfSurvivesTheReallocation)
{
    KStringA s("abc");
    EXPECT_EQ(s.Append(s.GetBuffer()), 6);
    EXPECT_STREQ(s.GetBuffer(), "abcabc");
    EXPECT_EQ(s.Append(s.GetBuffer() + 4), 8);
    EXPECT_STREQ(s.GetBuffer(), "abcabcbc");
    EXPECT_EQ(s.Assign(s.GetBuffer() + 3, 3), 3);
    EXPECT_STREQ(s.GetBuffer(), "abc");
}

TEST(KString, TextsPastTheSixteenBitLimitFailAndLeaveTheStringUnchanged)
{
    const int limit = KStringW::MAX_LENGTH;
    EXPECT_EQ(limit, 65534);
    std::wstring longest(limit, L'x');
    std::wstring tooLong(limit + 1, L'y');

    KStringW s(L"keep");
    EXPECT_EQ(s.Assign(tooLong.c_str()), -1);
    EXPECT_STREQ(s.GetBuffer(), L"keep");
    EXPECT_EQ(s.GetCapacity(), 5);
    EXPECT_EQ(s.Reserve(limit + 1), 0);
    EXPECT_EQ(s.GetCapacity(), 5);

    EXPECT_EQ(s.Assign(longest.c_str()), limit);
    EXPECT_EQ(s.GetLength(), limit);
    EXPECT_EQ(s.GetCapacity(), limit + 1);
    EXPECT_EQ(s.GetBuffer()[limit], L'\0');
    EXPECT_EQ(s.Append(L"z"), -1);
    EXPECT_EQ(s.GetLength(), limit);
    EXPECT_EQ(s.GetBuffer()[limit], L'\0');

    s.Assign(longest.c_str(), limit - 2);
    EXPECT_EQ(s.Append(L"abc"), -1);
    EXPECT_EQ(s.GetLength(), limit - 2);
    EXPECT_EQ(s.Append(L"ab"), limit);
    EXPECT_EQ(s.GetBuffer()[limit - 1], L'b');

    // The narrow form counts UTF-8 bytes: 21,844 three-byte characters fit (65,532 bytes), one
    // more does not.
    std::wstring chinese(21844, L'\u4E2D');
    KStringA a("keep");
    EXPECT_EQ(a.Assign(chinese.c_str()), 65532);
    chinese.append(L"\u4E2D");
    EXPECT_EQ(a.Assign(chinese.c_str()), -1);
    EXPECT_EQ(a.GetLength(), 65532);
    std::string tooLongNarrow(limit + 1, 'n');
    KStringW fromNarrow(L"keep");
    EXPECT_EQ(fromNarrow.Assign(tooLongNarrow.c_str()), -1);
    EXPECT_STREQ(fromNarrow.GetBuffer(), L"keep");
}

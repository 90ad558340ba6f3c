// Paths a user asks Lumo to open: a command line split by the platform's rules and each path made
// absolute against the folder it was typed in, what cannot name a playable file left out but
// counted, and the packed form one start hands to another, refused whole when damaged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CLmOpenRequest.h"

namespace {

constexpr const wchar_t* HERE = L"C:\\Music\\Rock";

std::vector<std::wstring> Paths(const CLmOpenRequest& request)
{
    return request.GetPaths();
}

COPYDATASTRUCT CopyOf(const std::vector<wchar_t>& units, ULONG_PTR kind = LMCOPYDATA_OPEN)
{
    return COPYDATASTRUCT{kind, (DWORD)(units.size() * sizeof(wchar_t)), (void*)units.data()};
}

} // namespace

TEST(CLmOpenRequest, PathsAreMadeAbsoluteAgainstTheFolderTheyWereTypedIn)
{
    const std::wstring longName(300, L'a');
    struct KCase
    {
        const wchar_t* given;
        const wchar_t* expected;   // none: left out
    } cases[] = {
        {L"a.mp3", L"C:\\Music\\Rock\\a.mp3"},
        {L".\\sub\\..\\a.mp3", L"C:\\Music\\Rock\\a.mp3"},
        {L"..\\Pop\\\x5468\x6770\x4F26 - \x6674\x5929.mp3",
         L"C:\\Music\\Pop\\\x5468\x6770\x4F26 - \x6674\x5929.mp3"},
        {L"../../../../x.wav", L"C:\\x.wav"},
        {L"\\Other\\b.wav", L"C:\\Other\\b.wav"},
        {L"D:\\Jazz\\\\Take Five.mp3", L"D:\\Jazz\\Take Five.mp3"},
        {L"d:/jazz/./", L"d:\\jazz"},
        {L"C:sub", L"C:\\Music\\Rock\\sub"},
        {L"E:sub", L"E:\\sub"},
        {L"Z:\\", L"Z:\\"},
        {L"\\\\?\\C:\\Music\\a.mp3", L"C:\\Music\\a.mp3"},
        {L"\\\\?\\UNC\\server\\share\\a.mp3", nullptr},
        {L"\\\\?\\Volume{1234}\\a.mp3", nullptr},
        {L"\\\\server\\share\\a.mp3", nullptr},
        {L"\\\\.\\COM1", nullptr},
        {L"", nullptr},
        {L"a*.mp3", nullptr},
        {L"a.mp3:stream", nullptr},
        {L"what?.mp3", nullptr},
        {L"tab\there.mp3", nullptr},
        {longName.c_str(), nullptr},
    };
    for (const KCase& c : cases) {
        std::wstring resolved = L"untouched";
        const int ok = CLmOpenRequest::ResolvePath(c.given, HERE, &resolved);
        EXPECT_EQ(ok, c.expected ? 1 : 0) << std::string(c.given, c.given + wcslen(c.given));
        EXPECT_EQ(resolved, c.expected ? c.expected : L"untouched");
    }
    std::wstring resolved;
    EXPECT_EQ(CLmOpenRequest::ResolvePath(L"a.mp3", nullptr, &resolved), 0)
        << "a relative path needs a folder";
    EXPECT_EQ(CLmOpenRequest::ResolvePath(L"C:\\a.mp3", nullptr, &resolved), 1);
    // The longest path kept is KMAX_PATH - 1 units long.
    const std::wstring longest = L"C:\\" + std::wstring(256, L'x');
    EXPECT_EQ(CLmOpenRequest::ResolvePath(longest.c_str(), nullptr, &resolved), 1);
    EXPECT_EQ(CLmOpenRequest::ResolvePath((longest + L"x").c_str(), nullptr, &resolved), 0);
}

TEST(CLmOpenRequest, ACommandLineIsSplitByThePlatformsQuotingAndEveryArgumentCounts)
{
    CLmOpenRequest request(LMOPEN_PLAY_FIRST);
    request.AddCommandLine(L"\"C:\\Program Files\\Lumo\\Lumo.exe\" \"My Songs\\\x6674\x5929.mp3\" "
                           L"b.wav \"\" \\\\.\\NUL D:\\Album",
                           HERE);
    EXPECT_EQ(Paths(request),
              (std::vector<std::wstring>{L"C:\\Music\\Rock\\My Songs\\\x6674\x5929.mp3",
                                         L"C:\\Music\\Rock\\b.wav", L"D:\\Album"}));
    EXPECT_EQ(request.GetAskedCount(), 5) << "the empty argument and the device count as asked";
    EXPECT_EQ(request.GetPlayRule(), LMOPEN_PLAY_FIRST);

    CLmOpenRequest alone(LMOPEN_PLAY_FIRST);
    alone.AddCommandLine(L"Lumo.exe", HERE);
    alone.AddCommandLine(L"", HERE);
    EXPECT_TRUE(Paths(alone).empty());
    EXPECT_EQ(alone.GetAskedCount(), 0);
}

TEST(CLmOpenRequest, AHandOverCarriesThePathsAndTheAskedCountAndDamagedDataIsRefusedWhole)
{
    CLmOpenRequest sent(LMOPEN_PLAY_FIRST);
    sent.AddCommandLine(L"Lumo.exe a.mp3 \"\" \"\x97F3\x4E50\\b c.wav\"", HERE);
    const std::vector<wchar_t> packed = sent.Pack();
    COPYDATASTRUCT copy = CopyOf(packed);
    CLmOpenRequest received(LMOPEN_PLAY_FIRST);
    ASSERT_EQ(received.Unpack(&copy), 1);
    EXPECT_EQ(Paths(received), Paths(sent));
    EXPECT_EQ(received.GetAskedCount(), 3);

    // Damaged or foreign data: nothing is taken.
    std::vector<wchar_t> unterminated = packed;
    unterminated.pop_back();
    unterminated.pop_back();
    std::vector<wchar_t> relative = {1, 0, L'a', L'.', L'm', L'p', L'3', 0, 0};
    const std::vector<wchar_t> empty = {0, 0, 0};
    struct KBad
    {
        const char* what;
        COPYDATASTRUCT copy;
    } bad[] = {
        {"another kind", CopyOf(packed, LMCOPYDATA_OPEN + 1)},
        {"no data", COPYDATASTRUCT{LMCOPYDATA_OPEN, 8, nullptr}},
        {"an odd size", COPYDATASTRUCT{LMCOPYDATA_OPEN, (DWORD)(packed.size() * 2 - 1),
                                       (void*)packed.data()}},
        {"too short", COPYDATASTRUCT{LMCOPYDATA_OPEN, 4, (void*)packed.data()}},
        {"a path without its end", CopyOf(unterminated)},
        {"too large", COPYDATASTRUCT{LMCOPYDATA_OPEN, LMOPEN_MAX_BYTES + 2, (void*)packed.data()}},
    };
    for (const KBad& b : bad) {
        CLmOpenRequest taken(LMOPEN_PLAY_FIRST);
        EXPECT_EQ(taken.Unpack(&b.copy), 0) << b.what;
        EXPECT_TRUE(Paths(taken).empty()) << b.what;
        EXPECT_EQ(taken.GetAskedCount(), 0) << b.what;
    }
    EXPECT_EQ(received.Unpack(nullptr), 0);

    // A relative path handed over is left out (the sender resolves), still counted as asked.
    CLmOpenRequest fromRelative(LMOPEN_PLAY_FIRST);
    COPYDATASTRUCT relativeCopy = CopyOf(relative);
    ASSERT_EQ(fromRelative.Unpack(&relativeCopy), 1);
    EXPECT_TRUE(Paths(fromRelative).empty());
    EXPECT_EQ(fromRelative.GetAskedCount(), 1);
    CLmOpenRequest fromEmpty(LMOPEN_PLAY_FIRST);
    COPYDATASTRUCT emptyCopy = CopyOf(empty);
    EXPECT_EQ(fromEmpty.Unpack(&emptyCopy), 1) << "a start with nothing to open";
    EXPECT_EQ(fromEmpty.GetAskedCount(), 0);
}

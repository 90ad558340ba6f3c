// MakeOpenPath: device names in the last component and over-long drive paths get the verbatim
// form, device names it cannot reach are refused, everything else stays as it is.
#include <gtest/gtest.h>

#include <string>

#include "foundation/KOpenPath.h"

TEST(KOpenPath, DeviceNamesAndLongPathsGetTheVerbatimFormAndOthersStay)
{
    const std::wstring v = L"\\\\?\\";
    const std::wstring same;   // the path as it is
    const std::wstring refused = L"refused";
    const std::wstring longName(300, L'a');
    struct Case
    {
        std::wstring path;
        std::wstring open;
    } cases[] = {
        {L"C:\\Music\\COM1.wav", v + L"C:\\Music\\COM1.wav"},
        {L"C:/Music/aux.wav", v + L"C:\\Music\\aux.wav"},
        {L"d:\\x\\Nul", v + L"d:\\x\\Nul"},
        {L"C:\\x\\lpt9.tar.gz", v + L"C:\\x\\lpt9.tar.gz"},
        {L"C:\\x\\Com1 .mp3", v + L"C:\\x\\Com1 .mp3"},
        {L"C:\\x\\PRN", v + L"C:\\x\\PRN"},
        {L"C:\\x\\conout$.wav", v + L"C:\\x\\conout$.wav"},
        {L"C:\\x\\COM0.wav", v + L"C:\\x\\COM0.wav"},
        {L"C:\\x\\lpt\x00B3.wav", v + L"C:\\x\\lpt\x00B3.wav"},
        {L"C:\\x\\COM10.wav", same},
        {L"C:\\x\\CONSOLE.wav", same},
        {L"C:\\x\\com1wav", same},
        {L"C:\\x\\a.aux", same},
        {L"C:\\x\\.aux", same},
        {L"C:\\COM1\\song.wav", same},
        {L"C:\\x\\\x4E2D aux.wav", same},
        {v + L"C:\\x\\COM1.wav", same},
        {L"COM1.wav", refused},
        {L"C:aux.wav", refused},
        {L"C:\\x\\..\\aux.wav", refused},
        {L"C:\\x\\.\\aux.wav", refused},
        {L"C:\\x\\\\aux.wav", refused},
        {L"\\\\server\\share\\aux.wav", refused},
        {L"C:\\" + std::wstring(256, L'b'), same},   // 259 units: within MAX_PATH
        {L"C:\\" + std::wstring(257, L'b'), v + L"C:\\" + std::wstring(257, L'b')},
        {L"C:/" + longName, v + L"C:\\" + longName},
        {L"C:\\x\\..\\" + longName, same},   // left to the platform to take or refuse
    };
    for (const Case& c : cases) {
        KStringW open;
        const int length = MakeOpenPath(c.path.c_str(), open);
        if (c.open == refused) {
            EXPECT_EQ(length, -1) << c.path.c_str();
            EXPECT_EQ(open.GetLength(), 0);
            continue;
        }
        const std::wstring expected = c.open.empty() ? c.path : c.open;
        EXPECT_EQ(std::wstring(open), expected) << c.path.c_str();
        EXPECT_EQ(length, (int)expected.size()) << c.path.c_str();
    }
    KStringW open;
    EXPECT_EQ(MakeOpenPath(nullptr, open), -1);
}

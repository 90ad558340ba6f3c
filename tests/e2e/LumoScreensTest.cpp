// Lumo.exe as the user sees it: screenshots of the start-up picture and of the first page after it
// (saved as BMP files in the build folder's "screenshots"), checked by pixel probes; then the back
// key on the last page ends the program with exit code 0.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr int SCREEN_CX = 320;
constexpr int SCREEN_CY = 480;
constexpr int STATUS_BAR = 24;
constexpr int TITLE_BAR = 44;

// Lumo.exe is built into bin/ beside the tests' folder tests/bin/; screenshots go to screenshots/.
std::wstring BuildDir()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir = path;
    dir.resize(dir.rfind(L'\\') + 1);
    return dir + L"..\\..\\";
}

HWND WaitForFrame(DWORD processId, int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        for (HWND hwnd = FindWindowW(L"KAppClassName", nullptr); hwnd;
             hwnd = FindWindowExW(nullptr, hwnd, L"KAppClassName", nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == processId && IsWindowVisible(hwnd))
                return hwnd;
        }
        Sleep(20);
    }
    return nullptr;
}

// What the screen shows of the frame's client area, top-down, 0x00RRGGBB.
struct KScreenshot
{
    std::vector<unsigned int> pixels;

    unsigned int At(int x, int y) const { return pixels[(size_t)y * SCREEN_CX + x]; }
    int Red(int x, int y) const { return (At(x, y) >> 16) & 0xFF; }
    int Green(int x, int y) const { return (At(x, y) >> 8) & 0xFF; }
    int Blue(int x, int y) const { return At(x, y) & 0xFF; }
    bool Near(int x, int y, int r, int g, int b, int tolerance) const
    {
        return abs(Red(x, y) - r) <= tolerance && abs(Green(x, y) - g) <= tolerance
               && abs(Blue(x, y) - b) <= tolerance;
    }
    // The start-up picture: its blue icon in the middle of the page area.
    bool ShowsPicture() const
    {
        const int y = STATUS_BAR + 190;
        return Blue(160, y) > 150 && Blue(160, y) > Red(160, y) + 60;
    }
    // Pixels of the title band between x0 and x1 that are (nearly) white: its texts.
    int WhiteInTitle(int x0, int x1) const
    {
        int white = 0;
        for (int y = STATUS_BAR; y < STATUS_BAR + TITLE_BAR; y++)
            for (int x = x0; x < x1; x++)
                white += Near(x, y, 255, 255, 255, 40);
        return white;
    }
    // The player page painted whole (its windows paint one after the other): the title band with
    // the menu button's three light bars at its left and the name of the playlist in white, the
    // light page background where the picture had its icon, and the blue play button at the bottom.
    bool ShowsPage() const
    {
        return Near(100, STATUS_BAR + 3, 46, 50, 65, 2) && Near(22, STATUS_BAR + 16, 248, 248, 248, 12)
               && Near(22, STATUS_BAR + 28, 248, 248, 248, 12) && Near(22, STATUS_BAR + 19, 46, 50, 65, 12)
               && WhiteInTitle(50, 240) > 20 && Near(160, STATUS_BAR + 190, 248, 248, 248, 2)
               && Near(150, 453, 35, 114, 204, 8);
    }
};

bool Capture(HWND frame, KScreenshot* shot)
{
    POINT origin = {0, 0};
    if (!ClientToScreen(frame, &origin))
        return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = SCREEN_CX;
    info.bmiHeader.biHeight = -SCREEN_CY;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    unsigned int* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, (void**)&bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const bool copied =
        BitBlt(dc, 0, 0, SCREEN_CX, SCREEN_CY, screen, origin.x, origin.y, SRCCOPY) != 0;
    GdiFlush();
    if (copied) {
        shot->pixels.assign(bits, bits + SCREEN_CX * SCREEN_CY);
        for (unsigned int& pixel : shot->pixels)
            pixel &= 0xFFFFFF;
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return copied;
}

// Polls the screen until `wanted` holds for a screenshot.
template <class Predicate>
bool CaptureWhen(HWND frame, KScreenshot* shot, int timeoutMs, Predicate wanted)
{
    for (int waited = 0; waited < timeoutMs; waited += 15) {
        if (Capture(frame, shot) && wanted(*shot))
            return true;
        Sleep(15);
    }
    return false;
}

bool SaveBmp(const KScreenshot& shot, const std::wstring& path)
{
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = SCREEN_CX;
    info.biHeight = -SCREEN_CY;
    info.biPlanes = 1;
    info.biBitCount = 32;
    const DWORD bytes = (DWORD)(shot.pixels.size() * sizeof(unsigned int));
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + bytes;
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof(file), &written, nullptr)
              && WriteFile(out, &info, sizeof(info), &written, nullptr)
              && WriteFile(out, shot.pixels.data(), bytes, &written, nullptr);
    CloseHandle(out);
    return ok;
}

// The status bar: a light-to-dark upper half over a dark-to-black lower half.
void ExpectStatusBar(const KScreenshot& shot)
{
    EXPECT_TRUE(shot.Near(60, 0, 0x4A, 0x4A, 0x4A, 3)) << std::hex << shot.At(60, 0);
    EXPECT_TRUE(shot.Near(60, STATUS_BAR / 2, 0x24, 0x24, 0x24, 3)) << std::hex
                                                                    << shot.At(60, 12);
    EXPECT_LE(shot.Red(60, STATUS_BAR - 1), 8);
    EXPECT_GT(shot.Red(60, 2), shot.Red(60, 9));
    EXPECT_GT(shot.Red(60, 14), shot.Red(60, 21));
}

} // namespace

TEST(LumoScreens, StartupPictureThenAPageWithStatusBarAndTitle)
{
    const std::wstring build = BuildDir();
    const std::wstring exe = build + L"bin\\Lumo.exe";
    const std::wstring shots = build + L"screenshots\\";
    CreateDirectoryW(shots.c_str(), nullptr);

    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::wstring commandLine = L"\"" + exe + L"\"";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &pi));
    // Owns the process handles; a failed check returns early, and the program must not stay on
    // the display for the tests after this one.
    struct KEndOnReturn
    {
        PROCESS_INFORMATION process;
        ~KEndOnReturn()
        {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(process.hProcess, 1);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
    } endOnReturn = {pi};
    HWND frame = WaitForFrame(pi.dwProcessId, 20000);
    ASSERT_TRUE(frame) << "no frame window appeared";

    KScreenshot startup;
    ASSERT_TRUE(CaptureWhen(frame, &startup, 10000,
                            [](const KScreenshot& shot) { return shot.ShowsPicture(); }))
        << "the start-up picture never showed";
    EXPECT_TRUE(SaveBmp(startup, shots + L"startup.bmp"));
    ExpectStatusBar(startup);
    // The picture's dark top below the status bar.
    EXPECT_LT(startup.Blue(160, STATUS_BAR + 5), 90);

    KScreenshot page;
    ASSERT_TRUE(CaptureWhen(frame, &page, 10000,
                            [](const KScreenshot& shot) { return shot.ShowsPage(); }))
        << "no page followed the picture";
    EXPECT_TRUE(SaveBmp(page, shots + L"page.bmp"));
    ExpectStatusBar(page);
    // The title band (46, 50, 65) across the top of the page, nothing written at its right.
    EXPECT_TRUE(page.Near(250, STATUS_BAR + 2, 46, 50, 65, 2));
    EXPECT_TRUE(page.Near(300, STATUS_BAR + TITLE_BAR - 3, 46, 50, 65, 2));
    EXPECT_EQ(page.WhiteInTitle(240, 320), 0);
    for (int x = 0; x < SCREEN_CX; x += 40)
        EXPECT_FALSE(page.Near(x, STATUS_BAR + 300, 38, 117, 207, 30)) << "no trace of the picture";

    // The back key on the only page closes it, and with it the program.
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof(gui);
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(frame, nullptr), &gui));
    ASSERT_TRUE(gui.hwndFocus) << "the page has the focus";
    EXPECT_TRUE(IsChild(frame, gui.hwndFocus));
    PostMessageW(gui.hwndFocus, WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 20000), WAIT_OBJECT_0) << "Lumo.exe did not end";
    DWORD exitCode = 1;
    GetExitCodeProcess(pi.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

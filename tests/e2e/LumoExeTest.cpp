// Starts the real Lumo.exe as a user would, finds its window and closes it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// Lumo.exe is built into bin/ beside the tests' folder tests/bin/.
std::wstring LumoExePath()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir = path;
    dir.resize(dir.rfind(L'\\') + 1);
    return dir + L"..\\..\\bin\\Lumo.exe";
}

HWND WaitForWindow(const wchar_t* className, DWORD processId, int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        for (HWND hwnd = FindWindowW(className, nullptr); hwnd;
             hwnd = FindWindowExW(nullptr, hwnd, className, nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == processId && IsWindowVisible(hwnd))
                return hwnd;
        }
        Sleep(50);
    }
    return nullptr;
}

} // namespace

TEST(LumoExe, StartsWithA320By480FrameAndExitsZeroWhenClosed)
{
    std::wstring exe = LumoExePath();
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::wstring commandLine = L"\"" + exe + L"\"";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &pi))
        << "cannot start " << std::string(exe.begin(), exe.end());
    HWND frame = WaitForWindow(L"KAppClassName", pi.dwProcessId, 20000);
    ASSERT_TRUE(frame) << "no frame window appeared";
    wchar_t title[64] = L"";
    GetWindowTextW(frame, title, 64);
    EXPECT_STREQ(title, L"Lumo");
    RECT client;
    GetClientRect(frame, &client);
    EXPECT_EQ(client.right - client.left, 320);
    EXPECT_EQ(client.bottom - client.top, 480);

    PostMessageW(frame, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 20000), WAIT_OBJECT_0) << "Lumo.exe did not end";
    DWORD exitCode = 1;
    GetExitCodeProcess(pi.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

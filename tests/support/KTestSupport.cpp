// Message pumping, the test frame window and temporary folders for the test executables.
#include "KTestSupport.h"

#include "ui/CKApplication.h"

namespace {

// The application object the tests' frame window belongs to; it lives until the process ends.
class CTestApp : public CKApplication
{
public:
    CTestApp() : CKApplication(GetModuleHandleW(nullptr), L"") {}
};

} // namespace

void PumpMessagesFor(int ms)
{
    PumpUntil([] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if ((int)(GetTickCount() - start) >= timeoutMs)
            return done();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!msg.hwnd && msg.message >= KWM_APP_FIRST && GetApp()) {
                GetApp()->OnAppMessage(msg.message, msg.wParam, msg.lParam);
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

HWND EnsureTestFrame()
{
    if (!GetFrameWindow()) {
        if (!GetApp())
            new CTestApp();
        GetApp()->InitInstance();
    }
    return GetFrameWindow();
}

std::wstring MakeTempDir(const wchar_t* prefix)
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int serial;
    for (int attempt = 0; attempt < 1000; attempt++) {
        wchar_t dir[MAX_PATH];
        wsprintfW(dir, L"%s%s-%lu-%d\\", base, prefix, GetCurrentProcessId(), ++serial);
        if (CreateDirectoryW(dir, nullptr))
            return dir;
    }
    return std::wstring();
}

void RemoveTree(const std::wstring& dir)
{
    std::wstring root = dir;
    if (!root.empty() && root.back() != L'\\')
        root += L'\\';
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((root + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring path = root + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(root.c_str());
}

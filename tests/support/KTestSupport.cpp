// Message pumping, the test frame window, temporary folders and painted text for the test
// executables.
#include "KTestSupport.h"

#include "graphics/KGraphics.h"
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

bool EndsInEllipsis(const RECT& area, int dotsWidth, const std::function<bool(unsigned int rgb)>& isInk,
                    int* lastInk)
{
    HDC dc = GetBackBufferDC();
    auto inked = [&](int x, int y) {
        const COLORREF color = GetPixel(dc, x, y);
        return isInk((unsigned int)GetRValue(color) << 16 | (unsigned int)GetGValue(color) << 8
                     | GetBValue(color));
    };
    int last = area.left - 1;
    int top = area.bottom;
    int bottom = area.top - 1;
    for (int x = area.left; x < area.right; x++)
        for (int y = area.top; y < area.bottom; y++)
            if (inked(x, y)) {
                last = x;
                top = y < top ? y : top;
                bottom = y > bottom ? y : bottom;
            }
    if (lastInk)
        *lastInk = last;
    if (last < area.left || last >= area.right - 1)
        return false;
    // The last half of the dots' width: the dots' advance also holds the room beside them, which
    // may reach back under the glyph before them.
    const int middle = (top + bottom) / 2;
    for (int x = last - dotsWidth / 2; x <= last; x++)
        for (int y = area.top; y <= middle; y++)
            if (inked(x, y))
                return false;
    return true;
}

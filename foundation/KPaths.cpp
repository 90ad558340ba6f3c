// ModuleDir and AppResDir, and the helpers that put names beside the executable.
#include "foundation/KPaths.h"

#include <cwchar>

namespace {

wchar_t g_moduleDir[KMAX_PATH];
wchar_t g_appResDir[KMAX_PATH];

int JoinPath(wchar_t* buffer, const wchar_t* dir, const wchar_t* name)
{
    size_t length = wcslen(dir);
    wmemcpy(buffer, dir, length);
    if (name) {
        size_t extra = wcslen(name);
        if (length + extra > KMAX_PATH - 1)
            extra = KMAX_PATH - 1 - length;
        wmemcpy(buffer + length, name, extra);
        length += extra;
    }
    buffer[length] = 0;
    return (int)length;
}

} // namespace

void KInitPaths(HINSTANCE instance)
{
    DWORD length = GetModuleFileNameW(instance, g_moduleDir, KMAX_PATH);
    if (length >= KMAX_PATH)
        length = 0;   // a cut-off name has no trustworthy folder: fall back to relative names
    g_moduleDir[length] = 0;
    wchar_t* slash = wcsrchr(g_moduleDir, L'\\');
    if (slash)
        slash[1] = 0;
    else
        g_moduleDir[0] = 0;
    JoinPath(g_appResDir, g_moduleDir, L"AppRes\\");
}

const wchar_t* GetModuleDir()
{
    return g_moduleDir;
}

const wchar_t* GetAppResDir()
{
    return g_appResDir;
}

int MakeModulePath(wchar_t* buffer, const wchar_t* name)
{
    return JoinPath(buffer, g_moduleDir, name);
}

int MakeAppResPath(wchar_t* buffer, const wchar_t* name)
{
    return JoinPath(buffer, g_appResDir, name);
}

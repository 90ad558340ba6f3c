// The two directories every file name is built from: ModuleDir (the executable's folder) and
// AppResDir (ModuleDir + "AppRes\", loose files standing in for compiled-in resources).
// Both are fixed once by the application module's start-up step and never change afterwards.
#pragma once
#include <windows.h>

// Longest path the library builds, in characters with the terminating NUL.
constexpr int KMAX_PATH = 260;

// Fills ModuleDir and AppResDir from the module's file name.
void KInitPaths(HINSTANCE instance);
// The executable's directory with its trailing backslash.
const wchar_t* GetModuleDir();
// ModuleDir followed by "AppRes\".
const wchar_t* GetAppResDir();
// Copies ModuleDir into `buffer` (at least KMAX_PATH characters) and appends `name` when given;
// returns the length of the result. A result that would not fit is cut at KMAX_PATH - 1.
int MakeModulePath(wchar_t* buffer, const wchar_t* name);
// The same with AppResDir.
int MakeAppResPath(wchar_t* buffer, const wchar_t* name);

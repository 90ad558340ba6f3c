// Helpers shared by the test executables: pumping the UI thread's messages the way the
// application's loop does, and a frame window for code that posts deferred calls.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Dispatches the thread's messages for `ms` milliseconds.
void PumpMessagesFor(int ms);
// Dispatches messages until `done` returns true or `timeoutMs` passed; returns done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs);
// Creates the frame window once per test executable (through a test application object's
// InitInstance) and returns it; deferred calls need it.
HWND EnsureTestFrame();
// A fresh, empty folder under the system's temporary folder, with a trailing backslash.
std::wstring MakeTempDir(const wchar_t* prefix);
// Deletes a folder and everything below it.
void RemoveTree(const std::wstring& dir);

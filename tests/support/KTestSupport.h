// Helpers shared by the test executables: pumping the UI thread's messages the way the
// application's loop does, a frame window for code that posts deferred calls, and a look at text
// painted into the back buffer.
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

// Whether the text painted in `area` of the back buffer (its ink: the pixels `isInk` accepts)
// ends in an ellipsis inside the area: the ink stops short of the area's right edge, and the ink
// of its last columns (half of `dotsWidth`, the advance of "...") lies in the lower half of the
// ink's height, where dots sit on the baseline -- a glyph, whole or cut at the edge, reaches
// higher. `lastInk` (optional) receives the
// last column holding ink, area.left - 1 when there is none.
bool EndsInEllipsis(const RECT& area, int dotsWidth, const std::function<bool(unsigned int rgb)>& isInk,
                    int* lastInk = nullptr);

// The form in which a disk path is handed to the platform so that it reaches the file it names.
// Two kinds of path do not as written: one whose last component is a reserved device name (CON,
// PRN, AUX, NUL, COM0-COM9, LPT0-LPT9, CONIN$, CONOUT$, with or without an extension: "COM1.wav"
// opens the serial port, and reading it can block for a minute), and one longer than the
// platform's MAX_PATH. Both reach the file through the verbatim form "\\?\C:\...", which the
// platform takes as written. Every place that opens a user's file to read, play or replace it
// asks MakeOpenPath first.
#pragma once
#include "foundation/KString.h"

// What the verbatim form puts before a drive path.
constexpr wchar_t KVERBATIM_PREFIX[] = L"\\\\?\\";
// Units of KVERBATIM_PREFIX.
constexpr int KVERBATIM_PREFIX_LENGTH = 4;

// Puts into `out` the form to open `path` by and returns its length:
// - a path already in the verbatim form, and any path that needs none, as it is;
// - a drive path ("C:\...", '/' also separating) whose last component names a device or that is
//   longer than MAX_PATH - 1 units: "\\?\" and the path with '\' separators;
// - a long path the verbatim form cannot hold as written (below): as it is, for the platform
//   to take or refuse.
// Returns -1 (and empties `out`) for a device name the verbatim form cannot reach: a relative
// path, or one with an empty, "." or ".." component, which only the platform's own parsing,
// the one that turns the name into the device, would resolve. Such a path must not be opened.
// Also -1 for a null path or when memory ran out.
int MakeOpenPath(const wchar_t* path, KStringW& out);

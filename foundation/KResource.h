// The application's own resources: the module they come from, how a library path names an
// "APPRES" resource ("res/FileExt.ini" -> "RES_FILEEXT.INI"), and strings of the string table.
#pragma once
#include <windows.h>

class KStringW;

// Resource type of every look-and-feel file compiled into the program.
extern const wchar_t* const KRES_TYPE_APPRES;

// Start-up step: remembers the module whose string table and resources are used.
void KInitResources(HINSTANCE instance);
// The module given to KInitResources.
HINSTANCE GetResInstance();

// The resource name of a library path: every '/' and '\' becomes '_' and ASCII letters are
// upper-cased (the platform matches names without regard to case; the program stores them
// upper-case). Writes at most capacity - 1 units and a NUL; returns the length written, -1 when
// the name does not fit or capacity is below 1.
int MakeResourceName(const wchar_t* path, wchar_t* name, int capacity);
// The "APPRES" resource of a library path, or none.
HRSRC FindAppResource(const wchar_t* path);

// With a buffer: empties it, loads string `id` (cut to capacity - 1 units) and returns its length,
// 0 when the string does not exist. With no buffer (or a capacity below 1): returns the full
// length of the string, -1 when it does not exist.
int LoadResString(UINT id, wchar_t* buffer, int capacity);
// Loads string `id` whole, however long, into `string`; returns its length, or -1 and an empty
// string when it does not exist (or memory ran out).
int LoadResString(UINT id, KStringW& string);

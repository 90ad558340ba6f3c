// CLmOpenRequest: the files and folders a user asked Lumo to open, as absolute paths: the command
// line of Lumo.exe (Explorer's "Open with", a script), the one another start of Lumo.exe handed
// over, or the files dropped on the window. It also carries how playback starts once they are
// added, and is the form in which one start hands its request to another (WM_COPYDATA).
//
// Paths are resolved by the process that received them as typed (a relative path against its own
// current folder), so a request handed over holds only absolute paths. What cannot name a file
// the player plays is left out but still counted as asked (ResolvePath says which).
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "foundation/CKObject.h"

// How playback starts once the request's files are added (GetPlayRule).
constexpr int LMOPEN_PLAY_FIRST = 1;     // open-with: the first file added plays, or the first
                                         // one named when all were in the list already
constexpr int LMOPEN_PLAY_IF_IDLE = 2;   // a drop: the first file added plays only when no file
                                         // is playing or paused

// dwData of the WM_COPYDATA that hands a request over ("LMOP").
constexpr ULONG_PTR LMCOPYDATA_OPEN = 0x4C4D4F50;
// Largest hand-over taken, in bytes: a thousand paths of the longest length fit many times over.
constexpr DWORD LMOPEN_MAX_BYTES = 16u * 1024u * 1024u;

class CLmOpenRequest : public CKObject
{
    K_DECLARE_CLASS(CLmOpenRequest)
public:
    explicit CLmOpenRequest(int playRule) : playRule(playRule) {}

    // Every argument after the program's name in `commandLine` (split by the platform's quoting
    // rules), resolved against `currentDir`.
    void AddCommandLine(const wchar_t* commandLine, const wchar_t* currentDir);
    // Every file and folder of a drop (absolute paths).
    void AddDrop(HDROP drop);
    // One path as the user gave it, resolved against `currentDir` (none: only absolute paths).
    void AddPath(const wchar_t* path, const wchar_t* currentDir);

    // The request as a hand-over carries it: the asked count in two units (low, high), then each
    // path with its NUL, then one more NUL.
    std::vector<wchar_t> Pack() const;
    // Takes the paths of a hand-over (only absolute ones, checked as AddPath checks them); 0 when
    // the data is not a request in that form (nothing is taken then).
    int Unpack(const COPYDATASTRUCT* data);

    const std::vector<std::wstring>& GetPaths() const { return paths; }
    // How many paths the user named, those left out included.
    int GetAskedCount() const { return asked; }
    int GetPlayRule() const { return playRule; }

    // `path` made an absolute drive path against `currentDir` into `out`: '/' read as '\', "."
    // and ".." components applied, empty components dropped, a "\\?\" prefix before a drive path
    // removed; a drive-relative "D:x" taken from the current folder when it is on drive D, else
    // from D's root. 0 (out untouched) for what the player cannot play from: an empty path, a
    // network or device path ("\\server\share", "\\.\COM1") or another "\\?\" form, a relative
    // path without a drive path as `currentDir`, a component holding a control character or one
    // of < > : " | ? *, or a result of KMAX_PATH units or more.
    static int ResolvePath(const wchar_t* path, const wchar_t* currentDir, std::wstring* out);

private:
    // Resolves and keeps the path without counting it as asked.
    void Take(const wchar_t* path, const wchar_t* currentDir);

    std::vector<std::wstring> paths;   // absolute, in the order given
    int asked = 0;
    int playRule;
};

// CLmInstance: one Lumo per folder. Two copies started from the same folder would each keep their
// own idea of "PlayList.txt" and "Settings.ini", and the last to save would win; so every start of
// Lumo.exe claims a named mutex keyed by its executable's folder, and a start that finds the
// folder claimed hands its request over to the Lumo that holds it (WM_COPYDATA to that Lumo's
// frame window, which carries a property keyed the same way) and ends without touching either
// file. Copies in other folders have other keys and stay independent.
//
// The hand-over is safe against a Lumo that is just starting (its frame not there yet) or just
// closing (its frame gone, its files still being written): the new start tries again every
// LMHANDOVER_RETRY_MS, and while it waits it takes the folder over the moment the other Lumo
// releases it or ends (an abandoned mutex counts as released), so that it then runs itself.
// After the wait given to HandOver it gives up.
#pragma once
#include <windows.h>

#include <string>

#include "app/CLmOpenRequest.h"
#include "foundation/CKObject.h"

// Results of HandOver.
constexpr int LMHANDOVER_TAKEN = 1;     // the folder's Lumo took the request
constexpr int LMHANDOVER_OWNER = 2;     // that Lumo went away: this start owns the folder now
constexpr int LMHANDOVER_GAVE_UP = 3;   // that Lumo still holds the folder but never took it
// How long a start waits for the folder's Lumo to take its request, in milliseconds: longer than
// the slowest first start measured on a loaded machine.
constexpr int LMHANDOVER_WAIT_MS = 40000;
// Pause between two tries, and the longest one try waits for the frame's answer.
constexpr int LMHANDOVER_RETRY_MS = 100;
constexpr int LMHANDOVER_SEND_MS = 5000;
// Exit code of a start that gave up handing its request over.
constexpr int LMEXIT_NOT_HANDED_OVER = 1;

class CLmInstance : public CKObject
{
    K_DECLARE_CLASS(CLmInstance)
public:
    // The names for `folder` (the executable's folder; compared ignoring case).
    explicit CLmInstance(const wchar_t* folder);
    // Releases the folder when this start owns it.
    ~CLmInstance() override;

    // 1 when this start owns the folder from now on (no other Lumo of the folder runs, or one
    // ended without releasing it), 0 when another Lumo holds it.
    int Claim();
    // Hands the request to the Lumo that holds the folder, which brings its window to the front;
    // waits at most `waitMs` (LMHANDOVER_* results).
    int HandOver(const CLmOpenRequest& request, int waitMs);
    // Whether this start owns the folder.
    bool IsOwner() const { return owned; }

    // Makes `frame` the window other starts hand their requests to, or no longer.
    int MarkFrame(HWND frame) const;
    void UnmarkFrame(HWND frame) const;
    // The marked frame of this folder's Lumo, none when there is none.
    HWND FindFrame() const;

    const std::wstring& GetMutexName() const { return mutexName; }

private:
    static BOOL CALLBACK FindMarked(HWND window, LPARAM search);

    std::wstring mutexName;      // "Local\Lumo.Instance.<key>"
    std::wstring propertyName;   // "Lumo.Folder.<key>"
    HANDLE mutex = nullptr;      // owned: the folder's mutex, none when it could not be made
    bool owned = false;          // this thread owns the mutex
};

// CLmFileAdder: adds the files of open requests (CLmOpenRequest) to the player page's selected
// playlist, one request after the other. A named file is added when it exists and passes the
// browse page's file-name filter ("BrowseExtFilter"); a named folder gives its files the same
// way, recursively and in the browse page's order: in each folder its sub-folders first, each
// walked in turn, then its files, names compared ignoring ASCII case, hidden and system entries
// left out. The duplicate rule and the refusals are the player page's own (CPlayerContainer::
// AddFile). Playback starts by the request's rule; "PlayList.txt" is written when a request that
// added files ends with no other waiting (then the last of those writes it); a request that found
// no file at all is told with a toast.
//
// Steps: a folder may hold tens of thousands of files or be a whole drive, so the work runs on a
// thread timer in steps of about LMADD_STEP_BUDGET_MS (one folder's listing runs whole, as the
// browse page reads a folder), and the window answers between them: a timer message comes only
// when no other message waits. Steps wait until the player page exists. A folder reached twice
// (a link back up the tree) is walked once.
#pragma once
#include <windows.h>

#include <deque>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/CLmOpenRequest.h"
#include "controls/CKFileCache.h"
#include "ui/KTimer.h"

class CPlayerContainer;

// Period of the step timer and the longest a step works, in milliseconds.
constexpr int LMADD_STEP_PERIOD_MS = 10;
constexpr int LMADD_STEP_BUDGET_MS = 30;

class CLmFileAdder : public CKObject
{
    K_DECLARE_CLASS(CLmFileAdder)
public:
    CLmFileAdder() = default;
    // Stop.
    ~CLmFileAdder() override;

    // Takes the request (owned from now on; none is ignored) behind those waiting, and starts the
    // steps.
    void Add(CLmOpenRequest* request);
    // At exit: the running request ends where it is (the files it added so far are written), the
    // waiting ones are dropped and the steps stop.
    void Stop();
    // 1 while a request runs or waits.
    int IsBusy() const { return running || !waiting.empty(); }
    // How long a step may work, in milliseconds (LMADD_STEP_BUDGET_MS until set); a step does at
    // least one piece of work (a folder listed, a file offered), so 0 gives one piece a step.
    void SetStepBudget(int ms) { stepBudgetMs = ms; }

private:
    // One folder of the walk: its path (with the trailing backslash) and, once listed, the names
    // of its sub-folders and files in the browse page's order, with how far each has gone.
    struct KFolderWalk
    {
        std::wstring path;
        bool listed = false;
        std::vector<std::wstring> folders;
        std::vector<std::wstring> files;
        size_t nextFolder = 0;
        size_t nextFile = 0;
    };
    // A folder as the file system knows it: volume serial and file index.
    typedef std::pair<DWORD, ULONGLONG> KFolderId;

    static void StepTimer(INT_PTR adder);
    // Works for at most LMADD_STEP_BUDGET_MS; stops the timer when nothing is left.
    void Step();
    // The next waiting request becomes the running one, with the filter as set now.
    void BeginRequest();
    // Writes the added files unless another request waits, starts playback when no added file
    // did, tells when nothing was found, and lets the request go.
    void EndRequest(CPlayerContainer* player);
    // A path the request names: a folder to walk, a file to offer, or nothing.
    void TakeNamed(CPlayerContainer* player, const std::wstring& path);
    // Pushes the folder (trailing backslash) on the walk unless it was walked already.
    void EnterFolder(const std::wstring& path);
    // Reads the folder's entries into its two sorted lists.
    void ListFolder(KFolderWalk& folder);
    // Adds a file that passed the filter, and starts playback for the first one added when the
    // request's rule lets it.
    void Offer(CPlayerContainer* player, const std::wstring& path);
    // Whether the request's rule starts playback now.
    bool MayStartPlayback(const CPlayerContainer* player) const;

    std::deque<CLmOpenRequest*> waiting;   // owned, in the order they came
    CLmOpenRequest* running = nullptr;     // owned: the request being added
    size_t nextNamed = 0;                  // the running request's next path
    std::vector<KFolderWalk> walk;         // the folders being walked, the deepest last
    std::set<KFolderId> walked;            // every folder the running request entered
    CKFileCache filter;                    // only its file-name filter, as the request began
    std::wstring firstFound;               // the first file the request offered and the list took
    int found = 0;                         // files the request found (existing, passing the filter)
    bool decided = false;                  // playback was started, or left alone, for a file added
    bool unsaved = false;                  // files were added since "PlayList.txt" was written
    int stepBudgetMs = LMADD_STEP_BUDGET_MS;
    KTimerItem* timer = nullptr;           // owned: the step timer while there is work
};

// CLmProbeQueue: the background probe of the shown list's tags and durations. It walks the rows in
// short steps posted to the UI thread (the window handles input between them), reads each row
// that needs it (its tags, and its length, measured with a media graph when the tags do not give
// it), lets the page refresh the rows that changed, and has the playlists written once the walk
// ends after a step changed a record. It knows the rows only through its CLmProbeHost.
//
// Ownership: the host is borrowed (the player page, which owns the queue); the tag reader is a
// member. A posted step names the queue as its owner and is cancelled when the queue goes.
#pragma once
#include <windows.h>

#include "app/CLmMediaInfo.h"
#include "media/CKTagReader.h"

// Delays of the duration probe, in milliseconds.
constexpr int LMPROBE_AFTER_RELOAD_MS = 100;
constexpr int LMPROBE_STEP_MS = 10;
// A probe step reads files by their tags until it has taken this long (the window handles input
// between steps); a file that needs a media graph is the last one of its step.
constexpr int LMPROBE_STEP_BUDGET_MS = 20;

// What the probe needs of the page whose rows it reads.
class CLmProbeHost
{
public:
    // Whether a step may run now (the page has its window and its player).
    virtual bool CanProbe() const = 0;
    // The rows, first to last.
    virtual int GetProbeRowCount() const = 0;
    virtual CLmMediaInfo* GetProbeRow(int row) const = 0;
    // Measures the file's length into the record's duration with a media graph; 1 on success.
    virtual int MeasureDuration(const wchar_t* path, CLmMediaInfo* info) = 0;
    // The record of row `row` changed: its texts are shown again.
    virtual void OnRowProbed(int row, CLmMediaInfo* info) = 0;
    // The walk ended after a step changed a record: the playlists are written.
    virtual void OnProbeChangedRecords() = 0;

protected:
    // Hosts are pages: never deleted through this interface.
    ~CLmProbeHost() = default;
};

class CLmProbeQueue
{
public:
    explicit CLmProbeQueue(CLmProbeHost* probeHost) : host(probeHost) {}
    // Cancels a waiting step.
    ~CLmProbeQueue();

    // Posts a step `delayMs` later unless one is waiting already; `changed` tells whether a record
    // changed since the walk began.
    void Post(bool changed, int delayMs);
    bool IsPending() const { return pending; }

    // A row needs the probe when it was never measured, or when it was measured before tags were
    // read (length known, no artist or album, the title still the file's base name) and its tags
    // have not been read in this run.
    static bool NeedsProbe(const CLmMediaInfo* info);

    CLmProbeQueue(const CLmProbeQueue&) = delete;
    CLmProbeQueue& operator=(const CLmProbeQueue&) = delete;

private:
    // Reads rows that need it (NeedsProbe), first to last, for up to LMPROBE_STEP_BUDGET_MS; posts
    // the next step, or, after the last row, has the playlists written when a record changed.
    void Step(bool changed);
    // The first row from `from` on that needs the probe; the row count when none.
    int FindRowToProbe(int from) const;
    // Reads one row's tags and length; a length the tags do not give is measured with a media
    // graph unless the file is no audio. Returns whether the record changed; `usedGraph` tells
    // whether a graph was built.
    bool ProbeRow(CLmMediaInfo* info, bool* usedGraph);
    static void StepCall(INT_PTR queue, INT_PTR changed, INT_PTR unused);

    CLmProbeHost* host;      // borrowed: the page whose rows are read
    CKTagReader tagReader;   // the reader of tags and lengths
    bool pending = false;    // a step is posted and has not run
    int from = 0;            // where the search for the next row to probe goes on
};

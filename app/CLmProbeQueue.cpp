// CLmProbeQueue: the probe of tags and durations, in steps posted to the UI thread.
#include "app/CLmProbeQueue.h"

#include "app/CLmPlayListFile.h"
#include "foundation/CKFile.h"
#include "foundation/KOpenPath.h"
#include "foundation/KPaths.h"
#include "ui/KTimer.h"

CLmProbeQueue::~CLmProbeQueue()
{
    CancelPostedCalls(this);
}

void CLmProbeQueue::Post(bool changed, int delayMs)
{
    if (pending)
        return;
    if (PostCall((INT_PTR)this, changed ? 1 : 0, 0, StepCall, delayMs, this))
        pending = true;
}

void CLmProbeQueue::StepCall(INT_PTR queue, INT_PTR changed, INT_PTR)
{
    CLmProbeQueue* self = (CLmProbeQueue*)queue;
    self->pending = false;
    self->Step(changed != 0);
}

int CLmProbeQueue::FindRowToProbe(int row) const
{
    const int count = host->GetProbeRowCount();
    while (row < count && !NeedsProbe(host->GetProbeRow(row)))
        row++;
    return row;
}

bool CLmProbeQueue::NeedsProbe(const CLmMediaInfo* info)
{
    if (info->GetDuration() == KMEDIA_DURATION_UNMEASURED)
        return true;
    if (info->GetDuration() < 0 || info->AreTagsRead() || info->GetArtist().GetLength()
        || info->GetAlbum().GetLength())
        return false;
    wchar_t baseName[KMAX_PATH];
    return CKFile::GetBaseName(info->GetPath(), baseName, KMAX_PATH) >= 0
           && info->GetTitle().Compare(baseName) == 0;
}

bool CLmProbeQueue::ProbeRow(CLmMediaInfo* info, bool* usedGraph)
{
    *usedGraph = false;
    info->SetTagsRead();
    const int measured = info->GetDuration();
    const KStringW title = info->GetTitle();
    const KStringW artist = info->GetArtist();
    const KStringW album = info->GetAlbum();
    info->SetDuration(KMEDIA_DURATION_UNKNOWN);
    // Every reader is given the path in the form that reaches the file: one named like a device
    // ("COM1.wav") would otherwise open the device and block the window, at every start. A device
    // name that form cannot reach is asked of no reader, as if it were no audio.
    KStringW openPath;
    const bool reachable = MakeOpenPath(info->GetPath(), openPath) >= 0;
    const wchar_t* path = openPath;
    // A relative path names a loose file the media graph finds under AppRes; only the graph
    // measures it.
    const int read = !reachable                  ? KTAG_NOT_AUDIO
                     : CKFile::IsAbsolute(path) ? tagReader.Read(path, info)
                                                : KTAG_UNREAD;
    // Tags hold whatever their writer put there; "PlayList.txt" must still read the record back.
    if (read == KTAG_READ)
        CLmPlayListFile::FitTags(info);
    if (measured > 0) {
        info->SetDuration(measured);   // a length measured before stays
    } else if (read != KTAG_NOT_AUDIO && info->GetDuration() == KMEDIA_DURATION_UNKNOWN) {
        *usedGraph = true;
        // A file the service opens but cannot time would read 0 and be probed for ever: it stays
        // unknown instead.
        if (host->MeasureDuration(path, info)
            && info->GetDuration() == KMEDIA_DURATION_UNMEASURED)
            info->SetDuration(KMEDIA_DURATION_UNKNOWN);
    }
    if (!info->GetTitle().GetLength()) {
        wchar_t baseName[KMAX_PATH];
        if (CKFile::GetBaseName(info->GetPath(), baseName, KMAX_PATH) >= 0)
            info->SetTitle(baseName);
    }
    return measured <= 0 || title.Compare(info->GetTitle()) != 0
           || artist.Compare(info->GetArtist()) != 0 || album.Compare(info->GetAlbum()) != 0;
}

void CLmProbeQueue::Step(bool changed)
{
    if (!host->CanProbe())
        return;
    const DWORD start = GetTickCount();
    const int count = host->GetProbeRowCount();
    // The search goes on where the last step stopped, so that probing the rows added to a long
    // list costs one walk over it, not one per row. Rows can move or change behind that point (a
    // sort, a swipe, another list shown): before the probe ends, it looks once more from the top.
    bool fromTop = from == 0;
    int index = from < count ? from : count;
    for (;;) {
        index = FindRowToProbe(index);
        if (index == count && !fromTop) {
            fromTop = true;
            index = FindRowToProbe(0);
        }
        if (index == count) {
            from = 0;
            if (changed)
                host->OnProbeChangedRecords();
            return;
        }
        from = index + 1;
        CLmMediaInfo* info = host->GetProbeRow(index);
        bool usedGraph = false;
        if (ProbeRow(info, &usedGraph)) {
            changed = true;
            host->OnRowProbed(index, info);
        }
        if (usedGraph || GetTickCount() - start >= (DWORD)LMPROBE_STEP_BUDGET_MS)
            break;
        index = from;
    }
    Post(changed, LMPROBE_STEP_MS);
}

// A media player with a queue of paths that plays them one after the other: it observes itself,
// and at the end of each file opens the next queued path, skipping paths that cannot be played.
// The music player plays its lists with the rules of media/KPlayOrder.h instead; this is the
// library's plain queue player.
#pragma once
#include "foundation/CKList.h"
#include "foundation/KPaths.h"
#include "media/CKMediaObserver.h"
#include "media/CKMediaPlayer.h"

// One queued path.
struct KQueuedPath
{
    wchar_t path[KMAX_PATH];
};

class CKMediaListPlayer : public CKMediaPlayer, public CKMediaObserver
{
    K_DECLARE_CLASS(CKMediaListPlayer)
public:
    CKMediaListPlayer() = default;

    // Clears the observer before destroying, so nothing reaches the queue any more.
    void Destroy() override;
    // Create(none, 0), then observes itself. Returns what Create returns.
    virtual int CreateListPlayer();

    void OnMediaPosition(CKMediaPlayer* player) override;
    void OnMediaPaused(CKMediaPlayer* player) override;
    // Stops and closes the file, then posts the play-next step.
    void OnMediaEnd(CKMediaPlayer* player) override;

    // Appends a path (cut to KMAX_PATH - 1 characters); 1, or 0 for none or when memory ran out.
    int Enqueue(const wchar_t* path);
    int GetQueueCount() const { return queue.GetCount(); }
    // The play-next step: only while created and closed, takes the head path off the queue, opens
    // and plays it; when that fails, closes and posts the step again, so unplayable paths are
    // skipped until one plays or the queue is empty.
    void PlayNext();

private:
    static void PostedPlayNext(INT_PTR player, INT_PTR unused1, INT_PTR unused2);
    void PostPlayNext();

    CKListT<KQueuedPath> queue;    // owns its nodes; the records hold no pointers
};

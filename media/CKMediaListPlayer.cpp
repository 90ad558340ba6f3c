// CKMediaListPlayer: the queue and its play-next step, run as deferred calls on the UI thread.
#include "media/CKMediaListPlayer.h"

#include <windows.h>

K_IMPLEMENT_CLASS(CKMediaListPlayer, CKMediaPlayer)

void CKMediaListPlayer::Destroy()
{
    SetObserver(nullptr);
    CKMediaPlayer::Destroy();
}

int CKMediaListPlayer::CreateListPlayer()
{
    int created = Create(nullptr, 0);
    SetObserver(this);
    return created;
}

void CKMediaListPlayer::OnMediaPosition(CKMediaPlayer* /*player*/)
{
}

void CKMediaListPlayer::OnMediaPaused(CKMediaPlayer* /*player*/)
{
}

void CKMediaListPlayer::OnMediaEnd(CKMediaPlayer* /*player*/)
{
    Stop();
    Close();
    PostPlayNext();
}

int CKMediaListPlayer::Enqueue(const wchar_t* path)
{
    if (!path)
        return 0;
    KQueuedPath* item = queue.AddTail();
    if (!item)
        return 0;
    lstrcpynW(item->path, path, KMAX_PATH);
    return 1;
}

void CKMediaListPlayer::PlayNext()
{
    if (!GetGraph() || GetState() != KMEDIA_CLOSED)
        return;
    KQueuedPath* head = queue.GetHead();
    if (!head)
        return;
    wchar_t path[KMAX_PATH];
    lstrcpynW(path, head->path, KMAX_PATH);
    queue.RemoveHead(nullptr, nullptr);
    if (!Open(path) || !Play()) {
        Close();
        PostPlayNext();
    }
}

void CKMediaListPlayer::PostPlayNext()
{
    // Owned by the player: its destructor cancels the call, so it never reaches a deleted player.
    const CKMediaPlayer* owner = this;
    PostCall((INT_PTR)this, 0, 0, PostedPlayNext, 0, owner);
}

void CKMediaListPlayer::PostedPlayNext(INT_PTR player, INT_PTR /*unused1*/,
                                       INT_PTR /*unused2*/)
{
    reinterpret_cast<CKMediaListPlayer*>(player)->PlayNext();
}

// CLmPlayback: the playing list, row and record, the loop type, and the rules of list playback.
#include "app/CLmPlayback.h"

#include "app/CLmTransport.h"
#include "app/LmSettings.h"
#include "media/CKMediaPlayer.h"
#include "media/KPlayOrder.h"

CLmPlayback::~CLmPlayback()
{
    if (playingInfo)
        playingInfo->Release();
    if (resumeInfo)
        resumeInfo->Release();
}

void CLmPlayback::Connect(CLmTransport* newTransport, CLmPlaybackHost* newHost)
{
    transport = newTransport;
    host = newHost;
}

void CLmPlayback::Restore(CLmPlayList* list)
{
    // Play after a restart continues at the saved file, from the position kept in it.
    playingList = list;
    position.Set(LmSettings::GetPlayingFile());
    resumeMs = LmSettings::GetPlayingPosition();
    if (resumeMs > 0 && playingList && !resumeInfo) {
        resumeInfo = playingList->GetAt(position.PlayingRow());
        if (resumeInfo)
            resumeInfo->AddRef();
    }
}

// ---- The rules ----------------------------------------------------------------------------------

int CLmPlayback::PlayRow(int row)
{
    return Choose(CHOOSE_GIVEN, row);
}

int CLmPlayback::PlayNext()
{
    Stop();
    return Choose(CHOOSE_NEXT, -1);
}

int CLmPlayback::PlayPrevious()
{
    Stop();
    return Choose(CHOOSE_PREVIOUS, -1);
}

int CLmPlayback::Choose(int choice, int row)
{
    CLmPlayList* shown = host ? host->GetShownPlayList() : nullptr;
    const int count = shown ? shown->GetCount() : 0;
    if (count == 0) {
        if (host)
            host->ShowEmptyList();
        return 0;
    }
    const int shownIsPlaying = shown == playingList ? 1 : 0;
    int chosen = KROW_NONE;
    if (choice == CHOOSE_NEXT)
        chosen = KNextRow(count, position.NextFrom(), loopType, shownIsPlaying);
    else if (choice == CHOOSE_PREVIOUS)
        chosen = KPreviousRow(count, position.PreviousFrom(), loopType, shownIsPlaying);
    else
        chosen = KGivenRow(count, row, position.row, loopType, shownIsPlaying);
    if (!shownIsPlaying) {
        playingList = shown;
        position.Set(-1);
    }
    return chosen >= 0 ? StartRow(shown, chosen, choice == CHOOSE_GIVEN) : 0;
}

int CLmPlayback::StartRow(CLmPlayList* list, int row, bool mayResume)
{
    CLmMediaInfo* info = list->GetAt(row);
    if (!info || !transport)
        return 0;
    info->AddRef();
    if (playingInfo)
        playingInfo->Release();
    playingInfo = info;
    position.Set(row);
    host->ShowRowStarting(row);
    transport->Close();
    const bool opened = transport->Open(info->GetPath()) != 0;
    const int startMs = ResumePosition(opened ? info : nullptr, mayResume);
    if (startMs > 0)
        transport->SetPosition(startMs);
    if (!opened || !transport->Play()) {
        host->ShowStopped(false);
        host->ShowUnplayable();
        return 0;
    }
    host->ShowFileStarted(startMs);
    LmSettings::SetPlayingList(host->IndexOfPlayList(playingList));
    LmSettings::SetPlayingFile(row);
    LmSettings::SetPlayingPosition(startMs);
    LmSettings::SaveSettings();
    return 1;
}

int CLmPlayback::ResumePosition(const CLmMediaInfo* info, bool mayResume)
{
    CLmMediaInfo* kept = resumeInfo;
    const int keptMs = resumeMs;
    resumeInfo = nullptr;
    resumeMs = 0;
    if (!kept)
        return 0;
    const bool resumes = mayResume && info == kept && keptMs < transport->GetDuration()
                         && !LmSettings::IsWrittenSinceSettings(info->GetPath());
    kept->Release();
    return resumes ? keptMs : 0;
}

void CLmPlayback::KeepPosition()
{
    LmSettings::SetPlayingPosition(transport->GetPosition());
    LmSettings::SaveSettings();
}

void CLmPlayback::Stop()
{
    if (!transport)
        return;
    const int state = transport->GetState();
    if (state == KMEDIA_CLOSED || state == KMEDIA_STOPPED)
        return;
    transport->Stop();
    host->ShowStopped(true);
}

void CLmPlayback::TogglePlay()
{
    if (!transport)
        return;
    const int state = transport->GetState();
    if (state == KMEDIA_CLOSED)
        PlayRow(-1);
    else if (state == KMEDIA_PLAYING)
        Pause();
    else
        Resume();
}

void CLmPlayback::Pause()
{
    if (transport && transport->GetState() == KMEDIA_PLAYING) {
        transport->Pause();
        host->ShowPlaying(false);
        KeepPosition();
    }
}

void CLmPlayback::Resume()
{
    if (!transport)
        return;
    const int state = transport->GetState();
    if (state != KMEDIA_CLOSED && state != KMEDIA_PLAYING && transport->Play())
        host->ShowPlaying(true);
}

void CLmPlayback::StopAtStart()
{
    if (!transport || transport->GetState() == KMEDIA_CLOSED)
        return;
    transport->Pause();
    transport->SetPosition(0);
    host->ShowStopped(false);
    KeepPosition();
}

void CLmPlayback::BeginInterruption()
{
    if (!transport || transport->GetState() != KMEDIA_PLAYING)
        return;
    pausedByInterruption = true;
    Pause();
}

void CLmPlayback::EndInterruption()
{
    if (!pausedByInterruption)
        return;
    if (transport && transport->GetState() == KMEDIA_PAUSED)
        Resume();
    pausedByInterruption = false;
}

void CLmPlayback::SetLoopType(int type)
{
    loopType = type;
    LmSettings::SetLoopType(type);
    LmSettings::SaveSettings();
}

void CLmPlayback::KeepPositionAtExit()
{
    if (!transport || transport->GetState() == KMEDIA_CLOSED)
        return;
    const int state = transport->GetState();
    LmSettings::SetPlayingPosition(state == KMEDIA_PLAYING || state == KMEDIA_PAUSED
                           ? transport->GetPosition() : 0);
}

void CLmPlayback::ForgetPlayingRecord()
{
    if (playingInfo) {
        playingInfo->Release();
        playingInfo = nullptr;
    }
}

// ---- Rows that move under the playing file ------------------------------------------------------

void CLmPlayback::StorePlayingRow()
{
    LmSettings::SetPlayingFile(position.row);
    LmSettings::SaveSettings();
}

void CLmPlayback::OnRowRemoved(const CLmPlayList* list, int row)
{
    // Next, previous and a restart go on from the playing file, or from its row's neighbours when
    // that row itself went while the file plays on.
    if (list && list == playingList && position.RowRemoved(row))
        StorePlayingRow();
}

CLmMediaInfo* CLmPlayback::GetPlayingRecordIn(const CLmPlayList* list) const
{
    return list && list == playingList ? list->GetAt(position.PlayingRow()) : nullptr;
}

void CLmPlayback::OnPlayingRowMoved(int row)
{
    if (row == position.row)
        return;
    position.Set(row);
    StorePlayingRow();
}

void CLmPlayback::OnPlayListDeleted(bool playingDeleted)
{
    if (playingDeleted) {
        playingList = nullptr;
        position.Set(-1);
    }
    if (!host || (!playingList && !playingDeleted))
        return;
    LmSettings::SetPlayingList(host->IndexOfPlayList(playingList));
    LmSettings::SaveSettings();
}

void CLmPlayback::OnPlayListCleared()
{
    if (!host || host->GetShownPlayList() != playingList || position.row < 0)
        return;
    position.Set(-1);
    LmSettings::SetPlayingFile(-1);
    LmSettings::SaveSettings();
}

// ---- State --------------------------------------------------------------------------------------

int CLmPlayback::GetMarkedRow(const CLmPlayList* list) const
{
    return IsOpen() && list && list == playingList ? position.PlayingRow() : -1;
}

bool CLmPlayback::IsOpen() const
{
    return transport && transport->GetState() != KMEDIA_CLOSED;
}

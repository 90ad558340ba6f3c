// CLmPlayback: list playback, without a window: which playlist plays and where in it (the playing
// record and row), the loop type, and the rules that follow from them: the row play, next and
// previous choose (media/KPlayOrder.h), what the end of a file starts, where the first file of a
// run resumes, pauses around an interruption, and where the playing row goes when rows are
// removed, sorted, or their playlist deleted or cleared. What must survive a restart is kept in
// "Settings.ini" as it changes. It drives the player through a CLmTransport and tells the page
// what to show through a CLmPlaybackHost; the player page owns one and connects both.
//
// Ownership: the transport and the host are borrowed; the playing record is counted (it outlives
// its removal from a playlist), and so is the record a restart may resume (compared by identity,
// kept from being freed and its address reused); the playing playlist is only compared by
// identity.
#pragma once
#include "app/CLmPlayList.h"
#include "media/KPlayPosition.h"

class CLmTransport;

// What list playback needs of the page that shows it.
class CLmPlaybackHost
{
public:
    // The playlist shown, whose rows play (none: nothing can play).
    virtual CLmPlayList* GetShownPlayList() const = 0;
    // Where `list` stands in the collection (kept in the settings); -1 when it is not in it.
    virtual int IndexOfPlayList(const CLmPlayList* list) const = 0;
    // Row `row` of the shown list is about to play: it is selected and marked as the playing row.
    virtual void ShowRowStarting(int row) = 0;
    // The playing record's file started `startMs` into it.
    virtual void ShowFileStarted(int startMs) = 0;
    // Nothing plays on: the play icon, 0:00. With `unselectRow` the row selection goes too.
    virtual void ShowStopped(bool unselectRow) = 0;
    // The file was paused (false) or resumes (true).
    virtual void ShowPlaying(bool playing) = 0;
    // Tells the user why nothing plays: the shown list is empty, or the chosen file could not be
    // opened or played.
    virtual void ShowEmptyList() = 0;
    virtual void ShowUnplayable() = 0;

protected:
    // Hosts are pages: never deleted through this interface.
    ~CLmPlaybackHost() = default;
};

class CLmPlayback
{
public:
    CLmPlayback() = default;
    // Lets go of the playing record and of the record a restart may resume.
    ~CLmPlayback();

    // The player (none: nothing plays) and the page, both borrowed.
    void Connect(CLmTransport* newTransport, CLmPlaybackHost* newHost);
    // Where the last run left off: `list` (the stored playing list, none when gone) and the
    // stored row and position, so that the first play of this run goes on from there.
    void Restore(CLmPlayList* list);

    // ---- The rules ----
    // Plays `row` of the shown list, or with -1 the playing row (a fresh list: its first row, or
    // a random one when shuffling). 0 when nothing plays.
    int PlayRow(int row);
    // Stop, then the next or previous row by the loop type; 0 when nothing plays.
    int PlayNext();
    int PlayPrevious();
    // Stops a file that is open and not stopped; the page shows nothing playing, no row selected.
    void Stop();
    // Closed: PlayRow(-1); playing: pause; otherwise resume.
    void TogglePlay();
    // The player pauses (playing only) or resumes (not closed, not playing). A pause keeps the
    // position in "Settings.ini", so a restart can go on from there.
    void Pause();
    void Resume();
    // Stop as a media key means it: the open file pauses at its start (0:00), kept as the
    // position; play goes on from there. Nothing when no file is open.
    void StopAtStart();
    // An interruption begins: a playing file pauses and is remembered as paused by it.
    void BeginInterruption();
    // The interruption ends: a file it paused resumes when it is still paused.
    void EndInterruption();
    // The loop type, stored in the settings (written).
    void SetLoopType(int type);
    // At exit: the position in the open file is kept for the next run; a stopped file starts
    // again at 0. A run that never opened a file leaves the kept position to the next one.
    void KeepPositionAtExit();
    // The playing record is let go (the player is gone).
    void ForgetPlayingRecord();

    // ---- Rows that move under the playing file ----
    // Row `row` of `list` is removed: the position follows (media/KPlayPosition.h), stored when
    // it moved.
    void OnRowRemoved(const CLmPlayList* list, int row);
    // The record at the playing row of `list`, none when `list` does not play or its playing row
    // is gone; taken before a sort, so that OnPlayingRowMoved can follow it.
    CLmMediaInfo* GetPlayingRecordIn(const CLmPlayList* list) const;
    // After a sort the playing record stands at `row`: the position follows, stored.
    void OnPlayingRowMoved(int row);
    // After a playlist was deleted: the playing list is forgotten when it was the deleted one
    // (the file plays on, but next starts the shown list afresh), and the stored index of the
    // playing list follows the shift, so that a restart finds the same list.
    void OnPlayListDeleted(bool playingDeleted);
    // After the shown playlist was cleared: when it is the playing list its playing row is gone
    // (the file plays on), so next and play start the list afresh, now and after a restart.
    void OnPlayListCleared();

    // ---- State ----
    int GetLoopType() const { return loopType; }
    CLmMediaInfo* GetPlayingInfo() const { return playingInfo; }
    CLmPlayList* GetPlayingList() const { return playingList; }
    // The playing file's row, -1 when its row was removed or nothing played in the list.
    int GetPlayingIndex() const { return position.PlayingRow(); }
    // The row of `list` to mark as playing: the playing row while its file is open (not a row
    // stored by the last run), else -1.
    int GetMarkedRow(const CLmPlayList* list) const;
    bool IsPausedByInterruption() const { return pausedByInterruption; }
    // A file is open (whatever its state).
    bool IsOpen() const;

private:
    // Which choice a step of the rules makes.
    enum KChoice
    {
        CHOOSE_GIVEN = 0,      // the given row (or the playing one)
        CHOOSE_NEXT = 1,
        CHOOSE_PREVIOUS = 2,
    };

    // The rule's row in the list shown (the shown playlist becoming the playing one), then
    // StartRow; an empty list is told. 0 when nothing plays.
    int Choose(int choice, int row);
    // The row's record becomes the playing one and its file is played; when it cannot be, the
    // page shows nothing playing and tells it, else the settings "PlayingList",
    // "PlayingFile" and "PlayingPosition" follow. With `mayResume` the file starts where the last
    // run left it (ResumePosition).
    int StartRow(CLmPlayList* list, int row, bool mayResume);
    // Where the file of `info`, just opened, starts: the position kept by the last run when this
    // is the first file started in this run, it is the record that was playing then, the choice
    // may resume, the position lies inside the file and the file was not written since. 0
    // otherwise. Only the first start of a run asks: the kept position is forgotten here.
    int ResumePosition(const CLmMediaInfo* info, bool mayResume);
    // "PlayingPosition" is the open file's position, and "Settings.ini" is written.
    void KeepPosition();
    // The playing row is stored as "PlayingFile", and "Settings.ini" is written.
    void StorePlayingRow();

    CLmTransport* transport = nullptr;      // borrowed: the page's player
    CLmPlaybackHost* host = nullptr;        // borrowed: the page
    CLmMediaInfo* playingInfo = nullptr;    // counted: the playing file's record
    CLmMediaInfo* resumeInfo = nullptr;     // counted: the record the last run left off in
    int resumeMs = 0;                       // where in it, until the first start of the run
    CLmPlayList* playingList = nullptr;     // borrowed: compared by identity only
    KPlayPosition position;                 // in the playing list (media/KPlayPosition.h)
    int loopType = 0;
    bool pausedByInterruption = false;
};

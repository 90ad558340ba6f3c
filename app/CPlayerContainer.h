// CPlayerContainer: the player page's content: the playing list, the playing file's title, its
// elapsed and total time with the progress slider, and the five buttons. It owns the program's
// one media player, observes it, and plays the selected playlist by the list rules of
// media/KPlayOrder.h; it reads the listed files' tags and durations in the background and offers
// the operations with which the browse page and the playlist panel change the list.
//
// Ownership: the ten children are members (uncounted windows); the media player is owned (created
// at OnCreate, destroyed at OnDestroy); the playlist control is counted (the panel creates it);
// the playing record is counted (it outlives its removal from a playlist), and so is the record a
// restart may resume (compared by identity, kept from being freed and its address reused); the
// playing playlist is only compared by identity; image lists are borrowed from the image cache.
#pragma once
#include "app/CLmPlayList.h"
#include "app/CMediaListBox.h"
#include "app/LmIds.h"
#include "app/LmStringIds.h"
#include "controls/CKButton.h"
#include "controls/CKLabel.h"
#include "controls/CKSlider.h"
#include "media/CKMediaObserver.h"
#include "media/CKTagReader.h"
#include "media/KPlayPosition.h"
#include "ui/CKContainer.h"

class CKMediaPlayer;
class CLmPlayListCtrl;

// Cells of "PlayImgList.png"; each normal cell is followed by its pressed cell.
constexpr int LMCELL_PLAY = 0;
constexpr int LMCELL_PAUSE = 2;
constexpr int LMCELL_PREVIOUS = 4;
constexpr int LMCELL_NEXT = 6;
constexpr int LMCELL_ADD_FILES = 8;
constexpr int LMCELL_LOOP = 10;            // loop type t shows LMCELL_LOOP + 2t

// How far the seek keys (and the slider's arrow keys) move in the playing file, in seconds.
constexpr int LMSEEK_STEP_SECONDS = 5;

// Delays of the duration probe, in milliseconds.
constexpr int LMPROBE_AFTER_RELOAD_MS = 100;
constexpr int LMPROBE_STEP_MS = 10;
// A probe step reads files by their tags until it has taken this long (the window handles input
// between steps); a file that needs a media graph is the last one of its step.
constexpr int LMPROBE_STEP_BUDGET_MS = 20;

class CPlayerContainer : public CKContainer, public CKMediaObserver
{
    K_DECLARE_CLASS(CPlayerContainer)
public:
    // The player page's container (page 3000), none before the pages exist.
    static CPlayerContainer* FromPlayerPage();

    CPlayerContainer();
    // Lets go of the playing record and the playlist control.
    ~CPlayerContainer() override;

    // ---- Window operations ----
    // The drawables and image lists, the buttons' icons, every child initialised, the saved
    // playing playlist and file, then ReloadList.
    void Initialize(unsigned int style) override;
    // The ten children, the slider's steps, "0:00" in both time labels, the media player, the
    // loop type from the settings, and the title.
    int OnCreate() override;
    // The media player goes (observer and notify window cleared first), then the base.
    void OnDestroy() override;
    // Button bar at the bottom, progress area above it, the list in the rest.
    void OnSize() override;
    // The progress area's and the button bar's backgrounds.
    void OnPaint(CKCanvas* canvas) override;
    // The buttons, the slider's seeking, double presses and swipe removals of the list.
    int OnNotify(int id, int code, INT_PTR param) override;
    // The title's menu button (3001) opens or closes the drawer.
    int OnCommand(int command) override;
    // The back action on the player page ends the program.
    int OnBack() override;

    // ---- Media observer ----
    // While playing: the elapsed label and the slider follow the whole second.
    void OnMediaPosition(CKMediaPlayer* player) override;
    // A pause shows the play icon.
    void OnMediaPaused(CKMediaPlayer* player) override;
    // Stop, then the next row by the loop type.
    void OnMediaEnd(CKMediaPlayer* player) override;
    // KMEDIA_CMD_*: resume, pause, toggle, previous, next, stop.
    void OnMediaCommand(INT_PTR a, int command, INT_PTR b) override;

    // ---- The list and the playlists ----
    // Held with one reference; set by the view before Initialize.
    void SetPlayListCtrl(CLmPlayListCtrl* ctrl);
    CLmPlayListCtrl* GetPlayListCtrl() const { return playListCtrl; }
    CMediaListBox* GetListBox() { return &listBox; }
    // One row per record of the selected playlist (updates off meanwhile), the playing row
    // marked while its file is open, then the duration probe 100 ms later.
    void ReloadList();
    // The view's title shows the selected playlist's name.
    void RefreshTitle();
    // Updates of the playing list off while files are added.
    void BeginAddFiles();
    // Appends the file to the selected playlist and a row for it, unless a row shows the same
    // path already (which still succeeds). 0 when there is no selected playlist, memory ran out,
    // or "PlayList.txt" could not keep the file's record (CanListPath, which tells why).
    int AddFile(const wchar_t* path);
    // Updates on; with `save` the playlists are written; the duration probe starts 10 ms later.
    void EndAddFiles(int save);
    // A new playlist named `name` (numbered when the name is taken, "Rock (2)") holding the
    // `count` files in the order given (no duplicate test; files CanListPath refuses are left
    // out), then the playlists are written. None when no file is left or it could not be made.
    CLmPlayList* AddDirectoryAsPlayList(const wchar_t* name, const wchar_t* const* paths,
                                        int count);
    // `list` becomes the selected playlist (stored in the settings) and the page shows it: its
    // rows and its name in the title. Nothing for a list not in the collection or selected already.
    void ShowPlayList(CLmPlayList* list);
    // The rows sorted by file name or by artist, ascending or descending, the selected
    // playlist's slots rewritten in the new row order, and the playlists written.
    void SortPlayList(int byArtist, int descending);
    // After a playlist was deleted: the playing list is forgotten when it was the deleted one
    // (the file plays on, but next starts the selected list afresh), and the stored position of
    // the playing list follows the shift, so that a restart finds the same list.
    void OnPlayListDeleted(bool playingDeleted);
    // After the selected playlist was cleared: when it is the playing list its playing row is gone
    // (the file plays on), so next and play start the list afresh, now and after a restart.
    void OnPlayListCleared();

    // ---- Playback (the list rules) ----
    // Plays `row`, or with -1 the playing row of the list shown (a fresh list: its first row, or
    // a random one when shuffling). 0 when nothing plays.
    int PlayRow(int row);
    // Stop, then the next or previous row by the loop type; 0 when nothing plays.
    int PlayNext();
    int PlayPrevious();
    // Stops a file that is open and not stopped: the play icon, the elapsed time and the progress
    // at 0, no row selected.
    void StopPlayback();
    // Closed: PlayRow(-1); playing: pause; otherwise resume. The play button's action.
    void TogglePlay();
    // Seeks the open file `seconds` from the whole second it is at (negative: back), within the
    // file, and shows the new position; nothing while no file is open.
    void SeekBy(int seconds);
    // The selected row leaves the list as a swipe removes it (the playlist follows and is
    // written); 0 when no row is selected.
    int RemoveSelectedRow();
    // The player pauses (playing only) or resumes (not closed, not playing), with the icon. A
    // pause keeps the position in "Settings.ini", so a restart can go on from there.
    void PausePlayback();
    void ResumePlayback();
    // Stop as a media key means it: the open file pauses at its start (0:00), kept as the
    // position; play goes on from there. Nothing when no file is open.
    void StopAtStart();
    // The loop button's icon, the setting, and the settings file.
    void ApplyLoopType(int type);
    int GetLoopType() const { return loopType; }

    // An interruption begins: a playing file pauses and is remembered as paused by it.
    void BeginInterruption();
    // The interruption ends: a file it paused resumes when it is still paused.
    void EndInterruption();
    bool IsPausedByInterruption() const { return pausedByInterruption; }

    // ---- State for the page and its tests ----
    CKMediaPlayer* GetPlayer() const { return player; }
    CLmMediaInfo* GetPlayingInfo() const { return playingInfo; }
    CLmPlayList* GetPlayingList() const { return playingList; }
    // The playing file's row, -1 when its row was removed or nothing played in the list.
    int GetPlayingIndex() const { return position.PlayingRow(); }
    CKButton* GetPlayButton() { return &playButton; }
    CKButton* GetLoopButton() { return &loopButton; }
    CKLabel* GetTotalLabel() { return &totalLabel; }
    CKLabel* GetElapsedLabel() { return &elapsedLabel; }
    CKLabel* GetTitleLabel() { return &titleLabel; }
    CKSlider* GetSlider() { return &slider; }
    const RECT& GetButtonBarRect() const { return buttonBarRect; }
    const RECT& GetProgressRect() const { return progressRect; }
    const RECT& GetListRect() const { return listRect; }

private:
    // Which choice a step of the list rules makes.
    enum KChoice
    {
        CHOOSE_GIVEN = 0,      // the given row (or the playing one)
        CHOOSE_NEXT = 1,
        CHOOSE_PREVIOUS = 2,
    };

    CLmPlayList* GetSelectedPlayList() const;
    // Whether "PlayList.txt" can keep the record of a file added at `path`; when it cannot (the
    // line would be too long for the reader, or the path holds a unit that would cut it), a toast
    // says why and the file is not added.
    static int CanListPath(const wchar_t* path);
    // The rule's row in the list shown (the selected playlist becoming the playing one), then
    // StartRow; toast 3040 for an empty list. 0 when nothing plays.
    int Choose(int choice, int row);
    // The row's record becomes the playing one and its file is played; when it cannot be, the
    // page shows nothing playing and toast 3039, else the labels and the settings "PlayingList",
    // "PlayingFile" and "PlayingPosition" follow. With `mayResume` the file starts where the last
    // run left it (ResumePosition).
    int StartRow(int row, bool mayResume);
    // Where the file of `info`, just opened, starts: the position kept by the last run when this
    // is the first file started in this run, it is the record that was playing then, the choice
    // may resume, the position lies inside the file and the file was not written since. 0
    // otherwise. Only the first start of a run asks: the kept position is forgotten here.
    int ResumePosition(const CLmMediaInfo* info, bool mayResume);
    // "PlayingPosition" is the open file's position, and "Settings.ini" is written.
    void KeepPosition();
    // Labels, slider and play icon for the file that just started.
    void ShowStartedFile();
    // Nothing plays: the play icon, and the elapsed label and the slider back at 0 together.
    void ShowStopped();
    // The play/pause button shows cell `cell` (pressed: the next cell).
    void SetPlayIcon(int cell);
    // The elapsed label and the slider show whole second `second`.
    void ShowSecond(int second);
    // Seeks the open file to whole second `second` and shows it at once: while paused no position
    // tick would move the thumb, which would otherwise spring back to where the drag began.
    void SeekToSecond(int second);
    // Posts a probe step `delayMs` later unless one is waiting already.
    void PostProbe(int continuation, int delayMs);
    // Reads rows that need it (NeedsProbe), first to last, for up to LMPROBE_STEP_BUDGET_MS; posts
    // the next step, or, after the last row, saves the playlists when a step changed a record.
    void ProbeStep(int continuation);
    // The first row from `from` on that needs the probe; the row count when none.
    int FindRowToProbe(int from) const;
    // A row needs the probe when it was never measured, or when it was measured before tags were
    // read (length known, no artist or album, the title still the file's base name) and its tags
    // have not been read in this run.
    static bool NeedsProbe(const CLmMediaInfo* info);
    // Reads one row's tags and length; a length the tags do not give is measured with a media
    // graph unless the file is no audio. Returns whether the record changed; `usedGraph` tells
    // whether a graph was built.
    bool ProbeRow(CLmMediaInfo* info, bool* usedGraph);
    static void ProbeCall(INT_PTR container, INT_PTR continuation, INT_PTR unused);
    // 1 when `container` still exists (a posted probe may outlive it).
    static int IsAlive(const CPlayerContainer* container);
    // Gives the children their "Lm" drawables.
    void InitButton(CKButton& button, const char* fallbackFace, int cell);
    void InitLabel(CKLabel& label, const char* textDrawable);

    // Children, in the order they are created.
    CMediaListBox listBox;
    CKButton playButton;
    CKButton previousButton;
    CKButton nextButton;
    CKButton addButton;
    CKButton loopButton;
    CKLabel totalLabel;
    CKLabel elapsedLabel;
    CKLabel titleLabel;
    CKSlider slider;

    CLmPlayListCtrl* playListCtrl = nullptr;   // counted: the panel's playlist control
    RECT buttonBarRect = {0, 0, 0, 0};
    RECT progressRect = {0, 0, 0, 0};
    RECT listRect = {0, 0, 0, 0};
    CKMediaPlayer* player = nullptr;           // owned: exists between OnCreate and OnDestroy
    CKTagReader tagReader;                     // the probe's reader of tags and lengths
    CLmMediaInfo* playingInfo = nullptr;       // counted: the playing file's record
    CLmMediaInfo* resumeInfo = nullptr;        // counted: the record the last run left off in
    int resumeMs = 0;                          // where in it, until the first start of the run
    CLmPlayList* playingList = nullptr;        // borrowed: compared by identity only
    KPlayPosition position;                    // in the playing list (media/KPlayPosition.h)
    int lastSecond = 0;                        // the elapsed second shown
    int loopType = 0;
    bool pausedByInterruption = false;
    bool probePending = false;                 // a probe step is posted and has not run
    int probeFrom = 0;                         // where the search for the next row to probe goes on
    CKImgList* buttonImages = nullptr;         // borrowed from the image cache: "PlayImgList.png"
    CKImgList* fileIcons = nullptr;            // borrowed from the image cache: "res/FileIcon.png"
    CKFaceDrawable* buttonBarBkgnd = nullptr;  // counted: "LmPlayButtonBkgnd"
    CKFaceDrawable* progressBkgnd = nullptr;   // counted: "LmPlayProgressBkgnd"
    CPlayerContainer* nextAlive = nullptr;     // borrowed: the next live container

    static CPlayerContainer* firstAlive;       // head of the chain of live containers
};

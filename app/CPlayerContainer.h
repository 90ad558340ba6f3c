// CPlayerContainer: the player page's content: the playing list, the playing file's title, its
// elapsed and total time with the progress slider, and the five buttons. It owns the program's
// one media player and observes it; it shows and wires what its two window-free parts decide: the
// list playback (app/CLmPlayback.h: what plays, by the list rules) and the probe of the listed
// files' tags and durations (app/CLmProbeQueue.h). It offers the operations with which the browse
// page (as its file receiver) and the playlist panel change the list.
//
// Ownership: the ten children are members (uncounted windows); the media player is owned (created
// at OnCreate, destroyed at OnDestroy) and so is its transport; the playback and the probe queue
// are members; the playlist control is counted (the panel creates it); image lists are borrowed
// from the image cache.
#pragma once
#include "app/CLmFileReceiver.h"
#include "app/CLmPlayList.h"
#include "app/CLmPlayback.h"
#include "app/CLmProbeQueue.h"
#include "app/CLmTransport.h"
#include "app/CMediaListBox.h"
#include "app/LmIds.h"
#include "app/LmStringIds.h"
#include "controls/CKButton.h"
#include "controls/CKLabel.h"
#include "controls/CKSlider.h"
#include "media/CKMediaObserver.h"
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

class CPlayerContainer : public CKContainer,
                         public CKMediaObserver,
                         public CLmFileReceiver,
                         public CLmPlaybackHost,
                         public CLmProbeHost
{
    K_DECLARE_CLASS(CPlayerContainer)
public:
    // The player page's container (page 3000), none before the pages exist.
    static CPlayerContainer* FromPlayerPage();

    // Connects the probe queue to the page.
    CPlayerContainer();
    // Lets go of the playlist control and the drawables.
    ~CPlayerContainer() override;

    // ---- Window operations ----
    // The drawables and image lists, the buttons' icons, every child initialised, the saved
    // playing playlist and file restored to the playback, then ReloadList.
    void Initialize(unsigned int style) override;
    // The ten children, the slider's steps, "0:00" in both time labels, the media player
    // connected to the playback, the loop type from the settings, and the title.
    int OnCreate() override;
    // The position is kept for the next run, the media player goes (observer and notify window
    // cleared first, the playback let go of it), then the base.
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

    // ---- The list and the playlists (the browse page's file receiver) ----
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
    void BeginAddFiles() override;
    // Appends the file to the selected playlist and a row for it, unless a row shows the same
    // path already (which still succeeds). 0 when there is no selected playlist, memory ran out,
    // or "PlayList.txt" could not keep the file's record (CanListPath, which tells why).
    int AddFile(const wchar_t* path) override;
    // Updates on; with `save` the playlists are written; the duration probe starts 10 ms later.
    void EndAddFiles(int save) override;
    // A new playlist named `name` (numbered when the name is taken, "Rock (2)") holding the
    // `count` files in the order given (no duplicate test; files CanListPath refuses are left
    // out), then the playlists are written. None when no file is left or it could not be made.
    CLmPlayList* AddDirectoryAsPlayList(const wchar_t* name, const wchar_t* const* paths,
                                        int count) override;
    // `list` becomes the selected playlist (stored in the settings) and the page shows it: its
    // rows and its name in the title. Nothing for a list not in the collection or selected already.
    void ShowPlayList(CLmPlayList* list) override;
    // The rows sorted by file name or by artist, ascending or descending, the selected
    // playlist's slots rewritten in the new row order, and the playlists written.
    void SortPlayList(int byArtist, int descending);
    // After a playlist was deleted, or the selected one cleared (CLmPlayback's rules).
    void OnPlayListDeleted(bool playingDeleted) { playback.OnPlayListDeleted(playingDeleted); }
    void OnPlayListCleared() { playback.OnPlayListCleared(); }

    // ---- Playback (the list rules of app/CLmPlayback.h, shown on the page) ----
    int PlayRow(int row) { return playback.PlayRow(row); }
    int PlayNext() { return playback.PlayNext(); }
    int PlayPrevious() { return playback.PlayPrevious(); }
    void StopPlayback() { playback.Stop(); }
    // The play button's action.
    void TogglePlay() { playback.TogglePlay(); }
    void PausePlayback() { playback.Pause(); }
    void ResumePlayback() { playback.Resume(); }
    void StopAtStart() { playback.StopAtStart(); }
    void BeginInterruption() { playback.BeginInterruption(); }
    void EndInterruption() { playback.EndInterruption(); }
    bool IsPausedByInterruption() const { return playback.IsPausedByInterruption(); }
    // Seeks the open file `seconds` from the whole second it is at (negative: back), within the
    // file, and shows the new position; nothing while no file is open.
    void SeekBy(int seconds);
    // The selected row leaves the list as a swipe removes it (the playlist follows and is
    // written); 0 when no row is selected.
    int RemoveSelectedRow();
    // The loop button's icon, the setting, and the settings file.
    void ApplyLoopType(int type);
    int GetLoopType() const { return playback.GetLoopType(); }

    // ---- State for the page and its tests ----
    CKMediaPlayer* GetPlayer() const { return player; }
    CLmMediaInfo* GetPlayingInfo() const { return playback.GetPlayingInfo(); }
    CLmPlayList* GetPlayingList() const { return playback.GetPlayingList(); }
    // The playing file's row, -1 when its row was removed or nothing played in the list.
    int GetPlayingIndex() const { return playback.GetPlayingIndex(); }
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
    // ---- The playback's host ----
    CLmPlayList* GetShownPlayList() const override { return GetSelectedPlayList(); }
    int IndexOfPlayList(const CLmPlayList* list) const override;
    void ShowRowStarting(int row) override;
    // Labels, slider and play icon for the file that just started.
    void ShowFileStarted(int startMs) override;
    // The play icon, and the elapsed label and the slider back at 0 together.
    void ShowStopped(bool unselectRow) override;
    void ShowPlaying(bool playing) override;
    // Toasts 3040 and 3039.
    void ShowEmptyList() override;
    void ShowUnplayable() override;

    // ---- The probe's host ----
    bool CanProbe() const override;
    int GetProbeRowCount() const override { return listBox.GetCount(); }
    CLmMediaInfo* GetProbeRow(int row) const override { return listBox.GetRecord(row); }
    int MeasureDuration(const wchar_t* path, CLmMediaInfo* info) override;
    // The row's texts, and the title label when it is the playing record.
    void OnRowProbed(int row, CLmMediaInfo* info) override;
    void OnProbeChangedRecords() override;

    CLmPlayList* GetSelectedPlayList() const;
    // Whether "PlayList.txt" can keep the record of a file added at `path`; when it cannot (the
    // line would be too long for the reader, or the path holds a unit that would cut it), a toast
    // says why and the file is not added.
    static int CanListPath(const wchar_t* path);
    // The play/pause button shows cell `cell` (pressed: the next cell).
    void SetPlayIcon(int cell);
    // The elapsed label and the slider show whole second `second`.
    void ShowSecond(int second);
    // Seeks the open file to whole second `second` and shows it at once: while paused no position
    // tick would move the thumb, which would otherwise spring back to where the drag began.
    void SeekToSecond(int second);
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
    CLmPlayerTransport* transport = nullptr;   // owned: the player's, while the player exists
    CLmPlayback playback;                      // what plays, by the list rules
    CLmProbeQueue probe;                       // the probe of the rows' tags and durations
    int lastSecond = 0;                        // the elapsed second shown
    CKImgList* buttonImages = nullptr;         // borrowed from the image cache: "PlayImgList.png"
    CKImgList* fileIcons = nullptr;            // borrowed from the image cache: "res/FileIcon.png"
    CKFaceDrawable* buttonBarBkgnd = nullptr;  // counted: "LmPlayButtonBkgnd"
    CKFaceDrawable* progressBkgnd = nullptr;   // counted: "LmPlayProgressBkgnd"
};

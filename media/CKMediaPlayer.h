// Plays one audio file at a time through the platform's media graph service (DirectShow): open,
// play, pause, stop, seek, duration and position in milliseconds, a 600 ms position tick while
// playing and a notification 50 ms after the end of the file, sent to an observer or a window.
//
// Life cycle: Create (COM once per process, the graph record) -> Open (a new graph per file, state
// open) -> Play/Pause/Stop/SetPosition -> Close (graph released, state closed) -> ... -> Destroy.
// Open is refused unless the player is closed, so every new file is preceded by Close. All calls
// and events run on the UI thread: events come through a message-only window, ticks through
// thread timers, the end notification through a deferred call.
#pragma once
#include <windows.h>

#include "foundation/CKObject.h"
#include "ui/KTimer.h"

class CKMediaObserver;
class CKMediaInfo;
class CKWindow;
struct IGraphBuilder;
struct IMediaControl;
struct IMediaEventEx;
struct IMediaSeeking;
struct IBasicAudio;
struct IMediaPropertyBag;

// Player states (GetState).
constexpr int KMEDIA_CLOSED = 0;    // no file open
constexpr int KMEDIA_OPEN = 1;      // a file is open and has not been played
constexpr int KMEDIA_PLAYING = 2;   // running (also after the end of the file until the owner reacts)
constexpr int KMEDIA_PAUSED = 3;    // paused by Pause
constexpr int KMEDIA_STOPPED = 4;   // stopped by Stop

// Option bits of Create.
constexpr int KMEDIA_OPT_REPEAT = 0x2;   // at the end of the file, start it again from the beginning

// Event codes sent to the owner: OnNotify(id, code, player) of the notify window.
constexpr int KMEDIA_NOTIFY_POSITION = 257;   // position tick, every 600 ms while playing
constexpr int KMEDIA_NOTIFY_PAUSED = 258;     // paused on its own (never raised by this player)
constexpr int KMEDIA_NOTIFY_END = 259;        // the end of the file was reached

// Message the media event interface posts to the notify window; lParam is the player.
constexpr UINT KWM_MEDIAEVENT = 1044;
// Period of the position tick in milliseconds.
constexpr int KMEDIA_TICK_MS = 600;
// Delay between the end of the stream and the end notification, in milliseconds.
constexpr int KMEDIA_END_DELAY_MS = 50;

// Graph record flag bits.
constexpr int KMEDIA_END_REACHED = 0x1;   // the end was reported since the last Open or Play

// The interfaces of one playback graph and what the player keeps beside them. Zero-filled when
// created; every interface pointer holds one COM reference, released by Close.
struct KMediaGraph
{
    IGraphBuilder* builder;          // counted
    IMediaControl* control;          // counted
    IMediaEventEx* events;           // counted
    IMediaSeeking* seeking;          // counted
    IBasicAudio* audio;              // counted; obtained and never used (no volume control)
    IMediaPropertyBag* propertyBag;  // counted; stays none where the service lacks it
    HWND notifyWnd;                  // message-only "KMediaWndClass" window, created by Open
    int flags;                       // KMEDIA_END_REACHED
    KTimerItem* positionTimer;       // the running 600 ms tick, none when not ticking
};

class CKMediaPlayer : public CKObject
{
    K_DECLARE_CLASS(CKMediaPlayer)
public:
    CKMediaPlayer();
    // Destroys the graph record if Destroy was not called and cancels the calls posted for the
    // player, so no tick, event or deferred call outlives it.
    ~CKMediaPlayer() override;

    // Initialises COM once per process and allocates the graph record; `param` is kept unused,
    // `options` takes KMEDIA_OPT_* bits. Returns 1, or 0 when the record cannot be allocated.
    virtual int Create(void* param, int options);
    // Closes the file and frees the graph record.
    virtual void Destroy();
    // Builds a graph for the file; a path that is not absolute (CKFile::IsAbsolute) is taken
    // relative to ModuleDir, and the file is opened in the form MakeOpenPath gives
    // (foundation/KOpenPath.h), so a file named like a device ("COM1.wav") plays instead of the
    // device being opened. 1 on success (state open); 0 when not closed, for a device name
    // MakeOpenPath refuses, when the file has no audio signature (CKTagReader::IsAudioFile:
    // refused without a graph) or cannot be played, and then the player is closed.
    virtual int Open(const wchar_t* path);
    // Stops, releases the graph and destroys the notify window; the state becomes closed.
    virtual void Close();
    // Starts or resumes and starts the position tick; 0 when closed or the graph refuses to run.
    virtual int Play();
    // Pauses a playing file; 0 when closed, else 1 (a file that is not playing is left alone).
    virtual int Pause();
    // Stops a playing or paused file; 0 when closed, else 1.
    virtual int Stop();
    // Seeks to `ms` milliseconds from the start; 0 when closed, else 1 whatever the service says.
    virtual int SetPosition(int ms);
    // The graph reported the end of the stream: repeats the file, or posts the end notification.
    virtual void OnComplete();
    // Kept for the fixed order of the virtual slots; takes nothing and does nothing.
    virtual void Reserved();
    // Length of the open file in ms (0 when the service cannot tell); -1 when closed.
    virtual int GetDuration();
    // Current position in ms (0 when the service cannot tell); -1 when closed.
    virtual int GetPosition();

    // Where events go: the observer when set, else OnNotify(id, code, player) of the window.
    void SetObserver(CKMediaObserver* newObserver) { observer = newObserver; }
    void SetNotifyWindow(CKWindow* window, int id);
    int GetState() const { return state; }
    // Measures a file's length into info's duration with a temporary graph, leaving the open file
    // alone. The path must exist (CKFile::Exists: a relative path names a loose file under
    // AppResDir, and that file is the one measured). It is opened as given: a caller passes the
    // form MakeOpenPath gives, as the duration probe does for every reader it asks. 1 on
    // success, else 0.
    int ProbeDuration(const wchar_t* path, CKMediaInfo* info);

protected:
    KMediaGraph* GetGraph() const { return graph; }

private:
    // Sends one event code to the observer or the notify window.
    void Notify(int code);
    void StopPositionTimer();
    // Takes every waiting event from the graph; the end of the stream calls OnComplete.
    void DrainEvents();

    static void PositionTick(INT_PTR player);
    static void PostedNotify(INT_PTR player, INT_PTR code, INT_PTR unused);
    static LRESULT CALLBACK NotifyWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    KMediaGraph* graph;             // owned; exists between Create and Destroy
    int options;                    // KMEDIA_OPT_* bits
    int state;                      // KMEDIA_CLOSED ... KMEDIA_STOPPED
    void* createParam;              // borrowed; the first argument of Create, kept unused
    CKMediaObserver* observer;      // borrowed
    CKWindow* notifyWindow;         // borrowed
    int notifyId;                   // id given to the notify window's OnNotify
};

// Library shut-down step: uninitialises COM when a player initialised it.
void KTermMediaPlayer();

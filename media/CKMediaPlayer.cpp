// CKMediaPlayer over the DirectShow filter graph. Every call into the service checks that the
// interface exists and treats a failed result as the operation failing; nothing here throws.
#include "media/CKMediaPlayer.h"

#include "foundation/CKFile.h"
#include "foundation/KMemory.h"
#include "foundation/KOpenPath.h"
#include "foundation/KPaths.h"
#include "foundation/KResource.h"
#include "media/CKMediaInfo.h"
#include "media/CKMediaObserver.h"
#include "media/CKTagReader.h"
#include "ui/CKWindow.h"

// Last: it brings windowsx.h, whose macros (GetFirstChild, GetNextSibling, ...) would rename
// members of the library's headers included after it.
#include <dshow.h>

K_IMPLEMENT_CLASS(CKMediaPlayer, CKObject)

namespace {
const wchar_t MEDIA_WND_CLASS[] = L"KMediaWndClass";
// The service counts time in 100-ns units.
constexpr LONGLONG UNITS_PER_MS = 10000;
// 1 once a player's CoInitializeEx succeeded; KTermMediaPlayer balances it.
int g_comInitialised = 0;

template <class T>
void ReleaseInterface(T*& slot)
{
    if (slot) {
        slot->Release();
        slot = nullptr;
    }
}

// Asks the graph builder for one more interface; a refusal leaves the slot empty.
template <class T>
void QueryGraph(IGraphBuilder* builder, REFIID iid, T*& slot)
{
    if (FAILED(builder->QueryInterface(iid, reinterpret_cast<void**>(&slot))))
        slot = nullptr;
}

// Creates a filter graph and fills the record's six interfaces; 0 when the graph builder itself
// cannot be created. Positions and durations of the graph are then in 100-ns units.
int BuildGraph(KMediaGraph& g)
{
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IGraphBuilder, reinterpret_cast<void**>(&g.builder));
    if (FAILED(hr) || !g.builder) {
        g.builder = nullptr;
        return 0;
    }
    QueryGraph(g.builder, IID_IMediaControl, g.control);
    QueryGraph(g.builder, IID_IMediaEventEx, g.events);
    QueryGraph(g.builder, IID_IBasicAudio, g.audio);
    QueryGraph(g.builder, IID_IMediaSeeking, g.seeking);
    QueryGraph(g.builder, IID_IMediaPropertyBag, g.propertyBag);
    if (g.seeking)
        g.seeking->SetTimeFormat(&TIME_FORMAT_MEDIA_TIME);
    return 1;
}

void ReleaseGraph(KMediaGraph& g)
{
    ReleaseInterface(g.control);
    ReleaseInterface(g.events);
    ReleaseInterface(g.audio);
    ReleaseInterface(g.seeking);
    ReleaseInterface(g.propertyBag);
    ReleaseInterface(g.builder);
}

// A length or position from the service in ms; 0 when the service cannot tell.
int ReadTime(IMediaSeeking* seeking, int current)
{
    LONGLONG units = 0;
    if (!seeking)
        return 0;
    HRESULT hr = current ? seeking->GetCurrentPosition(&units) : seeking->GetDuration(&units);
    if (FAILED(hr))
        return 0;
    return (int)(units / UNITS_PER_MS);
}

// Registers the notify window's class; registering it again fails harmlessly.
void RegisterNotifyClass(WNDPROC proc)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetResInstance();
    wc.lpszClassName = MEDIA_WND_CLASS;
    RegisterClassW(&wc);
}
} // namespace

CKMediaPlayer::CKMediaPlayer()
    : graph(nullptr), options(0), state(KMEDIA_CLOSED), createParam(nullptr), observer(nullptr),
      notifyWindow(nullptr), notifyId(0)
{
}

CKMediaPlayer::~CKMediaPlayer()
{
    CKMediaPlayer::Destroy();
    // A call posted for this player may still wait: it must not reach a deleted player.
    CancelPostedCalls(this);
}

int CKMediaPlayer::Create(void* param, int newOptions)
{
    if (graph)
        return 1;
    if (!g_comInitialised && SUCCEEDED(CoInitializeEx(nullptr, 0)))
        g_comInitialised = 1;
    graph = static_cast<KMediaGraph*>(KAlloc(sizeof(KMediaGraph)));
    if (!graph)
        return 0;
    ZeroMemory(graph, sizeof(KMediaGraph));
    createParam = param;
    options = newOptions;
    return 1;
}

void CKMediaPlayer::Destroy()
{
    if (!graph)
        return;
    Close();
    StopPositionTimer();
    KFree(graph);
    graph = nullptr;
}

int CKMediaPlayer::Open(const wchar_t* path)
{
    if (!graph || state != KMEDIA_CLOSED || !path)
        return 0;
    // A relative path names a file of ModuleDir; a device name opens the file, not the device.
    wchar_t fullPath[KMAX_PATH];
    if (!CKFile::IsAbsolute(path)) {
        MakeModulePath(fullPath, path);
        path = fullPath;
    }
    // A file without an audio signature is refused before any graph: the service would spend up
    // to a second (and for a large file many) trying every splitter on it.
    KStringW file;
    if (MakeOpenPath(path, file) < 0 || !CKTagReader::IsAudioFile(file) || !BuildGraph(*graph)) {
        Close();
        return 0;
    }
    RegisterNotifyClass(NotifyWndProc);
    // A message-only window: it only receives the graph's posted events, needs no display and
    // costs a fraction of a hidden top-level window to create and destroy.
    graph->notifyWnd = CreateWindowExW(0, MEDIA_WND_CLASS, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE,
                                       nullptr, GetResInstance(), nullptr);
    if (graph->events && graph->notifyWnd)
        graph->events->SetNotifyWindow((OAHWND)graph->notifyWnd, KWM_MEDIAEVENT, (LONG_PTR)this);
    if (FAILED(graph->builder->RenderFile(file, nullptr))) {
        Close();
        return 0;
    }
    state = KMEDIA_OPEN;
    graph->flags &= ~KMEDIA_END_REACHED;
    return 1;
}

void CKMediaPlayer::Close()
{
    if (!graph)
        return;
    if (state == KMEDIA_PLAYING || state == KMEDIA_PAUSED)
        Stop();
    ReleaseGraph(*graph);
    if (graph->notifyWnd) {
        DestroyWindow(graph->notifyWnd);
        graph->notifyWnd = nullptr;
    }
    state = KMEDIA_CLOSED;
}

int CKMediaPlayer::Play()
{
    if (!graph || state == KMEDIA_CLOSED)
        return 0;
    if (state != KMEDIA_PLAYING) {
        if (!graph->control || FAILED(graph->control->Run()))
            return 0;
        state = KMEDIA_PLAYING;
    }
    graph->flags &= ~KMEDIA_END_REACHED;
    if (!graph->positionTimer)
        graph->positionTimer = StartTimer(KMEDIA_TICK_MS, PositionTick, (INT_PTR)this);
    return 1;
}

int CKMediaPlayer::Pause()
{
    if (!graph || state == KMEDIA_CLOSED)
        return 0;
    if (state == KMEDIA_PLAYING) {
        StopPositionTimer();
        if (graph->control)
            graph->control->Pause();
        state = KMEDIA_PAUSED;
    }
    return 1;
}

int CKMediaPlayer::Stop()
{
    if (!graph || state == KMEDIA_CLOSED)
        return 0;
    if (state == KMEDIA_PLAYING || state == KMEDIA_PAUSED) {
        StopPositionTimer();
        if (graph->control)
            graph->control->Stop();
        state = KMEDIA_STOPPED;
    }
    return 1;
}

int CKMediaPlayer::SetPosition(int ms)
{
    if (!graph || state == KMEDIA_CLOSED)
        return 0;
    LONGLONG position = (LONGLONG)ms * UNITS_PER_MS;
    if (graph->seeking) {
        graph->seeking->SetPositions(&position,
                                     AM_SEEKING_AbsolutePositioning | AM_SEEKING_SeekToKeyFrame,
                                     nullptr, AM_SEEKING_NoPositioning);
    }
    return 1;
}

void CKMediaPlayer::OnComplete()
{
    if (!graph || state != KMEDIA_PLAYING)
        return;
    if (options & KMEDIA_OPT_REPEAT) {
        SetPosition(0);
        Play();
        return;
    }
    if (graph->flags & KMEDIA_END_REACHED)
        return;
    graph->flags |= KMEDIA_END_REACHED;
    if (observer || notifyWindow)
        PostCall((INT_PTR)this, KMEDIA_NOTIFY_END, 0, PostedNotify, KMEDIA_END_DELAY_MS, this);
}

void CKMediaPlayer::Reserved()
{
}

int CKMediaPlayer::GetDuration()
{
    if (!graph || state == KMEDIA_CLOSED)
        return -1;
    return ReadTime(graph->seeking, 0);
}

int CKMediaPlayer::GetPosition()
{
    if (!graph || state == KMEDIA_CLOSED)
        return -1;
    return ReadTime(graph->seeking, 1);
}

void CKMediaPlayer::SetNotifyWindow(CKWindow* window, int id)
{
    notifyWindow = window;
    notifyId = id;
}

int CKMediaPlayer::ProbeDuration(const wchar_t* path, CKMediaInfo* info)
{
    if (!graph || !path || !info || !CKFile::Exists(path))
        return 0;
    // A relative path names a loose file under AppResDir, the one CKFile::Exists found.
    wchar_t fullPath[KMAX_PATH];
    const wchar_t* file = path;
    if (!CKFile::IsAbsolute(path)) {
        MakeAppResPath(fullPath, path);
        file = fullPath;
    }
    KMediaGraph probe = {};
    int measured = 0;
    if (BuildGraph(probe) && SUCCEEDED(probe.builder->RenderFile(file, nullptr))) {
        info->SetDuration(ReadTime(probe.seeking, 0));
        measured = 1;
    }
    ReleaseGraph(probe);
    return measured;
}

void CKMediaPlayer::Notify(int code)
{
    if (observer) {
        if (code == KMEDIA_NOTIFY_POSITION)
            observer->OnMediaPosition(this);
        else if (code == KMEDIA_NOTIFY_END)
            observer->OnMediaEnd(this);
    } else if (notifyWindow) {
        notifyWindow->OnNotify(notifyId, code, (INT_PTR)this);
    }
}

void CKMediaPlayer::StopPositionTimer()
{
    if (graph && graph->positionTimer) {
        StopTimer(graph->positionTimer);
        graph->positionTimer = nullptr;
    }
}

void CKMediaPlayer::DrainEvents()
{
    long code = 0;
    LONG_PTR param1 = 0;
    LONG_PTR param2 = 0;
    // OnComplete is virtual and an override may close the graph: read the interface each turn.
    while (graph && graph->events) {
        if (FAILED(graph->events->GetEvent(&code, &param1, &param2, 0)))
            break;
        graph->events->FreeEventParams(code, param1, param2);
        if (code == EC_COMPLETE)
            OnComplete();
    }
}

void CKMediaPlayer::PositionTick(INT_PTR player)
{
    reinterpret_cast<CKMediaPlayer*>(player)->Notify(KMEDIA_NOTIFY_POSITION);
}

void CKMediaPlayer::PostedNotify(INT_PTR player, INT_PTR code, INT_PTR /*unused*/)
{
    // The player may have been destroyed while the call waited (a deleted one cancelled it).
    CKMediaPlayer* target = reinterpret_cast<CKMediaPlayer*>(player);
    if (target->graph)
        target->Notify((int)code);
}

LRESULT CALLBACK CKMediaPlayer::NotifyWndProc(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam)
{
    if (message == KWM_MEDIAEVENT && lParam) {
        reinterpret_cast<CKMediaPlayer*>(lParam)->DrainEvents();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void KTermMediaPlayer()
{
    if (g_comInitialised) {
        CoUninitialize();
        g_comInitialised = 0;
    }
}

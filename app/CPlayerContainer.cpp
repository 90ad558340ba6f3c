// CPlayerContainer: the player page's children and layout, the wiring of list playback and of the
// probe to the page, and the list operations of the browse page and the playlist panel.
//
// Index: construction - children and layout - notifications and commands - media observer - list
// operations - playback shown - probe shown.
#include "app/CPlayerContainer.h"

#include "app/CLmPlayListCtrl.h"
#include "app/CLmPlayListFile.h"
#include "app/LmPageTable.h"
#include "app/LmSettings.h"
#include "app/LmSortKeys.h"
#include "app/LmToast.h"
#include "foundation/KMemory.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKImage.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableSlot.h"
#include "graphics/KImageCache.h"
#include "media/CKMediaPlayer.h"
#include "media/KPlayOrder.h"
#include "ui/CKApplication.h"
#include "ui/CKView.h"
#include "ui/KViewStack.h"

K_IMPLEMENT_CLASS(CPlayerContainer, CKContainer)

namespace {

constexpr char LM_DRAWABLES[] = "LmDrawable.xml";
// Cells of the two image lists, in pixels at the base density.
constexpr int BUTTON_CELL_SIZE = 32;
constexpr int FILE_ICON_CELL_SIZE = 32;
// Window flags of the children: the list repaints on change, takes the focus, scrolls
// vertically, reports double presses and paints its whole area; buttons and the slider repaint
// on change and take the focus; labels repaint on change and paint their whole area.
constexpr unsigned int LIST_FLAGS =
    KWF_REPAINT_ON_CHANGE | KWF_TABSTOP | KWF_VSCROLL | KWF_DBLCLK | KWF_OPAQUE;
constexpr unsigned int BUTTON_FLAGS = KWF_REPAINT_ON_CHANGE | KWF_TABSTOP;
constexpr unsigned int LABEL_FLAGS = KWF_REPAINT_ON_CHANGE | KWF_OPAQUE;
// Styles of the children.
constexpr unsigned int LIST_STYLE = KLBS_SWIPE;
constexpr unsigned int TOTAL_STYLE = KCONTENT_RIGHT;
constexpr unsigned int ELAPSED_STYLE = KCONTENT_LEFT;
constexpr unsigned int TRACK_TITLE_STYLE = 0;    // centred
constexpr unsigned int SLIDER_STYLE = KSLS_TICKS_AFTER;
// The slider: a tick every 30 s, arrow keys move as far as the seek keys, a tap on the track
// pages 10 s.
constexpr int SLIDER_TICKS = 30;
constexpr int SLIDER_PAGE_STEP = 10;
// Options of the page's media player: no repeat (only the repeat bit means anything to it).
constexpr int MEDIA_OPTIONS = 1;
// The widest time a label is laid out for.
constexpr wchar_t WIDEST_TIME[] = L"999:99";
constexpr wchar_t ZERO_TIME[] = L"0:00";
// Characters of a formatted time, with the NUL.
constexpr int TIME_TEXT_MAX = 16;
constexpr int MS_PER_SECOND = 1000;

// Margin and padding of one side of a drawable added up; 0 without the drawable.
int InsetTop(const CKDrawable* drawable)
{
    return drawable ? drawable->GetMargin().top + drawable->GetPadding().top : 0;
}

int InsetBottom(const CKDrawable* drawable)
{
    return drawable ? drawable->GetMargin().bottom + drawable->GetPadding().bottom : 0;
}

// The size a text drawable gives `text`, its insets included.
SIZE MeasureWith(CKTextDrawable* drawable, const wchar_t* text)
{
    SIZE size = {0, 0};
    if (!drawable)
        return size;
    drawable->SetState(0);
    drawable->SetText(text, -1);
    drawable->CalcSize(size);
    drawable->SetText(nullptr, 0);
    return size;
}

} // namespace

// ---- Construction -------------------------------------------------------------------------------

CPlayerContainer* CPlayerContainer::FromPlayerPage()
{
    CKView* page = FindPage(IDS_PAGE_PLAYER);
    CKContainer* content = page ? page->GetContainer() : nullptr;
    if (!content || !content->IsKindOf(K_RUNTIME_CLASS(CPlayerContainer)))
        return nullptr;
    return (CPlayerContainer*)content;
}

CPlayerContainer::CPlayerContainer() : probe(this)
{
}

CPlayerContainer::~CPlayerContainer()
{
    if (playListCtrl)
        playListCtrl->Release();
    KDropDrawable(buttonBarBkgnd);
    KDropDrawable(progressBkgnd);
}

void CPlayerContainer::SetPlayListCtrl(CLmPlayListCtrl* ctrl)
{
    if (ctrl)
        ctrl->AddRef();
    if (playListCtrl)
        playListCtrl->Release();
    playListCtrl = ctrl;
}

CLmPlayList* CPlayerContainer::GetSelectedPlayList() const
{
    return playListCtrl ? playListCtrl->GetSelectedPlayList() : nullptr;
}

// ---- Children and layout ------------------------------------------------------------------------

void CPlayerContainer::InitButton(CKButton& button, const char* fallbackFace, int cell)
{
    CKDrawable* face = GetDrawable(LM_DRAWABLES, "LmPlayButtonFace");
    button.SetFaceDrawable(face ? face : GetDrawable(LM_DRAWABLES, fallbackFace));
    button.SetIcon(buttonImages, cell, cell + 1, cell, cell);
    button.Initialize(0);
}

void CPlayerContainer::InitLabel(CKLabel& label, const char* textDrawable)
{
    label.SetBackground(GetDrawable(LM_DRAWABLES, "LmPlayLabelBkgnd"));
    label.SetTextDrawable(GetDrawable(LM_DRAWABLES, textDrawable));
    label.Initialize(0);
}

void CPlayerContainer::Initialize(unsigned int newStyle)
{
    CKContainer::Initialize(newStyle);
    const KRuntimeClass* faceKind = K_RUNTIME_CLASS(CKFaceDrawable);
    KLoadDrawable(buttonBarBkgnd, LM_DRAWABLES, "LmPlayButtonBkgnd", faceKind);
    KLoadDrawable(progressBkgnd, LM_DRAWABLES, "LmPlayProgressBkgnd", faceKind);
    buttonImages = GetImgListByCell(BUTTON_CELL_SIZE, BUTTON_CELL_SIZE, L"PlayImgList.png",
                                    KIMG_TYPE_PNG, KIMG_AUTO);
    fileIcons = GetImgListByCell(FILE_ICON_CELL_SIZE, FILE_ICON_CELL_SIZE, L"res/FileIcon.png",
                                 KIMG_TYPE_PNG, KIMG_AUTO);
    listBox.Initialize(0);
    InitButton(playButton, "LmPlayBtnMiddleFace", LMCELL_PLAY);
    InitButton(previousButton, "LmPlayBtnLeftFace", LMCELL_PREVIOUS);
    InitButton(nextButton, "LmPlayBtnRightFace", LMCELL_NEXT);
    InitButton(addButton, "LmPlayBtnOneFace", LMCELL_ADD_FILES);
    InitButton(loopButton, "LmPlayBtnOneFace", LMCELL_LOOP);
    InitLabel(totalLabel, "LmPlayLabelTimeText");
    InitLabel(elapsedLabel, "LmPlayLabelTimeText");
    InitLabel(titleLabel, "LmPlayLabelTitleText");
    slider.Initialize(0);
    // Play after a restart continues at the saved file, from the position kept in it.
    playback.Restore(playListCtrl ? playListCtrl->PlayListAt(LmSettings::GetPlayingList()) : nullptr);
    ReloadList();
}

int CPlayerContainer::OnCreate()
{
    if (!CKContainer::OnCreate())
        return 0;
    listBox.Create(LIST_STYLE, LMID_PLAYING_LIST, this, LIST_FLAGS);
    playButton.Create(0, LMID_PLAY, this, BUTTON_FLAGS);
    previousButton.Create(0, LMID_PREVIOUS, this, BUTTON_FLAGS);
    nextButton.Create(0, LMID_NEXT, this, BUTTON_FLAGS);
    addButton.Create(0, LMID_ADD_FILES, this, BUTTON_FLAGS);
    loopButton.Create(0, LMID_LOOP, this, BUTTON_FLAGS);
    totalLabel.Create(TOTAL_STYLE, LMID_TOTAL_TIME, this, LABEL_FLAGS);
    elapsedLabel.Create(ELAPSED_STYLE, LMID_ELAPSED_TIME, this, LABEL_FLAGS);
    titleLabel.Create(TRACK_TITLE_STYLE, LMID_TRACK_TITLE, this, LABEL_FLAGS);
    slider.Create(SLIDER_STYLE, LMID_PROGRESS, this, BUTTON_FLAGS);
    slider.SetTickFrequency(SLIDER_TICKS);
    slider.SetLineStep(LMSEEK_STEP_SECONDS);
    slider.SetPageStep(SLIDER_PAGE_STEP);
    totalLabel.SetText(ZERO_TIME);
    elapsedLabel.SetText(ZERO_TIME);
    if (!player) {
        player = new CKMediaPlayer();
        if (player) {
            player->Create(view, MEDIA_OPTIONS);
            player->SetObserver(this);
            player->SetNotifyWindow(this, LMID_MEDIA_EVENTS);
            transport = new CLmPlayerTransport(player);
        }
    }
    playback.Connect(transport, this);
    ApplyLoopType(LmSettings::GetLoopType());
    RefreshTitle();
    return 1;
}

void CPlayerContainer::OnDestroy()
{
    playback.KeepPositionAtExit();
    playback.Connect(nullptr, this);
    delete transport;
    transport = nullptr;
    if (player) {
        player->SetObserver(nullptr);
        player->SetNotifyWindow(nullptr, 0);
        player->Destroy();
        delete player;
        player = nullptr;
    }
    playback.ForgetPlayingRecord();
    CKContainer::OnDestroy();
}

void CPlayerContainer::OnSize()
{
    CKContainer::OnSize();
    RECT r;
    if (!GetClientRect(&r))
        return;
    const int width = r.right - r.left;
    SIZE button = {width, r.bottom - r.top};
    addButton.CalcSize(button);
    const int gap = (width - 5 * button.cx) / 4;

    // The button bar: gap, loop, gap, previous, play, next, gap, add files.
    buttonBarRect = r;
    const int buttonBottom = r.bottom - InsetBottom(buttonBarBkgnd);
    const int buttonTop = buttonBottom - button.cy;
    int x = r.left + gap;
    CKButton* const order[5] = {&loopButton, &previousButton, &playButton, &nextButton,
                                &addButton};
    for (int i = 0; i < 5; i++) {
        order[i]->Move(RECT{x, buttonTop, x + button.cx, buttonBottom});
        x += button.cx;
        if (i == 0 || i == 3)
            x += gap;
    }
    r.bottom = buttonTop - InsetTop(buttonBarBkgnd);
    buttonBarRect.top = r.bottom;

    // The progress area: the title label at its bottom, the time row above it.
    progressRect = r;
    r.bottom -= InsetBottom(progressBkgnd);
    // At least one line high: the label is laid out before it has a title to measure.
    SIZE title = {width, r.bottom - r.top};
    titleLabel.CalcLineSize(title);
    titleLabel.Move(RECT{r.left, r.bottom - title.cy, r.right, r.bottom});
    r.bottom -= title.cy;
    const SIZE time = MeasureWith(totalLabel.GetTextDrawable(), WIDEST_TIME);
    const int rowTop = r.bottom - time.cy;
    elapsedLabel.Move(RECT{r.left, rowTop, r.left + time.cx, r.bottom});
    totalLabel.Move(RECT{r.right - time.cx, rowTop, r.right, r.bottom});
    slider.Move(RECT{r.left + time.cx, rowTop, r.right - time.cx, r.bottom});
    r.bottom = rowTop - InsetTop(progressBkgnd);
    progressRect.top = r.bottom;

    listRect = r;
    listBox.Move(listRect);
}

void CPlayerContainer::OnPaint(CKCanvas* canvas)
{
    CKContainer::OnPaint(canvas);
    if (progressBkgnd) {
        progressBkgnd->SetState(0);
        progressBkgnd->Draw(canvas, progressRect, nullptr);
    }
    if (buttonBarBkgnd) {
        buttonBarBkgnd->SetState(0);
        buttonBarBkgnd->Draw(canvas, buttonBarRect, nullptr);
    }
}

// ---- Notifications and commands -----------------------------------------------------------------

int CPlayerContainer::OnNotify(int notifyId, int code, INT_PTR param)
{
    CKContainer::OnNotify(notifyId, code, param);
    const bool open = player && player->GetState() != KMEDIA_CLOSED;
    switch (notifyId) {
    case LMID_PLAY:
        if (code == KNOTIFY_CLICK)
            TogglePlay();
        return 1;
    case LMID_PREVIOUS:
        if (code == KNOTIFY_CLICK)
            PlayPrevious();
        return 1;
    case LMID_NEXT:
        if (code == KNOTIFY_CLICK)
            PlayNext();
        return 1;
    case LMID_LOOP:
        if (code == KNOTIFY_CLICK)
            ApplyLoopType(KNextLoopType(playback.GetLoopType()));
        return 1;
    case LMID_ADD_FILES:
        if (code == KNOTIFY_CLICK)
            ShowPage(IDS_PAGE_BROWSE);
        return 1;
    case LMID_PROGRESS:
        if (code == KNOTIFY_SLIDER_PAGED && open)
            SeekToSecond(slider.GetPosition());
        else if (code == KNOTIFY_SLIDER_RELEASED && open)
            SeekToSecond((int)param);
        return 1;
    case LMID_PLAYING_LIST:
        if (code == KNOTIFY_LB_DBLPRESS) {
            PlayRow((int)param);
        } else if (code == KNOTIFY_LB_DELETE) {
            CLmPlayList* list = GetSelectedPlayList();
            playback.OnRowRemoved(list, (int)param);
            if (list && list->RemoveAt((int)param) && playListCtrl)
                playListCtrl->SavePlayLists();
        }
        return 1;
    default:
        return 0;
    }
}

int CPlayerContainer::OnCommand(int command)
{
    if (command != IDS_PLAYER_MENU || !view)
        return CKContainer::OnCommand(command);
    if (view->IsMenuOpen())
        view->CloseMenu(true);
    else
        view->OpenMenu(true);
    return 1;
}

int CPlayerContainer::OnBack()
{
    Quit();
    return 1;
}

// ---- Media observer -----------------------------------------------------------------------------

void CPlayerContainer::OnMediaPosition(CKMediaPlayer* source)
{
    if (!source || source->GetState() != KMEDIA_PLAYING)
        return;
    const int second = source->GetPosition() / MS_PER_SECOND;
    if (second != lastSecond)
        ShowSecond(second);
}

void CPlayerContainer::ShowSecond(int second)
{
    lastSecond = second;
    wchar_t text[TIME_TEXT_MAX];
    CMediaListBox::FormatSeconds(second, text, TIME_TEXT_MAX);
    elapsedLabel.SetText(text);
    slider.SetPosition(second);
}

void CPlayerContainer::SeekToSecond(int second)
{
    player->SetPosition(second * MS_PER_SECOND);
    ShowSecond(second);
}

void CPlayerContainer::OnMediaPaused(CKMediaPlayer* source)
{
    if (source && source->GetState() == KMEDIA_PAUSED)
        SetPlayIcon(LMCELL_PLAY);
}

void CPlayerContainer::OnMediaEnd(CKMediaPlayer*)
{
    playback.PlayNext();
}

void CPlayerContainer::OnMediaCommand(INT_PTR, int command, INT_PTR)
{
    switch (command) {
    case KMEDIA_CMD_RESUME:
        ResumePlayback();
        break;
    case KMEDIA_CMD_PAUSE:
        PausePlayback();
        break;
    case KMEDIA_CMD_TOGGLE:
        TogglePlay();
        break;
    case KMEDIA_CMD_PREVIOUS:
        PlayPrevious();
        break;
    case KMEDIA_CMD_NEXT:
        PlayNext();
        break;
    case KMEDIA_CMD_STOP:
        StopAtStart();
        break;
    default:
        break;
    }
}

// ---- List operations ----------------------------------------------------------------------------

void CPlayerContainer::ReloadList()
{
    CLmPlayList* list = GetSelectedPlayList();
    listBox.SetRedraw(0);
    listBox.RemoveAllRows();
    const int count = list ? list->GetCount() : 0;
    listBox.ReserveItems(count);
    for (int i = 0; i < count; i++)
        listBox.AddMediaRow(list->GetAt(i), fileIcons);
    listBox.SetRedraw(1);
    listBox.SelectPlayingRow(playback.GetMarkedRow(list));
    probe.Post(false, LMPROBE_AFTER_RELOAD_MS);
}

void CPlayerContainer::RefreshTitle()
{
    const CLmPlayList* list = GetSelectedPlayList();
    if (view && list)
        view->SetTitleText(list->GetName());
}

void CPlayerContainer::BeginAddFiles()
{
    listBox.SetRedraw(0);
}

int CPlayerContainer::AddFile(const wchar_t* path)
{
    CLmPlayList* list = GetSelectedPlayList();
    if (!list || !path)
        return 0;
    if (listBox.ContainsPath(path))
        return 1;
    if (!CanListPath(path) || !list->AddFile(path))
        return 0;
    listBox.AddMediaRow(list->GetAt(list->GetCount() - 1), fileIcons);
    return 1;
}

void CPlayerContainer::EndAddFiles(int save)
{
    listBox.SetRedraw(1);
    if (save && playListCtrl)
        playListCtrl->SavePlayLists();
    probe.Post(false, LMPROBE_STEP_MS);
}

CLmPlayList* CPlayerContainer::AddDirectoryAsPlayList(const wchar_t* name,
                                                      const wchar_t* const* paths, int count)
{
    // A folder that yields no file to keep makes no playlist: it is made with the first one.
    CLmPlayList* list = nullptr;
    for (int i = 0; i < count; i++) {
        if (!CanListPath(paths[i]))
            continue;
        if (!list && !(list = playListCtrl ? playListCtrl->AddPlayList(name) : nullptr))
            return nullptr;
        list->AddFile(paths[i]);
    }
    if (list)
        playListCtrl->SavePlayLists();
    return list;
}

int CPlayerContainer::CanListPath(const wchar_t* path)
{
    switch (CLmPlayListFile::CheckPath(path)) {
    case LMPATH_FITS:
        return 1;
    case LMPATH_TOO_LONG:
        ShowToastString(IDS_PATH_TOO_LONG);
        return 0;
    default:
        ShowToastString(IDS_PATH_UNSAVABLE);
        return 0;
    }
}

void CPlayerContainer::ShowPlayList(CLmPlayList* list)
{
    const int index = playListCtrl ? playListCtrl->IndexOfPlayList(list) : -1;
    if (index < 0 || list == GetSelectedPlayList())
        return;
    playListCtrl->SelectPlayListByIndex(index);
    RefreshTitle();
    ReloadList();
}

void CPlayerContainer::SortPlayList(int byArtist, int descending)
{
    CLmPlayList* list = GetSelectedPlayList();
    if (!list || list->GetCount() != listBox.GetCount())
        return;
    // The playing row's mark moves with its record; the position follows it, so that next,
    // previous and a restart go on from where the playing file now stands, not from its old row.
    // A gap left by the removed playing row stays where it is.
    const CLmMediaInfo* playing = playback.GetPlayingRecordIn(list);
    // The rows' order reduced to keys first: a list of a million rows sorts in seconds, where
    // comparing the records themselves would read them twenty million times.
    const int count = listBox.GetCount();
    const CKMediaInfo** records = (const CKMediaInfo**)KAlloc(sizeof(CKMediaInfo*) * (size_t)count);
    unsigned long long* keys = (unsigned long long*)KAlloc(sizeof(unsigned long long) * (size_t)count);
    for (int i = 0; records && i < count; i++)
        records[i] = listBox.GetRecord(i);
    const bool sorted = records && keys && MakeSortKeys(records, count, byArtist, descending, keys)
                        && listBox.SortByKeys(keys);
    KFree(records);
    KFree(keys);
    if (!sorted)
        return;
    for (int i = 0; i < listBox.GetCount(); i++) {
        list->SetAt(i, listBox.GetRecord(i));
        if (playing && listBox.GetRecord(i) == playing)
            playback.OnPlayingRowMoved(i);
    }
    playListCtrl->SavePlayLists();
}

// ---- Playback shown ------------------------------------------------------------------------------

int CPlayerContainer::IndexOfPlayList(const CLmPlayList* list) const
{
    return playListCtrl ? playListCtrl->IndexOfPlayList(list) : -1;
}

void CPlayerContainer::ShowRowStarting(int row)
{
    listBox.SelectItem(row, 0);
    listBox.SelectPlayingRow(row);
}

void CPlayerContainer::ShowFileStarted(int startMs)
{
    const int seconds = player->GetDuration() / MS_PER_SECOND;
    wchar_t text[TIME_TEXT_MAX];
    CMediaListBox::FormatSeconds(seconds < 0 ? 0 : seconds, text, TIME_TEXT_MAX);
    totalLabel.SetText(text);
    elapsedLabel.SetText(ZERO_TIME);
    slider.SetRange(0, seconds < 0 ? 0 : seconds);
    slider.SetPosition(0);
    lastSecond = 0;
    const CLmMediaInfo* playing = playback.GetPlayingInfo();
    titleLabel.SetText(playing ? (const wchar_t*)playing->GetTitle() : nullptr);
    SetPlayIcon(LMCELL_PAUSE);
    if (startMs > 0)
        ShowSecond(startMs / MS_PER_SECOND);
}

void CPlayerContainer::ShowStopped(bool unselectRow)
{
    SetPlayIcon(LMCELL_PLAY);
    ShowSecond(0);
    if (unselectRow)
        listBox.SelectItem(-1, 0);
}

void CPlayerContainer::ShowPlaying(bool playing)
{
    SetPlayIcon(playing ? LMCELL_PAUSE : LMCELL_PLAY);
}

void CPlayerContainer::ShowEmptyList()
{
    ShowToastString(IDS_EMPTY_LIST);
}

void CPlayerContainer::ShowUnplayable()
{
    ShowToastString(IDS_INVALID_FILE);
}

void CPlayerContainer::SetPlayIcon(int cell)
{
    playButton.SetIcon(buttonImages, cell, cell + 1, cell, cell);
}

void CPlayerContainer::SeekBy(int seconds)
{
    if (!player || player->GetState() == KMEDIA_CLOSED)
        return;
    const int end = player->GetDuration() / MS_PER_SECOND;
    int target = player->GetPosition() / MS_PER_SECOND + seconds;
    if (target > end)
        target = end;
    if (target < 0)
        target = 0;
    SeekToSecond(target);
}

int CPlayerContainer::RemoveSelectedRow()
{
    return listBox.SwipeAway(listBox.GetSelectedIndex());
}

void CPlayerContainer::ApplyLoopType(int type)
{
    const int cell = LMCELL_LOOP + 2 * type;
    loopButton.SetIcon(buttonImages, cell, cell + 1, cell, cell);
    playback.SetLoopType(type);
}

// ---- Probe shown ---------------------------------------------------------------------------------

bool CPlayerContainer::CanProbe() const
{
    return GetHwnd() && player;
}

int CPlayerContainer::MeasureDuration(const wchar_t* path, CLmMediaInfo* info)
{
    return player->ProbeDuration(path, info);
}

void CPlayerContainer::OnRowProbed(int row, CLmMediaInfo* info)
{
    listBox.RefreshRowTexts(row);
    if (info == playback.GetPlayingInfo())
        titleLabel.SetText(info->GetTitle());
}

void CPlayerContainer::OnProbeChangedRecords()
{
    if (playListCtrl)
        playListCtrl->SavePlayLists();
}

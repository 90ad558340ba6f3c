// CPlayerContainer: the player page's children and layout, list playback over the media player,
// the list operations of the browse page and the playlist panel, and the probe of tags and
// durations.
//
// Index: construction - children and layout - notifications and commands - media observer - list
// operations - playback - probe of tags and durations.
#include "app/CPlayerContainer.h"

#include "app/CBrowseView.h"
#include "app/CLmPlayListCtrl.h"
#include "app/CLmPlayListFile.h"
#include "app/CLumoApp.h"
#include "app/LmPageTable.h"
#include "app/LmSettings.h"
#include "app/LmSortKeys.h"
#include "controls/KDrawableSlot.h"
#include "foundation/CKFile.h"
#include "foundation/KMemory.h"
#include "foundation/KOpenPath.h"
#include "foundation/KPaths.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKImage.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KImageCache.h"
#include "media/CKMediaPlayer.h"
#include "media/KPlayOrder.h"
#include "ui/CKView.h"
#include "ui/KTimer.h"
#include "ui/KViewStack.h"

K_IMPLEMENT_CLASS(CPlayerContainer, CKContainer)

CPlayerContainer* CPlayerContainer::firstAlive = nullptr;

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

CPlayerContainer::CPlayerContainer()
{
    nextAlive = firstAlive;
    firstAlive = this;
}

CPlayerContainer::~CPlayerContainer()
{
    for (CPlayerContainer** link = &firstAlive; *link; link = &(*link)->nextAlive) {
        if (*link == this) {
            *link = nextAlive;
            break;
        }
    }
    if (playingInfo)
        playingInfo->Release();
    if (resumeInfo)
        resumeInfo->Release();
    if (playListCtrl)
        playListCtrl->Release();
    KDropDrawable(buttonBarBkgnd);
    KDropDrawable(progressBkgnd);
}

int CPlayerContainer::IsAlive(const CPlayerContainer* container)
{
    for (const CPlayerContainer* live = firstAlive; live; live = live->nextAlive)
        if (live == container)
            return 1;
    return 0;
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
    if (playListCtrl)
        playingList = playListCtrl->PlayListAt(LmSettings::GetPlayingList());
    position.Set(LmSettings::GetPlayingFile());
    resumeMs = LmSettings::GetPlayingPosition();
    if (resumeMs > 0 && playingList && !resumeInfo) {
        resumeInfo = playingList->GetAt(position.PlayingRow());
        if (resumeInfo)
            resumeInfo->AddRef();
    }
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
        }
    }
    ApplyLoopType(LmSettings::GetLoopType());
    RefreshTitle();
    return 1;
}

void CPlayerContainer::OnDestroy()
{
    // At exit the position in the open file is kept for the next run; a stopped file starts
    // again at 0. A run that never opened a file leaves the kept position to the next one.
    if (player && player->GetState() != KMEDIA_CLOSED) {
        const int state = player->GetState();
        LmSettings::SetPlayingPosition(state == KMEDIA_PLAYING || state == KMEDIA_PAUSED
                                           ? player->GetPosition() : 0);
    }
    if (player) {
        player->SetObserver(nullptr);
        player->SetNotifyWindow(nullptr, 0);
        player->Destroy();
        delete player;
        player = nullptr;
    }
    if (playingInfo) {
        playingInfo->Release();
        playingInfo = nullptr;
    }
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
            ApplyLoopType(KNextLoopType(loopType));
        return 1;
    case LMID_ADD_FILES:
        if (code == KNOTIFY_CLICK) {
            // The browse page reads its folder again: files may have come and gone meanwhile.
            CKView* browse = FindPage(IDS_PAGE_BROWSE);
            if (browse && browse->IsKindOf(K_RUNTIME_CLASS(CBrowseView)))
                ((CBrowseView*)browse)->Prepare();
            ShowPage(IDS_PAGE_BROWSE);
        }
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
            // The position follows the removal (media/KPlayPosition.h): next, previous and a
            // restart go on from the playing file, or from its row's neighbours when that row
            // itself went while the file plays on.
            if (list && list == playingList && position.RowRemoved((int)param)) {
                LmSettings::SetPlayingFile(position.row);
                LmSettings::SaveSettings();
            }
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
    PlayNext();
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
    // The playing row is marked while its file is open (not for a saved index after a restart).
    const bool open = player && player->GetState() != KMEDIA_CLOSED;
    listBox.SelectPlayingRow(open && list && list == playingList ? position.PlayingRow() : -1);
    PostProbe(0, LMPROBE_AFTER_RELOAD_MS);
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
    PostProbe(0, LMPROBE_STEP_MS);
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
    const CLmMediaInfo* playing =
        list == playingList ? listBox.GetRecord(position.PlayingRow()) : nullptr;
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
        if (playing && listBox.GetRecord(i) == playing && i != position.row) {
            position.Set(i);
            LmSettings::SetPlayingFile(i);
            LmSettings::SaveSettings();
        }
    }
    playListCtrl->SavePlayLists();
}

void CPlayerContainer::OnPlayListDeleted(bool playingDeleted)
{
    if (playingDeleted) {
        playingList = nullptr;
        position.Set(-1);
    }
    if (!playListCtrl || (!playingList && !playingDeleted))
        return;
    LmSettings::SetPlayingList(playListCtrl->IndexOfPlayList(playingList));
    LmSettings::SaveSettings();
}

void CPlayerContainer::OnPlayListCleared()
{
    if (!playListCtrl || GetSelectedPlayList() != playingList || position.row < 0)
        return;
    position.Set(-1);
    LmSettings::SetPlayingFile(-1);
    LmSettings::SaveSettings();
}

// ---- Playback -----------------------------------------------------------------------------------

int CPlayerContainer::Choose(int choice, int row)
{
    const int count = listBox.GetCount();
    if (count == 0) {
        ShowToastString(IDS_EMPTY_LIST);
        return 0;
    }
    CLmPlayList* selected = GetSelectedPlayList();
    const int selectedIsPlaying = selected == playingList ? 1 : 0;
    int chosen = KROW_NONE;
    if (choice == CHOOSE_NEXT)
        chosen = KNextRow(count, position.NextFrom(), loopType, selectedIsPlaying);
    else if (choice == CHOOSE_PREVIOUS)
        chosen = KPreviousRow(count, position.PreviousFrom(), loopType, selectedIsPlaying);
    else
        chosen = KGivenRow(count, row, position.row, loopType, selectedIsPlaying);
    if (!selectedIsPlaying) {
        playingList = selected;
        position.Set(-1);
    }
    return chosen >= 0 ? StartRow(chosen, choice == CHOOSE_GIVEN) : 0;
}

int CPlayerContainer::StartRow(int row, bool mayResume)
{
    CLmMediaInfo* info = listBox.GetRecord(row);
    if (!info || !player)
        return 0;
    info->AddRef();
    if (playingInfo)
        playingInfo->Release();
    playingInfo = info;
    position.Set(row);
    listBox.SelectItem(row, 0);
    listBox.SelectPlayingRow(row);
    player->Close();
    const bool opened = player->Open(info->GetPath()) != 0;
    const int startMs = ResumePosition(opened ? info : nullptr, mayResume);
    if (startMs > 0)
        player->SetPosition(startMs);
    if (!opened || !player->Play()) {
        ShowStopped();
        ShowToastString(IDS_INVALID_FILE);
        return 0;
    }
    ShowStartedFile();
    if (startMs > 0)
        ShowSecond(startMs / MS_PER_SECOND);
    LmSettings::SetPlayingList(playListCtrl ? playListCtrl->IndexOfPlayList(playingList) : -1);
    LmSettings::SetPlayingFile(row);
    LmSettings::SetPlayingPosition(startMs);
    LmSettings::SaveSettings();
    return 1;
}

int CPlayerContainer::ResumePosition(const CLmMediaInfo* info, bool mayResume)
{
    CLmMediaInfo* kept = resumeInfo;
    const int keptMs = resumeMs;
    resumeInfo = nullptr;
    resumeMs = 0;
    if (!kept)
        return 0;
    const bool resumes = mayResume && info == kept && keptMs < player->GetDuration()
                         && !LmSettings::IsWrittenSinceSettings(info->GetPath());
    kept->Release();
    return resumes ? keptMs : 0;
}

void CPlayerContainer::KeepPosition()
{
    LmSettings::SetPlayingPosition(player->GetPosition());
    LmSettings::SaveSettings();
}

void CPlayerContainer::ShowStartedFile()
{
    const int seconds = player->GetDuration() / MS_PER_SECOND;
    wchar_t text[TIME_TEXT_MAX];
    CMediaListBox::FormatSeconds(seconds < 0 ? 0 : seconds, text, TIME_TEXT_MAX);
    totalLabel.SetText(text);
    elapsedLabel.SetText(ZERO_TIME);
    slider.SetRange(0, seconds < 0 ? 0 : seconds);
    slider.SetPosition(0);
    lastSecond = 0;
    titleLabel.SetText(playingInfo ? (const wchar_t*)playingInfo->GetTitle() : nullptr);
    SetPlayIcon(LMCELL_PAUSE);
}

void CPlayerContainer::SetPlayIcon(int cell)
{
    playButton.SetIcon(buttonImages, cell, cell + 1, cell, cell);
}

int CPlayerContainer::PlayRow(int row)
{
    return Choose(CHOOSE_GIVEN, row);
}

int CPlayerContainer::PlayNext()
{
    StopPlayback();
    return Choose(CHOOSE_NEXT, -1);
}

int CPlayerContainer::PlayPrevious()
{
    StopPlayback();
    return Choose(CHOOSE_PREVIOUS, -1);
}

void CPlayerContainer::StopPlayback()
{
    if (!player)
        return;
    const int state = player->GetState();
    if (state == KMEDIA_CLOSED || state == KMEDIA_STOPPED)
        return;
    player->Stop();
    ShowStopped();
    listBox.SelectItem(-1, 0);
}

void CPlayerContainer::ShowStopped()
{
    SetPlayIcon(LMCELL_PLAY);
    ShowSecond(0);
}

void CPlayerContainer::TogglePlay()
{
    if (!player)
        return;
    const int state = player->GetState();
    if (state == KMEDIA_CLOSED)
        PlayRow(-1);
    else if (state == KMEDIA_PLAYING)
        PausePlayback();
    else
        ResumePlayback();
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

void CPlayerContainer::PausePlayback()
{
    if (player && player->GetState() == KMEDIA_PLAYING) {
        player->Pause();
        SetPlayIcon(LMCELL_PLAY);
        KeepPosition();
    }
}

void CPlayerContainer::StopAtStart()
{
    if (!player || player->GetState() == KMEDIA_CLOSED)
        return;
    player->Pause();
    player->SetPosition(0);
    ShowStopped();
    KeepPosition();
}

void CPlayerContainer::ResumePlayback()
{
    if (!player)
        return;
    const int state = player->GetState();
    if (state != KMEDIA_CLOSED && state != KMEDIA_PLAYING && player->Play())
        SetPlayIcon(LMCELL_PAUSE);
}

void CPlayerContainer::ApplyLoopType(int type)
{
    loopType = type;
    const int cell = LMCELL_LOOP + 2 * type;
    loopButton.SetIcon(buttonImages, cell, cell + 1, cell, cell);
    LmSettings::SetLoopType(type);
    LmSettings::SaveSettings();
}

void CPlayerContainer::BeginInterruption()
{
    if (!player || player->GetState() != KMEDIA_PLAYING)
        return;
    pausedByInterruption = true;
    PausePlayback();
}

void CPlayerContainer::EndInterruption()
{
    if (!pausedByInterruption)
        return;
    if (player && player->GetState() == KMEDIA_PAUSED)
        ResumePlayback();
    pausedByInterruption = false;
}

// ---- Probe of tags and durations -------------------------------------------------------------------------

void CPlayerContainer::PostProbe(int continuation, int delayMs)
{
    if (probePending)
        return;
    if (PostCall((INT_PTR)this, continuation, 0, ProbeCall, delayMs))
        probePending = true;
}

void CPlayerContainer::ProbeCall(INT_PTR container, INT_PTR continuation, INT_PTR)
{
    CPlayerContainer* self = (CPlayerContainer*)container;
    if (!IsAlive(self))
        return;
    self->probePending = false;
    self->ProbeStep((int)continuation);
}

int CPlayerContainer::FindRowToProbe(int from) const
{
    const int count = listBox.GetCount();
    while (from < count && !NeedsProbe(listBox.GetRecord(from)))
        from++;
    return from;
}

bool CPlayerContainer::NeedsProbe(const CLmMediaInfo* info)
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

bool CPlayerContainer::ProbeRow(CLmMediaInfo* info, bool* usedGraph)
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
        if (player->ProbeDuration(path, info)
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

void CPlayerContainer::ProbeStep(int continuation)
{
    if (!GetHwnd() || !player)
        return;
    const DWORD start = GetTickCount();
    const int count = listBox.GetCount();
    // The search goes on where the last step stopped, so that probing the rows added to a long
    // list costs one walk over it, not one per row. Rows can move or change behind that point (a
    // sort, a swipe, another list shown): before the probe ends, it looks once more from the top.
    bool fromTop = probeFrom == 0;
    int index = probeFrom < count ? probeFrom : count;
    for (;;) {
        index = FindRowToProbe(index);
        if (index == count && !fromTop) {
            fromTop = true;
            index = FindRowToProbe(0);
        }
        if (index == count) {
            probeFrom = 0;
            if (continuation && playListCtrl)
                playListCtrl->SavePlayLists();
            return;
        }
        probeFrom = index + 1;
        CLmMediaInfo* info = listBox.GetRecord(index);
        bool usedGraph = false;
        if (ProbeRow(info, &usedGraph)) {
            continuation = 1;
            listBox.RefreshRowTexts(index);
            if (info == playingInfo)
                titleLabel.SetText(info->GetTitle());
        }
        if (usedGraph || GetTickCount() - start >= (DWORD)LMPROBE_STEP_BUDGET_MS)
            break;
        index = probeFrom;
    }
    PostProbe(continuation, LMPROBE_STEP_MS);
}

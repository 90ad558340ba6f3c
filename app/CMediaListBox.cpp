// CMediaListBox: media rows over the list box: their records, their painting and the path index
// of the duplicate test.
#include "app/CMediaListBox.h"

#include "app/LmStringIds.h"
#include "foundation/KResource.h"
#include "foundation/KText.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableSlot.h"

K_IMPLEMENT_DYNCREATE(CMediaListBox, CKListBox)

namespace {

constexpr char LM_DRAWABLES[] = "LmDrawable.xml";
// Longest placeholder text kept, in characters.
constexpr int PLACEHOLDER_MAX = 128;
// Characters of a formatted time, with the NUL ("-2147483:48" fits).
constexpr int TIME_TEXT_MAX = 16;
// The playing row is painted with the disabled look, which the drawables colour as the accent.
constexpr unsigned int PLAYING_LOOK = KSTATE_DISABLED;
// Drawable state bits of the row texts.
constexpr unsigned int TIME_STATE = KDT_RIGHT;                       // time at the right
constexpr unsigned int TITLE_STATE = KDT_LEFT | KDT_END_ELLIPSIS;    // title at the left, cut
constexpr unsigned int LINE2_STATE = KDT_LEFT | KDT_END_ELLIPSIS;    // artist, then album, cut
// Shown in place of artist and album while a row is unmeasured.
constexpr wchar_t UNMEASURED_LINE2[] = L"......";

void LoadPlaceholder(KStringW& text, int id)
{
    wchar_t buffer[PLACEHOLDER_MAX + 1];
    if (LoadResString((UINT)id, buffer, PLACEHOLDER_MAX + 1) > 0)
        text.Assign(buffer);
}

} // namespace

CMediaListBox::~CMediaListBox()
{
    RemoveAllRows();
    KDropDrawable(timeText);
    KDropDrawable(line2Text);
}

void CMediaListBox::Initialize(unsigned int newStyle)
{
    const KRuntimeClass* textKind = K_RUNTIME_CLASS(CKTextDrawable);
    if (!background)
        SetBackground(GetDrawable(LM_DRAWABLES, "LmPlayListBkgnd"));
    KLoadDrawable(face, LM_DRAWABLES, "LmPlayListFace", K_RUNTIME_CLASS(CKFaceDrawable));
    KLoadDrawable(text1, LM_DRAWABLES, "LmPlayTitleText", textKind);
    KLoadDrawable(text2, LM_DRAWABLES, "LmPlayArtistText", textKind);
    KLoadDrawable(line2Text, LM_DRAWABLES, "LmPlayArtistText", textKind);
    KLoadDrawable(timeText, LM_DRAWABLES, "LmPlayTimeText", textKind);
    LoadPlaceholder(unknownArtist, IDS_UNKNOWN_ARTIST);
    LoadPlaceholder(unknownAlbum, IDS_UNKNOWN_ALBUM);
    SetDeleteText(IDS_DELETE_ROW);
    CKListBox::Initialize(newStyle);
}

void CMediaListBox::SetTimeDrawable(CKDrawable* drawable)
{
    KHoldDrawable(timeText, drawable, K_RUNTIME_CLASS(CKTextDrawable));
}

void CMediaListBox::SetLine2Drawable(CKDrawable* drawable)
{
    KHoldDrawable(line2Text, drawable, K_RUNTIME_CLASS(CKTextDrawable));
}

// ---- Rows ---------------------------------------------------------------------------------------

int CMediaListBox::AddMediaRow(CLmMediaInfo* info, CKImgList* icons)
{
    if (!info)
        return -1;
    const int index = AddItem(LMROW_FLAGS);
    if (index < 0)
        return -1;
    info->AddRef();
    SetItemData(index, (INT_PTR)info);
    SetItemText(index, info->GetTitle(), -1, info->GetAlbum(), -1);
    SetItemIcon(index, icons, LMROW_ICON_CELL);
    if (pathsIndexed)
        paths.Add(info->GetPath());
    return index;
}

void CMediaListBox::RemoveAllRows()
{
    pathsIndexed = false;
    paths.Clear();
    RemoveAllItems();
}

int CMediaListBox::ContainsPath(const wchar_t* path)
{
    if (!pathsIndexed) {
        paths.Reserve(GetCount());
        for (int i = 0; i < GetCount(); i++)
            if (const CLmMediaInfo* info = GetRecord(i))
                paths.Add(info->GetPath());
        pathsIndexed = true;
    }
    return paths.Contains(path);
}

void CMediaListBox::OnDeleteItem(KListItem* item)
{
    CLmMediaInfo* info = (CLmMediaInfo*)item->userData;
    item->userData = 0;
    if (!info)
        return;
    if (pathsIndexed)
        paths.Remove(info->GetPath());
    info->Release();
}

void CMediaListBox::RefreshRowTexts(int index)
{
    const CLmMediaInfo* info = GetRecord(index);
    if (!info)
        return;
    SetItemText(index, info->GetTitle(), -1, info->GetAlbum(), -1);
    InvalidateItem(index);
}

void CMediaListBox::SelectPlayingRow(int index)
{
    const int count = GetCount();
    for (int i = 0; i < count; i++) {
        KListItem* item = GetItem(i);
        const bool playing = i == index;
        if (((item->flags & LMROW_PLAYING) != 0) == playing)
            continue;
        if (playing)
            item->flags |= LMROW_PLAYING;
        else
            item->flags &= ~LMROW_PLAYING;
        InvalidateItem(i);
    }
    if (index >= 0 && index < count)
        EnsureVisible(index, 0);
}

// ---- Painting -----------------------------------------------------------------------------------

void CMediaListBox::FormatSeconds(int seconds, wchar_t* text, int capacity)
{
    FormatText(text, capacity, L"%d:%02d", seconds / 60, seconds % 60);
}

void CMediaListBox::FormatRowTime(int durationMs, wchar_t* text, int capacity)
{
    if (durationMs >= 1)
        FormatSeconds(durationMs / 1000, text, capacity);
    else
        FormatText(text, capacity, L"%s",
                   durationMs == KMEDIA_DURATION_UNMEASURED ? L"-:--" : L"?:??");
}

void CMediaListBox::DrawItem(CKCanvas* canvas, KListItem* item, const RECT& rect)
{
    const CLmMediaInfo* info = (const CLmMediaInfo*)item->userData;
    if (item->height <= 0 || !info) {
        CKListBox::DrawItem(canvas, item, rect);
        return;
    }
    const unsigned int extra = (item->flags & LMROW_PLAYING) ? PLAYING_LOOK : 0;
    const unsigned int bits = (item->flags & KSTATE_SLOT_MASK) | extra;
    const RECT row = DrawItemFrame(canvas, item, rect);
    RECT content = DrawItemFace(canvas, item, row, extra);
    DrawItemIconAndBox(canvas, item, content, extra);

    const int middle = (content.top + content.bottom) / 2;
    RECT upper = {content.left, content.top, content.right, middle};
    const int duration = info->GetDuration();
    if (timeText) {
        wchar_t time[TIME_TEXT_MAX];
        FormatRowTime(duration, time, TIME_TEXT_MAX);
        const int width = MeasureText(timeText, time, -1, bits | TIME_STATE).cx;
        const RECT band = {upper.right - width, upper.top, upper.right, upper.bottom};
        DrawTextLine(canvas, timeText, time, -1, band, bits | TIME_STATE);
        upper.right = band.left;
    }
    if (text1)
        DrawTextLine(canvas, text1, info->GetTitle(), info->GetTitle().GetLength(), upper,
                     bits | TITLE_STATE);

    if (!line2Text || duration < 0)
        return;
    RECT lower = {content.left, middle, content.right, content.bottom};
    if (duration == KMEDIA_DURATION_UNMEASURED) {
        DrawTextLine(canvas, line2Text, UNMEASURED_LINE2, -1, lower, bits | LINE2_STATE);
        return;
    }
    const KStringW& artist = info->GetArtist().GetLength() ? info->GetArtist() : unknownArtist;
    const KStringW& album = info->GetAlbum().GetLength() ? info->GetAlbum() : unknownAlbum;
    // The artist takes its width, the album what is left; the one that reaches the row's end is
    // cut there with an ellipsis (an artist too long for the row leaves no room for the album).
    const int width = MeasureText(line2Text, artist, artist.GetLength(), bits | LINE2_STATE).cx;
    RECT first = lower;
    if (width < lower.right - lower.left)
        first.right = lower.left + width;
    DrawTextLine(canvas, line2Text, artist, artist.GetLength(), first, bits | LINE2_STATE);
    lower.left = first.right;
    if (lower.left < lower.right)
        DrawTextLine(canvas, line2Text, album, album.GetLength(), lower, bits | LINE2_STATE);
}

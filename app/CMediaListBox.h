// CMediaListBox: the player page's playing list. One row per media record of the selected
// playlist, painted with the record's time, title, artist and album (or their placeholders), the
// playing row marked; it also answers "is this path shown already" for the files being added.
//
// Row rules:
// - A row's item data is its CLmMediaInfo, on which the row holds one reference (released by
//   OnDeleteItem when the row goes; the destructor removes every row first).
// - A row's texts are borrowed from its record (title, album); RefreshRowTexts points them at the
//   record's strings again after the record changed them.
// - At most one row carries LMROW_PLAYING (SelectPlayingRow).
// - The path index of the duplicate test is built at the first ContainsPath after RemoveAllRows and
//   then follows every row added or removed (a list that is only shown never pays for it).
#pragma once
#include "app/CLmMediaInfo.h"
#include "app/CLmPathIndex.h"
#include "controls/CKListBox.h"
#include "foundation/KString.h"

class CKImgList;

// Item flag of the playing row (the checked bit of the row's state).
constexpr unsigned int LMROW_PLAYING = KSTATE_CHECKED;
// Item flags every media row is added with: its texts are the record's.
constexpr unsigned int LMROW_FLAGS = KLI_BORROWED_TEXT;
// Cell of "res/FileIcon.png" shown on every row.
constexpr int LMROW_ICON_CELL = 5;

class CMediaListBox : public CKListBox
{
    K_DECLARE_DYNCREATE(CMediaListBox)
public:
    CMediaListBox() = default;
    // Removes every row (releasing the records), then releases the two drawables of its own.
    ~CMediaListBox() override;

    // ---- List box and window operations ----
    // The "Lm" look into empty slots, the placeholder texts and the delete text, then the base.
    void Initialize(unsigned int style) override;
    // Face and icon as the list box paints them, then the time and title in the upper half and the
    // artist and album (or "......" while unmeasured) in the lower half.
    void DrawItem(CKCanvas* canvas, KListItem* item, const RECT& rect) override;
    // Releases the row's record and takes its path out of the index.
    void OnDeleteItem(KListItem* item) override;

    // ---- Rows ----
    // Appends a row for `info` (one reference taken) with icon cell 5 of `icons`; its index, or -1
    // when the row could not be added.
    int AddMediaRow(CLmMediaInfo* info, CKImgList* icons);
    // The record of a row, none for a bad index.
    CLmMediaInfo* GetRecord(int index) const { return (CLmMediaInfo*)GetItemData(index); }
    // Points the row's texts at its record's title and album again and repaints the row.
    void RefreshRowTexts(int index);
    // Every row removed, and the path index forgotten until it is needed again.
    void RemoveAllRows();
    // 1 when a row's path equals `path` under the playlists' name comparison.
    int ContainsPath(const wchar_t* path);
    // LMROW_PLAYING on that row only (none for -1), repainted, and the row scrolled into view.
    void SelectPlayingRow(int index);

    // The formatted time of a row: "m:ss" of a measured length, "-:--" unmeasured, "?:??" unknown.
    static void FormatRowTime(int durationMs, wchar_t* text, int capacity);
    // "m:ss" of whole seconds (minutes not limited to two digits).
    static void FormatSeconds(int seconds, wchar_t* text, int capacity);

    void SetTimeDrawable(CKDrawable* drawable);
    void SetLine2Drawable(CKDrawable* drawable);
    CKTextDrawable* GetTimeDrawable() const { return timeText; }
    CKTextDrawable* GetLine2Drawable() const { return line2Text; }

private:
    KStringW unknownArtist;                 // string IDS_UNKNOWN_ARTIST
    KStringW unknownAlbum;                  // string IDS_UNKNOWN_ALBUM
    CKTextDrawable* timeText = nullptr;     // counted: "LmPlayTimeText"
    CKTextDrawable* line2Text = nullptr;    // counted: "LmPlayArtistText"
    CLmPathIndex paths;                     // the rows' paths (borrowed from their records), for the
                                            // duplicate test
    bool pathsIndexed = false;              // `paths` holds every row's path
};

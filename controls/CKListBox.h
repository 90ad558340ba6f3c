// CKListBox: the scrolling list of the UI (the playing list, the file list, list dialogs). It holds
// item records laid out as rows, grouped rows or a grid, paints only the rows the clip needs,
// scrolls through the window system's drag-scroll, keeps a selection, toggles check and radio
// boxes, slides a row aside to reveal a delete area, unfolds one row's button group, and reports
// every user action to its parent as a notification.
//
// Items are KListItem records held by value in a CKArray (pointers from GetItem are invalidated
// by inserting, removing and sorting). The list owns each item's copied texts (borrowed texts,
// KLI_BORROWED_TEXT, are neither copied nor freed) and holds one reference on its image list and
// its button group; OnDeleteItem runs before an item is freed. The seven drawable slots follow
// graphics/KDrawableSlot.h (face and groupItemFace are faces, icon an icon, the three texts text
// drawables, box a state box).
//
// Redraw: the window flag KWF_REPAINT_ON_CHANGE is the list's ready flag. While it is set, item
// operations lay the list out again and repaint; without it (SetRedraw(0), or a list created
// without the flag) they wait for SetRedraw(1) or the next OnSize.
//
// Layout invariant: RecalcItems places rows top to bottom in index order, so the items' y and
// y + height never decrease with the index; painting and hit-testing find the first row they
// need by binary search, whatever the row count.
//
// Implementation files: CKListBox.cpp (items, selection, checks, drawables, notifications, sort),
// CKListBoxLayout.cpp (layout, hit-testing, sizes, scrolling to an item, expansion),
// CKListBoxPaint.cpp (painting), CKListBoxInput.cpp (pointer, swipe-to-delete and keys).
#pragma once
#include "foundation/CKArray.h"
#include "foundation/KString.h"
#include "graphics/CKDrawable.h"
#include "ui/CKWindow.h"

class CKButtonGroup;
class CKFaceDrawable;
class CKIconDrawable;
class CKImgList;
class CKStateBoxDrawable;
class CKTextDrawable;

// Item flags (KListItem::flags). The top four bits are the KSTATE_* bits of
// graphics/CKDrawable.h (checked, selected, pressed, disabled); the box kind uses the KBOX_* values
// of graphics/CKStateBoxDrawable.h.
constexpr unsigned int KLI_TEXT_RIGHT = 0x1;           // texts aligned to the right edge
constexpr unsigned int KLI_BOX_RIGHT = 0x2;            // box at the right edge (else the left)
constexpr unsigned int KLI_OWN_HEIGHT = 0x4;           // keeps its height through RecalcItems
constexpr unsigned int KLI_EXPANDED = 0x8;             // its button group shows under the row
constexpr unsigned int KLI_BORROWED_TEXT = 0x10;       // texts are the caller's: not copied, not freed
constexpr unsigned int KLI_RADIO_FIRST = 0x20;         // first item of a radio run
constexpr unsigned int KLI_HEADER = 0x40;              // group header row (group mode)
constexpr unsigned int KLI_ICON_RIGHT = 0x80;          // icon at the right edge (else the left)
constexpr unsigned int KLI_BOX_MASK = 0xF000;          // box kind: 0 none, KBOX_CHECK, KBOX_DELETE
                                                       // (both check boxes), KBOX_RADIO, others
constexpr unsigned int KLI_PRESSED_BOX = 0x100000;     // pressed on the box part
constexpr unsigned int KLI_PRESSED_SECOND = 0x200000;  // pressed on the second part
constexpr unsigned int KLI_SLID = 0x1000000;           // content slid sideways (x is negative)

// List box style bits.
constexpr unsigned int KLBS_MODE_MASK = 0x3;           // the mode: one of the three below (0x4 up
                                                       // are the options that follow)
constexpr unsigned int KLBS_LIST = 0x0;                // plain rows
constexpr unsigned int KLBS_GROUP = 0x1;               // rows under group header rows
constexpr unsigned int KLBS_GRID = 0x2;                // cells left to right, row by row
constexpr unsigned int KLBS_BUTTONS = 0x4;             // items carry button groups
constexpr unsigned int KLBS_MULTI_SELECT = 0x10;       // a tap toggles the item's selection
constexpr unsigned int KLBS_NO_SELECT = 0x20;          // nothing is ever selected
constexpr unsigned int KLBS_TAP_TOGGLES = 0x40;        // a tap anywhere on an item toggles its box
constexpr unsigned int KLBS_TAP_EXPANDS = 0x80;        // a tap expands the item (with KLBS_BUTTONS)
constexpr unsigned int KLBS_SWIPE = 0x100;             // swipe-to-delete enabled
constexpr unsigned int KLBS_SWIPE_CANDIDATE = 0x200;   // state: a press that may become a swipe
constexpr unsigned int KLBS_SWIPE_SLIDING = 0x400;     // state: a row follows the pointer
constexpr unsigned int KLBS_SWIPE_OPEN = 0x800;        // state: a row's delete area is open
constexpr unsigned int KLBS_SWIPE_STATES =
    KLBS_SWIPE_CANDIDATE | KLBS_SWIPE_SLIDING | KLBS_SWIPE_OPEN;

// Part codes of HitTestPart.
constexpr int KLBP_BODY = 0;      // the item's body
constexpr int KLBP_BOX = 16;      // its box
constexpr int KLBP_SECOND = 32;   // a second active area (subclasses only)
constexpr int KLBP_BUTTONS = 48;  // its button group (the expanded item)

// Notification codes (OnNotify(list id, code, item index) at the parent).
constexpr int KNOTIFY_LB_TAP = 1281;          // tap on an item's body; confirm key on the selection
constexpr int KNOTIFY_LB_DBLPRESS = 1282;     // item double-pressed; with KWF_DBLCLK, confirm key
constexpr int KNOTIFY_LB_SELECT = 1283;       // selection moved (single selection mode only)
constexpr int KNOTIFY_LB_CHECK = 1284;        // check state of the item changed
constexpr int KNOTIFY_LB_DELETE = 1285;       // the item is about to be removed by the swipe
constexpr int KNOTIFY_LB_BOX_TAP = 1297;      // tap on the item's box
constexpr int KNOTIFY_LB_SECOND_TAP = 1313;   // tap on the item's second part

// One item, created zero-filled. The fields are ordered so that no padding falls between them:
// a list of a million rows holds a million of these.
struct KListItem
{
    unsigned int flags;       // KLI_* and KSTATE_* bits
    int iconCell;
    const wchar_t* text1;     // first line: owned copy, or borrowed with KLI_BORROWED_TEXT
    const wchar_t* text2;     // second line, likewise
    int text1Length;          // units, without the NUL
    int text2Length;
    CKImgList* iconList;      // counted, or none
    CKButtonGroup* buttons;   // counted, or none
    INT_PTR userData;         // the caller's value (wide enough for a record pointer)
    int height;
    int width;
    int x;                    // position in content coordinates; a swipe makes x negative
    int y;
};

// Orders two items for Sort: < 0 when `a` comes first, 0 when they are equal.
typedef int (*KListCompareProc)(const KListItem* a, const KListItem* b, void* context);

class CKListBox : public CKWindow
{
    K_DECLARE_DYNCREATE(CKListBox)
public:
    CKListBox();
    // Frees every item without OnDeleteItem (a subclass's override is gone by then: a subclass
    // whose items hold something calls RemoveAllItems in its own destructor) and releases the
    // drawables.
    ~CKListBox() override;

    // ---- Virtual operations ----
    // Assigns every item its rectangle and sets the vertical scroll range to the content height.
    virtual void RecalcItems();
    // Lays out every item's button group for the client width (KLBS_BUTTONS only).
    virtual void LayoutItemButtons();
    // Item rectangle in client coordinates, scroll applied; 0 when there is no such item.
    virtual int GetItemRect(int index, RECT* rect);
    // The item under the point (client coordinates), or -1.
    virtual int HitTest(int x, int y);
    // KLBP_* code of the point within the item.
    virtual int HitTestPart(int index, int x, int y);
    // Paints one item into `rect` (its rectangle in client coordinates).
    virtual void DrawItem(CKCanvas* canvas, KListItem* item, const RECT& rect);
    // An item is about to be freed; the base does nothing.
    virtual void OnDeleteItem(KListItem* item);

    // ---- Window operations ----
    // With KLBS_BUTTONS and KLBS_TAP_EXPANDS a tap (KNOTIFY_LB_TAP) first expands the tapped item,
    // or collapses it when it is the expanded one; every code then goes to the parent.
    int NotifyParent(int code, INT_PTR param, int id) override;
    // Loads the empty drawable slots of the mode from "res/DrawableLB.xml" after the base.
    void Initialize(unsigned int style) override;
    // Empties the icon drawable's image list, then the base.
    void OnDestroy() override;
    // Preferred row size: the two text lines, a check box beside them, the face's insets.
    int CalcSize(SIZE& size) override;
    // LayoutItemButtons, RecalcItems, repaint.
    void OnSize() override;
    // Arrows move the selection; Enter, Space and the confirm key press the selected item and, on
    // release, toggle its box or tap it (KNOTIFY_LB_TAP), or double-press it (KNOTIFY_LB_DBLPRESS)
    // in a list that reports double presses (KWF_DBLCLK).
    int OnKey(int code, int key, int repeatFlags) override;
    // Keeps the arrows and Enter.
    unsigned int GetDialogCode(int key) override;
    int OnMouse(int code, int x, int y, int extra) override;
    // The rows that meet the clip, found by binary search.
    void OnPaint(CKCanvas* canvas) override;

    // ---- Items ----
    // A zero-filled item with `flags` at `index` (below 0 or above the count: appended); -1 when
    // the array cannot grow. A selection at or after the index moves with its item.
    int InsertItem(int index, unsigned int flags);
    int AddItem(unsigned int flags) { return InsertItem(-1, flags); }
    // OnDeleteItem, then the item is freed; indexes after it move down and a selection on it is
    // cleared. 0 for a bad index.
    int RemoveItem(int index);
    // Every item is freed (after OnDeleteItem); no selection, scroll position and range 0.
    void RemoveAllItems();
    // Makes room for `count` items at once: a caller about to add that many spares the array its
    // growth steps (and the moment it holds the old and the new storage together). 0 when memory
    // ran out; the items can still be added one by one.
    int ReserveItems(int count) { return items.Reserve(count); }
    // Negative lengths mean up to the NUL; with KLI_BORROWED_TEXT the pointers are kept as they
    // are, otherwise copies replace the previous ones. 0 for a bad index or when memory ran out.
    int SetItemText(int index, const wchar_t* text1, int length1, const wchar_t* text2,
                    int length2);
    // The list (one reference; none clears) and the cell to draw.
    int SetItemIcon(int index, CKImgList* list, int cell);
    // The item's button group: the list holds one reference (switching the group to counting
    // when it is not) and becomes its owner; none clears. The previous group is released.
    int SetItemButtons(int index, CKButtonGroup* group);
    // A height of at least 1 is kept as the item's own (KLI_OWN_HEIGHT); a smaller value gives
    // it back the default height.
    int SetItemHeight(int index, int height);
    void SetDefaultItemHeight(int height) { itemHeight = height; }
    int GetDefaultItemHeight() const { return itemHeight; }
    int GetCellWidth() const { return cellWidth; }
    // The item's natural content size measured with the drawables; 0 for a bad index.
    int CalcItemSize(int index, SIZE& size);
    int SetItemData(int index, INT_PTR value);
    // 0 for a bad index.
    INT_PTR GetItemData(int index) const;
    // A radio item goes through SetRadioCheck; a check item changes its bit only when it
    // differs, then sends 1284. Returns 1 when the state changed.
    int SetItemCheck(int index, int on);
    // The checked bit of an item with a box, else 0.
    int GetItemCheck(int index) const;
    // Turning on an unchecked radio item unchecks the rest of its run; turning off a checked one
    // clears it; either sends 1284. Returns 1 when the state changed.
    int SetRadioCheck(int index, int on);
    int GetCount() const { return items.GetCount(); }
    // None outside 0..count-1.
    KListItem* GetItem(int index) const { return (KListItem*)items.GetAt(index); }

    // ---- Selection, scrolling, expansion ----
    // KLBS_NO_SELECT: nothing (0). KLBS_MULTI_SELECT: toggles the item's selected bit. Otherwise
    // moves the selection (-1 clears it), scrolls the item into view (animated when
    // `ensureVisible` is set) and sends 1283. 1 when done.
    int SelectItem(int index, int ensureVisible);
    int GetSelectedIndex() const { return selectedIndex; }
    // Scrolls so that the whole item shows, when it does not.
    void EnsureVisible(int index, int animate);
    // Expands the item (its button group under its row) and collapses the expanded one; -1
    // collapses. Animated through CKAniListBoxExpand when `animate` is set.
    void Expand(int index, int animate);
    int GetExpandedIndex() const { return expandedIndex; }
    // Press highlight on the item (part KLBP_BOX or KLBP_SECOND marks that part); -1 clears.
    void SetPressed(int index, int part);
    int GetPressedIndex() const { return pressedIndex; }
    // The item whose delete area is open, or -1.
    int GetSwipeIndex() const { return swipeIndex; }
    // Removes the item as a tap on its delete area does: the row collapses (animated), then
    // KNOTIFY_LB_DELETE reaches the parent and the item goes; another row's open delete area snaps
    // shut first. 0 without the item.
    int SwipeAway(int index);
    int GetColumns() const { return columns; }
    int GetContentHeight() const { return contentHeight; }

    // ---- Sorting and redraw ----
    // Puts the items in exactly the order the library's selection sort (CKArray::Sort, ascending)
    // gives with `compare` - equal items included - in O(n log n) comparisons; without a
    // comparison by text1 in character-code order. Clears the selection. 0 when memory ran out
    // (the order is then unchanged). `compare` must be a consistent ordering.
    int Sort(KListCompareProc compare, void* context);
    // The same for items whose order a caller has already reduced to keys, one per item in the
    // current order: the selection sort's order for a comparison under which items compare as
    // their keys do (equal keys: equal items). Keys spare a caller that can make them cheaply the
    // comparisons of a long list.
    int SortByKeys(const unsigned long long* keys);
    // Off: item operations skip recalculation and repainting. On: recalculates and repaints.
    void SetRedraw(int on);
    bool IsRedrawOn() const { return (flags & KWF_REPAINT_ON_CHANGE) != 0; }

    // The text shown in the delete area: a string-table text (the current one stays when the
    // string does not exist).
    void SetDeleteText(UINT stringId);
    const wchar_t* GetDeleteText() const { return deleteText; }

    // ---- Drawables ----
    void SetFaceDrawable(CKDrawable* drawable);
    void SetIconDrawable(CKDrawable* drawable);
    void SetText1Drawable(CKDrawable* drawable);
    void SetText2Drawable(CKDrawable* drawable);
    void SetGroupItemFaceDrawable(CKDrawable* drawable);
    void SetGroupItemTextDrawable(CKDrawable* drawable);
    void SetBoxDrawable(CKDrawable* drawable);
    CKFaceDrawable* GetFaceDrawable() const { return face; }
    CKIconDrawable* GetIconDrawable() const { return icon; }
    CKTextDrawable* GetText1Drawable() const { return text1; }
    CKTextDrawable* GetText2Drawable() const { return text2; }
    CKFaceDrawable* GetGroupItemFaceDrawable() const { return groupItemFace; }
    CKTextDrawable* GetGroupItemTextDrawable() const { return groupItemText; }
    CKStateBoxDrawable* GetBoxDrawable() const { return box; }

protected:
    // ---- Painting pieces a subclass's DrawItem reuses (CKListBoxPaint.cpp) ----
    // The parts of a row outside its face: for an expanded item the background and the button
    // group below the row, for a slid row the delete strip. Returns the row's own rectangle.
    RECT DrawItemFrame(CKCanvas* canvas, KListItem* item, const RECT& rect);
    // The row's face (the group mode's corner and side bits added) with the item's state bits
    // plus `extraState`; returns the content rectangle inside it.
    RECT DrawItemFace(CKCanvas* canvas, KListItem* item, const RECT& row, unsigned int extraState);
    // The icon and the box, each taking its room from its side of `content`, which shrinks.
    void DrawItemIconAndBox(CKCanvas* canvas, KListItem* item, RECT& content,
                            unsigned int extraState);

    // A shared text drawable pointed at `text` only for this one measure or draw.
    static SIZE MeasureText(CKTextDrawable* drawable, const wchar_t* text, int length,
                            unsigned int state);
    static void DrawTextLine(CKCanvas* canvas, CKTextDrawable* drawable, const wchar_t* text,
                             int length, const RECT& rect, unsigned int state);

    // Repaints the item's row across the whole client width while redraw is on.
    void InvalidateItem(int index);
    // Recalculates and repaints while redraw is on.
    void Refresh();
    // Turns redraw off and says whether it was on; ResumeRedraw(true) turns it back on.
    bool SuspendRedraw();
    void ResumeRedraw(bool wasOn);
    // The first item whose bottom lies below the content coordinate `y` (count when none).
    int FindFirstBelow(int y) const;
    // Client width, 0 without a window.
    int GetClientWidth() const;

    CKArray items;                    // of KListItem
    int selectedIndex = -1;
    int pressedIndex = -1;
    int swipeIndex = -1;              // the item whose delete area is open
    int contentWidth = 0;
    int contentHeight = 0;
    int itemHeight;
    int cellWidth;
    KStringW deleteText;
    int columns = 1;
    int expandedIndex = -1;
    int captureIndex = -1;            // the item whose button group holds the press
    POINT swipeStart = {0, 0};        // where the press of a swipe began
    CKFaceDrawable* face = nullptr;            // counted
    CKIconDrawable* icon = nullptr;            // counted
    CKTextDrawable* text1 = nullptr;           // counted
    CKTextDrawable* text2 = nullptr;           // counted
    CKFaceDrawable* groupItemFace = nullptr;   // counted
    CKTextDrawable* groupItemText = nullptr;   // counted
    CKStateBoxDrawable* box = nullptr;         // counted

private:
    friend class CKAniListBoxDelete;
    friend class CKAniListBoxExpand;

    // The removal function of the item array: OnDeleteItem (when `list` is given), then the
    // texts, the icon list and the button group are let go.
    static void FreeItem(void* item, void* list);
    // The index fields after an insertion (delta 1) or a removal (delta -1) at `at`: indexes
    // after it move along, a removed index becomes -1.
    void ShiftIndexes(int at, int delta);
    // The index of an item record of this list.
    int IndexOf(const KListItem* item) const { return items.IndexOf(item); }
    // Extra height of the item's button group (0 without one).
    int GetButtonsHeight(int index) const;
    // Lays a button group out in a band as wide as the client area.
    void LayoutGroup(CKButtonGroup* group);

    // Painting (CKListBoxPaint.cpp): one or two text lines in what is left of a row.
    void DrawItemTexts(CKCanvas* canvas, KListItem* item, const RECT& content);

    // Input (CKListBoxInput.cpp).
    int OnPress(int x, int y);
    int OnDragMove(int x, int y);
    int OnRelease(int x, int y);
    int OnDoublePress(int x, int y);
    void OnCancel();
    // The release of a tap over the pressed item: selection, box, notification.
    void OnTapped(int index, int x, int y);
    // Whether the item's box kind toggles (check, delete and radio boxes).
    static bool HasToggleBox(unsigned int itemFlags);
    // A check box toggles (KNOTIFY_LB_CHECK); an unchecked radio box gets checked, a checked one
    // stays.
    void ToggleBox(int index);
    // Forwards a pointer event to the item's button group in the coordinates of its band.
    void SendToButtons(int index, int code, int x, int y);
    // Slides the item `offset` pixels to the left (0: back in place) and repaints its row.
    void SetSlideOffset(int index, int offset);
    // Slide animation of an item from one leftward offset to another.
    void StartSlide(int index, int from, int to);
    // The end of a removal by swipe: KNOTIFY_LB_DELETE to the parent, then the item goes.
    void RemoveBySwipe(int index);
};

// The library's list box looks.
extern const char* const KDRAWABLE_FILE_LISTBOX;   // "res/DrawableLB.xml"

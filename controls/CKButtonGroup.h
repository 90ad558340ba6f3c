// CKButtonGroup: a row, column or grid of lightweight button items that lives inside some other
// window (its owner): it lays the items out, hit-tests and paints them, and reports a tap on an
// item to the owner, which passes it to its parent as OnNotify(item id, KNOTIFY_CLICK, item index).
//
// Items are KButtonItem records held by value in a CKArray; the group owns each item's text and
// frees it (after OnDeleteItem) when the items are removed or the group is destroyed. Item
// pointers from GetItem are invalidated by inserting and removing items. The owner is borrowed
// and must outlive the group's use of it; the six drawable slots follow graphics/KDrawableSlot.h
// (the background is a face drawable).
#pragma once
#include <windows.h>

#include "controls/KButtonContent.h"
#include "foundation/CKArray.h"
#include "foundation/CKObject.h"

class CKCanvas;
class CKDrawable;
class CKFaceDrawable;
class CKIconDrawable;
class CKTextDrawable;
class CKWindow;

// Item flags beyond the button style bits (alignment and arrangement in bits 0-5, KSTATE_* in
// bits 28-31).
constexpr unsigned int KBI_FIRST = 0x200;      // first segment of a segmented row
constexpr unsigned int KBI_LAST = 0x400;       // last segment
constexpr unsigned int KBI_SINGLE = 0x800;     // the only segment
constexpr unsigned int KBI_OWNSIZE = 0x10000;  // keeps its own size: Layout leaves width/height

// Layout flags of CKButtonGroup::Layout.
constexpr unsigned int KLAYOUT_HORZ = 0x1;     // items run left to right
constexpr unsigned int KLAYOUT_VERT = 0x2;     // items run top to bottom
constexpr unsigned int KLAYOUT_LINE = 0x4;     // one line
constexpr unsigned int KLAYOUT_GRID = 0x8;     // a grid filled along the direction
constexpr unsigned int KLAYOUT_LEFT = 0x10;    // block at the left (neither LEFT nor RIGHT: centred)
constexpr unsigned int KLAYOUT_RIGHT = 0x20;   // block at the right
constexpr unsigned int KLAYOUT_TOP = 0x40;     // block at the top (neither TOP nor BOTTOM: centred)
constexpr unsigned int KLAYOUT_BOTTOM = 0x80;  // block at the bottom
constexpr unsigned int KLAYOUT_ALIGN_MASK = 0xF0;

// One item, created zero-filled.
struct KButtonItem
{
    unsigned int flags;       // button style bits, KBI_* bits
    unsigned int id;          // command id reported to the owner
    KButtonContent content;   // text (owned by the group) and icon list (borrowed) with cells
    unsigned int reserved;    // always zero
    int x;                    // rectangle relative to the group's origin, written by Layout
    int y;
    int width;
    int height;
};

class CKButtonGroup : public CKObject
{
    K_DECLARE_CLASS(CKButtonGroup)
public:
    CKButtonGroup();
    // Removes every item (OnDeleteItem, texts freed), then releases the six drawables.
    ~CKButtonGroup() override;

    // ---- Virtual operations, after CKObject's ----
    // The first item's size measured like a button: content by its arrangement (room in
    // `size`), grown by the face's margins and paddings. 0 (and 0 x 0) without items.
    virtual int CalcSize(SIZE& size);
    // Places the items in an area of `size` by KLAYOUT_* flags, inside the background's margins
    // and paddings, and records the block's extent (GetTotalWidth / GetTotalHeight).
    virtual void Layout(SIZE size, unsigned int layoutFlags);
    // A pointer event at (x, y) relative to the group's origin: press marks the item under it,
    // release over the same item reports the tap to the owner, cancel forgets the press, moves
    // are ignored. Nonzero when the pressed item changed (the caller repaints).
    virtual int OnMouse(int code, int x, int y);
    // The background into `clip` (into `origin` without a clip), then every item that meets the
    // clip vertically (all without one), at its rectangle offset by the origin's top-left corner.
    virtual void Paint(CKCanvas* canvas, const RECT& origin, const RECT* clip);
    // One item: its face (with the segment bits of "auto" faces) and its content.
    virtual void DrawItem(CKCanvas* canvas, KButtonItem* item, const RECT& rect);
    // An item is about to be removed; the base does nothing.
    virtual void OnDeleteItem(KButtonItem* item);

    // ---- Items ----
    // A zero-filled item with `flags` and `id` at `index` (below 0 or above the count: appended).
    // The new index, or -1 when the array cannot grow. Repaints the owner.
    int InsertItem(int index, unsigned int flags, unsigned int id);
    int AddItem(unsigned int flags, unsigned int id) { return InsertItem(-1, flags, id); }
    // A copy of `length` units (negative: up to the NUL) as the item's text; none clears it. 0
    // for a bad index or when memory ran out. Repaints the owner.
    int SetItemText(int index, const wchar_t* text, int length = -1);
    // The list (borrowed) and one cell for all four states; 0 for a bad index. Repaints the owner.
    int SetItemIcon(int index, CKImgList* list, int cell);
    // Every item: OnDeleteItem, text freed; then the array is emptied and the owner repainted.
    void RemoveAllItems();
    // None outside 0..count-1.
    KButtonItem* GetItem(int index) const;
    int GetCount() const { return items.GetCount(); }
    // -1 when no item is pressed.
    int GetPressedIndex() const { return pressedIndex; }
    // The size Layout gives items without KBI_OWNSIZE (pixels).
    void SetItemSize(int width, int height);
    int GetItemWidth() const { return itemWidth; }
    int GetItemHeight() const { return itemHeight; }
    int GetTotalWidth() const { return totalWidth; }
    int GetTotalHeight() const { return totalHeight; }
    // The window notified of taps and repainted after changes (borrowed).
    void SetOwner(CKWindow* window) { owner = window; }
    CKWindow* GetOwner() const { return owner; }

    // ---- Drawables ----
    void SetBkgndDrawable(CKDrawable* drawable);
    void SetFaceDrawable(CKDrawable* drawable);
    void SetFaceCheckDrawable(CKDrawable* drawable);
    void SetTextDrawable(CKDrawable* drawable);
    void SetTextCheckDrawable(CKDrawable* drawable);
    void SetIconDrawable(CKDrawable* drawable);
    CKFaceDrawable* GetBkgndDrawable() const { return bkgnd; }
    CKFaceDrawable* GetFaceDrawable() const { return face; }
    CKFaceDrawable* GetFaceCheckDrawable() const { return faceCheck; }
    CKTextDrawable* GetTextDrawable() const { return text; }
    CKTextDrawable* GetTextCheckDrawable() const { return textCheck; }
    CKIconDrawable* GetIconDrawable() const { return icon; }

protected:
    // The first item whose rectangle holds the point, or -1.
    int HitTest(int x, int y) const;
    // Repaints the owner when it is shown.
    void InvalidateOwner() const;
    // The background's margin plus padding on each side; all 0 without background.
    RECT GetInsets() const;

    CKArray items;                      // of KButtonItem
    int pressedIndex = -1;
    int itemWidth;
    int itemHeight;
    int totalWidth = 0;
    int totalHeight = 0;
    CKWindow* owner = nullptr;          // borrowed
    CKFaceDrawable* bkgnd = nullptr;    // counted
    CKFaceDrawable* face = nullptr;     // counted
    CKFaceDrawable* faceCheck = nullptr;   // counted
    CKTextDrawable* text = nullptr;     // counted
    CKTextDrawable* textCheck = nullptr;   // counted
    CKIconDrawable* icon = nullptr;     // counted

private:
    // The removal function of the item array: OnDeleteItem, then the text is freed.
    static void DeleteItem(void* item, void* group);
};

// CKTreeCtrl: a hierarchy of items shown as indented rows that expand and collapse (animated by
// controls/CKAniTreeExpand.h), with expand buttons, connecting lines, check and radio boxes, icons
// that change while open, pinned group headers and an accordion mode. The playlist panel and the
// file browser's folder tree derive from it.
//
// Items are KTreeItem records held in the control's CKTreeT; a handle is the record's address and
// stays valid until the item is removed. Every notification carries the handle as its parameter.
//
// Item rules:
// - An item's text is an owned copy unless KTIF_TEXT_BORROWED (the caller's text must then outlive
//   the item); its icon list is counted (one reference while the item holds it).
// - Removing items (DeleteItem, RemoveAllItems, the window's destruction) calls OnDeleteItem for
//   every removed item, its descendants included, before the item is freed; the hook may release
//   what the item's user data points at but must not change the tree. The destructor frees what
//   is left without the hook.
// - Removing the selected or pressed item leaves none selected or pressed, without notification.
// - Updates: while the window flag KWF_REPAINT_ON_CHANGE is set ("updates on", trees are created
//   with it), every change of the items lays the rows out again and repaints; SetRedraw(false)
//   clears it for a batch of changes and SetRedraw(true) lays out and repaints once.
// - A change of the items while an expand animation runs first ends the animation in its final
//   state, so the animation never holds a removed item.
//
// Implementation files: CKTreeCtrl.cpp (items, selection, checks, expansion, drawables),
// CKTreeCtrlLayout.cpp (layout, pinning, hit tests, visible-row walks), CKTreeCtrlPaint.cpp
// (rows, lines and buttons), CKTreeCtrlInput.cpp (pointer and keys).
#pragma once
#include "foundation/CKTree.h"
#include "graphics/CKDrawable.h"
#include "ui/CKWindow.h"

class CKAniTreeExpand;
class CKFaceDrawable;
class CKIconDrawable;
class CKImgList;
class CKTextDrawable;

// Item flags (KTreeItem::flags). The checked, selected and pressed bits are the drawables'
// KSTATE_CHECKED, KSTATE_SELECTED and KSTATE_PRESSED: a row is drawn with flags & KSTATE_SLOT_MASK.
// The box kind takes the KBOX_* values of graphics/CKStateBoxDrawable.h: KBOX_CHECK and
// KBOX_DELETE are check boxes, KBOX_RADIO radio boxes, other kinds only report taps.
constexpr unsigned int KTIF_ICON_RIGHT = 0x1;          // icon at the right edge (else left)
constexpr unsigned int KTIF_BOX_RIGHT = 0x2;           // box at the right edge (else left)
constexpr unsigned int KTIF_HIDDEN = 0x10;             // not laid out, not hit, children not shown
constexpr unsigned int KTIF_PINNED = 0x20;             // pinned header while expanded (KTVS_PINNED)
constexpr unsigned int KTIF_HAS_CHILDREN = 0x40;       // children to come: expandable without any
constexpr unsigned int KTIF_TEXT_BORROWED = 0x80;      // the text is the caller's, not copied
constexpr unsigned int KTIF_BOX_MASK = 0xF000;         // box kind (0: no box)
constexpr unsigned int KTIF_PRESSED_SECOND = 0x10000;  // pressed on the part KTVP_SECOND
constexpr unsigned int KTIF_ANIMATING = 0x20000;       // an expand or collapse animation runs on it
constexpr unsigned int KTIF_EXPANDED = 0x100000;       // expanded
constexpr unsigned int KTIF_EXPANDED_ONCE = 0x200000;  // has been expanded at least once, for good
constexpr unsigned int KTIF_OWN_HEIGHT = 0x400000;     // keeps its own height through layouts
constexpr unsigned int KTIF_PRESSED_BOX = 0x800000;    // pressed on the box
// Every bit a press sets.
constexpr unsigned int KTIF_PRESS_BITS = KSTATE_PRESSED | KTIF_PRESSED_BOX | KTIF_PRESSED_SECOND;

// Tree style bits (CKWindow::GetStyle).
constexpr unsigned int KTVS_BUTTONS = 0x1;       // draw expand buttons
constexpr unsigned int KTVS_LINES = 0x2;         // draw connecting lines
constexpr unsigned int KTVS_ROOT_INDENT = 0x4;   // root items get one indent column too
constexpr unsigned int KTVS_ACCORDION = 0x8;     // expanding collapses the expanded siblings
constexpr unsigned int KTVS_PINNED = 0x40;       // expanded KTIF_PINNED rows stay at the top
constexpr unsigned int KTVS_TAP_TOGGLES = 0x80;  // a tap on a row body toggles its expansion

// Part codes of HitTestPart; a tap on a part is reported with the same code.
constexpr int KTVP_BODY = 0x701;     // the row body
constexpr int KTVP_INDENT = 0x707;   // the indent area left of the button column
constexpr int KTVP_BUTTON = 0x708;   // the expand-button column
constexpr int KTVP_BOX = 0x70A;      // the box
constexpr int KTVP_SECOND = 0x70B;   // a second active area (returned only by subclasses)

// Notification codes (NotifyParent(code, item, 0); the parent gets OnNotify(id, code, item)).
constexpr int KNOTIFY_TREE_TAPPED = 1793;      // row body tapped; the confirm key on the selection
constexpr int KNOTIFY_TREE_DOUBLE = 1794;      // the selected row double-pressed
constexpr int KNOTIFY_TREE_SELECTED = 1795;    // the selection changed to the item (or none)
constexpr int KNOTIFY_TREE_CHECKED = 1796;     // the item's check state changed
constexpr int KNOTIFY_TREE_EXPANDING = 1797;   // about to expand: the parent may add children now
constexpr int KNOTIFY_TREE_EXPANDED = 1798;    // the item has been expanded
constexpr int KNOTIFY_TREE_INDENT = KTVP_INDENT;   // tap in the indent area
constexpr int KNOTIFY_TREE_BOX = KTVP_BOX;         // tap on a box of another kind

// Line and button kinds handed to the button drawable (the cell of its image strip).
constexpr int KTREE_LINE_THROUGH = 0;     // an ancestor's vertical line passing the row
constexpr int KTREE_LINE_LAST = 1;        // the corner of a last child
constexpr int KTREE_LINE_MIDDLE = 2;      // a child with a next sibling
constexpr int KTREE_BUTTON_CLOSED = 3;    // expand button of a collapsed item
constexpr int KTREE_BUTTON_OPEN = 4;      // expand button of an expanded item

// One item, created zero-filled.
struct KTreeItem
{
    unsigned int flags;     // KTIF_* and KSTATE_* bits
    const wchar_t* text;    // owned copy (KAlloc), or the caller's with KTIF_TEXT_BORROWED
    int textLength;
    CKImgList* iconList;    // counted, or none
    int iconCell;           // the cell drawn (-1: none)
    int iconCellOpen;       // the cell drawn while expanded (-1: iconCell)
    int height;             // row height in pixels
    int depth;              // 0 for root items, the parent's depth + 1 below
    INT_PTR userData;       // the caller's value
    int x;                  // row position in content coordinates
    int y;                  // may be moved from layoutY by pinning or an expand animation
    int layoutY;            // the row's own laid-out top
    int subtreeBottom;      // the bottom of its laid-out subtree (its own bottom when collapsed)
};

class CKTreeCtrl : public CKWindow
{
    K_DECLARE_DYNCREATE(CKTreeCtrl)
public:
    // Orders two items for Sort: < 0 when `a` comes first.
    typedef int (*KItemCompareProc)(const KTreeItem* a, const KTreeItem* b, void* context);

    // Row height and indent: 20 base units each.
    CKTreeCtrl();
    // Frees what the items still hold (without OnDeleteItem) and releases the five drawables.
    ~CKTreeCtrl() override;

    // ---- Window operations ----
    // After the base: the default drawables of "res/DrawableTC.xml" into the empty slots, and the
    // shared state box as the box drawable.
    void Initialize(unsigned int style) override;
    // Stops a running expand animation, removes every item (with OnDeleteItem), then the base.
    void OnDestroy() override;
    void OnSize() override;
    // The base, then the pinning pass with KTVS_PINNED.
    void OnScroll(int code, int xPos, int yPos) override;
    // Rows depth first, a parent after its children (so that a pinned header covers the rows
    // under it), skipping rows outside the clip; the background below the rows.
    void OnPaint(CKCanvas* canvas) override;
    // Press, release, double press and cancel on rows (CKTreeCtrlInput.cpp).
    int OnMouse(int code, int x, int y, int extra) override;
    // Arrows move the selection and expand or collapse; Enter, Space and the confirm key press
    // the selected row and tap it on release.
    int OnKey(int code, int key, int repeatFlags) override;
    // Keeps the arrows and Enter.
    unsigned int GetDialogCode(int key) override;

    // ---- Tree operations ----
    // Lays out every visible row, sets the scroll range, then pins headers (KTVS_PINNED).
    virtual void RecalcItems();
    // The row in client coordinates: the full client width, scroll applied. 0 for none or an
    // item that is not displayed (hidden, or under a collapsed or hidden ancestor).
    virtual int GetItemRect(const KTreeItem* item, RECT* rect) const;
    // The displayed row under the client point, or none.
    virtual KTreeItem* HitTest(int x, int y) const;
    // KTVP_* code of the client point within the item's row.
    virtual int HitTestPart(const KTreeItem* item, int x, int y) const;
    // Background, face, lines and button, box, icon and text of one row into `rect`.
    virtual void DrawItem(CKCanvas* canvas, KTreeItem* item, const RECT& rect);
    // Called before an item is freed; nothing in the base.
    virtual void OnDeleteItem(KTreeItem* item);

    // ---- Items ----
    // A new last child of `parent` (none: a new last root item) with `flags`; none when memory
    // ran out.
    KTreeItem* InsertItem(KTreeItem* parent, unsigned int flags);
    // A new first child of `parent` (none: a new first root item).
    KTreeItem* InsertFirst(KTreeItem* parent, unsigned int flags);
    // A new sibling directly after `sibling`; none for none.
    KTreeItem* InsertAfter(KTreeItem* sibling, unsigned int flags);
    // Removes the item and its descendants (OnDeleteItem for each). 1, or 0 for none.
    int DeleteItem(KTreeItem* item);
    // Removes every item (OnDeleteItem for each); no selection; scroll position and range 0.
    void RemoveAllItems();
    // Reorders the children of every item and the root items, each group by `compare` (none:
    // the texts, ignoring ASCII case), stably.
    void Sort(KItemCompareProc compare, void* context);

    // Negative length: up to the NUL. With KTIF_TEXT_BORROWED the pointer is kept, otherwise a
    // copy replaces the old text. 0 for none or when memory ran out (the item then has no text).
    int SetItemText(KTreeItem* item, const wchar_t* text, int length);
    // Holds `list` (one reference) and the cells; openCell -1 draws `cell` while expanded too.
    void SetItemIcon(KTreeItem* item, CKImgList* list, int cell, int openCell);
    // A height of 1 or more is kept through layouts (KTIF_OWN_HEIGHT); less returns to the
    // tree's row height.
    void SetItemHeight(KTreeItem* item, int height);
    void SetItemData(KTreeItem* item, INT_PTR data);
    INT_PTR GetItemData(const KTreeItem* item) const { return item ? item->userData : 0; }
    // Adds and removes item flags outside the selection, press, expansion and animation
    // bookkeeping (Select, Expand and the input keep those); lays out again when KTIF_HIDDEN or
    // KTIF_PINNED changed, else repaints the row.
    void ModifyItemFlags(KTreeItem* item, unsigned int add, unsigned int remove);

    // Navigation among the items (none: the root level). The window's own GetParent,
    // GetFirstChild and the sibling walks over windows stay available beside them.
    using CKWindow::GetFirstChild;
    using CKWindow::GetNextSibling;
    using CKWindow::GetParent;
    using CKWindow::GetPrevSibling;
    KTreeItem* GetFirstChild(const KTreeItem* item) const { return tree.GetFirstChild(item); }
    KTreeItem* GetNextSibling(const KTreeItem* item) const
    {
        return item ? tree.GetNext(item) : nullptr;
    }
    KTreeItem* GetPrevSibling(const KTreeItem* item) const
    {
        return item ? tree.GetPrev(item) : nullptr;
    }
    KTreeItem* GetParent(const KTreeItem* item) const
    {
        return item ? tree.GetParent(item) : nullptr;
    }
    int GetItemCount() const { return tree.GetCount(); }
    KTreeItem* GetSelectedItem() const { return selectedItem; }
    KTreeItem* GetPressedItem() const { return pressedItem; }

    // ---- State ----
    // Moves the selection (and scrolls the row into view) and sends KNOTIFY_TREE_SELECTED, also for
    // none; nothing when the item is selected already. 1 when the selection changed.
    int Select(KTreeItem* item);
    // Expands (sending KNOTIFY_TREE_EXPANDING first, so that children may be added, and
    // KNOTIFY_TREE_EXPANDED when done) or collapses; with `animate` through CKAniTreeExpand while
    // the tree is shown and updating. An item without children after KNOTIFY_TREE_EXPANDING stays
    // collapsed. 1 when the state changes.
    int Expand(KTreeItem* item, bool expand, bool animate);
    // Changes the checked bit when it differs, repaints the row and sends 1796. 1 on a change.
    int SetCheck(KTreeItem* item, bool on);
    // On: an unchecked item is checked and its radio siblings unchecked, then 1796. Off: as
    // SetCheck(item, false). 1 on a change.
    int SetRadioCheck(KTreeItem* item, bool on);
    bool GetCheck(const KTreeItem* item) const { return item && (item->flags & KSTATE_CHECKED); }
    bool IsExpanded(const KTreeItem* item) const { return item && (item->flags & KTIF_EXPANDED); }
    // Updates off (false) or on (true, with a layout and a repaint).
    void SetRedraw(bool on);

    int GetItemHeight() const { return itemHeight; }
    int GetIndentWidth() const { return indentWidth; }
    int GetContentHeight() const { return contentHeight; }

    // ---- Drawables (graphics/KDrawableSlot.h rule) ----
    void SetFaceDrawable(CKDrawable* drawable);     // a face drawable
    void SetIconDrawable(CKDrawable* drawable);     // an icon drawable
    void SetTextDrawable(CKDrawable* drawable);     // a text drawable
    void SetButtonDrawable(CKDrawable* drawable);   // a face drawable: lines and expand buttons
    void SetBoxDrawable(CKDrawable* drawable);      // any drawable: the boxes by kind

protected:
    friend class CKAniTreeExpand;

    // Updates on (KWF_REPAINT_ON_CHANGE).
    bool IsUpdating() const { return (flags & KWF_REPAINT_ON_CHANGE) != 0; }
    // Completes an item the tree just added (none: memory ran out): flags, row height, no icon
    // cells, depth; prepares the box drawable for its kind; lays out.
    KTreeItem* AttachItem(KTreeItem* item, unsigned int flags);
    // After a change of the items: layout and repaint while updating.
    void ItemsChanged();
    void InvalidateItem(const KTreeItem* item);
    // Moves the press to `item` (none clears it) with the extra press bits; repaints both rows.
    void SetPressed(KTreeItem* item, unsigned int pressBits);
    // Toggles the item's expansion with animation, expanding only an expandable item.
    void ToggleExpand(KTreeItem* item);
    // Has children, or KTIF_HAS_CHILDREN.
    bool IsExpandable(const KTreeItem* item) const;
    // The end of every expansion and collapse, immediate or animated: the flag, a layout, the item
    // and its branch scrolled into view, a repaint, and KNOTIFY_TREE_EXPANDED after an expansion.
    void ApplyExpand(KTreeItem* item, bool expand);
    // The running expand animation, or none.
    CKAniTreeExpand* GetExpandAnimation() const;
    // Ends a running expand animation at once in its final state.
    void FinishExpandAnimation();

    // ---- Layout and walks (CKTreeCtrlLayout.cpp) ----
    // The vertical position that shows the band [top, bottom) of content (its top first when it
    // does not fit), limited to [0, max(0, contentEnd - client height)].
    int RevealPosition(int top, int bottom, int contentEnd) const;
    // Scrolls the displayed item into view.
    void ScrollIntoView(const KTreeItem* item);
    // Pins the expanded headers to the scroll position and repaints the rows that moved.
    void PinHeaders();
    // Pinning of the children of `parent` with scroll position `s`; widens the band [bandTop,
    // bandBottom) of content (empty while bottom <= top) by every row moved.
    void PinLevel(KTreeItem* parent, int s, int& bandTop, int& bandBottom);
    // Widens the band [top, bottom) (empty while bottom <= top) to cover [addTop, addBottom).
    static void WidenBand(int& top, int& bottom, int addTop, int addBottom);
    // The children of a displayed item are displayed: expanded, and not under an animation.
    static bool ShowsChildren(const KTreeItem* item);
    // The first and last children of `parent` (none: root level) that are not hidden.
    KTreeItem* FirstShownChild(const KTreeItem* parent) const;
    KTreeItem* LastShownChild(const KTreeItem* parent) const;
    KTreeItem* NextShownSibling(const KTreeItem* item) const;
    KTreeItem* PrevShownSibling(const KTreeItem* item) const;
    // Rows in display order: the next and previous displayed row, or none.
    KTreeItem* NextVisible(const KTreeItem* item) const;
    KTreeItem* PrevVisible(const KTreeItem* item) const;
    // The item is not hidden and every ancestor shows its children.
    bool IsDisplayed(const KTreeItem* item) const;
    // The first point of content below every displayed row.
    int DisplayedBottom() const;
    // Pixels of indent before the row's content.
    int IndentOf(const KTreeItem* item) const;

    // ---- Input (CKTreeCtrlInput.cpp) ----
    // A release over the pressed row on `part`: the part's action and notification.
    void TapPart(KTreeItem* item, int part);
    // An arrow key (KK_UP, KK_DOWN, KK_LEFT, KK_RIGHT) pressed.
    void MoveByKey(int key);

    // ---- Painting (CKTreeCtrlPaint.cpp) ----
    // The rows of `parent`'s children and their shown subtrees that meet `clip`.
    void PaintLevel(CKCanvas* canvas, KTreeItem* parent, const RECT& clip, int scroll);
    // Indent columns: the item's connecting lines and its expand button.
    void DrawIndent(CKCanvas* canvas, const KTreeItem* item, const RECT& rect, int indent);
    // The button drawable with `kind` into one indent column.
    void DrawButtonKind(CKCanvas* canvas, int kind, const RECT& column);

    CKTreeT<KTreeItem> tree;                 // the item records
    KTreeItem* selectedItem = nullptr;       // borrowed from `tree`
    KTreeItem* pressedItem = nullptr;        // borrowed from `tree`
    int contentHeight = 0;
    int itemHeight;
    int indentWidth;
    int pinnedTop = -1;                      // content band of the rows the last pinning moved
    int pinnedBottom = -1;
    CKFaceDrawable* face = nullptr;          // counted
    CKIconDrawable* icon = nullptr;          // counted
    CKTextDrawable* text = nullptr;          // counted
    CKFaceDrawable* button = nullptr;        // counted: lines and expand buttons
    CKDrawable* box = nullptr;               // counted: a state box drawable by default

private:
    // Removal function of the tree: OnDeleteItem (context: the control), then FreeItem.
    static int DeleteItemProc(KTreeItem* item, void* context);
    // Frees the item's text and releases its icon list.
    static int FreeItemProc(KTreeItem* item, void* context);
    // The default comparison: the texts, ignoring ASCII case.
    static int CompareTexts(const KTreeItem* a, const KTreeItem* b, void* context);
    // Sorts the children of `parent` and, recursively, of each of them.
    void SortLevel(KTreeItem* parent, KItemCompareProc compare, void* context);
    // Selection and press forget items of a subtree about to be removed.
    void ForgetSubtree(const KTreeItem* item);
};

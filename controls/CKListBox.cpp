// CKListBox: item records and their texts, icons and button groups, selection, check and radio
// boxes, drawables, the notification hook of tap-to-expand, redraw control and sorting.
//
// Index: construction and drawables - items - checks - selection and redraw - notifications -
// sorting.
#include "controls/CKListBox.h"

#include <algorithm>
#include <cstring>

#include "controls/CKButtonGroup.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KMemory.h"
#include "foundation/KResource.h"
#include "foundation/KText.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKImgList.h"
#include "graphics/CKStateBoxDrawable.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableSlot.h"

K_IMPLEMENT_DYNCREATE(CKListBox, CKWindow)

const char* const KDRAWABLE_FILE_LISTBOX = "res/DrawableLB.xml";

namespace {

// The item array grows this many records at a time.
constexpr int ITEMS_GROW_BY = 32;
// Default row height and grid cell width, in base units (50 pixels at 160 dpi).
constexpr int DEFAULT_ITEM_SIZE = 32;

// Drawable names of each mode, in the slot order face, icon, text1, text2, groupItemFace,
// groupItemText; none where the mode has no such drawable.
struct KModeLook
{
    const char* names[6];
};

const KModeLook MODE_LOOKS[] = {
    {{"DefListBoxFace", "DefListBoxIcon", "DefListBoxText1", "DefListBoxText2", nullptr,
      nullptr}},
    {{"DefListBoxGroupFace", "DefListBoxGroupIcon", "DefListBoxGroupText1",
      "DefListBoxGroupText2", "DefListBoxGroupItemFace", "DefListBoxGroupItemText"}},
    {{"DefListBoxGridFace", "DefListBoxGridIcon", "DefListBoxGridText", nullptr, nullptr,
      nullptr}},
};

// A heap copy of `length` units and a NUL; none when memory ran out.
wchar_t* CopyText(const wchar_t* text, int length)
{
    wchar_t* copy = (wchar_t*)KAlloc(((size_t)length + 1) * sizeof(wchar_t));
    if (!copy)
        return nullptr;
    for (int i = 0; i < length; i++)
        copy[i] = text[i];
    copy[length] = 0;
    return copy;
}

bool IsCheckKind(unsigned int itemFlags)
{
    const unsigned int kind = itemFlags & KLI_BOX_MASK;
    return kind == KBOX_CHECK || kind == KBOX_DELETE;
}

bool IsRadio(const KListItem* item)
{
    return item && (item->flags & KLI_BOX_MASK) == KBOX_RADIO;
}

// Character-code order of the first lines; a missing text is empty, a prefix comes first.
int CompareText1(const KListItem* a, const KListItem* b, void*)
{
    const int length = a->text1Length < b->text1Length ? a->text1Length : b->text1Length;
    for (int i = 0; i < length; i++)
        if (a->text1[i] != b->text1[i])
            return (int)a->text1[i] - (int)b->text1[i];
    return a->text1Length - b->text1Length;
}

} // namespace

// ---- Construction and drawables -----------------------------------------------------------------

CKListBox::CKListBox()
    : items(sizeof(KListItem), ITEMS_GROW_BY),
      itemHeight(UnitToPixels(DEFAULT_ITEM_SIZE, 0)),
      cellWidth(UnitToPixels(DEFAULT_ITEM_SIZE, 0))
{
    deleteText.Assign(L"Delete");
}

CKListBox::~CKListBox()
{
    items.RemoveAll(FreeItem, nullptr);
    KDropDrawable(face);
    KDropDrawable(icon);
    KDropDrawable(text1);
    KDropDrawable(text2);
    KDropDrawable(groupItemFace);
    KDropDrawable(groupItemText);
    KDropDrawable(box);
}

void CKListBox::Initialize(unsigned int newStyle)
{
    CKWindow::Initialize(newStyle);
    if (!background)
        SetBackground(GetDrawable(KDRAWABLE_FILE_LISTBOX, "DefListBoxBkgnd"));
    const unsigned int mode = style & KLBS_MODE_MASK;
    const KModeLook& look = MODE_LOOKS[mode == KLBS_LIST ? 0 : mode == KLBS_GROUP ? 1 : 2];
    const char* file = KDRAWABLE_FILE_LISTBOX;
    const KRuntimeClass* faceKind = K_RUNTIME_CLASS(CKFaceDrawable);
    const KRuntimeClass* textKind = K_RUNTIME_CLASS(CKTextDrawable);
    KLoadDrawable(face, file, look.names[0], faceKind);
    KLoadDrawable(icon, file, look.names[1], K_RUNTIME_CLASS(CKIconDrawable));
    KLoadDrawable(text1, file, look.names[2], textKind);
    if (look.names[3])
        KLoadDrawable(text2, file, look.names[3], textKind);
    if (look.names[4])
        KLoadDrawable(groupItemFace, file, look.names[4], faceKind);
    if (look.names[5])
        KLoadDrawable(groupItemText, file, look.names[5], textKind);
    if (!box) {
        box = new CKStateBoxDrawable();
        if (box) {
            box->EnableRefCount();
            box->AddRef();
        }
    }
}

void CKListBox::OnDestroy()
{
    // The shared icon drawable still holds the image list this list drew last.
    if (icon)
        icon->SetIconList(nullptr, -1);
    CKWindow::OnDestroy();
}

void CKListBox::SetFaceDrawable(CKDrawable* drawable)
{
    KHoldDrawable(face, drawable, K_RUNTIME_CLASS(CKFaceDrawable));
}

void CKListBox::SetIconDrawable(CKDrawable* drawable)
{
    KHoldDrawable(icon, drawable, K_RUNTIME_CLASS(CKIconDrawable));
}

void CKListBox::SetText1Drawable(CKDrawable* drawable)
{
    KHoldDrawable(text1, drawable, K_RUNTIME_CLASS(CKTextDrawable));
}

void CKListBox::SetText2Drawable(CKDrawable* drawable)
{
    KHoldDrawable(text2, drawable, K_RUNTIME_CLASS(CKTextDrawable));
}

void CKListBox::SetGroupItemFaceDrawable(CKDrawable* drawable)
{
    KHoldDrawable(groupItemFace, drawable, K_RUNTIME_CLASS(CKFaceDrawable));
}

void CKListBox::SetGroupItemTextDrawable(CKDrawable* drawable)
{
    KHoldDrawable(groupItemText, drawable, K_RUNTIME_CLASS(CKTextDrawable));
}

void CKListBox::SetBoxDrawable(CKDrawable* drawable)
{
    KHoldDrawable(box, drawable, K_RUNTIME_CLASS(CKStateBoxDrawable));
}

void CKListBox::SetDeleteText(UINT stringId)
{
    KStringW text;
    if (LoadResString(stringId, text) >= 0)
        deleteText.Assign(text.GetBuffer(), text.GetLength());
}

// ---- Items --------------------------------------------------------------------------------------

void CKListBox::FreeItem(void* record, void* list)
{
    KListItem* item = (KListItem*)record;
    if (list)
        ((CKListBox*)list)->OnDeleteItem(item);
    if (!(item->flags & KLI_BORROWED_TEXT)) {
        KFree((void*)item->text1);
        KFree((void*)item->text2);
    }
    item->text1 = item->text2 = nullptr;
    if (item->iconList)
        item->iconList->Release();
    item->iconList = nullptr;
    if (item->buttons)
        item->buttons->Release();
    item->buttons = nullptr;
}

void CKListBox::OnDeleteItem(KListItem*) {}

void CKListBox::ShiftIndexes(int at, int delta)
{
    int* const indexes[] = {&selectedIndex, &pressedIndex, &swipeIndex, &expandedIndex,
                            &captureIndex};
    for (int* index : indexes) {
        if (*index < at)
            continue;
        if (delta < 0 && *index == at)
            *index = -1;
        else
            *index += delta;
    }
}

int CKListBox::InsertItem(int index, unsigned int itemFlags)
{
    const int count = items.GetCount();
    const int at = index < 0 || index > count ? count : index;
    KListItem* item = (KListItem*)items.InsertAt(at);
    if (!item)
        return -1;
    item->flags = itemFlags;
    item->height = itemHeight;
    item->width = cellWidth;
    ShiftIndexes(at, 1);
    if (box)
        box->PrepareKind(itemFlags);
    Refresh();
    return at;
}

int CKListBox::RemoveItem(int index)
{
    if (!GetItem(index))
        return 0;
    items.RemoveAt(index, FreeItem, this);
    ShiftIndexes(index, -1);
    Refresh();
    return 1;
}

void CKListBox::RemoveAllItems()
{
    items.RemoveAll(FreeItem, this);
    selectedIndex = pressedIndex = swipeIndex = expandedIndex = captureIndex = -1;
    style &= ~KLBS_SWIPE_STATES;
    SetScrollExtent(-1, -1);
    Refresh();
}

int CKListBox::SetItemText(int index, const wchar_t* newText1, int length1,
                           const wchar_t* newText2, int length2)
{
    KListItem* item = GetItem(index);
    if (!item)
        return 0;
    if (length1 < 0)
        length1 = newText1 ? KStrLenW(newText1) : 0;
    if (length2 < 0)
        length2 = newText2 ? KStrLenW(newText2) : 0;
    int done = 1;
    if (item->flags & KLI_BORROWED_TEXT) {
        item->text1 = newText1;
        item->text2 = newText2;
    } else {
        KFree((void*)item->text1);
        KFree((void*)item->text2);
        item->text1 = newText1 ? CopyText(newText1, length1) : nullptr;
        item->text2 = newText2 ? CopyText(newText2, length2) : nullptr;
        if ((newText1 && !item->text1) || (newText2 && !item->text2))
            done = 0;
    }
    item->text1Length = item->text1 ? length1 : 0;
    item->text2Length = item->text2 ? length2 : 0;
    InvalidateItem(index);
    return done;
}

int CKListBox::SetItemIcon(int index, CKImgList* list, int cell)
{
    KListItem* item = GetItem(index);
    if (!item)
        return 0;
    if (list)
        list->AddRef();
    if (item->iconList)
        item->iconList->Release();
    item->iconList = list;
    item->iconCell = cell;
    InvalidateItem(index);
    return 1;
}

int CKListBox::SetItemButtons(int index, CKButtonGroup* group)
{
    KListItem* item = GetItem(index);
    if (!item)
        return 0;
    if (group) {
        group->EnableRefCount();
        group->AddRef();
        group->SetOwner(this);
    }
    if (item->buttons)
        item->buttons->Release();
    item->buttons = group;
    if (group)
        LayoutGroup(group);
    InvalidateItem(index);
    return 1;
}

int CKListBox::GetButtonsHeight(int index) const
{
    const KListItem* item = GetItem(index);
    return item && item->buttons ? item->buttons->GetTotalHeight() : 0;
}

int CKListBox::SetItemHeight(int index, int height)
{
    KListItem* item = GetItem(index);
    if (!item)
        return 0;
    if (height >= 1) {
        item->flags |= KLI_OWN_HEIGHT;
        item->height = height;
    } else {
        item->flags &= ~KLI_OWN_HEIGHT;
        item->height = itemHeight;
    }
    Refresh();
    return 1;
}

int CKListBox::SetItemData(int index, INT_PTR value)
{
    KListItem* item = GetItem(index);
    if (!item)
        return 0;
    item->userData = value;
    return 1;
}

INT_PTR CKListBox::GetItemData(int index) const
{
    const KListItem* item = GetItem(index);
    return item ? item->userData : 0;
}

// ---- Checks -------------------------------------------------------------------------------------

bool CKListBox::HasToggleBox(unsigned int itemFlags)
{
    return IsCheckKind(itemFlags) || (itemFlags & KLI_BOX_MASK) == KBOX_RADIO;
}

int CKListBox::GetItemCheck(int index) const
{
    const KListItem* item = GetItem(index);
    return item && (item->flags & KLI_BOX_MASK) && (item->flags & KSTATE_CHECKED) ? 1 : 0;
}

int CKListBox::SetItemCheck(int index, int on)
{
    KListItem* item = GetItem(index);
    if (!item)
        return 0;
    if (IsRadio(item))
        return SetRadioCheck(index, on);
    if (!IsCheckKind(item->flags) || (GetItemCheck(index) != 0) == (on != 0))
        return 0;
    item->flags ^= KSTATE_CHECKED;
    InvalidateItem(index);
    NotifyParent(KNOTIFY_LB_CHECK, index, 0);
    return 1;
}

int CKListBox::SetRadioCheck(int index, int on)
{
    KListItem* item = GetItem(index);
    if (!IsRadio(item))
        return 0;
    const bool checked = (item->flags & KSTATE_CHECKED) != 0;
    if (on && !checked) {
        // The run reaches back to its first item (a radio item with KLI_RADIO_FIRST, or the one
        // after a non-radio item) and forward to the item before the next run.
        if (!(item->flags & KLI_RADIO_FIRST)) {
            for (int i = index - 1; IsRadio(GetItem(i)); i--) {
                KListItem* other = GetItem(i);
                if (other->flags & KSTATE_CHECKED) {
                    other->flags &= ~KSTATE_CHECKED;
                    InvalidateItem(i);
                }
                if (other->flags & KLI_RADIO_FIRST)
                    break;
            }
        }
        for (int i = index + 1; IsRadio(GetItem(i)) && !(GetItem(i)->flags & KLI_RADIO_FIRST);
             i++) {
            KListItem* other = GetItem(i);
            if (other->flags & KSTATE_CHECKED) {
                other->flags &= ~KSTATE_CHECKED;
                InvalidateItem(i);
            }
        }
    } else if (on || !checked) {
        return 0;
    }
    item->flags ^= KSTATE_CHECKED;
    InvalidateItem(index);
    NotifyParent(KNOTIFY_LB_CHECK, index, 0);
    return 1;
}

// ---- Selection and redraw -----------------------------------------------------------------------

int CKListBox::SelectItem(int index, int ensureVisible)
{
    if (style & KLBS_NO_SELECT)
        return 0;
    KListItem* item = GetItem(index);
    if (style & KLBS_MULTI_SELECT) {
        if (!item)
            return 0;
        item->flags ^= KSTATE_SELECTED;
        InvalidateItem(index);
        return 1;
    }
    if (index == selectedIndex)
        return 1;
    if (!item && index != -1)
        return 0;
    if (KListItem* old = GetItem(selectedIndex)) {
        old->flags &= ~KSTATE_SELECTED;
        InvalidateItem(selectedIndex);
    }
    selectedIndex = index;
    if (item) {
        item->flags |= KSTATE_SELECTED;
        InvalidateItem(index);
        EnsureVisible(index, ensureVisible);
    }
    NotifyParent(KNOTIFY_LB_SELECT, index, 0);
    return 1;
}

void CKListBox::SetPressed(int index, int part)
{
    if (KListItem* old = GetItem(pressedIndex)) {
        old->flags &= ~(KSTATE_PRESSED | KLI_PRESSED_BOX | KLI_PRESSED_SECOND);
        InvalidateItem(pressedIndex);
    }
    KListItem* item = GetItem(index);
    pressedIndex = item ? index : -1;
    if (!item)
        return;
    item->flags |= KSTATE_PRESSED;
    if (part == KLBP_BOX)
        item->flags |= KLI_PRESSED_BOX;
    else if (part == KLBP_SECOND)
        item->flags |= KLI_PRESSED_SECOND;
    InvalidateItem(index);
}

void CKListBox::SetRedraw(int on)
{
    if (!on) {
        flags &= ~KWF_REPAINT_ON_CHANGE;
        return;
    }
    flags |= KWF_REPAINT_ON_CHANGE;
    Refresh();
}

bool CKListBox::SuspendRedraw()
{
    const bool wasOn = IsRedrawOn();
    flags &= ~KWF_REPAINT_ON_CHANGE;
    return wasOn;
}

void CKListBox::ResumeRedraw(bool wasOn)
{
    if (wasOn)
        SetRedraw(1);
}

void CKListBox::Refresh()
{
    if (!IsRedrawOn())
        return;
    RecalcItems();
    Invalidate();
}

void CKListBox::InvalidateItem(int index)
{
    RECT rect;
    if (!IsRedrawOn() || !GetItemRect(index, &rect))
        return;
    rect.left = 0;
    rect.right = GetClientWidth();
    Invalidate(&rect);
}

// ---- Notifications ------------------------------------------------------------------------------

int CKListBox::NotifyParent(int code, INT_PTR param, int notifyId)
{
    if (code == KNOTIFY_LB_TAP && (style & KLBS_BUTTONS) && (style & KLBS_TAP_EXPANDS))
        Expand((int)param == expandedIndex ? -1 : (int)param, 1);
    return CKWindow::NotifyParent(code, param, notifyId);
}

// ---- Sorting ------------------------------------------------------------------------------------

// The selection sort places, at each position i, the first item (in current order) of the
// smallest among positions i..n-1, swapping it with the item at i. SortByKeys makes the same
// choices with a tournament tree over the positions: each node keeps the winning position of its
// range, the left (earlier) side winning ties, so the root is always the first smallest position
// still open; after the swap only the two leaves involved change, log n key comparisons each.
// Sort first gives every item a key, its rank among the distinct values (equal items share one),
// from one O(n log n) sort of copies of the items, which keeps the comparisons' own reading of
// the items in order in memory.
int CKListBox::Sort(KListCompareProc compare, void* context)
{
    if (!compare)
        compare = CompareText1;
    const int count = items.GetCount();
    if (count < 2)
        return SortByKeys(nullptr);
    struct KCopy
    {
        KListItem item;
        int index;
    };
    KCopy* copies = (KCopy*)KAlloc(sizeof(KCopy) * (size_t)count);
    unsigned long long* keys = (unsigned long long*)KAlloc(sizeof(unsigned long long) * (size_t)count);
    if (!copies || !keys) {
        KFree(copies);
        KFree(keys);
        return 0;
    }
    for (int i = 0; i < count; i++) {
        copies[i].item = *GetItem(i);
        copies[i].index = i;
    }
    std::sort(copies, copies + count, [&](const KCopy& a, const KCopy& b) {
        return compare(&a.item, &b.item, context) < 0;
    });
    keys[copies[0].index] = 0;
    for (int i = 1; i < count; i++)
        keys[copies[i].index] = keys[copies[i - 1].index]
                                + (compare(&copies[i - 1].item, &copies[i].item, context) < 0);
    KFree(copies);
    const int done = SortByKeys(keys);
    KFree(keys);
    return done;
}

int CKListBox::SortByKeys(const unsigned long long* keys)
{
    const int count = items.GetCount();
    SetPressed(-1, 0);
    for (int i = 0; i < count; i++)
        GetItem(i)->flags &= ~KSTATE_SELECTED;
    selectedIndex = -1;
    if (count < 2 || !keys) {
        Refresh();
        return count < 2;
    }
    int leaves = 1;
    while (leaves < count)
        leaves *= 2;
    const size_t itemSize = (size_t)items.GetItemSize();
    int* order = (int*)KAlloc(sizeof(int) * (size_t)count);       // position -> original index
    int* tree = (int*)KAlloc(sizeof(int) * (size_t)leaves * 2);   // node -> winning position
    char* saved = (char*)KAlloc(itemSize * (size_t)count);
    if (!order || !tree || !saved) {
        KFree(order);
        KFree(tree);
        KFree(saved);
        return 0;
    }
    auto winner = [&](int a, int b) {
        if (a < 0)
            return b;
        if (b < 0)
            return a;
        return keys[order[a]] > keys[order[b]] ? b : a;
    };
    auto update = [&](int position, int value) {
        int node = leaves + position;
        tree[node] = value;
        for (node /= 2; node >= 1; node /= 2)
            tree[node] = winner(tree[2 * node], tree[2 * node + 1]);
    };
    for (int i = 0; i < count; i++)
        order[i] = i;
    for (int node = 0; node < leaves; node++)
        tree[leaves + node] = node < count ? node : -1;
    for (int node = leaves - 1; node >= 1; node--)
        tree[node] = winner(tree[2 * node], tree[2 * node + 1]);
    for (int i = 0; i < count - 1; i++) {
        const int chosen = tree[1];
        const int moved = order[i];
        order[i] = order[chosen];
        order[chosen] = moved;
        update(i, -1);
        if (chosen != i)
            update(chosen, chosen);
    }

    // The records move as a block; index fields follow their items.
    memcpy(saved, GetItem(0), itemSize * (size_t)count);
    int* newIndex = tree;   // reused: original index -> new position
    for (int position = 0; position < count; position++) {
        memcpy(GetItem(position), saved + itemSize * (size_t)order[position], itemSize);
        newIndex[order[position]] = position;
    }
    int* const indexes[] = {&swipeIndex, &expandedIndex, &captureIndex};
    for (int* index : indexes)
        if (*index >= 0)
            *index = newIndex[*index];
    KFree(order);
    KFree(tree);
    KFree(saved);
    Refresh();
    return 1;
}

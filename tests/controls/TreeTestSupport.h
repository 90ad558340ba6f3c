// Helpers of the tree control tests: a host that can add children when an item is about to
// expand, a tree that records its deletion hook and can paint rows in flat colours, building
// items by text, and reading back-buffer areas.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "KTreeTestSupport.h"
#include "controls/CKTreeCtrl.h"

// The flags of the program's trees: updates on, tab stop, vertical scrolling, opaque.
constexpr unsigned int TREE_FLAGS = KWF_REPAINT_ON_CHANGE | KWF_TABSTOP | KWF_VSCROLL | KWF_OPAQUE;
constexpr int TREE_ID = 640;

// Records the tree notifications (1793 and up; not the base window's focus and enable codes);
// `onExpanding` runs on 1797 with the item (after recording it).
class CTreeHost : public CNoticeHost
{
public:
    int OnNotify(int notifyId, int code, INT_PTR param) override;
    // The codes recorded so far, in order.
    std::vector<int> Codes() const;

    std::function<void(KTreeItem*)> onExpanding;
};

// Records OnDeleteItem; with `flatRows` each row is one colour, its user data as 0x00RRGGBB.
class CTestTree : public CKTreeCtrl
{
public:
    void OnDeleteItem(KTreeItem* item) override;
    void DrawItem(CKCanvas* canvas, KTreeItem* item, const RECT& rect) override;

    std::vector<KTreeItem*> deleted;
    bool flatRows = false;
};

// An opaque recording host over the frame's client area (its coordinates are the back buffer's).
CTreeHost* AddTreeHost(KControlScope& scope);
// A tree under the host at `rect`; none when creation failed.
CTestTree* AddTree(KControlScope& scope, CKWindow* host, unsigned int style, const RECT& rect,
                   unsigned int flags = TREE_FLAGS);
// A new last child of `parent` (none: root) with a copied text.
KTreeItem* AddItem(CKTreeCtrl* tree, KTreeItem* parent, const wchar_t* text,
                    unsigned int flags = 0);
// Pumps until `item` has no running animation (and at least its 200 ms passed); true when it
// ended.
bool WaitForAnimation(const CKTreeCtrl* tree, const KTreeItem* item);
// The back buffer's pixels in `rect` (root coordinates), row by row, as 0x00RRGGBB.
std::vector<unsigned int> GrabBackBuffer(const RECT& rect);

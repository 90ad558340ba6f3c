// CKToolBar: a window holding one button group (its second base) whose items it fits into its
// client area in one line; taps on items reach the tool bar's parent as OnNotify(item id,
// KNOTIFY_CLICK, item index). With the radio style at most one item stays checked.
//
// The tool bar is a CKWindow first and a CKButtonGroup second, so it has two CKObject parts: the
// window part is the one that counts references (AddRef and Release of both parts go to it) and
// the one to use for CKObject calls (EnableRefCount, IsKindOf) through a CKWindow pointer. The
// group part owns all items and drawables; its owner is the tool bar itself.
#pragma once
#include "controls/CKButtonGroup.h"
#include "ui/CKWindow.h"

// Tool bar style bits.
constexpr unsigned int KTBS_VERTICAL = 0x1;   // items top to bottom (else left to right)
constexpr unsigned int KTBS_RADIO = 0x8;      // at most one checked item (applied on KNOTIFY_RADIO)
constexpr unsigned int KTBS_LEFT = 0x10;      // item block at the left (neither: centred)
constexpr unsigned int KTBS_RIGHT = 0x20;     // item block at the right
constexpr unsigned int KTBS_TOP = 0x40;       // item block at the top (neither: centred)
constexpr unsigned int KTBS_BOTTOM = 0x80;    // item block at the bottom
constexpr unsigned int KTBS_ALIGN_MASK = 0xF0;

class CKToolBar : public CKWindow, public CKButtonGroup
{
    K_DECLARE_CLASS(CKToolBar)
public:
    CKToolBar() = default;

    void AddRef() override;
    void Release() override;
    // Both bases have an accessor of this name: the window's tree item and the group's items.
    using CKWindow::GetItem;
    using CKButtonGroup::GetItem;

    // With code KNOTIFY_RADIO and the radio style, when item `param` is checked: every other item
    // is unchecked and the bar repainted. Then the parent's OnNotify(id or the bar's id, code,
    // param).
    int NotifyParent(int code, INT_PTR param, int id) override;
    // After the base: each empty drawable from "res/DrawableTB.xml", then those still empty from
    // "res/DrawableBT.xml".
    void Initialize(unsigned int style) override;
    // After the base: the group's owner is the tool bar.
    int OnCreate() override;
    // The group's size; a vertical bar adds the background's left and right margins and paddings
    // to the width, a horizontal one its top and bottom ones to the height.
    int CalcSize(SIZE& size) override;
    // Lays the items out in one line across the client area, aligned by the style; repaints.
    void OnSize() override;
    // After the base, unless disabled or `extra` is set: the group's input; repaints on change.
    int OnMouse(int code, int x, int y, int extra) override;
    // The group painted over the client rectangle.
    void OnPaint(CKCanvas* canvas) override;
};

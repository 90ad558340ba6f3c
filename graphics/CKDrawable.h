// CKDrawable: the base of every drawable, a named and shareable look (a face, an image, an icon, a
// text style) that controls ask to measure and to paint into a rectangle for an interaction state.
// Drawables are read from the drawable files (graphics/CKDrawableXml.h) and shared by name.
#pragma once
#include <windows.h>

#include "foundation/CKObject.h"

class CKCanvas;

// Interaction bits of the state word (bits 28-31), shared with every control that sets them.
constexpr unsigned int KSTATE_CHECKED = 0x10000000;    // checked (read by the state box only)
constexpr unsigned int KSTATE_SELECTED = 0x20000000;   // selected or focused: one look serves both
constexpr unsigned int KSTATE_PRESSED = 0x40000000;    // pressed
constexpr unsigned int KSTATE_DISABLED = 0x80000000;   // disabled
// The four bits that name a per-state slot when a definition sets one (CKColorDrawable::SetFace).
constexpr unsigned int KSTATE_SLOT_MASK = 0xF0000000;

// "auto" bits of the style word: the control computes the corner or border-side bits from an
// item's position and passes them in the state word.
constexpr unsigned int KSTYLE_AUTO_CORNERS = 0x400000;   // corners chosen by the control
constexpr unsigned int KSTYLE_AUTO_EDGES = 0x800000;     // border sides chosen by the control

// The per-state slots every class with per-state data keeps, in this order.
constexpr int KSLOT_NORMAL = 0;
constexpr int KSLOT_SELECTED = 1;
constexpr int KSLOT_PRESSED = 2;
constexpr int KSLOT_DISABLED = 3;
constexpr int KSLOT_COUNT = 4;

// Reference rules: drawables are CKObjects. The registry (graphics/KDrawableRegistry.h) holds one
// reference on each drawable it creates; a control that keeps one AddRefs it and Releases it when
// it drops it. Because one drawable serves every control that uses it, `state` is transient:
// whoever measures or draws sets it immediately before.
//
// The low bits of the state word are per-draw layout flags whose meaning depends on the class: the
// KDT_* alignment and text-layout bits of graphics/CKCanvas.h, the corner and border-side bits of
// graphics/KFace.h (a face draws with style | state), or the state box's kind.
class CKDrawable : public CKObject
{
    K_DECLARE_CLASS(CKDrawable)
public:
    ~CKDrawable() override;

    // In: the size available (text wraps at its width); out: the preferred size.
    virtual void CalcSize(SIZE& size) = 0;
    // Paints into `rect` for the current state. A given `outRect` is updated to the space that
    // remains for further content (each class says how).
    virtual void Draw(CKCanvas* canvas, const RECT& rect, RECT* outRect) = 0;
    // A new drawable of the same class with CopyFrom(this) applied; none when memory ran out or
    // the class cannot be copied.
    virtual CKDrawable* Clone() = 0;
    // Copies name, state, style, margin and padding; then 1 when `other` is of the same class
    // (each class also copies its own fields), else 0. Nothing is copied from none.
    virtual int CopyFrom(const CKDrawable* other);

    void SetState(unsigned int word) { state = word; }
    unsigned int GetState() const { return state; }
    void SetStyle(unsigned int word) { style = word; }
    unsigned int GetStyle() const { return style; }
    // Margin: space left outside the face; padding: between the face and the content. Signed
    // pixels.
    void SetMargin(const RECT& rect) { margin = rect; }
    void SetPadding(const RECT& rect) { padding = rect; }
    const RECT& GetMargin() const { return margin; }
    const RECT& GetPadding() const { return padding; }
    // Replaces the name with a copy of `text` (none clears it); 0 when memory ran out (the old
    // name stays).
    int SetName(const char* text);
    // The empty string when there is no name.
    const char* GetName() const { return name ? name : ""; }

    // The slot of the state rule: disabled wins over pressed over selected; else normal.
    static int GetStateSlot(unsigned int state);

protected:
    CKDrawable() = default;

    // Adds margin and padding of both sides to each axis of `size`.
    void AddInsets(SIZE& size) const;
    // `rect` minus margin and padding on each side: the content area.
    void ShrinkToContent(RECT& rect) const;
    // Consumes the strip that content of usedWidth x usedHeight (plus margins and paddings) took:
    // with KDT_LEFT the left edge moves right, else with KDT_RIGHT the right edge moves left; with
    // KDT_TOP the top moves down, else with KDT_BOTTOM the bottom moves up.
    void ConsumeStrip(RECT& outRect, int usedWidth, int usedHeight) const;

    char* name = nullptr;     // owned: heap copy of the name
    unsigned int state = 0;   // interaction bits and per-draw layout bits
    unsigned int style = 0;   // definition-time corner, border-side and "auto" bits
    RECT margin = {};
    RECT padding = {};
};

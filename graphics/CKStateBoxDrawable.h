// CKStateBoxDrawable: the boxes beside list and tree items (check, delete, radio, drop-down and
// sub-view boxes). It picks one of eight icon drawables of "res/DrawableCtrl.xml" by the kind bits
// and the checked bit of the state word, and forwards measuring and drawing to it.
#pragma once
#include "graphics/CKDrawable.h"

// Kind field of the state word (bits 12-15) and its values.
constexpr unsigned int KBOX_KIND_MASK = 0xF000;
constexpr unsigned int KBOX_CHECK = 0x1000;      // check box: "DefCheckBoxIcon", "...Check"
constexpr unsigned int KBOX_DELETE = 0x2000;     // delete box: "DefDeleteBoxIcon", "...Check"
constexpr unsigned int KBOX_RADIO = 0x3000;      // radio box: "DefRadioBoxIcon", "...Check"
constexpr unsigned int KBOX_DROPDOWN = 0x4000;   // drop-down box: "DefDropdownBoxIcon"
constexpr unsigned int KBOX_SUBVIEW = 0x5000;    // sub-view box: "DefSubviewBoxIcon"

class CKStateBoxDrawable : public CKDrawable
{
    K_DECLARE_DYNCREATE(CKStateBoxDrawable)
public:
    CKStateBoxDrawable() = default;
    ~CKStateBoxDrawable() override;

    // The chosen drawable's size for the whole state word; 0 x 0 for an unknown kind or a missing
    // drawable.
    void CalcSize(SIZE& size) override;
    // The chosen drawable, its state set to the whole state word, draws; nothing for an unknown
    // kind or a missing drawable.
    void Draw(CKCanvas* canvas, const RECT& rect, RECT* outRect) override;
    // None: the box is not copied.
    CKDrawable* Clone() override;

    // Looks up the drawables of one kind (KBOX_*) that are not held yet, each held with one
    // reference. 1 for a known kind, 0 otherwise.
    int PrepareKind(unsigned int kindBits);

private:
    // The drawable for the current state (its kind prepared first), or none.
    CKDrawable* Choose();

    // Indexed by kind - 1: the "Icon" drawable of each kind, and the "Check" drawable of the
    // first three kinds (check, delete, radio). All counted, none until prepared.
    CKDrawable* icons[5] = {};
    CKDrawable* checks[3] = {};
};

// The process-wide state box, created on first request (counted; the registry's shut-down releases
// it). None when memory ran out.
CKStateBoxDrawable* GetStateBoxDrawable();
// Releases the shared state box; part of the drawables' shut-down step.
void ReleaseStateBoxDrawable();

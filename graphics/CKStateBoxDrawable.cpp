// CKStateBoxDrawable: the lazy look-up of the box drawables and the forwarding by kind and check.
#include "graphics/CKStateBoxDrawable.h"

#include "graphics/KDrawableRegistry.h"

K_IMPLEMENT_DYNCREATE(CKStateBoxDrawable, CKDrawable)

namespace {

const char BOX_FILE[] = "res/DrawableCtrl.xml";

constexpr int KIND_COUNT = 5;
constexpr int CHECKED_KINDS = 3;   // check, delete and radio boxes have a "Check" drawable

const char* const ICON_NAMES[KIND_COUNT] = {"DefCheckBoxIcon", "DefDeleteBoxIcon",
                                            "DefRadioBoxIcon", "DefDropdownBoxIcon",
                                            "DefSubviewBoxIcon"};
const char* const CHECK_NAMES[CHECKED_KINDS] = {"DefCheckBoxCheck", "DefDeleteBoxCheck",
                                                "DefRadioBoxCheck"};

CKStateBoxDrawable* g_stateBox;   // counted: the shared instance, or none

// The kind's index 0..4, or -1 for an unknown kind.
int KindIndex(unsigned int kindBits)
{
    const int index = (int)((kindBits & KBOX_KIND_MASK) / KBOX_CHECK) - 1;
    return index >= 0 && index < KIND_COUNT ? index : -1;
}

// Holds the registry's drawable `name` in `slot` when the slot is still empty.
void HoldDrawable(CKDrawable** slot, const char* name)
{
    if (*slot)
        return;
    *slot = GetDrawable(BOX_FILE, name);
    if (*slot)
        (*slot)->AddRef();
}

void DropDrawable(CKDrawable** slot)
{
    if (*slot)
        (*slot)->Release();
    *slot = nullptr;
}

} // namespace

CKStateBoxDrawable::~CKStateBoxDrawable()
{
    for (CKDrawable*& icon : icons)
        DropDrawable(&icon);
    for (CKDrawable*& check : checks)
        DropDrawable(&check);
}

int CKStateBoxDrawable::PrepareKind(unsigned int kindBits)
{
    const int index = KindIndex(kindBits);
    if (index < 0)
        return 0;
    HoldDrawable(&icons[index], ICON_NAMES[index]);
    if (index < CHECKED_KINDS)
        HoldDrawable(&checks[index], CHECK_NAMES[index]);
    return 1;
}

CKDrawable* CKStateBoxDrawable::Choose()
{
    const int index = KindIndex(state);
    if (index < 0 || !PrepareKind(state))
        return nullptr;
    CKDrawable* chosen = index < CHECKED_KINDS && (state & KSTATE_CHECKED) ? checks[index]
                                                                           : icons[index];
    if (chosen)
        chosen->SetState(state);
    return chosen;
}

void CKStateBoxDrawable::CalcSize(SIZE& size)
{
    CKDrawable* chosen = Choose();
    if (chosen) {
        chosen->CalcSize(size);
    } else {
        size.cx = 0;
        size.cy = 0;
    }
}

void CKStateBoxDrawable::Draw(CKCanvas* canvas, const RECT& rect, RECT* outRect)
{
    CKDrawable* chosen = Choose();
    if (chosen)
        chosen->Draw(canvas, rect, outRect);
}

CKDrawable* CKStateBoxDrawable::Clone()
{
    return nullptr;
}

CKStateBoxDrawable* GetStateBoxDrawable()
{
    if (!g_stateBox) {
        g_stateBox = new CKStateBoxDrawable();
        if (g_stateBox) {
            g_stateBox->EnableRefCount();
            g_stateBox->AddRef();
        }
    }
    return g_stateBox;
}

void ReleaseStateBoxDrawable()
{
    if (g_stateBox)
        g_stateBox->Release();
    g_stateBox = nullptr;
}

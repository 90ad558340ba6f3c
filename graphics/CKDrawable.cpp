// CKDrawable: the common fields, the state rule and the inset arithmetic every drawable shares.
#include "graphics/CKDrawable.h"

#include "foundation/KMemory.h"
#include "foundation/KText.h"
#include "graphics/CKCanvas.h"

K_IMPLEMENT_CLASS(CKDrawable, CKObject)

CKDrawable::~CKDrawable()
{
    KFree(name);
}

int CKDrawable::CopyFrom(const CKDrawable* other)
{
    if (!other)
        return 0;
    if (other != this) {
        SetName(other->name);
        state = other->state;
        style = other->style;
        margin = other->margin;
        padding = other->padding;
    }
    return other->GetRuntimeClass() == GetRuntimeClass() ? 1 : 0;
}

int CKDrawable::SetName(const char* text)
{
    char* copy = nullptr;
    if (text) {
        copy = KStrDupA(text);
        if (!copy)
            return 0;
    }
    KFree(name);
    name = copy;
    return 1;
}

int CKDrawable::GetStateSlot(unsigned int state)
{
    if (state & KSTATE_DISABLED)
        return KSLOT_DISABLED;
    if (state & KSTATE_PRESSED)
        return KSLOT_PRESSED;
    if (state & KSTATE_SELECTED)
        return KSLOT_SELECTED;
    return KSLOT_NORMAL;
}

void CKDrawable::AddInsets(SIZE& size) const
{
    size.cx += margin.left + margin.right + padding.left + padding.right;
    size.cy += margin.top + margin.bottom + padding.top + padding.bottom;
}

void CKDrawable::ShrinkToContent(RECT& rect) const
{
    rect.left += margin.left + padding.left;
    rect.top += margin.top + padding.top;
    rect.right -= margin.right + padding.right;
    rect.bottom -= margin.bottom + padding.bottom;
}

void CKDrawable::ConsumeStrip(RECT& outRect, int usedWidth, int usedHeight) const
{
    SIZE used = {usedWidth, usedHeight};
    AddInsets(used);
    if (state & KDT_LEFT)
        outRect.left += used.cx;
    else if (state & KDT_RIGHT)
        outRect.right -= used.cx;
    if (state & KDT_TOP)
        outRect.top += used.cy;
    else if (state & KDT_BOTTOM)
        outRect.bottom -= used.cy;
}

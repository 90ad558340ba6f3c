// Keeping drawables in the slots of a control: the kind rule every control's setters follow, and
// loading a control's default drawable into a slot that is still empty.
//
// Slot rule: a slot holds one reference on its drawable. Storing releases the previous drawable
// first, then keeps the new one only when it is of the slot's kind (a face, text or icon
// drawable); a drawable of another kind leaves the slot empty. The control releases every slot
// when it is destroyed.
#pragma once
#include "foundation/CKObject.h"
#include "graphics/CKDrawable.h"
#include "graphics/KDrawableRegistry.h"

// Stores `drawable` in `slot` when it is of class `kind` (or derives from it); none, or a drawable
// of another kind, empties the slot.
template <class T>
void KHoldDrawable(T*& slot, CKDrawable* drawable, const KRuntimeClass* kind)
{
    T* kept = nullptr;
    if (drawable && drawable->IsKindOf(kind)) {
        kept = static_cast<T*>(drawable);
        kept->AddRef();
    }
    if (slot)
        slot->Release();
    slot = kept;
}

// An empty slot gets the drawable `name` of the drawable file `file` under the same rule; a slot
// that holds a drawable already keeps it.
template <class T>
void KLoadDrawable(T*& slot, const char* file, const char* name, const KRuntimeClass* kind)
{
    if (!slot)
        KHoldDrawable(slot, GetDrawable(file, name), kind);
}

// Empties the slot.
template <class T>
void KDropDrawable(T*& slot)
{
    if (slot) {
        slot->Release();
        slot = nullptr;
    }
}

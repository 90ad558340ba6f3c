// Release of the section lists shared by CKIniW and CKIniA, whose records have the same shape in
// the two text widths (next, keys / next, value, name inline), all allocated with KAlloc.
#pragma once
#include "foundation/KMemory.h"

// Frees every section of the list starting at `first`, with its keys and their values; `first`
// ends as none.
template <class Section>
void KFreeIniSections(Section*& first)
{
    while (first) {
        Section* section = first;
        first = section->next;
        while (section->keys) {
            auto* key = section->keys;
            section->keys = key->next;
            KFree(key->value);
            KFree(key);
        }
        KFree(section);
    }
}

// CLmPathIndex: paths of a list under the playlists' folding rule, in an open-addressed table
// (linear probing; removal shifts the entries after it back, so no slot is ever marked deleted).
#include "app/CLmPathIndex.h"

#include <cstring>

#include "foundation/KMemory.h"
#include "foundation/KText.h"

namespace {

// The table is never more than half full, so that a probe ends after a few slots.
constexpr unsigned MIN_CAPACITY = 16;

bool SamePath(const wchar_t* a, const wchar_t* b)
{
    return KStrICmpW(a, b) == 0;
}

} // namespace

CLmPathIndex::~CLmPathIndex()
{
    Clear();
}

bool CLmPathIndex::Resize(unsigned newCapacity)
{
    const wchar_t** table = (const wchar_t**)KAlloc(sizeof(const wchar_t*) * newCapacity);
    if (!table)
        return false;
    memset(table, 0, sizeof(const wchar_t*) * newCapacity);
    const wchar_t** old = slots;
    const unsigned oldCapacity = capacity;
    slots = table;
    capacity = newCapacity;
    for (unsigned i = 0; i < oldCapacity; i++) {
        if (!old[i])
            continue;
        unsigned slot = Home(old[i]);
        while (slots[slot])
            slot = (slot + 1) & (capacity - 1);
        slots[slot] = old[i];
    }
    KFree(old);
    return true;
}

void CLmPathIndex::Reserve(int wanted)
{
    unsigned needed = MIN_CAPACITY;
    while (needed < 2u * (unsigned)(wanted > 0 ? wanted : 0))
        needed *= 2;
    if (needed > capacity)
        Resize(needed);
}

void CLmPathIndex::Add(const wchar_t* path)
{
    if (!path || (2 * (count + 1) > capacity && !Resize(capacity ? 2 * capacity : MIN_CAPACITY)))
        return;
    unsigned slot = Home(path);
    while (slots[slot])
        slot = (slot + 1) & (capacity - 1);
    slots[slot] = path;
    count++;
}

void CLmPathIndex::Remove(const wchar_t* path)
{
    if (!path || !count)
        return;
    // The entry of this very pointer, else the first with an equal path.
    unsigned found = capacity;
    for (unsigned slot = Home(path); slots[slot]; slot = (slot + 1) & (capacity - 1)) {
        if (slots[slot] == path) {
            found = slot;
            break;
        }
        if (found == capacity && SamePath(slots[slot], path))
            found = slot;
    }
    if (found == capacity)
        return;
    // Entries after the hole whose probe passed through it move back into it.
    unsigned hole = found;
    for (unsigned slot = (hole + 1) & (capacity - 1); slots[slot]; slot = (slot + 1) & (capacity - 1)) {
        const unsigned home = Home(slots[slot]);
        // The entry stays when its home lies in (hole, slot], cyclically.
        const bool stays = hole < slot ? (home > hole && home <= slot) : (home > hole || home <= slot);
        if (stays)
            continue;
        slots[hole] = slots[slot];
        hole = slot;
    }
    slots[hole] = nullptr;
    count--;
}

int CLmPathIndex::Contains(const wchar_t* path) const
{
    if (!path || !count)
        return 0;
    for (unsigned slot = Home(path); slots[slot]; slot = (slot + 1) & (capacity - 1))
        if (SamePath(slots[slot], path))
            return 1;
    return 0;
}

void CLmPathIndex::Clear()
{
    KFree(slots);
    slots = nullptr;
    capacity = 0;
    count = 0;
}

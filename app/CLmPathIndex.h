// The set of file paths shown in a list, compared the way playlists compare paths (only 'A'-'Z'
// fold). Adding a folder of thousands of files tests each one against the rows already there; an
// index keeps that test constant-time instead of a walk over every row.
//
// The index copies nothing: it keeps the path pointers it is given (the paths of the rows'
// records, which live as long as their rows), in one open-addressed table, so that indexing a list
// of a million rows takes one allocation and about 16 bytes a row. A path must stay valid and
// unchanged while it is in the index.
#pragma once
#include "foundation/KText.h"

class CLmPathIndex
{
public:
    CLmPathIndex() = default;
    ~CLmPathIndex();

    // Counts one more row with this path (borrowed until removed or cleared).
    void Add(const wchar_t* path);
    // Counts one row fewer: the entry given this very pointer, else one with an equal path; the
    // path leaves the set with its last row.
    void Remove(const wchar_t* path);
    // 1 when a row with this path (under the folding rule) is in the set.
    int Contains(const wchar_t* path) const;
    // Forgets every path and frees the table.
    void Clear();
    // Makes room for `count` paths at once (a caller about to add that many).
    void Reserve(int count);

    CLmPathIndex(const CLmPathIndex&) = delete;
    CLmPathIndex& operator=(const CLmPathIndex&) = delete;

private:
    // The slot `path` would be found from (its folded hash within the table).
    unsigned Home(const wchar_t* path) const { return KStrIHashW(path) & (capacity - 1); }
    // Rebuilds the table with `newCapacity` slots (a power of two); false when memory ran out.
    bool Resize(unsigned newCapacity);

    const wchar_t** slots = nullptr;   // owned table of `capacity` slots; the paths are borrowed
    unsigned capacity = 0;             // a power of two, at least twice the count; 0 without table
    unsigned count = 0;
};

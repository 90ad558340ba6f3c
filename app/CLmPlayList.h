// A named playlist: an ordered array of media records, each slot holding one reference.
#pragma once
#include "app/CLmMediaInfo.h"
#include "foundation/CKArrayT.h"
#include "foundation/KString.h"

class CLmPlayList : public CKObject
{
    K_DECLARE_CLASS(CLmPlayList)
public:
    CLmPlayList();
    // Releases every record.
    ~CLmPlayList() override;

    const wchar_t* GetName() const { return name; }
    // Returns the new length, -1 (unchanged) when the name is too long.
    int SetName(const wchar_t* text) { return name.Assign(text); }

    int GetCount() const { return files.GetCount(); }
    // The record at index, none outside the range.
    CLmMediaInfo* GetAt(int index) const { return files.GetAt(index); }
    // Appends and AddRefs; 0 when the slot could not be allocated, else 1.
    int Add(CLmMediaInfo* info);
    // Overwrites a slot without touching references: used to store a new order of the same records.
    void SetAt(int index, CLmMediaInfo* info);
    // Removes and Releases one record; 0 for an index outside the range.
    int RemoveAt(int index);
    // Releases every record and empties the list.
    void RemoveAll();
    // Appends a new record for the file (base name as title); 0 when it could not be made or added.
    int AddFile(const wchar_t* path);

private:
    KStringW name;
    CKArrayT<CLmMediaInfo*> files;   // each record counted once by this list
};

// Compares two names or paths unit by unit, folding only 'A'-'Z' to 'a'-'z'; the difference of the
// first differing folded units, 0 when equal. Used for list names, duplicate paths and sorting.
int CompareNames(const wchar_t* a, const wchar_t* b);
// Sort order "by file name": the titles under CompareNames.
int CompareByFileName(const CKMediaInfo* a, const CKMediaInfo* b);
// Sort order "by artist": artist, then album, then title. For artist and album an empty text sorts
// before a non-empty one, two non-empty ones compare under CompareNames; the next key decides only
// on equality. The titles compare under CompareNames.
int CompareByArtist(const CKMediaInfo* a, const CKMediaInfo* b);

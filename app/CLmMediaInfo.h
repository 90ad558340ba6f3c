// A media record of the player: what the library knows about one audio file plus its full path.
// Records are shared by playlists and the player's rows, so they are always reference counted.
#pragma once
#include "foundation/KString.h"
#include "media/CKMediaInfo.h"

class CLmMediaInfo : public CKMediaInfo
{
    K_DECLARE_CLASS(CLmMediaInfo)
public:
    const KStringW& GetPath() const { return path; }
    // Copies `count` units of the text (up to the NUL when negative); returns the new length, -1
    // (unchanged) when it is too long.
    int SetPath(const wchar_t* text, int count = -1) { return path.Assign(text, count); }

private:
    friend CLmMediaInfo* NewMediaInfo();
    CLmMediaInfo() = default;

    KStringW path;
};

// A new empty record (duration 0, all strings empty), already counted (count 0): the first holder
// AddRefs it. None when memory ran out.
CLmMediaInfo* NewMediaInfo();
// A new record for a file just added by the user: its full path, its base name as title, duration 0,
// no album or artist. None when memory ran out or the path does not fit a record.
CLmMediaInfo* NewMediaInfoForFile(const wchar_t* path);

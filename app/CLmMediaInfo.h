// A media record of the player: what the library knows about one audio file plus its full path.
// Records are shared by playlists and the player's rows, so they are always reference counted.
//
// A record made with its texts (a playlist file holds a million of them) is one allocation: the
// object followed by its four texts (fixed storage, foundation/KString.h). A text set later gets
// storage of its own; the block is freed with the record.
#pragma once
#include <cstddef>

#include "foundation/KString.h"
#include "media/CKMediaInfo.h"

// One text of a new record: `count` units (count < 0: up to the NUL); a null text is empty.
struct KRecordText
{
    const wchar_t* text;
    int count;
};

class CLmMediaInfo : public CKMediaInfo
{
    K_DECLARE_CLASS(CLmMediaInfo)
public:
    const KStringW& GetPath() const { return path; }
    // Copies `count` units of the text (up to the NUL when negative); returns the new length, -1
    // (unchanged) when it is too long.
    int SetPath(const wchar_t* text, int count = -1) { return path.Assign(text, count); }

private:
    friend CLmMediaInfo* NewMediaInfo(KRecordText, KRecordText, KRecordText, KRecordText);
    CLmMediaInfo() = default;
    // The object with `extra` bytes after it, in one block (freed whole by the delete).
    static void* operator new(size_t bytes, size_t extra) noexcept;

    KStringW path;
};

// A new record (duration 0) holding the texts in its own block, already counted (count 0): the
// first holder AddRefs it. None when memory ran out or a text is too long for a string.
CLmMediaInfo* NewMediaInfo(KRecordText path, KRecordText title, KRecordText album,
                           KRecordText artist);
// A new empty record (duration 0, all strings empty), counted as above.
inline CLmMediaInfo* NewMediaInfo()
{
    return NewMediaInfo({nullptr, 0}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0});
}
// A new record for a file just added by the user: its full path, its base name as title, duration 0,
// no album or artist. None when memory ran out or the path does not fit a record.
CLmMediaInfo* NewMediaInfoForFile(const wchar_t* path);

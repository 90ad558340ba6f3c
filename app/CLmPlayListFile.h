// CLmPlayListFile: the reader and writer of "PlayList.txt", the file that keeps every playlist.
// The playlist tree (app/CLmPlayListCtrl.h) holds the collection and calls it to load and save.
//
// The file is UTF-16LE: the mark FF FE, one LF, then per playlist a line "@name", one line per
// record "#path�duration�title�album�artist�" (U+FFFD ends every field, none is escaped) and an
// empty line. Callers save after every change (add, rename, delete, clear, sort, added files,
// durations); a save replaces the file in one step, so a failed one leaves the old file whole.
// What a line cannot hold never reaches it: files whose paths could not be kept are refused when
// added (CheckPath), and tags read from files are fitted (FitTags).
#pragma once
#include "app/CLmPlayList.h"
#include "foundation/CKSafeFile.h"
#include "foundation/KString.h"

// Name of the playlist file in ModuleDir.
extern const wchar_t* const PLAYLIST_FILE_NAME;
// Longest line the reader takes, in characters; a longer line is skipped whole (a path that long
// is not kept, and its tail never passes for a record of its own).
constexpr int PLAYLIST_MAX_LINE = 1023;
// Longest playlist name the add and rename boxes take: its header line ("@" and the name) always
// fits a line the reader takes, so that a restart finds the same name.
constexpr int PLAYLIST_MAX_NAME = 255;
static_assert(PLAYLIST_MAX_NAME + 1 <= PLAYLIST_MAX_LINE, "a name's header line must fit a line");

// What CheckPath finds of a file's path.
constexpr int LMPATH_FITS = 0;        // its record can be written and read back whole
constexpr int LMPATH_TOO_LONG = 1;    // its record line would pass PLAYLIST_MAX_LINE
constexpr int LMPATH_UNSAVABLE = 2;   // it holds U+FFFD or a line end, which would cut the record

class CLmPlayListFile
{
public:
    // Makes the playlist of a header line (appended to the caller's collection): the playlist
    // that takes the records that follow, or none to drop them.
    typedef CLmPlayList* (*KAddListProc)(const wchar_t* name, void* context);

    // Reads the file at `path` line by line: each '@' line through `addList`, each '#' line after
    // one as a record of that playlist; other lines and malformed records are skipped. Returns the
    // number of playlists made (0 also for a missing file). A file with text in it but no
    // playlist is copied to path + ".unreadable" first, since the next save replaces it.
    static int Read(const wchar_t* path, KAddListProc addList, void* context);
    // Parses one record line ("#path�duration�title�album�artist�..."); the new record, counted
    // and held by no one, or none when a separator is missing or memory ran out.
    static CLmMediaInfo* ParseRecord(const wchar_t* line);
    // Whether the file can hold the record of a file added at `path` (its base name as title, no
    // album or artist) whatever duration is measured for it: LMPATH_FITS, or why not. Since no
    // field is escaped, a U+FFFD would end the path early and shift every field after it.
    static int CheckPath(const wchar_t* path);
    // Makes the tags a file gave its record (title, album, artist) fit the file, so that the
    // record is written and read back whole: a U+FFFD becomes '?', a line end a space, and while
    // the line would pass PLAYLIST_MAX_LINE at the widest duration the longest of the three is
    // cut. The path is left as it is (CheckPath judged it when the file was added).
    static void FitTags(CLmMediaInfo* info);

    // Writing: Open, Write each playlist in collection order, Commit.
    CLmPlayListFile() = default;
    // Starts a new file beside `path` with the mark and the first line feed; 0 when it cannot be
    // created.
    int Open(const wchar_t* path);
    // The playlist's header, its record lines (missing records skipped) and the empty line.
    void Write(const CLmPlayList* list);
    // Puts the new file in the old one's place; 1, or 0 when anything could not be written.
    int Commit();

private:
    // Writes `count` units (the safe file gathers them and writes large pieces).
    void Put(const wchar_t* units, int count) { file.WriteText(units, count); }
    void Put(const KStringW& string) { Put(string, string.GetLength()); }
    void Put(wchar_t unit) { Put(&unit, 1); }

    CKSafeFile file;
};

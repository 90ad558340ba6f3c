// The user's playlists: one ordered collection with at most one playlist selected, stored whole in
// "PlayList.txt" beside the executable. The playlist panel hosts it and shows it as tree items; the
// rules (names, selection after a delete, the file format) live here.
//
// The file is UTF-16LE: the mark FF FE, one LF, then per playlist a line "@name", one line per
// record "#path�duration�title�album�artist�" (U+FFFD ends every field) and an empty line.
// Callers save after every change (add, rename, delete, clear, sort, added files, durations).
#pragma once
#include "app/CLmPlayList.h"
#include "foundation/CKArrayT.h"
#include "foundation/KPaths.h"

// Name of the playlist file in ModuleDir.
extern const wchar_t* const PLAYLIST_FILE_NAME;
// Longest line the reader takes, in characters; the rest of a longer line is read as another line.
constexpr int PLAYLIST_MAX_LINE = 1023;

class CLmPlayLists : public CKObject
{
    K_DECLARE_CLASS(CLmPlayLists)
public:
    // The collection stored in `path`; none means ModuleDir + "PlayList.txt".
    explicit CLmPlayLists(const wchar_t* path = nullptr);
    // Destroys every playlist.
    ~CLmPlayLists() override;

    // Reads the file, adds "默认列表" when it held no playlist, and selects the saved index.
    void LoadPlayLists();
    // Rewrites the file whole; 1, or 0 when it could not be written (the old file then stays).
    int SavePlayLists();

    // A new playlist appended at the end; no selection change, no file write. None when out of memory.
    CLmPlayList* AddPlayList(const wchar_t* name);
    // Renames the selected playlist; 0 when nothing is selected or the name does not fit.
    int RenamePlayList(const wchar_t* name);
    // Destroys the selected playlist and selects the one after it (the one before, when it was the
    // last); 0 when nothing is selected.
    int DeletePlayList();
    // Makes `list` the selected playlist and stores its index in the settings ("Settings.ini" is
    // written when the index changed).
    void SelectPlayList(CLmPlayList* list);
    // Clamps the index to 0..count-1, then as SelectPlayList; nothing when there is no playlist.
    void SelectPlayListByIndex(int index);

    CLmPlayList* GetSelectedPlayList() const { return selected; }
    int GetPlayListCount() const { return lists.GetCount(); }
    // Position of the list in the collection, -1 when it is not in it.
    int IndexOfPlayList(const CLmPlayList* list) const;
    // The playlist at index, none out of range.
    CLmPlayList* PlayListAt(int index) const { return lists.GetAt(index); }
    // 1 when a playlist's name equals `name` under CompareNames.
    int NameExists(const wchar_t* name) const;

    const wchar_t* GetFilePath() const { return path; }

    // Parses one record line ("#path�duration�title�album�artist�..."); the new record, counted
    // and held by no one, or none when a separator is missing or memory ran out.
    static CLmMediaInfo* ParseRecord(const wchar_t* line);

private:
    // Frees the playlists and forgets the selection.
    void Clear();

    CKArrayT<CLmPlayList*> lists;     // owned: the collection destroys its playlists
    CLmPlayList* selected = nullptr;  // borrowed from `lists`
    wchar_t path[KMAX_PATH];
};

// CLmFileReceiver: what a page that finds files needs of the page that lists them: add files to
// the selected playlist, make a playlist of a folder's files, and show a playlist. The browse page
// hands its ticked files through it; the application object connects it to the player page when it
// creates the pages, so that neither page needs to know the other.
#pragma once

class CLmPlayList;

class CLmFileReceiver
{
public:
    // Files come in a batch: BeginAddFiles, AddFile per file, EndAddFiles.
    virtual void BeginAddFiles() = 0;
    // Appends the file to the selected playlist unless it is listed there already (which still
    // succeeds). 0 when it could not be added.
    virtual int AddFile(const wchar_t* path) = 0;
    // Ends the batch; with `save` the playlists are written.
    virtual void EndAddFiles(int save) = 0;
    // A new playlist named `name` holding the `count` files; none when no file could be kept.
    virtual CLmPlayList* AddDirectoryAsPlayList(const wchar_t* name, const wchar_t* const* paths,
                                                int count) = 0;
    // `list` becomes the selected playlist and is shown.
    virtual void ShowPlayList(CLmPlayList* list) = 0;

protected:
    // Receivers are pages: they are never deleted through this interface.
    ~CLmFileReceiver() = default;
};

// CLmPlayList, and the name comparison and sort orders of the player's records.
#include "app/CLmPlayList.h"

#include "foundation/KText.h"

K_IMPLEMENT_CLASS(CLmPlayList, CKObject)

namespace {

// Playlists grow 128 records at a time: whole folders are added at once.
constexpr int PLAYLIST_GROWTH = 128;

void ReleaseRecord(CLmMediaInfo** slot, void*)
{
    if (*slot)
        (*slot)->Release();
}

// Empty texts first, then CompareNames.
int CompareTagTexts(const KStringW& a, const KStringW& b)
{
    bool aEmpty = a.GetLength() == 0, bEmpty = b.GetLength() == 0;
    if (aEmpty != bEmpty)
        return aEmpty ? -1 : 1;
    return aEmpty ? 0 : CompareNames(a, b);
}

} // namespace

CLmPlayList::CLmPlayList() : files(PLAYLIST_GROWTH) {}

CLmPlayList::~CLmPlayList()
{
    RemoveAll();
}

int CLmPlayList::Add(CLmMediaInfo* info)
{
    if (!info || files.Add(info) < 0)
        return 0;
    info->AddRef();
    return 1;
}

void CLmPlayList::SetAt(int index, CLmMediaInfo* info)
{
    files.SetAt(index, info);
}

int CLmPlayList::RemoveAt(int index)
{
    return files.RemoveAt(index, ReleaseRecord, nullptr);
}

void CLmPlayList::RemoveAll()
{
    files.RemoveAll(ReleaseRecord, nullptr);
}

int CLmPlayList::AddFile(const wchar_t* path)
{
    CLmMediaInfo* info = NewMediaInfoForFile(path);
    if (!info)
        return 0;
    if (!Add(info)) {
        delete info;   // counted but held by no one yet
        return 0;
    }
    return 1;
}

int CompareNames(const wchar_t* a, const wchar_t* b)
{
    return KStrICmpW(a, b);
}

int CompareByFileName(const CKMediaInfo* a, const CKMediaInfo* b)
{
    return CompareNames(a->GetTitle(), b->GetTitle());
}

int CompareByArtist(const CKMediaInfo* a, const CKMediaInfo* b)
{
    int result = CompareTagTexts(a->GetArtist(), b->GetArtist());
    if (result == 0)
        result = CompareTagTexts(a->GetAlbum(), b->GetAlbum());
    if (result == 0)
        result = CompareNames(a->GetTitle(), b->GetTitle());
    return result;
}

// CLmPlayLists: the playlist collection and its file "PlayList.txt".
#include "app/CLmPlayLists.h"

#include "app/LmSettings.h"
#include "foundation/CKFile.h"
#include "foundation/CKSafeFile.h"
#include "foundation/KResource.h"
#include "foundation/KText.h"

K_IMPLEMENT_CLASS(CLmPlayLists, CKObject)

const wchar_t* const PLAYLIST_FILE_NAME = L"PlayList.txt";

namespace {

constexpr wchar_t FIELD_END = 0xFFFD;        // ends every field of a record line
constexpr wchar_t HEADER_MARK = L'@';        // first unit of a playlist's header line
constexpr wchar_t RECORD_MARK = L'#';        // first unit of a record line
constexpr wchar_t BYTE_ORDER_MARK = 0xFEFF;
// String id of the name of the playlist created when none could be read.
constexpr UINT IDS_DEFAULT_PLAYLIST = 3052;
constexpr int DEFAULT_NAME_CAPACITY = 128;
// The collection grows this many playlists at a time.
constexpr int COLLECTION_GROWTH = 16;
// Units gathered before one write to the file: a large file is written in few calls.
constexpr int WRITE_CHUNK_UNITS = 32768;
// Where a file that held text but no readable playlist is kept before anything overwrites it.
constexpr wchar_t UNREADABLE_COPY_SUFFIX[] = L".unreadable";

void DestroyList(CLmPlayList** slot, void*)
{
    delete *slot;
}

// Gathers the file's text and writes it in large pieces through the safe writer.
class CChunkWriter
{
public:
    explicit CChunkWriter(CKSafeFile& file) : file(file) { text.Reserve(WRITE_CHUNK_UNITS); }

    void Put(const wchar_t* units, int count)
    {
        if (text.GetLength() + count > WRITE_CHUNK_UNITS)
            Flush();
        if (count > WRITE_CHUNK_UNITS) {
            file.WriteText(units, count);
            return;
        }
        text.Append(units, count);
    }
    void Put(const KStringW& string) { Put(string, string.GetLength()); }
    void Put(wchar_t unit) { Put(&unit, 1); }
    void Flush()
    {
        if (text.GetLength())
            file.WriteText(text, text.GetLength());
        text.Empty();
    }

private:
    CKSafeFile& file;
    KStringW text;
};

// Moves on to the next field: returns the unit after the field's separator, none when missing.
const wchar_t* FieldEnd(const wchar_t* field)
{
    while (*field && *field != FIELD_END)
        field++;
    return *field ? field : nullptr;
}

int FileSize(const wchar_t* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        return 0;
    return data.nFileSizeHigh ? 0x7FFFFFFF : (int)data.nFileSizeLow;
}

} // namespace

CLmPlayLists::CLmPlayLists(const wchar_t* filePath) : lists(COLLECTION_GROWTH)
{
    if (filePath) {
        KStrNCpyW(path, filePath, KMAX_PATH - 1);
        path[KMAX_PATH - 1] = 0;
    } else {
        MakeModulePath(path, PLAYLIST_FILE_NAME);
    }
}

CLmPlayLists::~CLmPlayLists()
{
    Clear();
}

void CLmPlayLists::Clear()
{
    lists.RemoveAll(DestroyList, nullptr);
    selected = nullptr;
}

CLmMediaInfo* CLmPlayLists::ParseRecord(const wchar_t* line)
{
    if (!line || line[0] != RECORD_MARK)
        return nullptr;
    const wchar_t* fields[5];
    const wchar_t* ends[5];
    const wchar_t* at = line + 1;
    for (int i = 0; i < 5; i++) {
        fields[i] = at;
        ends[i] = FieldEnd(at);
        if (!ends[i])
            return nullptr;
        at = ends[i] + 1;
    }
    CLmMediaInfo* info = NewMediaInfo();
    if (!info)
        return nullptr;
    auto count = [&](int i) { return (int)(ends[i] - fields[i]); };
    bool fits = info->SetPath(fields[0], count(0)) >= 0 && info->SetTitle(fields[2], count(2)) >= 0
                && info->SetAlbum(fields[3], count(3)) >= 0 && info->SetArtist(fields[4], count(4)) >= 0;
    info->SetDuration(KStrToIntW(fields[1]));   // stops at the separator: it is no digit
    if (!fits) {
        delete info;   // counted but held by no one
        return nullptr;
    }
    return info;
}

void CLmPlayLists::LoadPlayLists()
{
    Clear();
    CKFile file;
    if (file.Open(path, KFILE_READ)) {
        wchar_t line[PLAYLIST_MAX_LINE + 1];
        CLmPlayList* current = nullptr;
        int length;
        while ((length = file.ReadLine(line, PLAYLIST_MAX_LINE + 1)) >= 0) {
            if (line[0] == HEADER_MARK) {
                current = AddPlayList(line + 1);
            } else if (line[0] == RECORD_MARK && current) {
                CLmMediaInfo* info = ParseRecord(line);
                if (info && !current->Add(info))
                    delete info;
            }
        }
        file.Close();
        // A file with text in it but no playlist is not ours to overwrite silently: the next save
        // would lose whatever the user had in it. Keep a copy beside it.
        if (lists.GetCount() == 0 && FileSize(path) > 2) {
            wchar_t copy[KMAX_PATH + 16];
            FormatText(copy, KMAX_PATH + 16, L"%s%s", path, UNREADABLE_COPY_SUFFIX);
            CopyFileW(path, copy, FALSE);
        }
    }
    if (lists.GetCount() == 0) {
        wchar_t name[DEFAULT_NAME_CAPACITY];
        LoadResString(IDS_DEFAULT_PLAYLIST, name, DEFAULT_NAME_CAPACITY);
        AddPlayList(name);
    }
    SelectPlayListByIndex(GetPlayListSelected());
}

int CLmPlayLists::SavePlayLists()
{
    CKSafeFile file;
    if (!file.Open(path))
        return 0;
    CChunkWriter out(file);
    out.Put(BYTE_ORDER_MARK);
    out.Put(L'\n');
    wchar_t number[16];
    for (int i = 0; i < lists.GetCount(); i++) {
        CLmPlayList* list = lists.GetAt(i);
        out.Put(HEADER_MARK);
        out.Put(list->GetName(), KStrLenW(list->GetName()));
        out.Put(L'\n');
        for (int r = 0; r < list->GetCount(); r++) {
            CLmMediaInfo* info = list->GetAt(r);
            if (!info)
                continue;
            out.Put(RECORD_MARK);
            out.Put(info->GetPath());
            out.Put(FIELD_END);
            out.Put(number, KIntToStrW(info->GetDuration(), number, 10));
            out.Put(FIELD_END);
            out.Put(info->GetTitle());
            out.Put(FIELD_END);
            out.Put(info->GetAlbum());
            out.Put(FIELD_END);
            out.Put(info->GetArtist());
            out.Put(FIELD_END);
            out.Put(L'\n');
        }
        out.Put(L'\n');
    }
    out.Flush();
    return file.Commit();
}

CLmPlayList* CLmPlayLists::AddPlayList(const wchar_t* name)
{
    CLmPlayList* list = new CLmPlayList();
    if (!list)
        return nullptr;
    if (list->SetName(name) < 0 || lists.Add(list) < 0) {
        delete list;
        return nullptr;
    }
    return list;
}

int CLmPlayLists::RenamePlayList(const wchar_t* name)
{
    if (!selected)
        return 0;
    return selected->SetName(name) >= 0;
}

int CLmPlayLists::DeletePlayList()
{
    int index = IndexOfPlayList(selected);
    if (index < 0)
        return 0;
    CLmPlayList* neighbour = lists.GetAt(index + 1);
    if (!neighbour)
        neighbour = lists.GetAt(index - 1);
    lists.RemoveAt(index, DestroyList, nullptr);
    selected = nullptr;
    if (neighbour)
        SelectPlayList(neighbour);
    return 1;
}

void CLmPlayLists::SelectPlayList(CLmPlayList* list)
{
    int index = IndexOfPlayList(list);
    if (index < 0)
        return;
    selected = list;
    SetPlayListSelected(index);
    SaveSettings();
}

void CLmPlayLists::SelectPlayListByIndex(int index)
{
    int count = lists.GetCount();
    if (count == 0)
        return;
    if (index >= count)
        index = count - 1;
    if (index < 0)
        index = 0;
    SelectPlayList(lists.GetAt(index));
}

int CLmPlayLists::IndexOfPlayList(const CLmPlayList* list) const
{
    if (!list)
        return -1;
    for (int i = 0; i < lists.GetCount(); i++)
        if (lists.GetAt(i) == list)
            return i;
    return -1;
}

int CLmPlayLists::NameExists(const wchar_t* name) const
{
    for (int i = 0; i < lists.GetCount(); i++)
        if (CompareNames(lists.GetAt(i)->GetName(), name) == 0)
            return 1;
    return 0;
}

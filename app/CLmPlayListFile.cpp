// CLmPlayListFile: reading and writing "PlayList.txt".
#include "app/CLmPlayListFile.h"

#include <climits>

#include "foundation/CKFile.h"
#include "foundation/KPaths.h"
#include "foundation/KText.h"

const wchar_t* const PLAYLIST_FILE_NAME = L"PlayList.txt";

namespace {

constexpr wchar_t FIELD_END = 0xFFFD;        // ends every field of a record line
constexpr wchar_t HEADER_MARK = L'@';        // first unit of a playlist's header line
constexpr wchar_t RECORD_MARK = L'#';        // first unit of a record line
constexpr wchar_t BYTE_ORDER_MARK = 0xFEFF;
// Fields of a record line: path, duration, title, album, artist.
constexpr int RECORD_FIELDS = 5;
// Units of the widest duration written, "-2147483648".
constexpr int WIDEST_DURATION = 11;
// What FitTags puts in a tag for a U+FFFD, and for a line end.
constexpr wchar_t SEPARATOR_STAND_IN = L'?';
constexpr wchar_t LINE_END_STAND_IN = L' ';
// Tag fields of a record line: title, album, artist.
constexpr int TAG_FIELDS = 3;
// Where a file that held text but no readable playlist is kept before anything overwrites it.
constexpr wchar_t UNREADABLE_COPY_SUFFIX[] = L".unreadable";
// Bytes of a file holding only the byte-order mark.
constexpr int MARK_BYTES = 2;

// Moves on to the next field: returns the field's separator, none when missing.
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
    return data.nFileSizeHigh ? INT_MAX : (int)data.nFileSizeLow;
}

} // namespace

// ---- Reading ------------------------------------------------------------------------------------

CLmMediaInfo* CLmPlayListFile::ParseRecord(const wchar_t* line)
{
    if (!line || line[0] != RECORD_MARK)
        return nullptr;
    const wchar_t* fields[RECORD_FIELDS];
    const wchar_t* ends[RECORD_FIELDS];
    const wchar_t* at = line + 1;
    for (int i = 0; i < RECORD_FIELDS; i++) {
        fields[i] = at;
        ends[i] = FieldEnd(at);
        if (!ends[i])
            return nullptr;
        at = ends[i] + 1;
    }
    auto text = [&](int i) { return KRecordText{fields[i], (int)(ends[i] - fields[i])}; };
    // One block for the record and its texts: a file of a million records makes a million
    // allocations, not five million.
    CLmMediaInfo* info = NewMediaInfo(text(0), text(2), text(3), text(4));
    if (info)
        info->SetDuration(KStrToIntW(fields[1]));   // stops at the separator: it is no digit
    return info;
}

int CLmPlayListFile::CheckPath(const wchar_t* path)
{
    int length = 0;
    for (; path[length]; length++) {
        const wchar_t unit = path[length];
        if (unit == FIELD_END || unit == L'\n' || unit == L'\r')
            return LMPATH_UNSAVABLE;
    }
    // '#', the path, the widest duration, the title NewMediaInfoForFile gives (the base name),
    // empty album and artist, and the separator that ends each of the five fields.
    wchar_t title[KMAX_PATH];
    const int titleLength = CKFile::GetBaseName(path, title, KMAX_PATH);
    const int line = 1 + length + WIDEST_DURATION + (titleLength > 0 ? titleLength : 0)
                     + RECORD_FIELDS;
    return line <= PLAYLIST_MAX_LINE ? LMPATH_FITS : LMPATH_TOO_LONG;
}

void CLmPlayListFile::FitTags(CLmMediaInfo* info)
{
    KStringW tags[TAG_FIELDS];
    tags[0].Assign(info->GetTitle(), info->GetTitle().GetLength());
    tags[1].Assign(info->GetAlbum(), info->GetAlbum().GetLength());
    tags[2].Assign(info->GetArtist(), info->GetArtist().GetLength());
    int line = 1 + info->GetPath().GetLength() + WIDEST_DURATION + RECORD_FIELDS;
    for (KStringW& tag : tags) {
        wchar_t* units = tag.GetBuffer();
        for (int i = 0; i < tag.GetLength(); i++) {
            if (units[i] == FIELD_END)
                units[i] = SEPARATOR_STAND_IN;
            else if (units[i] == L'\n' || units[i] == L'\r')
                units[i] = LINE_END_STAND_IN;
        }
        line += tag.GetLength();
    }
    while (line > PLAYLIST_MAX_LINE) {
        KStringW* longest = &tags[0];
        for (KStringW& tag : tags) {
            if (tag.GetLength() > longest->GetLength())
                longest = &tag;
        }
        if (!longest->GetLength())
            break;   // only the path is left, and CheckPath refuses such paths
        int keep = longest->GetLength() - (line - PLAYLIST_MAX_LINE);
        if (keep < 0)
            keep = 0;
        // A cut between the halves of a surrogate pair takes the first half too.
        if (keep > 0 && IS_HIGH_SURROGATE(longest->GetBuffer()[keep - 1]))
            keep--;
        line -= longest->GetLength() - keep;
        longest->SetLength(keep);
    }
    info->SetTitle(tags[0], tags[0].GetLength());
    info->SetAlbum(tags[1], tags[1].GetLength());
    info->SetArtist(tags[2], tags[2].GetLength());
}

int CLmPlayListFile::Read(const wchar_t* path, KAddListProc addList, void* context)
{
    CKFile file;
    if (!file.Open(path, KFILE_READ))
        return 0;
    int made = 0;
    wchar_t line[PLAYLIST_MAX_LINE + 1];
    CLmPlayList* current = nullptr;
    while (file.ReadLine(line, PLAYLIST_MAX_LINE + 1) >= 0) {
        if (line[0] == HEADER_MARK) {
            current = addList(line + 1, context);
            if (current)
                made++;
        } else if (line[0] == RECORD_MARK && current) {
            CLmMediaInfo* info = ParseRecord(line);
            if (info && !current->Add(info))
                delete info;
        }
    }
    file.Close();
    // A file with text in it but no playlist is not ours to overwrite silently: the next save
    // would lose whatever the user had in it. Keep a copy beside it.
    if (made == 0 && FileSize(path) > MARK_BYTES) {
        wchar_t copy[KMAX_PATH + 16];
        FormatText(copy, KMAX_PATH + 16, L"%s%s", path, UNREADABLE_COPY_SUFFIX);
        CopyFileW(path, copy, FALSE);
    }
    return made;
}

// ---- Writing ------------------------------------------------------------------------------------

int CLmPlayListFile::Open(const wchar_t* path)
{
    if (!file.Open(path))
        return 0;
    Put(BYTE_ORDER_MARK);
    Put(L'\n');
    return 1;
}

void CLmPlayListFile::Write(const CLmPlayList* list)
{
    wchar_t number[16];
    Put(HEADER_MARK);
    Put(list->GetName(), KStrLenW(list->GetName()));
    Put(L'\n');
    for (int r = 0; r < list->GetCount(); r++) {
        const CLmMediaInfo* info = list->GetAt(r);
        if (!info)
            continue;
        Put(RECORD_MARK);
        Put(info->GetPath());
        Put(FIELD_END);
        Put(number, KIntToStrW(info->GetDuration(), number, 10));
        Put(FIELD_END);
        Put(info->GetTitle());
        Put(FIELD_END);
        Put(info->GetAlbum());
        Put(FIELD_END);
        Put(info->GetArtist());
        Put(FIELD_END);
        Put(L'\n');
    }
    Put(L'\n');
}

int CLmPlayListFile::Commit()
{
    return file.Commit();
}

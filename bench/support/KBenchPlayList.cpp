// Generated playlist files and the minimal loader of the benchmarks. A record line of the generated
// files takes about 242 bytes, much as in the libraries whose start-up the targets were set on.
#include "KBenchPlayList.h"

#include <cstring>

#include "app/CLmMediaInfo.h"

namespace {

const wchar_t* const ARTISTS[] = {L"周杰伦", L"The Beatles", L"王菲", L"Miles Davis", L"陈奕迅",
                                  L"Radiohead", L"邓丽君", L"Björk", L"", L"五月天"};
const wchar_t* const FOLDERS[] = {L"华语流行", L"Jazz Classics", L"摇滚 Rock", L"Live 现场",
                                  L"Soundtracks 原声", L"Various Artists"};
const wchar_t* const WORDS[] = {L"晴天", L"Yesterday", L"红豆", L"So What", L"十年", L"Creep",
                                L"月亮代表我的心", L"Jóga", L"Intro", L"倔强", L"Blue in Green"};
const wchar_t* const VERSIONS[] = {L"", L" (Live)", L" (Remastered)", L"", L" (Demo)"};
constexpr int TRACKS_PER_ALBUM = 12;
constexpr int ALBUMS_PER_ARTIST = 20;
// Titles repeat with this period, so that sorting meets equal keys.
constexpr int TITLE_PERIOD = 30011;
// Units gathered before one write of the generated file.
constexpr size_t WRITE_CHUNK_UNITS = 1 << 20;
constexpr wchar_t FIELD_END = 0xFFFD;

bool WriteUnits(HANDLE file, const std::wstring& text)
{
    DWORD written = 0;
    const DWORD bytes = (DWORD)(text.size() * sizeof(wchar_t));
    return WriteFile(file, text.data(), bytes, &written, nullptr) && written == bytes;
}

} // namespace

KBenchTrack BenchTrack(int i)
{
    const int artist = (i / (TRACKS_PER_ALBUM * ALBUMS_PER_ARTIST)) % 10;
    const int album = (i / TRACKS_PER_ALBUM) % ALBUMS_PER_ARTIST + 1;
    const int titleKey = (int)((long long)i * 7919 % TITLE_PERIOD);
    const wchar_t* const artistName = ARTISTS[artist];
    wchar_t text[400];
    KBenchTrack track;
    wsprintfW(text, L"%s %d%s", WORDS[titleKey % 11], titleKey, VERSIONS[(titleKey / 11) % 5]);
    track.title = text;
    wsprintfW(text, L"%s 第%d张专辑 Vol.%d", artistName[0] ? artistName : L"合辑", album,
              album % 3 + 1);
    track.album = text;
    track.artist = artistName;
    wsprintfW(text, L"D:\\Music\\%s\\%s\\%s\\%02d %s.mp3", FOLDERS[i % 6],
              artistName[0] ? artistName : L"Unknown", track.album.c_str(),
              i % TRACKS_PER_ALBUM + 1, track.title.c_str());
    track.path = text;
    track.duration = 120000 + (i * 37) % 240000;
    return track;
}

CLmMediaInfo* NewBenchRecord(int i)
{
    const KBenchTrack track = BenchTrack(i);
    CLmMediaInfo* info = NewMediaInfo({track.path.c_str(), -1}, {track.title.c_str(), -1},
                                      {track.album.c_str(), -1}, {track.artist.c_str(), -1});
    if (info)
        info->SetDuration(track.duration);
    return info;
}

bool WriteBenchPlayList(const wchar_t* path, const std::vector<KBenchList>& lists)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::wstring text = L"\xFEFF\n";
    bool ok = true;
    for (const KBenchList& list : lists) {
        text += L'@';
        text += list.name;
        text += L'\n';
        for (int r = 0; r < list.records && ok; r++) {
            const KBenchTrack track = BenchTrack(list.first + r);
            text += L'#';
            text += track.path;
            text += FIELD_END;
            text += std::to_wstring(track.duration);
            text += FIELD_END;
            text += track.title;
            text += FIELD_END;
            text += track.album;
            text += FIELD_END;
            text += track.artist;
            text += FIELD_END;
            text += L'\n';
            if (text.size() >= WRITE_CHUNK_UNITS) {
                ok = WriteUnits(file, text);
                text.clear();
            }
        }
        text += L'\n';
    }
    ok = ok && WriteUnits(file, text);
    CloseHandle(file);
    return ok;
}

// ---- The minimal loader ---------------------------------------------------------------------------

namespace {

// One record: the duration, then the four texts, each NUL-terminated, in the same block.
struct KMinimalRecord
{
    int duration;
    wchar_t* path;
    wchar_t* title;
    wchar_t* album;
    wchar_t* artist;
};

} // namespace

int KMinimalLoader::Load(const wchar_t* path)
{
    Free();
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    LARGE_INTEGER size;
    GetFileSizeEx(file, &size);
    const size_t units = (size_t)size.QuadPart / sizeof(wchar_t);
    wchar_t* text = (wchar_t*)HeapAlloc(GetProcessHeap(), 0, (units + 1) * sizeof(wchar_t));
    DWORD got = 0;
    const bool read = text && ReadFile(file, text, (DWORD)(units * sizeof(wchar_t)), &got, nullptr);
    CloseHandle(file);
    if (!read) {
        HeapFree(GetProcessHeap(), 0, text);
        return -1;
    }
    const wchar_t* end = text + got / sizeof(wchar_t);
    for (wchar_t* line = text; line < end;) {
        wchar_t* lineEnd = line;
        while (lineEnd < end && *lineEnd != L'\n' && *lineEnd != L'\r')
            lineEnd++;
        if (*line == L'@') {
            lists.push_back(records.size());
        } else if (*line == L'#' && !lists.empty()) {
            const wchar_t* fields[5];
            size_t lengths[5];
            const wchar_t* at = line + 1;
            int found = 0;
            for (; found < 5; found++) {
                const wchar_t* fieldEnd = at;
                while (fieldEnd < lineEnd && *fieldEnd != FIELD_END)
                    fieldEnd++;
                if (fieldEnd == lineEnd)
                    break;
                fields[found] = at;
                lengths[found] = (size_t)(fieldEnd - at);
                at = fieldEnd + 1;
            }
            if (found == 5) {
                const size_t textUnits = lengths[0] + lengths[2] + lengths[3] + lengths[4] + 4;
                KMinimalRecord* record = (KMinimalRecord*)HeapAlloc(
                    GetProcessHeap(), 0, sizeof(KMinimalRecord) + textUnits * sizeof(wchar_t));
                if (record) {
                    wchar_t* copy = (wchar_t*)(record + 1);
                    wchar_t** targets[] = {&record->path, nullptr, &record->title, &record->album,
                                           &record->artist};
                    for (int f = 0; f < 5; f++) {
                        if (!targets[f])
                            continue;
                        *targets[f] = copy;
                        memcpy(copy, fields[f], lengths[f] * sizeof(wchar_t));
                        copy[lengths[f]] = 0;
                        copy += lengths[f] + 1;
                    }
                    record->duration = _wtoi(fields[1]);
                    records.push_back(record);
                }
            }
        }
        line = lineEnd < end ? lineEnd + 1 : lineEnd;
    }
    HeapFree(GetProcessHeap(), 0, text);
    return (int)records.size();
}

void KMinimalLoader::Free()
{
    for (void* record : records)
        HeapFree(GetProcessHeap(), 0, record);
    records.clear();
    lists.clear();
}

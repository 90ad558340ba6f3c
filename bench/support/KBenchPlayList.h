// Playlist files of any size for the benchmarks, made at run time (never committed): records as a
// real library has them - paths through Chinese and English folders, titles, albums and artists,
// about 240 bytes a record line in the file - and the minimal loader that the program's reader is
// held against.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class CLmMediaInfo;

// Track `i` of the generated library (measured, tagged; titles repeat now and then, so the sorts
// meet equal keys).
struct KBenchTrack
{
    std::wstring path;
    int duration;
    std::wstring title;
    std::wstring album;
    std::wstring artist;
};
KBenchTrack BenchTrack(int i);
// A new counted record of track `i` made as the program reads one from its file, held by no one.
CLmMediaInfo* NewBenchRecord(int i);

// One playlist of a generated file: its name and the tracks first .. first + records - 1.
struct KBenchList
{
    const wchar_t* name;
    int records;
    int first;
};
// Writes a "PlayList.txt" holding the lists to `path` (UTF-16LE with the mark, the program's
// layout); false when it cannot be written.
bool WriteBenchPlayList(const wchar_t* path, const std::vector<KBenchList>& lists);

// The least a reader of the file must do, as a baseline: one read of the whole file, lines and
// fields split in place, one block per record holding its four texts and its duration, records
// gathered per playlist.
class KMinimalLoader
{
public:
    ~KMinimalLoader() { Free(); }
    // Reads the file; returns the number of records, -1 when it cannot be read.
    int Load(const wchar_t* path);
    // Frees every record.
    void Free();

private:
    std::vector<void*> records;   // owned blocks, one per record
    std::vector<size_t> lists;    // index of each playlist's first record
};

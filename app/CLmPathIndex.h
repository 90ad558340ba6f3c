// The set of file paths shown in a list, compared the way playlists compare paths (only 'A'-'Z'
// fold). Adding a folder of thousands of files tests each one against the rows already there; an
// index keeps that test constant-time instead of a walk over every row.
#pragma once
#include <string>
#include <unordered_map>

class CLmPathIndex
{
public:
    // Counts one more row with this path.
    void Add(const wchar_t* path);
    // Counts one row fewer; the path leaves the set with its last row.
    void Remove(const wchar_t* path);
    // 1 when a row with this path (under the folding rule) is in the set.
    int Contains(const wchar_t* path) const;
    void Clear() { rows.clear(); }

private:
    static std::wstring Fold(const wchar_t* path);

    std::unordered_map<std::wstring, int> rows;   // folded path -> number of rows with it
};

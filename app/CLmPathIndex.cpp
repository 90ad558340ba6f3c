// CLmPathIndex: paths of a list under the playlists' folding rule.
#include "app/CLmPathIndex.h"

#include "foundation/KText.h"

std::wstring CLmPathIndex::Fold(const wchar_t* path)
{
    std::wstring folded = path ? path : L"";
    KStrLwrW(&folded[0]);
    return folded;
}

void CLmPathIndex::Add(const wchar_t* path)
{
    rows[Fold(path)]++;
}

void CLmPathIndex::Remove(const wchar_t* path)
{
    auto found = rows.find(Fold(path));
    if (found != rows.end() && --found->second == 0)
        rows.erase(found);
}

int CLmPathIndex::Contains(const wchar_t* path) const
{
    return rows.count(Fold(path)) ? 1 : 0;
}

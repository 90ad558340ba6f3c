// CLmMediaInfo: the player's media records.
#include "app/CLmMediaInfo.h"

#include "foundation/CKFile.h"
#include "foundation/KPaths.h"

K_IMPLEMENT_CLASS(CLmMediaInfo, CKMediaInfo)

CLmMediaInfo* NewMediaInfo()
{
    CLmMediaInfo* info = new CLmMediaInfo();
    if (info)
        info->EnableRefCount();
    return info;
}

CLmMediaInfo* NewMediaInfoForFile(const wchar_t* path)
{
    CLmMediaInfo* info = NewMediaInfo();
    if (!info)
        return nullptr;
    wchar_t title[KMAX_PATH];
    if (info->SetPath(path) < 0 || CKFile::GetBaseName(path, title, KMAX_PATH) < 0
        || info->SetTitle(title) < 0) {
        delete info;   // not yet held by anyone
        return nullptr;
    }
    return info;
}

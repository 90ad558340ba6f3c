// CLmMediaInfo: the player's media records.
#include "app/CLmMediaInfo.h"

#include "foundation/CKFile.h"
#include "foundation/KPaths.h"
#include "foundation/KText.h"

K_IMPLEMENT_CLASS(CLmMediaInfo, CKMediaInfo)

void* CLmMediaInfo::operator new(size_t bytes, size_t extra) noexcept
{
    return CKObject::operator new(bytes + extra);
}

CLmMediaInfo* NewMediaInfo(KRecordText path, KRecordText title, KRecordText album,
                           KRecordText artist)
{
    // The texts the sort orders read (title, artist, album) come first, next to the object's own
    // fields: sorting a million records touches fewer memory lines.
    KRecordText* texts[] = {&title, &artist, &album, &path};
    size_t extra = 0;
    for (KRecordText* text : texts) {
        if (!text->text)
            text->count = 0;
        else if (text->count < 0)
            text->count = KStrLenW(text->text);
        if (text->count > KStringW::MAX_LENGTH)
            return nullptr;
        if (text->count > 0)
            extra += KStringW::FixedBytes(text->count);
    }
    CLmMediaInfo* info = new (extra) CLmMediaInfo();
    if (!info)
        return nullptr;
    KStringW* strings[] = {&info->title, &info->artist, &info->album, &info->path};
    char* place = reinterpret_cast<char*>(info) + sizeof(CLmMediaInfo);
    for (int i = 0; i < 4; i++) {
        if (texts[i]->count == 0)
            continue;
        strings[i]->AssignFixed(place, texts[i]->text, texts[i]->count);
        place += KStringW::FixedBytes(texts[i]->count);
    }
    info->EnableRefCount();
    return info;
}

CLmMediaInfo* NewMediaInfoForFile(const wchar_t* path)
{
    wchar_t title[KMAX_PATH];
    const int titleLength = CKFile::GetBaseName(path, title, KMAX_PATH);
    if (titleLength < 0)
        return nullptr;
    return NewMediaInfo({path, -1}, {title, titleLength}, {nullptr, 0}, {nullptr, 0});
}

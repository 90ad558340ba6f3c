// Resource look-ups against the module remembered at start-up: "APPRES" names and string loading.
#include "foundation/KResource.h"

#include "foundation/KPaths.h"
#include "foundation/KString.h"
#include "foundation/KText.h"

namespace {

HINSTANCE g_resInstance;

// LoadStringW is asked with this much more room (in units) each time the string filled it.
constexpr int STRING_ROOM_STEP = 256;

} // namespace

const wchar_t* const KRES_TYPE_APPRES = L"APPRES";

void KInitResources(HINSTANCE instance)
{
    g_resInstance = instance;
}

HINSTANCE GetResInstance()
{
    return g_resInstance;
}

int MakeResourceName(const wchar_t* path, wchar_t* name, int capacity)
{
    if (!path || !name || capacity < 1)
        return -1;
    int length = KStrLenW(path);
    if (length > capacity - 1)
        return -1;
    for (int i = 0; i < length; ++i)
        name[i] = (path[i] == L'/' || path[i] == L'\\') ? L'_' : path[i];
    name[length] = 0;
    KStrUprW(name);
    return length;
}

HRSRC FindAppResource(const wchar_t* path)
{
    wchar_t name[KMAX_PATH];
    if (MakeResourceName(path, name, KMAX_PATH) < 1)
        return nullptr;
    return FindResourceW(g_resInstance, name, KRES_TYPE_APPRES);
}

int LoadResString(UINT id, wchar_t* buffer, int capacity)
{
    if (!buffer || capacity < 1) {
        KStringW whole;
        return LoadResString(id, whole);
    }
    buffer[0] = 0;
    // A capacity of 0 would make LoadStringW hand out a pointer instead of copying.
    return LoadStringW(g_resInstance, id, buffer, capacity);
}

int LoadResString(UINT id, KStringW& string)
{
    string.Empty();
    int room = STRING_ROOM_STEP;
    int length;
    for (;;) {
        if (!string.Reserve(room - 1))
            return -1;
        length = LoadStringW(g_resInstance, id, string.GetBuffer(), room);
        // A string that filled the room to its last unit may have been cut: ask again with more.
        if (length < room - 1 || room - 1 + STRING_ROOM_STEP > KStringW::MAX_LENGTH)
            break;
        room += STRING_ROOM_STEP;
    }
    if (length <= 0) {
        string.Empty();
        return -1;
    }
    string.SetLength(length);
    return length;
}

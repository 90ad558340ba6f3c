// CKFile: disk files and compiled-in resources behind one reader, plus the file-system helpers.
#include "foundation/CKFile.h"

#include <cstring>
#include <cwchar>

#include "foundation/KMemory.h"
#include "foundation/KOpenPath.h"
#include "foundation/KPaths.h"
#include "foundation/KResource.h"
#include "foundation/KText.h"

K_IMPLEMENT_CLASS(CKFile, CKObject)

namespace {

// Units of the buffer a volume's first mount path is read into.
constexpr DWORD MOUNT_PATH_CAPACITY = 64;

// AppResDir + path into `buffer` (KMAX_PATH units); 0 when the result would not fit.
int MakeLoosePath(const wchar_t* path, wchar_t* buffer)
{
    if (KStrLenW(GetAppResDir()) + KStrLenW(path) > KMAX_PATH - 1)
        return 0;
    MakeAppResPath(buffer, path);
    return 1;
}

bool DiskEntryExists(const wchar_t* path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

DWORD ModeFromAttributes(DWORD attributes)
{
    DWORD mode = KFA_READ;
    if (attributes & FILE_ATTRIBUTE_ARCHIVE)
        mode |= KFA_WRITE;
    if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
        mode |= KFA_HIDDEN;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        mode |= KFA_DIRECTORY;
    return mode;
}

} // namespace

CKFile::~CKFile()
{
    Close();
}

int CKFile::Open(const wchar_t* path, DWORD flags)
{
    Close();
    if (!path)
        return 0;
    wchar_t loose[KMAX_PATH];
    if (!IsAbsolute(path)) {
        if (flags & (KFILE_CREATE | KFILE_WRITE | KFILE_CREATE_NEW))
            return 0;
        if (MakeLoosePath(path, loose) && DiskEntryExists(loose)) {
            path = loose;
        } else {
            HRSRC found = FindAppResource(path);
            HGLOBAL loaded = found ? LoadResource(GetResInstance(), found) : nullptr;
            const void* bytes = loaded ? LockResource(loaded) : nullptr;
            if (!bytes)
                return 0;
            cursor = static_cast<KResCursor*>(KAlloc(sizeof(KResCursor)));
            if (!cursor)
                return 0;
            cursor->found = found;
            cursor->loaded = loaded;
            cursor->bytes = static_cast<const BYTE*>(bytes);
            cursor->size = SizeofResource(GetResInstance(), found);
            cursor->position = 0;
            return 1;
        }
    }
    DWORD access = 0;
    if (flags & (KFILE_CREATE | KFILE_WRITE | KFILE_CREATE_NEW))
        access |= GENERIC_WRITE;
    if (flags & KFILE_READ)
        access |= GENERIC_READ;
    DWORD share = 0;
    if (flags & KFILE_SHARE_READ)
        share |= FILE_SHARE_READ;
    if (flags & KFILE_SHARE_WRITE)
        share |= FILE_SHARE_WRITE;
    DWORD creation = OPEN_EXISTING;
    if (flags & KFILE_CREATE_NEW)
        creation = CREATE_NEW;
    else if (flags & KFILE_CREATE)
        creation = CREATE_ALWAYS;
    else if (flags & KFILE_WRITE)
        creation = OPEN_ALWAYS;
    handle = CreateFileW(path, access, share, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle != INVALID_HANDLE_VALUE;
}

void CKFile::Close()
{
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }
    KFree(cursor);   // locked resources need no unlocking: they stay mapped with the module
    cursor = nullptr;
    KFree(ahead);
    ahead = nullptr;
    aheadStart = 0;
    buffered = 0;
}

int CKFile::Read(void* buffer, int bytes)
{
    if (!buffer || bytes <= 0)
        return 0;
    if (cursor) {
        DWORD available = cursor->size - cursor->position;
        DWORD count = (DWORD)bytes < available ? (DWORD)bytes : available;
        memcpy(buffer, cursor->bytes + cursor->position, count);
        cursor->position += count;
        return (int)count;
    }
    DWORD done = 0;
    if (handle == INVALID_HANDLE_VALUE || !ReadFile(handle, buffer, (DWORD)bytes, &done, nullptr))
        return 0;
    return (int)done;
}

int CKFile::Write(const void* buffer, int bytes)
{
    if (!buffer || bytes <= 0 || handle == INVALID_HANDLE_VALUE)
        return 0;
    DWORD done = 0;
    if (!WriteFile(handle, buffer, (DWORD)bytes, &done, nullptr))
        return 0;
    return (int)done;
}

int CKFile::WriteText(const wchar_t* text, int count)
{
    if (!text)
        return 0;
    if (count < 0)
        count = KStrLenW(text);
    if (count > 0x7FFFFFFF / (int)sizeof(wchar_t))
        return 0;
    return Write(text, count * (int)sizeof(wchar_t)) / (int)sizeof(wchar_t);
}

int CKFile::FillAhead()
{
    // Only a part of a unit can be left (the caller consumed every whole one): it moves to the
    // front and the rest of the buffer is filled.
    if (aheadStart > 0) {
        memmove(ahead, ahead + aheadStart, (size_t)buffered);
        aheadStart = 0;
    }
    const int room = KFILE_READ_AHEAD_BYTES - buffered;
    if (room > 0)
        buffered += Read(ahead + buffered, room);
    return buffered >= (int)sizeof(wchar_t);
}

int CKFile::ReadLine(wchar_t* buffer, int capacity)
{
    if (!IsOpen() || !buffer || capacity < 1)
        return -1;
    if (!ahead) {
        ahead = static_cast<BYTE*>(KAlloc(KFILE_READ_AHEAD_BYTES));
        if (!ahead)
            return -1;
        aheadStart = 0;
    }
    const int unitBytes = (int)sizeof(wchar_t);
    // 1 when a whole unit is buffered, reading the next block when needed.
    auto ready = [&]() { return buffered >= unitBytes || FillAhead(); };
    auto peek = [&]() {
        const BYTE* at = ahead + aheadStart;
        return (wchar_t)(at[0] | (at[1] << 8));
    };
    auto consume = [&]() {
        aheadStart += unitBytes;
        buffered -= unitBytes;
    };

    // One pass per line: a line longer than capacity - 1 units is read to its end and dropped, and
    // the next line is read in its place.
    while (ready()) {
        int count = 0;
        bool tooLong = false;
        while (ready()) {   // ends at a line end or at the end of the data (an odd byte stays)
            // The units up to the next line end or the end of the block, in one tight loop.
            const BYTE* at = ahead + aheadStart;
            const int units = buffered / unitBytes;
            int n = 0;
            wchar_t unit = 0;
            for (; n < units; n++) {
                unit = (wchar_t)(at[2 * n] | (at[2 * n + 1] << 8));
                if (unit == L'\r' || unit == L'\n')
                    break;
                if (count < capacity - 1)
                    buffer[count++] = unit;
                else
                    tooLong = true;
            }
            aheadStart += n * unitBytes;
            buffered -= n * unitBytes;
            if (n == units)
                continue;   // the block ran dry inside the line
            consume();
            // The partner of a CR LF or LF CR pair may be the first unit of the next block.
            const wchar_t partner = unit == L'\r' ? L'\n' : L'\r';
            if (ready() && peek() == partner)
                consume();
            break;
        }
        if (!tooLong) {
            buffer[count] = 0;
            return count;
        }
    }
    return -1;
}

ULONGLONG CKFile::GetSize() const
{
    if (cursor)
        return cursor->size;
    LARGE_INTEGER size;
    if (handle == INVALID_HANDLE_VALUE || !GetFileSizeEx(handle, &size))
        return ~0ULL;
    return (ULONGLONG)size.QuadPart;
}

int CKFile::Flush()
{
    if (handle == INVALID_HANDLE_VALUE)
        return 0;
    return FlushFileBuffers(handle) ? 1 : 0;
}

// ---- Static helpers ------------------------------------------------------------------------------

int CKFile::IsAbsolute(const wchar_t* path)
{
    if (path && KStrNCmpW(path, KVERBATIM_PREFIX, KVERBATIM_PREFIX_LENGTH) == 0)
        path += KVERBATIM_PREFIX_LENGTH;
    return path && path[0] && path[1] == L':';
}

int CKFile::Exists(const wchar_t* path)
{
    if (!path)
        return 0;
    if (IsAbsolute(path))
        return DiskEntryExists(path);
    wchar_t loose[KMAX_PATH];
    if (MakeLoosePath(path, loose) && DiskEntryExists(loose))
        return 1;
    return ResourceExists(path);
}

int CKFile::ResourceExists(const wchar_t* path)
{
    return FindAppResource(path) ? 1 : 0;
}

int CKFile::ReadAll(const wchar_t* path, void** data, int* size)
{
    if (!data || !size)
        return 0;
    CKFile file;
    if (!file.Open(path, KFILE_READ))
        return 0;
    ULONGLONG total = file.GetSize();
    if (total >= 0x7FFFFFFF)
        return 0;
    BYTE* block = static_cast<BYTE*>(KAlloc((size_t)total + 1));
    if (!block)
        return 0;
    int done = 0;
    while (done < (int)total) {
        int got = file.Read(block + done, (int)total - done);
        if (got == 0)
            break;   // the file shrank while being read: keep what came
        done += got;
    }
    block[done] = 0;
    *data = block;
    *size = done;
    return 1;
}

int CKFile::EnumFiles(const wchar_t* dir, KEnumFilesProc callback, void* context)
{
    if (!dir || !callback || !IsAbsolute(dir))
        return 0;
    int length = KStrLenW(dir);
    bool hasSlash = length > 0 && dir[length - 1] == L'\\';
    if (length + (hasSlash ? 0 : 1) + 1 > KMAX_PATH - 1)
        return 0;
    wchar_t pattern[KMAX_PATH];
    KStrCpyW(pattern, dir);
    KStrCatW(pattern, hasSlash ? L"*" : L"\\*");

    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(pattern, &entry);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int accepted = 0;
    do {
        if (!KStrCmpW(entry.cFileName, L".") || !KStrCmpW(entry.cFileName, L".."))
            continue;
        KFileInfo info;
        info.mode = ModeFromAttributes(entry.dwFileAttributes);
        FileTimeToSystemTime(&entry.ftCreationTime, &info.created);
        FileTimeToSystemTime(&entry.ftLastWriteTime, &info.modified);
        info.size = ((ULONGLONG)entry.nFileSizeHigh << 32) | entry.nFileSizeLow;
        if (!callback(dir, entry.cFileName, &info, context))
            break;
        ++accepted;
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return accepted;
}

int CKFile::GetFixedDrives(wchar_t* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    int written = 0;
    wchar_t volume[MAX_PATH];
    HANDLE find = FindFirstVolumeW(volume, MAX_PATH);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            wchar_t mount[MOUNT_PATH_CAPACITY];
            DWORD returned = 0;
            if (!GetVolumePathNamesForVolumeNameW(volume, mount, MOUNT_PATH_CAPACITY, &returned) ||
                !mount[0] || GetDriveTypeW(mount) != DRIVE_FIXED)
                continue;
            int length = KStrLenW(mount);
            if (written + length + 2 > capacity)
                continue;   // its NUL and the list's final NUL must fit too
            KStrCpyW(buffer + written, mount);
            written += length + 1;
        } while (FindNextVolumeW(find, volume, MAX_PATH));
        FindVolumeClose(find);
    }
    buffer[written] = 0;
    return written;
}

int CKFile::GetBaseName(const wchar_t* path, wchar_t* out, int capacity)
{
    if (!path || !out || capacity < 1)
        return -1;
    int separator = KStrRChrW(path, L'\\');
    if (separator < 0)
        separator = KStrRChrW(path, L'/');
    if (separator < 0)
        return -1;
    const wchar_t* name = path + separator + 1;
    int length = KStrLenW(name);
    if (length > capacity - 1)
        length = capacity - 1;
    wmemcpy(out, name, (size_t)length);
    out[length] = 0;
    int dot = KStrRChrW(out, L'.');
    if (dot >= 0) {
        out[dot] = 0;
        length = dot;
    }
    return length;
}

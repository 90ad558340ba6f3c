// CKSafeFile: write-to-temporary-then-replace, so a saved file is either the old or the new one.
#include "foundation/CKSafeFile.h"

#include <cstring>

#include "foundation/KMemory.h"
#include "foundation/KOpenPath.h"
#include "foundation/KPaths.h"
#include "foundation/KText.h"

K_IMPLEMENT_CLASS(CKSafeFile, CKObject)

namespace {

// Ends every temporary file's name; earlier versions used target + TEMP_SUFFIX itself.
const wchar_t TEMP_SUFFIX[] = L".tmp";
constexpr int TEMP_SUFFIX_LENGTH = 4;
// The temporary file's name: the target's, '.', a number of TEMP_DIGITS hex digits, TEMP_SUFFIX.
const wchar_t TEMP_FORMAT[] = L"%s.%08x%s";
constexpr int TEMP_DIGITS = 8;
// Units the temporary name adds to the target's.
constexpr int TEMP_NAME_EXTRA = 1 + TEMP_DIGITS + TEMP_SUFFIX_LENGTH;
// Bytes gathered before one write to the temporary file.
constexpr int PENDING_BYTES = 65536;
// Numbers tried in turn when a name is taken (by a leftover, a folder, another program's file).
constexpr int TEMP_NAME_ATTEMPTS = 8;
// A temporary file whose last write is older than this is a leftover, no longer a save in
// progress: a save writes and commits within seconds (a million records take under two), and
// the margin covers a slow network drive whose clock runs behind.
constexpr ULONGLONG LEFTOVER_AGE_SECONDS = 600;
// File times count 100-ns units.
constexpr ULONGLONG FILE_TIME_UNITS_PER_SECOND = 10000000;

// The next number for a temporary name: different between processes (the process id and the
// time seed it) and between the saves of one process.
unsigned int NextTempNumber()
{
    static unsigned int next = 0;
    if (!next)
        next = (GetCurrentProcessId() << 16) ^ GetTickCount();
    return next++;
}

ULONGLONG FileTimeValue(const FILETIME& time)
{
    return ((ULONGLONG)time.dwHighDateTime << 32) | time.dwLowDateTime;
}

// Whether `name` is `targetName` followed by TEMP_SUFFIX alone or by ".", TEMP_DIGITS hex digits
// and TEMP_SUFFIX (any case): the name of a temporary file of the target.
bool IsTempNameOf(const wchar_t* name, const wchar_t* targetName)
{
    const int targetLength = KStrLenW(targetName);
    if (KStrLenW(name) <= targetLength
        || CompareStringOrdinal(name, targetLength, targetName, targetLength, TRUE) != CSTR_EQUAL)
        return false;
    const wchar_t* rest = name + targetLength;
    if (KStrICmpW(rest, TEMP_SUFFIX) == 0)
        return true;
    if (rest[0] != L'.')
        return false;
    for (int i = 1; i <= TEMP_DIGITS; i++) {
        const wchar_t unit = rest[i];
        const bool hex = (unit >= L'0' && unit <= L'9') || (unit >= L'a' && unit <= L'f')
                         || (unit >= L'A' && unit <= L'F');
        if (!hex)
            return false;
    }
    return KStrICmpW(rest + 1 + TEMP_DIGITS, TEMP_SUFFIX) == 0;
}

} // namespace

CKSafeFile::~CKSafeFile()
{
    Abort();
}

int CKSafeFile::Open(const wchar_t* path)
{
    Abort();
    if (!CKFile::IsAbsolute(path) || KStrLenW(path) > KMAX_PATH - 1
        || MakeOpenPath(path, target) < 0)
        return 0;
    // A target the old truncate-and-write could not have opened stays unwritable: it must not be
    // silently replaced by a fresh file.
    DWORD attributes = GetFileAttributesW(target);
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return 0;
    RemoveLeftovers(path);
    wchar_t name[KMAX_PATH + TEMP_NAME_EXTRA];
    for (int attempt = 0; attempt < TEMP_NAME_ATTEMPTS; attempt++) {
        FormatText(name, KMAX_PATH + TEMP_NAME_EXTRA, TEMP_FORMAT, path, NextTempNumber(),
                   TEMP_SUFFIX);
        // The name may pass the platform's path limit where the target did not: its open form
        // is then the verbatim one.
        if (MakeOpenPath(name, temp) >= 0 && file.Open(temp, KFILE_CREATE_NEW)) {
            failed = 0;
            return 1;
        }
    }
    temp.Empty();
    return 0;
}

int CKSafeFile::Write(const void* buffer, int bytes)
{
    if (!file.IsOpen() || !buffer || bytes <= 0)
        return 0;
    if (!pending)
        pending = static_cast<BYTE*>(KAlloc(PENDING_BYTES));
    if (pending && pendingBytes + bytes > PENDING_BYTES)
        WritePending();
    if (!pending || bytes >= PENDING_BYTES) {
        // Too large to gather (or no memory to gather in): straight to the file.
        const int written = file.Write(buffer, bytes);
        if (written != bytes)
            failed = 1;
        return written;
    }
    memcpy(pending + pendingBytes, buffer, (size_t)bytes);
    pendingBytes += bytes;
    return bytes;
}

int CKSafeFile::WriteText(const wchar_t* text, int count)
{
    if (!text)
        return 0;
    if (count < 0)
        count = KStrLenW(text);
    if (count > 0x7FFFFFFF / (int)sizeof(wchar_t))
        return 0;
    return Write(text, count * (int)sizeof(wchar_t)) / (int)sizeof(wchar_t);
}

void CKSafeFile::WritePending()
{
    if (pendingBytes > 0 && file.Write(pending, pendingBytes) != pendingBytes)
        failed = 1;
    pendingBytes = 0;
}

void CKSafeFile::DropPending()
{
    KFree(pending);
    pending = nullptr;
    pendingBytes = 0;
}

int CKSafeFile::Commit()
{
    if (!file.IsOpen())
        return 0;
    WritePending();
    DropPending();
    int done = !failed && file.Flush();
    file.Close();
    if (done)
        done = MoveFileExW(temp, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 1 : 0;
    if (!done)
        DeleteFileW(temp);
    temp.Empty();
    return done;
}

void CKSafeFile::Abort()
{
    DropPending();
    if (!file.IsOpen())
        return;
    file.Close();
    DeleteFileW(temp);
    temp.Empty();
}

void CKSafeFile::RemoveLeftovers(const wchar_t* path)
{
    const int backslash = KStrRChrW(path, L'\\');
    const int slash = KStrRChrW(path, L'/');
    const int nameAt = (backslash > slash ? backslash : slash) + 1;
    KStringW pattern(path);
    KStringW found;
    KStringW openForm;
    if (pattern.Append(L".*") < 0 || MakeOpenPath(pattern, openForm) < 0)
        return;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(openForm, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG oldest = FileTimeValue(now) - LEFTOVER_AGE_SECONDS * FILE_TIME_UNITS_PER_SECOND;
    do {
        if ((entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
            || !IsTempNameOf(entry.cFileName, path + nameAt)
            || FileTimeValue(entry.ftLastWriteTime) > oldest)
            continue;
        if (found.Assign(path, nameAt) >= 0 && found.Append(entry.cFileName) >= 0
            && MakeOpenPath(found, openForm) >= 0)
            DeleteFileW(openForm);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

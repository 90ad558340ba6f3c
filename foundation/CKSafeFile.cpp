// CKSafeFile: write-to-temporary-then-replace, so a saved file is either the old or the new one.
#include "foundation/CKSafeFile.h"

#include "foundation/KText.h"

K_IMPLEMENT_CLASS(CKSafeFile, CKObject)

namespace {

// Appended to the target's name to form the temporary file beside it.
const wchar_t kTempSuffix[] = L".tmp";

} // namespace

CKSafeFile::~CKSafeFile()
{
    Abort();
}

int CKSafeFile::Open(const wchar_t* path)
{
    Abort();
    if (!path || KStrLenW(path) + KStrLenW(kTempSuffix) > KMAX_PATH - 1)
        return 0;
    // A target the old truncate-and-write could not have opened stays unwritable: it must not be
    // silently replaced by a fresh file.
    DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return 0;
    KStrCpyW(target, path);
    KStrCpyW(temp, path);
    KStrCatW(temp, kTempSuffix);
    failed = 0;
    return file.Open(temp, KFILE_CREATE | KFILE_WRITE);
}

int CKSafeFile::Write(const void* buffer, int bytes)
{
    int written = file.Write(buffer, bytes);
    if (written != bytes)
        failed = 1;
    return written;
}

int CKSafeFile::WriteText(const wchar_t* text, int count)
{
    if (count < 0)
        count = KStrLenW(text);
    int written = file.WriteText(text, count);
    if (written != count)
        failed = 1;
    return written;
}

int CKSafeFile::Commit()
{
    if (!file.IsOpen())
        return 0;
    int done = !failed && file.Flush();
    file.Close();
    if (done)
        done = MoveFileExW(temp, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 1 : 0;
    if (!done)
        DeleteFileW(temp);
    temp[0] = 0;
    return done;
}

void CKSafeFile::Abort()
{
    if (!file.IsOpen())
        return;
    file.Close();
    DeleteFileW(temp);
    temp[0] = 0;
}

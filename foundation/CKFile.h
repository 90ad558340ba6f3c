// One way to reach every file the library reads: a path on disk, or a relative library path served
// from the loose "AppRes" folder first and from the "APPRES" resources compiled into the program
// second. Byte-wise and line-wise (UTF-16) reading, writing, and the static file-system helpers.
#pragma once
#include <windows.h>

#include "foundation/CKObject.h"

// Open flags (may be combined). KFILE_CREATE_NEW decides the creation rule over the others, and
// KFILE_CREATE over KFILE_WRITE. Any write flag on a relative path makes Open fail: library paths
// are read-only.
constexpr DWORD KFILE_CREATE = 0x1;         // write access; the file is created or truncated
constexpr DWORD KFILE_READ = 0x2;           // read access; the file must exist
constexpr DWORD KFILE_WRITE = 0x4;          // write access; opened, or created when missing; kept
constexpr DWORD KFILE_CREATE_NEW = 0x8;     // write access; created, refused when the name is taken
constexpr DWORD KFILE_SHARE_READ = 0x100;   // others may read while it is open
constexpr DWORD KFILE_SHARE_WRITE = 0x200;  // others may write while it is open

// Size of ReadLine's read-ahead buffer: each disk or resource read asks for this many bytes, so a
// large file is read in few calls.
constexpr int KFILE_READ_AHEAD_BYTES = 65536;

// Attribute bits of KFileInfo::mode.
constexpr DWORD KFA_EXEC = 0x1000;        // executable; defined for the file list, never set
constexpr DWORD KFA_WRITE = 0x2000;       // the entry has the archive attribute
constexpr DWORD KFA_READ = 0x4000;        // always set
constexpr DWORD KFA_HIDDEN = 0x8000;      // hidden or system entry
constexpr DWORD KFA_DIRECTORY = 0x10000;  // a directory

// One directory entry as EnumFiles reports it.
struct KFileInfo
{
    DWORD mode;             // KFA_* bits
    SYSTEMTIME created;     // UTC, as the file system gives it
    SYSTEMTIME modified;    // last write, UTC
    ULONGLONG size;         // bytes
};

// Called for each entry of a listing; returning 0 stops the listing.
typedef int (*KEnumFilesProc)(const wchar_t* dir, const wchar_t* name, const KFileInfo* info,
                              void* context);

// A compiled-in resource opened for reading: one allocation, released by Close.
struct KResCursor
{
    HRSRC found;        // the resource as found
    HGLOBAL loaded;     // its loaded handle
    const BYTE* bytes;  // borrowed: the locked bytes, valid for the life of the process
    DWORD size;         // bytes
    DWORD position;     // next byte to read
};

// Mostly a stack object: construct, Open, work, Close (the destructor closes too). Not copyable.
class CKFile : public CKObject
{
    K_DECLARE_CLASS(CKFile)
public:
    CKFile() = default;
    ~CKFile() override;

    // An absolute path (IsAbsolute) is a disk path; any other path is a library path (tried as
    // AppResDir + path, then as the "APPRES" resource). Returns 1 when open.
    int Open(const wchar_t* path, DWORD flags);
    // Harmless when closed.
    void Close();
    int IsOpen() const { return handle != INVALID_HANDLE_VALUE || cursor; }

    // Bytes copied; 0 when closed, for 0 bytes, at the end of the data or on a read error.
    int Read(void* buffer, int bytes);
    // Bytes written; 0 when closed, for 0 bytes, for a resource or on error.
    int Write(const void* buffer, int bytes);
    // Writes `count` UTF-16 units (count < 0: up to the NUL) as they are: no byte-order mark, no
    // line-end translation. Returns the units written, 0 on failure.
    int WriteText(const wchar_t* text, int count);
    // Reads one UTF-16 line (CR, LF, CR LF or LF CR ends it) into `buffer`: its units, then a NUL.
    // A line longer than capacity - 1 units is skipped whole (never returned in pieces, so that
    // its tail cannot pass for a line of its own) and the next line is read instead. Returns the
    // length, -1 at the end of the data, when closed, for a null buffer or a capacity below 1. No
    // byte-order mark is recognised; an odd trailing byte is ignored.
    int ReadLine(wchar_t* buffer, int capacity);
    // Size in bytes; all bits set when closed.
    ULONGLONG GetSize() const;
    // Forces written data of a disk file to the disk; 1 on success, 0 when closed, for a resource
    // or on error.
    int Flush();

    // 1 for a drive-letter path (second character ':') and for its verbatim form ("\\?\C:\...",
    // foundation/KOpenPath.h); every other path, also one that begins with a backslash, is a
    // library path.
    static int IsAbsolute(const wchar_t* path);
    // Absolute: 1 when the platform knows the file or directory. Relative: 1 when the loose file
    // AppResDir + path exists or ResourceExists(path).
    static int Exists(const wchar_t* path);
    // 1 when the "APPRES" resource named after `path` exists.
    static int ResourceExists(const wchar_t* path);
    // Reads a whole file (any path Open accepts) into a fresh block of size + 1 bytes, the last
    // one 0; the caller frees *data with KFree. *size excludes the 0. Returns 1, or 0 when the file
    // cannot be opened or read or the block cannot be allocated (nothing is stored then).
    static int ReadAll(const wchar_t* path, void** data, int* size);
    // Lists an absolute directory (a trailing backslash is optional), skipping "." and "..";
    // returns how many callbacks returned non-zero. 0 for a null or relative dir or a null callback.
    static int EnumFiles(const wchar_t* dir, KEnumFilesProc callback, void* context);
    // Appends the mount path ("C:\") of every fixed drive with its NUL to `buffer` and ends the
    // list with a second NUL; a drive that would not fit into `capacity` units (final NUL
    // included) is left out. Returns the units written before the final NUL.
    static int GetFixedDrives(wchar_t* buffer, int capacity);
    // The file name after the last '\' (or, without one, after the last '/'), cut at its last '.',
    // into `out` (cut to capacity - 1 units). Returns its length; -1 and `out` untouched when the
    // path has no separator or capacity is below 1.
    static int GetBaseName(const wchar_t* path, wchar_t* out, int capacity);

private:
    // Moves the buffered bytes to the front and reads more behind them; 1 when at least one
    // whole unit is buffered.
    int FillAhead();

    HANDLE handle = INVALID_HANDLE_VALUE;   // owned: the disk file, or INVALID_HANDLE_VALUE
    KResCursor* cursor = nullptr;           // owned: the resource being read, or none
    BYTE* ahead = nullptr;                  // owned: ReadLine's read-ahead buffer
    int aheadStart = 0;                     // offset in `ahead` of the first byte not consumed
    int buffered = 0;                       // bytes of `ahead` not yet consumed, from aheadStart
};

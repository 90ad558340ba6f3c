// Replaces a file only once its new content is completely written: the content goes to a temporary
// file beside the target, and Commit puts it in the target's place in one step. A crash, a kill or
// a full disk before that leaves the previous file as it was.
//
// The temporary file has a name of its own each time, target + "." + eight hex digits + ".tmp":
// nothing left beside the target (a folder, a read-only file, another program's file) can take
// that name away from every save, as a fixed name could. Leftovers of saves that crashed before
// their commit are removed by a later Open once they are old enough that no save can still be
// writing them (and the platform refuses to delete a file another program holds open).
#pragma once
#include <windows.h>

#include "foundation/CKFile.h"
#include "foundation/CKObject.h"
#include "foundation/KString.h"

// Use: Open(target), Write/WriteText..., Commit(). Writes are gathered in memory and go to the
// temporary file in large pieces, so that a content written in many small pieces (an INI file key
// by key, a playlist file field by field) costs few calls to the system. Any write that falls
// short is remembered and makes Commit fail. Abort (or the destructor, without a Commit) deletes
// the temporary file.
class CKSafeFile : public CKObject
{
    K_DECLARE_CLASS(CKSafeFile)
public:
    CKSafeFile() = default;
    ~CKSafeFile() override;

    // Starts the new content of the absolute `path` (of up to KMAX_PATH - 1 units). Returns 1 when
    // the temporary file is open; 0 for a relative or too long path, a target that is a directory
    // or read-only, or a temporary file that cannot be created (a full disk, a read-only folder).
    int Open(const wchar_t* path);
    // Takes `bytes` (WriteText: `count` UTF-16 units, count < 0 up to the NUL) for the new content;
    // returns what was taken, 0 when no file is open. A short or failed write to the file marks
    // the content as failed.
    int Write(const void* buffer, int bytes);
    int WriteText(const wchar_t* text, int count);
    // Forces the temporary file to the disk, closes it and moves it over the target (replacing it,
    // through to the disk). Returns 1 when the target now holds exactly what was written; on any
    // failure the temporary file is deleted, the target keeps its previous content and 0 comes back.
    int Commit();
    // Closes and deletes the temporary file; the target is untouched. Harmless when not open.
    void Abort();

private:
    // Deletes the leftover temporary files of `path`'s earlier saves (and of the fixed name
    // target + ".tmp" that earlier versions used) that are plain, writable and old.
    static void RemoveLeftovers(const wchar_t* path);
    // Writes the gathered bytes to the temporary file.
    void WritePending();
    // Forgets the gathered bytes and frees their buffer.
    void DropPending();

    CKFile file;       // the temporary file while writing
    BYTE* pending = nullptr;   // owned: bytes taken but not yet written, or none
    int pendingBytes = 0;
    int failed = 0;    // 1 once a write fell short
    KStringW target;   // the target, in the form it is opened by (foundation/KOpenPath.h)
    KStringW temp;     // the temporary file, likewise; empty when none is open
};

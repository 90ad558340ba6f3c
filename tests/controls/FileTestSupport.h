// Helpers of the file list, file tree and file cache tests: real folders and files made under a
// temporary folder, a cache built over the machine's fixed drives, and reading entries back.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "controls/CKFileCache.h"

// A fresh temporary folder (with a trailing backslash) for the life of the object; everything
// below it is deleted at the end.
class KTempFolder
{
public:
    KTempFolder();
    ~KTempFolder();
    const std::wstring& GetPath() const { return path; }
    // Creates the folder `relative` (one level) below the temporary folder; its path with '\'.
    std::wstring Folder(const std::wstring& relative) const;
    // Creates the file `relative` below the temporary folder with `size` bytes; its path.
    std::wstring File(const std::wstring& relative, size_t size = 0) const;

    KTempFolder(const KTempFolder&) = delete;
    KTempFolder& operator=(const KTempFolder&) = delete;

private:
    std::wstring path;
};

// A counted cache (one reference for the caller) with `filter`, its roots built with `options`.
CKFileCache* MakeCache(const wchar_t* filter, unsigned int options);
// The names of the entry's children (none: the drives), in order.
std::vector<std::wstring> ChildNames(const CKFileCache* cache, const KFileEntry* entry);
// The child of `entry` named exactly `name`, or none.
KFileEntry* ChildNamed(const CKFileCache* cache, const KFileEntry* entry, const wchar_t* name);
// The entry's full path as a string.
std::wstring FullPath(const CKFileCache* cache, const KFileEntry* entry);

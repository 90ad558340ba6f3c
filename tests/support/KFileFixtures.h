// File fixtures for tests: whole files as bytes, UTF-16LE text as bytes, and loose resource files
// placed in the "AppRes" folder beside the test executable for the life of a scope.
#pragma once
#include <windows.h>

#include <string>

// Replaces the file with exactly `bytes`; true on success.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
// The whole file, or an empty string when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
// The UTF-16LE bytes of `text` (no byte-order mark).
std::string Utf16Bytes(const std::wstring& text);
// The bytes FF FE followed by the UTF-16LE bytes of `text`.
std::string Utf16FileBytes(const std::wstring& text);
// The file's last-write time, or 0 when it does not exist.
ULONGLONG GetLastWriteTime(const std::wstring& path);
// Whether a save of `path` left a temporary file beside it (a name `path` + "." ... + ".tmp").
bool SaveLeftoverExists(const std::wstring& path);

// Creates AppResDir + relativePath (backslashes, folders created as needed) with `bytes`, and on
// destruction deletes it and removes the folders it created when they are empty (other test
// executables may hold files there at the same time).
class KLooseFile
{
public:
    KLooseFile(const std::wstring& relativePath, const std::string& bytes);
    ~KLooseFile();
    const std::wstring& GetPath() const { return path; }

    KLooseFile(const KLooseFile&) = delete;
    KLooseFile& operator=(const KLooseFile&) = delete;

private:
    std::wstring path;
    std::wstring createdFolders[4];   // deepest last; removed deepest first
    int folderCount = 0;
};

// File fixtures shared by the test executables.
#include "KFileFixtures.h"

#include "foundation/KPaths.h"

bool WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = bytes.empty() ||
              (WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) &&
               written == bytes.size());
    CloseHandle(file);
    return ok;
}

std::string ReadFileBytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

std::string Utf16Bytes(const std::wstring& text)
{
    std::string bytes;
    for (wchar_t unit : text) {
        bytes += (char)(unit & 0xFF);
        bytes += (char)((unit >> 8) & 0xFF);
    }
    return bytes;
}

std::string Utf16FileBytes(const std::wstring& text)
{
    return std::string("\xFF\xFE", 2) + Utf16Bytes(text);
}

ULONGLONG GetLastWriteTime(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return ((ULONGLONG)data.ftLastWriteTime.dwHighDateTime << 32) | data.ftLastWriteTime.dwLowDateTime;
}

bool SaveLeftoverExists(const std::wstring& path)
{
    const std::wstring suffix = L".tmp";
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((path + L".*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool found = false;
    do {
        const std::wstring name = entry.cFileName;
        found = name.size() > suffix.size()
                && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
    } while (!found && FindNextFileW(search, &entry));
    FindClose(search);
    return found;
}

KLooseFile::KLooseFile(const std::wstring& relativePath, const std::string& bytes)
{
    std::wstring folder = GetAppResDir();
    folder.pop_back();   // without the trailing backslash
    std::wstring rest = relativePath;
    for (;;) {
        if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES &&
            CreateDirectoryW(folder.c_str(), nullptr) && folderCount < 4)
            createdFolders[folderCount++] = folder;
        size_t slash = rest.find(L'\\');
        if (slash == std::wstring::npos)
            break;
        folder += L'\\' + rest.substr(0, slash);
        rest = rest.substr(slash + 1);
    }
    path = folder + L'\\' + rest;
    WriteFileBytes(path, bytes);
}

KLooseFile::~KLooseFile()
{
    DeleteFileW(path.c_str());
    for (int i = folderCount - 1; i >= 0; --i)
        RemoveDirectoryW(createdFolders[i].c_str());
}

// Temporary folders, caches and entry readers for the file list, file tree and file cache tests.
#include "FileTestSupport.h"

#include "KFileFixtures.h"
#include "KTestSupport.h"
#include "foundation/KPaths.h"

KTempFolder::KTempFolder() : path(MakeTempDir(L"lumo-files"))
{
}

KTempFolder::~KTempFolder()
{
    if (!path.empty())
        RemoveTree(path);
}

std::wstring KTempFolder::Folder(const std::wstring& relative) const
{
    const std::wstring folder = path + relative;
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\";
}

std::wstring KTempFolder::File(const std::wstring& relative, size_t size) const
{
    const std::wstring file = path + relative;
    WriteFileBytes(file, std::string(size, 'x'));
    return file;
}

CKFileCache* MakeCache(const wchar_t* filter, unsigned int options)
{
    CKFileCache* cache = new CKFileCache();
    cache->EnableRefCount();
    cache->AddRef();
    cache->SetFilter(filter);
    cache->BuildRoots(options);
    return cache;
}

std::vector<std::wstring> ChildNames(const CKFileCache* cache, const KFileEntry* entry)
{
    std::vector<std::wstring> names;
    const KFileEntry* child = entry ? cache->GetFirstChild(entry) : cache->GetFirstRoot();
    for (; child; child = cache->GetNext(child))
        names.push_back(child->name);
    return names;
}

KFileEntry* ChildNamed(const CKFileCache* cache, const KFileEntry* entry, const wchar_t* name)
{
    KFileEntry* child = entry ? cache->GetFirstChild(entry) : cache->GetFirstRoot();
    for (; child; child = cache->GetNext(child))
        if (std::wstring(child->name) == name)
            return child;
    return nullptr;
}

std::wstring FullPath(const CKFileCache* cache, const KFileEntry* entry)
{
    wchar_t buffer[KMAX_PATH];
    cache->GetFullPath(entry, buffer);
    return buffer;
}

// CLmOpenRequest: paths asked for on a command line, by a drop or by a hand-over, resolved to
// absolute paths, and the hand-over's packed form.
#include "app/CLmOpenRequest.h"

#include "foundation/KPaths.h"

K_IMPLEMENT_CLASS(CLmOpenRequest, CKObject)

namespace {

constexpr wchar_t VERBATIM[] = L"\\\\?\\";   // "\\?\C:\..."
// Units of the asked count at the head of a hand-over.
constexpr size_t COUNT_UNITS = 2;
constexpr int UNIT_BITS = 16;

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.compare(0, wcslen(prefix), prefix) == 0;
}

bool IsDrivePath(const std::wstring& path)
{
    return path.size() >= 2 && path[1] == L':'
           && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

// Characters no component of a path to a file may hold (the ':' of a drive is not in one).
bool IsForbidden(wchar_t c)
{
    return c < L' ' || wcschr(L"<>:\"|?*", c) != nullptr;
}

// An absolute path split into its drive ("C:") and the rest after its backslash; false when it is
// not a drive path.
bool SplitRoot(const std::wstring& path, std::wstring* root, std::wstring* rest)
{
    if (!IsDrivePath(path) || path.size() < 3 || path[2] != L'\\')
        return false;
    *root = path.substr(0, 2);
    *rest = path.substr(3);
    return true;
}

} // namespace

void CLmOpenRequest::AddCommandLine(const wchar_t* commandLine, const wchar_t* currentDir)
{
    if (!commandLine || !*commandLine)
        return;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(commandLine, &count);
    if (!arguments)
        return;
    for (int i = 1; i < count; i++)
        AddPath(arguments[i], currentDir);
    LocalFree(arguments);
}

void CLmOpenRequest::AddDrop(HDROP drop)
{
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::wstring path;
    for (UINT i = 0; i < count; i++) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        path.assign((size_t)length + 1, L'\0');
        DragQueryFileW(drop, i, &path[0], length + 1);
        path.resize(length);
        AddPath(path.c_str(), nullptr);
    }
}

void CLmOpenRequest::AddPath(const wchar_t* path, const wchar_t* currentDir)
{
    asked++;
    Take(path, currentDir);
}

void CLmOpenRequest::Take(const wchar_t* path, const wchar_t* currentDir)
{
    std::wstring resolved;
    if (ResolvePath(path, currentDir, &resolved))
        paths.push_back(resolved);
}

std::vector<wchar_t> CLmOpenRequest::Pack() const
{
    std::vector<wchar_t> data;
    data.push_back((wchar_t)(asked & 0xFFFF));
    data.push_back((wchar_t)((asked >> UNIT_BITS) & 0xFFFF));
    for (const std::wstring& path : paths) {
        data.insert(data.end(), path.begin(), path.end());
        data.push_back(L'\0');
    }
    data.push_back(L'\0');
    return data;
}

int CLmOpenRequest::Unpack(const COPYDATASTRUCT* data)
{
    if (!data || data->dwData != LMCOPYDATA_OPEN || !data->lpData || data->cbData % 2 != 0
        || data->cbData > LMOPEN_MAX_BYTES || data->cbData < (COUNT_UNITS + 1) * sizeof(wchar_t))
        return 0;
    const wchar_t* units = (const wchar_t*)data->lpData;
    const size_t count = data->cbData / sizeof(wchar_t);
    // Every path must end with its NUL, and the list with one more, before the data ends.
    size_t at = COUNT_UNITS;
    std::vector<size_t> starts;
    while (at < count && units[at]) {
        const size_t start = at;
        while (at < count && units[at])
            at++;
        if (at == count)
            return 0;
        starts.push_back(start);
        at++;
    }
    if (at >= count)
        return 0;
    for (size_t start : starts)
        Take(units + start, nullptr);
    const int named = (int)((unsigned int)units[0] | ((unsigned int)units[1] << UNIT_BITS));
    asked += named > (int)starts.size() ? named : (int)starts.size();
    return 1;
}

int CLmOpenRequest::ResolvePath(const wchar_t* path, const wchar_t* currentDir,
                                std::wstring* out)
{
    if (!path || !*path || !out)
        return 0;
    std::wstring given(path);
    for (wchar_t& c : given)
        if (c == L'/')
            c = L'\\';
    // The verbatim prefix: what follows it must be a drive path, taken as it is below.
    const bool verbatim = StartsWith(given, VERBATIM);
    if (verbatim)
        given = given.substr(wcslen(VERBATIM));

    std::wstring root, rest;
    if (!SplitRoot(given, &root, &rest)) {
        // Network paths, the device namespace and other verbatim forms are not played here.
        if (verbatim || StartsWith(given, L"\\\\"))
            return 0;
        std::wstring base, baseRest;
        const bool haveBase = currentDir && SplitRoot(currentDir, &base, &baseRest);
        if (IsDrivePath(given)) {
            // "D:x": the current folder when it is on drive D, else D's root.
            root = given.substr(0, 2);
            rest = given.substr(2);
            if (haveBase && (base[0] | 0x20) == (root[0] | 0x20))
                rest = baseRest + L"\\" + rest;
        } else if (!haveBase) {
            return 0;
        } else if (given[0] == L'\\') {
            root = base;
            rest = given.substr(1);
        } else {
            root = base;
            rest = baseRest + L"\\" + given;
        }
    }

    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find(L'\\', start);
        if (end == std::wstring::npos)
            end = rest.size();
        const std::wstring part = rest.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == L".")
            continue;
        if (part == L"..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        for (wchar_t c : part)
            if (IsForbidden(c))
                return 0;
        parts.push_back(part);
    }
    std::wstring resolved = root + L"\\";
    for (size_t i = 0; i < parts.size(); i++)
        resolved += (i ? L"\\" : L"") + parts[i];
    if (resolved.size() >= (size_t)KMAX_PATH)
        return 0;
    *out = resolved;
    return 1;
}

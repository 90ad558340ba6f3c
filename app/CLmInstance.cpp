// CLmInstance: the folder's mutex, the frame's property and the hand-over to the Lumo that holds
// the folder.
#include "app/CLmInstance.h"

#include <vector>

K_IMPLEMENT_CLASS(CLmInstance, CKObject)

namespace {

constexpr wchar_t MUTEX_PREFIX[] = L"Local\\Lumo.Instance.";
constexpr wchar_t PROPERTY_PREFIX[] = L"Lumo.Folder.";
// The 64-bit FNV-1a hash of the folder's name, in upper case: its offset basis and prime.
constexpr unsigned long long HASH_BASIS = 0xcbf29ce484222325ull;
constexpr unsigned long long HASH_PRIME = 0x100000001b3ull;
// Value stored under the frame's property (any non-zero handle marks it).
const HANDLE MARK = (HANDLE)1;

// The folder's key: its name in upper case (so that "C:\Lumo\" and "c:\lumo\" agree), hashed,
// as sixteen hexadecimal digits.
std::wstring FolderKey(const wchar_t* folder)
{
    std::wstring upper = folder ? folder : L"";
    if (!upper.empty())
        CharUpperBuffW(&upper[0], (DWORD)upper.size());
    unsigned long long hash = HASH_BASIS;
    for (wchar_t unit : upper) {
        hash ^= (unsigned long long)unit;
        hash *= HASH_PRIME;
    }
    wchar_t text[17];
    wsprintfW(text, L"%08X%08X", (unsigned int)(hash >> 32), (unsigned int)hash);
    return text;
}

// What FindMarked looks for, and what it found.
struct KFrameSearch
{
    const wchar_t* property;
    HWND found;
};

} // namespace

CLmInstance::CLmInstance(const wchar_t* folder)
{
    const std::wstring key = FolderKey(folder);
    mutexName = MUTEX_PREFIX + key;
    propertyName = PROPERTY_PREFIX + key;
    mutex = CreateMutexW(nullptr, FALSE, mutexName.c_str());
}

CLmInstance::~CLmInstance()
{
    if (owned)
        ReleaseMutex(mutex);
    if (mutex)
        CloseHandle(mutex);
}

int CLmInstance::Claim()
{
    // Without a mutex there is no way to know of another Lumo: this one runs.
    if (!mutex)
        return 1;
    const DWORD result = WaitForSingleObject(mutex, 0);
    owned = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    return owned ? 1 : 0;
}

int CLmInstance::HandOver(const CLmOpenRequest& request, int waitMs)
{
    std::vector<wchar_t> data = request.Pack();
    COPYDATASTRUCT copy = {LMCOPYDATA_OPEN, (DWORD)(data.size() * sizeof(wchar_t)), data.data()};
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND frame = FindFrame()) {
            // The user started this Lumo: it may let the other one come to the front.
            DWORD process = 0;
            GetWindowThreadProcessId(frame, &process);
            AllowSetForegroundWindow(process);
            DWORD_PTR answer = 0;
            if (SendMessageTimeoutW(frame, WM_COPYDATA, 0, (LPARAM)&copy, SMTO_ABORTIFHUNG,
                                    LMHANDOVER_SEND_MS, &answer)
                && answer == 1)
                return LMHANDOVER_TAKEN;
        }
        // Starting (no frame yet) or closing (no frame any more): wait a little, and own the
        // folder as soon as the other Lumo lets it go.
        const DWORD waited = GetTickCount() - start;
        if (waited >= (DWORD)waitMs)
            return LMHANDOVER_GAVE_UP;
        const DWORD left = (DWORD)waitMs - waited;
        const DWORD slice = left < (DWORD)LMHANDOVER_RETRY_MS ? left : (DWORD)LMHANDOVER_RETRY_MS;
        const DWORD result = mutex ? WaitForSingleObject(mutex, slice) : WAIT_FAILED;
        if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED) {
            owned = true;
            return LMHANDOVER_OWNER;
        }
        if (!mutex)
            Sleep(slice);
    }
}

int CLmInstance::MarkFrame(HWND frame) const
{
    return frame && SetPropW(frame, propertyName.c_str(), MARK) ? 1 : 0;
}

void CLmInstance::UnmarkFrame(HWND frame) const
{
    if (frame)
        RemovePropW(frame, propertyName.c_str());
}

HWND CLmInstance::FindFrame() const
{
    KFrameSearch search = {propertyName.c_str(), nullptr};
    EnumWindows(FindMarked, (LPARAM)&search);
    return search.found;
}

BOOL CALLBACK CLmInstance::FindMarked(HWND window, LPARAM search)
{
    KFrameSearch* wanted = (KFrameSearch*)search;
    if (!GetPropW(window, wanted->property))
        return TRUE;
    wanted->found = window;
    return FALSE;
}

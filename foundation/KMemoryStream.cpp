// The library's IStream: interface plumbing in KStream, a memory block behind KMemoryStream.
#include "foundation/KMemoryStream.h"

#include <cstring>

#include "foundation/KMemory.h"

// ---- KStream -------------------------------------------------------------------------------------

KStream::KStream(DWORD mode) : refCount(1), mode(mode)
{
}

KStream::~KStream() = default;

void* KStream::operator new(size_t bytes) noexcept
{
    return KAlloc(bytes);
}

void KStream::operator delete(void* block) noexcept
{
    KFree(block);
}

HRESULT KStream::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IStream) || IsEqualIID(iid, IID_ISequentialStream) ||
        IsEqualIID(iid, IID_IUnknown)) {
        AddRef();
        *out = static_cast<IStream*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG KStream::AddRef()
{
    return ++refCount;
}

ULONG KStream::Release()
{
    ULONG count = --refCount;
    if (count == 0)
        OnFinalRelease();
    return count;
}

void KStream::OnFinalRelease()
{
}

HRESULT KStream::SetSize(ULARGE_INTEGER)
{
    return E_NOTIMPL;
}

HRESULT KStream::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*)
{
    return E_NOTIMPL;
}

HRESULT KStream::Commit(DWORD)
{
    return E_NOTIMPL;
}

HRESULT KStream::Revert()
{
    return E_NOTIMPL;
}

HRESULT KStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return E_NOTIMPL;
}

HRESULT KStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return E_NOTIMPL;
}

HRESULT KStream::Clone(IStream**)
{
    return E_NOTIMPL;
}

// ---- KMemoryStream -------------------------------------------------------------------------------

KMemoryStream::KMemoryStream(DWORD mode, void* data, ULONG size)
    : KStream(mode), data(static_cast<BYTE*>(data)), size(size), position(0)
{
}

HRESULT KMemoryStream::Read(void* buffer, ULONG count, ULONG* read)
{
    if (!data)
        return E_HANDLE;
    ULONG available = size - position;
    if (count > available)
        count = available;
    memcpy(buffer, data + position, count);
    position += count;
    if (read)
        *read = count;
    return S_OK;
}

HRESULT KMemoryStream::Write(const void* buffer, ULONG count, ULONG* written)
{
    if (!data)
        return E_HANDLE;
    ULONG available = size - position;
    if (count > available)
        count = available;
    memcpy(data + position, buffer, count);
    position += count;
    if (written)
        *written = count;
    return S_OK;
}

HRESULT KMemoryStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition)
{
    if (!data)
        return E_HANDLE;
    LONGLONG offset = (LONG)move.LowPart;
    LONGLONG target;
    switch (origin) {
    case STREAM_SEEK_SET:
        target = offset;
        break;
    case STREAM_SEEK_CUR:
        target = (LONGLONG)position + offset;
        break;
    case STREAM_SEEK_END:
        target = (LONGLONG)size + offset;
        break;
    default:
        return STG_E_INVALIDFUNCTION;
    }
    if (target < 0 || target > (LONGLONG)size)
        target = size;
    position = (ULONG)target;
    if (newPosition) {
        newPosition->LowPart = position;
        newPosition->HighPart = 0;
    }
    return S_OK;
}

HRESULT KMemoryStream::Stat(STATSTG* statstg, DWORD)
{
    if (!data)
        return E_HANDLE;
    memset(statstg, 0, sizeof(*statstg));
    statstg->type = STGTY_STREAM;
    statstg->cbSize.LowPart = size;
    statstg->grfMode = mode;
    return S_OK;
}

int CreateMemoryStream(KMemoryStream** stream, void* data, ULONG size)
{
    KMemoryStream* created = new KMemoryStream(0, data, size);
    if (!created)
        return 0;
    *stream = created;
    return 1;
}

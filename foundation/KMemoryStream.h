// The platform stream interface (IStream) over a block of memory: how resource bytes are handed to
// the image decoder. KStream answers the interface plumbing; KMemoryStream serves one block.
#pragma once
#include <windows.h>
#include <objidl.h>

// IStream with the parts every stream of the library shares: QueryInterface, the count, and
// E_NOTIMPL for the operations no library stream supports.
//
// Lifetime rule: the count starts at 1 and Release reaching 0 only calls OnFinalRelease, which does
// nothing here. The creator owns the stream and deletes it directly once the consumer is done.
class KStream : public IStream
{
public:
    explicit KStream(DWORD mode);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IStream operations no library stream supports: each returns E_NOTIMPL.
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                     ULARGE_INTEGER* written) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Revert() override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count,
                                         DWORD lockType) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count,
                                           DWORD lockType) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream** out) override;

    virtual ~KStream();
    // Called when Release brings the count to 0; the base does nothing (the creator deletes).
    virtual void OnFinalRelease();

    ULONG GetRefCount() const { return refCount; }

    // Streams live on the library's heap; allocation failure yields none.
    static void* operator new(size_t bytes) noexcept;
    static void operator delete(void* block) noexcept;

    KStream(const KStream&) = delete;
    KStream& operator=(const KStream&) = delete;

protected:
    ULONG refCount;   // starts at 1
    DWORD mode;       // access-mode word reported by Stat
};

// A stream over a memory block that it does not own and never grows. Reads and writes past the end
// transfer fewer bytes (possibly none) and still succeed; without a block every operation answers
// E_HANDLE.
class KMemoryStream : public KStream
{
public:
    KMemoryStream(DWORD mode, void* data, ULONG size);

    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* read) override;
    HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG count, ULONG* written) override;
    // Only the low 32 bits of `move` count. Origin STREAM_SEEK_SET, STREAM_SEEK_CUR or
    // STREAM_SEEK_END; a target below 0 or beyond the end lands on the end.
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin,
                                   ULARGE_INTEGER* newPosition) override;
    // Type STGTY_STREAM, the block's size and the mode word; no name, everything else 0.
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* statstg, DWORD flags) override;

private:
    BYTE* data;      // borrowed: the block (a resource's bytes live as long as the process)
    ULONG size;      // bytes in the block
    ULONG position;  // 0..size
};

// Creates a KMemoryStream (mode 0) over `data`/`size` at position 0 and stores it in `stream`;
// returns 1, or 0 (and none stored) when memory ran out. The caller deletes the stream. A block
// that must not change (a locked resource) must only be read through the stream.
int CreateMemoryStream(KMemoryStream** stream, void* data, ULONG size);

// KStream / KMemoryStream: the seek and read rules on a 1000-byte block, the interface plumbing and
// the answers without a block.
#include <gtest/gtest.h>

#include <cstring>

#include "foundation/KMemoryStream.h"

namespace {

LARGE_INTEGER Move(LONGLONG value)
{
    LARGE_INTEGER move;
    move.QuadPart = value;
    return move;
}

// Seeks and returns the reported position, or -1 when Seek failed.
LONGLONG SeekTo(IStream* stream, LONGLONG move, DWORD origin)
{
    ULARGE_INTEGER position;
    position.QuadPart = 0xDEADBEEFDEADBEEFULL;
    if (stream->Seek(Move(move), origin, &position) != S_OK)
        return -1;
    return (LONGLONG)position.QuadPart;
}

class KMemoryStreamTest : public testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 0; i < 1000; ++i)
            block[i] = (BYTE)i;
        ASSERT_EQ(1, CreateMemoryStream(&stream, block, 1000));
    }
    void TearDown() override { delete stream; }

    BYTE block[1000];
    KMemoryStream* stream = nullptr;
};

} // namespace

TEST_F(KMemoryStreamTest, SeekClampsToTheEndOfTheBlock)
{
    EXPECT_EQ(1000, SeekTo(stream, 0, STREAM_SEEK_END));
    EXPECT_EQ(990, SeekTo(stream, -10, STREAM_SEEK_END));
    EXPECT_EQ(1000, SeekTo(stream, 5000, STREAM_SEEK_SET));
    EXPECT_EQ(100, SeekTo(stream, 100, STREAM_SEEK_SET));
    EXPECT_EQ(150, SeekTo(stream, 50, STREAM_SEEK_CUR));
    EXPECT_EQ(140, SeekTo(stream, -10, STREAM_SEEK_CUR));
    // Below zero counts as beyond the end.
    EXPECT_EQ(1000, SeekTo(stream, -1, STREAM_SEEK_SET));
    EXPECT_EQ(0, SeekTo(stream, 0, STREAM_SEEK_SET));
    EXPECT_EQ(1000, SeekTo(stream, -1001, STREAM_SEEK_END));
    EXPECT_EQ(1000, SeekTo(stream, 1, STREAM_SEEK_END));
    // Only the low 32 bits of the move count: 2^32 + 7 is 7.
    EXPECT_EQ(7, SeekTo(stream, 0x100000007LL, STREAM_SEEK_SET));
    EXPECT_EQ(S_OK, stream->Seek(Move(20), STREAM_SEEK_SET, nullptr));
    EXPECT_EQ(20, SeekTo(stream, 0, STREAM_SEEK_CUR));
}

TEST_F(KMemoryStreamTest, ReadAndWriteStopAtTheEndAndStillSucceed)
{
    BYTE buffer[16];
    ULONG done = 99;
    SeekTo(stream, 995, STREAM_SEEK_SET);
    EXPECT_EQ(S_OK, stream->Read(buffer, 16, &done));
    EXPECT_EQ(5u, done);
    EXPECT_EQ(0, memcmp(buffer, block + 995, 5));
    EXPECT_EQ(S_OK, stream->Read(buffer, 16, &done));
    EXPECT_EQ(0u, done);

    SeekTo(stream, 10, STREAM_SEEK_SET);
    EXPECT_EQ(S_OK, stream->Read(buffer, 4, nullptr));
    EXPECT_EQ(0, memcmp(buffer, block + 10, 4));
    EXPECT_EQ(14, SeekTo(stream, 0, STREAM_SEEK_CUR));

    const BYTE patch[4] = {0xAA, 0xBB, 0xCC, 0xDD};
    SeekTo(stream, 998, STREAM_SEEK_SET);
    EXPECT_EQ(S_OK, stream->Write(patch, 4, &done));
    EXPECT_EQ(2u, done);
    EXPECT_EQ(0xAA, block[998]);
    EXPECT_EQ(0xBB, block[999]);
    EXPECT_EQ(S_OK, stream->Write(patch, 4, &done));
    EXPECT_EQ(0u, done);

    STATSTG stat;
    memset(&stat, 0xCD, sizeof(stat));
    EXPECT_EQ(S_OK, stream->Stat(&stat, STATFLAG_DEFAULT));
    EXPECT_EQ((DWORD)STGTY_STREAM, stat.type);
    EXPECT_EQ(1000ULL, stat.cbSize.QuadPart);
    EXPECT_EQ(0u, stat.grfMode);
    EXPECT_EQ(nullptr, stat.pwcsName);
    EXPECT_EQ(0u, stat.grfLocksSupported);
    EXPECT_EQ(0u, stat.mtime.dwLowDateTime);
}

TEST_F(KMemoryStreamTest, QueryInterfaceAnswersTheThreeStreamInterfacesOnly)
{
    void* out = nullptr;
    EXPECT_EQ(S_OK, stream->QueryInterface(IID_IStream, &out));
    EXPECT_EQ(static_cast<IStream*>(stream), out);
    EXPECT_EQ(2u, stream->GetRefCount());
    EXPECT_EQ(S_OK, stream->QueryInterface(IID_ISequentialStream, &out));
    EXPECT_EQ(S_OK, stream->QueryInterface(IID_IUnknown, &out));
    EXPECT_EQ(4u, stream->GetRefCount());

    out = stream;
    EXPECT_EQ(E_NOINTERFACE, stream->QueryInterface(IID_IPersist, &out));
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ(E_NOINTERFACE, stream->QueryInterface(IID_IStorage, &out));
    EXPECT_EQ(4u, stream->GetRefCount());
    EXPECT_EQ(E_POINTER, stream->QueryInterface(IID_IStream, nullptr));
    EXPECT_EQ(4u, stream->GetRefCount());

    // Release reaching 0 does not free the stream: its creator deletes it.
    EXPECT_EQ(3u, stream->Release());
    EXPECT_EQ(2u, stream->Release());
    EXPECT_EQ(1u, stream->Release());
    EXPECT_EQ(0u, stream->Release());
    EXPECT_EQ(5, SeekTo(stream, 5, STREAM_SEEK_SET));
    EXPECT_EQ(1u, stream->AddRef());
}

TEST_F(KMemoryStreamTest, UnsupportedOperationsAnswerNotImplemented)
{
    ULARGE_INTEGER size;
    size.QuadPart = 10;
    IStream* clone = nullptr;
    EXPECT_EQ(E_NOTIMPL, stream->SetSize(size));
    EXPECT_EQ(E_NOTIMPL, stream->CopyTo(nullptr, size, nullptr, nullptr));
    EXPECT_EQ(E_NOTIMPL, stream->Commit(0));
    EXPECT_EQ(E_NOTIMPL, stream->Revert());
    EXPECT_EQ(E_NOTIMPL, stream->LockRegion(size, size, 0));
    EXPECT_EQ(E_NOTIMPL, stream->UnlockRegion(size, size, 0));
    EXPECT_EQ(E_NOTIMPL, stream->Clone(&clone));
}

TEST(KMemoryStream, WithoutABlockEveryOperationAnswersInvalidHandle)
{
    KMemoryStream* empty = nullptr;
    ASSERT_EQ(1, CreateMemoryStream(&empty, nullptr, 0));
    BYTE buffer[4] = {};
    ULONG done = 7;
    STATSTG stat;
    EXPECT_EQ(E_HANDLE, empty->Read(buffer, 4, &done));
    EXPECT_EQ(E_HANDLE, empty->Write(buffer, 4, &done));
    EXPECT_EQ(7u, done);
    EXPECT_EQ(-1, SeekTo(empty, 0, STREAM_SEEK_SET));
    EXPECT_EQ(E_HANDLE, empty->Stat(&stat, STATFLAG_DEFAULT));
    EXPECT_EQ((HRESULT)0x80070006, E_HANDLE);
    delete empty;
}

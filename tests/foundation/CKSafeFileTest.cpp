// CKSafeFile: the target is replaced only by a complete new content; every failure leaves it as it
// was and no temporary file behind; nothing left beside the target blocks a save, and old
// leftovers of crashed saves go.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/KFileFixtures.h"
#include "support/KTestSupport.h"
#include "foundation/CKSafeFile.h"

namespace {

class CKSafeFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        dir = MakeTempDir(L"cksafe");
        target = dir + L"Target.txt";
        ASSERT_TRUE(WriteFileBytes(target, "previous"));
    }
    void TearDown() override
    {
        for (const std::wstring& name : Entries())
            SetFileAttributesW((dir + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveTree(dir);
    }

    // The names in the test's folder, in the order the platform lists them.
    std::vector<std::wstring> Entries() const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW entry;
        HANDLE search = FindFirstFileW((dir + L"*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (entry.cFileName[0] != L'.')
                names.push_back(entry.cFileName);
        } while (FindNextFileW(search, &entry));
        FindClose(search);
        return names;
    }
    bool TempExists() const { return SaveLeftoverExists(target); }

    std::wstring dir, target;
};

// Makes the file (or, with `folder`, the directory) `path` with a last write `ageSeconds` ago.
void MakeAged(const std::wstring& path, int ageSeconds, bool folder = false)
{
    ASSERT_TRUE(folder ? CreateDirectoryW(path.c_str(), nullptr) != 0
                       : WriteFileBytes(path, "left over"));
    HANDLE handle = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time;
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart -= (ULONGLONG)ageSeconds * 10000000;
    FILETIME then = {time.LowPart, time.HighPart};
    EXPECT_TRUE(SetFileTime(handle, nullptr, nullptr, &then));
    CloseHandle(handle);
}

} // namespace

TEST_F(CKSafeFileTest, CommitPutsTheNewContentInPlaceOfTheTarget)
{
    CKSafeFile file;
    ASSERT_EQ(1, file.Open(target.c_str()));
    EXPECT_TRUE(TempExists());
    EXPECT_EQ(3, file.Write("new", 3));
    EXPECT_EQ(2, file.WriteText(L"\x4E2D!", -1));
    // Until the commit the target keeps its content.
    EXPECT_EQ("previous", ReadFileBytes(target));
    EXPECT_EQ(1, file.Commit());
    EXPECT_EQ(std::string("new\x2D\x4E!\0", 7), ReadFileBytes(target));
    EXPECT_FALSE(TempExists());
    EXPECT_EQ(0, file.Commit());   // nothing open any more

    // A missing target is created.
    std::wstring fresh = dir + L"Fresh.txt";
    ASSERT_EQ(1, file.Open(fresh.c_str()));
    file.Write("ok", 2);
    EXPECT_EQ(1, file.Commit());
    EXPECT_EQ("ok", ReadFileBytes(fresh));

    // Pieces small and large, around the size the writes are gathered in, come out in order.
    std::string expected;
    ASSERT_EQ(1, file.Open(target.c_str()));
    const int sizes[] = {1, 65535, 1, 65536, 3, 200000, 7, 65534, 2, 131072, 5};
    for (size_t i = 0; i < sizeof(sizes) / sizeof(sizes[0]); ++i) {
        const std::string piece((size_t)sizes[i], (char)('a' + i));
        EXPECT_EQ(sizes[i], file.Write(piece.data(), sizes[i]));
        expected += piece;
    }
    EXPECT_EQ(1, file.Commit());
    EXPECT_EQ(expected, ReadFileBytes(target));
}

TEST_F(CKSafeFileTest, NothingBesideTheTargetBlocksASave)
{
    // What earlier versions' fixed temporary name left or others put there: a folder, a read-only
    // file, a file held open.
    struct Blocker
    {
        const char* what;
        bool folder;
        DWORD attributes;
        bool held;
    } blockers[] = {
        {"a folder", true, 0, false},
        {"a read-only file", false, FILE_ATTRIBUTE_READONLY, false},
        {"a file held open", false, 0, true},
    };
    const std::wstring fixedName = target + L".tmp";
    for (const Blocker& blocker : blockers) {
        ASSERT_TRUE(blocker.folder ? CreateDirectoryW(fixedName.c_str(), nullptr) != 0
                                   : WriteFileBytes(fixedName, "blocker"));
        if (blocker.attributes)
            SetFileAttributesW(fixedName.c_str(), blocker.attributes);
        HANDLE held = blocker.held ? CreateFileW(fixedName.c_str(), GENERIC_READ, 0, nullptr,
                                                 OPEN_EXISTING, 0, nullptr)
                                   : INVALID_HANDLE_VALUE;
        for (int save = 0; save < 2; save++) {
            CKSafeFile file;
            ASSERT_EQ(1, file.Open(target.c_str())) << blocker.what;
            file.Write(blocker.what, 4);
            EXPECT_EQ(1, file.Commit()) << blocker.what;
            EXPECT_EQ(std::string(blocker.what, 4), ReadFileBytes(target)) << blocker.what;
        }
        EXPECT_EQ(Entries().size(), 2u) << blocker.what << ": no temporary file left";
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        SetFileAttributesW(fixedName.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (blocker.folder)
            RemoveDirectoryW(fixedName.c_str());
        else
            DeleteFileW(fixedName.c_str());
    }

    // Targets as long as the platform's path limit allows (its temporary file's name is longer).
    for (int length = 256; length <= 259; length++) {
        const std::wstring longTarget = dir + std::wstring(length - dir.size(), L'n');
        CKSafeFile file;
        ASSERT_EQ(1, file.Open(longTarget.c_str())) << length;
        file.Write("long", 4);
        EXPECT_EQ(1, file.Commit()) << length;
        EXPECT_EQ("long", ReadFileBytes(L"\\\\?\\" + longTarget)) << length;
        DeleteFileW((L"\\\\?\\" + longTarget).c_str());
    }
    EXPECT_EQ(Entries().size(), 1u) << "no temporary file left";
}

TEST_F(CKSafeFileTest, OldLeftoversOfCrashedSavesAreRemovedAndNothingElse)
{
    constexpr int OLD = 3600;
    constexpr int YOUNG = 5;
    MakeAged(dir + L"Target.txt.0badf00d.tmp", OLD);
    MakeAged(dir + L"TARGET.TXT.A1B2C3D4.TMP", OLD);
    MakeAged(dir + L"Target.txt.tmp", OLD);   // the fixed name of earlier versions
    const std::vector<std::wstring> kept = {
        L"Target.txt.12345678.tmp",   // young: a save of another instance may be writing it
        L"Target.txt.abcdef01.tmp",   // read-only
        L"Target.txt.22222222.tmp",   // a folder
        L"Target.txt.1234567.tmp",    // not a name of ours
        L"Target.txt.backup.tmp",
        L"Target.txt.unreadable",
        L"Other.txt.00000000.tmp",
    };
    MakeAged(dir + kept[0], YOUNG);
    MakeAged(dir + kept[1], OLD);
    SetFileAttributesW((dir + kept[1]).c_str(), FILE_ATTRIBUTE_READONLY);
    MakeAged(dir + kept[2], OLD, true);
    for (size_t i = 3; i < kept.size(); i++)
        MakeAged(dir + kept[i], OLD);

    CKSafeFile file;
    ASSERT_EQ(1, file.Open(target.c_str()));
    file.Write("new", 3);
    ASSERT_EQ(1, file.Commit());
    std::vector<std::wstring> expected = kept;
    expected.push_back(L"Target.txt");
    std::vector<std::wstring> entries = Entries();
    std::sort(entries.begin(), entries.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entries, expected);
}

TEST_F(CKSafeFileTest, AbortAndDestructionWithoutCommitLeaveTheTargetAlone)
{
    {
        CKSafeFile file;
        ASSERT_EQ(1, file.Open(target.c_str()));
        file.Write("half", 4);
        file.Abort();
        EXPECT_FALSE(TempExists());
        file.Abort();
    }
    {
        CKSafeFile file;
        ASSERT_EQ(1, file.Open(target.c_str()));
        file.Write("half", 4);
    }
    EXPECT_FALSE(TempExists());
    EXPECT_EQ("previous", ReadFileBytes(target));
}

TEST_F(CKSafeFileTest, TargetsThatCannotBeReplacedAreRefused)
{
    CKSafeFile file;
    EXPECT_EQ(0, file.Open(L"Target.txt"));
    EXPECT_EQ(0, file.Open(nullptr));
    EXPECT_EQ(0, file.Open(dir.c_str()));   // a folder
    EXPECT_EQ(0, file.Write("x", 1));
    EXPECT_EQ(0, file.Commit());

    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0, file.Open(target.c_str()));
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);

    // In a folder that does not exist no temporary file can be made.
    EXPECT_EQ(0, file.Open((dir + L"missing\\Target.txt").c_str()));

    std::wstring tooLong = dir + std::wstring(260 - dir.size(), L'n');
    EXPECT_EQ(0, file.Open(tooLong.c_str()));
    EXPECT_EQ("previous", ReadFileBytes(target));
    EXPECT_FALSE(TempExists());
}

TEST_F(CKSafeFileTest, ReplacingATargetHeldOpenFailsAndKeepsIt)
{
    CKSafeFile file;
    ASSERT_EQ(1, file.Open(target.c_str()));
    file.Write("replacement", 11);
    HANDLE held = CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(0, file.Commit());
    CloseHandle(held);
    EXPECT_EQ("previous", ReadFileBytes(target));
    EXPECT_FALSE(TempExists());
}

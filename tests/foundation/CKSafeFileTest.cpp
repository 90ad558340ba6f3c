// CKSafeFile: the target is replaced only by a complete new content; every failure leaves it as it
// was and no temporary file behind.
#include <gtest/gtest.h>

#include <string>

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
        temp = target + L".tmp";
        ASSERT_TRUE(WriteFileBytes(target, "previous"));
    }
    void TearDown() override
    {
        SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveTree(dir);
    }

    bool TempExists() const { return GetFileAttributesW(temp.c_str()) != INVALID_FILE_ATTRIBUTES; }

    std::wstring dir, target, temp;
};

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

    // A missing target is created; a stale temporary file from an earlier crash is overwritten.
    std::wstring fresh = dir + L"Fresh.txt";
    ASSERT_TRUE(WriteFileBytes(fresh + L".tmp", "stale stale stale"));
    ASSERT_EQ(1, file.Open(fresh.c_str()));
    file.Write("ok", 2);
    EXPECT_EQ(1, file.Commit());
    EXPECT_EQ("ok", ReadFileBytes(fresh));
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

    ASSERT_TRUE(CreateDirectoryW(temp.c_str(), nullptr));   // the temporary file cannot be made
    EXPECT_EQ(0, file.Open(target.c_str()));
    EXPECT_EQ("previous", ReadFileBytes(target));
    RemoveDirectoryW(temp.c_str());

    std::wstring tooLong = dir + std::wstring(250, L'n');
    EXPECT_EQ(0, file.Open(tooLong.c_str()));
    EXPECT_EQ("previous", ReadFileBytes(target));
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

// The settings module over ModuleDir + "Settings.ini": defaults, cached integers, writing only what
// changed, and files that cannot be read or written.
#include <gtest/gtest.h>

#include <string>

#include "support/KFileFixtures.h"
#include "app/LmSettings.h"
#include "foundation/CKSafeFile.h"
#include "foundation/KPaths.h"

namespace {

// Each test starts without a settings object and without "Settings.ini", and leaves neither.
class LmSettingsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        path = std::wstring(GetModuleDir()) + L"Settings.ini";
        // What a save killed before its commit leaves.
        temp = path + L".0badf00d.tmp";
        RemoveFiles();
    }
    void TearDown() override
    {
        LmSettings::SaveAndCloseSettings();
        RemoveFiles();
    }

    void RemoveFiles()
    {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
        RemoveDirectoryW(path.c_str());
        DeleteFileW(temp.c_str());
    }

    // Loads a settings file of exactly these bytes.
    void LoadFrom(const std::string& bytes)
    {
        ASSERT_TRUE(WriteFileBytes(path, bytes));
        LmSettings::LoadSettings();
    }

    void ExpectDefaults()
    {
        EXPECT_EQ(0, LmSettings::GetLoopType());
        EXPECT_EQ(0, LmSettings::GetPlayListSelected());
        EXPECT_EQ(0, LmSettings::GetPlayingList());
        EXPECT_EQ(0, LmSettings::GetPlayingFile());
        EXPECT_EQ(0, LmSettings::GetPlayingPosition());
        EXPECT_EQ(nullptr, LmSettings::GetBrowsePath());
        EXPECT_STREQ(L"*.mp3;*.mp2;*.wav;*.wma;*.aif;*.caf;", LmSettings::GetBrowseExtFilter());
    }

    std::wstring path, temp;
};

} // namespace

TEST_F(LmSettingsTest, MissingFileGivesEveryDefaultAndIsNotCreatedWithoutChanges)
{
    LmSettings::LoadSettings();
    ExpectDefaults();
    EXPECT_EQ(1, LmSettings::SaveSettings());
    LmSettings::SaveAndCloseSettings();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));
    EXPECT_EQ(0, LmSettings::SaveSettings());   // nothing loaded
}

TEST_F(LmSettingsTest, FileWithOnlyLoopTypeStartsWithItAndDefaultsForTheRest)
{
    LoadFrom(Utf16FileBytes(L"\n[Default]\nLoopType = 2\n"));
    EXPECT_EQ(2, LmSettings::GetLoopType());
    EXPECT_EQ(0, LmSettings::GetPlayListSelected());
    EXPECT_EQ(0, LmSettings::GetPlayingList());
    EXPECT_EQ(0, LmSettings::GetPlayingFile());
    EXPECT_EQ(nullptr, LmSettings::GetBrowsePath());
    EXPECT_STREQ(LmSettings::DEFAULT_BROWSE_EXT_FILTER, LmSettings::GetBrowseExtFilter());

    // A second LoadSettings keeps the object already loaded.
    WriteFileBytes(path, Utf16FileBytes(L"\n[Default]\nLoopType = 1\n"));
    LmSettings::LoadSettings();
    EXPECT_EQ(2, LmSettings::GetLoopType());
}

TEST_F(LmSettingsTest, SettingPresentValuesLeavesTheFileUntouched)
{
    const std::string bytes = Utf16FileBytes(L"\r\n[Default]\r\nLoopType=2\r\nBrowsePath = C:\\Music\r\n");
    LoadFrom(bytes);
    ULONGLONG written = GetLastWriteTime(path);
    LmSettings::SetLoopType(2);
    LmSettings::SetPlayListSelected(0);
    LmSettings::SetPlayingList(0);
    LmSettings::SetPlayingFile(0);
    LmSettings::SetBrowsePath(L"C:\\Music");
    EXPECT_EQ(1, LmSettings::SaveSettings());
    LmSettings::SaveAndCloseSettings();
    EXPECT_EQ(bytes, ReadFileBytes(path));
    EXPECT_EQ(written, GetLastWriteTime(path));
    EXPECT_FALSE(SaveLeftoverExists(path));
}

TEST_F(LmSettingsTest, ChangesAreCachedAndWrittenByteForByteOnlyBySaveSettings)
{
    LmSettings::LoadSettings();
    LmSettings::SetLoopType(1);
    LmSettings::SetPlayingList(3);
    LmSettings::SetPlayingFile(-4);
    LmSettings::SetPlayingPosition(61000);
    LmSettings::SetBrowsePath(L"C:\\\x97F3\x4E50");
    LmSettings::SetBrowseExtFilter(L"*.mp3;");
    EXPECT_EQ(1, LmSettings::GetLoopType());
    EXPECT_EQ(3, LmSettings::GetPlayingList());
    EXPECT_EQ(-4, LmSettings::GetPlayingFile());
    EXPECT_EQ(61000, LmSettings::GetPlayingPosition());
    EXPECT_STREQ(L"C:\\\x97F3\x4E50", LmSettings::GetBrowsePath());
    EXPECT_STREQ(L"*.mp3;", LmSettings::GetBrowseExtFilter());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));

    EXPECT_EQ(1, LmSettings::SaveSettings());
    const std::string expected = Utf16FileBytes(L"\n[Default]\nLoopType = 1\nPlayingList = 3\n"
                                                L"PlayingFile = -4\nPlayingPosition = 61000\n"
                                                L"BrowsePath = C:\\\x97F3\x4E50\n"
                                                L"BrowseExtFilter = *.mp3;\n");
    EXPECT_EQ(expected, ReadFileBytes(path));

    LmSettings::SetPlayListSelected(5);
    LmSettings::SaveAndCloseSettings();
    LmSettings::LoadSettings();
    EXPECT_EQ(1, LmSettings::GetLoopType());
    EXPECT_EQ(5, LmSettings::GetPlayListSelected());
    EXPECT_EQ(3, LmSettings::GetPlayingList());
    EXPECT_EQ(-4, LmSettings::GetPlayingFile());
    EXPECT_EQ(61000, LmSettings::GetPlayingPosition());
    EXPECT_STREQ(L"C:\\\x97F3\x4E50", LmSettings::GetBrowsePath());
    EXPECT_STREQ(L"*.mp3;", LmSettings::GetBrowseExtFilter());
}

TEST_F(LmSettingsTest, FailedWriteKeepsThePreviousSettingsFile)
{
    const std::string previous = Utf16FileBytes(L"\n[Default]\nLoopType = 2\nPlayingFile = 7\n");
    LoadFrom(previous);
    LmSettings::SetLoopType(0);
    // A save that cannot replace the file, which another program holds open: the old file must
    // survive whole.
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(0, LmSettings::SaveSettings());
    CloseHandle(held);
    EXPECT_EQ(previous, ReadFileBytes(path));
    EXPECT_FALSE(SaveLeftoverExists(path));

    // While a writer is half-way the settings file is whole; a writer killed there leaves only
    // its temporary file behind.
    {
        CKSafeFile writer;
        ASSERT_EQ(1, writer.Open(path.c_str()));
        writer.WriteText(L"\xFEFF\n[Default]\nLoop", -1);
        EXPECT_EQ(previous, ReadFileBytes(path));
    }
    ASSERT_TRUE(WriteFileBytes(temp, Utf16FileBytes(L"\n[Default]\nLoop")));
    // The change is still pending and goes out with the next save, beside that temporary file.
    EXPECT_EQ(1, LmSettings::SaveSettings());
    EXPECT_EQ(Utf16FileBytes(L"\n[Default]\nLoopType = 0\nPlayingFile = 7\n"), ReadFileBytes(path));
}

TEST_F(LmSettingsTest, AnUnwritableSettingsFileIsLeftAsItWas)
{
    const std::string previous = Utf16FileBytes(L"\n[Default]\nLoopType = 2\n");
    LoadFrom(previous);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    LmSettings::SetLoopType(1);
    EXPECT_EQ(0, LmSettings::SaveSettings());
    EXPECT_EQ(1, LmSettings::GetLoopType());
    LmSettings::SaveAndCloseSettings();
    EXPECT_EQ(previous, ReadFileBytes(path));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());

    // A folder in the file's place: defaults, and saving fails quietly.
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    LmSettings::LoadSettings();
    ExpectDefaults();
    LmSettings::SetPlayingList(2);
    EXPECT_EQ(0, LmSettings::SaveSettings());
    LmSettings::SaveAndCloseSettings();
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(LmSettingsTest, DamagedFilesGiveDefaultsWhereValuesAreMissing)
{
    // No byte-order mark: the first unit is lost, here only a line end.
    LoadFrom(Utf16Bytes(L"\n[Default]\nLoopType = 2\n"));
    EXPECT_EQ(2, LmSettings::GetLoopType());
    LmSettings::SaveAndCloseSettings();

    // No mark and the header right at the start: the header is lost, so is every key.
    LoadFrom(Utf16Bytes(L"[Default]\nLoopType = 2\n"));
    ExpectDefaults();
    LmSettings::SaveAndCloseSettings();

    // A UTF-8 body.
    LoadFrom("\xEF\xBB\xBF\n[Default]\nLoopType = 2\nBrowsePath = C:\\\xE9\x9F\xB3\n");
    ExpectDefaults();
    LmSettings::SaveAndCloseSettings();

    // NUL units, a 2000-unit line and a last unit cut in half.
    std::wstring text(L"\n[Default]\nLoopType = 1\0junk\nBrowsePath = ", 42);
    text += std::wstring(2000, L'p') + L"\nPlayingFile = 12";
    LoadFrom(Utf16FileBytes(text) + "3");
    EXPECT_EQ(1, LmSettings::GetLoopType());
    EXPECT_EQ(12, LmSettings::GetPlayingFile());
    EXPECT_EQ(nullptr, LmSettings::GetBrowsePath())
        << "a line longer than the reader takes is skipped whole";
    LmSettings::SaveAndCloseSettings();

    LoadFrom("");
    ExpectDefaults();
    LmSettings::SaveAndCloseSettings();
    LoadFrom("\xFF\xFE\n");
    ExpectDefaults();
}

// What the media tests share: the audio files the build made beside the test executables
// (tools/make-audio-fixtures.sh: one-second tone.wav, tone.aiff, tone.mp3, COM1.wav and aux.wav,
// and a 95-second long.wav; the player page tests use them too) and an observer that counts what
// a player reports.
#pragma once
#include <windows.h>

#include <string>

#include "foundation/KPaths.h"
#include "media/CKMediaObserver.h"

// Folder of the generated audio files, relative to ModuleDir.
#define MEDIA_FIXTURE_DIR L"media\\"

// The full path of a generated audio file.
inline std::wstring MediaFixture(const wchar_t* name)
{
    return std::wstring(GetModuleDir()) + MEDIA_FIXTURE_DIR + name;
}

// Counts each kind of report and remembers when the last end arrived.
struct CountingObserver : public CKMediaObserver
{
    int positions = 0;
    int pauses = 0;
    int ends = 0;
    DWORD lastEndTick = 0;
    CKMediaPlayer* lastPlayer = nullptr;   // borrowed

    void OnMediaPosition(CKMediaPlayer* player) override
    {
        positions++;
        lastPlayer = player;
    }
    void OnMediaPaused(CKMediaPlayer* player) override
    {
        pauses++;
        lastPlayer = player;
    }
    void OnMediaEnd(CKMediaPlayer* player) override
    {
        ends++;
        lastEndTick = GetTickCount();
        lastPlayer = player;
    }
};

// Writes `bytes` bytes to a new file; true on success.
inline bool WriteTestFile(const std::wstring& path, const void* data, DWORD bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = bytes == 0 || WriteFile(file, data, bytes, &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes;
}

// The first `bytes` bytes of an existing file; empty when it cannot be read.
inline std::string ReadTestFileHead(const std::wstring& path, DWORD bytes)
{
    std::string data(bytes, '\0');
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    DWORD read = 0;
    ReadFile(file, &data[0], bytes, &read, nullptr);
    CloseHandle(file);
    data.resize(read);
    return data;
}

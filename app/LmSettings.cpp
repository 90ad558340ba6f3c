// The settings module: one CKIniW over ModuleDir + "Settings.ini" for the whole run, five cached
// integers, and saving only when something changed; a failed save is told once per streak.
#include "app/LmSettings.h"

#include "app/CLmSaveNotice.h"
#include "foundation/CKIniW.h"
#include "foundation/KOpenPath.h"
#include "foundation/KPaths.h"

namespace LmSettings {

const wchar_t* const SETTINGS_FILE_NAME = L"Settings.ini";
const wchar_t* const DEFAULT_BROWSE_EXT_FILTER = L"*.mp3;*.mp2;*.wav;*.wma;*.aif;*.caf;";

namespace {

// The one section every key lives in.
const wchar_t SECTION[] = L"Default";
const wchar_t BROWSE_PATH_KEY[] = L"BrowsePath";
const wchar_t BROWSE_EXT_FILTER_KEY[] = L"BrowseExtFilter";

// An integer setting and its value as last loaded or set.
struct KIntSetting
{
    const wchar_t* key;
    int value;
};

enum
{
    LOOP_TYPE,
    PLAYLIST_SELECTED,
    PLAYING_LIST,
    PLAYING_FILE,
    PLAYING_POSITION,
    INT_SETTING_COUNT
};

KIntSetting g_ints[INT_SETTING_COUNT] = {
    {L"LoopType", 0},
    {L"PlayListSelected", 0},
    {L"PlayingList", 0},
    {L"PlayingFile", 0},
    {L"PlayingPosition", 0},
};

CKIniW* g_settings;   // owned: from the first LoadSettings to SaveAndCloseSettings
CLmSaveNotice g_saveNotice;
ULONGLONG g_loadedTime;   // the file's last write time when it was loaded, 0 without a file

// The last write time of the file at `path`, 0 when there is none.
ULONGLONG LastWriteTime(const wchar_t* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        return 0;
    return ((ULONGLONG)data.ftLastWriteTime.dwHighDateTime << 32)
           | data.ftLastWriteTime.dwLowDateTime;
}

// SaveSettings; a failure is told to the user unless `quiet`.
int Save(bool quiet)
{
    if (!g_settings)
        return 0;
    if (!g_settings->IsModified())
        return 1;
    wchar_t path[KMAX_PATH];
    MakeModulePath(path, SETTINGS_FILE_NAME);
    const int saved = g_settings->Save(path);
    g_saveNotice.Report(saved, quiet);
    return saved;
}

void SetCachedInt(int index, int value)
{
    KIntSetting& setting = g_ints[index];
    if (setting.value == value)
        return;
    setting.value = value;
    if (g_settings)
        g_settings->SetInt(SECTION, setting.key, value);
}

} // namespace

void LoadSettings()
{
    if (g_settings)
        return;
    g_settings = new CKIniW();
    g_saveNotice = CLmSaveNotice();
    if (g_settings) {
        wchar_t path[KMAX_PATH];
        MakeModulePath(path, SETTINGS_FILE_NAME);
        g_loadedTime = LastWriteTime(path);
        g_settings->Load(path);
    }
    for (KIntSetting& setting : g_ints)
        setting.value = g_settings ? g_settings->GetInt(SECTION, setting.key, 0) : 0;
}

int SaveSettings()
{
    return Save(false);
}

void SaveAndCloseSettings()
{
    if (!g_settings)
        return;
    // At exit no toast can be seen.
    Save(true);
    delete g_settings;
    g_settings = nullptr;
}

int GetLoopType()
{
    return g_ints[LOOP_TYPE].value;
}

int GetPlayListSelected()
{
    return g_ints[PLAYLIST_SELECTED].value;
}

int GetPlayingList()
{
    return g_ints[PLAYING_LIST].value;
}

int GetPlayingFile()
{
    return g_ints[PLAYING_FILE].value;
}

int GetPlayingPosition()
{
    return g_ints[PLAYING_POSITION].value;
}

int IsWrittenSinceSettings(const wchar_t* path)
{
    KStringW form;
    const ULONGLONG written = MakeOpenPath(path, form) >= 0 ? LastWriteTime(form) : 0;
    return written != 0 && written > g_loadedTime ? 1 : 0;
}

void SetLoopType(int value)
{
    SetCachedInt(LOOP_TYPE, value);
}

void SetPlayListSelected(int value)
{
    SetCachedInt(PLAYLIST_SELECTED, value);
}

void SetPlayingList(int value)
{
    SetCachedInt(PLAYING_LIST, value);
}

void SetPlayingFile(int value)
{
    SetCachedInt(PLAYING_FILE, value);
}

void SetPlayingPosition(int value)
{
    SetCachedInt(PLAYING_POSITION, value);
}

const wchar_t* GetBrowsePath()
{
    return g_settings ? g_settings->GetString(SECTION, BROWSE_PATH_KEY, nullptr) : nullptr;
}

void SetBrowsePath(const wchar_t* path)
{
    if (g_settings)
        g_settings->SetString(SECTION, BROWSE_PATH_KEY, path);
}

const wchar_t* GetBrowseExtFilter()
{
    if (!g_settings)
        return DEFAULT_BROWSE_EXT_FILTER;
    return g_settings->GetString(SECTION, BROWSE_EXT_FILTER_KEY, DEFAULT_BROWSE_EXT_FILTER);
}

void SetBrowseExtFilter(const wchar_t* filter)
{
    if (g_settings)
        g_settings->SetString(SECTION, BROWSE_EXT_FILTER_KEY, filter);
}

} // namespace LmSettings

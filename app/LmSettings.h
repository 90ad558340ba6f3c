// The music player's state between runs: "Settings.ini" beside the executable, section "Default",
// seven keys. The five integers are cached at load; the two texts are read from the INI object on
// each request. The file is written only by SaveSettings, and only when something changed. UI
// thread only. Everything is in namespace LmSettings, so that a stored value reads apart from the
// same-named member that holds it in use (LmSettings::GetLoopType() against
// CPlayerContainer::GetLoopType()).
#pragma once
#include <windows.h>

namespace LmSettings {

// Name of the settings file in ModuleDir.
extern const wchar_t* const SETTINGS_FILE_NAME;
// The browse page's file-name filter until the user changes it.
extern const wchar_t* const DEFAULT_BROWSE_EXT_FILTER;

// Creates the settings object and loads ModuleDir + "Settings.ini" unless already loaded; a missing
// or unreadable file gives every default.
void LoadSettings();
// SaveSettings without a toast (at exit none can be seen), then destroys the settings object.
void SaveAndCloseSettings();
// Writes the file when the settings changed since loading or the last successful save. Returns 1
// when the file holds the current settings (also when nothing needed writing), 0 when it could
// not be written (it then keeps its previous content, the changes stay pending for the next save,
// and the first failure after a success is told in a toast: app/CLmSaveNotice.h) or nothing was
// loaded.
int SaveSettings();

// Loop type of the list player, index of the playlist selected in the playlist panel, index of the
// playlist being played and of the file being played in it, and where in that file the user left
// off ("PlayingPosition", milliseconds); 0 by default.
int GetLoopType();
int GetPlayListSelected();
int GetPlayingList();
int GetPlayingFile();
int GetPlayingPosition();
// Each changes the cached value and the INI object only when the value differs; the file is not
// written here.
void SetLoopType(int value);
void SetPlayListSelected(int value);
void SetPlayingList(int value);
void SetPlayingFile(int value);
void SetPlayingPosition(int value);
// 1 when the file at `path` was last written after "Settings.ini" as LoadSettings found it (or
// there was no settings file), 0 otherwise or when the file's time cannot be read. The stored
// position was kept no later than the settings file was written, so a file written since is not
// the one the position was kept in.
int IsWrittenSinceSettings(const wchar_t* path);

// The folder the browse page showed last, or none. Valid until it is set again or the settings
// are closed.
const wchar_t* GetBrowsePath();
void SetBrowsePath(const wchar_t* path);
// The browse page's file-name filter ("*.mp3;*.wav;" ...), DEFAULT_BROWSE_EXT_FILTER when unset.
const wchar_t* GetBrowseExtFilter();
void SetBrowseExtFilter(const wchar_t* filter);

} // namespace LmSettings

// The music player's window, command, dialog and notification ids, and its thread message: one
// list, so that a new id is chosen knowing the others. A window's id is also the id its
// notifications carry. Ids only need to differ among the windows of one parent (or the commands
// one window receives), so the same number may serve several pages. The string ids, which double
// as the page ids and the title buttons' commands, are in app/LmStringIds.h.
#pragma once
#include <windows.h>

// ---- Player page ----
// The children of its content (CPlayerContainer).
constexpr int LMID_PLAY = 5001;            // play/pause button
constexpr int LMID_PREVIOUS = 5003;        // previous button
constexpr int LMID_NEXT = 5004;            // next button
constexpr int LMID_LOOP = 5007;            // loop type button
constexpr int LMID_ADD_FILES = 5008;       // add-files button
constexpr int LMID_PROGRESS = 5009;        // progress slider
constexpr int LMID_TOTAL_TIME = 5010;      // total time label
constexpr int LMID_ELAPSED_TIME = 5011;    // elapsed time label
constexpr int LMID_TRACK_TITLE = 5012;     // title label
constexpr int LMID_MEDIA_EVENTS = 5020;    // id the media player's events would carry
constexpr int LMID_PLAYING_LIST = 5021;    // the playing list
// Its drawer, the playlist panel (CPlayerView).
constexpr int LMID_PLAYLIST_PANEL = 3000;

// ---- Playlist panel (CLmPlayListView) ----
// Its children and tool bar buttons.
constexpr int LMID_PANEL_TOOLBAR = 5050;   // the tool bar
constexpr int LMID_PLAYLIST_CTRL = 5051;   // the playlist tree
constexpr int LMID_ADD_LIST = 5052;        // add a playlist
constexpr int LMID_EDIT_LIST = 5053;       // rename the selected playlist
constexpr int LMID_DELETE_LIST = 5054;     // delete the selected playlist
// The alerts after a failed add and rename (their dialog ids, answered to the player view).
constexpr int LMDLG_ADD_FAILED = 5055;
constexpr int LMDLG_RENAME_FAILED = 5056;
// The commands carried by the playlist tree's command rows.
constexpr int LMCMD_SORT_NAME_UP = 5060;      // sort by file name, ascending
constexpr int LMCMD_SORT_NAME_DOWN = 5061;    // sort by file name, descending
constexpr int LMCMD_SORT_ARTIST_UP = 5062;    // sort by artist, ascending
constexpr int LMCMD_SORT_ARTIST_DOWN = 5063;  // sort by artist, descending
constexpr int LMCMD_CLEAR_LIST = 5070;        // clear the current playlist
constexpr int LMCMD_SETTINGS = 5071;          // the settings page
constexpr int LMCMD_ABOUT = 5072;             // the help page
// The range the panel's ids, dialogs and commands above keep to: the player view hands exactly
// these to its panel command handling.
constexpr int LMCMD_FIRST = LMID_PLAYLIST_CTRL;
constexpr int LMCMD_LAST = LMCMD_ABOUT;
// Dialog id of an alert without owner: nothing answers it.
constexpr int LMDLG_UNANSWERED = 0;

// ---- Browse page ----
// The children of its content (CBrowseContainer).
constexpr int LMID_BROWSE_LIST = 5000;      // the file list
constexpr int LMID_BROWSE_PATH = 5001;      // the path label
constexpr int LMID_BROWSE_REFRESH = 5005;   // "刷 新": read the folder again
constexpr int LMID_BROWSE_ALL = 5006;       // "全 选": tick every row with a check box
constexpr int LMID_BROWSE_NONE = 5007;      // "不 选": untick them
constexpr int LMID_BROWSE_INVERT = 5008;    // "反 选": invert their ticks
constexpr int LMID_BROWSE_PARENT = 5009;    // "上 级": the parent folder
// What the content tells its page (NotifyParent: the page's OnNotify with the content's id), so
// that the drawer's folder tree follows the list.
constexpr int LMNOTIFY_BROWSE_FOLDER_SHOWN = 5101;   // the list shows a folder (param: its entry,
                                                     // none for the drives), perhaps read again
constexpr int LMNOTIFY_BROWSE_FOLDERS_READ = 5102;   // the shown folders are to be read again
// Its drawer, the folder tree (CBrowseView).
constexpr int LMID_BROWSE_TREE = 3000;

// ---- Settings page (CSettingContainer) ----
// The list.
constexpr int LMID_SETTING_LIST = 5000;
// The entries' commands (the rows' user data); the filter's is also its input box's dialog id.
constexpr int LMID_SETTING_FILTER = 5100;
constexpr int LMID_SETTING_RATE = 5020;
constexpr int LMID_SETTING_CONTACT = 5021;
constexpr int LMID_SETTING_HELP = 5022;
constexpr int LMID_SETTING_VERSION = 5023;

// ---- Help page (CHelpContainer) ----
// The help text.
constexpr int LMID_HELP_TEXT = 5000;

// ---- Thread messages ----
// The interruption message (a thread message another thread or process posts): wParam 1 or 2
// an interruption begins, 0 it ends.
constexpr UINT LMWM_INTERRUPTION = 4097;
constexpr WPARAM LMINTERRUPTION_ENDS = 0;
constexpr WPARAM LMINTERRUPTION_BEGINS = 1;
constexpr WPARAM LMINTERRUPTION_BEGINS_TOO = 2;

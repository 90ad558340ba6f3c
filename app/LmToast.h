// The music player's toasts: a text, or a string-table text, shown the one way the program shows
// its short messages (centred, for three seconds). Any page or helper may show one; nothing here
// needs the application object or a page.
#pragma once

// A toast of the program lasts this long, in milliseconds.
constexpr int LMTOAST_DURATION_MS = 3000;

// Shows string `stringId` (at most 128 characters) as a centred toast for 3000 ms; 0 when the
// string does not load.
int ShowToastString(int stringId);
// Shows `text` as the program's toasts show: centred, for 3000 ms. 0 when it cannot be shown.
int ShowToastText(const wchar_t* text);

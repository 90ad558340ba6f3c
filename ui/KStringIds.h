// Ids of the strings the library itself reads from the program's string table. Plain #defines,
// so that the program's resource script can include this file and name the entries by them; the
// program's own string ids live with the program, above this library.
#pragma once

// The frame window's title.
#define IDS_APP_TITLE 100

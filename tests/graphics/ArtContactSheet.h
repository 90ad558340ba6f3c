// Helpers of the art tests: loading a picture of the art table exactly as the program does, and a
// contact sheet of every picture as the loader delivers it at the current density, for review.
#pragma once
#include "ArtStrips.h"

class CKImage;

// A new, uncached image or image list (the caller deletes it) loaded the way the program asks for
// this picture: by cell size, by grid or whole, with the density variant chosen automatically and
// scaled to the current Density. None when it does not load.
CKImage* LoadArtPicture(const KArtStrip& strip);

// Writes a PNG at `path`: one row per picture of the art table, its cells side by side on the
// ground it is drawn for, each cell labelled with its index and each row with the picture's name.
// Stores the sheet's size in `width` and `height`. 1 on success; 0 when a picture does not load or
// the file cannot be written.
int WriteArtContactSheet(const wchar_t* path, int* width, int* height);

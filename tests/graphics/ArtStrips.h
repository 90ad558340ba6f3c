// The pictures of tools/art/manifest.md as the program loads them, for the strip test: how each is
// cut and which density files exist. Written by tools/make-art.sh from that table; edit the table.
#pragma once

// How a picture is loaded.
enum KArtLoad {
    ART_IMAGE,   // one whole picture (CreateImage)
    ART_BY_CELL, // cut by the cell size of the plain file (CreateImgListByCell)
    ART_BY_GRID, // cut into columns and rows (CreateImgListByGrid)
};

// Density files of a picture.
const unsigned ART_FILE_PLAIN = 1u; // the plain name, for density 2
const unsigned ART_FILE_MD = 2u;    // "MD" before the extension, 1.5 x, for density 3
const unsigned ART_FILE_HD = 4u;    // "HD" before the extension, 2 x, for density 4

// What the picture is drawn for.
const unsigned ART_ON_DARK = 0x10u;    // sits on a dark ground (else a light one, or any)
const unsigned ART_CLEAR_EDGES = 0x20u; // the outermost pixels of every cell are transparent

struct KArtStrip {
    const wchar_t* name;  // the name the program asks for
    KArtLoad load;
    int loadA, loadB;     // cell width and height (by cell) or columns and rows (by grid)
    int cellWidth;        // one cell at density 2
    int cellHeight;
    int columns, rows;
    unsigned flags;       // ART_FILE... bits, ART_ON_DARK, ART_CLEAR_EDGES
};

static const KArtStrip ART_STRIPS[] = {
    {L"PlayImgList.png", ART_BY_CELL, 32, 32, 32, 32, 1, 16,
     ART_FILE_PLAIN | ART_FILE_MD | ART_FILE_HD | ART_CLEAR_EDGES},
    {L"MenuImgList.png", ART_BY_CELL, 24, 24, 24, 24, 1, 9,
     ART_FILE_PLAIN | ART_FILE_MD | ART_FILE_HD | ART_ON_DARK | ART_CLEAR_EDGES},
    {L"TitleImgList.png", ART_BY_CELL, 24, 24, 24, 24, 1, 3,
     ART_FILE_PLAIN | ART_FILE_MD | ART_FILE_HD | ART_ON_DARK | ART_CLEAR_EDGES},
    {L"BrowseImgList.png", ART_BY_CELL, 32, 32, 32, 32, 1, 5,
     ART_FILE_PLAIN | ART_FILE_MD | ART_FILE_HD | ART_CLEAR_EDGES},
    {L"SettingImg.png", ART_BY_CELL, 32, 32, 32, 32, 1, 6,
     ART_FILE_PLAIN | ART_FILE_MD | ART_FILE_HD | ART_CLEAR_EDGES},
    {L"FileWhite.png", ART_BY_CELL, 24, 24, 24, 24, 1, 8,
     ART_FILE_PLAIN | ART_FILE_MD | ART_FILE_HD | ART_ON_DARK | ART_CLEAR_EDGES},
    {L"res/FileIcon.png", ART_BY_CELL, 32, 32, 32, 32, 1, 8,
     ART_FILE_PLAIN | ART_FILE_MD | ART_FILE_HD | ART_CLEAR_EDGES},
    {L"res/CheckBox.png", ART_BY_GRID, 1, 8, 24, 24, 1, 8,
     ART_FILE_PLAIN | ART_FILE_MD | ART_FILE_HD | ART_CLEAR_EDGES},
    {L"res/RadioBox.png", ART_BY_GRID, 1, 8, 24, 24, 1, 8,
     ART_FILE_PLAIN | ART_FILE_MD | ART_FILE_HD | ART_CLEAR_EDGES},
    {L"res/DropdownBox.png", ART_BY_GRID, 1, 4, 24, 24, 1, 4,
     ART_FILE_PLAIN | ART_FILE_MD | ART_FILE_HD | ART_CLEAR_EDGES},
    {L"res/SubviewBox.png", ART_BY_GRID, 1, 4, 24, 24, 1, 4,
     ART_FILE_PLAIN | ART_FILE_MD | ART_FILE_HD | ART_CLEAR_EDGES},
    {L"res/TreeButton.png", ART_BY_GRID, 1, 5, 24, 24, 1, 5,
     ART_FILE_PLAIN | ART_FILE_MD | ART_FILE_HD},
    {L"res/CtrlBorder.png", ART_BY_GRID, 1, 4, 16, 16, 1, 4,
     ART_FILE_PLAIN | ART_FILE_MD | ART_FILE_HD},
    {L"TitleIcon.png", ART_BY_GRID, 1, 2, 24, 16, 1, 2,
     ART_FILE_PLAIN | ART_ON_DARK | ART_CLEAR_EDGES},
    {L"Startup.png", ART_IMAGE, 0, 0, 320, 480, 1, 1,
     ART_FILE_PLAIN | ART_FILE_HD},
    {L"Artwork.png", ART_IMAGE, 0, 0, 120, 120, 1, 1,
     ART_FILE_HD},
};

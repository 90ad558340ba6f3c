// The pictures of tools/art/manifest.md as the program loads them, for the strip test: how each is
// cut and which density files exist. Written by tools/make-art.sh from that table; edit the table.
#pragma once

// How a picture is loaded.
enum KArtLoad {
    kArtImage,   // one whole picture (CreateImage)
    kArtByCell,  // cut by the cell size of the plain file (CreateImgListByCell)
    kArtByGrid,  // cut into columns and rows (CreateImgListByGrid)
};

// Density files of a picture.
const unsigned kArtFilePlain = 1u;  // the plain name, for density 2
const unsigned kArtFileMD = 2u;     // "MD" before the extension, 1.5 x, for density 3
const unsigned kArtFileHD = 4u;     // "HD" before the extension, 2 x, for density 4

// What the picture is drawn for.
const unsigned kArtOnDark = 0x10u;     // sits on a dark ground (else a light one, or any)
const unsigned kArtClearEdges = 0x20u; // the outermost pixels of every cell are transparent

struct KArtStrip {
    const wchar_t* name;  // the name the program asks for
    KArtLoad load;
    int loadA, loadB;     // cell width and height (by cell) or columns and rows (by grid)
    int cellWidth;        // one cell at density 2
    int cellHeight;
    int columns, rows;
    unsigned flags;       // kArtFile... bits, kArtOnDark, kArtClearEdges
};

static const KArtStrip kArtStrips[] = {
    {L"PlayImgList.png", kArtByCell, 32, 32, 32, 32, 1, 16,
     kArtFilePlain | kArtFileMD | kArtFileHD | kArtClearEdges},
    {L"MenuImgList.png", kArtByCell, 24, 24, 24, 24, 1, 9,
     kArtFilePlain | kArtFileMD | kArtFileHD | kArtOnDark | kArtClearEdges},
    {L"TitleImgList.png", kArtByCell, 24, 24, 24, 24, 1, 3,
     kArtFilePlain | kArtFileMD | kArtFileHD | kArtOnDark | kArtClearEdges},
    {L"BrowseImgList.png", kArtByCell, 32, 32, 32, 32, 1, 5,
     kArtFilePlain | kArtFileMD | kArtFileHD | kArtClearEdges},
    {L"SettingImg.png", kArtByCell, 32, 32, 32, 32, 1, 6,
     kArtFilePlain | kArtFileMD | kArtFileHD | kArtClearEdges},
    {L"FileWhite.png", kArtByCell, 24, 24, 24, 24, 1, 8,
     kArtFilePlain | kArtFileMD | kArtFileHD | kArtOnDark | kArtClearEdges},
    {L"res/FileIcon.png", kArtByCell, 32, 32, 32, 32, 1, 8,
     kArtFilePlain | kArtFileMD | kArtFileHD | kArtClearEdges},
    {L"res/CheckBox.png", kArtByGrid, 1, 8, 24, 24, 1, 8,
     kArtFilePlain | kArtFileMD | kArtFileHD | kArtClearEdges},
    {L"res/RadioBox.png", kArtByGrid, 1, 8, 24, 24, 1, 8,
     kArtFilePlain | kArtFileMD | kArtFileHD | kArtClearEdges},
    {L"res/DropdownBox.png", kArtByGrid, 1, 4, 24, 24, 1, 4,
     kArtFilePlain | kArtFileMD | kArtFileHD | kArtClearEdges},
    {L"res/SubviewBox.png", kArtByGrid, 1, 4, 24, 24, 1, 4,
     kArtFilePlain | kArtFileMD | kArtFileHD | kArtClearEdges},
    {L"res/TreeButton.png", kArtByGrid, 1, 5, 24, 24, 1, 5,
     kArtFilePlain | kArtFileMD | kArtFileHD},
    {L"res/CtrlBorder.png", kArtByGrid, 1, 4, 16, 16, 1, 4,
     kArtFilePlain | kArtFileMD | kArtFileHD},
    {L"TitleIcon.png", kArtByGrid, 1, 2, 24, 16, 1, 2,
     kArtFilePlain | kArtOnDark | kArtClearEdges},
    {L"Startup.png", kArtImage, 0, 0, 320, 480, 1, 1,
     kArtFilePlain | kArtFileHD},
    {L"Artwork.png", kArtImage, 0, 0, 120, 120, 1, 1,
     kArtFileHD},
};

#!/usr/bin/env python3
"""Writes the strip test's table of pictures (a C++ header) from tools/art/manifest.md.

The manifest is the one place that says how every picture is cut; the test checks the loaded
strips against this table, so the two cannot drift apart. tools/make-art.sh runs it:
    python3 -B tools/art/make-table.py tests/graphics/ArtStrips.h
"""
import sys

from manifest import read_manifest

HEADER = """\
// The pictures of tools/art/manifest.md as the program loads them, for the strip test: how each is
// cut and which density files exist. Written by tools/make-art.sh from that table; edit the table.
#pragma once

// How a picture is loaded.
enum KArtLoad {
    ART_IMAGE,   // one whole picture (CreateImage)
    ART_BY_CELL,  // cut by the cell size of the plain file (CreateImgListByCell)
    ART_BY_GRID,  // cut into columns and rows (CreateImgListByGrid)
};

// Density files of a picture.
const unsigned ART_FILE_PLAIN = 1u;  // the plain name, for density 2
const unsigned ART_FILE_MD = 2u;     // "MD" before the extension, 1.5 x, for density 3
const unsigned ART_FILE_HD = 4u;     // "HD" before the extension, 2 x, for density 4

// What the picture is drawn for.
const unsigned ART_ON_DARK = 0x10u;     // sits on a dark ground (else a light one, or any)
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
"""

LOADS = {"image": "ART_IMAGE", "cell": "ART_BY_CELL", "grid": "ART_BY_GRID"}
FILES = {"plain": "ART_FILE_PLAIN", "MD": "ART_FILE_MD", "HD": "ART_FILE_HD"}


def main():
    target = sys.argv[1]
    lines = [HEADER]
    for row in read_manifest():
        a, b = row["load_args"]
        flags = [FILES[f] for f in row["files"]]
        if row["ground"] == "dark":
            flags.append("ART_ON_DARK")
        if row["edges"] == "clear":
            flags.append("ART_CLEAR_EDGES")
        lines.append('    {L"%s", %s, %d, %d, %d, %d, %d, %d,\n     %s},\n' % (
            row["name"], LOADS[row["load"]], a, b, row["cell"][0], row["cell"][1], row["grid"][0],
            row["grid"][1], " | ".join(flags)))
    lines.append("};\n")
    with open(target, "w", encoding="utf-8", newline="\n") as f:
        f.write("".join(lines))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Review sheets of the rendered pictures: every cell of every density file, magnified, on the
ground the manifest names (both a light and a dark one for "any"), labelled by its index. Uses ImageMagick's convert and montage.
tools/make-art.sh --sheet DIR runs it:  python3 -B tools/art/make-sheet.py RESOURCES_DIR SHEET_DIR
"""
import pathlib
import subprocess
import sys
import tempfile

from manifest import SCALES, read_manifest, variant_name

ZOOM = {"plain": 4, "MD": 3, "HD": 2}
GROUNDS = ("#f8f8f8", "#2e3241")
FONT = "DejaVu-Sans"


def sheet(resources, out_dir, row, suffix, work):
    png = resources / variant_name(row["name"], suffix)
    cols, rows = row["grid"]
    scale = SCALES[suffix]
    cw, ch = round(row["cell"][0] * scale), round(row["cell"][1] * scale)
    zoom = ZOOM[suffix] if cw * ZOOM[suffix] <= 256 else 1
    parts = []
    grounds = GROUNDS if row["ground"] == "any" else GROUNDS[1:] if row["ground"] == "dark" else GROUNDS[:1]
    for g, ground in enumerate(grounds):
        cells = []
        for i in range(cols * rows):
            cell = work / ("c%d_%d.png" % (g, i))
            x, y = (i % cols) * cw, (i // cols) * ch
            subprocess.run(["convert", str(png), "-crop", "%dx%d+%d+%d" % (cw, ch, x, y), "+repage",
                            "-background", ground, "-flatten", "-filter", "point",
                            "-resize", "%d%%" % (zoom * 100), str(cell)], check=True)
            cells.append(cell)
        strip = work / ("g%d.png" % g)
        labelled = []
        for i, cell in enumerate(cells):
            labelled += ["-label", str(i), str(cell)]
        subprocess.run(["montage"] + labelled + ["-tile", "%dx1" % len(cells), "-geometry", "+6+6",
                                                 "-background", ground, "-font", FONT, "-fill",
                                                 "#888888", str(strip)], check=True)
        parts.append(str(strip))
    name = variant_name(row["name"], suffix).replace("/", "_")
    subprocess.run(["convert"] + parts + ["-append", str(out_dir / name)], check=True)


def main():
    resources, out_dir = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    out_dir.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        for row in read_manifest():
            for suffix in row["files"]:
                sheet(resources, out_dir, row, suffix, pathlib.Path(tmp))
    print("make-sheet: review sheets in %s" % out_dir)


if __name__ == "__main__":
    main()

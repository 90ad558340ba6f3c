"""Reads tools/art/manifest.md, the table of Lumo's pictures, for the art scripts.

One row per picture the program asks for: its name, how it is loaded (by cell size, by grid or
as one image), the plain cell size, the grid, the density files that exist and what each cell
shows. make-svg.py draws from it and make-table.py turns it into the strip test's C++ table.
"""
import pathlib
import re

ART_DIR = pathlib.Path(__file__).resolve().parent
SCALES = {"plain": 1.0, "MD": 1.5, "HD": 2.0}


def read_manifest():
    """The rows of the table: name, load (and its two numbers), ground, edges, cell (w, h), grid
    (cols, rows), files and the cells text."""
    rows = []
    for line in (ART_DIR / "manifest.md").read_text(encoding="utf-8").splitlines():
        cols = [c.strip() for c in line.strip().strip("|").split("|")]
        if len(cols) != 8 or not cols[0].endswith(".png"):
            continue
        name, load, cell, grid, files, background, edges, cells = cols
        m = re.fullmatch(r"(cell|grid|image)(?: (\d+)×(\d+))?", load)
        if not m:
            raise SystemExit("manifest: %s: cannot read the load column %r" % (name, load))
        cw, ch = (int(v) for v in cell.split("×"))
        gc, gr = (int(v) for v in grid.split("×"))
        variants = [f.strip() for f in files.split(",")]
        for v in variants:
            if v not in SCALES:
                raise SystemExit("manifest: %s: unknown file variant %r" % (name, v))
        ground = background.split(" ")[0].rstrip(":")
        if ground not in ("light", "dark", "any") or edges not in ("clear", "drawn"):
            raise SystemExit("manifest: %s: background or edges column unreadable" % name)
        rows.append({"name": name, "load": m.group(1), "ground": ground, "edges": edges,
                     "load_args": (int(m.group(2)), int(m.group(3))) if m.group(2) else (0, 0),
                     "cell": (cw, ch), "grid": (gc, gr), "files": variants, "cells": cells})
    return rows


def variant_name(name, suffix):
    """"TitleImgList.png" with "MD" gives "TitleImgListMD.png"; the plain file keeps the name."""
    if suffix == "plain":
        return name
    stem, ext = name.rsplit(".", 1)
    return "%s%s.%s" % (stem, suffix, ext)

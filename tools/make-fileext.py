#!/usr/bin/env python3
"""Writes resources/res/FileExt.ini, the map from a file extension to its cell of "res/FileIcon.png".

The file must be UTF-16LE with the byte-order mark (the INI reader skips the first two bytes and reads
UTF-16 lines), which no text editor keeps reliably, so it is generated. Run from anywhere:
    python3 tools/make-fileext.py
"""
import pathlib

# Cell of "res/FileIcon.png" for each extension (lower case; lookups are lower-cased).
FILE_EXT_MAP = [
    ("txt", 3), ("ini", 3), ("log", 3),                                # text
    ("gif", 4), ("bmp", 4), ("jpeg", 4), ("jpg", 4), ("png", 4),       # pictures
    ("wav", 5), ("mp3", 5), ("mid", 5),                                # sound
    ("wma", 6), ("rm", 6),                                             # Windows and Real media
    ("rmvb", 7),                                                       # Real video
]


def main():
    lines = ["[FileExtMap]"] + ["%s=%d" % (ext, cell) for ext, cell in FILE_EXT_MAP]
    text = "\r\n".join(lines) + "\r\n"
    target = pathlib.Path(__file__).resolve().parent.parent / "resources" / "res" / "FileExt.ini"
    target.parent.mkdir(parents=True, exist_ok=True)
    target.write_bytes(b"\xff\xfe" + text.encode("utf-16-le"))


if __name__ == "__main__":
    main()

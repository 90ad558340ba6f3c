#!/usr/bin/env python3
"""Writes the help page's texts, resources/HelpText*.xml, from their UTF-8 sources in tools/help/.

The rich-text reader takes UTF-16LE with the byte-order mark, which editors do not keep reliably,
so the files are edited as UTF-8 beside this script and generated. Line ends become CR LF. The
mark-up keeps white space, so a line break between two tags would show as an empty line: the
sources keep the root and "Format" tags on the lines of the text. The version line says
"V{VERSION}": the build writes the string table's version in (tools/version.py). Run from anywhere:
    python3 tools/make-helptext.py
"""
import pathlib


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    for source in sorted((root / "tools" / "help").glob("HelpText*.xml")):
        text = source.read_text(encoding="utf-8").rstrip("\n").replace("\r\n", "\n")
        text = text.replace("\n", "\r\n")
        target = root / "resources" / source.name
        target.write_bytes(b"\xff\xfe" + text.encode("utf-16-le"))


if __name__ == "__main__":
    main()

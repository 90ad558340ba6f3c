#!/usr/bin/env python3
"""Lumo's version, kept in one place: the IDS_VERSION entry of resources/StringTable.rc, which the
settings page shows ("V1.3"). Everything else that names the version takes it from there.

    python3 tools/version.py                  prints the version number ("1.3")
    python3 tools/version.py SOURCE TARGET    writes the UTF-16LE text SOURCE to TARGET with every
                                              "{VERSION}" replaced by the number (the build does
                                              this for the help texts)

The copy keeps every other byte of the source: its byte-order mark and its CR LF line ends.
"""
import pathlib
import re
import sys

PLACEHOLDER = "{VERSION}"
STRING_TABLE = pathlib.Path(__file__).resolve().parent.parent / "resources" / "StringTable.rc"
VERSION_ENTRY = re.compile(r'^\s*IDS_VERSION\s+"V([0-9][0-9.]*)"', re.M)


def read_version():
    match = VERSION_ENTRY.search(STRING_TABLE.read_text(encoding="utf-8"))
    if not match:
        sys.exit('version: no version string (IDS_VERSION "V<number>") in %s' % STRING_TABLE)
    return match.group(1)


def stamp(source, target, version):
    data = pathlib.Path(source).read_bytes()
    text = data[2:].decode("utf-16-le") if data.startswith(b"\xff\xfe") else ""
    if PLACEHOLDER not in text:
        sys.exit("version: %s is not UTF-16LE text with %s in it" % (source, PLACEHOLDER))
    text = text.replace(PLACEHOLDER, version)
    pathlib.Path(target).parent.mkdir(parents=True, exist_ok=True)
    pathlib.Path(target).write_bytes(b"\xff\xfe" + text.encode("utf-16-le"))


def main(args):
    version = read_version()
    if not args:
        print(version)
    elif len(args) == 2:
        stamp(args[0], args[1], version)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])

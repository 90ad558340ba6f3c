"""Reads and writes "PlayList.txt" the way Lumo does, so that flows can hand it playlists and read back
what it kept: UTF-16LE with the byte-order mark, a line feed, then per playlist an '@' line with the
name, one '#' line per record (path, duration, title, album, artist, each ended by U+FFFD) and an
empty line.
"""

import re

SEPARATOR = "\ufffd"


def windows_path(path):
    """The Linux path as Wine's programs see it (and "PlayList.txt" stores it): the root is drive Z:."""
    return "Z:" + path.replace("/", "\\")


def encode(playlists):
    """playlists: [(name, [(path, duration_ms, title, album, artist), ...]), ...] -> file bytes."""
    text = "\n"
    for name, records in playlists:
        text += "@%s\n" % name
        for path, duration, title, album, artist in records:
            text += "#" + SEPARATOR.join([path, "%d" % duration, title, album, artist]) + SEPARATOR + "\n"
        text += "\n"
    return b"\xff\xfe" + text.encode("utf-16-le")


def decode(data):
    """The playlists of a file Lumo wrote with every field:
    [(name, [(path, duration_ms, title, album, artist), ...]), ...]."""
    text = data[2:].decode("utf-16-le", errors="replace")
    playlists = []
    for line in text.split("\n"):
        if line.startswith("@"):
            playlists.append((line[1:], []))
        elif line.startswith("#") and playlists and line.count(SEPARATOR) >= 5:
            path, duration, title, album, artist = line[1:].split(SEPARATOR)[:5]
            # Like Lumo: blanks, a sign and the digits up to the first other character.
            digits = re.match(r"\s*([+-]?\d+)", duration)
            playlists[-1][1].append((path, int(digits.group(1)) if digits else 0, title, album,
                                     artist))
    return playlists


def names_and_paths(data):
    """The playlists of a file Lumo wrote, as [(name, [path, ...])]: what a user must not lose."""
    return [(name, [record[0] for record in records]) for name, records in decode(data)]

#!/usr/bin/env python3
"""Writes the tags no encoder writes onto encoded files, and the corpus of hostile files.

Usage: make-tagged-audio.py TAGS_DIR HOSTILE_DIR
TAGS_DIR must hold plain.mp3, id3v23.mp3, tagged.ogg, tagged.m4a and tagged.flac (made by
make-tag-fixtures.sh). Adds to it id3v22.mp3 (an ID3v2.2 tag), ape.mp3 (an APEv2 tag at the end)
gbk-id3v1.mp3 (ID3v1 fields holding GBK bytes, as Chinese tools of the time wrote them) and
latin1-id3v1.mp3 (ISO-8859-1 bytes that are not valid GBK).
HOSTILE_DIR gets files whose tags lie about their sizes, nest without end, inflate without end,
or stop short; the tests read each one and expect no crash, a bounded time and bounded memory.
"""
import os
import struct
import sys
import zlib

tags_dir, hostile_dir = sys.argv[1], sys.argv[2]
os.makedirs(hostile_dir, exist_ok=True)


def read(name):
    with open(os.path.join(tags_dir, name), "rb") as f:
        return f.read()


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def syncsafe(n):
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])


def id3v2(version, frames, flags=0, size=None):
    """A tag of the given version (3 or 4) around already made frames."""
    body = b"".join(frames)
    return b"ID3" + bytes([version, 0, flags]) + syncsafe(len(body) if size is None else size) + body


def frame(version, frame_id, body, flags=0, size=None):
    n = len(body) if size is None else size
    length = syncsafe(n) if version == 4 else struct.pack(">I", n)
    return frame_id + length + struct.pack(">H", flags) + body


def text_frame(version, frame_id, text):
    return frame(version, frame_id, b"\x00" + text.encode("latin-1"))


plain = read("plain.mp3")
tagged = read("id3v23.mp3")

# ---- Tags no encoder writes --------------------------------------------------------------------

v22_frames = b"".join(fid + struct.pack(">I", len(text) + 1)[1:] + b"\x00" + text
                      for fid, text in [(b"TT2", b"Version Two"), (b"TP1", b"Old Writer"),
                                        (b"TAL", b"Old Album")])
write(tags_dir, "id3v22.mp3", b"ID3\x02\x00\x00" + syncsafe(len(v22_frames)) + v22_frames + plain)

items = b""
for key, value in [("Title", "APE 标题"), ("Artist", "APE Artist"), ("Album", "APE Album")]:
    data = value.encode("utf-8")
    items += struct.pack("<II", len(data), 0) + key.encode("ascii") + b"\x00" + data
footer = b"APETAGEX" + struct.pack("<IIII", 2000, len(items) + 32, 3, 0) + b"\x00" * 8
write(tags_dir, "ape.mp3", plain + items + footer)


def id3v1(title, artist, album):
    field = lambda b, n: b[:n].ljust(n, b"\x00")
    return (b"TAG" + field(title, 30) + field(artist, 30) + field(album, 30) + b"1979"
            + b"\x00" * 30 + b"\xff")


write(tags_dir, "gbk-id3v1.mp3",
      plain + id3v1("月亮代表我的心".encode("gbk"), "邓丽君".encode("gbk"), "淡淡幽情".encode("gbk")))
# Bytes that are no valid GBK are ISO-8859-1, as ID3v1 says.
write(tags_dir, "latin1-id3v1.mp3", plain + id3v1(b"Caf\xe9 Ol\xe9", b"Beyonc\xe9", b"\xc9t\xe9"))

# ---- Hostile ID3v2 tags ------------------------------------------------------------------------

h = hostile_dir
audio = plain
write(h, "tag-size-past-end.mp3", id3v2(3, [text_frame(3, b"TIT2", "Bad")], size=0x0FFFFFFF) + audio[:2000])
write(h, "frame-size-past-end.mp3",
      id3v2(3, [frame(3, b"TIT2", b"\x00Bad", size=100 * 1024 * 1024)]) + audio)
# A frame that really is 100 MB long, then the audio.
big = frame(4, b"PRIV", b"owner\x00" + b"\x00" * (100 * 1024 * 1024))
write(h, "frame-100mb.mp3", id3v2(4, [big, text_frame(4, b"TIT2", "Behind A Big Frame")]) + audio)
many = [text_frame(3, b"TXXX", "n%d" % i) for i in range(10000)]
write(h, "frames-10000.mp3", id3v2(3, many + [text_frame(3, b"TIT2", "Many Frames")]) + audio)
# Unsynchronised and compressed frames whose lengths do not match what they hold.
write(h, "unsync-wrong-length.mp3",
      id3v2(3, [frame(3, b"TIT2", b"\x00\xff\x00\xe0\xff", size=3),
                frame(3, b"TPE1", b"\x00\xff\xff\xff", size=40)], flags=0x80) + audio)
packed = zlib.compress(b"\x00Squeezed Title")
write(h, "compressed-wrong-length.mp3",
      id3v2(3, [frame(3, b"TIT2", struct.pack(">I", 3) + packed, flags=0x0080),
                frame(3, b"TPE1", struct.pack(">I", 999999) + b"not zlib at all", flags=0x0080)])
      + audio)
write(h, "compressed-unsync-v24.mp3",
      id3v2(4, [frame(4, b"TIT2", struct.pack(">I", 7) + packed[:-3] + b"\xff\x00\xff",
                      flags=0x0008 | 0x0002 | 0x0001)]) + audio)
# A compressed frame of 256 KB that inflates to 256 MB.
bomb = zlib.compressobj(9)
packed_bomb = b"".join(bomb.compress(b"\x00" * (1 << 20)) for _ in range(256)) + bomb.flush()
write(h, "compressed-bomb.mp3",
      id3v2(4, [frame(4, b"TIT2", packed_bomb, flags=0x0008)]) + audio)
# Chapters inside chapters, 5,000 deep.
chapter = text_frame(3, b"TIT2", "Chapter")
for depth in range(5000):
    chapter = frame(3, b"CHAP", b"c%d\x00" % depth + b"\x00" * 16 + chapter)
write(h, "nested-chapters.mp3", id3v2(3, [chapter]) + audio)

# Truncated at every 1 KB boundary of a tagged MP3.
for end in range(1024, len(tagged), 1024):
    write(h, "truncated-%05d.mp3" % end, tagged[:end])

# ---- Hostile MP4 atoms -------------------------------------------------------------------------


def atom(name, body):
    return struct.pack(">I", len(body) + 8) + name + body


ftyp = atom(b"ftyp", b"M4A \x00\x00\x02\x00M4A mp42isom")
nested = b""
for _ in range(100000):
    nested = atom(b"moov", nested)
write(h, "nested-atoms.m4a", ftyp + nested)
garbage = (atom(b"moov", atom(b"udta", struct.pack(">I", 0xFFFFFFF0) + b"meta" + b"\x01" * 64)
                + struct.pack(">I", 1) + b"trak" + struct.pack(">Q", 1 << 62)
                + struct.pack(">I", 3) + b"ilst" + atom(b"mdia", b"\xff" * 32)))
write(h, "garbage-atoms.m4a", ftyp + garbage + read("tagged.m4a")[len(ftyp):])

# ---- Vorbis comments with 2^31 lengths ---------------------------------------------------------


def ogg_crc(data):
    crc = 0
    for byte in data:
        crc ^= byte << 24
        for _ in range(8):
            crc = ((crc << 1) ^ 0x04C11DB7) if crc & 0x80000000 else crc << 1
            crc &= 0xFFFFFFFF
    return crc


def refresh_page_crc(data, page_start):
    """Recomputes the checksum of the Ogg page at `page_start` (in place, bytearray)."""
    segments = data[page_start + 26]
    length = 27 + segments + sum(data[page_start + 27:page_start + 27 + segments])
    data[page_start + 22:page_start + 26] = b"\x00\x00\x00\x00"
    data[page_start + 22:page_start + 26] = struct.pack("<I", ogg_crc(bytes(data[page_start:page_start + length])))


ogg = read("tagged.ogg")
comment = ogg.find(b"\x03vorbis")
page = ogg.rfind(b"OggS", 0, comment)
vendor = struct.unpack("<I", ogg[comment + 7:comment + 11])[0]
for name, offset in [("vorbis-vendor-2g.ogg", comment + 7),
                     ("vorbis-count-2g.ogg", comment + 11 + vendor),
                     ("vorbis-comment-2g.ogg", comment + 15 + vendor)]:
    data = bytearray(ogg)
    data[offset:offset + 4] = struct.pack("<I", 0x80000000)
    refresh_page_crc(data, page)
    write(h, name, bytes(data))

# ---- FLAC metadata blocks longer than the file -------------------------------------------------

flac = bytearray(read("tagged.flac"))
# The first block is STREAMINFO (34 bytes); the one after it gets a length of 16 MB.
flac[42 + 1:42 + 4] = b"\xff\xff\xff"
write(h, "flac-block-past-end.flac", bytes(flac))

# ---- Not audio at all --------------------------------------------------------------------------

write(h, "zeros.mp3", b"\x00" * (1 << 20))
write(h, "random.mp3", os.urandom(1 << 16))
write(h, "text.mp3", b"This is a shopping list, not a song.\r\n" * 100)

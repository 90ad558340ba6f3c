#!/bin/sh
# Makes the tagged audio files the tag tests read, with real encoders and their own tag writers:
# lame (ID3v2.3 in ISO-8859-1 and in UTF-16, ID3v1 only), ffmpeg (ID3v2.4, FLAC, Ogg Vorbis, Opus,
# M4A, WMA, WAV with RIFF INFO, AIFF with ID3, WavPack with APE), and tools/make-tagged-audio.py
# for what no encoder writes (ID3v2.2, an APE tag on an MP3, GBK bytes in ID3v1) and for the
# corpus of hostile files. Every tagged file is a three-second tone.
# Usage: make-tag-fixtures.sh OUTPUT_DIR   (makes OUTPUT_DIR/tags and OUTPUT_DIR/hostile)
set -e
out="$1"
if [ -z "$out" ]; then
    echo "usage: $0 OUTPUT_DIR" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
tags="$out/tags"
rm -rf "$tags" "$out/hostile"
mkdir -p "$tags"
# lame reads its tag arguments in the locale's encoding.
export LC_ALL=C.UTF-8
tone="$tags/tone.wav"
sox -n -r 22050 -c 1 -b 16 "$tone" synth 3.0 sine 440 vol 0.5
lame --quiet -b 32 --add-id3v2 --tt "Song One" --ta "Artist One" --tl "Album One" "$tone" "$tags/id3v23.mp3"
lame --quiet -b 32 --id3v2-utf16 --tt "月亮代表我的心" --ta "邓丽君" --tl "淡淡幽情" "$tone" "$tags/id3v2-utf16.mp3"
lame --quiet -b 32 --id3v1-only --tt "V1 Title" --ta "V1 Artist" --tl "V1 Album" "$tone" "$tags/id3v1.mp3"
lame --quiet -b 32 "$tone" "$tags/plain.mp3"
# Tags a line of "PlayList.txt" cannot hold as they stand: a line end and U+FFFD in the title, an
# artist of 1,200 characters.
lame --quiet -b 32 --id3v2-utf16 --tt "$(printf 'Line one\nline two \357\277\275')" \
     --ta "$(python3 -c 'print("歌" * 1200)')" --tl "Album" "$tone" "$tags/unsavable.mp3"
ff() {
    ffmpeg -nostdin -loglevel error -y -i "$tone" "$@"
}
ff -c:a libmp3lame -b:a 32k -id3v2_version 4 -metadata title="夜曲" -metadata artist="周杰伦" \
   -metadata album="十一月的萧邦" "$tags/id3v24.mp3"
ff -metadata title="Flac 标题" -metadata artist="Flac Artist" -metadata album="Flac Album" "$tags/tagged.flac"
ff -c:a libvorbis -metadata title="Vorbis Title" -metadata artist="Vorbis Artist" \
   -metadata album="Vorbis Album" "$tags/tagged.ogg"
ff -c:a libopus -ar 48000 -metadata title="Opus Title" -metadata artist="Opus Artist" \
   -metadata album="Opus Album" "$tags/tagged.opus"
ff -c:a aac -b:a 64k -metadata title="M4A Title" -metadata artist="M4A Artist" \
   -metadata album="M4A Album" "$tags/tagged.m4a"
ff -c:a wmav2 -b:a 64k -metadata title="WMA Title" -metadata artist="WMA Artist" \
   -metadata album="WMA Album" "$tags/tagged.wma"
ff -metadata title="Wave Title" -metadata artist="Wave Artist" -metadata album="Wave Album" "$tags/info.wav"
ff -write_id3v2 1 -metadata title="AIFF Title" -metadata artist="AIFF Artist" \
   -metadata album="AIFF Album" "$tags/tagged.aiff"
ff -c:a wavpack -metadata title="WavPack Title" -metadata artist="WavPack Artist" \
   -metadata album="WavPack Album" "$tags/tagged.wv"
python3 "$here/make-tagged-audio.py" "$tags" "$out/hostile"
rm -f "$tone"

#!/bin/sh
# Makes the audio files the media and player page tests play, with real encoders: sox for WAV and
# AIFF, lame for MP3. Usage: make-audio-fixtures.sh OUTPUT_DIR. Every file is small so a test run
# stays quick.
set -e
out="$1"
if [ -z "$out" ]; then
    echo "usage: $0 OUTPUT_DIR" >&2
    exit 2
fi
mkdir -p "$out"
# One second of a 440 Hz tone, mono 16-bit at 22050 Hz.
sox -n -r 22050 -c 1 -b 16 "$out/tone.wav" synth 1.0 sine 440 vol 0.5
sox -n -r 22050 -c 1 -b 16 "$out/tone.aiff" synth 1.0 sine 440 vol 0.5
# The same tone encoded as MP3 (lame pads the stream, so its length is slightly over a second).
lame --quiet -b 32 "$out/tone.wav" "$out/tone.mp3"
# 95 seconds of a quiet tone, long enough to seek to 90 s (4 MB). Same format as tone.wav: the
# platform's renderer reports the end a fixed number of bytes early, so a low data rate would
# make the end come noticeably before the last sample.
sox -n -r 22050 -c 1 -b 16 "$out/long.wav" synth 95.0 sine 220 vol 0.1
# Files named like the platform's devices (ordinary names on this side): a player must open them
# as files, never as the serial port or the auxiliary device their names stand for.
sox -n -r 22050 -c 1 -b 16 "$out/COM1.wav" synth 1.0 sine 440 vol 0.5
sox -n -r 22050 -c 1 -b 16 "$out/aux.wav" synth 1.0 sine 330 vol 0.5

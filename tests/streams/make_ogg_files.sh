#!/usr/bin/env bash
# Ogg Vorbis test files, made by sox and oggenc, with oggdec's raw decodes as
# reference PCM (16-bit unsigned little-endian, the players' output format).
# Usage: bash make_ogg_files.sh <testdata-dir>; files land in <testdata-dir>/ogg/.
set -euo pipefail
out=$1/ogg
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

signal() { # name rate channels seconds synth-args...
  local name=$1 rate=$2 channels=$3 seconds=$4
  shift 4
  sox -q -n -r "$rate" -c "$channels" -b 16 -t wavpcm "$work/$name.wav" synth "$seconds" "$@" gain -3
}

encode() { # name
  oggenc -Q -q 3 -o "$out/$1.ogg" "$work/$1.wav"
  oggdec -Q -R -b 16 -e 0 -s 0 -o "$out/$1.raw" "$out/$1.ogg"
}

# 3 s mono and 2.5 s stereo at 44.1 kHz: exact lengths of 132300 and 110250 frames.
signal mono 44100 1 3 sine 440
signal stereo 44100 2 2.5 sine 440 sine 660
# 0.1 s, shorter than one stream buffer: loops wrap inside a buffer.
signal short 44100 2 0.1 sine 1000 sine 1500
# Three channels: more than an Allegro stream can take.
signal three 22050 3 0.2 sine 300 sine 400 sine 500
for name in mono stereo short three; do
  encode "$name"
done
# Two links of different channel counts: mono, then stereo.
cat "$out/mono.ogg" "$out/short.ogg" > "$out/chained.ogg"

#!/usr/bin/env bash
# Songs for the end-to-end scenarios, each a frequency sweep over its own
# range so that a recording tells which song played and from where, with
# the reference decode beside it (<name>.raw: signed 16-bit little-endian
# stereo at 44100 Hz; the MP3 decoded by the mpg123 program).
# Usage: bash make_e2e_files.sh <testdata-dir>; files land in <dir>/e2e/.
set -euo pipefail
out=$1/e2e
mkdir -p "$out"
cd "$out"

sox -q -n -r 44100 -c 2 -b 16 sweep_mp3.wav synth 10 sine 300-1200 gain -3
sox -q -n -r 44100 -c 2 -b 16 sweep_ogg.wav synth 6 sine 1500-3000 gain -3
sox -q -n -r 44100 -c 2 -b 16 short.wav synth 1 sine 3500-4500 gain -3
lame --quiet --noreplaygain -b 192 sweep_mp3.wav sweep.mp3
oggenc -Q -q 6 -o sweep.ogg sweep_ogg.wav
rm sweep_ogg.wav

mpg123 -q -s sweep.mp3 > sweep_mp3.raw
sox sweep.ogg -t raw -e signed -b 16 -c 2 -r 44100 sweep_ogg.raw
sox short.wav -t raw -e signed -b 16 -c 2 -r 44100 short.raw

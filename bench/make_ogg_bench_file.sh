#!/usr/bin/env bash
# Makes the 5-minute Ogg Vorbis file the Ogg player benchmark decodes: a
# changing signal (pink noise under a swept tone, with tremolo), 44.1 kHz
# stereo, oggenc quality 5. Usage: bash make_ogg_bench_file.sh <dir>; skips
# the file when it is already there.
set -euo pipefail
out=$1
mkdir -p "$out"
cd "$out"
if [ ! -s bench.ogg ]; then
  sox -q -n -r 44100 -c 2 -b 16 -t wavpcm bench_source.wav \
    synth 300 pinknoise synth 300 sine mix 200-3000 gain -8 tremolo 3 40
  oggenc -Q -q 5 -o bench.ogg bench_source.wav
  rm -f bench_source.wav
fi

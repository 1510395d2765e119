#!/usr/bin/env bash
# Makes the 60-second files the sound output benchmark plays: a changing
# signal (a swept tone on the left, pink noise on the right, so that no two
# 10 ms blocks are alike) after half a second of silence, as 44.1 kHz stereo
# MP3 (lame, 192 kbit/s) and Ogg Vorbis (oggenc quality 5), their decoded
# PCM as the reference the recording is compared with, and a module from
# write_bench_mod.py. Usage: bash make_sound_bench_files.sh <dir>; files
# already there are kept.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=$1
mkdir -p "$out"
cd "$out"
if [ ! -s bench.mp3 ] || [ ! -s bench.ogg ]; then
  sox -q -n -r 44100 -c 2 -b 16 -t wavpcm source.wav \
    synth 60 sine 200-2000 pinknoise gain -6 pad 0.5
  lame --quiet -b 192 source.wav bench.mp3
  oggenc -Q -q 5 -o bench.ogg source.wav
  rm -f source.wav
fi
[ -s bench_mp3.raw ] || mpg123 -q -s bench.mp3 > bench_mp3.raw
[ -s bench_ogg.raw ] || oggdec -Q -R -o bench_ogg.raw bench.ogg
[ -s bench.mod ] || python3 "$here/write_bench_mod.py" bench.mod

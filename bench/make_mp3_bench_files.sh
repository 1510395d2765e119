#!/usr/bin/env bash
# Makes the 5-minute MP3 files the MP3 player benchmark decodes: a changing
# signal (pink noise under a swept tone, with tremolo) encoded as 44.1 kHz
# stereo Layer III at a constant 192 kbit/s and as VBR with a Xing record.
# Usage: bash make_mp3_bench_files.sh <dir>; skips files already there.
set -euo pipefail
out=$1
mkdir -p "$out"
cd "$out"
if [ ! -s bench_cbr.mp3 ] || [ ! -s bench_vbr.mp3 ]; then
  sox -q -n -r 44100 -c 2 -b 16 bench_source.wav \
    synth 300 pinknoise synth 300 sine mix 200-3000 gain -8 tremolo 3 40
  lame --quiet --noreplaygain -b 192 bench_source.wav bench_cbr.mp3
  lame --quiet --noreplaygain -V 2 bench_source.wav bench_vbr.mp3
  rm -f bench_source.wav
fi

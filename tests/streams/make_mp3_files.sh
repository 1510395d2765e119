#!/usr/bin/env bash
# Makes the MPEG audio test files with real encoders, each with the raw
# reference decode of the mpg123 program beside it (<name>.raw: signed 16-bit
# little-endian, no gapless trimming, the Info frame decoded as a frame).
# Usage: bash make_mp3_files.sh <testdata-dir>; files land in <dir>/mp3/.
set -euo pipefail
out=$1/mp3
mkdir -p "$out"
cd "$out"

# Signals: two tones in stereo, one in mono, a few seconds long at most.
sox -q -n -r 44100 -c 2 -b 16 tone_44k_stereo.wav synth 2 sine 440 sine 660 gain -6
sox -q -n -r 44100 -c 1 -b 16 tone_44k_mono.wav synth 1.5 sine 523 gain -6
sox -q -n -r 22050 -c 2 -b 16 tone_22k_stereo.wav synth 1.5 sine 330 sine 494 gain -6
sox -q -n -r 11025 -c 1 -b 16 tone_11k_mono.wav synth 1.5 sine 392 gain -6
sox -q -n -r 48000 -c 1 -b 16 tone_48k_mono.wav synth 1 sine 587 gain -6

lame_q() { lame --quiet --noreplaygain "$@"; }

# MPEG-1 Layer III, 44.1 kHz: CBR with LAME's Info frame, CBR without any tag
# frame, VBR with a Xing record (frame count, byte count, table, scale).
lame_q -b 128 tone_44k_stereo.wav cbr_44k_stereo.mp3
lame_q -t -b 128 tone_44k_stereo.wav cbr_44k_stereo_notag.mp3
lame_q -V 4 tone_44k_stereo.wav vbr_44k_stereo.mp3
lame_q -t -m m -b 64 tone_44k_mono.wav cbr_44k_mono.mp3
# MPEG-2 and MPEG-2.5 Layer III.
lame_q -t -b 64 tone_22k_stereo.wav mpeg2_22k_stereo.mp3
lame_q -V 6 tone_22k_stereo.wav mpeg2_22k_stereo_vbr.mp3
lame_q -t -m m -b 16 tone_11k_mono.wav mpeg25_11k_mono.mp3
# Layer II.
twolame --quiet -b 192 tone_44k_stereo.wav layer2_44k_stereo.mp2
twolame --quiet -m m -b 96 tone_48k_mono.wav layer2_48k_mono.mp2
# Tags written by the encoder: ID3v1 at the end, ID3v2 (no footer) at the start.
lame_q -t -b 128 --id3v1-only --tt "Kestrune test" --ta "Tester" tone_44k_stereo.wav id3v1_44k_stereo.mp3
lame_q -t -b 128 --id3v2-only --tt "Kestrune test" --ta "Tester" --tc "a comment that makes the tag longer" \
  tone_44k_stereo.wav id3v2_44k_stereo.mp3

for f in *.mp3 *.mp2; do
  mpg123 -q -s --no-gapless --no-infoframe "$f" > "${f%.*}.raw"
done

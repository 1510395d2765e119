#!/usr/bin/env bash
# Songs for the main-window tests, one per format the window is driven with,
# made by real encoders. Usage: bash make_ui_files.sh <testdata-dir>; files
# land in <dir>/ui/.
set -euo pipefail
out=$1/ui
mkdir -p "$out"
cd "$out"

# A short WAV that ends quickly (the automatic advance) and longer songs.
sox -q -n -r 22050 -c 1 -b 16 short.wav synth 0.2 sine 440 gain -6
sox -q -n -r 22050 -c 1 -b 16 second.wav synth 3 sine 660 gain -6
sox -q -n -r 44100 -c 2 -b 16 tone.wav synth 4 sine 440 sine 550 gain -6
lame --quiet --noreplaygain -b 128 tone.wav tone.mp3
oggenc -Q -q 2 -o tone.ogg tone.wav

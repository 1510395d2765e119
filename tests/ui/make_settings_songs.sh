#!/usr/bin/env bash
# Songs for the settings and language tests: a long WAV tone, so a song is
# still playing however long a scenario takes.
set -euo pipefail
out=$1/ui_settings
mkdir -p "$out"
sox -n -r 22050 -b 16 -c 1 "$out/tone.wav" synth 60 sine 440 vol 0.5

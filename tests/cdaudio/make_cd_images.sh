#!/usr/bin/env bash
# BIN/CUE disc images for the CD tests, with each audio track's PCM beside
# them as the reference: raw 16-bit signed little-endian stereo at 44100 Hz,
# as it lies in the image. Usage: bash make_cd_images.sh <testdata-dir>;
# files land in <testdata-dir>/cd/.
#   disc.cue  - audio tracks 1 to 3, then a data track 4
#   mixed.cue - a data track 1, then the same three audio tracks as 2 to 4
#   track1.raw, track2.raw, track3.raw - the audio tracks' PCM
set -euo pipefail
out=$1/cd
mkdir -p "$out"

# Lengths in CD frames (sectors of 1/75 s, 588 stereo sample frames each):
# 0:02:05, 0:01:40 and 0:03:10; the data track is 100 sectors long.
lengths=(155 115 235)
data_sectors=100
tones=(440 660 990)

for i in 0 1 2; do
  n=$((i + 1))
  # A tone on the left and noise on the right, so a swapped channel or a
  # sample frame out of place shows.
  sox -q -R -r 44100 -c 2 -n -t raw -e signed -b 16 -L "$out/track$n.raw" \
    synth "$((lengths[i] * 588))s" sine "${tones[i]}" whitenoise gain -6
done
# Mode 1 sectors of 2352 bytes: sync pattern, then zeros; never read as audio.
for ((s = 0; s < data_sectors; s++)); do
  printf '\x00\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\x00'
  head -c 2340 /dev/zero
done > "$out/data.bin"

msf() { printf '%02d:%02d:%02d' $(($1 / 4500)) $(($1 / 75 % 60)) $(($1 % 75)); }

cat "$out/track1.raw" "$out/track2.raw" "$out/track3.raw" "$out/data.bin" > "$out/disc.bin"
{
  echo 'FILE "disc.bin" BINARY'
  at=0
  for i in 0 1 2; do
    printf '  TRACK %02d AUDIO\n    INDEX 01 %s\n' $((i + 1)) "$(msf $at)"
    at=$((at + lengths[i]))
  done
  printf '  TRACK 04 MODE1/2352\n    INDEX 01 %s\n' "$(msf $at)"
} > "$out/disc.cue"

cat "$out/data.bin" "$out/track1.raw" "$out/track2.raw" "$out/track3.raw" > "$out/mixed.bin"
{
  echo 'FILE "mixed.bin" BINARY'
  echo '  TRACK 01 MODE1/2352'
  echo '    INDEX 01 00:00:00'
  at=$data_sectors
  for i in 0 1 2; do
    printf '  TRACK %02d AUDIO\n    INDEX 01 %s\n' $((i + 2)) "$(msf $at)"
    at=$((at + lengths[i]))
  done
} > "$out/mixed.cue"
rm "$out/data.bin"

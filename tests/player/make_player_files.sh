#!/usr/bin/env bash
# Songs for the engine tests, made by real encoders, each with a reference
# decode by another program beside it (<name>.raw):
# - WAV and VOC: sox's reading of the sample data (signed 16-bit
#   little-endian);
# - MP3: the mpg123 program's decode (signed 16-bit little-endian, no gapless
#   trimming, the Info frame decoded as a frame);
# - Ogg: oggdec's decode (signed 16-bit little-endian).
# MIDI files are written byte by byte: two songs of known lengths in beats.
# Files that no backend takes are made too.
# Usage: bash make_player_files.sh <testdata-dir>; files land in <dir>/player/.
set -euo pipefail
out=$1/player
mkdir -p "$out"
cd "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

tone() { # file seconds channels synth-args...
  local file=$1 seconds=$2 channels=$3
  shift 3
  sox -q -n -r 44100 -c "$channels" -b 16 -t wavpcm "$file" synth "$seconds" "$@" gain -4
}

# WAV: 16-bit stereo; VOC: 16-bit mono (a block that states the rate exactly;
# the 8-bit block's rate byte cannot say 44.1 kHz). Both at the mixing rate of
# the tests, so the mixer passes them unchanged.
tone tone.wav 0.6 2 sine 440 sine 660
sox -q tone.wav -t raw -e signed -b 16 tone_wav.raw
tone "$work/voc.wav" 0.4 1 sine 523
sox -q "$work/voc.wav" -b 16 -e signed tone.voc
sox -q tone.voc -t raw -e signed -b 16 tone_voc.raw
tone short.wav 0.15 2 sine 880 sine 990

# MP3 and Ogg: a longer song and a short one each, without tags at the end,
# so the file's last byte belongs to its last frame or page.
tone "$work/song.wav" 1.2 2 sine 330 sine 495
tone "$work/short.wav" 0.3 2 sine 600 sine 750
tone "$work/mono.wav" 0.5 1 sine 700
for name in song short; do
  lame --quiet --noreplaygain -b 128 "$work/$name.wav" "$name.mp3"
  mpg123 -q -s --no-gapless --no-infoframe "$name.mp3" > "${name}_mp3.raw"
  oggenc -Q -q 3 -o "$name.ogg" "$work/$name.wav"
  oggdec -Q -R -b 16 -e 0 -s 1 -o "${name}_ogg.raw" "$name.ogg"
done
# MPEG audio named .mpg plays like an MP3; MPEG-2 Layer III at 24 kHz mono has
# frames of 576 samples, a stream buffer's smallest case.
cp song.mp3 song.mpg
lame --quiet --noreplaygain -t -m m -b 32 --resample 24 "$work/mono.wav" mono24.mp3
# Names in mixed case: a file opens only by the name as the user gave it.
cp tone.wav Tone.Wav
cp song.mp3 Song.Mp3
cp song.ogg SONG.OGG

# MIDI, format 0, 96 ticks a beat, 240 beats a minute: one note a beat on the
# piano for `beats` beats, then the end of the track at the last note's end.
midi() { # file beats
  local file=$1 beats=$2 body='' i
  body+='\x00\xff\x51\x03\x03\xd0\x90'       # tempo 250000 us a beat
  body+='\x00\xc0\x00\x00\xb0\x0a\x40'       # piano, centred
  for ((i = 0; i < beats; i++)); do
    body+='\x00\x90\x3c\x64\x60\x80\x3c\x00' # note on, a beat later off
  done
  body+='\x00\xff\x2f\x00'
  local length=$((14 + 8 * beats + 4))
  {
    printf 'MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60MTrk'
    printf "\\x$(printf %02x $((length >> 24 & 255)))\\x$(printf %02x $((length >> 16 & 255)))"
    printf "\\x$(printf %02x $((length >> 8 & 255)))\\x$(printf %02x $((length & 255)))"
    printf "$body"
  } > "$file"
}
midi six_beats.mid 6
midi eleven_beats.mid 11

# Files no backend takes.
head -c 20000 /dev/zero | tr '\0' 'A' > garbage.mp3
echo "not a sample" > text.wav
echo "not a song" > text.ogg
echo "not a sequence" > text.mid
: > empty.mp3
mkdir -p folder.ogg

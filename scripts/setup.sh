#!/usr/bin/env bash
# Shared set-up: installs the Debian packages that are missing, then configures
# and builds one build folder. Sourced by scripts/run and scripts/test.
set -euo pipefail

KSTR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KSTR_JOBS=$(nproc)

KSTR_PACKAGES=(
  # build
  cmake g++ make pkg-config
  liballegro4-dev libdumb1-dev libvorbis-dev libogg-dev libmpg123-dev libcdio-dev
  libgtest-dev libbenchmark-dev libfreetype-dev fonts-dejavu-core freepats
  libasound2-dev
  # tests: X server, input injection, real encoders and decoders, fuzzing
  xvfb xdotool x11-utils xclip lame twolame sox libsox-fmt-mp3 vorbis-tools mpg123
  clang libclang-rt-dev clang-format clang-tidy
  # real sound path: a private PulseAudio null sink, ALSA routed into it,
  # and the reference players the sound benchmark compares with
  pulseaudio pulseaudio-utils libasound2-plugins openmpt123
)

kstr_install_packages() {
  local missing=() p
  for p in "${KSTR_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  ((${#missing[@]} == 0)) && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# kstr_build <build-dir> [extra cmake arguments...]
kstr_build() {
  local dir=$1; shift
  cmake -S "$KSTR_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j"$KSTR_JOBS"
}

# Starts a private X server for the duration of the calling script.
kstr_start_xvfb() {
  local n
  for n in $(seq 91 130); do
    [ -e "/tmp/.X${n}-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    KSTR_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      xdpyinfo >/dev/null 2>&1 && { trap 'kill $KSTR_XVFB_PID 2>/dev/null || true' EXIT; return 0; }
      kill -0 "$KSTR_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "could not start Xvfb" >&2
  return 1
}

// The CD backend's setting and its part in start-up: which drive or disc
// image the CD control opens, from key "device" of section "cdaudio" (empty
// for the system's default drive; a device such as /dev/sr1, or a .cue file).
//
// Contract:
// - read_cd_settings hands the configured device to the CD control; call it
//   before cd_init. A "cda" entry played while the control is not open reads
//   the setting and opens the control itself.
#pragma once

constexpr const char *CD_SECTION = "cdaudio";
constexpr const char *CD_DEVICE_KEY = "device";

void read_cd_settings();

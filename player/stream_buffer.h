// Stream buffer sizes the players accept, from the settings' KiB values.
#pragma once

// The most PCM one MPEG audio frame decodes to: 1152 stereo 16-bit frames.
inline constexpr int MP3_MIN_BUFFER_BYTES = 4608;
// The Ogg player's smallest buffer.
inline constexpr int OGG_MIN_BUFFER_BYTES = 4096;
// Beyond anything the settings dialog offers, yet far from overflowing.
inline constexpr int STREAM_MAX_BUFFER_KIB = 1024;

// `kib` KiB in bytes, raised to `min_bytes` and capped at
// STREAM_MAX_BUFFER_KIB, so any value typed into the settings plays.
int stream_buffer_bytes(int kib, int min_bytes);

// A quarter of the time `frames` sample frames play at `freq` Hz, in whole
// milliseconds, at least 1: how often a stream of such buffers is polled.
int stream_poll_interval_ms(int frames, int freq);

// Capture sound driver: a real Allegro digital sound driver, mixing with
// Allegro's own software mixer, whose output the test pulls on demand instead
// of a sound card playing it. There is no background thread: the mixer runs
// only inside capture_pull, so what streams, samples and MIDI put out is
// captured the same way on every run.
//
// Contract
// - Order: [set_volume_per_voice(...)] -> install_capture_sound() -> create
//   samples / streams -> fill -> capture_pull -> fill -> capture_pull ...
//   install_capture_sound starts Allegro itself (see allegro_env.h: needs the
//   test X server). Each test case runs in its own process; sound is removed
//   by Allegro's atexit handler, nothing here needs undoing.
// - Code under test that calls install_sound itself: call
//   register_capture_sound() first. The driver is registered as the first
//   autodetected one, so install_sound(DIGI_AUTODETECT, ...) picks it, as does
//   "digi_card = CAPT" in section "sound" of the configuration given to
//   start_allegro. A registered-only driver mixes at "sound_freq" from the
//   configuration (44100 when absent).
// - The mixer works in fixed blocks of kCaptureBlockFrames stereo frames.
//   capture_pull mixes whole blocks and keeps the surplus for the next call,
//   so pulls of any size return one continuous signal. Voice positions (and
//   so the audio stream's refill decisions) run ahead of what has been
//   returned by up to capture_surplus_frames().
// - MIDI: install_capture_sound_with_midi installs Allegro's software
//   synthesiser (DIGMID) beside the driver, on the same mixer, with the
//   freepats patch set (digmid_patches.h); code that installs sound itself
//   gets the same by setting "patches" to digmid_patch_index() and asking for
//   MIDI_DIGMID. Measured: midi_out reaches the mixer at once, so notes sent
//   with it are captured deterministically from the next pull. play_midi
//   advances on Allegro's timer thread in wall-clock time, not in pulled
//   frames: a test that pulls quickly after play_midi captures silence, and
//   where a MIDI file's events land in the capture varies from run to run.
//   Without a MIDI file having played, channels start panned hard left:
//   send controller 10 (pan) = 64 before notes meant to be centred. Notes
//   sent between pulls start at the next mixed block, after any surplus.
//
// Audio streams (play_audio_stream / get_audio_stream_buffer /
// free_audio_stream_buffer), measured:
// - A stream is one looping sample of two halves of H = len x bufcount frames;
//   bufcount = ceil(kCaptureBlockFrames / len) when len is shorter than a
//   block, else 1. A half may be refilled once the voice position is seen in
//   the other half. Both halves are free right after play_audio_stream.
// - Interleave like this: before every pull, drain the stream, calling
//   get_audio_stream_buffer and filling + freeing until it returns NULL;
//   then pull at most floor(H / kCaptureBlockFrames) x kCaptureBlockFrames
//   frames (kCaptureBlockFrames is always safe). The signal then comes back
//   gap-free. Pulling more lets the voice run through a half that was never
//   refilled and the old data plays again. A stream at another rate f than
//   capture_rate() covers H x capture_rate() / f output frames per half:
//   use that for H (a 48000 Hz stream of len 1024 allows pulls of 768).
// - Start latency: none. A stream drained before the first pull plays its
//   first frame as the first captured frame of that pull (the surplus of a
//   previous pull, if any, comes first). Pulled before any fill, the stream
//   plays the silence play_audio_stream put in its buffers.
// - Stopping: after the last real buffer a stream loops whatever its halves
//   hold; fill silence (0x8000) or stop_audio_stream.
//
// Volume, measured with a 16-bit sample or stream at the mixing rate
// (mixer quality 1 and 2 alike, 8 and 32 voices alike), voice volume 255:
// - Each voice is split between the channels by pan: left share (255 - pan),
//   right share pan; set_volume_per_voice(n) then scales the voice by 2^-n
//   relative to n = 0, and a share is capped at the full level. Default n = 1.
//   Input -32768 comes out as:
//       n    pan 0 (L / R)    pan 128 (L / R)
//       0    -32768 / 0       -32638 / -32768
//       1    -32767 / 0       -16319 / -16448
//       2    -16383 / 0        -8160 /  -8224   (the player's own setting)
//   set_volume_per_voice(-1) picks n from the voice count. Mono samples
//   and streams follow the same pan law; set_volume(digi, ...) scales the
//   voice volume by digi / 255 before the cap (at n = 0, pan 0 the left
//   channel stays at the full level down to digi = 128). set_volume_per_voice
//   takes effect for voices started after it, also after install.
// - Exact path: with set_volume_per_voice(0) a channel whose share is capped
//   (left for pan <= 127, right for pan >= 128; so pan 0 or 255 for one
//   channel, pan 128 gives the right channel only) carries every sample value
//   x (signed, = fed unsigned value - 0x8000) as x for x <= 0 and x - 1 for
//   x > 0: the mixer's full level is a hair under unity and it rounds down.
//   That is as exact as this mixer gets: fed 0x8000 and 0x8001 both come back
//   as 0; every other value is recoverable. capture_expected below applies
//   this. 8-bit data is widened first: an 8-bit value v behaves as the 16-bit
//   value v << 8.
// - Several voices add, then the sum is clipped to 16 bits.
#pragma once

#include <cstdint>
#include <vector>

namespace kstr::test {

// The mixer's fixed block, in stereo sample frames.
inline constexpr int kCaptureBlockFrames = 256;

// AL_ID('C','A','P','T'): also the value "CAPT" of digi_card in section "sound".
int capture_driver_id();

// Starts Allegro if needed and registers the driver without installing sound,
// for code under test that calls install_sound itself. freq 0 takes
// "sound_freq" from the configuration (44100 when absent). False with a
// reported failure when Allegro cannot start.
bool register_capture_sound(int freq = 0);

// Registers the driver and installs sound with it, without MIDI, reserving
// `voices` digital voices. True at once if it is already installed at freq.
bool install_capture_sound(int freq = 44100, int voices = 32);

// The same plus DIGMID with the freepats patches, all loaded, reserving
// `midi_voices` voices for it (voices + midi_voices at most 64).
bool install_capture_sound_with_midi(int freq = 44100, int voices = 32, int midi_voices = 16);

// Mixing rate of the installed driver, 0 while none is installed.
int capture_rate();

// Mixes and returns exactly `frames` stereo frames, signed 16-bit, interleaved
// left first. Reports a failure and returns nothing when not installed.
std::vector<int16_t> capture_pull(int frames);

// Frames mixed ahead of the last pull and kept for the next one.
int capture_surplus_frames();

// What an unsigned 16-bit value fed to a voice comes back as on an exact
// channel (see above).
int16_t capture_expected(uint16_t fed);

}

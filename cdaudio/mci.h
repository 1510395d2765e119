// The command-string layer to the CD drive: the one device "cdaudio" is
// opened, queried and played with short text commands, as
//   "open cdaudio wait", "set cdaudio time format tmsf",
//   "status cdaudio length track 3"    -> "04:05:10",
//   "play cdaudio from 3 to 3:04:05:10", "status cdaudio position".
//
// Contract:
// - mci_send_string returns 0 or an error code (MCI_ERROR); the texts of the
//   codes come from mci_get_error_string. The reply (may be null) always
//   holds a terminated text afterwards, empty on error or when the command
//   answers nothing; a reply longer than the buffer is an error
//   (MCIERR_PARAM_OVERFLOW), never cut.
// - Commands: a verb, the device name, then the verb's words; case does not
//   matter, words are separated by blanks, and a trailing "wait" or "notify"
//   is accepted and changes nothing (every command finishes before it
//   returns; play starts the reader and returns).
//     open cdaudio [shareable]          close cdaudio
//     set cdaudio time format tmsf      set cdaudio door open | closed
//     play cdaudio [from P] [to P]      pause cdaudio     stop cdaudio
//     status cdaudio mode | number of tracks | length [track N]
//       | type track N | position [track N] | current track
//       | media present | ready | time format
//   Positions P are TMSF texts (tmsf.h); replies: mode "not ready", "open",
//   "playing", "paused" or "stopped"; lengths "mm:ss:ff"; positions
//   "tt:mm:ss:ff"; type "audio" or "other"; numbers in decimal; yes/no
//   items "true" or "false". TMSF is the only time format.
// - play without "from" starts at the current position, without "to" it ends
//   before the next data track or at the end of the disc. Playing means the
//   digital reader (cd_reader.h) hands out the range through
//   mci_cdaudio_read; nothing plays unless someone reads. When the drive
//   cannot read the range's first sector, the drive is told to play it by
//   itself to its own audio output (a real drive only; on an image play then
//   fails with MCIERR_HARDWARE); mode and position then come from the drive,
//   and mci_cdaudio_read hands out nothing.
// - The source opened by "open" is set with mci_set_cdaudio_source: a device
//   or an image file name, empty for the system's default drive.
// - mci_set_log gives every command, its result and reply to a function, for
//   tracing (null turns it off).
#pragma once

#include <cstddef>
#include <cstdint>

enum MCI_ERROR : unsigned {
   MCI_OK = 0,
   MCIERR_UNRECOGNIZED_COMMAND = 256,
   MCIERR_UNRECOGNIZED_KEYWORD,
   MCIERR_INVALID_DEVICE_NAME,
   MCIERR_DEVICE_OPEN,
   MCIERR_NO_DRIVE,
   MCIERR_DEVICE_NOT_READY,
   MCIERR_MISSING_PARAMETER,
   MCIERR_BAD_POSITION,
   MCIERR_OUTOFRANGE,
   MCIERR_BAD_TIME_FORMAT,
   MCIERR_NOT_AUDIO_TRACK,
   MCIERR_UNSUPPORTED_FUNCTION,
   MCIERR_HARDWARE,
   MCIERR_PARAM_OVERFLOW,
};

using MCI_LOG = void (*)(const char *command, unsigned error, const char *reply, void *data);

unsigned mci_send_string(const char *command, char *reply, std::size_t reply_size);
// Copies the code's text into `text` (cut to fit). False for an unknown code,
// which gets a text saying so.
bool mci_get_error_string(unsigned error, char *text, std::size_t text_size);

void mci_set_cdaudio_source(const char *name);
void mci_set_log(MCI_LOG log, void *data);

// The playing range's next `frames` stereo frames of 16-bit signed PCM;
// fewer (down to 0) when it ends, when paused or stopped, or when not open.
std::size_t mci_cdaudio_read(int16_t *pcm, std::size_t frames);

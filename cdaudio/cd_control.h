// CD audio control: plays an audio CD's tracks by sending text commands to
// the command layer (mci.h) and parsing its replies, keeping what it needs
// to pause and resume. Positions are TMSF texts ("3:04:05:10").
//
// Contract:
// - Results are 0 for success and -1 for a command error unless said
//   otherwise; the error's text is then in cd_state.cd_error and its code in
//   cd_state.cd_error_code (both left as they were on success).
// - cd_set_device chooses what cd_init opens: a device or a disc image file
//   name, empty or null for the system's default drive.
// - Playing means the command layer's reader hands the track's audio out
//   through cd_read_audio; whoever plays it (the player's CD backend) pulls
//   it from there. Pause and stop act on that reader.
// - Everything runs on one thread.
#pragma once

#include <cstddef>
#include <cstdint>

struct CD_STATE {
   // Reply of the last command sent through cd_command.
   char cd_reply[256];
   // Text and code of the last command error.
   char cd_error[256];
   unsigned cd_error_code;
   // 1 after cd_pause until cd_resume, cd_stop, cd_eject, cd_close, cd_init.
   int cd_paused;
   // The position when cd_pause ran, as the drive reported it.
   char cd_resume_from[20];
   // End of the current play request, "track:mm:ss:ff"; empty when the
   // request plays on to the end of the disc.
   char cd_resume_to[32];
};

extern CD_STATE cd_state;

void cd_set_device(const char *device);

// printf-style; sets cd_state.cd_reply, on error cd_error and cd_error_code.
int cd_command(const char *format, ...) __attribute__((format(printf, 1, 2)));

int cd_init();
int cd_exit();
int cd_play(unsigned track);
int cd_play_range(unsigned first, unsigned last);
int cd_play_from(unsigned track);
// The playing track, 0 when not playing or on error.
int cd_current_track();
int cd_pause();
void cd_resume();
int cd_is_paused();
int cd_stop();
// Stores 1 and the track count; -1 on error or when the disc has no tracks.
int cd_get_tracks(int *first, int *last);
// 1 for an audio track, 0 for any other, -1 on error.
int cd_is_audio(unsigned track);
// The drive's volume is not ours to set: 128 each, and setting does nothing.
void cd_get_volume(int *left, int *right);
void cd_set_volume(int left, int right);
int cd_eject();
int cd_close();

// The next `frames` stereo frames of the playing request, 16-bit signed PCM
// interleaved left first; fewer (down to 0) when it ended or is paused.
std::size_t cd_read_audio(int16_t *pcm, std::size_t frames);

#include "cdaudio/cd_control.h"

#include "cdaudio/mci.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

CD_STATE cd_state = {};

namespace {

// Track numbers go into the "from" part of play commands modulo 256.
unsigned long from_track(unsigned track)
{
   return track % 256u;
}

// Asks for `last`'s length and plays from the start of `first` to the end of
// `last`. A failed length query plays nothing: its reply is no end position.
int play_to_end_of(unsigned first, unsigned last)
{
   cd_stop();
   cd_state.cd_resume_to[0] = '\0';
   if (cd_command("status cdaudio length track %u", last) != 0)
      return -1;
   // A length reply is "mm:ss:ff"; one that cannot make an end position within
   // cd_resume_to is no length.
   const std::string end = std::to_string(last) + ":" + cd_state.cd_reply;
   if (end.size() >= sizeof cd_state.cd_resume_to) {
      mci_get_error_string(MCIERR_PARAM_OVERFLOW, cd_state.cd_error, sizeof cd_state.cd_error);
      cd_state.cd_error_code = MCIERR_PARAM_OVERFLOW;
      return -1;
   }
   std::memcpy(cd_state.cd_resume_to, end.c_str(), end.size() + 1);
   return cd_command("play cdaudio from %lu to %s", from_track(first), cd_state.cd_resume_to);
}

}

void cd_set_device(const char *device)
{
   mci_set_cdaudio_source(device);
}

int cd_command(const char *format, ...)
{
   char command[256];
   va_list args;
   va_start(args, format);
   std::vsnprintf(command, sizeof command, format, args);
   va_end(args);
   const unsigned error = mci_send_string(command, cd_state.cd_reply, sizeof cd_state.cd_reply);
   if (error == MCI_OK)
      return 0;
   mci_get_error_string(error, cd_state.cd_error, sizeof cd_state.cd_error);
   cd_state.cd_error_code = error;
   return -1;
}

int cd_init()
{
   int result = cd_command("open cdaudio wait");
   if (result == 0)
      result = cd_command("set cdaudio time format tmsf");
   cd_state.cd_paused = 0;
   return result;
}

int cd_exit()
{
   return cd_command("close cdaudio");
}

int cd_play(unsigned track)
{
   return play_to_end_of(track, track);
}

int cd_play_range(unsigned first, unsigned last)
{
   return play_to_end_of(first, last);
}

int cd_play_from(unsigned track)
{
   cd_stop();
   cd_state.cd_resume_to[0] = '\0';
   return cd_command("play cdaudio from %lu", from_track(track));
}

int cd_current_track()
{
   if (cd_command("status cdaudio mode") != 0 || std::strcmp(cd_state.cd_reply, "playing") != 0)
      return 0;
   if (cd_command("status cdaudio current track") != 0)
      return 0;
   return std::atoi(cd_state.cd_reply);
}

int cd_pause()
{
   // Sent past cd_command: its reply is kept apart and its error ignored.
   mci_send_string("status cdaudio position", cd_state.cd_resume_from, sizeof cd_state.cd_resume_from);
   const int result = cd_command("pause cdaudio");
   cd_state.cd_paused = 1;
   return result;
}

void cd_resume()
{
   if (!cd_state.cd_paused)
      return;
   if (cd_state.cd_resume_to[0])
      cd_command("play cdaudio from %s to %s", cd_state.cd_resume_from, cd_state.cd_resume_to);
   else
      cd_command("play cdaudio from %s", cd_state.cd_resume_from);
   cd_state.cd_paused = 0;
}

int cd_is_paused()
{
   return cd_state.cd_paused;
}

int cd_stop()
{
   const int result = cd_command("stop cdaudio wait");
   cd_state.cd_paused = 0;
   return result;
}

int cd_get_tracks(int *first, int *last)
{
   if (cd_command("status cdaudio number of tracks") != 0)
      return -1;
   const int count = std::atoi(cd_state.cd_reply);
   if (first)
      *first = 1;
   if (last)
      *last = count;
   return count > 0 ? 0 : -1;
}

int cd_is_audio(unsigned track)
{
   if (cd_command("status cdaudio type track %u", track) != 0)
      return -1;
   return std::strcmp(cd_state.cd_reply, "audio") == 0 ? 1 : 0;
}

void cd_get_volume(int *left, int *right)
{
   if (left)
      *left = 128;
   if (right)
      *right = 128;
}

void cd_set_volume(int, int) {}

int cd_eject()
{
   const int result = cd_command("set cdaudio door open");
   cd_state.cd_paused = 0;
   return result;
}

int cd_close()
{
   const int result = cd_command("set cdaudio door closed");
   cd_state.cd_paused = 0;
   return result;
}

std::size_t cd_read_audio(int16_t *pcm, std::size_t frames)
{
   return mci_cdaudio_read(pcm, frames);
}

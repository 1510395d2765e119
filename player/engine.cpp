#include "player/engine.h"

#include "cdaudio/cd_control.h"
#include "player/backend_cd.h"
#include "player/engine_state.h"
#include "player/registry.h"
#include "player/song_errors.h"
#include "player/song_file.h"
#include "player/sound_output.h"
#include "playlist/playlist.h"
#include "toolkit/toolkit.h"

#include <allegro.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

int song_playing = 0;
int backend_kind = BACKEND_NONE;
int song_paused = 0;
int progress_bar = -1;
PLAYLIST *main_playlist = nullptr;

ENGINE_STATE &engine_state()
{
   static ENGINE_STATE state;
   return state;
}

int player_init()
{
   std::srand(static_cast<unsigned>(std::time(nullptr)));
   set_volume_per_voice(2);
   reserve_voices(32, 16);
   sound_output_register();
   ENGINE_STATE &s = engine_state();
   s.sound_installed = install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr) == 0;
   // A MIDI set-up that fails (the synthesiser's patch set missing) takes
   // the digital sound down with it; the other songs still play without it.
   if (!s.sound_installed)
      s.sound_installed = install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) == 0;
   // The CD control starts only with sound, as nothing could be heard from
   // it otherwise; no drive is the usual case and fails quietly.
   if (s.sound_installed) {
      read_cd_settings();
      cd_init();
   }
   // The settings are read even without sound, so that a later save keeps
   // the user's values instead of writing zeros.
   read_sound_settings();
   return s.sound_installed ? 0 : PLAYER_NO_SOUND;
}

void player_exit()
{
   ENGINE_STATE &s = engine_state();
   song_playing = 0;
   stop_backend();
   remove_sound();
   s.sound_installed = false;
   remove_timer();
   StopToolkit();
   cd_exit();
}

int start_song(const char *name, bool report)
{
   ENGINE_STATE &s = engine_state();
   if (s.live) {
      song_playing = 0;
      stop_backend();
   }
   const BACKEND *b = backend_for_name(name);
   int result = SONG_OK;
   if (!b)
      result = SONG_UNKNOWN_FORMAT;
   else if (!s.sound_installed || (b->kind != BACKEND_MIDI && (!digi_driver || digi_driver->id == DIGI_NONE)))
      result = SONG_NO_SOUND;  // MIDI may have a driver of its own
   if (result == SONG_OK) {
      UseMouseCursor(CURSOR_BUSY);
      if (b->wants_file_image)
         result = read_song_file(name, s.image);
      else if (b->kind != BACKEND_CD)
         result = check_song_file(name);
      const FILE_IMAGE image{s.image.data(), s.image.size()};
      if (result == SONG_OK)
         result = b->start(name, b->wants_file_image ? &image : nullptr);
      UseMouseCursor(CURSOR_ARROW);
   }
   if (result != SONG_OK) {
      s.image.clear();
      s.image.shrink_to_fit();
      if (report)
         report_song_error(result, name);
      return result;
   }
   s.live = b;
   apply_volume();
   backend_kind = b->kind;
   song_playing = 1;
   song_paused = 0;
   return SONG_OK;
}

int start_entry(int index, bool report)
{
   const char *name = playlist_get_name(main_playlist, static_cast<uint32_t>(index));
   if (index < 0 || !name)
      return SONG_UNKNOWN_FORMAT;
   return start_song(name, report);
}

int play_song(const char *name)
{
   return start_song(name, true) == SONG_OK ? 0 : -1;
}

void play_current_song()
{
   if (song_playing || backend_kind != BACKEND_NONE) {
      song_playing = 0;
      stop_backend();
   }
   if (main_playlist && main_playlist->count > 0)
      start_entry(main_playlist->current, true);
   show_progress();
}

void stop_song()
{
   song_playing = 0;
   // The stop step comes with the poll's next run: bring it forward, once
   // the poll runs at all.
   if (engine_state().poll_chain != 0)
      start_player_poll();
}

void stop_backend()
{
   ENGINE_STATE &s = engine_state();
   if (s.live)
      s.live->stop();
   s.live = nullptr;
   s.image.clear();
   s.image.shrink_to_fit();
   backend_kind = BACKEND_NONE;
   song_paused = 0;
}

void set_song_paused(int paused)
{
   const ENGINE_STATE &s = engine_state();
   const int wanted = paused ? 1 : 0;
   if (!s.live || !song_playing || wanted == song_paused)
      return;
   if (s.live->pause)
      s.live->pause(wanted);
   song_paused = wanted;
}

void toggle_pause()
{
   set_song_paused(!song_paused);
}

namespace {

void step_entry(int step)
{
   PLAYLIST *pl = main_playlist;
   if (!pl || pl->count == 0)
      return;
   const long target = static_cast<long>(pl->current) + step;
   if (pl->current < 0 || target < 0 || target >= static_cast<long>(pl->count))
      return;
   pl->current = static_cast<int32_t>(target);
   if (song_playing)
      play_current_song();
}

}

void play_previous_song()
{
   step_entry(-1);
}

void play_next_song()
{
   step_entry(1);
}

void seek_song(double fraction)
{
   const ENGINE_STATE &s = engine_state();
   if (!s.live || !song_playing || !s.live->seek)
      return;
   s.live->seek(std::clamp(fraction, 0.0, 1.0));
   show_progress();
}

int song_progress()
{
   const ENGINE_STATE &s = engine_state();
   if (!s.live || !song_playing)
      return 0;
   const double length = s.live->length();
   const double position = s.live->position();
   if (!(length > 0) || !(position > 0))
      return 0;
   const double percent = 100.0 * position / length;
   return percent >= 100 ? 100 : static_cast<int>(percent);
}

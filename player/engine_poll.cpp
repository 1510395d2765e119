// The periodic task: screenshot, volume, serving the live song, its end, the
// progress bar and the stop step, then the next run.
//
// Cadence. The poll re-queues itself with a delay instead of running on every
// pass of the event loop:
// - While a song is fed from the poll (MP3, Ogg, modules, the CD), the delay
//   is a quarter of the time one of its stream buffers plays, as its backend
//   reports it, at most 40 ms and at least 2 ms. A stream half never holds
//   less than one buffer, so a refill always comes well before the mixer
//   needs it: the smallest MP3 buffer the settings allow (4608 bytes, one
//   Layer III frame of 48 kHz stereo) lasts 24 ms and is polled every 6 ms.
//   A backend that cannot say is polled every 5 ms.
// - While a sample or MIDI song plays, Allegro feeds it by itself; the poll
//   only looks for the song's end and moves the bar: every 40 ms.
// - While nothing plays: every 40 ms.
// 40 ms is the longest delay anywhere, so F12 and the volume slider always
// act within 50 ms, while the program sleeps almost all the time: every
// wake-up of the process costs more than the work a run does.
#include "player/engine.h"

#include "player/engine_state.h"
#include "playlist/playlist.h"
#include "toolkit/controls/progress_bar.h"
#include "toolkit/events.h"

#include <allegro.h>

#include <algorithm>
#include <cstdint>

namespace {

constexpr int FEED_MIN_MS = 2;
constexpr int FEED_MAX_MS = 40;
constexpr int FEED_UNKNOWN_MS = 5;
constexpr int IDLE_MS = 40;
// Allegro's virtual voices (VIRTUAL_VOICES inside the library).
constexpr int DIGITAL_VOICE_SLOTS = 256;

void save_screenshot_while_f12()
{
   if (!key[KEY_F12] || !screen)
      return;
   acquire_screen();
   save_bitmap("./screnshot.bmp", screen, nullptr);
   release_screen();
}

// Allegro's set_volume(0) cannot be undone: it rescales every voice by the
// new level and reads the levels back the same way, so after a 0 every voice
// stays at 0. The digital level therefore never goes to 0. The program's
// voices (streams and samples) all play at full relative level, so at volume
// 0 each of them is turned down to 0 on every run (a song started meanwhile
// included) and turned back up when the volume leaves 0. MIDI has a level of
// its own, which 0 does not break.
void set_digital_voices(int level)
{
   for (int v = 0; v < DIGITAL_VOICE_SLOTS; ++v)
      if (voice_check(v))
         voice_set_volume(v, level);
}

}

void apply_volume()
{
   ENGINE_STATE &s = engine_state();
   const int wanted = std::clamp(volume, 0, 255);
   if (wanted == 0) {
      if (s.applied_volume != 0)
         set_volume(-1, 0);
      set_digital_voices(0);
   } else if (wanted != s.applied_volume) {
      set_volume(wanted, wanted);
      if (s.applied_volume == 0)
         set_digital_voices(255);
   }
   s.applied_volume = wanted;
}

namespace {

// The song has ended: the entries after it are tried in turn, silently, and
// the first that starts plays; after the last one the player stops.
void advance_after_end()
{
   PLAYLIST *pl = main_playlist;
   const int from = pl ? pl->current : -1;
   song_playing = 0;
   stop_backend();
   if (!pl || from < 0)
      return;
   for (long next = static_cast<long>(from) + 1; next < static_cast<long>(pl->count); ++next) {
      if (start_entry(static_cast<int>(next), false) == SONG_OK) {
         pl->current = static_cast<int32_t>(next);
         return;
      }
   }
}

int next_delay()
{
   const ENGINE_STATE &s = engine_state();
   if (!s.live)
      return IDLE_MS;
   if (!s.live->poll_interval_ms)
      return FEED_UNKNOWN_MS;
   return std::clamp(s.live->poll_interval_ms(), FEED_MIN_MS, FEED_MAX_MS);
}

}

void show_progress()
{
   ENGINE_STATE &s = engine_state();
   if (progress_bar < 0)
      return;
   const int percent = song_progress();
   if (progress_bar == s.shown_bar && percent == s.shown_percent)
      return;
   if (SetProgress(progress_bar, percent)) {
      s.shown_bar = progress_bar;
      s.shown_percent = percent;
   }
}

int serve_player()
{
   save_screenshot_while_f12();
   apply_volume();
   const ENGINE_STATE &s = engine_state();
   if (song_playing && s.live) {
      if (!song_paused && s.live->poll() == 0)
         advance_after_end();
   } else if (backend_kind != BACKEND_NONE || s.live) {
      stop_backend();
   }
   show_progress();
   return next_delay();
}

void player_poll(void *data)
{
   if (reinterpret_cast<std::uintptr_t>(data) != engine_state().poll_chain)
      return;  // an older chain, replaced
   QueueCall(player_poll, data, serve_player(), 0);
}

void start_player_poll()
{
   ENGINE_STATE &s = engine_state();
   ++s.poll_chain;
   QueueCall(player_poll, reinterpret_cast<void *>(s.poll_chain), 0, 0);
}

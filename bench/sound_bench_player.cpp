// The player side of the sound output benchmark: the program's own engine
// with a window up and the toolkit's loop running, playing one file the way
// Play does (the engine picks the backend and its poll cadence), or nothing
// at all, with the digital driver named on the command line.
//
// Usage: bench_sound_player <KSAL|ALSA> <mp3|ogg|mod|idle> <file>
// Prints "driver <id>" once sound is installed. SIGUSR1 presses Stop and
// prints "stopped <steady-clock ns>" taken just before; the engine brings
// its poll run forward, which stops the song, as in the program. SIGTERM
// ends the loop.
#include "player/engine.h"
#include "playlist/playlist.h"
#include "toolkit/toolkit.h"

#include <allegro.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

volatile std::sig_atomic_t stop_requested = 0;
volatile std::sig_atomic_t quit_requested = 0;

long long steady_ns()
{
   return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Watches for the signals beside the engine's own poll, every 250 ms: rarely
// enough to add nothing worth measuring. The Stop latency is timed from the
// stop_song call, as a click would make it.
void watch(void *)
{
   if (quit_requested) {
      StopEventLoop();
      return;
   }
   if (stop_requested == 1) {
      stop_requested = 2;
      std::printf("stopped %lld\n", steady_ns());
      std::fflush(stdout);
      stop_song();
   }
   QueueCall(watch, nullptr, 250, 0);
}

}

int main(int argc, char **argv)
{
   if (argc != 4) {
      std::fprintf(stderr, "usage: %s <KSAL|ALSA> <mp3|ogg|mod|idle> <file>\n", argv[0]);
      return 2;
   }
   const std::string kind = argv[2];
   UseToolkitBackgroundThread();
   if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0)
      return 2;
   // After Allegro, whose own handler would shut it down under the loop.
   std::signal(SIGUSR1, [](int) { stop_requested = 1; });
   std::signal(SIGTERM, [](int) { quit_requested = 1; });
   // Settings in memory only: nothing is written back at exit.
   set_config_data("", 0);
   set_config_string("sound", "digi_card", argv[1]);
   // The modules play at the rate the streams play at.
   set_config_int("dos", "it_sound_freq", 44100);
   set_config_int("dos", "it_buffer_size", 4);
   install_keyboard();
   install_mouse();
   if (player_init() != 0 || !digi_driver || digi_driver->id == DIGI_NONE) {
      std::fprintf(stderr, "no sound: %s\n", allegro_error);
      return 2;
   }
   set_color_depth(16);
   if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0) {
      std::fprintf(stderr, "no window: %s\n", allegro_error);
      return 2;
   }
   StartToolkit(0, 0, 0, nullptr, nullptr);
   std::printf("driver %c%c%c%c\n", digi_driver->id >> 24 & 0xFF, digi_driver->id >> 16 & 0xFF,
               digi_driver->id >> 8 & 0xFF, digi_driver->id & 0xFF);
   std::fflush(stdout);

   const std::unique_ptr<PLAYLIST, void (*)(PLAYLIST *)> playlist(playlist_create(), playlist_destroy);
   main_playlist = playlist.get();
   if (kind != "idle") {
      playlist_insert(main_playlist, 0, argv[3], 0);
      main_playlist->current = 0;
      play_current_song();
      if (!song_playing) {
         std::fprintf(stderr, "cannot play %s\n", argv[3]);
         return 2;
      }
   }
   start_player_poll();
   QueueCall(watch, nullptr, 0, 0);
   RunEventLoop();
   song_playing = 0;
   stop_backend();
   main_playlist = nullptr;
   StopToolkit();
   remove_sound();
   return 0;
}

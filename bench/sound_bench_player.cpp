// The player side of the sound output benchmark: a minimal program of ours
// with a window up and the toolkit's loop running, playing one file through
// the stream players (MP3, Ogg) or DUMB (a module) into an Allegro audio
// stream, or nothing at all, with the digital driver named on the command
// line. The poll refills the stream and re-queues itself with a delay.
//
// Usage: bench_sound_player <KSAL|ALSA> <mp3|ogg|mod|idle> <file> <poll_ms>
// Prints "driver <id>" once sound is installed. SIGUSR1 stops the song the
// way Stop does and prints "stopped <steady-clock ns>" taken just before
// the stop call; SIGTERM ends the loop and the program.
#include "player/sound_output.h"
#include "streams/mp3_player.h"
#include "streams/ogg_player.h"
#include "toolkit/events.h"
#include "toolkit/toolkit.h"

#include <allegro.h>
#include <dumb.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr int kStreamBytes = 32 * 1024;   // the player's default mp3oggbuffer
constexpr int kModuleFrames = 4096;

volatile std::sig_atomic_t stop_requested = 0;
volatile std::sig_atomic_t quit_requested = 0;

struct DuhDeleter {
   void operator()(DUH *duh) const { unload_duh(duh); }
};
struct RendererDeleter {
   void operator()(DUH_SIGRENDERER *renderer) const { duh_end_sigrenderer(renderer); }
};
struct StreamDeleter {
   void operator()(AUDIOSTREAM *stream) const { stop_audio_stream(stream); }
};
struct Mp3Deleter {
   void operator()(MP3_PLAYER *player) const { mp3_player_destroy(player); }
};
struct OggDeleter {
   void operator()(OGG_PLAYER *player) const { ogg_player_destroy(player); }
};

struct Playback {
   std::string kind;
   int poll_ms = 20;
   std::vector<char> file;
   std::unique_ptr<MP3_PLAYER, Mp3Deleter> mp3;
   std::unique_ptr<OGG_PLAYER, OggDeleter> ogg;
   std::unique_ptr<DUH, DuhDeleter> duh;
   std::unique_ptr<DUH_SIGRENDERER, RendererDeleter> renderer;
   std::unique_ptr<AUDIOSTREAM, StreamDeleter> module_stream;
   bool playing = false;
};

Playback playback;

long long steady_ns()
{
   return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

bool start(const std::string &path)
{
   if (playback.kind == "idle")
      return true;
   if (playback.kind == "mod") {
      dumb_register_stdfiles();
      playback.duh.reset(dumb_load_mod(path.c_str()));
      if (!playback.duh)
         return false;
      playback.renderer.reset(duh_start_sigrenderer(playback.duh.get(), 0, 2, 0));
      playback.module_stream.reset(play_audio_stream(kModuleFrames, 16, TRUE, kRate, 255, 128));
      return playback.playing = playback.renderer && playback.module_stream;
   }
   std::ifstream in(path, std::ios::binary);
   playback.file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
   const int size = static_cast<int>(playback.file.size());
   if (playback.kind == "mp3") {
      playback.mp3.reset(mp3_player_create(playback.file.data(), size));
      return playback.playing = playback.mp3 && mp3_player_play(playback.mp3.get(), kStreamBytes, 255, 128) == 0;
   }
   playback.ogg.reset(ogg_player_create(playback.file.data(), size));
   return playback.playing = playback.ogg && ogg_player_play(playback.ogg.get(), kStreamBytes, 255, 128) == 0;
}

void refill()
{
   if (playback.mp3)
      mp3_player_poll(playback.mp3.get());
   else if (playback.ogg)
      ogg_player_poll(playback.ogg.get());
   else if (playback.module_stream) {
      AUDIOSTREAM *stream = playback.module_stream.get();
      while (void *buffer = get_audio_stream_buffer(stream)) {
         duh_render(playback.renderer.get(), 16, 1, 1.0f, 65536.0f / kRate, stream->len, buffer);
         free_audio_stream_buffer(stream);
      }
   }
}

void stop()
{
   std::printf("stopped %lld\n", steady_ns());
   if (playback.mp3)
      mp3_player_stop(playback.mp3.get());
   else if (playback.ogg)
      ogg_player_stop(playback.ogg.get());
   else if (playback.module_stream)
      voice_stop(playback.module_stream->voice);
   std::fflush(stdout);
   playback.playing = false;
}

void poll(void *)
{
   if (quit_requested) {
      StopEventLoop();
      return;
   }
   if (stop_requested && playback.playing)
      stop();
   if (playback.playing)
      refill();
   QueueCall(poll, nullptr, playback.poll_ms, 0);
}

}

int main(int argc, char **argv)
{
   if (argc != 5) {
      std::fprintf(stderr, "usage: %s <KSAL|ALSA> <mp3|ogg|mod|idle> <file> <poll_ms>\n", argv[0]);
      return 2;
   }
   const std::string driver = argv[1];
   playback.kind = argv[2];
   playback.poll_ms = std::atoi(argv[4]);
   std::signal(SIGUSR1, [](int) { stop_requested = 1; });
   std::signal(SIGTERM, [](int) { quit_requested = 1; });

   if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0)
      return 2;
   // Settings in memory only: nothing is written back at exit.
   set_config_data("", 0);
   set_config_string("sound", "digi_card", driver.c_str());
   set_color_depth(16);
   if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0) {
      std::fprintf(stderr, "no window: %s\n", allegro_error);
      return 2;
   }
   install_keyboard();
   install_mouse();
   StartToolkit(0, 0, 0, nullptr, nullptr);
   sound_output_register();
   set_volume_per_voice(2);
   if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0) {
      std::fprintf(stderr, "no sound: %s\n", allegro_error);
      return 2;
   }
   std::printf("driver %c%c%c%c\n", digi_driver->id >> 24 & 0xFF, digi_driver->id >> 16 & 0xFF,
               digi_driver->id >> 8 & 0xFF, digi_driver->id & 0xFF);
   std::fflush(stdout);
   if (!start(argv[3])) {
      std::fprintf(stderr, "cannot play %s\n", argv[3]);
      return 2;
   }
   QueueCall(poll, nullptr, 0, 0);
   RunEventLoop();
   playback = Playback();
   StopToolkit();
   remove_sound();
   return 0;
}

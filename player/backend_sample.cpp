// WAV and VOC: the file loaded as one Allegro sample, played once on one
// mixer voice. Allegro's mixer plays it without help; the poll only watches
// the voice for the end.
#include "player/backend.h"

#include "player/engine.h"

#include <allegro.h>

#include <memory>

namespace {

struct DestroySample {
   void operator()(SAMPLE *s) const { destroy_sample(s); }
};

struct SampleSong {
   std::unique_ptr<SAMPLE, DestroySample> sample;
   int voice = -1;
   // Where a paused voice stood: voice_stop keeps the place, but a stopped
   // voice reads as finished, so the place is kept here too.
   int paused_at = -1;
};

SampleSong &live()
{
   static SampleSong song;
   return song;
}

void release()
{
   SampleSong &s = live();
   if (s.voice >= 0) {
      voice_stop(s.voice);
      deallocate_voice(s.voice);
   }
   s.voice = -1;
   s.paused_at = -1;
   s.sample.reset();
}

int start(const char *name, const FILE_IMAGE *)
{
   SampleSong &s = live();
   release();
   s.sample.reset(load_sample(name));
   if (!s.sample || s.sample->len == 0) {
      s.sample.reset();
      return SONG_REFUSED;
   }
   s.voice = allocate_voice(s.sample.get());
   if (s.voice < 0) {
      s.sample.reset();
      return SONG_NO_VOICE;
   }
   voice_set_playmode(s.voice, PLAYMODE_PLAY);
   voice_start(s.voice);
   return SONG_OK;
}

int poll()
{
   return voice_get_position(live().voice) >= 0 ? 1 : 0;
}

double position()
{
   const SampleSong &s = live();
   const int at = s.paused_at >= 0 ? s.paused_at : voice_get_position(s.voice);
   return at > 0 ? static_cast<double>(at) / s.sample->freq : 0.0;
}

double length()
{
   const SampleSong &s = live();
   return static_cast<double>(s.sample->len) / s.sample->freq;
}

void pause(int paused)
{
   SampleSong &s = live();
   if (paused) {
      s.paused_at = voice_get_position(s.voice);
      voice_stop(s.voice);
   } else {
      if (s.paused_at >= 0)
         voice_set_position(s.voice, s.paused_at);
      s.paused_at = -1;
      voice_start(s.voice);
   }
}

void seek(double fraction)
{
   SampleSong &s = live();
   const auto target = static_cast<int>(fraction * static_cast<double>(s.sample->len - 1));
   if (s.paused_at >= 0)
      s.paused_at = target;
   else
      voice_set_position(s.voice, target);
}

int poll_interval_ms()
{
   return 40;
}

const char *const EXTENSIONS[] = {"WAV", "VOC", nullptr};

}

const BACKEND sample_backend = {BACKEND_SAMPLE, EXTENSIONS, false,   start,           poll, position, length,
                                pause,          seek,       release, poll_interval_ms};

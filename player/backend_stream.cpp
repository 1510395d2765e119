// MPEG audio (MP3, MP2, MPG) and Ogg Vorbis: a stream player over the file
// image the engine read, fed one stream buffer per poll.
#include "player/backend.h"

#include "player/engine.h"
#include "player/stream_buffer.h"
#include "streams/mp3_player.h"
#include "streams/ogg_player.h"

#include <allegro.h>

#include <climits>
#include <cmath>
#include <memory>

namespace {

// The operations of one player type, so both backends share one body.
template <class P>
struct PlayerOps;

template <>
struct PlayerOps<MP3_PLAYER> {
   static constexpr int kind = BACKEND_MP3;
   static constexpr int min_buffer = MP3_MIN_BUFFER_BYTES;
   static MP3_PLAYER *create(const void *d, int n) { return mp3_player_create(d, n); }
   static void destroy(MP3_PLAYER *p) { mp3_player_destroy(p); }
   static int play(MP3_PLAYER *p, int len) { return mp3_player_play(p, len, 255, 128); }
   static int poll(MP3_PLAYER *p) { return mp3_player_poll(p); }
   static int pos_msecs(MP3_PLAYER *p) { return mp3_player_pos_msecs(p); }
   static int length_msecs(MP3_PLAYER *p) { return mp3_player_length_msecs(p); }
   static void seek_msecs(MP3_PLAYER *p, int ms) { mp3_player_seek_msecs(p, ms); }
   static AUDIOSTREAM *stream(MP3_PLAYER *p) { return mp3_player_audio_stream(p); }
};

template <>
struct PlayerOps<OGG_PLAYER> {
   static constexpr int kind = BACKEND_OGG;
   static constexpr int min_buffer = OGG_MIN_BUFFER_BYTES;
   static OGG_PLAYER *create(const void *d, int n) { return ogg_player_create(d, n); }
   static void destroy(OGG_PLAYER *p) { ogg_player_destroy(p); }
   static int play(OGG_PLAYER *p, int len) { return ogg_player_play(p, len, 255, 128); }
   static int poll(OGG_PLAYER *p) { return ogg_player_poll(p); }
   static int pos_msecs(OGG_PLAYER *p) { return ogg_player_pos_msecs(p); }
   static int length_msecs(OGG_PLAYER *p) { return ogg_player_length_msecs(p); }
   static void seek_msecs(OGG_PLAYER *p, int ms) { ogg_player_seek_msecs(p, ms); }
   static AUDIOSTREAM *stream(OGG_PLAYER *p) { return ogg_player_audio_stream(p); }
};

template <class P>
struct StreamSong {
   using Ops = PlayerOps<P>;
   struct Destroy {
      void operator()(P *p) const { Ops::destroy(p); }
   };
   std::unique_ptr<P, Destroy> player;
   // The stream buffer's frames and rate, for the poll cadence.
   int buffer_frames = 0;
   int freq = 0;

   static StreamSong &live()
   {
      static StreamSong song;
      return song;
   }

   static int start(const char *, const FILE_IMAGE *image)
   {
      if (!image || image->size == 0)
         return SONG_EMPTY_FILE;
      if (image->size > static_cast<size_t>(INT_MAX))
         return SONG_REFUSED;
      StreamSong &s = live();
      s.player.reset(Ops::create(image->data, static_cast<int>(image->size)));
      if (!s.player)
         return SONG_REFUSED;
      if (Ops::play(s.player.get(), stream_buffer_bytes(mp3oggbuffer, Ops::min_buffer)) != 0) {
         s.player.reset();
         return digi_driver && digi_driver->id != DIGI_NONE ? SONG_NO_VOICE : SONG_NO_SOUND;
      }
      const AUDIOSTREAM *stream = Ops::stream(s.player.get());
      s.buffer_frames = stream ? stream->len : 0;
      s.freq = stream ? voice_get_frequency(stream->voice) : 0;
      return SONG_OK;
   }

   // The player stops its stream by itself after the last buffer (1) or a
   // decoding failure (-2); -1 means it is not playing, which while the
   // engine polls (never during a pause) also means the song is over.
   static int poll() { return Ops::poll(live().player.get()) == 0 ? 1 : 0; }

   static double position() { return Ops::pos_msecs(live().player.get()) / 1000.0; }
   static double length() { return Ops::length_msecs(live().player.get()) / 1000.0; }

   // The stream's voice stops where it is, with what it holds, and the
   // engine does not poll meanwhile: nothing is decoded, nothing is lost.
   static void pause(int paused)
   {
      const AUDIOSTREAM *stream = Ops::stream(live().player.get());
      if (!stream)
         return;
      if (paused)
         voice_stop(stream->voice);
      else
         voice_start(stream->voice);
   }

   static void seek(double fraction)
   {
      P *p = live().player.get();
      Ops::seek_msecs(p, static_cast<int>(std::floor(fraction * Ops::length_msecs(p))));
   }

   static void stop() { live().player.reset(); }

   static int poll_interval_ms() { return stream_poll_interval_ms(live().buffer_frames, live().freq); }
};

const char *const MP3_EXTENSIONS[] = {"MP3", "MP2", "MPG", nullptr};
const char *const OGG_EXTENSIONS[] = {"OGG", nullptr};

template <class P>
constexpr BACKEND stream_backend(const char *const *extensions)
{
   using S = StreamSong<P>;
   return BACKEND{PlayerOps<P>::kind, extensions, true,    S::start,           S::poll, S::position, S::length,
                  S::pause,           S::seek,    S::stop, S::poll_interval_ms};
}

}

const BACKEND mp3_backend = stream_backend<MP3_PLAYER>(MP3_EXTENSIONS);
const BACKEND ogg_backend = stream_backend<OGG_PLAYER>(OGG_EXTENSIONS);

#include "player/dumb_glue.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

// ---- DUMB's file reading over Allegro packfiles

PACKFILE *packfile(void *f)
{
   return static_cast<PACKFILE *>(f);
}

void *packfile_open(const char *filename)
{
   return pack_fopen(filename, F_READ);
}

int packfile_skip(void *f, long n)
{
   // Offsets come from the file being read; a damaged one can point
   // backwards or far beyond anything a packfile can skip.
   if (n < 0 || n > INT_MAX)
      return -1;
   return pack_fseek(packfile(f), static_cast<int>(n)) == 0 ? 0 : -1;
}

int packfile_getc(void *f)
{
   return pack_getc(packfile(f));
}

long packfile_getnc(char *ptr, long n, void *f)
{
   return pack_fread(ptr, n, packfile(f));
}

void packfile_close(void *f)
{
   pack_fclose(packfile(f));
}

DUMBFILE_SYSTEM packfile_system = {packfile_open, packfile_skip, packfile_getc, packfile_getnc, packfile_close};

// ---- the player

constexpr uint16_t SILENCE = 0x8000;
// Far beyond any buffer the program asks for; keeps frame counts in int.
constexpr long MAX_BUFFER_FRAMES = 1L << 20;
// DUMB renders at most this many frames a call. Measured on DUMB 0.9.3: the
// call in which a song ends comes out altered from its first frame on when it
// began before the song's last note (samples up to 20000 apart), while every
// other call gives the same samples whatever its size. Small calls keep that
// stretch short; a test song's last buffer of 64 Ki frames shows the damage.
constexpr long RENDER_STEP = 1024;

struct SigrendererEnder {
   void operator()(DUH_SIGRENDERER *sr) const { duh_end_sigrenderer(sr); }
};
struct StreamStopper {
   void operator()(AUDIOSTREAM *stream) const { stop_audio_stream(stream); }
};
using SigrendererPtr = std::unique_ptr<DUH_SIGRENDERER, SigrendererEnder>;
using StreamPtr = std::unique_ptr<AUDIOSTREAM, StreamStopper>;

}  // namespace

struct AL_DUH_PLAYER {
   DUH *duh;
   int n_channels;
   int bufsize;
   int freq;
   float volume;

   SigrendererPtr renderer;  // null once the song is rendered to its end
   StreamPtr stream;         // null once everything has been played
   long start_pos = 0;       // where rendering (re)started, 1/65536 s
   // Counted in sample frames since start_pos. Real audio comes first in the
   // stream; after the song's end only silence is queued.
   int64_t frames_rendered = 0;
   int64_t frames_played = 0;
   int last_voice_pos = 0;
   bool paused = false;
   bool finished = false;
};

namespace {

// Nothing is left to render from there (DUMB would play the song's loop).
bool past_end(DUH *duh, long pos)
{
   const long length = duh_get_length(duh);
   return length > 0 && pos >= length;
}

SigrendererPtr start_renderer(DUH *duh, int n_channels, long pos)
{
   SigrendererPtr sr(duh_start_sigrenderer(duh, 0, n_channels, pos));
   // Every module type plays through DUMB's IT renderer, which loops by
   // itself; a loop or an XM speed of 0 ends the song here instead.
   if (DUMB_IT_SIGRENDERER *it = sr ? duh_get_it_sigrenderer(sr.get()) : nullptr) {
      dumb_it_set_loop_callback(it, dumb_it_callback_terminate, nullptr);
      dumb_it_set_xm_speed_zero_callback(it, dumb_it_callback_terminate, nullptr);
   }
   return sr;
}

// Fills every buffer the stream gives: rendered audio until the song ends,
// silence afterwards so the looping voice never repeats old audio.
void feed(AL_DUH_PLAYER &dp)
{
   AUDIOSTREAM *stream = dp.stream.get();
   const float delta = 65536.0f / static_cast<float>(dp.freq);
   while (void *buffer = get_audio_stream_buffer(stream)) {
      auto *samples = static_cast<uint16_t *>(buffer);
      long got = 0;
      while (dp.renderer && got < dp.bufsize) {
         const long want = std::min<long>(RENDER_STEP, dp.bufsize - got);
         const long n = std::clamp(
            duh_render(dp.renderer.get(), 16, 1, dp.volume, delta, want, samples + got * dp.n_channels), 0L, want);
         got += n;
         if (n < want)
            dp.renderer.reset();
      }
      std::fill(samples + got * dp.n_channels, samples + static_cast<long>(dp.bufsize) * dp.n_channels, SILENCE);
      free_audio_stream_buffer(stream);
      dp.frames_rendered += got;
   }
}

// Counts what the voice has played since the last look. The voice loops
// over the stream's sample; polls come far more often than once a loop. A
// stopped voice reads -1 and has played nothing.
void count_played(AL_DUH_PLAYER &dp)
{
   const int pos = voice_get_position(dp.stream->voice);
   if (pos < 0)
      return;
   int delta = pos - dp.last_voice_pos;
   if (delta < 0)
      delta += static_cast<int>(dp.stream->samp->len);
   dp.frames_played += delta;
   dp.last_voice_pos = pos;
}

// A new stream, filled at once. Allegro starts a stream's voice when the
// first buffer is handed over, so the first frame heard is the first frame
// rendered; a paused player stops it again.
bool open_stream(AL_DUH_PLAYER &dp)
{
   dp.stream.reset(play_audio_stream(dp.bufsize, 16, dp.n_channels == 2, dp.freq, 255, 128));
   if (!dp.stream)
      return false;
   dp.frames_rendered = 0;
   dp.frames_played = 0;
   dp.last_voice_pos = 0;
   feed(dp);
   if (dp.paused)
      voice_stop(dp.stream->voice);
   return true;
}

void finish(AL_DUH_PLAYER &dp)
{
   dp.stream.reset();
   dp.renderer.reset();
   dp.finished = true;
}

}  // namespace

void dumb_register_packfiles()
{
   register_dumbfile_system(&packfile_system);
}

AL_DUH_PLAYER *al_start_duh(DUH *duh, int n_channels, long pos, float volume, long bufsize, int freq)
{
   if (!duh || (n_channels != 1 && n_channels != 2) || bufsize <= 0 || bufsize > MAX_BUFFER_FRAMES || freq <= 0)
      return nullptr;
   auto dp = std::make_unique<AL_DUH_PLAYER>();
   dp->duh = duh;
   dp->n_channels = n_channels;
   dp->bufsize = static_cast<int>(bufsize);
   dp->freq = freq;
   dp->volume = volume;
   dp->start_pos = std::max(pos, 0L);
   if (!past_end(duh, dp->start_pos)) {
      dp->renderer = start_renderer(duh, n_channels, dp->start_pos);
      if (!dp->renderer)
         return nullptr;
   }
   if (!open_stream(*dp))
      return nullptr;
   return dp.release();
}

void al_stop_duh(AL_DUH_PLAYER *dp)
{
   delete dp;
}

int al_poll_duh(AL_DUH_PLAYER *dp)
{
   if (!dp || dp->finished)
      return 1;
   if (dp->paused)
      return 0;
   count_played(*dp);
   if (!dp->renderer && dp->frames_played >= dp->frames_rendered) {
      finish(*dp);
      return 1;
   }
   feed(*dp);
   return 0;
}

long al_duh_get_position(AL_DUH_PLAYER *dp)
{
   if (!dp || dp->finished)
      return -1;
   count_played(*dp);
   // Only real audio counts; silence after the end or an under-run does not.
   const int64_t frames = std::min(dp->frames_played, dp->frames_rendered);
   return dp->start_pos + static_cast<long>(frames * 65536 / dp->freq);
}

void al_pause_duh(AL_DUH_PLAYER *dp)
{
   if (!dp || dp->finished || dp->paused)
      return;
   count_played(*dp);
   voice_stop(dp->stream->voice);
   dp->paused = true;
}

void al_resume_duh(AL_DUH_PLAYER *dp)
{
   if (!dp || dp->finished || !dp->paused)
      return;
   dp->paused = false;
   voice_start(dp->stream->voice);
}

int al_duh_seek(AL_DUH_PLAYER *dp, long pos)
{
   if (!dp || dp->finished)
      return -1;
   pos = std::max(pos, 0L);
   SigrendererPtr renderer;
   if (!past_end(dp->duh, pos)) {
      renderer = start_renderer(dp->duh, dp->n_channels, pos);
      if (!renderer)
         return -1;
   }
   // The old stream goes first: its voice is the one the new stream needs.
   dp->stream.reset();
   dp->renderer = std::move(renderer);
   dp->start_pos = pos;
   if (!open_stream(*dp)) {
      finish(*dp);
      return -1;
   }
   return 0;
}

AUDIOSTREAM *al_duh_get_audiostream(AL_DUH_PLAYER *dp)
{
   return dp ? dp->stream.get() : nullptr;
}

// Decoding speed of the Ogg player, as a multiple of real time, beside bare
// vorbisfile decoding the same 5-minute file in the same run.
//
// Three ways, taken in turn so that a busy machine slows all alike; each is
// repeated and the fastest run counts:
// - bare: vorbisfile alone over the file in memory, ov_read into one 32 KiB
//   buffer until the end, with the player's output format;
// - bare, whole file: the same into one fresh block of the whole file's PCM,
//   which costs what any sample of that size costs in first-touched memory;
// - make_sample: ogg_player_create + ogg_player_make_sample;
// - poll: the player playing into the capture sound driver with the program's
//   32 KiB buffer; only the time inside ogg_player_poll counts, not mixing.
// Usage: bench_ogg_player [runs]  (needs DISPLAY for the capture driver).
#include "streams/ogg_player.h"

#include "capture_sound.h"

#include <allegro.h>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<char>;

constexpr int buffer_bytes = 32 * 1024;

double seconds_since(Clock::time_point start)
{
   return std::chrono::duration<double>(Clock::now() - start).count();
}

Bytes load(const std::string &path)
{
   std::ifstream in(path, std::ios::binary);
   return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The least a caller of vorbisfile needs to read a block in memory.
struct BareSource {
   const Bytes *file;
   size_t pos = 0;
};

size_t bare_read(void *dest, size_t size, size_t count, void *source)
{
   auto &s = *static_cast<BareSource *>(source);
   const size_t bytes = std::min(size * count, s.file->size() - s.pos) / size * size;
   std::memcpy(dest, s.file->data() + s.pos, bytes);
   s.pos += bytes;
   return bytes / size;
}

int bare_seek(void *source, ogg_int64_t offset, int whence)
{
   auto &s = *static_cast<BareSource *>(source);
   const ogg_int64_t base = whence == SEEK_SET   ? 0
                            : whence == SEEK_CUR ? static_cast<ogg_int64_t>(s.pos)
                                                 : static_cast<ogg_int64_t>(s.file->size());
   const ogg_int64_t target = base + offset;
   if (target < 0 || target > static_cast<ogg_int64_t>(s.file->size()))
      return -1;
   s.pos = static_cast<size_t>(target);
   return 0;
}

long bare_tell(void *source)
{
   return static_cast<long>(static_cast<BareSource *>(source)->pos);
}

// Seconds spent; the decoded byte count goes to *bytes. Decodes into one
// reused buffer, or into a fresh block for the whole file.
double bare_decode_into(const Bytes &file, size_t *bytes, bool whole_file)
{
   const auto start = Clock::now();
   BareSource source{&file};
   OggVorbis_File vf;
   if (ov_open_callbacks(&source, &vf, nullptr, 0, ov_callbacks{bare_read, bare_seek, nullptr, bare_tell}) < 0)
      return -1;
   const size_t capacity = whole_file ? static_cast<size_t>(ov_pcm_total(&vf, -1)) * 4 : buffer_bytes;
   const std::unique_ptr<char[]> buffer(new char[capacity]);
   int section = 0;
   *bytes = 0;
   for (;;) {
      char *dest = buffer.get() + (whole_file ? *bytes : 0);
      const int want = static_cast<int>(std::min<size_t>(buffer_bytes, capacity - (whole_file ? *bytes : 0)));
      const long got = want > 0 ? ov_read(&vf, dest, want, 0, 2, 0, &section) : 0;
      if (got == 0 || (got < 0 && got != OV_HOLE))
         break;
      if (got > 0)
         *bytes += static_cast<size_t>(got);
   }
   ov_clear(&vf);
   return seconds_since(start);
}

double bare_decode(const Bytes &file, size_t *bytes)
{
   return bare_decode_into(file, bytes, false);
}

double bare_whole_decode(const Bytes &file, size_t *bytes)
{
   return bare_decode_into(file, bytes, true);
}

double sample_decode(const Bytes &file, size_t *bytes)
{
   const auto start = Clock::now();
   OGG_PLAYER *player = ogg_player_create(file.data(), static_cast<int>(file.size()));
   SAMPLE *sample = player ? ogg_player_make_sample(player) : nullptr;
   const double seconds = seconds_since(start);
   *bytes = sample ? sample->len * (sample->stereo ? 4 : 2) : 0;
   if (sample)
      destroy_sample(sample);
   ogg_player_destroy(player);
   return sample ? seconds : -1;
}

// Only the time inside ogg_player_poll counts; mixing is the driver's.
double poll_decode(const Bytes &file, size_t *bytes)
{
   OGG_PLAYER *player = ogg_player_create(file.data(), static_cast<int>(file.size()));
   if (!player || ogg_player_play(player, buffer_bytes, 255, 128) != 0) {
      ogg_player_destroy(player);
      return -1;
   }
   const AUDIOSTREAM *stream = ogg_player_audio_stream(player);
   const int half = stream->len * stream->bufcount;
   double seconds = 0;
   *bytes = 0;
   int result = 0;
   while (result == 0) {
      for (;;) {
         const int bufnum = stream->bufnum;
         const auto start = Clock::now();
         result = ogg_player_poll(player);
         seconds += seconds_since(start);
         if (result != 0 || stream->bufnum == bufnum)
            break;
         *bytes += buffer_bytes;
      }
      if (result == 0)
         kstr::test::capture_pull(half);
   }
   ogg_player_destroy(player);
   return result == 1 ? seconds : -1;
}

struct Way {
   const char *name;
   double (*decode)(const Bytes &, size_t *);
   double best = 1e30;
   size_t bytes = 0;
};

}

int main(int argc, char **argv)
{
   const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
   const std::string dir = KSTR_BENCH_DATA;
   const std::string make = std::string("bash ") + KSTR_BENCH_MAKER + " " + dir;
   if (std::system(make.c_str()) != 0) {
      std::fprintf(stderr, "could not make the benchmark file\n");
      return 1;
   }
   const Bytes file = load(dir + "/bench.ogg");
   if (!kstr::test::install_capture_sound(44100))
      return 1;
   // 44.1 kHz stereo, 16-bit: bytes of one second.
   constexpr double bytes_per_second = 44100.0 * 4;

   Way ways[] = {{"bare vorbisfile", bare_decode},
                 {"poll", poll_decode},
                 {"bare, whole file", bare_whole_decode},
                 {"make_sample", sample_decode}};
   for (int run = 0; run < runs; ++run) {
      for (Way &way : ways) {
         size_t bytes = 0;
         const double seconds = way.decode(file, &bytes);
         if (seconds < 0) {
            std::fprintf(stderr, "%s failed\n", way.name);
            return 1;
         }
         way.best = std::min(way.best, seconds);
         way.bytes = bytes;
      }
   }
   // Every way decodes the same audio; the poll path's count includes the
   // silent buffers of the end drain.
   const double audio_seconds = static_cast<double>(ways[0].bytes) / bytes_per_second;
   if (ways[3].bytes != ways[0].bytes)
      std::fprintf(stderr, "make_sample decoded %zu bytes, bare %zu\n", ways[3].bytes, ways[0].bytes);
   std::printf("file: %zu bytes, %.1f s of audio; fastest of %d runs\n", file.size(), audio_seconds, runs);
   // The poll path is compared with bare decoding into a buffer, make_sample
   // with bare decoding into a whole-file block.
   for (size_t i = 0; i < std::size(ways); ++i) {
      const Way &way = ways[i];
      const Way &bare = ways[i / 2 * 2];
      std::printf("%-17s %8.3f s  %7.1f x real time  over %-17s %+5.1f %%\n", way.name, way.best,
                  audio_seconds / way.best, bare.name, (way.best / bare.best - 1) * 100);
   }
   return 0;
}

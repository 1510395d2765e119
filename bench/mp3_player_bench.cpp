// Decoding speed of the MP3 player, as a multiple of real time, beside bare
// libmpg123 decoding the same 5-minute files in the same run.
//
// Three ways, taken in turn so that a busy machine slows all alike; each is
// repeated and the fastest run counts:
// - bare: libmpg123 alone, the whole file fed at once, decoded frame after
//   frame into the library's own buffer; and the same fed in the pieces the
//   player feeds, to tell the cost of that feeding from the player's own; and
//   into one block holding the whole PCM, the work make_sample does;
// - make_sample: mp3_player_create + mp3_player_make_sample;
// - poll: the player playing into the capture sound driver with the program's
//   32 KiB buffer; only the time inside mp3_player_poll counts, not mixing.
// Usage: bench_mp3_player [runs]  (needs DISPLAY for the capture driver).
#include "streams/mp3_player.h"

#include "capture_sound.h"

#include <allegro.h>
#include <mpg123.h>

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
using Bytes = std::vector<uint8_t>;

double seconds_since(Clock::time_point start)
{
   return std::chrono::duration<double>(Clock::now() - start).count();
}

Bytes load(const std::string &path)
{
   std::ifstream in(path, std::ios::binary);
   return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct HandleDeleter {
   void operator()(mpg123_handle *handle) const { mpg123_delete(handle); }
};

// Seconds of 44.1 kHz stereo audio decoded, with the time it took.
struct Timing {
   double audio_seconds = 0;
   double cpu_seconds = 0;
};

using Handle = std::unique_ptr<mpg123_handle, HandleDeleter>;

// A feed-mode handle giving 16-bit stereo at 44.1 kHz, the Info frame decoded.
Handle bare_handle()
{
   Handle handle(mpg123_new(nullptr, nullptr));
   mpg123_param(handle.get(), MPG123_FLAGS, MPG123_QUIET | MPG123_IGNORE_INFOFRAME | MPG123_FORCE_ENDIAN, 0);
   mpg123_format_none(handle.get());
   mpg123_format(handle.get(), 44100, MPG123_STEREO, MPG123_ENC_SIGNED_16);
   mpg123_open_feed(handle.get());
   return handle;
}

// libmpg123 alone: `chunk` 0 feeds the whole file at once, else pieces of
// that size whenever the decoder asks for more. With `keep` every frame is
// copied into one block sized for the whole file's PCM (the work make_sample
// does), else it stays in the library's buffer: decoding and nothing else.
Timing bare_decode_in(const Bytes &file, size_t chunk, bool keep)
{
   const auto start = Clock::now();
   const Handle handle = bare_handle();
   const size_t capacity = keep ? 301 * 44100 * 4 : 0;
   std::unique_ptr<uint8_t, decltype(&std::free)> pcm(static_cast<uint8_t *>(std::malloc(capacity)), &std::free);
   size_t fed = chunk ? 0 : file.size();
   mpg123_feed(handle.get(), file.data(), fed);
   size_t total = 0;
   for (;;) {
      off_t frame = 0;
      unsigned char *audio = nullptr;
      size_t bytes = 0;
      const int r = mpg123_decode_frame(handle.get(), &frame, &audio, &bytes);
      if (keep)
         std::memcpy(pcm.get() + std::min(total, capacity), audio,
                     std::min(bytes, capacity - std::min(total, capacity)));
      total += bytes;
      if (r == MPG123_NEED_MORE && fed < file.size()) {
         const size_t n = std::min(chunk, file.size() - fed);
         mpg123_feed(handle.get(), file.data() + fed, n);
         fed += n;
      } else if (r != MPG123_OK && r != MPG123_NEW_FORMAT) {
         break;
      }
   }
   return {static_cast<double>(total) / (44100 * 4), seconds_since(start)};
}

Timing bare_decode(const Bytes &file)
{
   return bare_decode_in(file, 0, false);
}

// The pieces the player feeds: the first frame's length + 4, or 1792 bytes
// for a file with a Xing record.
size_t player_chunk(const Bytes &file)
{
   const bool xing = file.size() > 40 && std::memcmp(file.data() + 36, "Xing", 4) == 0;
   if (xing)
      return 1792;
   const int kbps[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
   return static_cast<size_t>(144000 * kbps[file[2] >> 4] / 44100 + ((file[2] >> 1) & 1) + 4);
}

Timing sample_decode(const Bytes &file)
{
   const auto start = Clock::now();
   MP3_PLAYER *player = mp3_player_create(file.data(), static_cast<int>(file.size()));
   SAMPLE *sample = player ? mp3_player_make_sample(player) : nullptr;
   const double elapsed = seconds_since(start);
   const double audio = sample ? static_cast<double>(sample->len) / sample->freq : 0;
   destroy_sample(sample);
   mp3_player_destroy(player);
   return {audio, elapsed};
}

Timing poll_decode(const Bytes &file)
{
   Timing timing;
   MP3_PLAYER *player = mp3_player_create(file.data(), static_cast<int>(file.size()));
   if (!player || mp3_player_play(player, 32 * 1024, 255, 128) != 0) {
      mp3_player_destroy(player);
      return timing;
   }
   const int pull =
      mp3_player_audio_stream(player)->len / kstr::test::kCaptureBlockFrames * kstr::test::kCaptureBlockFrames;
   int buffers = 0;
   for (bool playing = true; playing;) {
      for (;;) {
         AUDIOSTREAM *stream = mp3_player_audio_stream(player);
         const int bufnum = stream->bufnum;
         const auto start = Clock::now();
         const int r = mp3_player_poll(player);
         timing.cpu_seconds += seconds_since(start);
         if (r != 0) {
            playing = false;
            break;
         }
         if (stream->bufnum == bufnum)
            break;
         ++buffers;
      }
      if (playing)
         kstr::test::capture_pull(pull);
   }
   // Buffers of 7 frames of 1152 sample frames; the last two were silent.
   timing.audio_seconds = static_cast<double>(buffers - 1) * 7 * 1152 / 44100;
   mp3_player_destroy(player);
   return timing;
}

struct Result {
   std::vector<double> speeds;  // multiples of real time
   double best() const { return *std::max_element(speeds.begin(), speeds.end()); }
   double median() const
   {
      std::vector<double> s = speeds;
      std::sort(s.begin(), s.end());
      return s[s.size() / 2];
   }
};

}

int main(int argc, char **argv)
{
   const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
   const std::string make = std::string("bash ") + KSTR_BENCH_MAKER + " " + KSTR_BENCH_DATA;
   if (std::system(make.c_str()) != 0) {
      std::fprintf(stderr, "could not make the benchmark files\n");
      return 1;
   }
   if (!kstr::test::install_capture_sound(44100)) {
      std::fprintf(stderr, "no capture sound driver (is DISPLAY set?)\n");
      return 1;
   }
   mpg123_init();

   for (const char *name : {"bench_cbr.mp3", "bench_vbr.mp3"}) {
      const Bytes file = load(std::string(KSTR_BENCH_DATA) + "/" + name);
      const size_t chunk = player_chunk(file);
      Result bare, chunked, memory, sample, poll;
      for (int run = 0; run < runs; ++run) {
         using Way = Timing (*)(const Bytes &);
         for (auto [result, way] :
              {std::pair<Result *, Way>{&bare, bare_decode}, std::pair<Result *, Way>{&sample, sample_decode},
               std::pair<Result *, Way>{&poll, poll_decode}}) {
            const Timing t = way(file);
            result->speeds.push_back(t.cpu_seconds > 0 ? t.audio_seconds / t.cpu_seconds : 0);
         }
         const Timing t = bare_decode_in(file, chunk, false);
         chunked.speeds.push_back(t.audio_seconds / t.cpu_seconds);
         const Timing m = bare_decode_in(file, 0, true);
         memory.speeds.push_back(m.audio_seconds / m.cpu_seconds);
      }
      std::printf("%s (%zu bytes, %d runs), multiple of real time, best / median:\n", name, file.size(), runs);
      std::printf("  bare libmpg123   %7.1f / %7.1f\n", bare.best(), bare.median());
      std::printf("  bare, %4zu-byte pieces %7.1f / %7.1f   overhead %+5.1f%%\n", chunk, chunked.best(),
                  chunked.median(), (bare.best() / chunked.best() - 1) * 100);
      std::printf("  bare, into memory %6.1f / %7.1f   overhead %+5.1f%%\n", memory.best(), memory.median(),
                  (bare.best() / memory.best() - 1) * 100);
      std::printf("  make_sample      %7.1f / %7.1f   overhead %+5.1f%%, %+5.1f%% over bare into memory\n",
                  sample.best(), sample.median(), (bare.best() / sample.best() - 1) * 100,
                  (memory.best() / sample.best() - 1) * 100);
      std::printf("  poll (32 KiB)    %7.1f / %7.1f   overhead %+5.1f%%\n", poll.best(), poll.median(),
                  (bare.best() / poll.best() - 1) * 100);
   }
   return 0;
}

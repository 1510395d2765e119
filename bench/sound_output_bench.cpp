// Sound output benchmark on the real sound path: a private null sink with
// ALSA routed into it and its monitor recorded (tests/support/pulse_sink.h).
// In one run, one after the other on the same sink, it plays the same
// 60-second files through
//   - the program's engine (bench_sound_player: a window, the toolkit's loop,
//     Play on a one-entry playlist, the engine's own poll cadence) with
//     Allegro's own ALSA driver, and with the program's own driver (KSAL);
//   - the reference players: mpg123 -o alsa, ogg123 -d alsa, openmpt123
//     --batch (through its ALSA device);
// and for each measures the CPU of the process as a share of one core over
// the measuring time (from /proc/<pid>/stat utime + stime, after a warm-up),
// and for ours the Stop latency (from the stop call to the last sound in the
// recording; Pause is the same voice stop) and whether the recording is the
// file's audio: every 10 ms block against the file decoded by mpg123/oggdec,
// which finds under-runs (gaps) and blocks played twice. Last, the idle cost
// of our player with the window up and nothing playing, with both drivers.
//
// Usage: bench_sound_output [seconds=30]  (needs DISPLAY)
#include "child_process.h"
#include "pulse_sink.h"
#include "recording_match.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace kstr::test;
using Clock = std::chrono::steady_clock;

constexpr auto kWarmUp = std::chrono::seconds(3);
constexpr double kIntactBlock = 0.99;
// Our player mixes with set_volume_per_voice(2), as the program does.
constexpr double kOurGain = 0.25;

struct Case {
   std::string title;
   std::vector<std::string> command;
   bool ours = false;           // bench_sound_player
   bool stops = false;          // ours, playing: the stop latency is measured
   const char *reference = "";  // decoded PCM the recording must match, or ""
};

struct Result {
   double cpu_percent = -1;
   std::optional<double> stop_latency_ms;
   std::size_t blocks = 0;
   std::size_t bad_blocks = 0;
   std::optional<std::size_t> first_bad;  // a gap shifts all blocks after it
   double worst_block = 1.0;
   std::string note;
};

std::vector<int16_t> load_pcm(const std::string &path)
{
   std::ifstream in(path, std::ios::binary);
   const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
   std::vector<int16_t> pcm(bytes.size() / 2);
   std::memcpy(pcm.data(), bytes.data(), pcm.size() * 2);
   return pcm;
}

// One line from the child's standard output, or "" after `timeout`.
std::string read_line(int fd, std::chrono::milliseconds timeout)
{
   std::string line;
   const auto deadline = Clock::now() + timeout;
   while (Clock::now() < deadline) {
      pollfd ready{fd, POLLIN, 0};
      if (poll(&ready, 1, 50) <= 0)
         continue;
      char c = 0;
      if (read(fd, &c, 1) != 1)
         break;
      if (c == '\n')
         return line;
      line += c;
   }
   return "";
}

// Compares what the recording holds from `from` to `to` with the file's
// decoded audio, both located by their first clear sound (the file's noise
// starts loud; `gain` is what the player's volume does to it).
void compare(const std::vector<int16_t> &recording, std::size_t from, std::size_t to,
             const std::vector<int16_t> &decoded, double gain, Result &result)
{
   constexpr int kClear = 2000;
   const std::size_t heard = first_loud_frame(recording, from, static_cast<int>(kClear * gain));
   const std::size_t start = first_loud_frame(decoded, 0, kClear);
   const std::vector<int16_t> reference(decoded.begin() + static_cast<std::ptrdiff_t>(start * 2), decoded.end());
   const Alignment at = align(recording, reference, heard > 3000 ? heard - 3000 : 0, heard + 3000);
   if (at.correlation < kIntactBlock || to <= at.offset + kSinkRate / 100) {
      result.note = "file's audio not found in the recording";
      return;
   }
   const std::vector<double> blocks =
      block_correlations(recording, at.offset, reference, to - at.offset - kSinkRate / 100, kSinkRate / 100);
   result.blocks = blocks.size();
   for (std::size_t i = 0; i < blocks.size(); ++i) {
      if (blocks[i] >= kIntactBlock)
         continue;
      ++result.bad_blocks;
      if (!result.first_bad)
         result.first_bad = i;
   }
   result.worst_block = worst_of(blocks).value;
}

Result measure(const Case &c, SinkRecorder &recorder, std::chrono::seconds span)
{
   Result result;
   const std::size_t from = recorder.frames().size() / 2;
   ChildProcess child(c.command, c.ours);
   if (c.ours && read_line(child.stdout_fd(), std::chrono::seconds(10)).rfind("driver ", 0) != 0) {
      result.note = "the player did not start";
      return result;
   }
   std::this_thread::sleep_for(kWarmUp);
   const double cpu_before = process_cpu_seconds(child.pid());
   const auto wall_before = Clock::now();
   std::this_thread::sleep_for(span);
   const double cpu_after = process_cpu_seconds(child.pid());
   const double wall = std::chrono::duration<double>(Clock::now() - wall_before).count();
   if (cpu_before < 0 || cpu_after < 0) {
      result.note = "the player ended early";
      return result;
   }
   result.cpu_percent = 100.0 * (cpu_after - cpu_before) / wall;

   std::size_t to = recorder.frames().size() / 2;
   if (c.stops) {
      kill(child.pid(), SIGUSR1);
      const std::string line = read_line(child.stdout_fd(), std::chrono::seconds(5));
      if (line.rfind("stopped ", 0) == 0) {
         const Clock::time_point stopped{std::chrono::nanoseconds(std::stoll(line.substr(8)))};
         // Allegro's driver queues about a second: wait well past it.
         std::this_thread::sleep_for(std::chrono::milliseconds(2500));
         const std::vector<int16_t> frames = recorder.frames();
         const std::size_t last = last_loud_frame(frames, from, 0);
         result.stop_latency_ms =
            std::chrono::duration<double, std::milli>(recorder.frame_time(last + 1) - stopped).count();
         to = last + 1;
      }
   }
   child.stop(SIGTERM);
   if (*c.reference) {
      compare(recorder.frames(), from, to, load_pcm(c.reference), c.ours ? kOurGain : 1.0, result);
   }
   return result;
}

void print(const Case &c, const Result &r)
{
   std::printf("%-44s", c.title.c_str());
   if (r.cpu_percent >= 0)
      std::printf(" CPU %6.2f %%", r.cpu_percent);
   else
      std::printf(" CPU      -  ");
   if (r.stop_latency_ms)
      std::printf("  stop %7.1f ms", *r.stop_latency_ms);
   else
      std::printf("  stop       -   ");
   if (r.blocks)
      std::printf("  blocks %zu, bad %zu, worst %.5f", r.blocks, r.bad_blocks, r.worst_block);
   if (r.first_bad)
      std::printf(", first bad at %.2f s", static_cast<double>(*r.first_bad) / 100);
   if (!r.note.empty())
      std::printf("  (%s)", r.note.c_str());
   std::printf("\n");
   std::fflush(stdout);
}

}

int main(int argc, char **argv)
{
   const auto span = std::chrono::seconds(argc > 1 ? std::max(1, std::atoi(argv[1])) : 30);
   const std::string data = KSTR_BENCH_DATA;
   if (std::system(("bash " KSTR_BENCH_MAKER " " + data).c_str()) != 0) {
      std::fprintf(stderr, "could not make the benchmark files\n");
      return 1;
   }
   PulseNullSink sink;
   if (!sink.ok()) {
      std::fprintf(stderr, "%s\n", sink.error().c_str());
      return 1;
   }
   SinkRecorder recorder;
   if (!recorder.wait_started()) {
      std::fprintf(stderr, "the sink's monitor cannot be recorded (parec)\n");
      return 1;
   }
   const std::string player = KSTR_BENCH_PLAYER;
   const std::string mp3 = data + "/bench.mp3", ogg = data + "/bench.ogg", mod = data + "/bench.mod";
   const std::string mp3_pcm = data + "/bench_mp3.raw", ogg_pcm = data + "/bench_ogg.raw";
   const auto ours = [&](std::string title, const char *driver, const char *kind, std::string file,
                         const std::string &reference) {
      const bool idle = std::string(kind) == "idle";
      return Case{std::move(title), {player, driver, kind, std::move(file)}, true, !idle, reference.c_str()};
   };
   const auto theirs = [](std::string title, std::vector<std::string> command, const std::string &reference) {
      return Case{std::move(title), std::move(command), false, false, reference.c_str()};
   };
   const std::string none;
   const std::vector<Case> cases = {
      ours("MP3: ours, Allegro's ALSA driver", "ALSA", "mp3", mp3, mp3_pcm),
      ours("MP3: ours, own driver (KSAL)", "KSAL", "mp3", mp3, mp3_pcm),
      theirs("MP3: mpg123 -o alsa", {"mpg123", "-q", "-o", "alsa", mp3}, mp3_pcm),
      ours("Ogg: ours, Allegro's ALSA driver", "ALSA", "ogg", ogg, ogg_pcm),
      ours("Ogg: ours, own driver (KSAL)", "KSAL", "ogg", ogg, ogg_pcm),
      theirs("Ogg: ogg123 -d alsa", {"ogg123", "-q", "-d", "alsa", ogg}, ogg_pcm),
      ours("Module: ours (DUMB), Allegro's ALSA driver", "ALSA", "mod", mod, none),
      ours("Module: ours (DUMB), own driver (KSAL)", "KSAL", "mod", mod, none),
      theirs(
         "Module: openmpt123 --batch (ALSA)",
         {"openmpt123", "--batch", "--quiet", "--samplerate", "44100", "--driver", "portaudio", "--device", "1", mod},
         none),
      ours("Idle window: ours, Allegro's ALSA driver", "ALSA", "idle", "-", none),
      ours("Idle window: ours, own driver (KSAL)", "KSAL", "idle", "-", none),
   };
   std::printf("CPU over %lld s after %lld s of warm-up; the engine's own poll cadence\n",
               static_cast<long long>(span.count()), static_cast<long long>(kWarmUp.count()));
   for (const Case &c : cases)
      print(c, measure(c, recorder, span));
   return 0;
}

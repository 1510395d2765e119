// End-to-end: songs added through the file selector and played from the
// window; what the sound server received is compared with the reference
// decodes, or told apart by pitch (each song a sweep over its own range).
#include "e2e_rig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace kstr::test {
namespace {

constexpr float kSilence = 30;  // RMS of what counts as silence
constexpr float kSound = 300;   // RMS of what counts as sound

// Measured: the playing song's stretches correlate at 0.995 to 1.000 with its
// decode and drift at most 6 ms; another song's decode reaches 0.002.
TEST(XdotoolPlayer, AnMp3AddedThroughTheSelectorPlaysItsAudioAndStopSilencesIt)
{
   Rig rig;
   ASSERT_TRUE(rig.ok());
   ASSERT_TRUE(rig.start_program());
   const std::vector<float> reference = read_reference(e2e_file("sweep_mp3.raw"));
   ASSERT_FALSE(reference.empty());

   ASSERT_TRUE(rig.start_recording());
   rig.add_song(e2e_file("sweep.mp3"));
   rig.click(rig.map.row(0), 1, 2);
   pause_ms(2500);
   rig.click(rig.map.stop);
   pause_ms(1200);
   const std::vector<float> recording = rig.stop_recording();

   const std::vector<Span> spans = sound_spans(recording, kSound, 300);
   ASSERT_EQ(spans.size(), 1u) << "one run of sound";
   const Span played = spans[0];
   const double seconds = static_cast<double>(played.end - played.begin) / RATE;
   EXPECT_GT(seconds, 1.8);
   EXPECT_LT(seconds, 3.2);
   const Follow f = follow(recording, played.begin, played.end, reference);
   EXPECT_GT(f.start.correlation, 0.9) << "at reference sample " << f.start.position;
   EXPECT_LT(f.start.position, RATE / 2) << "the song starts from its beginning";
   const Match elsewhere = locate(recording, played.begin + RATE / 5, RATE / 5, read_reference(e2e_file("sweep_ogg.raw")));
   EXPECT_LT(elsewhere.correlation, 0.5) << "another song's decode does not match";
   EXPECT_GT(f.worst, 0.9) << "the whole run is the song";
   EXPECT_LT(f.drift, RATE / 100) << "in order, without a jump";

   const std::vector<float> tail(recording.begin() + played.end + RATE / 10, recording.end());
   EXPECT_GT(tail.size(), static_cast<std::size_t>(RATE / 2));
   EXPECT_TRUE(sound_spans(tail, kSilence, 10).empty()) << "silence after Stop";
}

// The songs' sweeps (exponential, as sox makes them): from f0 to f1 Hz over
// `seconds`.
struct Sweep {
   const char *name;
   double f0, f1, seconds;
};
constexpr Sweep kSweeps[] = {{"wav", 3500, 4500, 1}, {"mp3", 300, 1200, 6}, {"ogg", 1500, 3000, 6}};
constexpr long kStep = RATE / 20;  // 50 ms

// Runs of 50 ms steps of one song (-1 silence, -2 an unknown pitch): the
// positions in the song, in seconds, at their ends, and their length in
// steps. A step at a seam (two songs in it, a fade) stands alone and is left
// out; the ends of a run are read two steps in.
struct SongRun {
   int song;
   double from, to;
   int steps;
};

std::vector<SongRun> runs_of(const std::vector<float> &rec)
{
   std::vector<std::pair<int, double>> steps;  // song, position
   for (long at = 0; at + kStep <= static_cast<long>(rec.size()); at += kStep) {
      const double f = tone_frequency(rec, at, kStep);
      const auto sweep = std::find_if(std::begin(kSweeps), std::end(kSweeps),
                                      [f](const Sweep &w) { return f >= w.f0 * 0.97 && f <= w.f1 * 1.03; });
      if (rms(rec, at, kStep) < kSound)
         steps.emplace_back(-1, 0);
      else if (sweep == std::end(kSweeps))
         steps.emplace_back(-2, f);
      else
         steps.emplace_back(static_cast<int>(sweep - kSweeps), sweep->seconds * std::log(std::clamp(f, sweep->f0, sweep->f1) / sweep->f0) /
                                                                 std::log(sweep->f1 / sweep->f0));
   }
   std::vector<SongRun> runs;
   for (std::size_t i = 0, j; i < steps.size(); i = j) {
      for (j = i; j < steps.size() && steps[j].first == steps[i].first;)
         ++j;
      const int n = static_cast<int>(j - i);
      if (n < 3)
         continue;
      const double from = steps[std::min(i + 2, j - 1)].second - 0.1;
      const double to = steps[j - 1 - std::min<std::size_t>(2, j - 1 - i)].second + 0.1;
      if (!runs.empty() && runs.back().song == steps[i].first) {
         runs.back().to = to;
         runs.back().steps += n;
      } else {
         runs.push_back(SongRun{steps[i].first, from, to, n});
      }
   }
   return runs;
}

std::string describe(const std::vector<SongRun> &runs)
{
   std::string text;
   for (const SongRun &r : runs)
      text += (r.song >= 0 ? kSweeps[r.song].name : r.song == -1 ? "silence" : "?") + std::string(" ") +
              std::to_string(r.from) + "-" + std::to_string(r.to) + " x" + std::to_string(r.steps) + "\n";
   return text;
}

TEST(XdotoolPlayer, ThreeFormatsAdvanceByThemselvesSkipBothWaysAndPauseWithoutAJump)
{
   Rig rig;
   ASSERT_TRUE(rig.ok());
   ASSERT_TRUE(rig.start_program());
   for (const char *song : {"short.wav", "sweep.mp3", "sweep.ogg"})
      rig.add_song(e2e_file(song));

   ASSERT_TRUE(rig.start_recording());
   rig.click(rig.map.row(0), 1, 2);
   pause_ms(2200);  // the WAV, then the MP3 by itself
   rig.key("b");    // Next: the Ogg
   pause_ms(1200);
   rig.key("z");    // Previous: the MP3 from its start
   pause_ms(1200);
   rig.click(rig.map.pause);
   pause_ms(1000);
   rig.click(rig.map.pause);
   pause_ms(1000);
   rig.key("v");    // Stop
   pause_ms(800);
   const std::vector<SongRun> runs = runs_of(rig.stop_recording());
   const std::string seen = describe(runs);

   // silence, wav, mp3, ogg, mp3, silence (paused), mp3, silence.
   ASSERT_EQ(runs.size(), 8u) << seen;
   const int expected[] = {-1, 0, 1, 2, 1, -1, 1, -1};
   for (std::size_t i = 0; i < runs.size(); ++i)
      EXPECT_EQ(runs[i].song, expected[i]) << i << "\n" << seen;
   EXPECT_GT(runs[1].to, 0.8) << "the WAV played to its end\n" << seen;
   EXPECT_LT(runs[2].from, 0.3) << "the MP3 followed from its start\n" << seen;
   EXPECT_LT(runs[3].from, 0.3) << "Next started the Ogg from its start\n" << seen;
   EXPECT_LT(runs[4].from, 0.3) << "Previous started the MP3 again\n" << seen;
   EXPECT_GT(runs[5].steps * 50, 700) << "a pause of about a second\n" << seen;
   EXPECT_NEAR(runs[6].from, runs[4].to, 0.2) << "resumed where it paused\n" << seen;
}

}
}

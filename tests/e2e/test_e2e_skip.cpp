// End-to-end: three songs of three formats, each a sweep over its own range
// of frequencies, so the pitch of the recording tells which song played and
// how far into it. Automatic advance, Next, Previous and Pause/Resume are
// read off that track.
#include "e2e_window.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kstr::test {
namespace {

constexpr float kSound = 300;
constexpr long kWindow = RATE / 20;  // 50 ms a step

// The songs' sweeps (exponential, as sox makes them): from f0 to f1 Hz over
// `seconds`.
struct Sweep {
   const char *name;
   double f0, f1, seconds;
};
constexpr Sweep kSweeps[] = {{"wav", 3500, 4500, 1}, {"mp3", 300, 1200, 6}, {"ogg", 1500, 3000, 6}};

// One step of the recording: which song (-1 silence, -2 not a known pitch)
// and the position in it, in seconds.
struct Step {
   int song;
   double position;
};

Step classify(const std::vector<float> &rec, long at)
{
   const std::vector<float> window(rec.begin() + at, rec.begin() + at + kWindow);
   if (envelope(window, static_cast<int>(kWindow))[0] < kSound)
      return Step{-1, 0};
   const double f = tone_frequency(rec, at, kWindow);
   for (int s = 0; s < 3; ++s) {
      const Sweep &w = kSweeps[s];
      if (f >= w.f0 * 0.97 && f <= w.f1 * 1.03)
         return Step{s, w.seconds * std::log(std::clamp(f, w.f0, w.f1) / w.f0) / std::log(w.f1 / w.f0)};
   }
   return Step{-2, f};
}

// Runs of steps of one song (or of silence): the song, the position at
// their first and last step, their length in steps.
struct SongRun {
   int song;
   double from, to;
   int steps;
};

std::vector<SongRun> runs_of(const std::vector<float> &rec)
{
   std::vector<Step> steps;
   for (long at = 0; at + kWindow <= static_cast<long>(rec.size()); at += kWindow)
      steps.push_back(classify(rec, at));
   // Runs of one song; a window at a seam (two songs in it, a fade) stands
   // alone and is left out, and the ends of a run are read two windows in.
   std::vector<SongRun> runs;
   std::size_t i = 0;
   while (i < steps.size()) {
      std::size_t j = i;
      while (j < steps.size() && steps[j].song == steps[i].song)
         ++j;
      const int n = static_cast<int>(j - i);
      if (n >= 3) {
         const double from = steps[std::min(i + 2, j - 1)].position - 2 * 0.05;
         const double to = steps[j - 1 - std::min<std::size_t>(2, j - 1 - i)].position + 2 * 0.05;
         if (!runs.empty() && runs.back().song == steps[i].song) {
            runs.back().to = to;
            runs.back().steps += n;
         } else {
            runs.push_back(SongRun{steps[i].song, from, to, n});
         }
      }
      i = j;
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
   MainWindowMap map;
   ASSERT_TRUE(map_main_window(rig, map));
   for (const char *song : {"short.wav", "sweep.mp3", "sweep.ogg"})
      add_song(rig, map, e2e_file(song));

   ASSERT_TRUE(rig.start_recording());
   const Point row = map.row(0);
   rig.click(row.x, row.y, 1, 2);
   pause_ms(2200);              // the WAV, then the MP3 by itself
   rig.key("b");                // Next: the Ogg
   pause_ms(1200);
   rig.key("z");                // Previous: the MP3 from its start
   pause_ms(1200);
   rig.click(map.pause.x, map.pause.y);
   pause_ms(1000);
   rig.click(map.pause.x, map.pause.y);
   pause_ms(1000);
   rig.key("v");                // Stop
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

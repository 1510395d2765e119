// End-to-end: songs added through the file selector and played from the
// window; what the sound server received is compared with the reference
// decodes, or told apart by pitch (each song a sweep over its own range).
#include "e2e_rig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>

namespace kstr::test {
namespace {

constexpr float kSilence = 30;  // RMS of what counts as silence
constexpr float kSound = 300;   // RMS of what counts as sound

// The MP3 plays while the interface language is switched by keyboard through
// the settings dialog (English to German: the other catalogues are removed),
// and is stopped well before its end. Measured: the playing song's stretches
// correlate at 0.995 to 1.000 with its decode and drift at most 6 ms;
// another song's decode reaches 0.002.
TEST(XdotoolPlayer, AnMp3AddedThroughTheSelectorPlaysOnThroughALanguageSwitchAndStopSilencesIt)
{
   Rig rig;
   ASSERT_TRUE(rig.ok());
   std::vector<std::string> order;  // as the program's scan (directory order) meets them
   for (const char *code : {"fr", "es", "pl"})
      std::filesystem::remove(rig.run_folder() + "/lang/" + code + ".tra");
   for (const auto &entry : std::filesystem::directory_iterator(rig.run_folder() + "/lang"))
      order.push_back(entry.path().stem());
   ASSERT_EQ(order.size(), 2u);
   ASSERT_TRUE(rig.start_program());
   const std::string song = e2e_file("sweep.mp3");
   const std::vector<float> reference = read_reference(e2e_file("sweep_mp3.raw"));
   ASSERT_FALSE(reference.empty());

   rig.add_song(song);
   Picture english, german;
   ASSERT_TRUE(rig.screenshot(english));
   ASSERT_TRUE(rig.start_recording());
   const auto recording_began = std::chrono::steady_clock::now();
   rig.click(rig.map.row(0), 1, 2);
   pause_ms(300);
   // The menu's first line opens the dialog on its streams page; Tab reaches
   // the page row (after Close and Save), Right the language page, Tab its
   // list, Down or Up the other language, Tab the switch button.
   rig.click(rig.map.menu);
   pause_ms(300);
   rig.key("Down");
   rig.key("Return");
   pause_ms(400);
   for (const char *k : {"Tab", "Tab", "Tab", "Right", "Tab", order[0] == "en" ? "Down" : "Up", "Tab", "Return"}) {
      rig.key(k);
      pause_ms(80);
   }
   const long switched_at = static_cast<long>(
      std::chrono::duration<double>(std::chrono::steady_clock::now() - recording_began).count() * RATE);
   pause_ms(1000);
   ASSERT_TRUE(rig.screenshot(german));
   rig.key("v");  // Stop
   pause_ms(1200);
   const std::vector<float> recording = rig.stop_recording();

   EXPECT_EQ(rig.saved_rows("kept"), std::vector<std::string>{song});
   // The playlist buttons' texts ("Load", "Merge", "Save") are German now.
   EXPECT_GT(differing_pixels(english, german, rig.map.add.y - 8, rig.map.add.y + 8), 200)
      << "the buttons' texts changed";
   const std::vector<Span> spans = sound_spans(recording, kSound, 300);
   ASSERT_EQ(spans.size(), 1u) << "one run of sound";
   const Span played = spans[0];
   EXPECT_GT(switched_at, played.begin + RATE / 2) << "the switch came after the song began";
   EXPECT_GT(played.end, switched_at + RATE) << "and a second before Stop";
   EXPECT_LT(played.end, played.begin + static_cast<long>(reference.size()) - RATE) << "Stop came before its end";
   // Every stretch of the run sits in the decode where the time since its
   // start puts it: the switch neither restarted nor skipped the song.
   const Follow f = follow(recording, played.begin, played.end, reference);
   EXPECT_GT(f.start.correlation, 0.9) << "at reference sample " << f.start.position;
   EXPECT_LT(f.start.position, RATE / 2) << "the song starts from its beginning";
   const Match elsewhere =
      locate(recording, played.begin + RATE / 5, RATE / 5, read_reference(e2e_file("sweep_ogg.raw")));
   EXPECT_LT(elsewhere.correlation, 0.5) << "another song's decode does not match";
   EXPECT_GT(f.worst, 0.9) << "the whole run is the song";
   EXPECT_LT(f.drift, RATE / 50) << "in order, without a jump";

   ASSERT_GT(recording.size(), static_cast<std::size_t>(played.end + RATE / 2));
   const std::vector<float> tail(recording.begin() + played.end + RATE / 10, recording.end());
   EXPECT_TRUE(sound_spans(tail, kSilence, 10).empty()) << "silence after Stop";
}

// The songs' sweeps (exponential, as sox makes them): from f0 to f1 Hz over
// `seconds`.
struct Sweep {
   const char *name;
   double f0, f1, seconds;
};
constexpr Sweep kSweeps[] = {{"wav", 3500, 4500, 1}, {"mp3", 300, 1200, 10}, {"ogg", 1500, 3000, 6}};
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
         steps.emplace_back(static_cast<int>(sweep - kSweeps),
                            sweep->seconds * std::log(std::clamp(f, sweep->f0, sweep->f1) / sweep->f0) /
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
      text += (r.song >= 0    ? kSweeps[r.song].name
               : r.song == -1 ? "silence"
                              : "?") +
              std::string(" ") + std::to_string(r.from) + "-" + std::to_string(r.to) + " x" + std::to_string(r.steps) +
              "\n";
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
   rig.key("z");  // Previous: the MP3 from its start
   pause_ms(1200);
   rig.click(rig.map.pause);
   pause_ms(1000);
   rig.click(rig.map.pause);
   pause_ms(1000);
   rig.key("v");  // Stop
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

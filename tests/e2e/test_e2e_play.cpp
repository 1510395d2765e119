// End-to-end: songs added through the file selector and played from the
// window; what the sound server received is compared with the reference
// decodes.
#include "e2e_window.h"

#include <gtest/gtest.h>

namespace kstr::test {
namespace {

constexpr float kSilence = 30;      // RMS of what counts as silence
constexpr float kSound = 300;       // RMS of what counts as sound
constexpr long kProbe = RATE / 5;   // 200 ms compared at a time
// Measured: the playing song's stretches correlate at 0.995 to 1.000 with its
// decode and drift at most 6 ms; another song's decode reaches 0.002.

TEST(XdotoolPlayer, AnMp3AddedThroughTheSelectorPlaysItsAudioAndStopSilencesIt)
{
   Rig rig;
   ASSERT_TRUE(rig.ok());
   ASSERT_TRUE(rig.start_program());
   MainWindowMap map;
   ASSERT_TRUE(map_main_window(rig, map));
   const std::string song = e2e_file("sweep.mp3");
   const std::vector<float> reference = read_reference(e2e_file("sweep_mp3.raw"));
   ASSERT_FALSE(reference.empty());

   ASSERT_TRUE(rig.start_recording());
   add_song(rig, map, song);
   save_playlist_as(rig, rig.dir().file("one.kpl"));
   const Point row = map.row(0);
   rig.click(row.x, row.y, 1, 2);
   pause_ms(2500);
   rig.click(map.stop.x, map.stop.y);
   pause_ms(1200);
   const std::vector<float> recording = rig.stop_recording();

   EXPECT_EQ(playlist_file_rows(rig.dir().file("one.kpl")), std::vector<std::string>{song});
   const std::vector<Span> spans = sound_spans(recording, kSound, 300);
   ASSERT_EQ(spans.size(), 1u) << "one run of sound";
   const Span played = spans[0];
   const double seconds = static_cast<double>(played.end - played.begin) / RATE;
   EXPECT_GT(seconds, 1.8);
   EXPECT_LT(seconds, 3.2);

   // Where the song's audio sits in the recording; then every stretch of the
   // run is found in the decode where the time since then puts it (within
   // 10 ms: the sweep is alike over a few of its periods).
   const Match start = locate(recording, played.begin + kProbe, kProbe, reference);
   EXPECT_GT(start.correlation, 0.9) << "at reference sample " << start.position;
   EXPECT_LT(start.position, RATE / 2) << "the song starts from its beginning";
   const Match elsewhere = locate(recording, played.begin + kProbe, kProbe, read_reference(e2e_file("sweep_ogg.raw")));
   EXPECT_LT(elsewhere.correlation, 0.5) << "another song's decode does not match";
   const long offset = start.position - (played.begin + kProbe);
   double worst = 1;
   long worst_drift = 0;
   for (long at = played.begin + kProbe; at + 2 * kProbe < played.end; at += kProbe) {
      const Match m = locate(recording, at, kProbe, reference, at + offset, RATE / 20);
      worst = std::min(worst, m.correlation);
      worst_drift = std::max(worst_drift, std::abs(m.position - (at + offset)));
   }
   EXPECT_GT(worst, 0.9) << "the whole run is the song";
   EXPECT_LT(worst_drift, RATE / 100) << "in order, without a jump";

   const std::vector<float> tail(recording.begin() + played.end + RATE / 10, recording.end());
   const std::vector<float> rms = envelope(tail, RATE / 100);
   EXPECT_GT(tail.size(), static_cast<std::size_t>(RATE / 2));
   EXPECT_LT(*std::max_element(rms.begin(), rms.end()), kSilence) << "silence after Stop";
}

}
}

// End-to-end: the interface language switched through the settings dialog,
// by keyboard, while a song plays: the song plays on without a restart, the
// playlist stays, and the window comes back in the other language.
#include "e2e_rig.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace kstr::test {
namespace {

TEST(XdotoolLanguage, ASwitchWhileASongPlaysKeepsTheSongAndThePlaylist)
{
   Rig rig;
   ASSERT_TRUE(rig.ok());
   // Two catalogues: the switch goes from English to German, down or up the
   // list as the program's scan (directory order) met them.
   std::vector<std::string> order;
   for (const char *code : {"fr", "es", "pl"})
      std::filesystem::remove(rig.run_folder() + "/lang/" + code + ".tra");
   for (const auto &entry : std::filesystem::directory_iterator(rig.run_folder() + "/lang"))
      if (entry.path().extension() == ".tra")
         order.push_back(entry.path().stem());
   ASSERT_EQ(order.size(), 2u);
   ASSERT_TRUE(rig.start_program());
   const std::string song = e2e_file("sweep.mp3");
   const std::vector<float> reference = read_reference(e2e_file("sweep_mp3.raw"));
   ASSERT_FALSE(reference.empty());

   rig.add_song(song);
   rig.add_song(e2e_file("short.wav"));
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
   const std::vector<std::string> kept = rig.saved_rows("kept");
   pause_ms(3000);
   const std::vector<float> recording = rig.stop_recording();

   EXPECT_EQ(kept, (std::vector<std::string>{song, e2e_file("short.wav")}));
   // The playlist buttons' texts ("Load", "Merge", "Save") are German now.
   EXPECT_GT(differing_pixels(english, german, rig.map.add.y - 8, rig.map.add.y + 8), 200)
      << "the buttons' texts changed";

   // The MP3 (then the WAV, by the automatic advance): every stretch of the
   // MP3 sits in its decode where the time since its start puts it, so the
   // switch, made while it played, neither restarted nor skipped it.
   const std::vector<Span> spans = sound_spans(recording, 300, 300);
   ASSERT_FALSE(spans.empty());
   const Span played = spans[0];
   const long song_end = played.begin + static_cast<long>(reference.size());
   EXPECT_GT(switched_at, played.begin + RATE / 2) << "the switch came after the song began";
   EXPECT_LT(switched_at, song_end - RATE) << "and a second before its end";
   const Follow f = follow(recording, played.begin, std::min(played.end, song_end), reference);
   ASSERT_GT(f.start.correlation, 0.9);
   EXPECT_GT(f.stretches, 24) << "the song played on to its end";
   EXPECT_GT(f.worst, 0.9) << "every stretch is the song";
   EXPECT_LT(f.drift, RATE / 50) << "in order, without a restart or a jump";
}

}
}

// End-to-end: the interface language switched through the settings dialog,
// by keyboard, while a song plays: the song plays on without a restart, the
// playlist stays, and the window comes back in the other language.
#include "e2e_window.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

namespace kstr::test {
namespace {

constexpr float kSound = 300;      // RMS of what counts as sound
constexpr long kProbe = RATE / 5;  // 200 ms compared at a time

// The catalogue files in the order the program's scan meets them.
std::vector<std::string> catalogue_order(const std::string &folder)
{
   std::vector<std::string> codes;
   if (DIR *d = opendir(folder.c_str())) {
      while (const dirent *e = readdir(d)) {
         const std::string name = e->d_name;
         if (name.size() == 6 && name.ends_with(".tra"))
            codes.push_back(name.substr(0, 2));
      }
      closedir(d);
   }
   return codes;
}

// Pixels that differ between two pictures inside a band of rows.
long band_difference(const Picture &a, const Picture &b, int y1, int y2)
{
   long differ = 0;
   for (int y = std::max(0, y1); y <= std::min(y2, a.h - 1); ++y)
      for (int x = 0; x < a.w; ++x) {
         const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(a.w) + static_cast<std::size_t>(x)) * 3;
         differ += !std::equal(a.rgb.begin() + static_cast<long>(i), a.rgb.begin() + static_cast<long>(i) + 3,
                               b.rgb.begin() + static_cast<long>(i));
      }
   return differ;
}

TEST(XdotoolLanguage, ASwitchWhileASongPlaysKeepsTheSongAndThePlaylist)
{
   Rig rig;
   ASSERT_TRUE(rig.ok());
   // Two catalogues: the switch goes from English to German.
   for (const char *code : {"fr", "es", "pl"})
      std::filesystem::remove(rig.run_folder() + "/lang/" + code + ".tra");
   const std::vector<std::string> order = catalogue_order(rig.run_folder() + "/lang");
   ASSERT_EQ(order.size(), 2u);
   const bool english_first = order[0] == "en";
   ASSERT_TRUE(rig.start_program());
   MainWindowMap map;
   ASSERT_TRUE(map_main_window(rig, map));
   const std::string song = e2e_file("sweep.mp3");
   const std::vector<float> reference = read_reference(e2e_file("sweep_mp3.raw"));
   ASSERT_FALSE(reference.empty());

   add_song(rig, map, song);
   add_song(rig, map, e2e_file("short.wav"));
   Picture english, german;
   ASSERT_TRUE(take_picture(rig, english));
   ASSERT_TRUE(rig.start_recording());
   const auto recording_began = std::chrono::steady_clock::now();
   const Point row = map.row(0);
   rig.click(row.x, row.y, 1, 2);
   pause_ms(300);

   // The menu's first line opens the dialog on its streams page; Tab reaches
   // the page row (after Close and Save), Right the language page, Tab its
   // list, Down or Up the other language, Tab the switch button.
   rig.click(map.menu.x, map.menu.y);
   pause_ms(300);
   rig.key("Down");
   rig.key("Return");
   pause_ms(400);
   for (const char *k : {"Tab", "Tab", "Tab", "Right", "Tab", english_first ? "Down" : "Up", "Tab", "Return"}) {
      rig.key(k);
      pause_ms(80);
   }
   const long switched_at = static_cast<long>(
      std::chrono::duration<double>(std::chrono::steady_clock::now() - recording_began).count() * RATE);
   pause_ms(1000);
   ASSERT_TRUE(take_picture(rig, german));
   save_playlist_as(rig, rig.dir().file("kept.kpl"));
   pause_ms(3000);
   const std::vector<float> recording = rig.stop_recording();

   EXPECT_EQ(playlist_file_rows(rig.dir().file("kept.kpl")), (std::vector<std::string>{song, e2e_file("short.wav")}));
   // The playlist buttons' texts ("Load", "Merge", "Save") are German now; the
   // rows above them are the same rows.
   EXPECT_GT(band_difference(english, german, map.add.y - 8, map.add.y + 8), 200) << "the buttons' texts changed";

   // The MP3 (then the WAV, by the automatic advance): every stretch of the
   // MP3 sits in its decode where the time since its start puts it, so the
   // switch, made while it played, neither restarted nor skipped it.
   const std::vector<Span> spans = sound_spans(recording, kSound, 300);
   ASSERT_FALSE(spans.empty());
   const Span played = spans[0];
   const long song_end = played.begin + static_cast<long>(reference.size());
   EXPECT_GT(switched_at, played.begin + RATE / 2) << "the switch came after the song began";
   EXPECT_LT(switched_at, song_end - RATE) << "and a second before its end";
   const Match start = locate(recording, played.begin + kProbe, kProbe, reference);
   ASSERT_GT(start.correlation, 0.9);
   const long offset = start.position - (played.begin + kProbe);
   long checked = 0;
   double worst = 1;
   long worst_drift = 0;
   for (long at = played.begin + kProbe; at + 2 * kProbe < std::min(played.end, song_end); at += kProbe) {
      const Match m = locate(recording, at, kProbe, reference, at + offset, RATE / 20);
      worst = std::min(worst, m.correlation);
      worst_drift = std::max(worst_drift, std::abs(m.position - (at + offset)));
      ++checked;
   }
   EXPECT_GT(checked, 24) << "the song played on to its end";
   EXPECT_GT(worst, 0.9) << "every stretch is the song";
   EXPECT_LT(worst_drift, RATE / 50) << "in order, without a restart or a jump";
}

}
}

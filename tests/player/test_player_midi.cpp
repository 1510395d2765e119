// MIDI through Allegro's software synthesiser: the length measured in beats,
// progress, the end of the song, pause, seeking and the volume. Allegro's MIDI player
// runs on its timer in wall-clock time, so these cases wait in real time.
#include "player_test_support.h"

#include "temp_dir.h"

#include <allegro.h>

#include <filesystem>

namespace kstr::test {
namespace {

// The files hold one note a beat, the track ending with the last note. The
// measured length is two beats past the last seek target Allegro still finds
// inside the song, which is the beat after the last note: beats + 3; two
// songs in a row each get their own. Progress stays within 0..100 to the
// end, where Allegro makes midi_pos negative; then the player stops at 0.
TEST_F(EngineTest, EachMidiSongGetsItsOwnLengthAndEndsInRange)
{
   set_playlist({song_path("eleven_beats.mid"), song_path("six_beats.mid")});
   std::vector<double> lengths;
   for (int entry = 0; entry < 2; ++entry) {
      main_playlist->current = entry;
      play_current_song();
      ASSERT_EQ(backend_kind, BACKEND_MIDI);
      lengths.push_back(live_length());
      EXPECT_GE(midi_pos, 0) << "the song plays from its start after the measuring";
      EXPECT_LE(midi_pos, 1);
   }
   EXPECT_EQ(lengths, (std::vector<double>{14, 9}));
   std::vector<int> seen;
   // The bar is read up to and at the moment midi_pos has turned negative,
   // before the poll that notices the end.
   for (int i = 0; i < 400 && midi_pos >= 0; ++i) {
      seen.push_back(song_progress());
      capture_pull(kCaptureBlockFrames);
      rest(10);
   }
   ASSERT_LT(midi_pos, 0) << "six beats at 240 a minute end within four seconds";
   seen.push_back(song_progress());
   EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end() - 1));
   EXPECT_GE(*std::min_element(seen.begin(), seen.end()), 0);
   EXPECT_LE(*std::max_element(seen.begin(), seen.end()), 100);
   EXPECT_GE(seen[seen.size() - 2], 50) << "the bar moved on while it played";
   serve_player();
   EXPECT_EQ(backend_kind, BACKEND_NONE);
   EXPECT_EQ(song_progress(), 0);
}

// A pause holds the beat and the synthesiser falls silent; a seek sends the
// song to its fraction of the beats; the volume at 0 and back up.
TEST_F(EngineTest, MidiPausesSeeksAndFollowsTheVolume)
{
   set_playlist({song_path("eleven_beats.mid")});
   play_current_song();
   rest(600);
   EXPECT_FALSE(all_silent(capture_pull(4096))) << "the synthesiser plays the notes";
   set_song_paused(1);
   const long at = midi_pos;
   EXPECT_GT(at, 0);
   capture_pull(8192);  // notes still sounding die away
   rest(600);
   EXPECT_EQ(midi_pos, at);
   EXPECT_TRUE(all_silent(capture_pull(4096)));
   set_song_paused(0);
   rest(600);
   EXPECT_GT(midi_pos, at);
   EXPECT_EQ(song_playing, 1);

   for (double fraction : {0.8, 0.1, 0.5}) {
      seek_song(fraction);
      EXPECT_NEAR(static_cast<double>(midi_pos), fraction * 11, 1) << fraction << " of the 11 beats";
      EXPECT_NEAR(song_progress(), 100 * fraction * 11 / 14, 100 / 14);
   }
   rest(600);
   EXPECT_GT(midi_pos, 6) << "and plays on from there";
   set_song_paused(1);
   seek_song(0.2);
   const long sought = midi_pos;
   rest(500);
   EXPECT_EQ(midi_pos, sought) << "a seek during a pause stays paused";
   set_song_paused(0);
   rest(500);
   EXPECT_GT(midi_pos, sought);

   volume = 0;
   serve_player();
   rest(300);
   EXPECT_TRUE(all_silent(capture_pull(4096))) << "the volume at 0 silences the synthesiser";
   volume = 255;
   serve_player();
   rest(300);
   EXPECT_FALSE(all_silent(capture_pull(4096)));
}

// The shipped kstr.ini, read in the run folder as the program runs there,
// selects the software synthesiser with the patch set the build made.
TEST(ShippedMidiSettings, TheSynthesiserPlaysWithTheRunFoldersPatchSet)
{
   const char *run = std::getenv("KSTR_RUN_DIR");
   const char *source = std::getenv("KSTR_SOURCE_DIR");
   ASSERT_TRUE(run && source);
   ASSERT_TRUE(start_allegro(read_file(std::string(source) + "/assets/kstr.ini")));
   const auto home = std::filesystem::current_path();
   std::filesystem::current_path(run);
   ASSERT_TRUE(register_capture_sound(44100));
   set_config_string("sound", "digi_card", "CAPT");
   ASSERT_EQ(player_init(), 0) << allegro_error;
   ASSERT_TRUE(midi_driver && midi_driver->id == MIDI_DIGMID);
   // The patches load when the song starts, from the working folder.
   ASSERT_EQ(start_song(song_path("six_beats.mid").c_str(), false), SONG_OK);
   rest(400);
   EXPECT_FALSE(all_silent(capture_pull(8192)));
   song_playing = 0;
   stop_backend();
   std::filesystem::current_path(home);
}

}
}

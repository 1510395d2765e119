// The player's states as the main window drives them: Play, Stop and the stop
// step, the end of a song and the advance through the playlist, pause,
// previous and next, seeking and the volume.
#include "player_test_support.h"

#include "temp_dir.h"

#include <allegro.h>

#include <unistd.h>

namespace kstr::test {
namespace {

using State = std::pair<int, int>; // song_playing, backend_kind

State state()
{
   return {song_playing, backend_kind};
}

// Play starts the current entry; Play while playing starts it afresh (the
// same song again from its beginning, or another); Stop leaves the backend
// to the next poll run, which stops it and shows 0.
TEST_F(EngineTest, PlayStopAndTheStopStep)
{
   set_playlist({song_path("song.ogg"), song_path("tone.wav")});
   play_current_song();
   EXPECT_EQ(state(), State(1, BACKEND_OGG));
   listen(40);
   EXPECT_GT(live_position(), 0.2);
   play_current_song();
   EXPECT_EQ(state(), State(1, BACKEND_OGG));
   EXPECT_EQ(live_position(), 0) << "Play while playing starts from the beginning";

   main_playlist->current = 1;
   play_current_song();
   EXPECT_EQ(state(), State(1, BACKEND_SAMPLE));
   EXPECT_FALSE(all_silent(listen(4)));

   stop_song();
   EXPECT_EQ(state(), State(0, BACKEND_SAMPLE)) << "Stop leaves the backend to the poll";
   serve_player();
   EXPECT_EQ(state(), State(0, BACKEND_NONE));
   EXPECT_EQ(song_progress(), 0);
   EXPECT_TRUE(all_silent(listen(2)));

   playlist_remove(main_playlist, 1);
   playlist_remove(main_playlist, 0);
   play_current_song();
   EXPECT_EQ(state(), State(0, BACKEND_NONE)) << "Play on an empty playlist starts nothing";
}

// Each song ends and the next entry plays; entries that cannot be played are
// skipped without a word; after the last one the player stops.
TEST_F(EngineTest, TheEndOfASongPlaysTheNextEntryAndTheLastStops)
{
   set_playlist({song_path("short.wav"), song_path("garbage.mp3"), song_path("short.mp3"), song_path("missing.ogg"),
                 song_path("text.mid"), song_path("short.ogg"), song_path("folder.ogg"), song_path("empty.mp3")});
   play_current_song();
   std::vector<std::pair<int, int>> played; // entry, backend
   std::vector<int16_t> heard;
   for (int i = 0; i < 2000 && song_playing; ++i) {
      if (played.empty() || played.back().first != main_playlist->current)
         played.emplace_back(main_playlist->current, backend_kind);
      const int percent = song_progress();
      EXPECT_TRUE(percent >= 0 && percent <= 100) << percent;
      listen_block(heard);
   }
   EXPECT_EQ(played, (std::vector<std::pair<int, int>>{{0, BACKEND_SAMPLE}, {2, BACKEND_MP3}, {5, BACKEND_OGG}}));
   EXPECT_EQ(state(), State(0, BACKEND_NONE));
   EXPECT_EQ(main_playlist->current, 5) << "the last song played stays current";
   EXPECT_EQ(song_progress(), 0);
}

// Pausing keeps the place: a sample goes on exactly where it stopped, a
// stream from where its decoding stood, MIDI from its beat.
TEST_F(EngineTest, PauseAndResumeKeepThePosition)
{
   set_playlist({song_path("tone.wav")});
   play_current_song();
   std::vector<int16_t> heard = listen(40);
   set_song_paused(1);
   EXPECT_EQ(song_paused, 1);
   const double at = live_position();
   EXPECT_TRUE(all_silent(listen(20))) << "a paused sample is silent";
   EXPECT_EQ(live_position(), at);
   EXPECT_EQ(song_playing, 1);
   toggle_pause();
   EXPECT_EQ(song_paused, 0);
   const std::vector<int16_t> rest = listen_to_the_end();
   heard.insert(heard.end(), rest.begin(), rest.end());
   const std::vector<int16_t> want = expected_right(load_bytes(song_path("tone_wav.raw")), 2, 16, true);
   EXPECT_TRUE(starts_with(heard, want)) << "the song before and after the pause is the song without a gap";

   set_playlist({song_path("song.mp3")});
   main_playlist->current = 1;
   mp3oggbuffer = 8;
   play_current_song();
   heard = listen(60);
   set_song_paused(1);
   const double stream_at = live_position();
   EXPECT_GT(stream_at, 0.2);
   EXPECT_TRUE(all_silent(listen(40))) << "a paused stream is silent";
   EXPECT_EQ(live_position(), stream_at) << "and not fed";
   set_song_paused(0);
   const std::vector<int16_t> resumed = listen_to_the_end();
   heard.insert(heard.end(), resumed.begin(), resumed.end());
   EXPECT_TRUE(starts_with(heard, expected_right(load_bytes(song_path("song_mp3.raw")), 2, 16, true)))
         << "what the stream held when paused plays on after the pause";

   set_playlist({song_path("tone.wav")});
   main_playlist->current = 2;
   play_current_song();
   set_song_paused(1);
   play_current_song();
   EXPECT_EQ(song_paused, 0) << "Play while paused starts the entry afresh";
   EXPECT_EQ(live_position(), 0);
   EXPECT_FALSE(all_silent(listen(4)));

   set_song_paused(1);
   stop_song();
   serve_player();
   EXPECT_EQ(song_paused, 0) << "the stop step ends the pause";
   set_song_paused(1);
   EXPECT_EQ(song_paused, 0) << "nothing to pause";
}

// One step back or forward, never past either end; while a song plays the
// new current entry plays.
TEST_F(EngineTest, PreviousAndNextStopAtBothEnds)
{
   set_playlist({song_path("tone.wav"), song_path("song.mp3"), song_path("song.ogg")});
   play_previous_song();
   EXPECT_EQ(main_playlist->current, 0);
   play_next_song();
   EXPECT_EQ(main_playlist->current, 1);
   EXPECT_EQ(state(), State(0, BACKEND_NONE)) << "nothing plays: moving starts nothing";

   play_current_song();
   play_next_song();
   EXPECT_EQ(main_playlist->current, 2);
   EXPECT_EQ(state(), State(1, BACKEND_OGG));
   listen(20);
   const double at = live_position();
   play_next_song();
   EXPECT_EQ(main_playlist->current, 2);
   EXPECT_EQ(live_position(), at) << "at the end: the song goes on";
   play_previous_song();
   play_previous_song();
   EXPECT_EQ(main_playlist->current, 0);
   EXPECT_EQ(state(), State(1, BACKEND_SAMPLE));
   play_previous_song();
   EXPECT_EQ(main_playlist->current, 0);
   EXPECT_EQ(state(), State(1, BACKEND_SAMPLE));
}

// A seek lands at the fraction of the length; a sample continues exactly
// from the frame it was sent to.
TEST_F(EngineTest, SeekingMovesToAFractionOfTheSong)
{
   set_playlist({song_path("tone.wav"), song_path("song.mp3"), song_path("song.ogg")});
   play_current_song();
   listen(4);
   seek_song(0.5);
   const std::vector<int16_t> want = expected_right(load_bytes(song_path("tone_wav.raw")), 2, 16, true);
   const size_t half = (want.size() - 1) / 2;
   const std::vector<int16_t> heard = listen(8);
   EXPECT_TRUE(starts_with(heard, std::vector<int16_t>(want.begin() + static_cast<long>(half),
                                                       want.begin() + static_cast<long>(half + heard.size()))));
   EXPECT_EQ(song_progress(), 50 + static_cast<int>(100.0 * static_cast<double>(heard.size()) / static_cast<double>(want.size())));

   for (int kind : {BACKEND_MP3, BACKEND_OGG}) {
      play_next_song();
      ASSERT_EQ(backend_kind, kind);
      listen(4);
      seek_song(0.75);
      EXPECT_NEAR(live_position() / live_length(), 0.75, 0.05) << kind;
      EXPECT_FALSE(all_silent(listen(8)));
      seek_song(0.1);
      EXPECT_NEAR(live_position() / live_length(), 0.1, 0.05) << kind;
      seek_song(7); // out of range: the end
      EXPECT_LE(song_progress(), 100);
   }
}

// Allegro's set_volume(0) silences every voice for good; the player's volume
// 0 is silence that the next volume ends, for a song that played through it
// and for one started during it.
TEST_F(EngineTest, VolumeZeroAndBackUpSoundsAgain)
{
   set_playlist({song_path("tone.wav"), song_path("song.ogg")});
   const std::vector<int16_t> want = expected_right(load_bytes(song_path("tone_wav.raw")), 2, 16, true);
   volume = 255;
   play_current_song();
   std::vector<int16_t> heard = listen(10);
   volume = 0;
   EXPECT_TRUE(all_silent(listen(10)));
   volume = 255;
   std::vector<int16_t> after = listen(10);
   EXPECT_TRUE(starts_with(after, std::vector<int16_t>(want.begin() + 20 * kCaptureBlockFrames,
                                                       want.begin() + 30 * kCaptureBlockFrames)));
   volume = 0;
   listen(2);
   play_next_song();
   EXPECT_EQ(backend_kind, BACKEND_OGG);
   EXPECT_TRUE(all_silent(listen(10))) << "a song started at volume 0 is silent";
   volume = 128;
   after = listen(10);
   int loudest = 0;
   for (int16_t v : after)
      loudest = std::max(loudest, std::abs(static_cast<int>(v)));
   EXPECT_GT(loudest, 2000);
   volume = 255;
   listen(1);
   int full = 0;
   for (int16_t v : listen(10))
      full = std::max(full, std::abs(static_cast<int>(v)));
   EXPECT_NEAR(static_cast<double>(loudest) / full, 128.0 / 255, 0.05);
}

// The poll's next run comes after a quarter of the live stream's buffer at
// most: 4608 bytes of 44.1 kHz stereo (the smallest MP3 buffer) last 26 ms.
// Songs Allegro feeds itself are looked at every 20 ms, an idle player
// every 40 ms.
TEST_F(EngineTest, ThePollCadenceFollowsTheLiveSong)
{
   set_playlist({song_path("song.mp3"), song_path("mono24.mp3"), song_path("song.ogg"), song_path("tone.wav"),
                 song_path("six_beats.mid")});
   EXPECT_EQ(serve_player(), 40);
   std::vector<int> delays;
   for (int kib : {4, 4, 32, 32, 32}) {
      mp3oggbuffer = kib;
      play_current_song();
      delays.push_back(serve_player());
      play_next_song();
   }
   EXPECT_EQ(delays, (std::vector<int>{6, 20, 20, 20, 20}));
   stop_song();
   EXPECT_EQ(serve_player(), 40);
}

// Without the MIDI patch set the other songs still play; MIDI songs and,
// with no sound driver at all, every song fail to start.
TEST(EngineSound, AMissingPatchSetOrDriverStartsNothingOfWhatNeedsIt)
{
   ASSERT_TRUE(start_allegro("[sound]\nmidi_card = DIGI\npatches = ./no-such-patches.dat\n"));
   ASSERT_TRUE(register_capture_sound(44100));
   ASSERT_EQ(player_init(), 0);
   EXPECT_EQ(start_song(song_path("six_beats.mid").c_str(), false), SONG_NO_SOUND);
   EXPECT_EQ(state(), State(0, BACKEND_NONE));
   EXPECT_EQ(start_song(song_path("tone.wav").c_str(), false), SONG_OK);
   song_playing = 0;
   stop_backend();
   remove_sound();

   // A driver id that names no driver: install_sound fails.
   set_config_string("sound", "digi_card", "0");
   set_config_string("sound", "midi_card", "0");
   volume = 0;
   EXPECT_EQ(player_init(), PLAYER_NO_SOUND);
   EXPECT_EQ(volume, 255) << "the settings are read all the same, so a save keeps them";
   for (const char *name : {"tone.wav", "song.mp3", "song.ogg", "six_beats.mid"}) {
      EXPECT_EQ(start_song(song_path(name).c_str(), false), SONG_NO_SOUND) << name;
      EXPECT_EQ(state(), State(0, BACKEND_NONE));
   }
}

// While F12 is down every poll run writes the screen to ./screnshot.bmp.
TEST_F(EngineTest, F12WritesTheScreenshot)
{
   ASSERT_TRUE(open_test_window(640, 580, 16));
   rectfill(screen, 10, 20, 30, 40, makecol(255, 0, 0));
   TempDir dir;
   const auto home = std::filesystem::current_path();
   std::filesystem::current_path(dir.path());
   serve_player();
   EXPECT_FALSE(std::filesystem::exists("screnshot.bmp"));
   key[KEY_F12] = 1;
   serve_player();
   key[KEY_F12] = 0;
   BITMAP *shot = load_bitmap("screnshot.bmp", nullptr);
   std::filesystem::current_path(home);
   ASSERT_NE(shot, nullptr);
   EXPECT_EQ(shot->w, 640);
   EXPECT_EQ(shot->h, 580);
   EXPECT_EQ(getpixel(shot, 20, 30), makecol_depth(bitmap_color_depth(shot), 255, 0, 0));
   destroy_bitmap(shot);
}

}
}

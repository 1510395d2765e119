// The player's states as the main window drives them, heard through the
// mixer: each backend's whole song against another program's decode, Play,
// Stop and the stop step, pause, previous and next, seeking, the volume, the
// poll's cadence, F12, and a player without sound.
#include "module_test_support.h"
#include "player_test_support.h"

#include "player/backend_module.h"

#include <filesystem>

namespace kstr::test {
namespace {

using State = std::pair<int, int>;  // song_playing, backend_kind

State state()
{
   return {song_playing, backend_kind};
}

struct PcmCase {
   const char *file, *reference;
   int channels, buffer_kib;  // mp3oggbuffer while it plays
   friend void PrintTo(const PcmCase &c, std::ostream *os) { *os << c.file << " at " << c.buffer_kib << " KiB"; }
};

class Pcm : public EngineTest, public testing::WithParamInterface<PcmCase> {};

// The whole file, its last byte included, then silence and the player
// stopped by itself at 0. Names in mixed case open as given and stay so in
// the playlist. The 4 KiB buffer the settings allow is below one Layer III
// frame of PCM (4608 bytes) and is raised to it; a 0 typed into the settings
// file plays too.
TEST_P(Pcm, TheWholeFileIsHeardThenThePlayerStops)
{
   const PcmCase &c = GetParam();
   mp3oggbuffer = c.buffer_kib;
   set_playlist({song_path(c.file)});
   play_current_song();
   ASSERT_EQ(song_playing, 1) << c.file << " did not start";
   EXPECT_STREQ(playlist_get_name(main_playlist, 0), song_path(c.file).c_str());
   const std::vector<int16_t> want = reference_right(c.reference, c.channels), heard = listen_to_the_end();
   EXPECT_TRUE(starts_with(heard, want));
   EXPECT_TRUE(all_silent(heard, want.size()));
   EXPECT_EQ(state(), State(0, BACKEND_NONE));
   EXPECT_EQ(song_progress(), 0);
}

INSTANTIATE_TEST_SUITE_P(
   Backends, Pcm,
   testing::Values(PcmCase{"Tone.Wav", "tone_wav.raw", 2, 32}, PcmCase{"tone.voc", "tone_voc.raw", 1, 32},
                   PcmCase{"song.mp3", "song_mp3.raw", 2, 32}, PcmCase{"Song.Mp3", "song_mp3.raw", 2, 4},
                   PcmCase{"song.mpg", "song_mp3.raw", 2, 0}, PcmCase{"SONG.OGG", "song_ogg.raw", 2, 32},
                   PcmCase{"short.ogg", "short_ogg.raw", 2, 4}),
   [](const testing::TestParamInfo<PcmCase> &test) {
      std::string name = test.param.file;
      std::replace(name.begin(), name.end(), '.', '_');
      return name + "_" + std::to_string(test.param.buffer_kib) + "k";
   });

// Modules by their four extensions in any case, the CD by the whole name
// "cda" in any case (the disc image the setting names, there being no drive).
TEST_F(EngineTest, EachNameReachesItsBackend)
{
   TempDir dir;
   set_config_string("cdaudio", "device", test_data("cd/disc.cue").c_str());
   const std::pair<std::string, int> cases[] = {
      {dir.write("one.Mod", read_file(write_module_file(dir, ModuleFormat::MOD))), BACKEND_MODULE},
      {dir.write("TWO.S3M", read_file(write_module_file(dir, ModuleFormat::S3M))), BACKEND_MODULE},
      {dir.write("three.It", read_file(write_module_file(dir, ModuleFormat::IT))), BACKEND_MODULE},
      {write_module_file(dir, ModuleFormat::XM), BACKEND_MODULE},
      {"cda", BACKEND_CD},
      {"CDA", BACKEND_CD},
      {"Cda", BACKEND_CD},
      {"track01.cda", BACKEND_NONE},
   };
   for (const auto &[name, kind] : cases) {
      SCOPED_TRACE(name);
      EXPECT_EQ(start_song(name.c_str(), false), kind ? SONG_OK : SONG_UNKNOWN_FORMAT);
      EXPECT_EQ(backend_kind, kind);
      if (kind) {
         EXPECT_FALSE(all_silent(listen(20)));
      }
      song_playing = 0;
      stop_backend();
   }
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

// Pausing keeps the place: a sample goes on exactly where it stopped, a
// stream from where its decoding stood, silent and unfed meanwhile.
TEST_F(EngineTest, PauseAndResumeKeepThePosition)
{
   mp3oggbuffer = 8;
   set_playlist({song_path("tone.wav"), song_path("song.mp3")});
   for (const char *reference : {"tone_wav.raw", "song_mp3.raw"}) {
      SCOPED_TRACE(reference);
      play_current_song();
      std::vector<int16_t> heard = listen(40);
      set_song_paused(1);
      EXPECT_EQ(song_paused, 1);
      const double at = live_position();
      EXPECT_GT(at, 0.2);
      EXPECT_TRUE(all_silent(listen(40)));
      EXPECT_EQ(live_position(), at);
      EXPECT_EQ(song_playing, 1);
      toggle_pause();
      EXPECT_EQ(song_paused, 0);
      const std::vector<int16_t> rest = listen_to_the_end();
      heard.insert(heard.end(), rest.begin(), rest.end());
      EXPECT_TRUE(starts_with(heard, reference_right(reference))) << "the song plays on without a gap";
      main_playlist->current = 1;
   }

   main_playlist->current = 0;
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
   const std::vector<int16_t> want = reference_right("tone_wav.raw"), heard = listen(8);
   const size_t half = (want.size() - 1) / 2;
   EXPECT_TRUE(same_signal(heard, slice(want, half, half + heard.size())));
   EXPECT_EQ(song_progress(),
             50 + static_cast<int>(100.0 * static_cast<double>(heard.size()) / static_cast<double>(want.size())));

   for (int kind : {BACKEND_MP3, BACKEND_OGG}) {
      play_next_song();
      ASSERT_EQ(backend_kind, kind);
      listen(4);
      seek_song(0.75);
      EXPECT_NEAR(live_position() / live_length(), 0.75, 0.05) << kind;
      EXPECT_FALSE(all_silent(listen(8)));
      seek_song(0.1);
      EXPECT_NEAR(live_position() / live_length(), 0.1, 0.05) << kind;
      seek_song(7);  // out of range: the end
      EXPECT_LE(song_progress(), 100);
   }
}

// Allegro's set_volume(0) silences every voice for good; the player's volume
// 0 is silence that the next volume ends, for a song that played through it
// and for one started during it.
TEST_F(EngineTest, VolumeZeroAndBackUpSoundsAgain)
{
   set_playlist({song_path("tone.wav"), song_path("song.ogg")});
   play_current_song();
   listen(10);
   volume = 0;
   EXPECT_TRUE(all_silent(listen(10)));
   volume = 255;
   const std::vector<int16_t> want = reference_right("tone_wav.raw");
   EXPECT_TRUE(same_signal(listen(10), slice(want, 20 * kCaptureBlockFrames, 30 * kCaptureBlockFrames)));
   volume = 0;
   listen(2);
   play_next_song();
   EXPECT_EQ(backend_kind, BACKEND_OGG);
   EXPECT_TRUE(all_silent(listen(10))) << "a song started at volume 0 is silent";
   auto loudest = [](const std::vector<int16_t> &pcm) {
      int most = 0;
      for (int16_t v : pcm)
         most = std::max(most, std::abs(static_cast<int>(v)));
      return most;
   };
   volume = 128;
   const int half = loudest(listen(10));
   EXPECT_GT(half, 2000);
   volume = 255;
   listen(1);
   EXPECT_NEAR(static_cast<double>(half) / loudest(listen(10)), 128.0 / 255, 0.05);
}

// The poll's next run comes after a quarter of the live stream's buffer at
// most: 4608 bytes (the smallest MP3 buffer) last 26 ms at 44.1 kHz stereo
// and 96 ms at 24 kHz mono. A longer buffer, songs Allegro feeds itself and
// an idle player are looked at every 40 ms.
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
   EXPECT_EQ(delays, (std::vector<int>{6, 24, 40, 40, 40}));
   stop_song();
   EXPECT_EQ(serve_player(), 40);
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

// Without the MIDI patch set the other songs still play; MIDI songs and,
// with no sound driver at all, every song fail to start and leave nothing.
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
   TempDir dir;
   for (const std::string &name : {song_path("tone.wav"), song_path("song.mp3"), song_path("song.ogg"),
                                   song_path("six_beats.mid"), write_module_file(dir, ModuleFormat::S3M)}) {
      EXPECT_EQ(start_song(name.c_str(), false), SONG_NO_SOUND) << name;
      EXPECT_EQ(state(), State(0, BACKEND_NONE));
   }
   EXPECT_EQ(module_backend_duh(), nullptr);
}

}
}

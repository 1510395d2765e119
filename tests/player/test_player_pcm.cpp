// What each backend hands to Allegro, heard through the mixer, against the
// decode of another program: the whole song, its last byte included, then
// silence, and the player stopped by itself.
#include "player_test_support.h"

#include "temp_dir.h"

#include <filesystem>

namespace kstr::test {
namespace {

struct PcmCase {
   const char *file;
   const char *reference;
   int channels, bits;
   bool is_signed;
   int buffer_kib; // mp3oggbuffer while it plays
   friend void PrintTo(const PcmCase &c, std::ostream *os) { *os << c.file << " at " << c.buffer_kib << " KiB"; }
};

class Pcm : public EngineTest, public testing::WithParamInterface<PcmCase> {};

// The 4 KiB buffer the settings allow is below one Layer III frame of PCM
// (4608 bytes) and is raised to it; a value of 0 typed into the settings file
// plays too.
TEST_P(Pcm, TheWholeFileIsHeardThenThePlayerStops)
{
   const PcmCase &c = GetParam();
   mp3oggbuffer = c.buffer_kib;
   set_playlist({song_path(c.file)});
   play_current_song();
   ASSERT_EQ(song_playing, 1) << c.file << " did not start";
   const std::vector<int16_t> want =
         expected_right(load_bytes(song_path(c.reference)), c.channels, c.bits, c.is_signed);
   const std::vector<int16_t> heard = listen_to_the_end();
   EXPECT_TRUE(starts_with(heard, want));
   EXPECT_TRUE(all_silent(heard, want.size()));
   EXPECT_EQ(song_playing, 0);
   EXPECT_EQ(backend_kind, BACKEND_NONE);
   EXPECT_EQ(song_progress(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, Pcm,
                         testing::Values(PcmCase{"tone.wav", "tone_wav.raw", 2, 16, true, 32},
                                         PcmCase{"tone.voc", "tone_voc.raw", 1, 16, true, 32},
                                         PcmCase{"song.mp3", "song_mp3.raw", 2, 16, true, 32},
                                         PcmCase{"song.mp3", "song_mp3.raw", 2, 16, true, 4},
                                         PcmCase{"song.mpg", "song_mp3.raw", 2, 16, true, 0},
                                         PcmCase{"song.ogg", "song_ogg.raw", 2, 16, false, 32},
                                         PcmCase{"short.ogg", "short_ogg.raw", 2, 16, false, 4}),
                         [](const testing::TestParamInfo<PcmCase> &test) {
                            std::string name = test.param.file;
                            for (char &c : name)
                               if (c == '.')
                                  c = '_';
                            return name + "_" + std::to_string(test.param.buffer_kib) + "k";
                         });

// Linux names are case-sensitive: the file is opened by the name as the
// playlist holds it, which stays as the user gave it.
TEST_F(EngineTest, MixedCaseNamesPlayAndStayAsGiven)
{
   TempDir dir;
   for (const char *name : {"Song.Mp3", "SONG.OGG", "tone.Wav"}) {
      SCOPED_TRACE(name);
      const std::filesystem::path extension = std::filesystem::path(name).extension();
      const std::string from = extension == ".Wav" ? "tone.wav" : extension == ".Mp3" ? "song.mp3" : "song.ogg";
      std::filesystem::copy_file(song_path(from), dir.path() / name);
      const std::string path = dir.file(name);
      playlist_remove(main_playlist, 0);
      set_playlist({path});
      play_current_song();
      EXPECT_EQ(song_playing, 1);
      EXPECT_NE(backend_kind, BACKEND_NONE);
      EXPECT_STREQ(playlist_get_name(main_playlist, 0), path.c_str());
      EXPECT_FALSE(all_silent(listen(8)));
      stop_song();
      serve_player();
   }
}

}
}

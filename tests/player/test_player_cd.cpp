// A "cda" entry through the engine, on the disc image the setting names
// (there is no drive here): track 1 heard through the mixer, Pause pausing
// the drive, Stop, another entry and quit stopping it, seeking, a data track
// refused and no drive reported.
#include "player_test_support.h"

#include "cdaudio/cd_control.h"
#include "player/backend_cd.h"

#include <cmath>

namespace kstr::test {
namespace {

constexpr size_t SECTOR_FRAMES = 588, BUFFER_FRAMES = 13 * SECTOR_FRAMES;  // 32 KiB of whole sectors

class CdEntry : public EngineTest {
 protected:
   void SetUp() override
   {
      EngineTest::SetUp();
      mp3oggbuffer = 32;
      use_image("disc.cue");
      set_playlist({song_path("tone.wav"), "cda"});
      main_playlist->current = 1;
   }
   void TearDown() override
   {
      EngineTest::TearDown();
      cd_exit();
   }
   static void use_image(const std::string &name)
   {
      set_config_string(CD_SECTION, CD_DEVICE_KEY, test_data("cd/" + name).c_str());
   }
   static std::string drive_mode()
   {
      cd_command("status cdaudio mode");
      return cd_state.cd_reply;
   }

   const std::vector<int16_t> track1 = read_pcm(test_data("cd/track1.raw"));
   const size_t frames = track1.size() / 2;
};

// Track 1 whole: the right channel sample for sample, the left one at the
// mixer's level a hair under unity; then silence, and the player stops by
// itself once all of it was heard.
TEST_F(CdEntry, PlaysTrackOneIntoTheMixer)
{
   play_current_song();
   ASSERT_EQ(backend_kind, BACKEND_CD);
   EXPECT_DOUBLE_EQ(live_length(), 155 / 75.0);
   std::vector<int16_t> heard = listen(100);
   const double seconds = static_cast<double>(heard.size()) / 44100;
   EXPECT_GE(live_position(), seconds);
   EXPECT_LE(live_position(), seconds + 2 * 13 / 75.0) << "at most two stream buffers ahead";
   const std::vector<int16_t> rest = listen_to_the_end();
   heard.insert(heard.end(), rest.begin(), rest.end());
   EXPECT_EQ(song_playing, 0);
   EXPECT_GE(heard.size(), frames) << "ended before the last audio was heard";
   EXPECT_LE(heard.size(), frames + 3 * BUFFER_FRAMES);
   EXPECT_TRUE(starts_with(heard, expected_right(track1)));
   EXPECT_TRUE(all_silent(heard, frames));
   for (size_t f = 0; f < frames; ++f)
      ASSERT_NEAR(left[f], track1[2 * f] * (32638.0 / 32768.0), 2) << "left channel, frame " << f;
   EXPECT_EQ(drive_mode(), "stopped");
}

// Pause silences the stream and pauses the drive at its place; after the
// pause the track goes on where it was heard last, nothing lost, nothing
// twice.
TEST_F(CdEntry, PauseKeepsThePlace)
{
   play_current_song();
   std::vector<int16_t> heard = listen(150);
   set_song_paused(1);
   EXPECT_EQ(cd_is_paused(), 1);
   EXPECT_EQ(drive_mode(), "paused");
   const double where = live_position();
   EXPECT_TRUE(all_silent(listen(40)));
   EXPECT_EQ(song_playing, 1);
   EXPECT_DOUBLE_EQ(live_position(), where);
   set_song_paused(0);
   EXPECT_EQ(drive_mode(), "playing");
   const std::vector<int16_t> rest = listen_to_the_end();
   heard.insert(heard.end(), rest.begin(), rest.end());
   EXPECT_TRUE(starts_with(heard, expected_right(track1)));
}

// Stop and Play of another entry stop the drive and the stream at once; the
// next Play begins the track afresh. Quit closes the control under a playing
// song: what the stream holds plays out, then silence, and the song ends.
TEST_F(CdEntry, StopAnotherEntryAndQuitStopTheDrive)
{
   play_current_song();
   listen(60);
   stop_song();
   serve_player();
   EXPECT_EQ(drive_mode(), "stopped");
   EXPECT_TRUE(all_silent(listen(4)));

   play_current_song();
   EXPECT_EQ(listen(20), expected_right(track1, 2, 0, 20 * kCaptureBlockFrames));
   play_previous_song();
   EXPECT_EQ(backend_kind, BACKEND_SAMPLE);
   EXPECT_EQ(drive_mode(), "stopped");

   play_next_song();
   listen(20);
   EXPECT_EQ(cd_exit(), 0);
   EXPECT_TRUE(all_silent(listen(80), 2 * BUFFER_FRAMES));
   EXPECT_EQ(backend_kind, BACKEND_NONE);
}

// Seeking plays on from that fraction of the track.
TEST_F(CdEntry, SeekPlaysFromThere)
{
   play_current_song();
   seek_song(0.5);
   EXPECT_DOUBLE_EQ(live_position(), 77 / 75.0);
   EXPECT_EQ(listen(20), expected_right(track1, 2, 77 * SECTOR_FRAMES, 77 * SECTOR_FRAMES + 20 * kCaptureBlockFrames));
}

// A disc whose first track holds data is refused; no drive is said so; in
// both cases nothing plays and nothing is printed.
TEST_F(CdEntry, DataTrackAndNoDrive)
{
   for (auto [image, error] : {std::pair{"mixed.cue", SONG_REFUSED}, {"nothing-here.cue", SONG_NO_CD_DRIVE}}) {
      cd_exit();
      use_image(image);
      testing::internal::CaptureStderr();
      EXPECT_EQ(start_song("cda", false), error) << image;
      EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
      EXPECT_EQ(backend_kind, BACKEND_NONE);
      EXPECT_TRUE(all_silent(listen(4))) << image;
   }
}

}
}

// The CD backend playing a disc image through Allegro's mixer into the
// capture sound driver, as the engine drives it: start, the poll before every
// mixed block, pause, seek and stop.
#include "cd_test_support.h"

#include "cdaudio/cd_control.h"
#include "player/backend.h"
#include "player/backend_cd.h"
#include "player/engine.h"

#include <allegro.h>

#include <cmath>

namespace {

using namespace kstr::test;

constexpr double TRACK1_SECONDS = 155 / 75.0;

struct Playback {
   std::vector<int16_t> left, right;
   std::vector<int> polls;
};

// `blocks` rounds of one poll and one mixed block.
void play(Playback &out, int blocks)
{
   for (int i = 0; i < blocks; ++i) {
      out.polls.push_back(cd_backend.poll());
      const std::vector<int16_t> block = capture_pull(kCaptureBlockFrames);
      for (std::size_t f = 0; f + 1 < block.size(); f += 2) {
         out.left.push_back(block[f]);
         out.right.push_back(block[f + 1]);
      }
   }
}

// The left channel of frames [from, to) at the mixer's level a hair under
// unity (the right one is exact: stream pan 128).
testing::AssertionResult left_follows(const std::vector<int16_t> &heard, std::size_t at, const std::vector<int16_t> &pcm,
                                      std::size_t from, std::size_t to)
{
   for (std::size_t f = from; f < to; ++f) {
      const double want = pcm[2 * f] * (32638.0 / 32768.0);
      if (std::fabs(heard[at + f - from] - want) > 2)
         return testing::AssertionFailure() << "left frame " << f << ": " << heard[at + f - from] << " for " << pcm[2 * f];
   }
   return testing::AssertionSuccess();
}

std::string drive_mode()
{
   cd_command("status cdaudio mode");
   return cd_state.cd_reply;
}

class CdBackend : public testing::Test {
protected:
   void SetUp() override
   {
      set_volume_per_voice(0);
      ASSERT_TRUE(install_capture_sound(44100));
      mp3oggbuffer = 32;
      use_image("disc.cue");
   }
   void TearDown() override
   {
      cd_backend.stop();
      cd_exit();
   }
   static void use_image(const std::string &name)
   {
      set_config_string(CD_SECTION, CD_DEVICE_KEY, cd_file(name).c_str());
   }

   const std::vector<int16_t> track1 = track_pcm(1);
   const std::size_t track1_frames = track1.size() / 2;
};

// A "cda" entry opens the configured image itself and plays track 1 whole:
// the right channel sample for sample, the left one at the mixer's level;
// then silence, and the poll says the song ended once all of it was heard.
TEST_F(CdBackend, PlaysTrackOneIntoTheMixer)
{
   ASSERT_EQ(cd_backend.start("cda", nullptr), SONG_OK);
   EXPECT_DOUBLE_EQ(cd_backend.length(), TRACK1_SECONDS);
   Playback p;
   play(p, 100);
   const double heard = 100.0 * kCaptureBlockFrames / 44100;
   EXPECT_GE(cd_backend.position(), heard);
   EXPECT_LE(cd_backend.position(), heard + 2 * 13 / 75.0) << "at most two stream buffers ahead";
   while (p.polls.back() == 1 && p.polls.size() < 1000)
      play(p, 1);
   ASSERT_EQ(p.polls.back(), 0);
   const std::size_t ended_at = (p.polls.size() - 1) * kCaptureBlockFrames;
   EXPECT_GE(ended_at, track1_frames) << "ended before the last audio was heard";
   EXPECT_LE(ended_at, track1_frames + 3 * 13 * SECTOR_FRAMES);
   EXPECT_EQ(slice(p.right, 0, track1_frames), expected_right(track1, 2, 0, track1_frames));
   EXPECT_TRUE(left_follows(p.left, 0, track1, 0, track1_frames));
   EXPECT_TRUE(all_silent(p.right, track1_frames));
   EXPECT_DOUBLE_EQ(cd_backend.position(), TRACK1_SECONDS);
   EXPECT_EQ(drive_mode(), "stopped");
}

// Pause silences the stream and the drive keeps its place; after the pause
// the track goes on where it was heard last, nothing lost, nothing twice.
TEST_F(CdBackend, PauseKeepsThePlace)
{
   ASSERT_EQ(cd_backend.start("cda", nullptr), SONG_OK);
   Playback before, paused, after;
   play(before, 150);
   cd_backend.pause(1);
   EXPECT_EQ(cd_is_paused(), 1);
   EXPECT_EQ(drive_mode(), "paused");
   const double where = cd_backend.position();
   play(paused, 40);
   EXPECT_TRUE(all_silent(paused.right));
   EXPECT_EQ(paused.polls, std::vector<int>(40, 1));
   EXPECT_DOUBLE_EQ(cd_backend.position(), where);
   cd_backend.pause(0);
   EXPECT_EQ(drive_mode(), "playing");
   play(after, static_cast<int>(track1_frames / kCaptureBlockFrames) - 150 + 1);
   const auto heard = joined({before.right, after.right});
   EXPECT_EQ(slice(heard, 0, track1_frames), expected_right(track1, 2, 0, track1_frames));
}

// Stop (also the first half of playing another entry) ends the stream and
// the drive at once; the next start begins the track afresh, and after quit
// closed the control a "cda" entry opens it again.
TEST_F(CdBackend, StopEndsPlayback)
{
   ASSERT_EQ(cd_backend.start("cda", nullptr), SONG_OK);
   Playback first;
   play(first, 60);
   cd_backend.stop();
   EXPECT_EQ(drive_mode(), "stopped");
   EXPECT_EQ(cd_backend.poll(), 0);
   EXPECT_TRUE(all_silent(capture_pull(4 * kCaptureBlockFrames)));

   ASSERT_EQ(cd_backend.start("CDA", nullptr), SONG_OK);
   Playback again;
   play(again, 20);
   EXPECT_EQ(again.right, expected_right(track1, 2, 0, 20 * kCaptureBlockFrames));
   cd_backend.stop();
   EXPECT_EQ(cd_exit(), 0);
   ASSERT_EQ(cd_backend.start("cda", nullptr), SONG_OK);

   // Quit closes the control under a playing song: what the stream holds
   // plays out, then silence, and the song has ended.
   Playback quit;
   play(quit, 20);
   EXPECT_EQ(cd_exit(), 0);
   play(quit, 80);
   EXPECT_EQ(quit.polls.back(), 0);
   const std::size_t held = 20 * kCaptureBlockFrames + 2 * 13 * SECTOR_FRAMES;
   EXPECT_TRUE(all_silent(quit.right, held));
}

// Seeking plays on from that fraction of the track.
TEST_F(CdBackend, SeekPlaysFromThere)
{
   ASSERT_EQ(cd_backend.start("cda", nullptr), SONG_OK);
   cd_backend.seek(0.5);
   EXPECT_DOUBLE_EQ(cd_backend.position(), 77 / 75.0);
   Playback p;
   play(p, 20);
   EXPECT_EQ(p.right, expected_right(track1, 2, 77 * SECTOR_FRAMES, 77 * SECTOR_FRAMES + 20 * kCaptureBlockFrames));
}

// A disc whose first track holds data is refused; no drive is said so; in
// both cases nothing plays and nothing is printed.
TEST_F(CdBackend, DataTrackAndNoDrive)
{
   for (auto [image, error] : {std::pair{"mixed.cue", SONG_REFUSED}, {"nothing-here.cue", SONG_NO_CD_DRIVE}}) {
      cd_exit();
      use_image(image);
      testing::internal::CaptureStderr();
      EXPECT_EQ(cd_backend.start("cda", nullptr), error) << image;
      EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
      EXPECT_EQ(cd_backend.poll(), 0);
      EXPECT_TRUE(all_silent(capture_pull(4 * kCaptureBlockFrames))) << image;
   }
}

}

// The CD operations on a real disc image: the exact command texts each one
// sends, the replies it parses, its results and the state it keeps.
#include "cd_test_support.h"

#include "cdaudio/cd_control.h"
#include "cdaudio/mci.h"

#include <cstring>

namespace {

using namespace kstr::test;
using Lines = std::vector<std::string>;

class CdControl : public testing::Test {
 protected:
   void SetUp() override
   {
      cd_set_device(cd_file("disc.cue").c_str());
      ASSERT_EQ(cd_init(), 0);
      EXPECT_EQ(log.take(), (Lines{"open cdaudio wait -> ", "set cdaudio time format tmsf -> "}));
   }
   void TearDown() override
   {
      cd_exit();
      cd_state = {};
   }
   CommandLog log;
};

// Track 3 lasts 0:03:10: stop, the length query, then play to the track's
// end. A range ends at the last track's end; play_from has no end, and track
// numbers in "from" wrap at 256.
TEST_F(CdControl, PlayTrackRangeAndFrom)
{
   EXPECT_EQ(cd_play(3), 0);
   EXPECT_EQ(log.take(), (Lines{"stop cdaudio wait -> ", "status cdaudio length track 3 -> 00:03:10",
                                "play cdaudio from 3 to 3:00:03:10 -> "}));
   EXPECT_STREQ(cd_state.cd_resume_to, "3:00:03:10");

   EXPECT_EQ(cd_play_range(1, 2), 0);
   EXPECT_EQ(log.take(), (Lines{"stop cdaudio wait -> ", "status cdaudio length track 2 -> 00:01:40",
                                "play cdaudio from 1 to 2:00:01:40 -> "}));

   EXPECT_EQ(cd_play_from(258), 0);
   EXPECT_EQ(log.take(), (Lines{"stop cdaudio wait -> ", "play cdaudio from 2 -> "}));
   EXPECT_STREQ(cd_state.cd_resume_to, "");
}

// Pause keeps the position; resume plays from it, with the stored end or
// without one, and the audio goes on without a gap or a repeat. Resume
// without a pause sends nothing; the current track is 0 unless playing.
TEST_F(CdControl, PauseAndResume)
{
   cd_resume();
   EXPECT_EQ(log.take(), Lines{});
   ASSERT_EQ(cd_play(1), 0);
   EXPECT_EQ(cd_current_track(), 1);
   log.take();
   auto heard = read_frames(50 * SECTOR_FRAMES, cd_read_audio);
   EXPECT_EQ(cd_pause(), 0);
   EXPECT_EQ(cd_is_paused(), 1);
   EXPECT_STREQ(cd_state.cd_resume_from, "01:00:00:50");
   EXPECT_EQ(cd_current_track(), 0);
   cd_resume();
   EXPECT_EQ(cd_is_paused(), 0);
   EXPECT_EQ(log.take(), (Lines{"status cdaudio position -> 01:00:00:50", "pause cdaudio -> ",
                                "status cdaudio mode -> paused", "play cdaudio from 01:00:00:50 to 1:00:02:05 -> "}));
   heard = joined({heard, read_frames(1000000, cd_read_audio)});
   EXPECT_EQ(heard, track_pcm(1));

   ASSERT_EQ(cd_play_from(2), 0);
   heard = read_frames(30 * SECTOR_FRAMES, cd_read_audio, 588);
   EXPECT_EQ(cd_current_track(), 2);
   log.take();
   cd_pause();
   cd_resume();
   EXPECT_EQ(log.take(), (Lines{"status cdaudio position -> 02:00:00:30", "pause cdaudio -> ",
                                "play cdaudio from 02:00:00:30 -> "}));
   heard = joined({heard, read_frames(1000000, cd_read_audio)});
   EXPECT_EQ(heard, joined({track_pcm(2), track_pcm(3)}));
   EXPECT_EQ(cd_current_track(), 0) << "stopped at the end";
}

// Tracks and their types from the image.
TEST_F(CdControl, TracksAndTypes)
{
   int first = 0, last = 0;
   EXPECT_EQ(cd_get_tracks(&first, &last), 0);
   EXPECT_EQ(first, 1);
   EXPECT_EQ(last, 4);
   EXPECT_EQ(cd_get_tracks(nullptr, nullptr), 0);
   EXPECT_EQ(log.take(), (Lines{"status cdaudio number of tracks -> 4", "status cdaudio number of tracks -> 4"}));
   for (unsigned track : {1u, 2u, 3u})
      EXPECT_EQ(cd_is_audio(track), 1) << track;
   EXPECT_EQ(cd_is_audio(4), 0);
   EXPECT_EQ(cd_is_audio(9), -1);
   EXPECT_EQ(log.take().back(), "status cdaudio type track 9 -> error " + std::to_string(MCIERR_OUTOFRANGE));
   EXPECT_EQ(cd_state.cd_error_code, MCIERR_OUTOFRANGE);
}

// A failed length query plays nothing and says why; the error text stays
// until the next error, and the reply is the last command's.
TEST_F(CdControl, FailedLengthQueryPlaysNothing)
{
   ASSERT_EQ(cd_play(2), 0);
   EXPECT_EQ(cd_play(7), -1);
   EXPECT_EQ(log.take(), (Lines{"stop cdaudio wait -> ", "status cdaudio length track 2 -> 00:01:40",
                                "play cdaudio from 2 to 2:00:01:40 -> ", "stop cdaudio wait -> ",
                                "status cdaudio length track 7 -> error " + std::to_string(MCIERR_OUTOFRANGE)}));
   EXPECT_STREQ(cd_state.cd_resume_to, "");
   char text[256];
   mci_get_error_string(MCIERR_OUTOFRANGE, text, sizeof text);
   EXPECT_STREQ(cd_state.cd_error, text);
   EXPECT_TRUE(read_frames(10, cd_read_audio).empty());
   EXPECT_EQ(cd_play_range(1, 4294967295u), -1);
   EXPECT_EQ(log.take().back(), "status cdaudio length track 4294967295 -> error " + std::to_string(MCIERR_OUTOFRANGE));
   EXPECT_STREQ(cd_state.cd_resume_to, "");
   EXPECT_LT(std::strlen(cd_state.cd_resume_to), sizeof cd_state.cd_resume_to);

   EXPECT_EQ(cd_command("status cdaudio type track %u", 4u), 0);
   EXPECT_STREQ(cd_state.cd_reply, "other");
   EXPECT_STREQ(cd_state.cd_error, text) << "kept on success";
}

// The door needs a real drive: on an image both fail, and both end a pause.
TEST_F(CdControl, DoorOnAnImage)
{
   ASSERT_EQ(cd_play(1), 0);
   cd_pause();
   EXPECT_EQ(cd_eject(), -1);
   EXPECT_EQ(cd_is_paused(), 0);
   cd_pause();
   EXPECT_EQ(cd_close(), -1);
   EXPECT_EQ(cd_is_paused(), 0);
   EXPECT_EQ(cd_state.cd_error_code, MCIERR_UNSUPPORTED_FUNCTION);
   const Lines lines = log.take();
   EXPECT_EQ(lines[lines.size() - 4], "set cdaudio door open -> error " + std::to_string(MCIERR_UNSUPPORTED_FUNCTION));
   EXPECT_EQ(lines.back(), "set cdaudio door closed -> error " + std::to_string(MCIERR_UNSUPPORTED_FUNCTION));
}

// Without a drive (none named, or the system's default where there is
// none) cd_init fails quietly and so does every operation after it; a pause
// still counts as paused; a second cd_exit fails.
TEST_F(CdControl, NoDriveAndClosing)
{
   EXPECT_EQ(cd_exit(), 0);
   EXPECT_EQ(cd_exit(), -1);
   EXPECT_EQ(log.take(),
             (Lines{"close cdaudio -> ", "close cdaudio -> error " + std::to_string(MCIERR_INVALID_DEVICE_NAME)}));
   for (const char *device : {"/nonexistent/disc.cue", ""}) {
      cd_set_device(device);
      testing::internal::CaptureStderr();
      const int opened = cd_init();
      EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
      if (*device == '\0' && opened == 0)
         GTEST_SKIP() << "this machine has a CD drive";
      EXPECT_EQ(opened, -1) << device;
      EXPECT_EQ(cd_state.cd_error_code, MCIERR_NO_DRIVE);
      EXPECT_EQ(log.take(), Lines{"open cdaudio wait -> error " + std::to_string(MCIERR_NO_DRIVE)});
      EXPECT_EQ(cd_play(1), -1);
      EXPECT_EQ(cd_pause(), -1);
      EXPECT_EQ(cd_is_paused(), 1);
      EXPECT_STREQ(cd_state.cd_resume_from, "");
      EXPECT_EQ(cd_current_track(), 0);
      EXPECT_EQ(cd_get_tracks(nullptr, nullptr), -1);
      EXPECT_EQ(cd_is_audio(1), -1);
      log.take();
   }
}

}

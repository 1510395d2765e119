// Positions, lengths and seeks, with their truncations and range rules.
#include "mp3_player_helpers.h"

#include <gtest/gtest.h>

namespace mp3 = kstr::test::mp3;

namespace {

// `count` copies of the first frame of a 44.1 kHz stereo Layer III file.
mp3::Bytes repeated_frames(int count, int &frame_bytes)
{
   const mp3::Bytes file = mp3::load("cbr_44k_stereo_notag.mp3");
   frame_bytes = mp3::walk_frames(file)[0].size;
   mp3::Bytes block;
   block.reserve(static_cast<size_t>(count * frame_bytes));
   for (int i = 0; i < count; ++i)
      block.insert(block.end(), file.begin(), file.begin() + frame_bytes);
   return block;
}

}

// 10000 frames of 1152 samples at 44100 Hz: the length counts 26 whole
// milliseconds a frame, the position the exact time.
TEST(Mp3PlayerPosition, LengthTruncatesBeforePosition)
{
   int frame_bytes = 0;
   const mp3::Bytes block = repeated_frames(10000, frame_bytes);
   auto player = mp3::create(block);
   ASSERT_TRUE(player);
   MP3_PLAYER *p = player.get();
   EXPECT_EQ(mp3_player_length_frames(p), 10000);
   EXPECT_EQ(mp3_player_msecs_per_frame(p), 26);
   EXPECT_EQ(mp3_player_length_msecs(p), 260000);
   EXPECT_EQ(mp3_player_length_secs(p), 260);
   mp3_player_seek_frame(p, 9999);
   EXPECT_EQ(mp3_player_pos_frames(p), 9999);
   EXPECT_EQ(mp3_player_pos_msecs(p), 261198);
   EXPECT_EQ(mp3_player_pos_secs(p), 261);
   EXPECT_EQ(mp3_player_pos_bytes(p), 9999 * frame_bytes);
}

TEST(Mp3PlayerPosition, SeeksOutOfRangeChangeNothing)
{
   int frame_bytes = 0;
   const mp3::Bytes block = repeated_frames(100, frame_bytes);
   auto player = mp3::create(block);
   ASSERT_TRUE(player);
   MP3_PLAYER *p = player.get();
   mp3_player_seek_frame(p, 40);
   auto unchanged = [&] {
      EXPECT_EQ(mp3_player_pos_frames(p), 40);
      EXPECT_EQ(mp3_player_pos_bytes(p), 40 * frame_bytes);
   };
   for (int f : {100, 101, -1, INT_MAX, INT_MIN}) {
      mp3_player_seek_frame(p, f);
      unchanged();
   }
   for (int d : {60, 1000, -41, INT_MAX, INT_MIN}) {
      mp3_player_skip_frames(p, d);
      unchanged();
   }
   for (int ms : {100 * 26, -26, INT_MAX, INT_MIN}) {
      mp3_player_seek_msecs(p, ms);
      unchanged();
   }
   for (int s : {3, -2, INT_MAX, INT_MIN}) {
      mp3_player_seek_secs(p, s);
      mp3_player_skip_secs(p, s);
      unchanged();
   }
   for (int b : {100 * frame_bytes, -1, INT_MAX, INT_MIN}) {
      mp3_player_seek_bytes(p, b);
      unchanged();
   }
   mp3_player_skip_bytes(p, 60 * frame_bytes);
   mp3_player_skip_bytes(p, INT_MIN);
   unchanged();
}

TEST(Mp3PlayerPosition, SeeksInRange)
{
   int frame_bytes = 0;
   const mp3::Bytes block = repeated_frames(1000, frame_bytes);
   auto player = mp3::create(block);
   ASSERT_TRUE(player);
   MP3_PLAYER *p = player.get();
   auto at = [&](int frame, int bytes) {
      EXPECT_EQ(mp3_player_pos_frames(p), frame);
      EXPECT_EQ(mp3_player_pos_bytes(p), bytes);
   };
   mp3_player_seek_frame(p, 999);
   at(999, 999 * frame_bytes);
   mp3_player_seek_msecs(p, 13025); // 500 frames of 26 ms, 25 ms to spare
   at(500, 500 * frame_bytes);
   mp3_player_seek_secs(p, 10); // 10000 / 26
   at(384, 384 * frame_bytes);
   mp3_player_skip_frames(p, -84);
   at(300, 300 * frame_bytes);
   mp3_player_skip_msecs(p, 2600);
   at(400, 400 * frame_bytes);
   mp3_player_skip_secs(p, -1); // 38 frames back
   at(362, 362 * frame_bytes);
   mp3_player_seek_bytes(p, 10 * frame_bytes + 5);
   at(10, 10 * frame_bytes + 5);
   mp3_player_skip_bytes(p, -5);
   at(10, 10 * frame_bytes);
   mp3_player_rewind(p);
   at(0, 0);
}

// Byte seeks reach back over the lead: anything before the first frame is
// the first frame.
TEST(Mp3PlayerPosition, ByteSeeksWithALead)
{
   const mp3::Bytes v2 = mp3::load("id3v2_44k_stereo.mp3");
   const int lead = 10 + (v2[6] << 21 | v2[7] << 14 | v2[8] << 7 | v2[9]);
   auto player = mp3::create(v2);
   ASSERT_TRUE(player);
   MP3_PLAYER *p = player.get();
   mp3_player_seek_bytes(p, 1000);
   EXPECT_EQ(mp3_player_pos_bytes(p), lead + 1000);
   mp3_player_seek_bytes(p, -lead);
   EXPECT_EQ(mp3_player_pos_bytes(p), lead);
   mp3_player_seek_bytes(p, 1000);
   mp3_player_seek_bytes(p, -lead - 1);
   EXPECT_EQ(mp3_player_pos_bytes(p), lead + 1000);
   mp3_player_skip_bytes(p, -1000 - lead);
   EXPECT_EQ(mp3_player_pos_bytes(p), lead);
}

// With a Xing table seeks go through it; the position stays inside the data.
TEST(Mp3PlayerPosition, SeeksThroughTheXingTable)
{
   const mp3::Bytes file = mp3::load("vbr_44k_stereo.mp3");
   auto player = mp3::create(file);
   ASSERT_TRUE(player);
   MP3_PLAYER *p = player.get();
   const int frames = mp3_player_length_frames(p);
   for (int f = 0; f < frames; ++f) {
      mp3_player_seek_frame(p, f);
      EXPECT_EQ(mp3_player_pos_frames(p), f);
      EXPECT_GE(mp3_player_pos_bytes(p), 0);
      EXPECT_LE(mp3_player_pos_bytes(p), static_cast<int>(file.size()));
   }
   // Every seek target decodes: a sample made afterwards is the whole file.
   mp3::Sample sample(mp3_player_make_sample(p));
   ASSERT_TRUE(sample);
   EXPECT_EQ(mp3::signed_pcm(sample.get()), mp3::load_reference("vbr_44k_stereo.mp3"));
}

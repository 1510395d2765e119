// mp3_player_create: tags, junk before the first frame, the scan window, and
// the figures taken from the first frame.
#include "mp3_player_helpers.h"

#include <gtest/gtest.h>

#include <cstring>

namespace mp3 = kstr::test::mp3;

TEST(Mp3PlayerCreate, FiguresOfTheFirstFrame)
{
   struct Case {
      const char *name;
      int freq, stereo, layer, bitrate, msecs_per_frame;
   };
   for (const Case &c : {Case{"cbr_44k_stereo_notag.mp3", 44100, -1, 3, 128000, 26},
                         Case{"cbr_44k_mono.mp3", 44100, 0, 3, 64000, 26},
                         Case{"mpeg2_22k_stereo.mp3", 22050, -1, 3, 64000, 26},
                         Case{"mpeg25_11k_mono.mp3", 11025, 0, 3, 16000, 52},
                         Case{"layer2_44k_stereo.mp2", 44100, -1, 2, 192000, 26},
                         Case{"layer2_48k_mono.mp2", 48000, 0, 2, 96000, 24}}) {
      SCOPED_TRACE(c.name);
      const mp3::Bytes file = mp3::load(c.name);
      auto player = mp3::create(file);
      ASSERT_TRUE(player);
      MP3_PLAYER *p = player.get();
      EXPECT_EQ(mp3_player_wave_freq(p), c.freq);
      EXPECT_EQ(mp3_player_wave_stereo(p), c.stereo);
      EXPECT_EQ(mp3_player_wave_bits(p), 16);
      EXPECT_EQ(mp3_player_layer(p), c.layer);
      EXPECT_EQ(mp3_player_bitrate(p), c.bitrate);
      EXPECT_EQ(mp3_player_msecs_per_frame(p), c.msecs_per_frame);
      // Without a Xing record the count is the data length over the first
      // frame's length.
      const auto walk = mp3::walk_frames(file);
      EXPECT_EQ(mp3_player_length_frames(p), static_cast<int>(file.size()) / walk[0].size);
      EXPECT_EQ(mp3_player_length_bytes(p), static_cast<int>(file.size()));
      EXPECT_EQ(mp3_player_pos_bytes(p), 0);
      EXPECT_EQ(mp3_player_is_playing(p), 0);
      EXPECT_EQ(mp3_player_is_looping(p), 0);
      EXPECT_EQ(mp3_player_audio_stream(p), nullptr);
      int length = -5;
      EXPECT_EQ(mp3_player_output_buffer(p, &length), nullptr);
      EXPECT_EQ(length, -5);
   }
}

TEST(Mp3PlayerCreate, Id3Tags)
{
   // ID3v1: the last 128 bytes are not audio, but count in the block's length.
   const mp3::Bytes v1 = mp3::load("id3v1_44k_stereo.mp3");
   auto player = mp3::create(v1);
   ASSERT_TRUE(player);
   EXPECT_EQ(mp3_player_length_bytes(player.get()), static_cast<int>(v1.size()));
   mp3_player_seek_bytes(player.get(), static_cast<int>(v1.size()) - 129);
   EXPECT_EQ(mp3_player_pos_bytes(player.get()), static_cast<int>(v1.size()) - 129);
   mp3_player_seek_bytes(player.get(), static_cast<int>(v1.size()) - 128);
   EXPECT_EQ(mp3_player_pos_bytes(player.get()), static_cast<int>(v1.size()) - 129) << "inside the tag";

   // ID3v2: data starts behind size + 10 bytes, or size + 20 with a footer.
   const mp3::Bytes v2 = mp3::load("id3v2_44k_stereo.mp3");
   const int size = v2[6] << 21 | v2[7] << 14 | v2[8] << 7 | v2[9];
   player = mp3::create(v2);
   ASSERT_TRUE(player);
   EXPECT_EQ(mp3_player_pos_bytes(player.get()), size + 10);
   EXPECT_EQ(mp3_player_length_bytes(player.get()), static_cast<int>(v2.size()));

   mp3::Bytes footer = v2;
   footer[5] |= 0x10;
   const uint8_t footer_bytes[10] = {'3', 'D', 'I', 4, 0, 0x10, v2[6], v2[7], v2[8], v2[9]};
   footer.insert(footer.begin() + size + 10, footer_bytes, footer_bytes + 10);
   player = mp3::create(footer);
   ASSERT_TRUE(player);
   EXPECT_EQ(mp3_player_pos_bytes(player.get()), size + 20);

   // A tag claiming more than the block holds leaves nothing to play.
   mp3::Bytes huge = v2;
   huge[6] = 0x7F;
   EXPECT_FALSE(mp3::create(huge));
}

// Junk before the first frame is skipped only inside the 28672-byte window
// behind the ID3v2 tag; a lone false sync word is passed over.
TEST(Mp3PlayerCreate, JunkBeforeTheFirstFrame)
{
   const mp3::Bytes file = mp3::load("cbr_44k_stereo_notag.mp3");
   const int frame = mp3::walk_frames(file)[0].size;
   auto with_junk = [&](const mp3::Bytes &junk) {
      mp3::Bytes block = junk;
      block.insert(block.end(), file.begin(), file.end());
      return block;
   };
   for (int amount : {1, 1000, 28672 - frame}) {
      auto player = mp3::create(with_junk(mp3::garbage(static_cast<size_t>(amount))));
      ASSERT_TRUE(player) << amount;
      EXPECT_EQ(mp3_player_pos_bytes(player.get()), amount);
      EXPECT_EQ(mp3_player_length_bytes(player.get()), amount + static_cast<int>(file.size()));
   }
   // The first frame must decode inside the window.
   EXPECT_FALSE(mp3::create(with_junk(mp3::garbage(static_cast<size_t>(28672 - frame + 1)))));
   EXPECT_FALSE(mp3::create(with_junk(mp3::garbage(40000))));

   // A header that decodes (to silence) but is not followed by another one.
   mp3::Bytes false_sync = mp3::garbage(2000);
   const uint8_t sync[4] = {0xFF, 0xFB, 0x90, 0x00};
   std::memcpy(false_sync.data() + 100, sync, 4);
   std::fill(false_sync.begin() + 104, false_sync.begin() + 104 + frame, 0);
   auto player = mp3::create(with_junk(false_sync));
   ASSERT_TRUE(player);
   EXPECT_EQ(mp3_player_pos_bytes(player.get()), 2000);

   // Junk behind an ID3v2 tag counts into the lead.
   const mp3::Bytes v2 = mp3::load("id3v2_44k_stereo.mp3");
   const int tag = 10 + (v2[6] << 21 | v2[7] << 14 | v2[8] << 7 | v2[9]);
   mp3::Bytes tagged(v2.begin(), v2.begin() + tag);
   const mp3::Bytes junk = mp3::garbage(500);
   tagged.insert(tagged.end(), junk.begin(), junk.end());
   tagged.insert(tagged.end(), v2.begin() + tag, v2.end());
   player = mp3::create(tagged);
   ASSERT_TRUE(player);
   EXPECT_EQ(mp3_player_pos_bytes(player.get()), tag + 500);
}

// A block of one frame has no room for a second header and is accepted, also
// with a tail too short to hold one.
TEST(Mp3PlayerCreate, SingleFrame)
{
   const mp3::Bytes file = mp3::load("cbr_44k_stereo_notag.mp3");
   const mp3::Bytes one(file.begin(), file.begin() + mp3::walk_frames(file)[0].size);
   for (int tail : {0, 1, 3}) {
      mp3::Bytes block = one;
      block.insert(block.end(), static_cast<size_t>(tail), 0x00);
      auto player = mp3::create(block);
      ASSERT_TRUE(player) << tail;
      EXPECT_EQ(mp3_player_length_frames(player.get()), 1);
      mp3::Sample sample(mp3_player_make_sample(player.get()));
      ASSERT_TRUE(sample);
      EXPECT_EQ(sample->len, 1152u);
   }
   // Four bytes behind the frame that are not a header: refused.
   mp3::Bytes block = one;
   block.insert(block.end(), 4, 0x00);
   EXPECT_FALSE(mp3::create(block));
   // One byte short of the frame: nothing decodes.
   EXPECT_FALSE(mp3::create(mp3::Bytes(one.begin(), one.end() - 1)));
}

TEST(Mp3PlayerCreate, BlocksWithoutAudio)
{
   EXPECT_FALSE(mp3_player_create(nullptr, 100));
   const uint8_t byte = 0xFF;
   EXPECT_FALSE(mp3_player_create(&byte, 0));
   EXPECT_FALSE(mp3_player_create(&byte, -5));
   const mp3::Bytes file = mp3::load("cbr_44k_stereo_notag.mp3");
   // Every short head of a real file, headers cut within their first bytes.
   for (int len = 1; len < 12; ++len)
      EXPECT_FALSE(mp3_player_create(file.data(), len)) << len;
   const mp3::Bytes tags_only = {'I', 'D', '3', 3, 0, 0, 0, 0, 0, 0};
   EXPECT_FALSE(mp3::create(tags_only));
   mp3::Bytes v1_only(128, 0);
   std::memcpy(v1_only.data(), "TAG", 3);
   EXPECT_FALSE(mp3::create(v1_only));
   mp3_player_destroy(nullptr);
}

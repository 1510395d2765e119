// The decoder adapter on its own: its failure rules and the room it is given.
// Its output is checked through mp3_player_make_sample, which splits frames.
#include "streams/mp3_decoder.h"

#include "stream_test_support.h"

using namespace kstr::test;

// Input after a reset must begin with a header; an error stays until reset;
// a frame larger than the room given is cut to it.
TEST(Mp3Decoder, RefusesJunkStaysFailedUntilResetAndKeepsToTheRoom)
{
   const Bytes file = load("mp3/cbr_44k_stereo_notag.mp3");
   const auto walk = walk_frames(file);
   const int len = static_cast<int>(file.size());
   kstr::Mp3Decoder decoder;
   uint8_t out[8192];
   int bytes = 0;
   const Bytes junk_first = inserted(file, 0, {0x00, 0x12, 0xFF});
   EXPECT_EQ(decoder.decode(junk_first.data(), len + 3, out, sizeof out, &bytes), MP3_ERR);
   EXPECT_EQ(decoder.decode(file.data(), len, out, sizeof out, &bytes), MP3_ERR);
   decoder.reset();
   ASSERT_EQ(decoder.decode(file.data(), len, out, sizeof out, &bytes), MP3_OK);
   EXPECT_EQ(bytes, 4608);
   EXPECT_EQ(decoder.facts().frame_size + 4, walk[0].size);
   ASSERT_EQ(decoder.decode(nullptr, 0, out, 1000, &bytes), MP3_OK);
   EXPECT_EQ(bytes, 1000);

   // Junk between two frames: the second decode fails, and so does every call
   // after it, whatever is fed.
   const Bytes broken = inserted(file, static_cast<size_t>(walk[1].offset), Bytes(50, 0x55));
   decoder.reset();
   ASSERT_EQ(decoder.decode(broken.data(), len + 50, out, sizeof out, &bytes), MP3_OK);
   EXPECT_EQ(decoder.decode(nullptr, 0, out, sizeof out, &bytes), MP3_ERR);
   EXPECT_EQ(decoder.decode(file.data(), len, out, sizeof out, &bytes), MP3_ERR);
   decoder.reset();
   EXPECT_EQ(decoder.decode(file.data() + walk[1].offset, 2000, out, sizeof out, &bytes), MP3_OK);
   EXPECT_EQ(decoder.facts().frame_size + 4, walk[1].size) << "the other padding";
}

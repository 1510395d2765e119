// The decoder adapter on its own, frame by frame, on real encoder output.
#include "streams/mp3_decoder.h"

#include "stream_test_support.h"

using namespace kstr::test;

// Every file decodes to exactly the mpg123 program's output, fed in pieces
// smaller than a frame or all at once: one header-walk frame per MP3_OK, with
// the facts of that frame's header.
TEST(Mp3Decoder, WholeFilesMatchReferenceFrameByFrame)
{
   for (const std::string name : {"cbr_44k_stereo.mp3", "vbr_44k_stereo.mp3", "cbr_44k_mono.mp3", "mpeg2_22k_stereo.mp3",
                                  "mpeg25_11k_mono.mp3", "layer2_44k_stereo.mp2", "layer2_48k_mono.mp2",
                                  "id3v2_44k_stereo.mp3"}) {
      const Bytes file = load("mp3/" + name);
      const int start = name.rfind("id3v2", 0) == 0 ? id3v2_end(file) : 0, size = static_cast<int>(file.size());
      const auto walk = walk_frames(file, start);
      for (int chunk : {417, 1 << 20}) {
         SCOPED_TRACE(name + " in pieces of " + std::to_string(chunk));
         kstr::Mp3Decoder decoder;
         uint8_t out[8192];
         Bytes pcm;
         size_t frame = 0;
         int pos = start, r = MP3_OK, pcm_bytes = 0;
         while (r != MP3_ERR && (r == MP3_OK || pos < size)) {
            const int n = r == MP3_NEED_MORE ? std::min(chunk, size - pos) : 0; // drain before feeding
            r = decoder.decode(file.data() + pos, n, out, sizeof out, &pcm_bytes);
            pos += n;
            if (r != MP3_OK)
               continue;
            ASSERT_LT(frame, walk.size());
            const uint8_t *h = file.data() + walk[frame].offset;
            EXPECT_EQ(decoder.facts().frame_size + 4, walk[frame].size) << "frame " << frame;
            EXPECT_EQ(decoder.facts().header, uint32_t{h[0]} << 24 | h[1] << 16 | h[2] << 8 | h[3]);
            EXPECT_EQ(decoder.facts().channels, (h[3] >> 6) == 3 ? 1 : 2);
            pcm.insert(pcm.end(), out, out + pcm_bytes);
            ++frame;
         }
         EXPECT_EQ(r, MP3_NEED_MORE);
         EXPECT_EQ(frame, walk.size());
         EXPECT_TRUE(same_pcm(pcm, load("mp3/" + name.substr(0, name.rfind('.')) + ".raw")));
      }
   }
}

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
}

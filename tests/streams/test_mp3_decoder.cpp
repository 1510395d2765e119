// The decoder adapter on its own, frame by frame, on real encoder output.
#include "streams/mp3_decoder.h"

#include "mp3_test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace mp3 = kstr::test::mp3;

namespace {

struct Decoded {
   std::vector<int16_t> pcm;
   std::vector<kstr::Mp3FrameFacts> frames;
   std::vector<int> frame_pcm_bytes;
   int last_result = MP3_OK;
};

// Feeds `chunk` bytes whenever the decoder asks for more, as the player does.
Decoded decode_all(const mp3::Bytes &file, int start, int chunk)
{
   kstr::Mp3Decoder decoder;
   EXPECT_TRUE(decoder.usable());
   Decoded out;
   uint8_t pcm[8192];
   int pos = start;
   const int end = static_cast<int>(file.size());
   for (;;) {
      int bytes = -7;
      int r = decoder.decode(nullptr, 0, pcm, sizeof pcm, &bytes);
      while (r == MP3_NEED_MORE && pos < end) {
         const int n = std::min(chunk, end - pos);
         r = decoder.decode(file.data() + pos, n, pcm, sizeof pcm, &bytes);
         pos += n;
      }
      out.last_result = r;
      if (r != MP3_OK)
         return out;
      out.frames.push_back(decoder.facts());
      out.frame_pcm_bytes.push_back(bytes);
      const auto *samples = reinterpret_cast<const int16_t *>(pcm);
      out.pcm.insert(out.pcm.end(), samples, samples + bytes / 2);
   }
}

int first_header_offset(const mp3::Bytes &file)
{
   return file.size() > 10 && std::memcmp(file.data(), "ID3", 3) == 0
      ? 10 + (file[6] << 21 | file[7] << 14 | file[8] << 7 | file[9])
      : 0;
}

}

// Every file decodes frame by frame to exactly the mpg123 program's output,
// one header-walk frame per MP3_OK, with the frame facts of that header.
TEST(Mp3Decoder, WholeFilesMatchReferenceFrameByFrame)
{
   for (const char *name : {"cbr_44k_stereo.mp3", "vbr_44k_stereo.mp3", "cbr_44k_mono.mp3", "mpeg2_22k_stereo.mp3",
                            "mpeg25_11k_mono.mp3", "layer2_44k_stereo.mp2", "layer2_48k_mono.mp2",
                            "id3v2_44k_stereo.mp3"}) {
      SCOPED_TRACE(name);
      const mp3::Bytes file = mp3::load(name);
      const int start = first_header_offset(file);
      const auto walk = mp3::walk_frames(file, start);
      ASSERT_GT(walk.size(), 10u);
      for (int chunk : {417, 1792, 100000}) {
         SCOPED_TRACE(chunk);
         const Decoded d = decode_all(file, start, chunk);
         EXPECT_EQ(d.last_result, MP3_NEED_MORE);
         ASSERT_EQ(d.frames.size(), walk.size());
         EXPECT_EQ(d.pcm, mp3::load_reference(name));
         for (size_t i = 0; i < walk.size(); ++i) {
            const kstr::Mp3FrameFacts &f = d.frames[i];
            ASSERT_EQ(f.frame_size + 4, walk[i].size) << "frame " << i;
            EXPECT_EQ(f.channels, walk[i].channels);
            EXPECT_EQ(f.header, uint32_t(file[walk[i].offset]) << 24 | file[walk[i].offset + 1] << 16
                                   | file[walk[i].offset + 2] << 8 | file[walk[i].offset + 3]);
            EXPECT_EQ(d.frame_pcm_bytes[i], mp3::pcm_bytes(walk[i]));
         }
      }
   }
}

// The whole file queued at once still comes out one frame per call; a frame
// larger than the capacity is cut; NEED_MORE leaves the count alone.
TEST(Mp3Decoder, OneFramePerCallAndCapacity)
{
   const mp3::Bytes file = mp3::load("cbr_44k_stereo_notag.mp3");
   const auto walk = mp3::walk_frames(file);
   kstr::Mp3Decoder decoder;
   uint8_t pcm[8192];
   int bytes = 0;
   ASSERT_EQ(decoder.decode(file.data(), static_cast<int>(file.size()), pcm, sizeof pcm, &bytes), MP3_OK);
   EXPECT_EQ(bytes, 4608);
   ASSERT_EQ(decoder.decode(nullptr, 0, pcm, 1000, &bytes), MP3_OK);
   EXPECT_EQ(bytes, 1000);
   size_t frames = 2;
   while (decoder.decode(nullptr, 0, pcm, sizeof pcm, &bytes) == MP3_OK) {
      EXPECT_EQ(bytes, 4608);
      ++frames;
   }
   EXPECT_EQ(frames, walk.size());
   bytes = 1234;
   EXPECT_EQ(decoder.decode(nullptr, 0, pcm, sizeof pcm, &bytes), MP3_NEED_MORE);
   EXPECT_EQ(bytes, 1234);

   // A frame fed in pieces is decoded once its last byte arrives, not before.
   decoder.reset();
   const int first = walk[0].size;
   ASSERT_EQ(decoder.decode(file.data(), 2, pcm, sizeof pcm, &bytes), MP3_NEED_MORE);
   ASSERT_EQ(decoder.decode(file.data() + 2, first - 3, pcm, sizeof pcm, &bytes), MP3_NEED_MORE);
   ASSERT_EQ(decoder.decode(file.data() + first - 1, 1, pcm, sizeof pcm, &bytes), MP3_OK);
   EXPECT_EQ(decoder.facts().frame_size + 4, first);
}

// Input after a reset must begin with a header; an error stays until reset.
TEST(Mp3Decoder, RefusesJunkAndStaysFailedUntilReset)
{
   const mp3::Bytes file = mp3::load("cbr_44k_stereo_notag.mp3");
   const auto walk = mp3::walk_frames(file);
   kstr::Mp3Decoder decoder;
   uint8_t pcm[8192];
   int bytes = 0;

   mp3::Bytes junk_first = {0x00, 0x12, 0xFF};
   junk_first.insert(junk_first.end(), file.begin(), file.end());
   EXPECT_EQ(decoder.decode(junk_first.data(), static_cast<int>(junk_first.size()), pcm, sizeof pcm, &bytes), MP3_ERR);
   EXPECT_EQ(decoder.decode(file.data(), static_cast<int>(file.size()), pcm, sizeof pcm, &bytes), MP3_ERR);
   decoder.reset();
   EXPECT_EQ(decoder.decode(file.data(), static_cast<int>(file.size()), pcm, sizeof pcm, &bytes), MP3_OK);

   // Junk between two frames: the second decode fails, and so does every call
   // after it, whatever is fed.
   mp3::Bytes broken(file.begin(), file.begin() + walk[0].size);
   broken.insert(broken.end(), 50, 0x55);
   broken.insert(broken.end(), file.begin() + walk[1].offset, file.end());
   decoder.reset();
   ASSERT_EQ(decoder.decode(broken.data(), static_cast<int>(broken.size()), pcm, sizeof pcm, &bytes), MP3_OK);
   EXPECT_EQ(decoder.decode(nullptr, 0, pcm, sizeof pcm, &bytes), MP3_ERR);
   EXPECT_EQ(decoder.decode(nullptr, 0, pcm, sizeof pcm, &bytes), MP3_ERR);
   EXPECT_EQ(decoder.decode(file.data(), static_cast<int>(file.size()), pcm, sizeof pcm, &bytes), MP3_ERR);
   decoder.reset();
   EXPECT_EQ(decoder.decode(file.data() + walk[1].offset, 2000, pcm, sizeof pcm, &bytes), MP3_OK);
}

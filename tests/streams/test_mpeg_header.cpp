// Frame header rules, the Xing record and the table of contents.
#include "streams/mpeg_header.h"

#include "stream_test_support.h"

#include <climits>
#include <tuple>
#include <utility>

using kstr::test::Bytes;

TEST(MpegHeader, ValidityOfEachField)
{
   constexpr uint32_t base = 0xFFFB9000;  // sync, MPEG-1, Layer III, bit-rate index 9, rate index 0, stereo
   for (auto [mask, value, valid, what] :
        {std::tuple<uint32_t, uint32_t, int, const char *>{0, 0, -1, "MPEG-1 Layer III"},
         {0x60000, 0x40000, -1, "Layer II"},
         {0x60000, 0x60000, 0, "Layer I"},
         {0x60000, 0, 0, "reserved layer"},
         {0xF000, 0, 0, "free format"},
         {0xF000, 0xF000, 0, "bit-rate index 15"},
         {0xC00, 0xC00, 0, "rate index 3"},
         {0x180000, 0x80000, 0, "reserved version"},
         {0x180000, 0, -1, "MPEG-2.5"},
         {0x180000, 0x100000, -1, "MPEG-2"},
         {0x200000, 0, 0, "a sync bit missing"},
         {0x1FF, 0x1FF, -1, "free low bits"}})
      EXPECT_EQ(mp3_header_valid((base & ~mask) | value), valid) << what;
}

// Header words and Xing fields are read only inside the block (the tag
// tests read short blocks through mp3_player_create).
TEST(MpegHeader, ReadsStayInsideTheBlock)
{
   const uint8_t block[6] = {0x00, 0xFF, 0xFB, 0x90, 0x00, 0xFF};
   uint32_t word = 7;
   EXPECT_TRUE(mp3_read_word(block, 6, 1, word));
   EXPECT_EQ(word, 0xFFFB9000u);
   EXPECT_FALSE(mp3_read_word(block, 6, 3, word));
   EXPECT_FALSE(mp3_header_valid_at(block, 5, 2));
   EXPECT_FALSE(mp3_header_valid_at(block, 3, 0));
   EXPECT_FALSE(mp3_header_valid_at(block, 6, -1));

   // Mono MPEG-2 Xing record (marker at 13), flags 0x5: frames, then the table.
   Bytes xing(13, 0);
   xing.insert(xing.end(), {'X', 'i', 'n', 'g', 0, 0, 0, 5, 0, 0, 0x03, 0xE8});
   for (int i = 0; i < 100; ++i)
      xing.push_back(static_cast<uint8_t>(i * 2));
   const int full = static_cast<int>(xing.size());
   const auto record = mp3_read_xing(xing.data(), full, 1, 3);
   ASSERT_TRUE(record);
   EXPECT_EQ(record->frames, 1000);
   EXPECT_EQ(record->vbr_scale, -1);
   EXPECT_EQ(record->toc[99], 198);
   for (int len : {0, 16, 20, 24, full - 1})  // cut short of its last table byte
      EXPECT_FALSE(mp3_read_xing(Bytes(xing.begin(), xing.begin() + len).data(), len, 1, 3)) << len;
   xing[20] = 0xD;  // a scale field past the end
   EXPECT_FALSE(mp3_read_xing(xing.data(), full, 1, 3));
}

TEST(MpegHeader, FrameToOffsetThroughTheTable)
{
   XING_INFO xing{};
   xing.flags = XING_FRAMES_FLAG | XING_TOC_FLAG;
   xing.frames = 1000;
   for (int i = 0; i < 100; ++i)
      xing.toc[i] = static_cast<uint8_t>(i * 256 / 100);
   const int len = 400000;
   // Past the last point of the table: the end; outside the stream: none.
   for (auto [f, offset] : {std::pair{500, len / 2}, {0, 0}, {999, len}, {1000, -1}, {-1, -1}})
      EXPECT_EQ(mp3_frame_to_offset(&xing, len, f), offset) << f;
   EXPECT_EQ(mp3_frame_to_offset(nullptr, len, 5), -1);
   // Without both flags, with two equal neighbouring points (no slope), or
   // with a table running backwards (past the end, before the start): none.
   const auto changed = [&](int32_t flags, int at, uint8_t value, uint8_t next) {
      XING_INFO x = xing;
      x.flags = flags;
      x.toc[at] = value;
      x.toc[at + 1] = next;
      return x;
   };
   const XING_INFO flat = changed(xing.flags, 50, 128, 128);
   for (auto [x, data, f] : {std::tuple{changed(XING_FRAMES_FLAG, 0, 0, 2), len, 500},
                             {changed(XING_TOC_FLAG, 0, 0, 2), len, 500},
                             {flat, len, 495},
                             {changed(xing.flags, 0, 200, 199), 1000, 0},
                             {changed(xing.flags, 0, 100, 200), 1000, 0}})
      EXPECT_EQ(mp3_frame_to_offset(&x, data, f), -1) << f;
   EXPECT_EQ(mp3_frame_to_offset(&flat, len, 400), mp3_frame_to_offset(&xing, len, 400));

   // Figures near 2^31 give products far past 32 bits (the sanitised build
   // catches an overflow on the way); the offsets still follow the table.
   xing.frames = INT_MAX;
   int previous = -1;
   for (int step = 1; step < 100; step += 3) {
      const int f = static_cast<int>(int64_t{INT_MAX} * step / 100);
      const int offset = mp3_frame_to_offset(&xing, INT_MAX - 1, f);
      EXPECT_NEAR(offset, f, INT_MAX / 100.0) << f;
      EXPECT_GT(offset, previous);
      previous = offset;
   }
}

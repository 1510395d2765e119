// Frame header rules, tags, the Xing record and the table of contents.
#include "streams/mpeg_header.h"

#include "mp3_test_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace mp3 = kstr::test::mp3;

namespace {

// Sync, MPEG-1, Layer III, bit-rate index 9, rate index 0, stereo.
constexpr uint32_t base_header = 0xFFFB9000;

uint32_t with_field(uint32_t h, uint32_t mask, uint32_t value)
{
   return (h & ~mask) | value;
}

}

TEST(MpegHeader, ValidityOfEachField)
{
   EXPECT_EQ(mp3_header_valid(base_header), -1);
   EXPECT_EQ(mp3_header_valid(with_field(base_header, 0x00060000, 0x00040000)), -1) << "Layer II";
   EXPECT_EQ(mp3_header_valid(with_field(base_header, 0x00060000, 0x00060000)), 0) << "Layer I";
   EXPECT_EQ(mp3_header_valid(with_field(base_header, 0x00060000, 0)), 0) << "reserved layer";
   EXPECT_EQ(mp3_header_valid(with_field(base_header, 0x0000F000, 0)), 0) << "free format";
   EXPECT_EQ(mp3_header_valid(with_field(base_header, 0x0000F000, 0xF000)), 0) << "bit-rate index 15";
   EXPECT_EQ(mp3_header_valid(with_field(base_header, 0x00000C00, 0xC00)), 0) << "rate index 3";
   EXPECT_EQ(mp3_header_valid(with_field(base_header, 0x00180000, 0x00080000)), 0) << "reserved version";
   EXPECT_EQ(mp3_header_valid(with_field(base_header, 0x00180000, 0)), -1) << "MPEG-2.5";
   EXPECT_EQ(mp3_header_valid(with_field(base_header, 0x00180000, 0x00100000)), -1) << "MPEG-2";
   EXPECT_EQ(mp3_header_valid(base_header & ~0x00200000u), 0) << "one sync bit missing";
   EXPECT_EQ(mp3_header_valid(base_header | 0x1FF), -1) << "padding, private, mode bits are free";
}

TEST(MpegHeader, WordsAreReadOnlyInsideTheBlock)
{
   const uint8_t block[6] = {0x00, 0xFF, 0xFB, 0x90, 0x00, 0xFF};
   uint32_t word = 7;
   EXPECT_TRUE(mp3_read_word(block, 6, 1, word));
   EXPECT_EQ(word, base_header);
   EXPECT_TRUE(mp3_header_valid_at(block, 6, 1));
   word = 7;
   EXPECT_FALSE(mp3_read_word(block, 6, 3, word));
   EXPECT_EQ(word, 7u);
   EXPECT_FALSE(mp3_header_valid_at(block, 5, 2));
   EXPECT_FALSE(mp3_header_valid_at(block, 3, 0));
   EXPECT_FALSE(mp3_header_valid_at(block, 6, -1));
}

TEST(MpegHeader, Id3Tags)
{
   uint8_t tag[10] = {'I', 'D', '3', 3, 0, 0, 0x00, 0x00, 0x02, 0x01};
   EXPECT_EQ(mp3_id3v2_length(tag, 10), 267);
   tag[5] = 0x10;
   EXPECT_EQ(mp3_id3v2_length(tag, 10), 277);
   EXPECT_EQ(mp3_id3v2_length(tag, 9), 0) << "too short for a tag header";
   tag[6] = 0xFF; // top bits are not masked
   EXPECT_EQ(mp3_id3v2_length(tag, 10), 0xFF * (1 << 21) + 2 * 128 + 1 + 20);
   tag[0] = 'X';
   EXPECT_EQ(mp3_id3v2_length(tag, 10), 0);

   std::vector<uint8_t> block(200, 0);
   std::memcpy(block.data() + 72, "TAG", 3);
   EXPECT_EQ(mp3_id3v1_length(block.data(), 200), 128);
   EXPECT_EQ(mp3_id3v1_length(block.data(), 199), 0);
   std::memcpy(block.data(), "TAG", 3);
   EXPECT_EQ(mp3_id3v1_length(block.data(), 128), 128);
   EXPECT_EQ(mp3_id3v1_length(block.data(), 127), 0) << "shorter than a tag";

   const mp3::Bytes v1 = mp3::load("id3v1_44k_stereo.mp3");
   EXPECT_EQ(mp3_id3v1_length(v1.data(), static_cast<int>(v1.size())), 128);
   const mp3::Bytes v2 = mp3::load("id3v2_44k_stereo.mp3");
   const int v2_len = mp3_id3v2_length(v2.data(), static_cast<int>(v2.size()));
   ASSERT_GT(v2_len, 10);
   EXPECT_TRUE(mp3_header_valid_at(v2.data(), static_cast<int>(v2.size()), v2_len));
}

TEST(MpegHeader, XingRecordsOfRealFiles)
{
   // LAME's own records: marker at 36 (MPEG-1 stereo) and 21 (MPEG-2 stereo).
   const mp3::Bytes vbr = mp3::load("vbr_44k_stereo.mp3");
   auto xing = mp3_read_xing(vbr.data(), static_cast<int>(vbr.size()), 0, 1);
   ASSERT_TRUE(xing);
   EXPECT_EQ(xing->flags, 0xF);
   EXPECT_EQ(xing->frames + 1, static_cast<int>(mp3::walk_frames(vbr).size())) << "the Xing frame is not counted";
   EXPECT_EQ(xing->bytes, static_cast<int>(vbr.size()));
   EXPECT_EQ(xing->toc[0], 0);
   EXPECT_GE(xing->vbr_scale, 0);
   EXPECT_FALSE(mp3_read_xing(vbr.data(), static_cast<int>(vbr.size()), 0, 3)) << "mono looks at 21";
   EXPECT_FALSE(mp3_read_xing(vbr.data(), static_cast<int>(vbr.size()), 1, 1)) << "MPEG-2 looks at 21";

   const mp3::Bytes lsf = mp3::load("mpeg2_22k_stereo_vbr.mp3");
   xing = mp3_read_xing(lsf.data(), static_cast<int>(lsf.size()), 1, 1);
   ASSERT_TRUE(xing);
   EXPECT_EQ(xing->frames + 1, static_cast<int>(mp3::walk_frames(lsf).size()));

   // LAME's CBR "Info" marker is not a Xing record.
   const mp3::Bytes cbr = mp3::load("cbr_44k_stereo.mp3");
   EXPECT_FALSE(mp3_read_xing(cbr.data(), static_cast<int>(cbr.size()), 0, 1));
}

TEST(MpegHeader, XingFieldsFollowFlagsAndStayInsideTheData)
{
   // Mono MPEG-2: marker at 13. Flags 0x5: frames, then the table.
   std::vector<uint8_t> frame(13, 0);
   const uint8_t head[] = {'X', 'i', 'n', 'g', 0, 0, 0, 5, 0, 0, 0x03, 0xE8};
   frame.insert(frame.end(), head, head + sizeof head);
   for (int i = 0; i < 100; ++i)
      frame.push_back(static_cast<uint8_t>(i * 2));
   const int full = static_cast<int>(frame.size());
   auto xing = mp3_read_xing(frame.data(), full, 1, 3);
   ASSERT_TRUE(xing);
   EXPECT_EQ(xing->frames, 1000);
   EXPECT_EQ(xing->bytes, 0);
   EXPECT_EQ(xing->vbr_scale, -1);
   EXPECT_EQ(xing->toc[99], 198);

   // Cut anywhere short of its last table byte, the record is not taken.
   for (int len : {0, 16, 20, 24, full - 1})
      EXPECT_FALSE(mp3_read_xing(std::vector<uint8_t>(frame.begin(), frame.begin() + len).data(), len, 1, 3)) << len;
   // A scale flag whose field lies past the end.
   frame[20] = 0xD;
   EXPECT_FALSE(mp3_read_xing(frame.data(), full, 1, 3));
}

TEST(MpegHeader, FrameToOffsetThroughTheTable)
{
   XING_INFO xing{};
   xing.flags = XING_FRAMES_FLAG | XING_TOC_FLAG;
   xing.frames = 1000;
   for (int i = 0; i < 100; ++i)
      xing.toc[i] = static_cast<uint8_t>(i * 256 / 100);
   const int data_len = 400000;

   EXPECT_EQ(mp3_frame_to_offset(&xing, data_len, 500), data_len * 50 / 100);
   EXPECT_EQ(mp3_frame_to_offset(&xing, data_len, 0), 0);
   EXPECT_EQ(mp3_frame_to_offset(&xing, data_len, 1000), -1) << "f = frames";
   EXPECT_EQ(mp3_frame_to_offset(&xing, data_len, -1), -1);
   EXPECT_EQ(mp3_frame_to_offset(nullptr, data_len, 5), -1);
   // A frame past the last table point maps to the end of the data.
   EXPECT_EQ(mp3_frame_to_offset(&xing, data_len, 999), data_len);
   for (int f = 1; f < 990; f += 7) {
      const int offset = mp3_frame_to_offset(&xing, data_len, f);
      EXPECT_NEAR(offset, static_cast<double>(f) * data_len / 1000, data_len / 100.0) << f;
   }

   XING_INFO no_toc = xing;
   no_toc.flags = XING_FRAMES_FLAG;
   EXPECT_EQ(mp3_frame_to_offset(&no_toc, data_len, 500), -1);
   no_toc.flags = XING_TOC_FLAG;
   EXPECT_EQ(mp3_frame_to_offset(&no_toc, data_len, 500), -1);

   // Two equal neighbouring points leave no slope: no offset.
   XING_INFO flat = xing;
   flat.toc[51] = flat.toc[50];
   EXPECT_EQ(mp3_frame_to_offset(&flat, data_len, 495), -1);
   EXPECT_EQ(mp3_frame_to_offset(&flat, data_len, 400), mp3_frame_to_offset(&xing, data_len, 400));
}

// Figures near 2^31 give products far past 32 bits; the offsets stay right
// (the sanitised build catches any overflow on the way).
TEST(MpegHeader, FrameToOffsetOfHugeFiles)
{
   XING_INFO xing{};
   xing.flags = XING_FRAMES_FLAG | XING_TOC_FLAG;
   xing.frames = INT_MAX;
   for (int i = 0; i < 100; ++i)
      xing.toc[i] = static_cast<uint8_t>(i * 256 / 100);
   const int data_len = INT_MAX - 1;
   int previous = -1;
   for (int step = 1; step < 100; step += 3) {
      const int f = static_cast<int>(static_cast<int64_t>(INT_MAX) * step / 100);
      const int offset = mp3_frame_to_offset(&xing, data_len, f);
      EXPECT_NEAR(offset, static_cast<double>(f), data_len / 100.0) << f;
      EXPECT_GT(offset, previous);
      previous = offset;
   }
}

// A table that runs backwards would point before or past the data: no offset.
TEST(MpegHeader, FrameToOffsetRefusesOffsetsOutsideTheData)
{
   XING_INFO xing{};
   xing.flags = XING_FRAMES_FLAG | XING_TOC_FLAG;
   xing.frames = 1000;
   xing.toc[0] = 200;
   xing.toc[1] = 199;
   EXPECT_EQ(mp3_frame_to_offset(&xing, 1000, 0), -1) << "past the end";
   xing.toc[0] = 100;
   xing.toc[1] = 200;
   EXPECT_EQ(mp3_frame_to_offset(&xing, 1000, 0), -1) << "before the start";
}

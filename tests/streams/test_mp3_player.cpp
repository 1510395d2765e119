// The MP3 player without sound: creation (tags, junk, the scan window), the
// figures and their truncations, seeks, and mp3_player_make_sample.
#include "stream_test_support.h"

#include <climits>
#include <cstring>
#include <string_view>
#include <tuple>

namespace {

using namespace kstr::test;
using Mp3 = Open<MP3_PLAYER>;

const Bytes &cbr()
{
   static const Bytes file = load("mp3/cbr_44k_stereo_notag.mp3");
   return file;
}

// The first frame of that 44.1 kHz stereo Layer III file, `count` times.
Bytes first_frames(int count)
{
   Bytes block;
   for (const int size = walk_frames(cbr())[0].size; count-- > 0;)
      block.insert(block.end(), cbr().begin(), cbr().begin() + size);
   return block;
}

Bytes sample_of(Bytes block)
{
   Mp3 player(std::move(block));
   Sample sample(player ? mp3_player_make_sample(player.get()) : nullptr);
   EXPECT_TRUE(sample);
   return sample ? pcm_of(sample.get()) : Bytes{};
}

}

// Figures of the first frame; the decode equals mpg123's. The length is the
// Xing record's count (LAME leaves out the Xing frame itself), else the audio
// data over the first frame's length; LAME's CBR "Info" frame is no Xing record.
TEST(Mp3PlayerCreate, FiguresAndTheWholeDecode)
{
   for (auto [name, freq, stereo, layer, kbps, msecs, xing] :
        {std::tuple{"cbr_44k_stereo.mp3", 44100, -1, 3, 128, 26, false},
         {"cbr_44k_stereo_notag.mp3", 44100, -1, 3, 128, 26, false},
         {"id3v1_44k_stereo.mp3", 44100, -1, 3, 128, 26, false},
         {"id3v2_44k_stereo.mp3", 44100, -1, 3, 128, 26, false},
         {"vbr_44k_stereo.mp3", 44100, -1, 3, 128, 26, true},
         {"cbr_44k_mono.mp3", 44100, 0, 3, 64, 26, false},
         {"mpeg2_22k_stereo.mp3", 22050, -1, 3, 64, 26, false},
         {"mpeg2_22k_stereo_vbr.mp3", 22050, -1, 3, 64, 26, true},
         {"mpeg25_11k_mono.mp3", 11025, 0, 3, 16, 52, false},
         {"layer2_44k_stereo.mp2", 44100, -1, 2, 192, 26, false},
         {"layer2_48k_mono.mp2", 48000, 0, 2, 96, 24, false}}) {
      SCOPED_TRACE(name);
      auto player = open_mp3(name);
      ASSERT_TRUE(player);
      MP3_PLAYER *p = player.get();
      EXPECT_EQ(mp3_player_wave_freq(p), freq);
      EXPECT_EQ(mp3_player_wave_stereo(p), stereo);
      EXPECT_EQ(mp3_player_layer(p), layer);
      EXPECT_EQ(mp3_player_bitrate(p), kbps * 1000);
      EXPECT_EQ(mp3_player_msecs_per_frame(p), msecs);
      const std::string_view file = name;
      const int start = file.starts_with("id3v2") ? id3v2_end(player.block) : 0,
                size = static_cast<int>(player.block.size());
      const auto walk = walk_frames(player.block, start);
      const int data = size - start - (file.starts_with("id3v1") ? 128 : 0);
      EXPECT_EQ(mp3_player_length_frames(p), xing ? static_cast<int>(walk.size()) - 1 : data / walk[0].size);
      EXPECT_EQ(mp3_player_length_bytes(p), size);
      Sample sample(mp3_player_make_sample(p));
      ASSERT_TRUE(sample);
      EXPECT_EQ(static_cast<int>(sample->freq), freq);
      EXPECT_TRUE(same_pcm(pcm_of(sample.get()), mp3_reference(name)));
   }
}

// Where the audio starts, or that there is none: behind an ID3v2 tag (+10
// bytes, +20 with a footer) and junk inside the 28672-byte window, past a lone
// false sync word. One frame with a tail too short for a header is a file.
TEST(Mp3PlayerCreate, TagsJunkAndSingleFrames)
{
   const Bytes v2 = load("mp3/id3v2_44k_stereo.mp3"), one = first_frames(1);
   const int tag = id3v2_end(v2), window = 28672 - static_cast<int>(one.size());
   Bytes footer = inserted(v2, static_cast<size_t>(tag), {'3', 'D', 'I', 4, 0, 0x10, v2[6], v2[7], v2[8], v2[9]}),
         huge = v2;
   footer[5] |= 0x10;
   huge[6] = 0x7F;  // a tag larger than the block
   Bytes false_sync = garbage(2000), v1_only(128, 0);
   const uint8_t sync[4] = {0xFF, 0xFB, 0x90, 0x00};  // decodes, to silence, but no header follows
   std::memcpy(false_sync.data() + 100, sync, 4);
   std::fill(false_sync.begin() + 104, false_sync.begin() + 104 + static_cast<long>(one.size()), 0);
   std::memcpy(v1_only.data(), "TAG", 3);
   for (const auto &[block, lead] : {std::pair<Bytes, int>{v2, tag},
                                     {footer, tag + 10},
                                     {huge, -1},
                                     {inserted(v2, static_cast<size_t>(tag), garbage(500)), tag + 500},
                                     {inserted(cbr(), 0, garbage(static_cast<size_t>(window))), window},
                                     {inserted(cbr(), 0, garbage(static_cast<size_t>(window) + 1)), -1},
                                     {inserted(cbr(), 0, false_sync), 2000},
                                     {one, 0},
                                     {inserted(one, one.size(), Bytes(3, 0)), 0},
                                     {inserted(one, one.size(), Bytes(4, 0)), -1},
                                     {part(one, 0, one.size() - 1), -1},
                                     {v1_only, -1},
                                     {part(v2, 0, 10), -1}}) {
      Mp3 player(block);
      ASSERT_EQ(player.get() != nullptr, lead >= 0) << block.size() << " bytes, lead " << lead;
      EXPECT_EQ(player ? mp3_player_pos_bytes(player.get()) : -1, lead);
   }
   for (size_t tail : {0, 3}) {
      const Bytes block = inserted(one, one.size(), Bytes(tail, 0));
      EXPECT_EQ(mp3_player_length_frames(Mp3(block).get()), 1);
      EXPECT_EQ(sample_of(block).size(), 4608u) << tail;
   }
   for (int len = 1; len < 12; ++len)  // headers cut within their first bytes
      EXPECT_FALSE(mp3_player_create(cbr().data(), len)) << len;
   EXPECT_FALSE(mp3_player_create(nullptr, 100));
}

// The length truncates each frame's time, the position does not. Each seek and
// skip with the truncation of its unit; targets out of range
// (sums past INT_MAX too) change nothing. Byte seeks reach back over an ID3v2
// lead, not into an ID3v1 tag; through a Xing table they stay in the data.
TEST(Mp3PlayerPosition, LengthsAndSeeks)
{
   Mp3 player(first_frames(10000));  // 1152 samples at 44100 Hz a frame: 26 whole milliseconds for the length
   ASSERT_TRUE(player);
   MP3_PLAYER *p = player.get();
   EXPECT_EQ(mp3_player_length_frames(p), 10000);
   EXPECT_EQ(mp3_player_length_msecs(p), 260000);
   EXPECT_EQ(mp3_player_length_secs(p), 260);
   mp3_player_seek_frame(p, 9999);  // the exact time for the position
   EXPECT_EQ(mp3_player_pos_msecs(p), 261198);
   EXPECT_EQ(mp3_player_pos_secs(p), 261);
   const int fb = walk_frames(cbr())[0].size;
   using Op = void (*)(MP3_PLAYER *, int);
   for (auto [op, arg, frame] : {std::tuple<Op, int, int>{mp3_player_seek_frame, 999, 999},
                                 {mp3_player_seek_msecs, 13025, 500},
                                 {mp3_player_seek_secs, 10, 384},
                                 {mp3_player_skip_frames, -84, 300},
                                 {mp3_player_skip_msecs, 2600, 400},
                                 {mp3_player_skip_secs, -1, 362},
                                 {mp3_player_seek_bytes, 10 * fb + 5, 10},
                                 {mp3_player_skip_bytes, -5, 10},
                                 {mp3_player_seek_frame, 40, 40},
                                 {mp3_player_seek_frame, 10000, 40},
                                 {mp3_player_seek_frame, -1, 40},
                                 {mp3_player_skip_frames, 9960, 40},
                                 {mp3_player_skip_frames, INT_MAX, 40},
                                 {mp3_player_seek_msecs, 260000, 40},
                                 {mp3_player_seek_secs, INT_MIN, 40},
                                 {mp3_player_skip_secs, INT_MAX, 40},
                                 {mp3_player_seek_bytes, 10000 * fb, 40},
                                 {mp3_player_seek_bytes, -1, 40},
                                 {mp3_player_skip_bytes, 9960 * fb, 40},
                                 {mp3_player_skip_bytes, INT_MIN, 40}}) {
      op(p, arg);
      EXPECT_EQ(mp3_player_pos_frames(p), frame) << arg;
      EXPECT_EQ(mp3_player_pos_bytes(p), frame * fb + (arg == 10 * fb + 5 ? 5 : 0)) << arg;
   }
   mp3_player_rewind(p);
   EXPECT_EQ(mp3_player_pos_bytes(p), 0);

   auto v2 = open_mp3("id3v2_44k_stereo.mp3"), v1 = open_mp3("id3v1_44k_stereo.mp3");
   ASSERT_TRUE(v2 && v1);
   const int lead = id3v2_end(v2.block), v1_size = static_cast<int>(v1.block.size());
   for (auto [seeked, op, arg, at] :
        {std::tuple<MP3_PLAYER *, Op, int, int>{v2.get(), mp3_player_seek_bytes, 1000, lead + 1000},
         {v2.get(), mp3_player_seek_bytes, -lead - 1, lead + 1000},
         {v2.get(), mp3_player_seek_bytes, -lead, lead},
         {v2.get(), mp3_player_seek_bytes, 1000, lead + 1000},
         {v2.get(), mp3_player_skip_bytes, -1000 - lead, lead},
         {v1.get(), mp3_player_seek_bytes, v1_size - 129, v1_size - 129},
         {v1.get(), mp3_player_seek_bytes, v1_size - 128, v1_size - 129}}) {
      op(seeked, arg);
      EXPECT_EQ(mp3_player_pos_bytes(seeked), at) << arg;
   }

   auto vbr = open_mp3("vbr_44k_stereo.mp3");
   ASSERT_TRUE(vbr);
   for (int f = 0; f < mp3_player_length_frames(vbr.get()); ++f) {
      mp3_player_seek_frame(vbr.get(), f);
      const int at = mp3_player_pos_bytes(vbr.get());
      EXPECT_TRUE(mp3_player_pos_frames(vbr.get()) == f && at >= 0 && at <= static_cast<int>(vbr.block.size()))
         << f << ": " << at;
   }
}

// The last byte missing: every whole frame is kept, the cut one not decoded.
// A lying Xing frame count changes the reported length, never the sample.
TEST(Mp3PlayerSample, CutLastFrameAndLyingFrameCount)
{
   for (const char *name : {"cbr_44k_stereo_notag.mp3", "vbr_44k_stereo.mp3"}) {
      const Bytes file = load(std::string("mp3/") + name), reference = mp3_reference(name);
      EXPECT_TRUE(same_pcm(sample_of(part(file, 0, file.size() - 1)), part(reference, 0, reference.size() - 4608)))
         << name;
   }
   for (uint32_t count : {3u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
      Bytes file = load("mp3/vbr_44k_stereo.mp3");  // the frame count at 44, after "Xing" and the flags
      for (int i = 0; i < 4; ++i)
         file[static_cast<size_t>(44 + i)] = static_cast<uint8_t>(count >> (24 - 8 * i));
      EXPECT_EQ(mp3_player_length_frames(Mp3(file).get()), static_cast<int>(count));
      EXPECT_TRUE(same_pcm(sample_of(file), mp3_reference("vbr_44k_stereo.mp3"))) << count;
   }
}

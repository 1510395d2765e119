// The Ogg player without sound: the memory callbacks vorbisfile reads
// through, opening, lengths, seeks, and ogg_player_make_sample.
#include "streams/ogg_memory_callbacks.h"

#include "stream_test_support.h"
#include "temp_dir.h"
#include "vorbisfile_leaks.h"

#include <ogg/ogg.h>

#include <fcntl.h>

#include <climits>
#include <cstdio>
#include <tuple>

using namespace kstr::test;
using Ogg = Open<OGG_PLAYER>;

// Reads copy whole items up to the end; seeks land inside the block, its end
// included, with only the low 32 bits of the offset counting.
TEST(OggMemoryCallbacks, ReadAndSeekAtAndPastTheEnd)
{
   const std::string block = "0123456789";
   OGG_PLAYER player{};
   player.data_start = player.data_pos = reinterpret_cast<const uint8_t *>(block.data());
   player.data_len = 10;
   char dest[16] = {};
   // Two whole items of four, the partial third unread; then size × count
   // wrapping round in size_t, with one item of two left.
   for (auto [size, count, items, at] : {std::tuple<size_t, size_t, size_t, int>{4, 3, 2, 8},
                                         {2, SIZE_MAX / 2 + 1, 1, 10},
                                         {1, 1, 0, 10},
                                         {0, 5, 0, 10}}) {
      EXPECT_EQ(ogg_memory_read(dest, size, count, &player), items) << size << " × " << count;
      EXPECT_EQ(ogg_memory_tell(&player), at);
   }
   EXPECT_EQ(std::string(dest, 8), "89234567");
   for (auto [offset, whence, result, at] : {std::tuple<ogg_int64_t, int, int, int>{0, SEEK_SET, 0, 0},
                                             {10, SEEK_SET, 0, 10},
                                             {-3, SEEK_CUR, 0, 7},
                                             {-10, SEEK_END, 0, 0},
                                             {4, SEEK_SET, 0, 4},
                                             {11, SEEK_SET, -1, 4},
                                             {-1, SEEK_SET, -1, 4},
                                             {1, SEEK_END, -1, 4},
                                             {7, SEEK_CUR, -1, 4},
                                             {-5, SEEK_CUR, -1, 4},
                                             {0, 3, -1, 4},
                                             {(ogg_int64_t{1} << 32) + 5, SEEK_SET, 0, 5},
                                             {0xFFFFFFFFll, SEEK_END, 0, 9}}) {
      EXPECT_EQ(ogg_memory_seek(&player, offset, whence), result) << offset << " from " << whence;
      EXPECT_EQ(ogg_memory_tell(&player), at) << offset << " from " << whence;
   }
   EXPECT_EQ(ogg_memory_close(&player), 0);
   EXPECT_EQ(ogg_memory_tell(&player), 0);
}

// Format and lengths (the byte length ends at the start of the last page; the
// whole decodes are checked with playback). A cut file keeps the whole pages
// before the cut; headers alone have no length and no audio; what is no
// playable Ogg Vorbis is refused.
TEST(OggPlayerOpen, FormatLengthsSampleAndRefusals)
{
   for (auto [stem, stereo, msecs, secs] : {std::tuple{"mono", 0, 3000, 3}, {"stereo", -1, 2500, 2}}) {
      auto player = open_ogg(stem);
      ASSERT_TRUE(player);
      OGG_PLAYER *p = player.get();
      EXPECT_EQ(ogg_player_wave_stereo(p), stereo);
      EXPECT_EQ(ogg_player_wave_freq(p), 44100);
      EXPECT_EQ(ogg_player_length_msecs(p), msecs);
      EXPECT_EQ(ogg_player_length_secs(p), secs);
      EXPECT_EQ(ogg_player_length_bytes(p),
                static_cast<int>(std::string(player.block.begin(), player.block.end()).rfind("OggS")));
   }
   const Bytes ogg = load("ogg/stereo.ogg"), reference = ogg_reference("stereo");
   Ogg cut(part(ogg, 0, ogg.size() - 100)), headers(headers_only(ogg));
   ASSERT_TRUE(cut && headers);
   EXPECT_GT(ogg_player_length_msecs(cut.get()), 0);
   EXPECT_EQ(ogg_player_length_msecs(headers.get()), 0);
   EXPECT_EQ(ogg_player_make_sample(headers.get()), nullptr);
   Sample sample(ogg_player_make_sample(cut.get()));
   ASSERT_TRUE(sample);
   const Bytes pcm = pcm_of(sample.get());
   EXPECT_LT(pcm.size(), reference.size());
   EXPECT_TRUE(same_pcm(pcm, part(reference, 0, pcm.size())));

   const std::string wav = "RIFF WAVEfmt no Ogg at all";
   for (const Bytes &block : {Bytes{}, Bytes(wav.begin(), wav.end()), reference, part(ogg, 0, 40),
                              load("ogg/three.ogg")})  // more channels than a stream takes
      EXPECT_FALSE(Ogg(block)) << block.size();
   {
      VorbisfileLeakPause refusal_leaks;
      EXPECT_FALSE(Ogg(part(ogg, 0, 1000)));  // inside the header packets
   }
   EXPECT_EQ(ogg_player_create(nullptr, 100), nullptr);
   EXPECT_EQ(ogg_player_create(ogg.data(), -1), nullptr);
}

// A player made from a stdio file closes it when destroyed; a refused file
// stays open, the caller's. Time seeks go through the decoder, which refuses
// targets outside the stream; byte seeks outside the file move nothing either.
TEST(OggPlayerOpen, FromFileWithSeeks)
{
   TempDir dir;
   int fd = -1;
   const auto open_file = [&](const Bytes &bytes) {
      fd = open(dir.write("f.ogg", std::string(bytes.begin(), bytes.end())).c_str(), O_RDONLY);
      return fdopen(fd, "rb");
   };
   const int length = static_cast<int>(load("ogg/stereo.ogg").size());
   std::unique_ptr<OGG_PLAYER, Destroy> player(ogg_player_create_from_file(open_file(load("ogg/stereo.ogg"))));
   ASSERT_TRUE(player);
   OGG_PLAYER *p = player.get();
   using Op = void (*)(OGG_PLAYER *, int);
   for (auto [op, arg, msecs] : {std::tuple<Op, int, int>{ogg_player_seek_msecs, 1500, 1500},
                                 {ogg_player_skip_msecs, 500, 2000},
                                 {ogg_player_skip_secs, -1, 1000},
                                 {ogg_player_seek_msecs, 2600, 1000},
                                 {ogg_player_seek_msecs, -1, 1000},
                                 {ogg_player_seek_secs, 3, 1000},
                                 {ogg_player_skip_secs, 2, 1000},
                                 {ogg_player_seek_secs, 2, 2000}}) {
      op(p, arg);
      EXPECT_EQ(ogg_player_pos_msecs(p), msecs) << arg;
   }
   ogg_player_rewind(p);
   EXPECT_EQ(ogg_player_pos_msecs(p), 0);
   ogg_player_seek_bytes(p, length / 2);
   const int middle = ogg_player_pos_bytes(p);
   EXPECT_GE(middle, length / 2);
   EXPECT_GT(ogg_player_pos_msecs(p), 1000);
   for (auto [op, arg] : {std::pair<Op, int>{ogg_player_seek_bytes, length},
                          {ogg_player_seek_bytes, -1},
                          {ogg_player_skip_bytes, length - middle},
                          {ogg_player_skip_bytes, -middle - 1}})
      op(p, arg);
   EXPECT_EQ(ogg_player_pos_bytes(p), middle);
   ogg_player_skip_bytes(p, -middle);
   EXPECT_EQ(ogg_player_pos_msecs(p), 0);
   player.reset();
   EXPECT_EQ(fcntl(fd, F_GETFD), -1) << "closed with the player";

   const std::string text = "plain text";
   for (const Bytes &bytes : {Bytes(text.begin(), text.end()), load("ogg/three.ogg")}) {
      std::FILE *file = open_file(bytes);
      EXPECT_EQ(ogg_player_create_from_file(file), nullptr);
      EXPECT_NE(fcntl(fd, F_GETFD), -1) << "left to the caller";
      std::fclose(file);
   }
   EXPECT_EQ(ogg_player_create_from_file(nullptr), nullptr);
}

// mono.ogg with another granule position on its last page, and that page's
// checksum made right again: it claims another length.
static Ogg mono_claiming(int64_t frames)
{
   Bytes ogg = load("ogg/mono.ogg");
   uint8_t *header = ogg.data() + std::string(ogg.begin(), ogg.end()).rfind("OggS");
   for (int i = 0; i < 8; ++i)
      header[6 + i] = static_cast<uint8_t>(static_cast<uint64_t>(frames) >> (8 * i));
   long body = 0;
   for (int i = 0; i < header[26]; ++i)
      body += header[27 + i];
   ogg_page page{header, 27 + header[26], header + 27 + header[26], body};
   ogg_page_checksum_set(&page);
   return Ogg(std::move(ogg));
}

// A length past the audio: silence behind it (after the last block's padding,
// under 2048 frames, kept without the true end), or a refusal when absurd.
TEST(OggPlayerSample, ClaimedLengthBeyondTheAudioIsSilenceOrRefused)
{
   const Bytes reference = ogg_reference("mono");
   const auto frames = static_cast<int64_t>(reference.size() / 2);
   Ogg longer = mono_claiming(frames + 4410), absurd = mono_claiming(int64_t{1} << 40);
   ASSERT_TRUE(longer && absurd);
   EXPECT_EQ(ogg_player_length_msecs(longer.get()), 3100);
   Sample sample(ogg_player_make_sample(longer.get()));
   ASSERT_TRUE(sample);
   ASSERT_EQ(sample->len, static_cast<unsigned long>(frames + 4410));
   const Bytes pcm = pcm_of(sample.get());
   EXPECT_TRUE(same_pcm(part(pcm, 0, reference.size()), reference));
   EXPECT_TRUE(is_silence(part(pcm, static_cast<size_t>(frames + 2048) * 2, pcm.size())));
   EXPECT_EQ(ogg_player_length_msecs(absurd.get()), INT_MAX);
   EXPECT_EQ(ogg_player_length_secs(absurd.get()), static_cast<int>((int64_t{1} << 40) / 44100));
   EXPECT_EQ(ogg_player_make_sample(absurd.get()), nullptr);
}

// The whole file decoded into one Allegro sample.
#include <gtest/gtest.h>

#include <allegro.h>
#include <ogg/ogg.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "ogg_test_support.h"

namespace kstr::test {
namespace {

struct SampleDeleter {
   void operator()(SAMPLE *sample) const { destroy_sample(sample); }
};
using SamplePtr = std::unique_ptr<SAMPLE, SampleDeleter>;

std::string sample_bytes(const SAMPLE &sample)
{
   const size_t bytes = sample.len * (sample.stereo ? 4 : 2);
   return std::string(static_cast<const char *>(sample.data), bytes);
}

// The file with the granule position of its last page replaced, its
// checksum made right again, so that it claims another length.
std::string with_last_granule(std::string ogg, int64_t granule)
{
   const size_t page = ogg.rfind("OggS");
   if (page == std::string::npos || ogg.size() < page + 27) {
      ADD_FAILURE() << "no Ogg page";
      return ogg;
   }
   auto *header = reinterpret_cast<unsigned char *>(ogg.data() + page);
   for (int i = 0; i < 8; ++i)
      header[6 + i] = static_cast<unsigned char>(static_cast<uint64_t>(granule) >> (8 * i));
   const int segments = header[26];
   long body_len = 0;
   for (int i = 0; i < segments; ++i)
      body_len += header[27 + i];
   ogg_page og{header, 27 + segments, header + 27 + segments, body_len};
   ogg_page_checksum_set(&og);
   return ogg;
}

TEST(OggPlayerSample, HoldsExactlyWhatOggdecDecodes)
{
   for (const char *name : {"mono", "stereo"}) {
      SCOPED_TRACE(name);
      const std::string reference = read_file(ogg_test_path(std::string(name) + ".raw"));
      const std::string ogg = ogg_test_bytes(std::string(name) + ".ogg");
      OggPlayerPtr player = open_ogg(ogg);
      ASSERT_TRUE(player);
      ogg_player_seek_secs(player.get(), 1);

      SamplePtr sample(ogg_player_make_sample(player.get()));
      ASSERT_TRUE(sample);
      EXPECT_EQ(sample->bits, 16);
      EXPECT_EQ(sample->stereo != 0, ogg_player_wave_stereo(player.get()) != 0);
      EXPECT_EQ(sample->freq, 44100);
      EXPECT_TRUE(sample_bytes(*sample) == reference) << "PCM differs from oggdec's";
      EXPECT_EQ(ogg_player_pos_msecs(player.get()), 0);
   }
}

bool all_silence(const std::string &pcm, size_t from)
{
   for (size_t i = from; i + 1 < pcm.size(); i += 2)
      if (pcm[i] != '\x00' || pcm[i + 1] != '\x80')
         return false;
   return true;
}

TEST(OggPlayerSample, TruncatedFileGivesTheAudioThatIsThere)
{
   const std::string ogg = ogg_test_bytes("stereo.ogg");
   const std::string reference = read_file(ogg_test_path("stereo.raw"));
   const std::string cut = ogg.substr(0, ogg.size() - 100);
   OggPlayerPtr player = open_ogg(cut);
   ASSERT_TRUE(player);
   SamplePtr sample(ogg_player_make_sample(player.get()));
   ASSERT_TRUE(sample);
   const std::string pcm = sample_bytes(*sample);
   ASSERT_GT(pcm.size(), 0u);
   ASSERT_LT(pcm.size(), reference.size());
   EXPECT_TRUE(reference.compare(0, pcm.size(), pcm) == 0);

   const std::string headers_only = ogg_headers_only(ogg);
   player = open_ogg(headers_only);
   ASSERT_TRUE(player);
   EXPECT_EQ(ogg_player_make_sample(player.get()), nullptr);
}

TEST(OggPlayerSample, ClaimedLengthBeyondTheAudioIsSilence)
{
   const std::string reference = read_file(ogg_test_path("mono.raw"));
   const int64_t frames = static_cast<int64_t>(reference.size() / 2);
   const int64_t extra = 4410;
   const std::string ogg = with_last_granule(ogg_test_bytes("mono.ogg"), frames + extra);
   OggPlayerPtr player = open_ogg(ogg);
   ASSERT_TRUE(player);
   EXPECT_EQ(ogg_player_length_msecs(player.get()), 3100);

   SamplePtr sample(ogg_player_make_sample(player.get()));
   ASSERT_TRUE(sample);
   ASSERT_EQ(sample->len, static_cast<unsigned long>(frames + extra));
   const std::string pcm = sample_bytes(*sample);
   EXPECT_TRUE(pcm.compare(0, reference.size(), reference) == 0);
   // Without the true end the decoder keeps the last block's padding, less
   // than one long block (2048 frames here); silence follows it.
   EXPECT_TRUE(all_silence(pcm, (frames + 2048) * 2));
}

TEST(OggPlayerSample, AbsurdClaimedLengthIsRefused)
{
   // 2^40 frames from a file of some kilobytes: terabytes of silence.
   const std::string ogg = with_last_granule(ogg_test_bytes("mono.ogg"), int64_t{1} << 40);
   OggPlayerPtr player = open_ogg(ogg);
   ASSERT_TRUE(player);
   EXPECT_EQ(ogg_player_length_msecs(player.get()), INT32_MAX);
   EXPECT_EQ(ogg_player_length_secs(player.get()), static_cast<int>((int64_t{1} << 40) / 44100));
   EXPECT_EQ(ogg_player_make_sample(player.get()), nullptr);
}

}
}

// The whole file decoded into one Allegro sample.
#include <gtest/gtest.h>

#include <allegro.h>
#include <ogg/ogg.h>

#include <climits>
#include <cstdint>
#include <memory>
#include <string>

#include "ogg_test_support.h"

namespace kstr::test {
namespace {

struct SampleDeleter {
   void operator()(SAMPLE *sample) const { destroy_sample(sample); }
};
using SamplePtr = std::unique_ptr<SAMPLE, SampleDeleter>;

std::string pcm_of(const SAMPLE &sample)
{
   return std::string(static_cast<const char *>(sample.data), sample.len * (sample.stereo ? 4 : 2));
}

// The file with another granule position on its last page, and that page's
// checksum made right again: it claims another length.
std::string with_last_granule(std::string ogg, int64_t granule)
{
   const size_t page = ogg.rfind("OggS");
   if (page == std::string::npos || ogg.size() < page + 27)
      return ogg;
   auto *header = reinterpret_cast<unsigned char *>(ogg.data() + page);
   for (int i = 0; i < 8; ++i)
      header[6 + i] = static_cast<unsigned char>(static_cast<uint64_t>(granule) >> (8 * i));
   long body = 0;
   for (int i = 0; i < header[26]; ++i)
      body += header[27 + i];
   ogg_page og{header, 27 + header[26], header + 27 + header[26], body};
   ogg_page_checksum_set(&og);
   return ogg;
}

TEST(OggPlayerSample, HoldsExactlyWhatOggdecDecodes)
{
   for (const std::string name : {"mono", "stereo"}) {
      SCOPED_TRACE(name);
      const std::string ogg = ogg_test_bytes(name + ".ogg");
      OggPlayerPtr player = open_ogg(ogg);
      ASSERT_TRUE(player);
      ogg_player_seek_secs(player.get(), 1);
      SamplePtr sample(ogg_player_make_sample(player.get()));
      ASSERT_TRUE(sample);
      EXPECT_EQ(sample->bits, 16);
      EXPECT_EQ(sample->freq, 44100);
      EXPECT_EQ(sample->stereo != 0, name == "stereo");
      EXPECT_TRUE(pcm_of(*sample) == read_file(ogg_test_path(name + ".raw")));
      EXPECT_EQ(ogg_player_pos_msecs(player.get()), 0);
   }
}

TEST(OggPlayerSample, TruncatedFileGivesTheAudioThatIsThere)
{
   const std::string ogg = ogg_test_bytes("stereo.ogg"), reference = read_file(ogg_test_path("stereo.raw"));
   const std::string cut = ogg.substr(0, ogg.size() - 100), headers = ogg_headers_only(ogg);
   OggPlayerPtr player = open_ogg(cut);
   ASSERT_TRUE(player);
   SamplePtr sample(ogg_player_make_sample(player.get()));
   ASSERT_TRUE(sample);
   const std::string pcm = pcm_of(*sample);
   ASSERT_GT(pcm.size(), 0u);
   ASSERT_LT(pcm.size(), reference.size());
   EXPECT_TRUE(reference.compare(0, pcm.size(), pcm) == 0);

   player = open_ogg(headers);
   ASSERT_TRUE(player);
   EXPECT_EQ(ogg_player_make_sample(player.get()), nullptr);
}

TEST(OggPlayerSample, ClaimedLengthBeyondTheAudioIsSilenceOrRefused)
{
   const std::string reference = read_file(ogg_test_path("mono.raw"));
   const auto frames = static_cast<int64_t>(reference.size() / 2);
   const std::string longer = with_last_granule(ogg_test_bytes("mono.ogg"), frames + 4410);
   OggPlayerPtr player = open_ogg(longer);
   ASSERT_TRUE(player);
   EXPECT_EQ(ogg_player_length_msecs(player.get()), 3100);
   SamplePtr sample(ogg_player_make_sample(player.get()));
   ASSERT_TRUE(sample);
   ASSERT_EQ(sample->len, static_cast<unsigned long>(frames + 4410));
   const std::string pcm = pcm_of(*sample);
   EXPECT_TRUE(pcm.compare(0, reference.size(), reference) == 0);
   // Without the true end the decoder keeps the last block's padding, less
   // than one long block (2048 frames here); silence follows it.
   EXPECT_TRUE(is_silence(pcm.substr((frames + 2048) * 2)));

   // 2^40 frames from some kilobytes would be terabytes of silence.
   const std::string absurd = with_last_granule(ogg_test_bytes("mono.ogg"), int64_t{1} << 40);
   player = open_ogg(absurd);
   ASSERT_TRUE(player);
   EXPECT_EQ(ogg_player_length_msecs(player.get()), INT_MAX);
   EXPECT_EQ(ogg_player_length_secs(player.get()), static_cast<int>((int64_t{1} << 40) / 44100));
   EXPECT_EQ(ogg_player_make_sample(player.get()), nullptr);
}

}
}

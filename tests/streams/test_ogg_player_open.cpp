// Opening Ogg players, their format, lengths and positions, and seeking.
#include <gtest/gtest.h>

#include <fcntl.h>

#include <cstdio>
#include <string>

#include "ogg_test_support.h"
#include "vorbisfile_leaks.h"

namespace kstr::test {
namespace {

bool fd_is_open(int fd)
{
   return fcntl(fd, F_GETFD) != -1;
}

TEST(OggPlayerOpen, TakesFormatAndLengthsFromTheFile)
{
   const std::string mono = ogg_test_bytes("mono.ogg");
   OggPlayerPtr player = open_ogg(mono);
   ASSERT_TRUE(player);
   EXPECT_EQ(ogg_player_wave_stereo(player.get()), 0);
   EXPECT_EQ(ogg_player_wave_freq(player.get()), 44100);
   EXPECT_EQ(ogg_player_length_msecs(player.get()), 3000);
   EXPECT_EQ(ogg_player_length_secs(player.get()), 3);
   // vorbisfile counts up to the start of the last page.
   EXPECT_GT(ogg_player_length_bytes(player.get()), static_cast<int>(mono.size() / 2));
   EXPECT_LE(ogg_player_length_bytes(player.get()), static_cast<int>(mono.size()));
   EXPECT_EQ(ogg_player_pos_msecs(player.get()), 0);
   EXPECT_EQ(ogg_player_is_playing(player.get()), 0);
   EXPECT_EQ(ogg_player_audio_stream(player.get()), nullptr);
   int length = 1234;
   EXPECT_EQ(ogg_player_output_buffer(player.get(), &length), nullptr);
   EXPECT_EQ(length, 1234);

   // 2.5 s: whole seconds are truncated.
   const std::string stereo = ogg_test_bytes("stereo.ogg");
   player = open_ogg(stereo);
   ASSERT_TRUE(player);
   EXPECT_EQ(ogg_player_wave_stereo(player.get()), -1);
   EXPECT_EQ(ogg_player_length_msecs(player.get()), 2500);
   EXPECT_EQ(ogg_player_length_secs(player.get()), 2);
}

TEST(OggPlayerOpen, RefusesWhatIsNoPlayableOggVorbis)
{
   const std::string ogg = ogg_test_bytes("stereo.ogg");
   EXPECT_FALSE(ogg_opens(""));
   EXPECT_FALSE(ogg_opens("RIFF\x24\x00\x00\x00WAVEfmt this is no Ogg stream at all"));
   EXPECT_FALSE(ogg_opens(read_file(ogg_test_path("stereo.raw"))));
   // Cut inside the first page and inside the header packets.
   EXPECT_FALSE(ogg_opens(ogg.substr(0, 40)));
   {
      VorbisfileLeakPause refusal_leaks;
      EXPECT_FALSE(ogg_opens(ogg.substr(0, 1000)));
   }
   // Three channels do not fit an Allegro stream.
   EXPECT_FALSE(ogg_opens(ogg_test_bytes("three.ogg")));
   EXPECT_EQ(ogg_player_create(nullptr, 100), nullptr);
   EXPECT_EQ(ogg_player_create(ogg.data(), -1), nullptr);
}

TEST(OggPlayerOpen, TruncatedFileOpensWithTheLengthOfItsWholePages)
{
   const std::string ogg = ogg_test_bytes("mono.ogg");
   // The last page cut short: the pages before it remain.
   const std::string without_end = ogg.substr(0, ogg.size() - 100);
   OggPlayerPtr player = open_ogg(without_end);
   ASSERT_TRUE(player);
   EXPECT_GT(ogg_player_length_msecs(player.get()), 0);
   EXPECT_LT(ogg_player_length_msecs(player.get()), 3000);

   // Headers whole but no audio page complete: nothing to play.
   const std::string headers_only = ogg_headers_only(ogg);
   player = open_ogg(headers_only);
   ASSERT_TRUE(player);
   EXPECT_EQ(ogg_player_length_msecs(player.get()), 0);
}

TEST(OggPlayerOpen, FromFileOwnsTheFileOnlyWhenItOpens)
{
   TempDir dir;
   const std::string good = dir.write("good.ogg", ogg_test_bytes("stereo.ogg"));
   const int good_fd = open(good.c_str(), O_RDONLY);
   std::FILE *file = fdopen(good_fd, "rb");
   ASSERT_NE(file, nullptr);
   OggPlayerPtr player(ogg_player_create_from_file(file));
   ASSERT_TRUE(player);
   EXPECT_EQ(ogg_player_wave_stereo(player.get()), -1);
   EXPECT_EQ(ogg_player_length_msecs(player.get()), 2500);
   player.reset();
   EXPECT_FALSE(fd_is_open(good_fd));

   for (const std::string &bytes : {std::string("plain text, not Ogg"), ogg_test_bytes("three.ogg")}) {
      const std::string bad = dir.write("bad.ogg", bytes);
      const int bad_fd = open(bad.c_str(), O_RDONLY);
      file = fdopen(bad_fd, "rb");
      ASSERT_NE(file, nullptr);
      EXPECT_EQ(ogg_player_create_from_file(file), nullptr);
      EXPECT_TRUE(fd_is_open(bad_fd));
      std::fclose(file);
   }
   EXPECT_EQ(ogg_player_create_from_file(nullptr), nullptr);
}

TEST(OggPlayerSeek, TimeSeeksMoveWithinTheStreamOnly)
{
   const std::string ogg = ogg_test_bytes("stereo.ogg");
   OggPlayerPtr player = open_ogg(ogg);
   ASSERT_TRUE(player);
   OGG_PLAYER *p = player.get();

   ogg_player_seek_secs(p, 1);
   EXPECT_EQ(ogg_player_pos_msecs(p), 1000);
   ogg_player_seek_msecs(p, 1500);
   EXPECT_EQ(ogg_player_pos_msecs(p), 1500);
   EXPECT_EQ(ogg_player_pos_secs(p), 1);
   ogg_player_skip_msecs(p, 500);
   EXPECT_EQ(ogg_player_pos_msecs(p), 2000);
   ogg_player_skip_secs(p, -1);
   EXPECT_EQ(ogg_player_pos_msecs(p), 1000);

   // Refused by the decoder: nothing moves.
   ogg_player_seek_msecs(p, 2600);
   ogg_player_seek_msecs(p, -1);
   ogg_player_seek_secs(p, 3);
   ogg_player_skip_secs(p, 2);
   ogg_player_skip_msecs(p, -1001);
   EXPECT_EQ(ogg_player_pos_msecs(p), 1000);

   ogg_player_rewind(p);
   EXPECT_EQ(ogg_player_pos_msecs(p), 0);
}

TEST(OggPlayerSeek, ByteSeeksStayInsideTheBlock)
{
   const std::string ogg = ogg_test_bytes("mono.ogg");
   const int length = static_cast<int>(ogg.size());
   OggPlayerPtr player = open_ogg(ogg);
   ASSERT_TRUE(player);
   OGG_PLAYER *p = player.get();

   ogg_player_seek_bytes(p, length / 2);
   const int middle = ogg_player_pos_bytes(p);
   EXPECT_GE(middle, length / 2);
   EXPECT_LE(middle, length);
   EXPECT_GT(ogg_player_pos_msecs(p), 0);

   ogg_player_seek_bytes(p, length);
   ogg_player_seek_bytes(p, -1);
   ogg_player_skip_bytes(p, length - middle);
   ogg_player_skip_bytes(p, -middle - 1);
   EXPECT_EQ(ogg_player_pos_bytes(p), middle);

   ogg_player_skip_bytes(p, -middle);
   EXPECT_EQ(ogg_player_pos_msecs(p), 0);
}

}
}

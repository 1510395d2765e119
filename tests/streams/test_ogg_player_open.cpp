// Opening Ogg players: format, lengths, refusals, stdio files, and seeking.
#include <gtest/gtest.h>

#include <fcntl.h>

#include <cstdio>
#include <string>

#include "ogg_test_support.h"
#include "vorbisfile_leaks.h"

namespace kstr::test {
namespace {

bool opens(const std::string &bytes)
{
   return open_ogg(bytes) != nullptr;
}

TEST(OggPlayerOpen, TakesFormatAndLengthsFromTheFile)
{
   const std::string mono = ogg_test_bytes("mono.ogg"), stereo = ogg_test_bytes("stereo.ogg");
   OggPlayerPtr m = open_ogg(mono), s = open_ogg(stereo);
   ASSERT_TRUE(m && s);
   EXPECT_EQ(ogg_player_wave_stereo(m.get()), 0);
   EXPECT_EQ(ogg_player_wave_stereo(s.get()), -1);
   EXPECT_EQ(ogg_player_wave_freq(m.get()), 44100);
   EXPECT_EQ(ogg_player_length_msecs(m.get()), 3000);
   EXPECT_EQ(ogg_player_length_secs(m.get()), 3);
   EXPECT_EQ(ogg_player_length_msecs(s.get()), 2500);
   EXPECT_EQ(ogg_player_length_secs(s.get()), 2);  // truncated
   // vorbisfile counts up to the start of the last page.
   EXPECT_GT(ogg_player_length_bytes(m.get()), static_cast<int>(mono.size() / 2));
   EXPECT_LE(ogg_player_length_bytes(m.get()), static_cast<int>(mono.size()));
   EXPECT_EQ(ogg_player_pos_msecs(m.get()), 0);
   int length = 7;
   EXPECT_EQ(ogg_player_output_buffer(m.get(), &length), nullptr);
   EXPECT_EQ(length, 7);
}

TEST(OggPlayerOpen, RefusesWhatIsNoPlayableOggVorbis)
{
   const std::string ogg = ogg_test_bytes("stereo.ogg");
   EXPECT_FALSE(opens(""));
   EXPECT_FALSE(opens("RIFF\x24\x00\x00\x00WAVEfmt no Ogg at all"));
   EXPECT_FALSE(opens(read_file(ogg_test_path("stereo.raw"))));
   EXPECT_FALSE(opens(ogg.substr(0, 40)));  // inside the first page
   {
      VorbisfileLeakPause refusal_leaks;
      EXPECT_FALSE(opens(ogg.substr(0, 1000)));  // inside the header packets
   }
   EXPECT_FALSE(opens(ogg_test_bytes("three.ogg")));  // more channels than a stream takes
   EXPECT_EQ(ogg_player_create(nullptr, 100), nullptr);
   EXPECT_EQ(ogg_player_create(ogg.data(), -1), nullptr);

   // Truncated audio: the whole pages before the cut remain.
   const std::string cut = ogg.substr(0, ogg.size() - 100), headers = ogg_headers_only(ogg);
   OggPlayerPtr player = open_ogg(cut);
   ASSERT_TRUE(player);
   EXPECT_GT(ogg_player_length_msecs(player.get()), 0);
   EXPECT_LT(ogg_player_length_msecs(player.get()), 2500);
   player = open_ogg(headers);
   ASSERT_TRUE(player);
   EXPECT_EQ(ogg_player_length_msecs(player.get()), 0);
}

TEST(OggPlayerOpen, FromFileOwnsTheFileOnlyWhenItOpens)
{
   TempDir dir;
   const auto open_fd = [&](const std::string &bytes) { return open(dir.write("f.ogg", bytes).c_str(), O_RDONLY); };
   const auto fd_open = [](int fd) { return fcntl(fd, F_GETFD) != -1; };

   int fd = open_fd(ogg_test_bytes("stereo.ogg"));
   OggPlayerPtr player(ogg_player_create_from_file(fdopen(fd, "rb")));
   ASSERT_TRUE(player);
   EXPECT_EQ(ogg_player_length_msecs(player.get()), 2500);
   player.reset();
   EXPECT_FALSE(fd_open(fd));

   for (const std::string &bytes : {std::string("plain text"), ogg_test_bytes("three.ogg")}) {
      fd = open_fd(bytes);
      std::FILE *file = fdopen(fd, "rb");
      EXPECT_EQ(ogg_player_create_from_file(file), nullptr);
      EXPECT_TRUE(fd_open(fd));
      std::fclose(file);
   }
   EXPECT_EQ(ogg_player_create_from_file(nullptr), nullptr);
}

TEST(OggPlayerOpen, SeeksMoveInsideTheStreamOnly)
{
   const std::string ogg = ogg_test_bytes("stereo.ogg");
   OggPlayerPtr player = open_ogg(ogg);
   ASSERT_TRUE(player);
   OGG_PLAYER *p = player.get();
   ogg_player_seek_msecs(p, 1500);
   EXPECT_EQ(ogg_player_pos_msecs(p), 1500);
   EXPECT_EQ(ogg_player_pos_secs(p), 1);
   ogg_player_skip_msecs(p, 500);
   ogg_player_skip_secs(p, -1);
   EXPECT_EQ(ogg_player_pos_msecs(p), 1000);
   // Refused by the decoder: nothing moves.
   ogg_player_seek_msecs(p, 2600);
   ogg_player_seek_msecs(p, -1);
   ogg_player_seek_secs(p, 3);
   ogg_player_skip_secs(p, 2);
   EXPECT_EQ(ogg_player_pos_msecs(p), 1000);

   const int length = static_cast<int>(ogg.size());
   ogg_player_seek_bytes(p, length / 2);
   const int middle = ogg_player_pos_bytes(p);
   EXPECT_GE(middle, length / 2);
   EXPECT_GT(ogg_player_pos_msecs(p), 1000);
   ogg_player_seek_bytes(p, length);
   ogg_player_seek_bytes(p, -1);
   ogg_player_skip_bytes(p, length - middle);
   ogg_player_skip_bytes(p, -middle - 1);
   EXPECT_EQ(ogg_player_pos_bytes(p), middle);
   ogg_player_skip_bytes(p, -middle);
   EXPECT_EQ(ogg_player_pos_msecs(p), 0);
   ogg_player_seek_secs(p, 2);
   ogg_player_rewind(p);
   EXPECT_EQ(ogg_player_pos_msecs(p), 0);
}

}
}

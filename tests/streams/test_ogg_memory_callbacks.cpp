// The memory callbacks through which vorbisfile reads a player's block.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "streams/ogg_memory_callbacks.h"

namespace {

class OggMemoryCallbacks : public testing::Test {
protected:
   const std::string block = "0123456789";
   OGG_PLAYER player{};

   void SetUp() override
   {
      player.data_start = player.data_pos = reinterpret_cast<const uint8_t *>(block.data());
      player.data_len = static_cast<int>(block.size());
   }

   long tell() { return ogg_memory_tell(&player); }
   int seek(ogg_int64_t offset, int whence) { return ogg_memory_seek(&player, offset, whence); }
};

TEST_F(OggMemoryCallbacks, ReadCopiesWholeItemsUpToTheEnd)
{
   char dest[16] = {};
   EXPECT_EQ(ogg_memory_read(dest, 1, 4, &player), 4u);
   EXPECT_EQ(std::string(dest, 4), "0123");
   EXPECT_EQ(tell(), 4);

   // Six bytes left: two whole items of three, although five are wanted.
   EXPECT_EQ(ogg_memory_read(dest, 3, 5, &player), 2u);
   EXPECT_EQ(std::string(dest, 6), "456789");
   EXPECT_EQ(tell(), 10);

   dest[0] = 'x';
   EXPECT_EQ(ogg_memory_read(dest, 1, 1, &player), 0u);
   EXPECT_EQ(dest[0], 'x');
   EXPECT_EQ(tell(), 10);
}

TEST_F(OggMemoryCallbacks, ReadLeavesAPartialItemUnread)
{
   char dest[16] = {};
   EXPECT_EQ(ogg_memory_read(dest, 4, 3, &player), 2u);
   EXPECT_EQ(tell(), 8);
   EXPECT_EQ(ogg_memory_read(dest, 4, 1, &player), 0u);
   EXPECT_EQ(tell(), 8);
}

TEST_F(OggMemoryCallbacks, ReadSurvivesDegenerateSizes)
{
   char dest[16] = {};
   EXPECT_EQ(ogg_memory_read(dest, 0, 5, &player), 0u);
   // size × count does not fit in size_t.
   EXPECT_EQ(ogg_memory_read(dest, 2, SIZE_MAX, &player), 5u);
   EXPECT_EQ(tell(), 10);
}

TEST_F(OggMemoryCallbacks, SeekReachesTheEndButNotBeyond)
{
   EXPECT_EQ(seek(10, SEEK_SET), 0);
   EXPECT_EQ(tell(), 10);
   char dest[4];
   EXPECT_EQ(ogg_memory_read(dest, 1, 4, &player), 0u);

   EXPECT_EQ(seek(3, SEEK_SET), 0);
   EXPECT_EQ(seek(11, SEEK_SET), -1);
   EXPECT_EQ(seek(-1, SEEK_SET), -1);
   EXPECT_EQ(seek(1, SEEK_END), -1);
   EXPECT_EQ(seek(8, SEEK_CUR), -1);
   EXPECT_EQ(seek(-4, SEEK_CUR), -1);
   EXPECT_EQ(tell(), 3);
}

TEST_F(OggMemoryCallbacks, SeekCountsFromStartCurrentAndEnd)
{
   EXPECT_EQ(seek(4, SEEK_SET), 0);
   EXPECT_EQ(seek(3, SEEK_CUR), 0);
   EXPECT_EQ(tell(), 7);
   EXPECT_EQ(seek(-7, SEEK_CUR), 0);
   EXPECT_EQ(tell(), 0);
   EXPECT_EQ(seek(0, SEEK_END), 0);
   EXPECT_EQ(tell(), 10);
   EXPECT_EQ(seek(-10, SEEK_END), 0);
   EXPECT_EQ(tell(), 0);
   EXPECT_EQ(seek(0, 3), -1);
   EXPECT_EQ(seek(0, -1), -1);
}

TEST_F(OggMemoryCallbacks, SeekUsesTheLow32BitsOfTheOffset)
{
   EXPECT_EQ(seek((ogg_int64_t{1} << 32) + 5, SEEK_SET), 0);
   EXPECT_EQ(tell(), 5);
   // 0xFFFFFFFF is -1 in 32 bits.
   EXPECT_EQ(seek(0xFFFFFFFFll, SEEK_END), 0);
   EXPECT_EQ(tell(), 9);
}

TEST_F(OggMemoryCallbacks, CloseRewindsAndKeepsTheBlock)
{
   EXPECT_EQ(seek(6, SEEK_SET), 0);
   EXPECT_EQ(ogg_memory_close(&player), 0);
   EXPECT_EQ(tell(), 0);
   EXPECT_EQ(block, "0123456789");
}

}

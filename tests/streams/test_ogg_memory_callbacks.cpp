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
   char dest[16] = {};

   void SetUp() override
   {
      player.data_start = player.data_pos = reinterpret_cast<const uint8_t *>(block.data());
      player.data_len = static_cast<int>(block.size());
   }
   size_t read(size_t size, size_t count) { return ogg_memory_read(dest, size, count, &player); }
   int seek(ogg_int64_t offset, int whence) { return ogg_memory_seek(&player, offset, whence); }
   long tell() { return ogg_memory_tell(&player); }
};

TEST_F(OggMemoryCallbacks, ReadCopiesWholeItemsUpToTheEnd)
{
   EXPECT_EQ(read(1, 4), 4u);
   EXPECT_EQ(std::string(dest, 4), "0123");
   // Six bytes left: two whole items of three, although five are wanted.
   EXPECT_EQ(read(3, 5), 2u);
   EXPECT_EQ(std::string(dest, 6), "456789");
   EXPECT_EQ(read(1, 1), 0u);
   EXPECT_EQ(tell(), 10);

   EXPECT_EQ(seek(0, SEEK_SET), 0);
   EXPECT_EQ(read(4, 3), 2u);  // a partial item stays unread
   EXPECT_EQ(read(4, 1), 0u);
   EXPECT_EQ(tell(), 8);
   EXPECT_EQ(read(0, 5), 0u);
   EXPECT_EQ(read(1, SIZE_MAX), 2u);  // size × count does not fit in size_t
}

TEST_F(OggMemoryCallbacks, SeekStaysInsideTheBlockEndIncluded)
{
   EXPECT_EQ(seek(10, SEEK_SET), 0);
   EXPECT_EQ(read(1, 4), 0u);
   EXPECT_EQ(seek(-3, SEEK_CUR), 0);
   EXPECT_EQ(tell(), 7);
   EXPECT_EQ(seek(-10, SEEK_END), 0);
   EXPECT_EQ(tell(), 0);
   EXPECT_EQ(seek(4, SEEK_SET), 0);

   for (auto [offset, whence] : {std::pair{11, SEEK_SET}, {-1, SEEK_SET}, {1, SEEK_END}, {7, SEEK_CUR},
                                 {-5, SEEK_CUR}, {0, 3}})
      EXPECT_EQ(seek(offset, whence), -1) << offset << " from " << whence;
   EXPECT_EQ(tell(), 4);

   // Only the low 32 bits count: 0xFFFFFFFF is -1.
   EXPECT_EQ(seek((ogg_int64_t{1} << 32) + 5, SEEK_SET), 0);
   EXPECT_EQ(tell(), 5);
   EXPECT_EQ(seek(0xFFFFFFFFll, SEEK_END), 0);
   EXPECT_EQ(tell(), 9);

   EXPECT_EQ(ogg_memory_close(&player), 0);
   EXPECT_EQ(tell(), 0);
   EXPECT_EQ(block, "0123456789");
}

}

// Helpers for the Ogg player's tests: the encoded test files and their
// reference decodes, and an owning pointer for players.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "streams/ogg_player.h"
#include "temp_dir.h"

namespace kstr::test {

inline std::filesystem::path ogg_test_path(const std::string &name)
{
   const char *root = std::getenv("KSTR_TEST_DATA");
   return std::filesystem::path(root ? root : "testdata") / "ogg" / name;
}

// Whole test file; fails the test when it is missing or empty.
inline std::string ogg_test_bytes(const std::string &name)
{
   std::string bytes = read_file(ogg_test_path(name));
   EXPECT_FALSE(bytes.empty()) << "missing test file " << ogg_test_path(name);
   return bytes;
}

// The file up to a few bytes into its first audio page (the third page):
// whole headers, no complete audio.
inline std::string ogg_headers_only(const std::string &ogg)
{
   size_t page = 0;
   for (int i = 0; i < 2; ++i)
      page = ogg.find("OggS", page + 1);
   EXPECT_NE(page, std::string::npos);
   return ogg.substr(0, page + 10);
}

struct OggPlayerDeleter {
   void operator()(OGG_PLAYER *player) const { ogg_player_destroy(player); }
};
using OggPlayerPtr = std::unique_ptr<OGG_PLAYER, OggPlayerDeleter>;

// The player reads `bytes` in place: they must outlive it.
inline OggPlayerPtr open_ogg(const std::string &bytes)
{
   return OggPlayerPtr(ogg_player_create(bytes.data(), static_cast<int>(bytes.size())));
}
OggPlayerPtr open_ogg(std::string &&) = delete;

inline bool ogg_opens(const std::string &bytes)
{
   return open_ogg(bytes) != nullptr;
}

}

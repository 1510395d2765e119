// The Ogg player's test files (made at build time by make_ogg_files.sh, with
// oggdec's raw decodes as reference) and an owning pointer for players.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "streams/ogg_player.h"
#include "temp_dir.h"

namespace kstr::test {

inline std::string ogg_test_path(const std::string &name)
{
   const char *root = std::getenv("KSTR_TEST_DATA");
   return (std::filesystem::path(root ? root : "testdata") / "ogg" / name).string();
}

// Whole test file; fails the test when it is missing.
inline std::string ogg_test_bytes(const std::string &name)
{
   std::string bytes = read_file(ogg_test_path(name));
   EXPECT_FALSE(bytes.empty()) << "missing test file " << ogg_test_path(name);
   return bytes;
}

// The file up to a few bytes into its third page, the first audio page:
// whole headers, no complete audio.
inline std::string ogg_headers_only(const std::string &ogg)
{
   size_t page = 0;
   for (int i = 0; i < 2 && page != std::string::npos; ++i)
      page = ogg.find("OggS", page + 1);
   EXPECT_NE(page, std::string::npos);
   return page == std::string::npos ? ogg : ogg.substr(0, page + 10);
}

inline bool is_silence(const std::string &pcm)
{
   for (size_t i = 0; i + 1 < pcm.size(); i += 2)
      if (pcm[i] != '\x00' || pcm[i + 1] != '\x80')
         return false;
   return true;
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

}

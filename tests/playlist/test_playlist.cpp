#include "playlist/playlist.h"
#include "playlist/playlist_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using kstr::test::TempDir;

using PlaylistPtr = std::unique_ptr<PLAYLIST, decltype(&playlist_destroy)>;

// Songs appended in order, each with data = 100 + its index, and a current position.
PlaylistPtr make_playlist(const std::vector<const char *> &names, int32_t current = -1)
{
   PlaylistPtr pl(playlist_create(), playlist_destroy);
   for (const char *name : names)
      playlist_insert(pl.get(), pl->count, name, 100 + pl->count);
   if (!names.empty())
      pl->current = current;
   return pl;
}

// Names with their data, and the current position: everything an operation may change.
std::string state(const PLAYLIST *pl)
{
   std::string s;
   for (uint32_t i = 0; i < pl->count; ++i)
      s += std::string(pl->entries[i].name) + ":" + std::to_string(pl->entries[i].data) + " ";
   return s + "@" + std::to_string(pl->current);
}

std::string le32(uint32_t v)
{
   return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}

std::string header(const char *version, uint32_t count, int32_t current)
{
   return std::string("KSTR PLAYLIST ") + version + le32(count) + le32(static_cast<uint32_t>(current));
}

std::string record(const std::string &name, uint32_t data)
{
   return le32(static_cast<uint32_t>(name.size())).substr(0, 2) + name + le32(data);
}

std::string three_songs(int32_t current)
{
   return header("01", 3, current) + record("a.mp3", 1) + record("b.mod", 2) + record("c.ogg", 3);
}

// "None" (-1) is compared as unsigned, so it lies after every index.
TEST(PlaylistModel, CurrentPositionFollowsItsSong)
{
   struct Case {
      char op;  // i: insert "new" at a, r: remove a, m: move a to b
      uint32_t a, b;
      int32_t current;
      const char *after;
   };
   const Case cases[] = {
      {'i', 1, 0, 1, "a:100 new:0 b:101 c:102 @2"},
      {'i', 2, 0, 1, "a:100 b:101 new:0 c:102 @1"},
      {'i', 3, 0, -1, "a:100 b:101 c:102 new:0 @0"},
      {'r', 2, 0, 2, "a:100 b:101 @1"},
      {'r', 0, 0, 2, "b:101 c:102 @1"},
      {'r', 2, 0, 0, "a:100 b:101 @0"},
      {'r', 1, 0, 1, "a:100 c:102 @1"},
      {'r', 0, 0, -1, "b:101 c:102 @1"},
      {'m', 1, 2, 1, "a:100 c:102 b:101 @2"},
      {'m', 0, 2, 1, "b:101 c:102 a:100 @0"},
      {'m', 2, 0, 1, "c:102 a:100 b:101 @2"},
      {'m', 0, 1, 1, "b:101 a:100 c:102 @0"},
      {'m', 2, 1, 1, "a:100 c:102 b:101 @2"},
      {'m', 0, 1, 2, "b:101 a:100 c:102 @2"},
      {'m', 2, 0, -1, "c:102 a:100 b:101 @-1"},
      {'m', 1, 1, 1, "a:100 b:101 c:102 @1"},
   };
   for (const Case &c : cases) {
      auto pl = make_playlist({"a", "b", "c"}, c.current);
      const int result = c.op == 'i'   ? playlist_insert(pl.get(), c.a, "new", 0)
                         : c.op == 'r' ? playlist_remove(pl.get(), c.a)
                                       : playlist_move(pl.get(), c.a, c.b);
      EXPECT_EQ(result, 0) << c.op << c.a << c.b;
      EXPECT_EQ(state(pl.get()), c.after) << c.op << c.a << c.b << " from current " << c.current;
   }
   auto pl = make_playlist({"a"}, 0);
   ASSERT_EQ(playlist_remove(pl.get(), 0), 0);
   EXPECT_EQ(state(pl.get()), "@-1") << "an empty list has none current";
}

TEST(PlaylistModel, BadArgumentsFailWithoutChange)
{
   auto pl = make_playlist({"a", "b", "c"}, 1);
   const std::vector<int> results = {playlist_insert(pl.get(), 4, "x", 0),
                                     playlist_insert(pl.get(), UINT32_MAX, "x", 0),
                                     playlist_insert(pl.get(), 0, nullptr, 0),
                                     playlist_remove(pl.get(), 3),
                                     playlist_remove(pl.get(), UINT32_MAX),
                                     playlist_move(pl.get(), 0, 3),
                                     playlist_move(pl.get(), 3, 0),
                                     playlist_insert(nullptr, 0, "x", 0),
                                     playlist_remove(nullptr, 0),
                                     playlist_move(nullptr, 0, 1),
                                     playlist_remove(make_playlist({}).get(), 0)};
   EXPECT_EQ(results, std::vector<int>(results.size(), -1));
   EXPECT_EQ(state(pl.get()), "a:100 b:101 c:102 @1");
}

TEST(PlaylistModel, GrowsByFiftyAndKeepsItsOwnCopies)
{
   auto pl = make_playlist({});
   EXPECT_EQ(pl->capacity, 50u);
   char name[16];
   std::string expected = "150:150 ";
   for (uint32_t i = 0; i < 151; ++i) {
      std::snprintf(name, sizeof name, "%u", i);
      ASSERT_EQ(playlist_insert(pl.get(), i == 150 ? 0 : i, name, i), 0);
      ASSERT_EQ(pl->capacity, (i / 50 + 1) * 50) << "after insertion " << i + 1;
      expected += i < 150 ? std::string(name) + ":" + name + " " : "@1";
   }
   std::strcpy(name, "changed");
   EXPECT_EQ(state(pl.get()), expected);
}

TEST(PlaylistModel, LookupByIndexAndExactName)
{
   auto pl = make_playlist({"x.mod", "Song.mp3", "song.mp3", "Song.mp3"});
   EXPECT_STREQ(playlist_get_name(pl.get(), 1), "Song.mp3");
   EXPECT_EQ(playlist_get_data(pl.get(), 1), 101u);
   EXPECT_EQ(playlist_get_name(pl.get(), 4), nullptr);
   EXPECT_EQ(playlist_get_name(nullptr, 0), nullptr);
   EXPECT_EQ(playlist_get_data(pl.get(), 4) + playlist_get_data(nullptr, 0), 0u);
   const std::vector<int> found = {playlist_find(pl.get(), "Song.mp3"), playlist_find(pl.get(), "song.mp3"),
                                   playlist_find(pl.get(), "SONG.MP3"), playlist_find(pl.get(), "Song.mp"),
                                   playlist_find(nullptr, "x.mod"),     playlist_find(pl.get(), nullptr)};
   EXPECT_EQ(found, (std::vector<int>{1, 2, -1, -1, -1, -1}));
}

TEST(PlaylistFile, SaveWritesExactLittleEndianBytesThatLoadBackOrReportsFailure)
{
   TempDir dir;
   const std::string path = dir.file("out.kpl"), long_name(0x123, 'n');
   const auto saved = [&](const PlaylistPtr &pl) {
      EXPECT_EQ(playlist_save(pl.get(), path.c_str()), 0);
      return kstr::test::read_file(path);
   };
   EXPECT_EQ(saved(make_playlist({})), std::string("KSTR PLAYLIST 01\0\0\0\0\xFF\xFF\xFF\xFF", 24));
   auto pl = make_playlist({"a.mp3"}, 0);
   pl->entries[0].data = 0;
   EXPECT_EQ(saved(pl), std::string("KSTR PLAYLIST 01\x01\0\0\0\0\0\0\0\x05\0a.mp3\0\0\0\0", 35));
   pl = make_playlist({long_name.c_str(), "b"}, 1);
   pl->entries[0].data = 0x0A0B0C0D;
   pl->entries[1].data = 0xFFFFFFFE;
   EXPECT_EQ(saved(pl), std::string("KSTR PLAYLIST 01\x02\0\0\0\x01\0\0\0\x23\x01", 26) + long_name +
                           std::string("\x0D\x0C\x0B\x0A\x01\0b\xFE\xFF\xFF\xFF", 11));
   // Failures are reported; /dev/full opens and then refuses every byte, at the final flush.
   EXPECT_EQ(playlist_save(pl.get(), dir.path().c_str()), -1);
   EXPECT_EQ(playlist_save(pl.get(), dir.file("missing/folder.kpl").c_str()), -1);
   EXPECT_EQ(playlist_save(nullptr, dir.file("null.kpl").c_str()), -1);
   if (std::filesystem::exists("/dev/full")) {
      EXPECT_EQ(playlist_save(pl.get(), "/dev/full"), -1);
   }

   const std::string longest(65535, 'L'), too_long = "abc" + std::string(65536, 'x');
   pl = make_playlist({"C:\\MUSIC\\Track One.MP3", "\xE9t\xE9.it", "", longest.c_str(), too_long.c_str()}, 2);
   ASSERT_EQ(playlist_save(pl.get(), path.c_str()), 0);
   // A name too long for its 16-bit length keeps (length modulo 65536) bytes.
   EXPECT_EQ(std::filesystem::file_size(path), 24u + 28 + 12 + 6 + (2 + 65535 + 4) + (2 + 3 + 4));
   playlist_remove(pl.get(), 4);
   playlist_insert(pl.get(), 4, "abc", 104);
   auto loaded = make_playlist({});
   ASSERT_EQ(playlist_load(loaded.get(), path.c_str()), 0);
   EXPECT_EQ(state(loaded.get()), state(pl.get()));
}

// Versions read as atoi reads two characters; a newer one, a damaged file
// (truncated anywhere, or counting more songs than it holds) and a missing one
// leave the list alone, its songs and its position of none.
TEST(PlaylistFile, RefusedFilesLeaveTheListAlone)
{
   TempDir dir;
   const std::string song = record("new", 5), whole = three_songs(2);
   std::vector<std::pair<std::string, int>> cases = {{header("00", 1, 0) + song, 0},
                                                     {header("x2", 1, 0) + song, 0},
                                                     {header("-5", 1, 0) + song, 0},
                                                     {header("02", 1, 0) + song, -2},
                                                     {header("10", 1, 0) + song, -2},
                                                     {header("2x", 1, 0) + song, -2},
                                                     {"kstr playlist 01" + le32(1) + le32(0) + song, -1},
                                                     {"KSTR PLAYLIST_01" + le32(1) + le32(0) + song, -1},
                                                     {header("01", 4, 0) + whole.substr(24), -1},
                                                     {header("01", 0xFFFFFFFF, 0) + whole.substr(24), -1}};
   for (size_t length = 0; length < whole.size(); ++length)
      cases.emplace_back(whole.substr(0, length), -1);
   for (const auto &[bytes, result] : cases) {
      auto pl = make_playlist({"old"}, -1);
      EXPECT_EQ(playlist_load(pl.get(), dir.write("v.kpl", bytes).c_str()), result) << bytes;
      EXPECT_EQ(state(pl.get()), result == 0 ? "old:100 new:5 @1" : "old:100 @-1") << bytes.size() << " bytes";
   }
   auto pl = make_playlist({});
   EXPECT_EQ(playlist_load(pl.get(), dir.file("absent.kpl").c_str()), -1);
   EXPECT_EQ(playlist_load(pl.get(), dir.path().c_str()), -1);
   EXPECT_EQ(playlist_load(nullptr, dir.write("ok.kpl", whole).c_str()), -1);
   EXPECT_EQ(state(pl.get()), "@-1");
}

// Loading appends; the stored position counts from the first appended song,
// is clamped into them, and -1 names the song before them.
TEST(PlaylistFile, LoadMergesAndClampsTheStoredCurrent)
{
   TempDir dir;
   const struct {
      int32_t stored;
      std::vector<const char *> before;
      int32_t expected;
      uint32_t songs = 3;
   } cases[] = {{1, {}, 1},
                {1, {"x", "y"}, 3},
                {-1, {"x", "y"}, 1},
                {-1, {}, 0},
                {3, {}, 2},
                {INT32_MAX, {}, 2},
                {-2, {}, 0},
                {INT32_MIN, {}, 0},
                {7, {"x", "y"}, 4},
                {-9, {"x", "y"}, 2},
                // A file without songs: none current in an empty list, none of the file's in a merge.
                {0, {}, -1, 0},
                {5, {}, -1, 0},
                {-3, {"x", "y"}, 1, 0},
                {5, {"x", "y"}, 1, 0}};
   for (const auto &c : cases) {
      auto pl = make_playlist(c.before, 0);
      // Bytes after the last record are ignored.
      const std::string file = c.songs ? three_songs(c.stored) + "junk" : header("01", 0, c.stored);
      ASSERT_EQ(playlist_load(pl.get(), dir.write("cur.kpl", file).c_str()), 0);
      EXPECT_EQ(pl->count, c.before.size() + c.songs);
      EXPECT_EQ(pl->current, c.expected) << "stored " << c.stored << " after " << c.before.size();
   }
}

}

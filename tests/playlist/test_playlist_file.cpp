#include "playlist/playlist_file.h"

#include "playlist_helpers.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using kstr::test::data_of;
using kstr::test::make_playlist;
using kstr::test::names_of;
using kstr::test::PlaylistPtr;
using kstr::test::read_file;
using kstr::test::TempDir;
using Names = std::vector<std::string>;

namespace {

std::string le16(uint16_t v)
{
   return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string le32(uint32_t v)
{
   return le16(static_cast<uint16_t>(v)) + le16(static_cast<uint16_t>(v >> 16));
}

std::string header(const char *version, uint32_t count, int32_t current)
{
   return std::string("KSTR PLAYLIST ") + version + le32(count) + le32(static_cast<uint32_t>(current));
}

std::string record(const std::string &name, uint32_t data)
{
   return le16(static_cast<uint16_t>(name.size())) + name + le32(data);
}

// Bytes of a file holding "a.mp3", "b.mod", "c.ogg" with data 1, 2, 3.
std::string three_songs(int32_t current)
{
   return header("01", 3, current) + record("a.mp3", 1) + record("b.mod", 2) + record("c.ogg", 3);
}

// Everything a load may change, for comparing a playlist with its earlier self.
struct Snapshot {
   Names names;
   std::vector<uint32_t> data;
   int32_t current;
   bool operator==(const Snapshot &) const = default;
};

Snapshot snapshot(const PLAYLIST *pl)
{
   return {names_of(pl), data_of(pl), pl->current};
}

}

TEST(PlaylistSave, EmptyPlaylistIsTheBareHeader)
{
   TempDir dir;
   PlaylistPtr pl(playlist_create());
   ASSERT_EQ(playlist_save(pl.get(), dir.file("empty.kpl").c_str()), 0);
   const std::string expected("KSTR PLAYLIST 01\0\0\0\0\xFF\xFF\xFF\xFF", 24);
   EXPECT_EQ(read_file(dir.file("empty.kpl")), expected);
}

TEST(PlaylistSave, OneSongFileByteForByte)
{
   TempDir dir;
   auto pl = make_playlist({"a.mp3"});
   pl->entries[0].data = 0;
   ASSERT_EQ(playlist_save(pl.get(), dir.file("one.kpl").c_str()), 0);
   const std::string expected("KSTR PLAYLIST 01"
                              "\x01\0\0\0" "\0\0\0\0"
                              "\x05\0" "a.mp3" "\0\0\0\0", 35);
   EXPECT_EQ(read_file(dir.file("one.kpl")), expected);
}

TEST(PlaylistSave, IntegersAreLittleEndian)
{
   TempDir dir;
   PlaylistPtr pl(playlist_create());
   const std::string long_name(0x0123, 'n');
   playlist_insert(pl.get(), 0, long_name.c_str(), 0x0A0B0C0D);
   playlist_insert(pl.get(), 1, "b", 0xFFFFFFFE);
   ASSERT_EQ(playlist_save(pl.get(), dir.file("le.kpl").c_str()), 0);
   const std::string expected = std::string("KSTR PLAYLIST 01") + std::string("\x02\0\0\0\0\0\0\0", 8) +
                                std::string("\x23\x01", 2) + long_name + "\x0D\x0C\x0B\x0A" +
                                std::string("\x01\0b\xFE\xFF\xFF\xFF", 7);
   EXPECT_EQ(read_file(dir.file("le.kpl")), expected);
}

TEST(PlaylistSave, NameLongerThanLengthFieldKeepsFileReadable)
{
   TempDir dir;
   PlaylistPtr pl(playlist_create());
   const std::string longest(65535, 'L');
   const std::string too_long = "abc" + std::string(65536, 'x');
   playlist_insert(pl.get(), 0, longest.c_str(), 1);
   playlist_insert(pl.get(), 1, too_long.c_str(), 2);
   const std::string path = dir.file("long.kpl");
   ASSERT_EQ(playlist_save(pl.get(), path.c_str()), 0);
   // 65539 modulo 65536 is 3: the record holds "abc".
   EXPECT_EQ(std::filesystem::file_size(path), 24u + (2 + 65535 + 4) + (2 + 3 + 4));

   PlaylistPtr loaded(playlist_create());
   ASSERT_EQ(playlist_load(loaded.get(), path.c_str()), 0);
   EXPECT_EQ(names_of(loaded.get()), (Names{longest, "abc"}));
   EXPECT_EQ(data_of(loaded.get()), (std::vector<uint32_t>{1, 2}));
}

TEST(PlaylistSave, ReportsFilesThatCannotBeWritten)
{
   TempDir dir;
   auto pl = make_playlist({"a.mp3"});
   EXPECT_EQ(playlist_save(pl.get(), dir.path().c_str()), -1);
   EXPECT_EQ(playlist_save(pl.get(), dir.file("missing/folder.kpl").c_str()), -1);
   EXPECT_EQ(playlist_save(nullptr, dir.file("null.kpl").c_str()), -1);
   EXPECT_FALSE(std::filesystem::exists(dir.file("null.kpl")));
   // /dev/full opens fine and refuses every byte: the loss must be reported.
   if (std::filesystem::exists("/dev/full")) {
      EXPECT_EQ(playlist_save(pl.get(), "/dev/full"), -1);
   }
}

TEST(PlaylistLoad, SavedPlaylistComesBackUnchanged)
{
   TempDir dir;
   auto pl = make_playlist({"C:\\MUSIC\\Track One.MP3", "/home/u/song.ogg", "\xE9t\xE9.it", ""});
   pl->current = 2;
   const std::string path = dir.file("round.kpl");
   ASSERT_EQ(playlist_save(pl.get(), path.c_str()), 0);

   PlaylistPtr loaded(playlist_create());
   ASSERT_EQ(playlist_load(loaded.get(), path.c_str()), 0);
   EXPECT_EQ(snapshot(loaded.get()), snapshot(pl.get()));
}

TEST(PlaylistLoad, NamesKeepTheirCase)
{
   TempDir dir;
   const std::string path = dir.write("caps.kpl", header("01", 2, 0) + record("SONG.MP3", 0) + record("MiXeD.Xm", 0));
   PlaylistPtr pl(playlist_create());
   ASSERT_EQ(playlist_load(pl.get(), path.c_str()), 0);
   EXPECT_EQ(names_of(pl.get()), (Names{"SONG.MP3", "MiXeD.Xm"}));
   EXPECT_EQ(playlist_find(pl.get(), "song.mp3"), -1);
}

TEST(PlaylistLoad, VersionDecidesAcceptance)
{
   TempDir dir;
   struct Case {
      const char *version;
      int result;
   };
   // Read as atoi reads two characters: leading digits, no number is 0.
   for (const Case &c : {Case{"00", 0}, Case{"01", 0}, Case{"02", -2}, Case{"10", -2}, Case{"99", -2},
                        Case{" 2", -2}, Case{"2x", -2}, Case{"x2", 0}, Case{"-5", 0}}) {
      SCOPED_TRACE(c.version);
      const std::string path = dir.write("v.kpl", header(c.version, 1, 0) + record("a.mp3", 5));
      auto pl = make_playlist({"old.mod"});
      const Snapshot before = snapshot(pl.get());
      EXPECT_EQ(playlist_load(pl.get(), path.c_str()), c.result);
      if (c.result == 0) {
         EXPECT_EQ(names_of(pl.get()), (Names{"old.mod", "a.mp3"}));
      } else {
         EXPECT_EQ(snapshot(pl.get()), before);
      }
   }
}

TEST(PlaylistLoad, RefusesFilesWithoutTheMagic)
{
   TempDir dir;
   PlaylistPtr pl(playlist_create());
   EXPECT_EQ(playlist_load(pl.get(), dir.file("absent.kpl").c_str()), -1);
   for (const std::string &bytes : {std::string("kstr playlist 01") + le32(0) + le32(-1u),
                                   std::string("KSTR PLAYLIST_01") + le32(0) + le32(-1u),
                                   std::string("KSTR PLAYLIST\0""01", 16) + le32(0) + le32(-1u),
                                   std::string()}) {
      const std::string path = dir.write("bad.kpl", bytes);
      EXPECT_EQ(playlist_load(pl.get(), path.c_str()), -1);
   }
   EXPECT_EQ(playlist_load(pl.get(), dir.path().c_str()), -1);
   EXPECT_EQ(playlist_load(nullptr, dir.write("ok.kpl", three_songs(0)).c_str()), -1);
   EXPECT_EQ(pl->count, 0u);
   EXPECT_EQ(pl->current, -1);
}

TEST(PlaylistLoad, BytesAfterTheLastRecordAreIgnored)
{
   TempDir dir;
   const std::string path = dir.write("tail.kpl", three_songs(1) + "trailing junk" + record("d.mp3", 4));
   PlaylistPtr pl(playlist_create());
   ASSERT_EQ(playlist_load(pl.get(), path.c_str()), 0);
   EXPECT_EQ(names_of(pl.get()), (Names{"a.mp3", "b.mod", "c.ogg"}));
   EXPECT_EQ(data_of(pl.get()), (std::vector<uint32_t>{1, 2, 3}));
   EXPECT_EQ(pl->current, 1);
}

TEST(PlaylistMerge, AppendsAndTakesTheFilesCurrentSong)
{
   TempDir dir;
   const std::string path = dir.write("two.kpl", header("01", 2, 1) + record("d.mp3", 0) + record("e.mp3", 0));
   auto pl = make_playlist({"a", "b", "c"});
   pl->current = 0;
   ASSERT_EQ(playlist_load(pl.get(), path.c_str()), 0);
   EXPECT_EQ(names_of(pl.get()), (Names{"a", "b", "c", "d.mp3", "e.mp3"}));
   EXPECT_EQ(pl->current, 4);
}

TEST(PlaylistMerge, StoredNoneSelectsTheSongBeforeTheMerge)
{
   TempDir dir;
   const std::string path = dir.write("none.kpl", header("01", 2, -1) + record("d", 0) + record("e", 0));
   auto pl = make_playlist({"a", "b", "c"});
   ASSERT_EQ(playlist_load(pl.get(), path.c_str()), 0);
   EXPECT_EQ(pl->count, 5u);
   EXPECT_EQ(pl->current, 2);

   const std::string empty = dir.write("empty.kpl", header("01", 0, -1));
   PlaylistPtr nothing(playlist_create());
   ASSERT_EQ(playlist_load(nothing.get(), empty.c_str()), 0);
   EXPECT_EQ(nothing->count, 0u);
   EXPECT_EQ(nothing->current, -1);
}

TEST(PlaylistLoad, StoredCurrentOutsideTheSongsIsClamped)
{
   TempDir dir;
   struct Case {
      int32_t stored;
      std::vector<const char *> before;
      int32_t expected;
   };
   for (const Case &c : {Case{3, {}, 2}, Case{1000, {}, 2}, Case{INT32_MAX, {}, 2}, Case{-2, {}, 0},
                         Case{INT32_MIN, {}, 0}, Case{-1, {}, 0}, Case{7, {"x", "y"}, 4},
                         Case{-9, {"x", "y"}, 2}}) {
      SCOPED_TRACE(c.stored);
      const std::string path = dir.write("cur.kpl", three_songs(c.stored));
      auto pl = make_playlist(c.before);
      ASSERT_EQ(playlist_load(pl.get(), path.c_str()), 0);
      EXPECT_EQ(pl->current, c.expected);
   }
   // A file without songs leaves a list without songs with no current one,
   // and names no song of a list it is merged into.
   for (int32_t stored : {0, 5, -3}) {
      const std::string path = dir.write("nosongs.kpl", header("01", 0, stored));
      PlaylistPtr empty(playlist_create());
      ASSERT_EQ(playlist_load(empty.get(), path.c_str()), 0);
      EXPECT_EQ(empty->current, -1);
      auto merged = make_playlist({"x", "y"});
      ASSERT_EQ(playlist_load(merged.get(), path.c_str()), 0);
      EXPECT_EQ(merged->current, 1);
   }
}

TEST(PlaylistLoad, TruncatedFileAtEveryLengthLoadsNothing)
{
   TempDir dir;
   const std::string whole = three_songs(2);
   for (size_t length = 0; length < whole.size(); ++length) {
      SCOPED_TRACE(length);
      const std::string path = dir.write("cut.kpl", whole.substr(0, length));
      PlaylistPtr empty(playlist_create());
      EXPECT_EQ(playlist_load(empty.get(), path.c_str()), -1);
      EXPECT_EQ(empty->count, 0u);
      EXPECT_EQ(empty->current, -1);

      auto merged = make_playlist({"x", "y"});
      merged->current = 0;
      const Snapshot before = snapshot(merged.get());
      EXPECT_EQ(playlist_load(merged.get(), path.c_str()), -1);
      EXPECT_EQ(snapshot(merged.get()), before);
   }
}

TEST(PlaylistLoad, CountLargerThanTheFileFailsQuickly)
{
   TempDir dir;
   for (uint32_t count : {4u, 1000000u, 0xFFFFFFFFu}) {
      SCOPED_TRACE(count);
      const std::string path = dir.write("huge.kpl", header("01", count, 0) + record("a.mp3", 1) +
                                                         record("b.mp3", 2) + record("c.mp3", 3));
      auto pl = make_playlist({"x"});
      const Snapshot before = snapshot(pl.get());
      EXPECT_EQ(playlist_load(pl.get(), path.c_str()), -1);
      EXPECT_EQ(snapshot(pl.get()), before);
   }
}

TEST(PlaylistLoad, NameLengthPastTheEndFails)
{
   TempDir dir;
   const std::string path = dir.write("len.kpl", header("01", 1, 0) + le16(0xFFFF) + "short" + le32(0));
   PlaylistPtr pl(playlist_create());
   EXPECT_EQ(playlist_load(pl.get(), path.c_str()), -1);
   EXPECT_EQ(pl->count, 0u);
}

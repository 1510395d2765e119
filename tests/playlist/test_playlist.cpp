#include "playlist/playlist.h"

#include "playlist_helpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using kstr::test::make_playlist;
using kstr::test::names_of;
using kstr::test::PlaylistPtr;
using Names = std::vector<std::string>;

TEST(PlaylistModel, CreateGivesEmptyListWithRoomForFifty)
{
   PlaylistPtr pl(playlist_create());
   ASSERT_NE(pl, nullptr);
   EXPECT_EQ(pl->count, 0u);
   EXPECT_EQ(pl->capacity, PLAYLIST_GROW);
   EXPECT_EQ(pl->capacity, 50u);
   EXPECT_EQ(pl->current, -1);
   playlist_destroy(nullptr);
}

TEST(PlaylistInsert, FirstSongIntoEmptyListBecomesCurrent)
{
   PlaylistPtr pl(playlist_create());
   ASSERT_EQ(playlist_insert(pl.get(), 0, "a.mp3", 7), 0);
   EXPECT_EQ(pl->count, 1u);
   EXPECT_EQ(pl->current, 0);
   EXPECT_STREQ(pl->entries[0].name, "a.mp3");
   EXPECT_EQ(pl->entries[0].data, 7u);
}

TEST(PlaylistInsert, CurrentSongStaysCurrent)
{
   auto before = make_playlist({"a", "b", "c"});
   before->current = 1;
   ASSERT_EQ(playlist_insert(before.get(), 1, "new", 0), 0);
   EXPECT_EQ(names_of(before.get()), (Names{"a", "new", "b", "c"}));
   EXPECT_EQ(before->current, 2);

   auto after = make_playlist({"a", "b", "c"});
   after->current = 1;
   ASSERT_EQ(playlist_insert(after.get(), 2, "new", 0), 0);
   EXPECT_EQ(names_of(after.get()), (Names{"a", "b", "new", "c"}));
   EXPECT_EQ(after->current, 1);

   // "None" counts as greater than every index, so it becomes the first song.
   auto none = make_playlist({"a", "b"});
   none->current = -1;
   ASSERT_EQ(playlist_insert(none.get(), 2, "c", 0), 0);
   EXPECT_EQ(none->current, 0);
}

TEST(PlaylistInsert, AtCountAppendsAndBeyondFails)
{
   auto pl = make_playlist({"a", "b", "c"});
   EXPECT_EQ(playlist_insert(pl.get(), 4, "x", 0), -1);
   EXPECT_EQ(names_of(pl.get()), (Names{"a", "b", "c"}));
   EXPECT_EQ(playlist_insert(pl.get(), UINT32_MAX, "x", 0), -1);
   EXPECT_EQ(playlist_insert(pl.get(), 3, "d", 0), 0);
   EXPECT_EQ(names_of(pl.get()), (Names{"a", "b", "c", "d"}));
   EXPECT_EQ(playlist_insert(nullptr, 0, "x", 0), -1);
   EXPECT_EQ(playlist_insert(pl.get(), 0, nullptr, 0), -1);
   EXPECT_EQ(pl->count, 4u);
}

TEST(PlaylistInsert, KeepsItsOwnCopyOfTheName)
{
   PlaylistPtr pl(playlist_create());
   char buffer[] = "Song.MP3";
   playlist_insert(pl.get(), 0, buffer, 0);
   std::strcpy(buffer, "other");
   EXPECT_STREQ(pl->entries[0].name, "Song.MP3");
   EXPECT_NE(pl->entries[0].name, buffer);
}

TEST(PlaylistInsert, ArrayGrowsByFiftyAndKeepsEverySong)
{
   PlaylistPtr pl(playlist_create());
   const uint32_t *count_field = &pl->count;
   for (uint32_t i = 0; i < 150; ++i) {
      ASSERT_EQ(playlist_insert(pl.get(), i, std::to_string(i).c_str(), i), 0);
      const uint32_t expected = i < 50 ? 50 : i < 100 ? 100 : 150;
      ASSERT_EQ(pl->capacity, expected) << "after insertion " << i + 1;
   }
   ASSERT_EQ(playlist_insert(pl.get(), 0, "front", 0), 0);
   EXPECT_EQ(pl->capacity, 200u);
   EXPECT_EQ(&pl->count, count_field);
   ASSERT_EQ(pl->count, 151u);
   EXPECT_STREQ(pl->entries[0].name, "front");
   for (uint32_t i = 0; i < 150; ++i) {
      EXPECT_EQ(pl->entries[i + 1].name, std::to_string(i));
      EXPECT_EQ(pl->entries[i + 1].data, i);
   }
   EXPECT_EQ(pl->current, 1);
}

TEST(PlaylistRemove, CurrentFollowsItsSong)
{
   auto last = make_playlist({"a", "b", "c"});
   last->current = 2;
   ASSERT_EQ(playlist_remove(last.get(), 2), 0);
   EXPECT_EQ(names_of(last.get()), (Names{"a", "b"}));
   EXPECT_EQ(last->current, 1);

   auto first = make_playlist({"a", "b", "c"});
   first->current = 2;
   ASSERT_EQ(playlist_remove(first.get(), 0), 0);
   EXPECT_EQ(names_of(first.get()), (Names{"b", "c"}));
   EXPECT_EQ(first->current, 1);

   auto after = make_playlist({"a", "b", "c"});
   after->current = 0;
   ASSERT_EQ(playlist_remove(after.get(), 2), 0);
   EXPECT_EQ(after->current, 0);
}

TEST(PlaylistRemove, RemovingCurrentSongSelectsTheNextOne)
{
   auto pl = make_playlist({"a", "b", "c"});
   pl->current = 1;
   ASSERT_EQ(playlist_remove(pl.get(), 1), 0);
   EXPECT_EQ(names_of(pl.get()), (Names{"a", "c"}));
   EXPECT_STREQ(pl->entries[pl->current].name, "c");
   EXPECT_EQ(kstr::test::data_of(pl.get()), (std::vector<uint32_t>{100, 102}));

   // "None" with songs present lands inside the list.
   auto none = make_playlist({"a", "b", "c"});
   none->current = -1;
   ASSERT_EQ(playlist_remove(none.get(), 0), 0);
   EXPECT_EQ(none->current, 1);
}

TEST(PlaylistRemove, LastSongLeavesEmptyListWithNoCurrent)
{
   auto pl = make_playlist({"a"});
   ASSERT_EQ(playlist_remove(pl.get(), 0), 0);
   EXPECT_EQ(pl->count, 0u);
   EXPECT_EQ(pl->current, -1);
   EXPECT_EQ(playlist_remove(pl.get(), 0), -1);
   EXPECT_EQ(pl->current, -1);
}

TEST(PlaylistRemove, OutOfRangeFailsWithoutChange)
{
   auto pl = make_playlist({"a", "b"});
   pl->current = 1;
   EXPECT_EQ(playlist_remove(pl.get(), 2), -1);
   EXPECT_EQ(playlist_remove(pl.get(), UINT32_MAX), -1);
   EXPECT_EQ(playlist_remove(nullptr, 0), -1);
   EXPECT_EQ(names_of(pl.get()), (Names{"a", "b"}));
   EXPECT_EQ(pl->current, 1);
}

TEST(PlaylistMove, CurrentFollowsItsSong)
{
   auto down = make_playlist({"a", "b", "c", "d", "e"});
   down->current = 1;
   ASSERT_EQ(playlist_move(down.get(), 1, 3), 0);
   EXPECT_EQ(names_of(down.get()), (Names{"a", "c", "d", "b", "e"}));
   EXPECT_EQ(down->current, 3);

   auto past = make_playlist({"a", "b", "c", "d", "e"});
   past->current = 1;
   ASSERT_EQ(playlist_move(past.get(), 0, 3), 0);
   EXPECT_EQ(names_of(past.get()), (Names{"b", "c", "d", "a", "e"}));
   EXPECT_EQ(past->current, 0);

   auto up = make_playlist({"a", "b", "c", "d", "e"});
   up->current = 1;
   ASSERT_EQ(playlist_move(up.get(), 3, 0), 0);
   EXPECT_EQ(names_of(up.get()), (Names{"d", "a", "b", "c", "e"}));
   EXPECT_EQ(up->current, 2);
   EXPECT_EQ(kstr::test::data_of(up.get()), (std::vector<uint32_t>{103, 100, 101, 102, 104}));

   // The song sitting at the destination steps aside.
   auto at_to = make_playlist({"a", "b", "c", "d", "e"});
   at_to->current = 3;
   ASSERT_EQ(playlist_move(at_to.get(), 1, 3), 0);
   EXPECT_EQ(at_to->current, 2);
   ASSERT_EQ(playlist_move(at_to.get(), 4, 2), 0);
   EXPECT_EQ(at_to->current, 3);
   EXPECT_STREQ(at_to->entries[at_to->current].name, "d");

   auto untouched = make_playlist({"a", "b", "c", "d", "e"});
   untouched->current = 4;
   ASSERT_EQ(playlist_move(untouched.get(), 0, 3), 0);
   EXPECT_EQ(untouched->current, 4);
   untouched->current = -1;
   ASSERT_EQ(playlist_move(untouched.get(), 3, 0), 0);
   EXPECT_EQ(untouched->current, -1);
}

TEST(PlaylistMove, OntoItselfOrOutOfRange)
{
   auto pl = make_playlist({"a", "b", "c"});
   pl->current = 1;
   EXPECT_EQ(playlist_move(pl.get(), 1, 1), 0);
   EXPECT_EQ(playlist_move(pl.get(), 0, 3), -1);
   EXPECT_EQ(playlist_move(pl.get(), 3, 0), -1);
   EXPECT_EQ(playlist_move(nullptr, 0, 1), -1);
   EXPECT_EQ(names_of(pl.get()), (Names{"a", "b", "c"}));
   EXPECT_EQ(pl->current, 1);
}

TEST(PlaylistLookup, NameAndDataByIndex)
{
   auto pl = make_playlist({"a", "b"});
   EXPECT_STREQ(playlist_get_name(pl.get(), 1), "b");
   EXPECT_EQ(playlist_get_data(pl.get(), 1), 101u);
   EXPECT_EQ(playlist_get_name(pl.get(), 2), nullptr);
   EXPECT_EQ(playlist_get_data(pl.get(), 2), 0u);
   EXPECT_EQ(playlist_get_name(nullptr, 0), nullptr);
   EXPECT_EQ(playlist_get_data(nullptr, 0), 0u);
}

TEST(PlaylistLookup, FindIsExactAndReturnsTheFirstMatch)
{
   auto pl = make_playlist({"x.mod", "Song.mp3", "song.mp3", "Song.mp3"});
   EXPECT_EQ(playlist_find(pl.get(), "Song.mp3"), 1);
   EXPECT_EQ(playlist_find(pl.get(), "song.mp3"), 2);
   EXPECT_EQ(playlist_find(pl.get(), "SONG.MP3"), -1);
   EXPECT_EQ(playlist_find(pl.get(), "Song.mp"), -1);
   EXPECT_EQ(playlist_find(nullptr, "x.mod"), -1);
   EXPECT_EQ(playlist_find(pl.get(), nullptr), -1);
}

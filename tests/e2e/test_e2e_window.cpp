// End-to-end: the playlist files, reordering rows and the row menu, and
// quitting, each driven through the window alone. The playlist's rows are
// read back from files the window saves (Ctrl+S).
#include "e2e_window.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kstr::test {
namespace {

using Rows = std::vector<std::string>;

class XdotoolWindow : public ::testing::Test {
protected:
   void SetUp() override
   {
      ASSERT_TRUE(rig_.ok());
      ASSERT_TRUE(rig_.start_program());
      ASSERT_TRUE(map_main_window(rig_, map_));
   }
   // The rows as the window saves them now.
   Rows saved_rows(const std::string &name)
   {
      const std::string path = rig_.dir().file(name + ".kpl");
      save_playlist_as(rig_, path);
      return playlist_file_rows(path);
   }
   void answer_file(const std::string &keys, const std::string &path)
   {
      rig_.key(keys);
      pause_ms(400);
      rig_.type(path);
      rig_.key("Return");
      pause_ms(300);
   }

   Rig rig_;
   MainWindowMap map_;
   const std::string a_ = e2e_file("sweep.mp3"), b_ = e2e_file("sweep.ogg"), c_ = e2e_file("short.wav");
};

TEST_F(XdotoolWindow, SaveNewLoadMergeAndADamagedLoadThatKeepsTheRows)
{
   add_song(rig_, map_, a_);
   add_song(rig_, map_, b_);
   const std::string first = rig_.dir().file("first.kpl");
   save_playlist_as(rig_, first);
   rig_.click(map_.newpl.x, map_.newpl.y);
   const Rows after_new = saved_rows("after_new");
   answer_file("ctrl+l", first);
   const Rows loaded = saved_rows("loaded");
   answer_file("ctrl+m", first);
   const Rows merged = saved_rows("merged");

   const std::string damaged = rig_.dir().write("damaged.kpl", "KSTR PLAYLIST 01\x09");
   Picture before, asked, after;
   ASSERT_TRUE(take_picture(rig_, before));
   answer_file("ctrl+l", damaged);
   ASSERT_TRUE(take_picture(rig_, asked));
   rig_.key("Return");
   ASSERT_TRUE(take_picture(rig_, after));
   const Rows kept = saved_rows("kept");

   EXPECT_EQ(playlist_file_rows(first), (Rows{a_, b_}));
   EXPECT_TRUE(after_new.empty());
   EXPECT_EQ(loaded, (Rows{a_, b_}));
   EXPECT_EQ(merged, (Rows{a_, b_, a_, b_}));
   EXPECT_GT(differing_pixels(before, asked), 2000) << "a requester tells about the damaged file";
   EXPECT_LT(differing_pixels(before, after), 400) << "and goes with Enter";
   EXPECT_EQ(kept, merged) << "the rows are still there";
}

TEST_F(XdotoolWindow, ARowDraggedOntoAnotherMovesAndTheRowMenuInsertsAndRemoves)
{
   add_song(rig_, map_, a_);
   add_song(rig_, map_, b_);
   add_song(rig_, map_, c_);
   const Point r0 = map_.row(0), r2 = map_.row(2);
   rig_.drag(r0.x, r0.y, r2.x, r2.y);
   const Rows dragged = saved_rows("dragged");

   // Row menu of row 0: Play, Insert song, Remove.
   Picture closed, opened;
   ASSERT_TRUE(take_picture(rig_, closed));
   rig_.click(r0.x, r0.y, 3);
   ASSERT_TRUE(take_picture(rig_, opened));
   rig_.key("Down Down Return");
   pause_ms(400);
   rig_.type(c_);
   rig_.key("Return");
   pause_ms(300);
   const Rows inserted = saved_rows("inserted");
   const Point r1 = map_.row(1);
   rig_.click(r1.x, r1.y, 3);
   rig_.key("Down Down Down Return");
   const Rows removed = saved_rows("removed");

   EXPECT_EQ(dragged, (Rows{b_, c_, a_}));
   EXPECT_GT(differing_pixels(closed, opened), 500) << "the row menu opened";
   EXPECT_EQ(inserted, (Rows{c_, b_, c_, a_})) << "inserted before row 0";
   EXPECT_EQ(removed, (Rows{c_, c_, a_})) << "row 1 removed";
}

TEST_F(XdotoolWindow, TheQuitQuestionKeepsTheProgramOnNoAndEndsItWithTheBannerOnTheFirstButton)
{
   Picture before, asked, after;
   ASSERT_TRUE(take_picture(rig_, before));
   rig_.click(map_.quit.x, map_.quit.y);
   ASSERT_TRUE(take_picture(rig_, asked));
   rig_.key("Tab Return");  // the second button
   pause_ms(300);
   ASSERT_TRUE(take_picture(rig_, after));
   const bool running_after_no = rig_.program_running();
   const std::string output_after_no = rig_.program_output();

   rig_.click(map_.quit.x, map_.quit.y);
   rig_.key("Return");  // the first button has the focus
   const int status = rig_.wait_program(5000);
   const std::string output = rig_.program_output();

   EXPECT_GT(differing_pixels(before, asked), 2000) << "the question was asked";
   EXPECT_LT(differing_pixels(before, after), 400) << "and went away";
   EXPECT_TRUE(running_after_no);
   EXPECT_EQ(output_after_no, "") << "no banner before the program ends";
   EXPECT_EQ(status, 0);
   const auto count = [&](const std::string &piece) {
      std::size_t n = 0;
      for (std::size_t at = output.find(piece); at != std::string::npos; at = output.find(piece, at + 1))
         ++n;
      return n;
   };
   EXPECT_EQ(count("Kestrune v1.00b @ May 18 2003\n"), 1u) << output;
   EXPECT_EQ(count(" -> Supported formats    "), 1u);
   EXPECT_EQ(count("\nOGG"), 0u);
   EXPECT_EQ(count("UMX Unreal Mods (except IT!)            OGG Vorbis OGG (great compressor!)"), 1u);
}

}
}

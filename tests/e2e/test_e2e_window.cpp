// End-to-end: the playlist files, reordering rows and the row menu, and
// quitting, each driven through the window alone. The playlist's rows are
// read back from files the window saves (Ctrl+S).
#include "e2e_rig.h"

#include <gtest/gtest.h>

namespace kstr::test {
namespace {

using Rows = std::vector<std::string>;

class XdotoolWindow : public ::testing::Test {
 protected:
   void SetUp() override
   {
      ASSERT_TRUE(rig_.ok());
      ASSERT_TRUE(rig_.start_program());
   }

   Rig rig_;
   const std::string a_ = e2e_file("sweep.mp3"), b_ = e2e_file("sweep.ogg"), c_ = e2e_file("short.wav");
};

TEST_F(XdotoolWindow, SaveNewLoadMergeAndADamagedLoadThatKeepsTheRows)
{
   rig_.add_song(a_);
   rig_.add_song(b_);
   const Rows saved = rig_.saved_rows("first");
   rig_.click(rig_.map.newpl);
   const Rows after_new = rig_.saved_rows("after_new");
   rig_.answer_file("ctrl+l", rig_.dir().file("first.kpl"));
   const Rows loaded = rig_.saved_rows("loaded");
   rig_.answer_file("ctrl+m", rig_.dir().file("first.kpl"));
   const Rows merged = rig_.saved_rows("merged");

   Picture before, asked;
   ASSERT_TRUE(rig_.screenshot(before));
   rig_.answer_file("ctrl+l", rig_.dir().write("damaged.kpl", "KSTR PLAYLIST 01\x09"));
   ASSERT_TRUE(rig_.screenshot(asked));
   rig_.key("Return");
   const Rows kept = rig_.saved_rows("kept");

   EXPECT_EQ(saved, (Rows{a_, b_}));
   EXPECT_TRUE(after_new.empty());
   EXPECT_EQ(loaded, saved);
   EXPECT_EQ(merged, (Rows{a_, b_, a_, b_}));
   EXPECT_GT(differing_pixels(before, asked), 2000) << "a requester tells about the damaged file";
   EXPECT_EQ(kept, merged) << "the rows are still there";
}

// The row menu of a row: Play, Insert song, Remove.
TEST_F(XdotoolWindow, ARowDraggedOntoAnotherMovesAndTheRowMenuInsertsAndRemoves)
{
   for (const std::string &song : {a_, b_, c_})
      rig_.add_song(song);
   rig_.drag(rig_.map.row(0), rig_.map.row(2));
   const Rows dragged = rig_.saved_rows("dragged");
   rig_.click(rig_.map.row(0), 3);
   rig_.answer_file("Down Down Return", c_);
   const Rows inserted = rig_.saved_rows("inserted");
   rig_.click(rig_.map.row(1), 3);
   rig_.key("Down Down Down Return");
   const Rows removed = rig_.saved_rows("removed");

   EXPECT_EQ(dragged, (Rows{b_, c_, a_}));
   EXPECT_EQ(inserted, (Rows{c_, b_, c_, a_})) << "inserted before row 0";
   EXPECT_EQ(removed, (Rows{c_, c_, a_})) << "row 1 removed";
}

TEST_F(XdotoolWindow, TheQuitQuestionKeepsTheProgramOnNoAndEndsItWithTheBannerOnTheFirstButton)
{
   Picture before, asked, after;
   ASSERT_TRUE(rig_.screenshot(before));
   rig_.click(rig_.map.quit);
   ASSERT_TRUE(rig_.screenshot(asked));
   rig_.key("Tab Return");  // the second button
   pause_ms(300);
   ASSERT_TRUE(rig_.screenshot(after));
   const bool running_after_no = rig_.wait_program(0) == -2;
   const std::string output_after_no = rig_.program_output();

   rig_.click(rig_.map.quit);
   rig_.key("Return");  // the first button has the focus
   const int status = rig_.wait_program(5000);
   const std::string output = rig_.program_output();

   EXPECT_GT(differing_pixels(before, asked), 2000) << "the question was asked";
   EXPECT_LT(differing_pixels(before, after), 400) << "and went away";
   EXPECT_TRUE(running_after_no);
   EXPECT_EQ(output_after_no, "") << "no banner before the program ends";
   EXPECT_EQ(status, 0) << rig_.program_errors();
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

// Losing the X server ends the program (Xlib's fatal error) instead of
// leaving it hung in Allegro's exit, which waits for the thread that read X.
TEST_F(XdotoolWindow, TheProgramEndsWhenTheXServerGoesAway)
{
   rig_.stop_x();
   EXPECT_NE(rig_.wait_program(5000), -2) << "still running";
}

}
}

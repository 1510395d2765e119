// The text field under the X server: lines broken to fit, the scrolling
// variant and the requester for a file that cannot be opened.
#include "input_test_support.h"
#include "temp_dir.h"

#include "controls/scroll_strip.h"
#include "controls/text_wrap.h"
#include "toolkit/keyboard_focus.h"
#include "windows/input_sink.h"

#include <string>
#include <vector>

namespace kstr::test {
namespace {

TEST_F(InputTest, TextFieldWrapsAndScrolls)
{
   char text[] = "one two three four five six seven eight nine ten eleven twelve";
   MakeWindow(0, AUTO, "text", WINDOW_NO_DRAG);
   const int whole = PlaceTextField(PLACE_FIRST, AUTO, text, 60, 0, 0);
   const int two = PlaceTextField(PLACE_RIGHT, AUTO, text, 60, 2, 0);
   PresentWindow();
   FONT *f = ToolkitFont();
   const std::vector<std::string> lines = WrapText(f, text, 60 - 4, 8, true);
   ASSERT_GT(lines.size(), 3u);
   for (const std::string &line : lines)
      EXPECT_LE(text_length(f, line.c_str()), 56) << line;
   // The scrolling field gives room to its strip.
   const int scrolled = static_cast<int>(WrapText(f, text, 60 - 4 - SCROLL_STRIP_WIDTH, 8, true).size());
   EXPECT_EQ(rect_of(whole).y2 - rect_of(whole).y1 + 1, static_cast<int>(lines.size()) * text_height(f) + 4);
   EXPECT_EQ(rect_of(two).y2 - rect_of(two).y1 + 1, 2 * text_height(f) + 4);
   EXPECT_EQ(WrapText(f, "a\tb\nlongwordlongwordlongword", 40, 4, true).front(), "a   b");

   FocusControl(two);
   press_key(KEY_DOWN);
   press_key(KEY_DOWN);
   EXPECT_EQ(TextFieldFirstLine(two), 2);
   press_key(KEY_END);
   EXPECT_EQ(TextFieldFirstLine(two), scrolled - 2);
   const Rect r = screen_rect_of(two);
   inject_click(r.x2 - 3, r.y1 + 2);  // the top of the scroll strip
   run_loop_for(30);
   EXPECT_EQ(TextFieldFirstLine(two), 0);
}

// Scrolling saturates: past the first line the field stays at line 0, past
// the last page at the last page, whatever the step.
TEST_F(InputTest, TextFieldScrollStopsAtBothEnds)
{
   char text[] = "one two three four five six seven eight nine ten eleven twelve";
   MakeWindow(0, AUTO, "text", WINDOW_NO_DRAG);
   const int two = PlaceTextField(PLACE_FIRST, AUTO, text, 60, 2, 0);
   PresentWindow();
   const int last_page =
      static_cast<int>(WrapText(ToolkitFont(), text, 60 - 4 - SCROLL_STRIP_WIDTH, 8, true).size()) - 2;
   ASSERT_GT(last_page, 2);
   FocusControl(two);
   const struct {
      int start_key, key, first;
   } cases[] = {
      {KEY_HOME, KEY_UP, 0},          {KEY_HOME, KEY_PGUP, 0},        {KEY_DOWN, KEY_PGUP, 0},
      {KEY_END, KEY_DOWN, last_page}, {KEY_END, KEY_PGDN, last_page}, {KEY_HOME, KEY_PGDN, 2},
   };
   for (const auto &step : cases) {
      press_key(KEY_HOME);
      press_key(step.start_key);
      press_key(step.key);
      EXPECT_EQ(TextFieldFirstLine(two), step.first)
         << "key " << step.key << " after " << step.start_key << " from the top";
   }
}

TEST_F(InputTest, TextFieldShowsAFileOrQueuesTheRequester)
{
   TempDir dir;
   std::string path = dir.write("notes.txt", "first line\nsecond line\n");
   std::string missing = dir.file("missing.txt");
   MakeWindow(0, AUTO, "files", WINDOW_NO_DRAG);
   const int shown = PlaceTextField(PLACE_FIRST, AUTO, path.data(), 150, 0, TEXT_FIELD_FILE);
   PlaceTextField(PLACE_RIGHT, AUTO, missing.data(), 150, 0, TEXT_FIELD_FILE);
   PresentWindow();
   EXPECT_EQ(rect_of(shown).y2 - rect_of(shown).y1 + 1, 2 * text_height(ToolkitFont()) + 4)
      << "two lines; the last line end starts no empty line";

   // Runs inside the requester's loop: notes it and answers with Escape.
   WindowRecord *const below = TopWindow();
   bool requester_open = false;
   Step answer{[&] {
      requester_open = TopWindow() != below && TopWindow()->modal;
      DeliverKey(27, KEY_ESC, 0);
   }};
   answer.Queue(100);
   run_loop_for(300);
   EXPECT_TRUE(requester_open) << "the requester was queued and ran its own loop";
   EXPECT_EQ(TopWindow(), below) << "Escape closed it";
}

}
}

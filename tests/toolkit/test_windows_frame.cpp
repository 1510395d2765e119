// A window's frame under injected input: the title bar drags the window as
// its background does, no drag or growth loses the title bar off the screen,
// a resizable list's grip is 8 by 8 pixels, and the desktop frame's close
// button waits while a requester is open.
#include "input_test_support.h"

#include "controls/list_view_parts.h"
#include "toolkit/controls/list_view.h"
#include "toolkit/requesters.h"
#include "windows/input_sink.h"
#include "windows/window_parts.h"

#include <algorithm>
#include <string>
#include <vector>

namespace kstr::test {
namespace {

void drag(int x, int y, int to_x, int to_y)
{
   InjectPointer(x, y, 0);
   InjectPointer(x, y, 1);
   InjectPointer((x + to_x) / 2, (y + to_y) / 2, 1);
   InjectPointer(to_x, to_y, 1);
   InjectPointer(to_x, to_y, 0);
   run_loop_for(20);
}

Rect top_window()
{
   return rect_of(TopWindow()->root->self->id);
}

// Each drag starts from where the one before left the window; the press is
// `from` pixels right and down of its top-left corner.
TEST_F(InputTest, TitleBarAndBackgroundDragTheWindowWithinTheScreen)
{
   position_mouse(SCREEN_W / 2, SCREEN_H / 2);
   ASSERT_GT(MakeWindow(160, 100, "Frame", WINDOW_NOT_MODAL), 0);
   PresentWindow();
   const Rect start = top_window();
   const int width = start.x2 - start.x1;
   const int bar = WINDOW_BORDER + TitleHeight(TopWindow());
   struct Drag {
      const char *what;
      int from_x, from_y, dx, dy;
      Rect expected;  // as a function of nothing but the screen
   };
   const std::vector<Drag> drags = {
      {"title bar", 20, 4, 30, 20, {start.x1 + 30, start.y1 + 20, start.x2 + 30, start.y2 + 20}},
      {"title bar up and left past the screen",
       20,
       4,
       -4000,
       -4000,
       {WINDOW_KEEP_VISIBLE - width, 0, WINDOW_KEEP_VISIBLE, start.y2 - start.y1}},
      {"background down and right past the screen",
       width - 20,
       60,
       4000,
       4000,
       {SCREEN_W - WINDOW_KEEP_VISIBLE, SCREEN_H - bar, SCREEN_W - WINDOW_KEEP_VISIBLE + width,
        SCREEN_H - bar + start.y2 - start.y1}},
   };
   for (const Drag &d : drags) {
      // The part of the press that is on the screen.
      const Rect at = top_window();
      const int x = std::clamp(at.x1 + d.from_x, 0, SCREEN_W - 1);
      const int y = std::clamp(at.y1 + d.from_y, 0, SCREEN_H - 1);
      drag(x, y, x + d.dx, y + d.dy);
      EXPECT_EQ(top_window(), d.expected) << d.what;
   }
   // The title bar is still there to take the window back.
   const Rect at = top_window();
   drag(at.x1 + 10, at.y1 + 4, at.x1 + 10 - 300, at.y1 + 4 - 300);
   EXPECT_EQ(top_window().y1, SCREEN_H - bar - 300);
}

// The grip takes a press 7 pixels in from the corner; dragged far down and
// right, the window grows to the screen's edge and no further.
TEST_F(InputTest, ListGripIsEightPixelsAndGrowsTheWindowToTheScreenEdgeOnly)
{
   int count = 200;
   position_mouse(200, 200);
   ASSERT_GT(MakeWindow(0, AUTO, "Grip", WINDOW_NOT_MODAL), 0);
   const int list = PlaceListView(PLACE_FIRST, AUTO, nullptr, &count, 100, 1, NumberedRowText, NoRowMenu, 4);
   MakeResizable(list, nullptr, nullptr, 0);
   PresentWindow();
   const Rect view = screen_rect_of(list);
   const int rows_before = ListOf(LookupControl(list))->rows;
   const int x = view.x2 - (LIST_GRIP - 1), y = view.y2 - (LIST_GRIP - 1);
   ASSERT_EQ(ControlAtPoint(x, y), LookupControl(list)) << "no part covers the grip";
   drag(x, y, x + 4000, y + 4000);
   const Rect grown = top_window();
   EXPECT_GT(ListOf(LookupControl(list))->rows, rows_before);
   EXPECT_LE(grown.x2, SCREEN_W - 1);
   EXPECT_LE(grown.y2, SCREEN_H - 1);
   EXPECT_GT(grown.y2, SCREEN_H - 1 - ListRowHeight(ListOf(LookupControl(list))) - LIST_FRAME);
   // Just above the grip the scroll bar takes the press.
   const Rect now = screen_rect_of(list);
   EXPECT_EQ(ControlAtPoint(now.x2 - 3, now.y2 - LIST_GRIP), ListOf(LookupControl(list))->scroll_bar);
}

// The frame's close button is ignored while a requester's loop runs. (That it
// ends the top-level loop or runs the program's handler is driven through the
// real X server in test_input_xdotool.cpp.)
TEST(CloseButton, IsIgnoredWhileARequesterIsOpen)
{
   ToolkitSession session;
   ASSERT_TRUE(session.ok);
   MakeWindow(0, AUTO, "close", 0);
   PlaceProbe(PLACE_FIRST, AUTO, "x", 0);
   PresentWindow();

   bool open_after_close = false;
   QueueCall([](void *) { InjectCloseButton(); }, nullptr, 20, 0);
   QueueCall([](void *open) { *static_cast<bool *>(open) = !RequesterMessage().empty(); }, &open_after_close, 100, 0);
   QueueCall([](void *) { InjectKey(27, KEY_ESC, 0); }, nullptr, 150, 0);
   EXPECT_EQ(AlertBox("Quit", "Really?|Yes|No"), 1);
   EXPECT_TRUE(open_after_close);
}

}
}

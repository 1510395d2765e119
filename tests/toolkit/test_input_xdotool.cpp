// Real X input: xdotool moves the display's one pointer, clicks and types, and
// Allegro's own callbacks carry it to the loop. These tests run alone.
#include "list_test_support.h"

#include "toolkit/keyboard_focus.h"

#include <climits>
#include <cstdlib>
#include <functional>
#include <string>

#include <unistd.h>

namespace kstr::test {
namespace {

// Unique to this process: other tests may have windows on the same display.
const std::string &window_title()
{
   static const std::string title = "kstr xdotool " + std::to_string(getpid());
   return title;
}

std::string at(int x, int y)
{
   return std::to_string(x) + " " + std::to_string(y);
}

// One step: an xdotool command (its argument is the attempt number) and the
// effect that ends the step.
struct Step {
   std::function<bool()> done;
   std::function<std::string(int)> command;
   int every = 5;  // passes of 20 ms between attempts; INT_MAX sends it once
};

// Drives the steps from inside the loop. A fresh window may miss the first
// events and another test's window may be mapped over this one at any time,
// so each command raises the window and is repeated until its effect arrives.
struct RealInput {
   std::vector<Step> steps;
   size_t step = 0;
   int polls = 0;
   bool xdotool_failed = false;

   static void Run(void *self)
   {
      auto *in = static_cast<RealInput *>(self);
      if (EventSystemFlushing())  // the test is over
         return;
      for (; in->step < in->steps.size() && in->steps[in->step].done(); in->polls = 0)
         ++in->step;
      if (in->step == in->steps.size()) {
         StopEventLoop();
         return;
      }
      const Step &s = in->steps[in->step];
      if (in->polls++ % s.every == 0) {
         const std::string command = "xdotool search --sync --name '^" + window_title() + "$' windowraise %1 " +
                                     s.command(in->polls / s.every) + " >/dev/null";
         in->xdotool_failed |= std::system(command.c_str()) != 0;
      }
      QueueCall(Run, self, 20, 0);
   }

   void Drive()
   {
      set_window_title(window_title().c_str());
      LoopDeadline deadline(10000);
      QueueCall(Run, this, 0, 0);
      RunEventLoop();
      EXPECT_FALSE(xdotool_failed) << "xdotool failed";
      EXPECT_FALSE(deadline.fired) << "stopped at step " << step;
   }
};

// A click and a hot key on a probe, then a click into an input field and typing
// there, then a choice list opened and a row picked.
TEST(Xdotool, RealClicksAndKeysReachTheControls)
{
   ToolkitSession session;
   ASSERT_TRUE(session.ok);
   int number = 0, sel = 0;
   char one[] = "one", two[] = "two", three[] = "three";
   char *items[] = {one, two, three};
   MakeWindow(0, AUTO, "controls", WINDOW_NO_DRAG);
   const int b = PlaceProbe(PLACE_FIRST, AUTO, "~b", 0);
   const int field = PlaceInputField(PLACE_NEW_ROW, AUTO, 60, "Number", 3, 2, &number);
   const int list = PlaceChoiceList(PLACE_NEW_ROW, AUTO, 80, "Pick", &sel, items, 3);
   PresentWindow();
   run_loop_for(20);
   input_log() = InputLog{};
   int bx, by;
   centre_of(b, &bx, &by);
   auto click_centre = [](int id) {
      int x, y;
      centre_of(id, &x, &y);
      return "mousemove --window %1 " + at(x, y) + " click 1";
   };
   RealInput real{{
      {[&] { return !input_log().CodesFor(b).empty(); },
       [&](int n) { return "mousemove --window %1 " + at(bx + n % 2, by); }},
      {[] { return !input_log().clicks.empty(); }, [&](int) { return click_centre(b); }},
      {[] { return !input_log().actions.empty(); }, [](int) { return "windowfocus --sync %1 key b"; }},
      {[&] { return FocusedControlId() == field; }, [&](int) { return click_centre(field); }},
      {[&] { return number != 0; }, [](int) { return "windowfocus --sync %1 key End 7"; }},
      {[] { return OpenChoiceDropList() >= 0; }, [&](int) { return click_centre(list); }},
      {[&] { return sel == 2; },
       [](int) {
          const Rect rows = screen_rect_of(OpenChoiceDropList());
          return "mousemove --window %1 " + at(rows.x1 + 8, rows.y1 + 1 + (rows.y2 - rows.y1) * 5 / 6) + " click 1";
       }},
   }};
   real.Drive();

   ASSERT_FALSE(input_log().clicks.empty());
   for (const ClickLogEntry &click : input_log().clicks)
      EXPECT_EQ((std::vector<int>{click.id, click.button, click.count}), (std::vector<int>{b, 1, 1}));
   EXPECT_EQ(input_log().actions, std::vector<int>(input_log().actions.size(), b));
   const std::vector<int> codes = input_log().CodesFor(b);
   ASSERT_GE(codes.size(), 3u);
   EXPECT_EQ(std::vector<int>(codes.end() - 3, codes.end()),
             (std::vector<int>{POINTER_PRESS, POINTER_RELEASE, POINTER_LEFT}));
   EXPECT_EQ(number % 10, 7) << "the typed 7 was read back";
   EXPECT_EQ(sel, 2);
   EXPECT_EQ(OpenChoiceDropList(), -1);
}

// The clicks' timing makes a double click, which activates the row.
TEST_F(ListViewTest, XdotoolDoubleClickActivatesARow)
{
   MakeList(8, 5, true);
   int x, y;
   RowCentre(2, &x, &y);
   RealInput real{{
      {[&] { return mouse_x == x && mouse_y == y; }, [&](int) { return "mousemove --window %1 " + at(x, y); }},
      {[] { return !list_log().activated.empty(); },
       [&](int) { return "mousemove --window %1 " + at(x, y) + " click --repeat 2 --delay 40 1"; }, 25},
   }};
   real.Drive();

   ASSERT_EQ(list_log().activated.size(), 1u);
   EXPECT_EQ(list_log().activated[0].row_id, RowId(2));
   EXPECT_EQ(list_log().activated[0].item, 3);
   EXPECT_EQ(list_log().activated[0].a, 1);
   EXPECT_TRUE(ListRowSelected(list_, 2));
}

// Press on the background, move in two steps, let go: the window follows.
TEST(Xdotool, DraggingTheBackgroundMovesTheWindow)
{
   ToolkitSession session;
   ASSERT_TRUE(session.ok);
   position_mouse(200, 200);
   ASSERT_GT(MakeWindow(120, 80, "drag me", WINDOW_NOT_MODAL), 0);
   PresentWindow();
   const int root = TopWindow()->root->self->id;
   const Rect before = rect_of(root);
   const int x = before.x1 + 60, y = before.y2 - 20;
   const auto pointer_at = [](int px, int py) { return [=] { return mouse_x == px && mouse_y == py; }; };
   const auto move_to = [](int px, int py) { return [=](int) { return "mousemove --window %1 " + at(px, py); }; };
   const Rect moved{before.x1 + 40, before.y1 + 30, before.x2 + 40, before.y2 + 30};
   RealInput real{{
      {pointer_at(x, y), move_to(x, y)},
      {[] { return mouse_b & 1; }, [](int) { return "mousedown --window %1 1"; }, INT_MAX},
      {pointer_at(x + 20, y + 15), move_to(x + 20, y + 15)},
      {pointer_at(x + 40, y + 30), move_to(x + 40, y + 30)},
      {[&] { return !(mouse_b & 1) && rect_of(root) == moved; }, [](int) { return "mouseup --window %1 1"; }, INT_MAX},
   }};
   real.Drive();
   run_loop_for(100);  // the release has been handled

   EXPECT_EQ(rect_of(root), moved);
   show_mouse(nullptr);
   const int face = InterfaceColour[3];
   EXPECT_EQ(screen_pixel(moved.x1 + 10, moved.y2 - 10), (Rgb{getr(face), getg(face), getb(face)}));
}

}
}

// Real X input: xdotool moves the display's one pointer, clicks and types, and
// Allegro's own callbacks carry it to the loop. This test runs alone.
#include "input_test_support.h"

#include "toolkit/controls/list_view.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include <unistd.h>

// Last: its macros (None, Bool, Status) would clash with the headers above.
#include <X11/Xlib.h>

namespace kstr::test {
namespace {

std::string at(int x, int y)
{
   return std::to_string(x) + " " + std::to_string(y);
}

// One step: an xdotool command (its argument is the attempt number) and the
// effect that ends the step.
struct Step {
   std::function<bool()> done;
   std::function<std::string(int)> command;  // sent every fifth pass of 20 ms
};

// Drives the steps from inside the loop. A fresh window may miss the first
// events and another test's window may be mapped over this one at any time,
// so each command raises the window and is repeated until its effect arrives.
struct RealInput {
   std::vector<Step> steps;
   // Unique to this process: other tests may have windows on the same display.
   const std::string title = "kstr xdotool " + std::to_string(getpid());
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
      if (in->polls++ % 5 == 0) {
         const std::string command = "xdotool search --sync --name '^" + in->title + "$' windowraise %1 " +
                                     s.command(in->polls / 5) + " >/dev/null";
         in->xdotool_failed |= std::system(command.c_str()) != 0;
      }
      QueueCall(Run, self, 20, 0);
   }

   void Drive()
   {
      set_window_title(title.c_str());
      LoopDeadline deadline(10000);
      QueueCall(Run, this, 0, 0);
      RunEventLoop();
      EXPECT_FALSE(xdotool_failed) << "xdotool failed";
      EXPECT_FALSE(deadline.fired) << "stopped at step " << step;
   }
};

// A click, a hot key and Alt with it on a probe, then a click into an input
// field and typing there, then a choice list opened and a row picked.
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
      // Alt+b as the real keyboard reports it runs the same hot key.
      {[] { return input_log().actions.size() >= 2; }, [](int) { return "windowfocus --sync %1 key alt+b"; }},
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
   EXPECT_EQ(OpenChoiceDropList(), -1);
}

// The real wheel (X buttons 4 and 5) reaches Allegro's mouse_z and scrolls
// the list under the pointer by three rows a notch, down and back up.
TEST(Xdotool, RealWheelScrollsTheListUnderThePointer)
{
   ToolkitSession session;
   ASSERT_TRUE(session.ok);
   int count = 60;
   MakeWindow(0, AUTO, "wheel", WINDOW_NO_DRAG);
   const int list = PlaceListView(PLACE_FIRST, AUTO, nullptr, &count, 120, 1, NumberedRowText, NoRowMenu, 5);
   ASSERT_GT(list, 0);
   SetListIndexer(list, RowIndexHandle);
   PresentWindow();
   run_loop_for(20);
   int x, y;
   centre_of(list, &x, &y);
   int lowest = 0;
   RealInput real{{
      {[&] { return (lowest = ListFirstRow(list)) > 0; },
       [&](int) { return "mousemove --window %1 " + at(x, y) + " click 5"; }},
      {[&] { return ListFirstRow(list) == 0; }, [&](int) { return "mousemove --window %1 " + at(x, y) + " click 4"; }},
   }};
   real.Drive();
   EXPECT_EQ(lowest % 3, 0) << "three rows a notch, got " << lowest;
}

// The window manager's close request (WM_DELETE_WINDOW, what the frame's close
// button sends) from another X client ends the top-level loop; with a handler
// set, the handler runs instead and the loop goes on.
TEST(Xdotool, RealFrameCloseButtonEndsTheLoopOrRunsTheHandler)
{
   ToolkitSession session;
   ASSERT_TRUE(session.ok);
   MakeWindow(0, AUTO, "close", 0);
   PlaceProbe(PLACE_FIRST, AUTO, "x", 0);
   PresentWindow();
   const std::string title = "kstr close " + std::to_string(getpid());
   set_window_title(title.c_str());
   run_loop_for(50);
   std::unique_ptr<FILE, int (*)(FILE *)> search(
      popen(("xdotool search --sync --name '^" + title + "$' | head -n 1").c_str(), "r"), pclose);
   ASSERT_TRUE(search);
   unsigned long window = 0;
   ASSERT_EQ(std::fscanf(search.get(), "%lu", &window), 1);
   std::unique_ptr<Display, int (*)(Display *)> x(XOpenDisplay(nullptr), XCloseDisplay);
   ASSERT_TRUE(x);
   const auto send_close = [&] {
      XEvent ev{};
      ev.xclient.type = ClientMessage;
      ev.xclient.window = window;
      ev.xclient.message_type = XInternAtom(x.get(), "WM_PROTOCOLS", False);
      ev.xclient.format = 32;
      ev.xclient.data.l[0] = static_cast<long>(XInternAtom(x.get(), "WM_DELETE_WINDOW", False));
      ev.xclient.data.l[1] = CurrentTime;
      XSendEvent(x.get(), window, False, NoEventMask, &ev);
      XFlush(x.get());
   };

   int handled = 0;
   SetCloseButtonHandler([](void *n) { ++*static_cast<int *>(n); }, &handled);
   send_close();
   for (int i = 0; i < 100 && handled == 0; ++i)
      run_loop_for(20);
   SetCloseButtonHandler(nullptr, nullptr);
   EXPECT_EQ(handled, 1) << "the program's handler ran";

   LoopDeadline deadline(5000);
   send_close();
   RunEventLoop();
   EXPECT_FALSE(deadline.fired) << "the close request did not end the loop";
}

}
}

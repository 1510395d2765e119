// Real X input: xdotool moves the X pointer over a control and clicks, and
// types a hot key; Allegro's own callbacks carry it to the loop. This moves
// the display's one pointer, which the other input tests ignore.
#include "input_test_support.h"

#include <cstdlib>
#include <string>

#include <unistd.h>

namespace kstr::test {
namespace {

// Unique to this process: other tests may have windows on the same display.
const std::string &window_title()
{
   static const std::string title = "kstr xdotool input " + std::to_string(getpid());
   return title;
}

// Raises this test's window (other tests' windows may lie on top) and runs an
// xdotool command against it; false on failure.
bool xdotool(const std::string &args)
{
   const std::string command =
      "xdotool search --sync --name '^" + window_title() + "$' windowraise %1 " + args + " >/dev/null";
   return std::system(command.c_str()) == 0;
}

// Drives the X pointer and keyboard step by step from inside the loop. A
// freshly opened window may not get pointer events at once, and another
// test's window may be mapped over this one at any time, so each step is
// repeated (raising the window again) until its effect has arrived: the
// pointer over the control, a click on it, its hot key's action.
struct RealInput {
   int id, x, y;
   int step = 0;
   int polls = 0;
   bool xdotool_failed = false;

   bool Seen(int code) const
   {
      for (const PointerLogEntry &e : input_log().pointer)
         if (e.id == id && e.code == code)
            return true;
      return false;
   }

   // Runs `args` now and again every 100 ms until `done` holds; then goes on
   // to the next step.
   void Repeat(bool done, const std::string &args)
   {
      if (done) {
         ++step;
         polls = 0;
      } else if (polls++ % 5 == 0) {
         xdotool_failed |= !xdotool(args);
      }
   }

   static void Run(void *self)
   {
      auto *in = static_cast<RealInput *>(self);
      if (EventSystemFlushing())  // the test is over
         return;
      const std::string at = std::to_string(in->x + in->polls % 2) + " " + std::to_string(in->y);
      switch (in->step) {
      case 0:
         in->Repeat(in->Seen(POINTER_OVER), "mousemove --window %1 " + at);
         break;
      case 1:
         in->Repeat(!input_log().clicks.empty(), "mousemove --window %1 " + at + " click 1");
         break;
      case 2:
         in->Repeat(!input_log().actions.empty(), "windowfocus --sync %1 key b");
         break;
      default:
         StopEventLoop();
         return;
      }
      QueueCall(Run, self, 20, 0);
   }
};

TEST_F(RealInputTest, RealPointerClickAndKeyPressReachTheControls)
{
   set_window_title(window_title().c_str());
   RealInput real{b_, bx_, by_};
   LoopDeadline deadline(8000);
   QueueCall(RealInput::Run, &real, 0, 0);
   RunEventLoop();

   ASSERT_FALSE(real.xdotool_failed) << "xdotool failed";
   EXPECT_FALSE(deadline.fired) << "stopped at step " << real.step;
   ASSERT_FALSE(input_log().clicks.empty());
   for (const ClickLogEntry &click : input_log().clicks) {
      EXPECT_EQ(click.id, b_);
      EXPECT_EQ(click.button, 1);
      EXPECT_EQ(click.count, 1);
   }
   ASSERT_FALSE(input_log().actions.empty());
   for (int action : input_log().actions)
      EXPECT_EQ(action, b_);
   const std::vector<int> codes = input_log().CodesFor(b_);
   ASSERT_GE(codes.size(), 3u);
   EXPECT_EQ(codes[codes.size() - 2], POINTER_PRESS);
   EXPECT_EQ(codes.back(), POINTER_RELEASE);
}

}
}

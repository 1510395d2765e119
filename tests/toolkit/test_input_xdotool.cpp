// Real X input: xdotool moves the X pointer over a control and clicks, and
// types a hot key; Allegro's own callbacks carry it to the loop.
#include "input_test_support.h"

#include <cstdlib>
#include <string>

namespace kstr::test {
namespace {

constexpr const char *WINDOW_TITLE = "kstr xdotool input";

// Runs an xdotool command against the Allegro window; false on failure.
bool xdotool(const std::string &args)
{
   const std::string command =
      "xdotool search --sync --name '" + std::string(WINDOW_TITLE) + "' " + args + " >/dev/null";
   return std::system(command.c_str()) == 0;
}

// Drives the X pointer and keyboard step by step from inside the loop. A
// freshly opened window may not get pointer events at once, so the pointer is
// nudged over the control until the control has seen it, then it clicks and
// a key is typed; the loop ends when the click and the action have arrived.
struct RealInput {
   int id, x, y;
   int step = 0;
   int nudges = 0;
   bool xdotool_failed = false;

   bool Seen(int code) const
   {
      for (const PointerLogEntry &e : input_log().pointer)
         if (e.id == id && e.code == code)
            return true;
      return false;
   }

   static void Run(void *self)
   {
      auto *in = static_cast<RealInput *>(self);
      const std::string at = std::to_string(in->x + in->nudges % 2) + " " + std::to_string(in->y);
      bool ok = true;
      switch (in->step) {
      case 0:  // move until the control reports the pointer over it
         if (in->Seen(POINTER_OVER)) {
            in->step = 1;
            ok = xdotool("mousemove --window %1 " + at + " click 1");
         } else {
            ++in->nudges;
            ok = xdotool("mousemove --window %1 " + at);
         }
         break;
      case 1:
         if (!input_log().clicks.empty()) {
            in->step = 2;
            ok = xdotool("windowfocus --sync %1 key b");
         }
         break;
      default:
         if (!input_log().actions.empty()) {
            StopEventLoop();
            return;
         }
      }
      in->xdotool_failed |= !ok;
      QueueCall(Run, self, 20, 0);
   }
};

TEST_F(InputTest, RealPointerClickAndKeyPressReachTheControls)
{
   set_window_title(WINDOW_TITLE);
   RealInput real{b_, bx_, by_};
   LoopDeadline deadline(8000);
   QueueCall(RealInput::Run, &real, 0, 0);
   RunEventLoop();

   ASSERT_FALSE(real.xdotool_failed) << "xdotool failed";
   EXPECT_FALSE(deadline.fired) << "stopped at step " << real.step;
   ASSERT_EQ(input_log().clicks.size(), 1u);
   EXPECT_EQ(input_log().clicks[0].id, b_);
   EXPECT_EQ(input_log().clicks[0].button, 1);
   EXPECT_EQ(input_log().clicks[0].count, 1);
   EXPECT_EQ(input_log().actions, (std::vector<int>{b_}));
   const std::vector<int> codes = input_log().CodesFor(b_);
   ASSERT_GE(codes.size(), 3u);
   EXPECT_EQ(codes[codes.size() - 2], POINTER_PRESS);
   EXPECT_EQ(codes.back(), POINTER_RELEASE);
}

}
}

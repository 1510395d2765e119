// A real double click from xdotool activates a list row: the X pointer's
// clicks travel through Allegro's callbacks, the click timing and the row.
#include "list_test_support.h"

#include <cstdlib>
#include <string>

#include <unistd.h>

namespace kstr::test {
namespace {

const std::string &window_title()
{
   static const std::string title = "kstr xdotool list " + std::to_string(getpid());
   return title;
}

bool xdotool(const std::string &args)
{
   const std::string command =
      "xdotool search --sync --name '^" + window_title() + "$' windowraise %1 " + args + " >/dev/null";
   return std::system(command.c_str()) == 0;
}

// Moves the pointer onto the row until Allegro has seen it there, then
// double-clicks (again every 500 ms) until the row is activated.
struct RealDoubleClick {
   int x, y;
   int step = 0;
   int polls = 0;
   bool xdotool_failed = false;

   static void Run(void *self)
   {
      auto *in = static_cast<RealDoubleClick *>(self);
      if (EventSystemFlushing())
         return;
      const std::string at = std::to_string(in->x) + " " + std::to_string(in->y);
      const bool arrived = mouse_x == in->x && mouse_y == in->y;
      if (in->step == 0 && arrived) {
         in->step = 1;
         in->polls = 0;
      }
      if (!list_log().activated.empty()) {
         StopEventLoop();
         return;
      }
      if (in->polls++ % 25 == 0)
         in->xdotool_failed |=
            !xdotool("mousemove --window %1 " + at + (in->step ? " click --repeat 2 --delay 40 1" : ""));
      QueueCall(Run, self, 20, 0);
   }
};

TEST_F(ListViewTest, XdotoolDoubleClickActivatesARow)
{
   set_window_title(window_title().c_str());
   MakeList(8, 5, true);
   int x, y;
   RowCentre(2, &x, &y);
   RealDoubleClick real{x, y};
   LoopDeadline deadline(10000);
   QueueCall(RealDoubleClick::Run, &real, 0, 0);
   RunEventLoop();

   ASSERT_FALSE(real.xdotool_failed) << "xdotool failed";
   EXPECT_FALSE(deadline.fired) << "stopped at step " << real.step;
   ASSERT_EQ(list_log().activated.size(), 1u);
   EXPECT_EQ(list_log().activated[0].row_id, RowId(2));
   EXPECT_EQ(list_log().activated[0].item, 3);
   EXPECT_EQ(list_log().activated[0].a, 1);
   EXPECT_TRUE(ListRowSelected(list_, 2));
}

}
}

// A real X drag: xdotool presses on a window's background, moves and lets go;
// Allegro's callbacks and the event loop carry it to the drag area.
#include "event_test_support.h"
#include "toolkit_test_support.h"

#include <allegro.h>

#include <cstdlib>
#include <string>

namespace {

constexpr const char *kWindowTitle = "kstr xdotool drag";
constexpr int kDx = 40, kDy = 30;

bool Xdotool(const std::string &args)
{
   const std::string command = "xdotool search --sync --name '" + std::string(kWindowTitle) + "' " + args +
                               " >/dev/null";
   return std::system(command.c_str()) == 0;
}

std::string At(int x, int y)
{
   return std::to_string(x) + " " + std::to_string(y);
}

// One step per pass of the loop, each waiting until Allegro has seen the
// previous one: point, press, move in two steps, release.
struct RealDrag {
   int x, y;
   int step = 0;
   int passes_after_release = 0;
   bool failed = false;

   static void Run(void *self)
   {
      auto *d = static_cast<RealDrag *>(self);
      bool ok = true;
      switch (d->step) {
      case 0:
         if (mouse_x == d->x && mouse_y == d->y) {
            ok = Xdotool("mousedown --window %1 1");
            d->step = 1;
         } else {
            ok = Xdotool("mousemove --window %1 " + At(d->x, d->y));
         }
         break;
      case 1:
         if (mouse_b & 1) {
            ok = Xdotool("mousemove --window %1 " + At(d->x + kDx / 2, d->y + kDy / 2));
            d->step = 2;
         }
         break;
      case 2:
         if (mouse_x == d->x + kDx / 2) {
            ok = Xdotool("mousemove --window %1 " + At(d->x + kDx, d->y + kDy));
            d->step = 3;
         }
         break;
      case 3:
         if (mouse_x == d->x + kDx && mouse_y == d->y + kDy) {
            ok = Xdotool("mouseup --window %1 1");
            d->step = 4;
         }
         break;
      default:
         // Give the loop a few passes to deliver the release.
         if (!(mouse_b & 1) && ++d->passes_after_release > 5) {
            StopEventLoop();
            return;
         }
      }
      d->failed |= !ok;
      QueueCall(Run, self, 20, 0);
   }
};

TEST(WindowsXdotool, DraggingTheBackgroundWithTheRealPointerMovesTheWindow)
{
   kstr::test::ToolkitSession session;
   ASSERT_TRUE(session.ok);
   set_window_title(kWindowTitle);
   position_mouse(200, 200);
   ASSERT_GT(MakeWindow(120, 80, "drag me", WINDOW_NOT_MODAL), 0);
   PresentWindow();
   const kstr::test::Rect before = kstr::test::rect_of(TopWindow()->root->self->id);

   RealDrag drag{before.x1 + 60, before.y2 - 20};
   kstr::test::LoopDeadline deadline(8000);
   QueueCall(RealDrag::Run, &drag, 0, 0);
   RunEventLoop();

   ASSERT_FALSE(drag.failed) << "xdotool failed";
   EXPECT_FALSE(deadline.fired) << "stopped at step " << drag.step;
   const kstr::test::Rect after = kstr::test::rect_of(TopWindow()->root->self->id);
   EXPECT_EQ(after, (kstr::test::Rect{before.x1 + kDx, before.y1 + kDy, before.x2 + kDx, before.y2 + kDy}));
   show_mouse(nullptr);
   const int face = InterfaceColour[3];
   EXPECT_EQ(kstr::test::screen_pixel(after.x1 + 10, after.y2 - 10),
             (kstr::test::Rgb{getr(face), getg(face), getb(face)}));
}

}

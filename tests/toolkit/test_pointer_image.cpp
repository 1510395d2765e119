// MouseInputMode 0: the loop draws the pointer image.
#include "input_test_support.h"
#include "windows/window_parts.h"


namespace kstr::test {
namespace {

TEST(PointerImage, ModeZeroDrawsThePointerWhenTheLoopProcessesItAndKeepsItOnTop)
{
   ToolkitSession session;
   ASSERT_TRUE(session.ok);
   void (*platform)(int) = mouse_callback;
   mouse_callback = nullptr;  // the X pointer is shared with other tests
   position_mouse(300, 200);
   const int x = mouse_x - mouse_x_focus, y = mouse_y - mouse_y_focus;
   const Rgb desktop = screen_pixel(x + 1, y + 1);
   int sx = 0, sy = 0;  // a pixel of the sprite that differs from the desktop
   while (getpixel(mouse_sprite, sx, sy) == bitmap_mask_color(mouse_sprite) ||
          getpixel(mouse_sprite, sx, sy) == getpixel(screen, x + sx, y + sy))
      if (++sx == mouse_sprite->w && (sx = 0, ++sy == mouse_sprite->h))
         FAIL() << "no visible pixel";
   const int ink = getpixel(mouse_sprite, sx, sy);

   platform(MOUSE_FLAG_MOVE);
   EXPECT_NE(getpixel(screen, x + sx, y + sy), ink) << "moved only by the loop";
   run_loop_for(20);
   EXPECT_EQ(getpixel(screen, x + sx, y + sy), ink);
   RefreshScreenRect(0, 0, SCREEN_W - 1, SCREEN_H - 1);
   EXPECT_EQ(getpixel(screen, x + sx, y + sy), ink) << "redrawn over what was drawn below it";

   MouseInputMode = 1;  // Allegro takes the pointer over on the next movement
   platform(MOUSE_FLAG_MOVE);
   run_loop_for(20);
   MouseInputMode = 0;
   show_mouse(nullptr);
   EXPECT_EQ(screen_pixel(x + 1, y + 1), desktop) << "the loop's image was taken away";
}

}
}

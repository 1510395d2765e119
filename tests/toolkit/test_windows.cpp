// Windows: placement on the screen, the window stack, closing, redrawing and
// the drag area.
#include "draw/draw.h"
#include "toolkit/controls/sample_box.h"
#include "toolkit_test_support.h"
#include "windows/input_sink.h"

#include <allegro.h>

namespace {

using kstr::test::Rect;
using kstr::test::rect_of;
using kstr::test::Rgb;
using kstr::test::screen_pixel;

class Windows : public ::testing::Test {
 protected:
   kstr::test::ToolkitSession session;
   void SetUp() override { ASSERT_TRUE(session.ok); }

   // An untitled window whose client area is w x h; presented with the
   // pointer at (mx, my). Returns the root's screen rectangle.
   Rect Present(int w, int h, int mx, int my, int flags = 0)
   {
      position_mouse(mx, my);
      const int id = MakeWindow(w, h, "", flags);
      EXPECT_GT(id, 0);
      PresentWindow();
      return rect_of(id);
   }

   // A window with one sunken 40 x 40 box, shown without the pointer image;
   // returns the box's id.
   static int ShowSunkenBox()
   {
      position_mouse(100, 100);
      EXPECT_GT(MakeWindow(0, AUTO, "", WINDOW_NOT_MODAL), 0);
      const int box = PlaceSampleBox(PLACE_FIRST, AUTO, "", SAMPLE_SUNKEN, 40, 40);
      PresentWindow();
      show_mouse(nullptr);
      return box;
   }
};

Rgb ColourOfSlot(int slot)
{
   const int c = InterfaceColour[slot];
   return Rgb{getr(c), getg(c), getb(c)};
}

TEST_F(Windows, CentredOnThePointerAndKeptOnTheScreen)
{
   const struct {
      int w, h, mx, my;
      Rect want;
      const char *why;
   } cases[] = {
      {100, 50, 300, 200, {248, 173, 351, 226}, "centred on the pointer"},
      {100, 50, 630, 575, {536, 526, 639, 579}, "shifted to end at the screen edges"},
      {100, 50, 3, 4, {0, 0, 103, 53}, "negative positions become 0"},
      {700, 600, 320, 290, {0, 0, 639, 579}, "wider than the screen: at 0 and clipped"},
      {1, AUTO, 10, 10, {0, 0, 639, 579}, "full screen"},
   };
   for (const auto &k : cases) {
      EXPECT_EQ(Present(k.w, k.h, k.mx, k.my), k.want) << k.why;
      CloseWindow();
   }
}

TEST_F(Windows, DialogOverItsOpenerMovesFivePixels)
{
   const Rect main = Present(200, 100, 320, 290, WINDOW_NOT_MODAL);
   const Rect dialog = Present(200, 100, 320, 290);
   EXPECT_EQ(dialog, (Rect{main.x1 + 5, main.y1 + 5, main.x2 + 5, main.y2 + 5}));
   const Rect other = Present(100, 100, 320, 290);
   EXPECT_EQ(other.x1, 320 - 52) << "only a window over its opener moves";
}

TEST_F(Windows, ModalWindowsBlockTheirOpenerAndClosingRedrawsWhatWasBelow)
{
   const Rect main = Present(300, 200, 320, 290, WINDOW_NOT_MODAL);
   WindowRecord *main_window = TopWindow();
   const Rect dialog_rect = Present(100, 100, 320, 290);
   WindowRecord *dialog = TopWindow();
   EXPECT_EQ(dialog->opener, main_window);
   EXPECT_EQ(main_window->modal_above, 1);
   EXPECT_EQ(main_window->root->self->active, 0) << "deactivated when the new window was made";
   EXPECT_EQ(ControlAtPoint(main.x1 + 10, main.y1 + 10), nullptr);
   EXPECT_NE(ControlAtPoint(dialog_rect.x1 + 10, dialog_rect.y1 + 10), nullptr);
   // Flag 1 makes a sibling: opened from the dialog's opener.
   const Rect sibling = Present(400, 300, 320, 290, WINDOW_CHILD_OF_PARENT);
   EXPECT_EQ(TopWindow()->opener, main_window);
   EXPECT_EQ(main_window->modal_above, 2);
   EXPECT_EQ(dialog->modal_above, 0);
   show_mouse(nullptr);
   EXPECT_EQ(screen_pixel(sibling.x1 + 1, sibling.y1 + 1), ColourOfSlot(COLOUR_LIGHT)) << "its frame";

   CloseWindow();
   EXPECT_EQ(TopWindow(), dialog) << "not buried under the window it blocks";
   EXPECT_EQ(dialog->root->self->active, 1);
   EXPECT_EQ(main_window->modal_above, 1);
   show_mouse(nullptr);
   EXPECT_EQ(screen_pixel(sibling.x1 + 1, sibling.y1 + 1), ColourOfSlot(COLOUR_SHADOW)) << "desktop redrawn";
   EXPECT_EQ(screen_pixel(main.x1 + 20, main.y1 + 20), ColourOfSlot(COLOUR_FACE)) << "window below redrawn";
   CloseWindow();
   EXPECT_EQ(TopWindow(), main_window);
   EXPECT_EQ(main_window->modal_above, 0);
   EXPECT_EQ(main_window->root->self->active, 1);
   EXPECT_NE(ControlAtPoint(main.x1 + 10, main.y1 + 10), nullptr) << "the drag area takes the mouse again";
   CloseWindow();
   show_mouse(nullptr);
   EXPECT_EQ(screen_pixel(main.x1 + 20, main.y1 + 20), ColourOfSlot(COLOUR_SHADOW));
   EXPECT_EQ(TopWindow(), nullptr);
}

TEST_F(Windows, RedrawControlWaitsWhileAWindowIsUnderConstruction)
{
   const int box = ShowSunkenBox();
   const Rect r = kstr::test::screen_rect_of(box);
   const Rgb white = ColourOfSlot(COLOUR_LIGHT);
   ASSERT_EQ(screen_pixel(r.x1 + 20, r.y1 + 20), white);

   InterfaceColour[COLOUR_LIGHT] = makecol(255, 0, 0);
   position_mouse(500, 450);
   ASSERT_GT(MakeWindow(20, 20, "", WINDOW_NOT_MODAL), 0);
   EXPECT_EQ(RedrawControl(box), 1);
   EXPECT_EQ(screen_pixel(r.x1 + 20, r.y1 + 20), white) << "nothing drawn during construction";
   PresentWindow();
   EXPECT_EQ(RedrawControl(box), 1);
   show_mouse(nullptr);
   EXPECT_EQ(screen_pixel(r.x1 + 20, r.y1 + 20), (Rgb{255, 0, 0}));
}

// New interface colours reach the desktop and every shown window at once.
TEST_F(Windows, RedrawScreenRepaintsTheDesktopAndTheWindowsInNewColours)
{
   const int box = ShowSunkenBox();
   const Rect r = kstr::test::screen_rect_of(box);
   const int far_x = SCREEN_W - 5, far_y = SCREEN_H - 5;
   ASSERT_EQ(screen_pixel(far_x, far_y), ColourOfSlot(COLOUR_SHADOW));

   InterfaceColour[COLOUR_LIGHT] = makecol(255, 0, 0);
   InterfaceColour[COLOUR_SHADOW] = makecol(0, 0, 255);
   RedrawScreen();
   EXPECT_EQ(screen_pixel(r.x1 + 20, r.y1 + 20), (Rgb{255, 0, 0}));
   EXPECT_EQ(screen_pixel(far_x, far_y), (Rgb{0, 0, 255}));
}

TEST_F(Windows, ControlsTakeTheMouseBeforeTheDragAreaThatMovesTheWindow)
{
   position_mouse(200, 200);
   ASSERT_GT(MakeWindow(100, 80, "", WINDOW_NOT_MODAL), 0);
   const int box = PlaceSampleBox(PLACE_FIRST, AUTO, "", SAMPLE_RAISED, 30, 30);
   PresentWindow();
   const Rect on_box = kstr::test::screen_rect_of(box);
   Control *c = ControlAtPoint(on_box.x1 + 5, on_box.y1 + 5);
   ASSERT_EQ(c, LookupControl(box)) << "controls on top come first";
   // A tooltip is shown on entering and taken away on leaving.
   EXPECT_EQ(SetTooltip(box, "first_second"), 1);
   show_mouse(nullptr);
   const Rgb under = screen_pixel(on_box.x1 + 1, on_box.y2 + 4);
   DeliverPointer(c, PointerEvent{POINTER_OVER, on_box.x1 + 2, on_box.y1 + 2, 0, 0, 0});
   EXPECT_EQ(screen_pixel(on_box.x1 + 1, on_box.y2 + 4), ColourOfSlot(COLOUR_TOOLTIP));
   DeliverPointer(c, PointerEvent{POINTER_LEFT, on_box.x1 + 2, on_box.y1 + 2, 0, 0, 0});
   EXPECT_EQ(screen_pixel(on_box.x1 + 1, on_box.y2 + 4), under);

   const Rect before = rect_of(TopWindow()->root->self->id);
   const int gx = before.x1 + 50, gy = before.y1 + 40;
   Control *area = ControlAtPoint(gx, gy);
   ASSERT_NE(area, nullptr);
   EXPECT_EQ(area->id, TopWindow()->drag_area);
   DeliverPointer(area, PointerEvent{POINTER_PRESS, gx, gy, 1, 1, 0});
   DeliverPointer(area, PointerEvent{POINTER_DRAG, gx + 30, gy + 20, 1, 1, 1});
   DeliverPointer(area, PointerEvent{POINTER_RELEASE, gx + 30, gy + 20, 0, 1, 1});
   EXPECT_EQ(rect_of(TopWindow()->root->self->id),
             (Rect{before.x1 + 30, before.y1 + 20, before.x2 + 30, before.y2 + 20}));
   show_mouse(nullptr);
   EXPECT_EQ(screen_pixel(before.x1 + 5, before.y1 + 5), ColourOfSlot(COLOUR_SHADOW)) << "uncovered desktop";

   const Rect fixed = Present(100, 80, 400, 300, WINDOW_NO_DRAG);
   EXPECT_EQ(TopWindow()->drag_area, -1);
   EXPECT_EQ(ControlAtPoint(fixed.x1 + 50, fixed.y1 + 40), nullptr);
}

}

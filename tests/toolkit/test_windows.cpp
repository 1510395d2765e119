// Windows: placement on the screen, the window stack, closing, redrawing and
// the drag area.
#include "toolkit/draw.h"
#include "toolkit/gallery/sample_box.h"
#include "toolkit_test_support.h"

#include <allegro.h>

namespace {

using kstr::test::Rect;
using kstr::test::Rgb;
using kstr::test::rect_of;
using kstr::test::screen_pixel;

// Frame of 2 pixels around an untitled client area.
constexpr int kFrame = 2;

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
};

Rgb ColourOfSlot(int slot)
{
   const int c = InterfaceColour[slot];
   return Rgb{getr(c), getg(c), getb(c)};
}

TEST_F(Windows, CentredOnThePointer)
{
   const Rect r = Present(100, 50, 300, 200);
   EXPECT_EQ(r, (Rect{300 - 52, 200 - 27, 300 - 52 + 103, 200 - 27 + 53}));
}

TEST_F(Windows, ShiftedToEndAtTheScreenEdges)
{
   const Rect r = Present(100, 50, 630, 575);
   EXPECT_EQ(r, (Rect{640 - 104, 580 - 54, 639, 579}));
   CloseWindow();
   const Rect top_left = Present(100, 50, 3, 4);
   EXPECT_EQ(top_left.x1, 0) << "negative positions become 0";
   EXPECT_EQ(top_left.y1, 0);
}

TEST_F(Windows, WiderThanTheScreenStartsAtZeroAndIsClipped)
{
   const Rect r = Present(700, 600, 320, 290);
   EXPECT_EQ(r, (Rect{0, 0, 639, 579}));
}

TEST_F(Windows, FullScreenWindowCoversTheScreen)
{
   const Rect r = Present(1, AUTO, 10, 10);
   EXPECT_EQ(r, (Rect{0, 0, 639, 579}));
   EXPECT_TRUE(TopWindow()->full_screen);
}

TEST_F(Windows, DialogOverItsOpenerMovesFivePixels)
{
   const Rect main = Present(200, 100, 320, 290, WINDOW_NOT_MODAL);
   const Rect dialog = Present(200, 100, 320, 290);
   EXPECT_EQ(dialog, (Rect{main.x1 + 5, main.y1 + 5, main.x2 + 5, main.y2 + 5}));
   const Rect other = Present(100, 100, 320, 290);
   EXPECT_EQ(other.x1, 320 - 52) << "only a window over its opener moves";
}

TEST_F(Windows, OnlyOneWindowUnderConstruction)
{
   const int first = MakeWindow(0, AUTO, "first", 0);
   EXPECT_GT(first, 0);
   EXPECT_EQ(MakeWindow(0, AUTO, "second", 0), 0);
   EXPECT_EQ(WindowsBottomToTop().size(), 1u);
   PresentWindow();
   EXPECT_GT(MakeWindow(0, AUTO, "second", 0), 0);
   PresentWindow();
}

TEST_F(Windows, ModalWindowBlocksTheOneBelowUntilClosed)
{
   const Rect main = Present(300, 200, 320, 290, WINDOW_NOT_MODAL);
   WindowRecord *main_window = TopWindow();
   EXPECT_NE(ControlAtPoint(main.x1 + 10, main.y1 + 10), nullptr) << "the drag area takes the mouse";
   const Rect dialog = Present(50, 50, 320, 290);
   EXPECT_EQ(main_window->modal_above, 1);
   EXPECT_EQ(main_window->root->self->active, 0) << "deactivated when the new window was made";
   EXPECT_EQ(ControlAtPoint(main.x1 + 10, main.y1 + 10), nullptr);
   EXPECT_NE(ControlAtPoint(dialog.x1 + 10, dialog.y1 + 10), nullptr);

   CloseWindow();
   EXPECT_EQ(TopWindow(), main_window);
   EXPECT_EQ(main_window->modal_above, 0);
   EXPECT_EQ(main_window->root->self->active, 1);
   EXPECT_NE(ControlAtPoint(main.x1 + 10, main.y1 + 10), nullptr);
}

TEST_F(Windows, FlagOneMakesASiblingOfTheTopWindow)
{
   Present(300, 200, 320, 290, WINDOW_NOT_MODAL);
   WindowRecord *main_window = TopWindow();
   Present(100, 100, 320, 290);
   WindowRecord *dialog = TopWindow();
   Present(50, 50, 320, 290, WINDOW_CHILD_OF_PARENT);
   WindowRecord *sibling = TopWindow();
   EXPECT_EQ(dialog->opener, main_window);
   EXPECT_EQ(sibling->opener, main_window) << "opened from the dialog's opener";
   EXPECT_EQ(main_window->modal_above, 2);
   EXPECT_EQ(dialog->modal_above, 0);
   CloseWindow();
   EXPECT_EQ(TopWindow(), dialog) << "not buried under the window it blocks";
   EXPECT_EQ(dialog->root->self->active, 1);
   EXPECT_EQ(main_window->modal_above, 1);
   CloseWindow();
   EXPECT_EQ(TopWindow(), main_window);
   EXPECT_EQ(main_window->modal_above, 0);
}

TEST_F(Windows, ClosingRedrawsWhatWasBelow)
{
   show_mouse(nullptr);
   const Rect main = Present(300, 200, 320, 290, WINDOW_NOT_MODAL);
   const Rgb face = ColourOfSlot(COLOUR_FACE);
   const Rgb desktop = ColourOfSlot(COLOUR_SHADOW);
   const Rect dialog = Present(400, 300, 320, 290);
   show_mouse(nullptr);
   EXPECT_EQ(screen_pixel(dialog.x1 + 1, dialog.y1 + 1), ColourOfSlot(COLOUR_LIGHT)) << "the frame";
   CloseWindow();
   show_mouse(nullptr);
   EXPECT_EQ(screen_pixel(main.x1 + 20, main.y1 + 20), face);
   EXPECT_EQ(screen_pixel(dialog.x1 + 1, dialog.y1 + 1), desktop);
   CloseWindow();
   show_mouse(nullptr);
   EXPECT_EQ(screen_pixel(main.x1 + 20, main.y1 + 20), desktop);
   EXPECT_EQ(TopWindow(), nullptr);
}

TEST_F(Windows, RedrawControlWaitsWhileAWindowIsUnderConstruction)
{
   position_mouse(100, 100);
   ASSERT_GT(MakeWindow(0, AUTO, "", WINDOW_NOT_MODAL), 0);
   const int box = PlaceSampleBox(PLACE_FIRST, AUTO, "", SAMPLE_SUNKEN, 40, 40);
   PresentWindow();
   show_mouse(nullptr);
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

TEST_F(Windows, DraggingTheBackgroundMovesTheWindow)
{
   const Rect before = Present(100, 80, 200, 200, WINDOW_NOT_MODAL);
   Control *area = ControlAtPoint(before.x1 + 50, before.y1 + 40);
   ASSERT_NE(area, nullptr);
   EXPECT_EQ(area->id, TopWindow()->drag_area);
   PointerEvent ev{POINTER_PRESS, before.x1 + 50, before.y1 + 40, 1, 1, 0};
   DeliverPointer(area, ev);
   ev.code = POINTER_DRAG;
   ev.dragging = 1;
   ev.x += 30;
   ev.y += 20;
   DeliverPointer(area, ev);
   ev.code = POINTER_RELEASE;
   ev.buttons = 0;
   DeliverPointer(area, ev);
   const Rect after = rect_of(TopWindow()->root->self->id);
   EXPECT_EQ(after, (Rect{before.x1 + 30, before.y1 + 20, before.x2 + 30, before.y2 + 20}));
   show_mouse(nullptr);
   EXPECT_EQ(screen_pixel(after.x2 - 10, after.y2 - 10), ColourOfSlot(COLOUR_FACE));
   EXPECT_EQ(screen_pixel(before.x1 + 5, before.y1 + 5), ColourOfSlot(COLOUR_SHADOW)) << "uncovered desktop";
}

TEST_F(Windows, NoDragAreaWithFlagFour)
{
   const Rect r = Present(100, 80, 200, 200, WINDOW_NO_DRAG);
   EXPECT_EQ(TopWindow()->drag_area, -1);
   EXPECT_EQ(ControlAtPoint(r.x1 + 50, r.y1 + 40), nullptr);
}

TEST_F(Windows, ControlsOnTopGetTheMouseBeforeTheDragArea)
{
   position_mouse(200, 200);
   ASSERT_GT(MakeWindow(0, AUTO, "", 0), 0);
   const int box = PlaceSampleBox(PLACE_FIRST, AUTO, "", SAMPLE_RAISED, 30, 30);
   PresentWindow();
   const Rect r = kstr::test::screen_rect_of(box);
   Control *c = ControlAtPoint(r.x1 + 5, r.y1 + 5);
   ASSERT_NE(c, nullptr);
   EXPECT_EQ(c->id, box);
}

TEST_F(Windows, TooltipShownOnEnterAndTakenAwayOnLeave)
{
   position_mouse(100, 100);
   ASSERT_GT(MakeWindow(0, AUTO, "", 0), 0);
   const int box = PlaceSampleBox(PLACE_FIRST, AUTO, "", SAMPLE_RAISED, 30, 30);
   PresentWindow();
   EXPECT_EQ(SetTooltip(box, "first_second"), 1);
   show_mouse(nullptr);
   const Rect r = kstr::test::screen_rect_of(box);
   const Rgb under = screen_pixel(r.x1 + 1, r.y2 + 4);
   Control *c = LookupControl(box);
   DeliverPointer(c, PointerEvent{POINTER_OVER, r.x1 + 2, r.y1 + 2, 0, 0, 0});
   ASSERT_TRUE(c->saved_under);
   EXPECT_EQ(screen_pixel(r.x1 + 1, r.y2 + 4), ColourOfSlot(COLOUR_TOOLTIP));
   DeliverPointer(c, PointerEvent{POINTER_LEFT, r.x1 + 2, r.y1 + 2, 0, 0, 0});
   EXPECT_FALSE(c->saved_under);
   EXPECT_EQ(screen_pixel(r.x1 + 1, r.y2 + 4), under);
}

TEST_F(Windows, HotKeysRunTheControlsAction)
{
   position_mouse(100, 100);
   ASSERT_GT(MakeWindow(0, AUTO, "", 0), 0);
   int ran_k = 0, ran_escape = 0;
   const int k = PlaceSampleBox(PLACE_FIRST, AUTO, "O~K", SAMPLE_RAISED, 0, 0);
   const int esc = PlaceSampleBox(PLACE_RIGHT, AUTO, "Cancel#27;", SAMPLE_RAISED, 0, 0);
   SetSampleBoxAction(k, [](void *n) { ++*static_cast<int *>(n); }, &ran_k);
   SetSampleBoxAction(esc, [](void *n) { ++*static_cast<int *>(n); }, &ran_escape);
   PresentWindow();
   DeliverKey('k', KEY_K, 0);
   DeliverKey('K', KEY_K, KB_SHIFT_FLAG);
   DeliverKey('x', KEY_X, 0);
   DeliverKey(27, KEY_ESC, 0);
   EXPECT_EQ(ran_k, 2);
   EXPECT_EQ(ran_escape, 1);
}

TEST_F(Windows, CloseWindowAsAButtonCallbackClosesTheTopWindow)
{
   position_mouse(100, 100);
   ASSERT_GT(MakeWindow(0, AUTO, "", 0), 0);
   const int close = PlaceSampleBox(PLACE_FIRST, AUTO, "~Close", SAMPLE_RAISED, 0, 0);
   SetSampleBoxAction(close, CloseWindow, nullptr);
   PresentWindow();
   DeliverKey('c', KEY_C, 0);
   EXPECT_EQ(TopWindow(), nullptr);
   EXPECT_EQ(LookupControl(close), nullptr) << "its id is stale now";
   EXPECT_EQ(ResizeControl(close, 1, 1), 0);
}

}

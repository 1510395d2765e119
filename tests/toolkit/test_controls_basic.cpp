// Buttons, check boxes, the two-state choice, progress bars, tabs and the
// focus keys, driven through the input seam and read back from the screen.
#include "input_test_support.h"

#include "draw/draw.h"

namespace kstr::test {
namespace {

// The pointer image of the shared X pointer must not cover what is read back.
void PresentWithoutPointer()
{
   PresentWindow();
   show_mouse(nullptr);
}

int Slot(int x, int y)
{
   const int pixel = getpixel(screen, x, y);
   for (int slot = 1; slot <= INTERFACE_COLOUR_SLOTS; ++slot)
      if (InterfaceColour[slot] == pixel)
         return slot;
   return -1;
}

void Count(void *counter)
{
   ++*static_cast<int *>(counter);
}

// A latched button looks pushed in (its top-left edge changes colour) until
// it is released; a click still runs its action.
TEST_F(InputTest, ALatchedButtonIsDrawnPushedInUntilReleased)
{
   int pressed = 0;
   MakeWindow(0, AUTO, "latch", WINDOW_NO_DRAG);
   const int b = PlaceButton(PLACE_FIRST, AUTO, "Pause", Count, &pressed);
   PresentWithoutPointer();
   const Rect r = screen_rect_of(b);
   const Rgb up = screen_pixel(r.x1 + 1, r.y1 + 1);
   EXPECT_EQ(SetButtonLatched(b, 1), 1);
   const Rgb down = screen_pixel(r.x1 + 1, r.y1 + 1);
   EXPECT_NE(down, up);
   int x, y;
   centre_of(b, &x, &y);
   inject_click(x, y);
   run_loop_for(10);
   EXPECT_EQ(pressed, 1);
   EXPECT_EQ(screen_pixel(r.x1 + 1, r.y1 + 1), down) << "the release leaves it latched";
   SetButtonLatched(b, 0);
   EXPECT_EQ(screen_pixel(r.x1 + 1, r.y1 + 1), up);
   EXPECT_EQ(SetButtonLatched(a_, 1), 0) << "a probe is no button";
}

// A button acts on a release over it or its hot key; its callback may close
// the window holding it.
TEST_F(InputTest, ButtonsActOnAReleaseOverThemOrTheirHotKey)
{
   int pressed = 0;
   MakeWindow(0, AUTO, "buttons", WINDOW_NO_DRAG);
   const int count = PlaceButton(PLACE_FIRST, AUTO, "~Count", Count, &pressed);
   const int close = PlaceButton(PLACE_RIGHT, AUTO, "Close", CloseWindow, nullptr);
   PresentWindow();

   int x, y;
   centre_of(count, &x, &y);
   inject_click(x, y);
   InjectPointer(x, y, 1);
   InjectPointer(x, y + 60, 1);  // dragged off before the release
   InjectPointer(x, y + 60, 0);
   press_key(KEY_C, 'c');
   EXPECT_EQ(pressed, 2) << "the click and the hot key, not the release outside";

   centre_of(close, &x, &y);
   inject_click(x, y);
   run_loop_for(10);
   EXPECT_EQ(LookupControl(close), nullptr) << "its callback closed the window holding it";
   EXPECT_NE(LookupControl(a_), nullptr);
}

TEST_F(InputTest, ProgressBarFillsWholePixelsAndRefusesPercentsOutsideTheRange)
{
   MakeWindow(0, AUTO, "progress", WINDOW_NO_DRAG);
   const int bar = PlaceProgressBar(PLACE_FIRST, AUTO, 210, 10);
   PresentWithoutPointer();
   const Rect r = screen_rect_of(bar);
   ASSERT_EQ(r.x2 - r.x1, 211);
   const int left = r.x1 + 1, right = r.x2 - 1, y = r.y1 + 5;
   const int fill = COLOUR_SELECTED_TEXT, empty = COLOUR_LIGHT;

   EXPECT_EQ(SetProgress(bar, 50), 1);
   EXPECT_EQ(Slot(left + 104, y), fill) << "210 * 50 / 100 = 105 pixels";
   EXPECT_EQ(Slot(left + 105, y), empty);
   EXPECT_EQ(SetProgress(bar, 101), 0);
   EXPECT_EQ(SetProgress(bar, -1), 0);
   EXPECT_EQ(Slot(left + 104, y), fill) << "101 and -1 change nothing";
   EXPECT_EQ(Slot(left + 105, y), empty);
   EXPECT_EQ(SetProgress(bar, 100), 1);
   EXPECT_EQ(Slot(right, y), fill);
   EXPECT_EQ(Slot(r.x2, y), COLOUR_LIGHT) << "the frame is still there";
   EXPECT_EQ(SetProgress(bar, 0), 1);
   EXPECT_EQ(Slot(left, y), empty);
   EXPECT_EQ(SetProgress(a_, 10), 0) << "not a progress bar";
}

// A bar with a click handler is a seek bar: the click reaches the handler
// and the press point is told as a fraction of the bar.
TEST_F(InputTest, AClickOnAProgressBarTellsWhereItLanded)
{
   MakeWindow(0, AUTO, "seek", WINDOW_NO_DRAG);
   const int bar = PlaceProgressBar(PLACE_FIRST, AUTO, 200, 10);
   SetClickHandler(bar, ProbeClick, nullptr, 0);
   PresentWithoutPointer();
   EXPECT_EQ(ProgressBarPressFraction(bar), -1) << "before any press";
   const Rect r = screen_rect_of(bar);
   const struct {
      int offset;
      double fraction;
   } cases[] = {{1 + 50, 0.25}, {1 + 150, 0.75}, {0, 0.0}, {201, 1.0}};
   for (const auto &c : cases) {
      inject_click(r.x1 + c.offset, r.y1 + 5);
      run_loop_for(10);
      EXPECT_DOUBLE_EQ(ProgressBarPressFraction(bar), c.fraction) << c.offset;
   }
   EXPECT_EQ(input_log().clicks.size(), 4u);
   EXPECT_EQ(ProgressBarPressFraction(a_), -1);
}

int page_builds[2];

template <int N>
void BuildPage(void *)
{
   ++page_builds[N];
   PlaceLabel(PLACE_FIRST, AUTO, N ? "Second page" : "First page");
}

TEST_F(InputTest, ChoosingATabRebuildsThePageAndJoinsTheTabToIt)
{
   int selected = 1;
   MakeWindow(0, AUTO, "tabs", WINDOW_NO_DRAG);
   const int page = PlaceTabs(PLACE_FIRST, AUTO, 0, AUTO, &selected);
   const int t0 = AddTab(page, BuildPage<0>, nullptr, "~General");
   const int t1 = AddTab(page, BuildPage<1>, nullptr, "~Sound");
   PresentWithoutPointer();
   EXPECT_EQ(page_builds[0], 0);
   EXPECT_EQ(page_builds[1], 1) << "the page of *selected only";

   const auto joined = [&](int tab) {
      const Rect r = screen_rect_of(tab), p = screen_rect_of(page);
      return Slot((r.x1 + r.x2) / 2, r.y1) == COLOUR_LIGHT && Slot((r.x1 + r.x2) / 2, p.y1) == COLOUR_FACE;
   };
   EXPECT_TRUE(joined(t1));
   EXPECT_FALSE(joined(t0)) << "a tab that is not the current one is one pixel lower, with the line below";

   const Rect r0 = screen_rect_of(t0), before = rect_of(page);
   inject_click((r0.x1 + r0.x2) / 2, (r0.y1 + r0.y2) / 2);
   run_loop_for(20);
   EXPECT_EQ(selected, 0);
   EXPECT_EQ(page_builds[0], 1);
   const Container *box = LookupControl(page)->container;
   ASSERT_NE(box->first, nullptr);
   EXPECT_EQ(box->first, box->last) << "the old page's label is gone";
   EXPECT_EQ(box->first->text, (std::vector<std::string>{"First page"}));
   EXPECT_TRUE(joined(t0));
   EXPECT_FALSE(joined(t1));
   EXPECT_EQ(rect_of(page), before) << "a smaller page keeps the size of the larger one";

   press_key(KEY_RIGHT);  // the click gave the tab row the focus
   EXPECT_EQ(selected, 1);
   press_key(KEY_G, 'g');
   EXPECT_EQ(selected, 0) << "a tab's hot key";
}

// Tab moves the focus past a label; Enter or Space activates the focused
// control. A check box counts values above 0 as on; the two-state choice
// flips on a click on its field, not on its label.
TEST_F(InputTest, FocusKeysActivateAndCheckBoxAndCycleButtonFollowTheToggleRule)
{
   int first = 0, second = 0, low = -3, high = 7, cycle = -3, box_calls = 0, cycle_calls = 0;
   static char off[] = "Off", on[] = "On";
   char *texts[] = {off, on};
   MakeWindow(0, AUTO, "focus", WINDOW_NO_DRAG);
   const int one = PlaceButton(PLACE_FIRST, AUTO, "One", Count, &first);
   PlaceLabel(PLACE_RIGHT, AUTO, "takes no focus");
   PlaceButton(PLACE_RIGHT, AUTO, "Two", Count, &second);
   const int a = PlaceCheckBox(PLACE_NEW_ROW, AUTO | LAYOUT_STRETCH, "Low", &low);
   const int b = PlaceCheckBox(PLACE_NEW_ROW, AUTO | LAYOUT_STRETCH, "High", &high);
   const int c = PlaceCycleButton(PLACE_NEW_ROW, AUTO, "Mode", texts, &cycle);
   SetChangeHandler(a, Count, &box_calls);
   SetChangeHandler(b, Count, &box_calls);
   SetChangeHandler(c, Count, &cycle_calls);
   PresentWithoutPointer();

   press_key(KEY_TAB, '\t');
   EXPECT_EQ(FocusedControlId(), one);
   const Rect r = screen_rect_of(one);
   EXPECT_EQ(Slot(r.x1 + 2, r.y1 + 2), COLOUR_TEXT) << "the focus mark";
   press_key(KEY_ENTER, '\r');
   press_key(KEY_TAB, '\t');
   press_key(KEY_SPACE, ' ');
   EXPECT_EQ(Slot(r.x1 + 2, r.y1 + 2), COLOUR_FACE) << "the mark left the first button";
   press_key(KEY_TAB, '\t');
   EXPECT_EQ(FocusedControlId(), a);
   press_key(KEY_SPACE, ' ');
   EXPECT_EQ(first, 1);
   EXPECT_EQ(second, 1);
   EXPECT_EQ(low, 1);

   const Rect rb = screen_rect_of(b), rc = screen_rect_of(c);
   inject_click(rb.x1 + 4, (rb.y1 + rb.y2) / 2);
   inject_click(rc.x2 - 4, (rc.y1 + rc.y2) / 2);
   run_loop_for(20);
   EXPECT_EQ(high, 0);
   EXPECT_EQ(cycle, 1);
   EXPECT_EQ(box_calls, 2) << "each check box's handler, queued and run once";
   EXPECT_EQ(cycle_calls, 1);
   inject_click(rc.x1 + 1, (rc.y1 + rc.y2) / 2);  // on the label, not the field
   run_loop_for(20);
   EXPECT_EQ(cycle, 1);
}

}
}

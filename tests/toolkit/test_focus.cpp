// Keyboard focus through the input seam: Tab order, wrap-around, Shift+Tab,
// focus on press, and no focus left on a closed window's control.
#include "input_test_support.h"

#include "toolkit/focus.h"

namespace kstr::test {
namespace {

TEST_F(InputTest, TabCyclesTheFocusableControlsAndAPressFocuses)
{
   MakeWindow(0, AUTO, "focus", WINDOW_NO_DRAG);
   const int first = PlaceProbe(PLACE_FIRST, AUTO, "one", 0);
   PlaceProbe(PLACE_RIGHT, AUTO, "not focusable", 0);
   const int third = PlaceProbe(PLACE_RIGHT, AUTO, "three", 0);
   MakeFocusable(LookupControl(first));
   MakeFocusable(LookupControl(third));
   PresentWindow();
   EXPECT_EQ(FocusedControlId(), -1);

   std::vector<int> seen;
   for (int i = 0; i < 3; ++i) {
      InjectKey('\t', KEY_TAB, 0);
      run_loop_for(10);
      seen.push_back(FocusedControlId());
   }
   InjectKey('\t', KEY_TAB, KB_SHIFT_FLAG);
   run_loop_for(10);
   seen.push_back(FocusedControlId());
   EXPECT_EQ(seen, (std::vector<int>{first, third, first, third}));

   int x, y;
   centre_of(first, &x, &y);
   inject_click(x, y);
   run_loop_for(10);
   EXPECT_EQ(FocusedControlId(), first);
   EXPECT_EQ(FocusControl(a_), 0) << "a control that takes no focus";

   CloseWindow();
   EXPECT_EQ(FocusedControlId(), -1) << "the window below has no focus of its own";
   EXPECT_EQ(FocusControl(first), 0);
}

}
}

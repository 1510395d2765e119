// Keys injected where Allegro's keyboard callback puts them reach the top
// window: hot keys run actions, and Tab, Shift+Tab and presses move the focus.
#include "input_test_support.h"

#include "windows/focus.h"

namespace kstr::test {
namespace {

TEST_F(InputTest, HotKeysRunTheActionsOfTheTopWindowsControlsOnly)
{
   // Probe "a" (hot key a) lies in the window below the new top window.
   MakeWindow(0, AUTO, "keys", WINDOW_NO_DRAG);
   const int k = PlaceProbe(PLACE_FIRST, AUTO, "~Keep", 0);
   const int f2 = PlaceProbe(PLACE_RIGHT, AUTO, "F#48,0;", 0);  // KEY_F2 by scancode
   PresentWindow();

   InjectKey('x', KEY_X, 0);
   InjectKey('a', KEY_A, 0);
   InjectKey('K', KEY_K, KB_SHIFT_FLAG);
   InjectKey(0, KEY_F2, 0);
   run_loop_for(20);

   EXPECT_EQ(input_log().actions, (std::vector<int>{k, f2}));
}

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
   for (int shift : {0, 0, 0, int{KB_SHIFT_FLAG}}) {
      InjectKey('\t', KEY_TAB, shift);
      run_loop_for(10);
      seen.push_back(FocusedControlId());
   }
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

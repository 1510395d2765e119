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

// The window's own handler sees keys before its focused control and passes
// on what it leaves; a window above it does not reach it.
TEST_F(InputTest, AWindowKeyHandlerComesBeforeTheFocusAndOnlyForItsWindow)
{
   static std::vector<int> taken;
   taken.clear();
   const auto take_digits = [](void *, int character, int, int) {
      if (character < '0' || character > '9')
         return 0;
      taken.push_back(character);
      return 1;
   };
   const int window = LookupControl(a_)->parent->window->root->self->id;
   ASSERT_EQ(SetWindowKeyHandler(window, take_digits, nullptr), 1);
   EXPECT_EQ(SetWindowKeyHandler(a_, take_digits, nullptr), 0) << "a control is no window";
   MakeFocusable(LookupControl(a_));
   FocusControl(a_);

   InjectKey('1', KEY_1, 0);
   InjectKey('a', KEY_A, 0);  // left to the hot key of "a"
   run_loop_for(20);
   EXPECT_EQ(taken, (std::vector<int>{'1'}));
   EXPECT_EQ(input_log().actions, (std::vector<int>{a_}));

   MakeWindow(0, AUTO, "above", WINDOW_NO_DRAG);
   PlaceProbe(PLACE_FIRST, AUTO, "x", 0);
   PresentWindow();
   InjectKey('2', KEY_2, 0);
   run_loop_for(20);
   CloseWindow();
   SetWindowKeyHandler(window, nullptr, nullptr);
   InjectKey('3', KEY_3, 0);
   run_loop_for(20);
   EXPECT_EQ(taken, (std::vector<int>{'1'}));
}

}
}

// Keys injected where Allegro's keyboard callback puts them reach the top
// window: a control's hot key runs its action.
#include "input_test_support.h"

namespace kstr::test {
namespace {

TEST_F(InputTest, HotKeyOfAControlRunsItsAction)
{
   MakeWindow(0, AUTO, "keys", WINDOW_NO_DRAG);
   const int k = PlaceProbe(PLACE_FIRST, AUTO, "~Keep", 0);
   const int f2 = PlaceProbe(PLACE_RIGHT, AUTO, "F#48,0;", 0);  // KEY_F2 by scancode
   PresentWindow();

   InjectKey('x', KEY_X, 0);
   InjectKey('K', KEY_K, KB_SHIFT_FLAG);
   InjectKey(0, KEY_F2, 0);
   run_loop_for(20);

   EXPECT_EQ(input_log().actions, (std::vector<int>{k, f2}));
}

TEST_F(InputTest, KeysGoToTheTopWindowOnly)
{
   // Probe "a" (hot key a) lies in the window below the new top window.
   MakeWindow(0, AUTO, "top", WINDOW_NO_DRAG);
   const int top = PlaceProbe(PLACE_FIRST, AUTO, "~top", 0);
   PresentWindow();

   InjectKey('a', KEY_A, 0);
   InjectKey('t', KEY_T, 0);
   run_loop_for(20);

   EXPECT_EQ(input_log().actions, (std::vector<int>{top}));
}

}
}

// Keys injected where Allegro's keyboard callback puts them reach the top
// window: hot keys run actions, and Tab, Shift+Tab and presses move the focus.
#include "input_test_support.h"

#include "toolkit/controls/check_box.h"
#include "toolkit/controls/choice_list.h"
#include "toolkit/controls/cycle_button.h"
#include "toolkit/controls/input_field.h"
#include "toolkit/controls/list_view.h"
#include "toolkit/controls/slider.h"
#include "toolkit/controls/text_field.h"
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

// (Tab order is in TabVisitsEveryInputControlInCreationOrder.)
TEST_F(InputTest, APressFocusesAndClosingTheWindowDropsTheFocus)
{
   MakeWindow(0, AUTO, "focus", WINDOW_NO_DRAG);
   const int first = PlaceProbe(PLACE_FIRST, AUTO, "one", 0);
   MakeFocusable(LookupControl(first));
   PresentWindow();
   EXPECT_EQ(FocusedControlId(), -1);

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

// Tab visits every control that takes input, the list view included, in
// creation order; a label and the list's own rows are skipped; Shift+Tab goes
// back.
TEST_F(InputTest, TabVisitsEveryInputControlInCreationOrder)
{
   int box = 0, cycle = 0, number = 0, level = 0, sel = 0, count = 20;
   char one[] = "one", two[] = "two";
   char *texts[] = {one, two};
   char lines[] = "1\n2\n3\n4\n5\n6";
   MakeWindow(0, AUTO, "tab order", WINDOW_NO_DRAG);
   const std::vector<int> order = {
      PlaceButton(PLACE_FIRST, AUTO, "Button", nullptr, nullptr),
      PlaceCheckBox(PLACE_RIGHT, AUTO, "Box", &box),
      PlaceCycleButton(PLACE_RIGHT, AUTO, "Cycle", texts, &cycle),
      (PlaceLabel(PLACE_NEW_ROW, AUTO, "label"), PlaceInputField(PLACE_RIGHT, AUTO, 60, "Number", 3, 2, &number)),
      PlaceChoiceList(PLACE_NEW_ROW, AUTO, 60, "Pick", &sel, texts, 2),
      PlaceSlider(PLACE_RIGHT, AUTO, 60, &level, 0, 9, 0, 0),
      PlaceListView(PLACE_NEW_ROW, AUTO, nullptr, &count, 80, 1, NumberedRowText, NoRowMenu, 3),
      PlaceTextField(PLACE_RIGHT, AUTO, lines, 80, 3, 0),
   };
   PresentWindow();
   std::vector<int> forward, back;
   for (std::size_t i = 0; i <= order.size(); ++i) {
      press_key(KEY_TAB, '\t');
      forward.push_back(FocusedControlId());
   }
   for (std::size_t i = 0; i < 2; ++i) {
      press_key(KEY_TAB, '\t', KB_SHIFT_FLAG);
      back.push_back(FocusedControlId());
   }
   std::vector<int> expected = order;
   expected.push_back(order.front());
   EXPECT_EQ(forward, expected);
   EXPECT_EQ(back, (std::vector<int>{order.back(), order[order.size() - 2]}));
   // The list view, reached by Tab, takes the arrow keys.
   press_key(KEY_DOWN);
   press_key(KEY_DOWN);
   EXPECT_EQ(ListRowSelected(order[6], 1), 1);
}

// Alt+letter runs a hot key as the letter does: as Allegro reports it (no
// character) and with the letter, and even while an input field has the keys,
// which then takes no letter.
TEST_F(InputTest, AltLetterRunsTheHotKeyEvenOverAFocusedField)
{
   int number = 5;
   MakeWindow(0, AUTO, "alt", WINDOW_NO_DRAG);
   const int k = PlaceProbe(PLACE_FIRST, AUTO, "~Keep", 0);
   const int field = PlaceInputField(PLACE_RIGHT, AUTO, 60, "Number", 3, 2, &number);
   PresentWindow();
   struct Press {
      int character, scancode, shifts;
      bool focus_field;
      std::vector<int> actions;
   };
   const std::vector<Press> presses = {
      {0, KEY_K, KB_ALT_FLAG, false, {k}}, {'k', KEY_K, KB_ALT_FLAG, false, {k}}, {0, KEY_K, KB_ALT_FLAG, true, {k}},
      {'7', KEY_7, 0, true, {}},           {0, KEY_J, KB_ALT_FLAG, true, {}},
   };
   for (const Press &p : presses) {
      input_log() = InputLog{};
      if (p.focus_field)
         FocusControl(field);
      InjectKey(p.character, p.scancode, p.shifts);
      run_loop_for(20);
      EXPECT_EQ(input_log().actions, p.actions) << "key " << p.scancode << " shifts " << p.shifts;
   }
   EXPECT_EQ(number, 57) << "only the plain digit reached the field";
}

}
}

// Selecting text in input fields by keys and by dragging, as drawn on the
// screen, and the view of a field after its edit ends.
#include "field_test_support.h"

#include "toolkit/keyboard_focus.h"

#include <cstring>

namespace kstr::test {
namespace {

TEST_F(InputTest, FieldSelectsByShiftKeysAndTypingReplacesTheSelection)
{
   struct Case {
      const char *start;
      std::vector<Key> keys;
      const char *typed;
      const char *selected_drawn;  // after the keys, before typing
      const char *result;
   };
   const Case cases[] = {
      {"hello world",
       {{KEY_HOME}, kShiftRight, kShiftRight, kShiftRight, kShiftRight, kShiftRight},
       "J",
       "#####......",
       "J world"},
      {"hello world", {kShiftHome}, "", "###########", "hello world"},
      {"hello world", {kShiftHome, {KEY_BACKSPACE}}, "", "", ""},
      {"abcdef", {{KEY_HOME}, {KEY_RIGHT}, {KEY_RIGHT}, kShiftEnd, {KEY_DEL}}, "", "..", "ab"},
      // Shift+Left past the anchor turns the selection round.
      {"abcdef", {{KEY_LEFT}, {KEY_LEFT}, kShiftRight, kShiftLeft, kShiftLeft, kShiftLeft}, "", "..##..", "abcdef"},
      // Left and Right without Shift end the selection at its start or end.
      {"abcdef", {kShiftLeft, kShiftLeft, {KEY_LEFT}}, "X", "......", "abcdXef"},
      {"abcdef", {{KEY_HOME}, kShiftRight, kShiftRight, {KEY_RIGHT}}, "X", "......", "abXcdef"},
      // Ctrl+A, as Allegro gives it (a control character) and by scancode alone.
      {"select me", {kCtrlA}, "new", "#########", "new"},
      {"select me", {{KEY_A, 0, KB_CTRL_FLAG}, {KEY_DEL}}, "", "", ""},
   };
   char buffer[32];
   int number = 42;
   MakeWindow(0, AUTO, "selection", WINDOW_NO_DRAG);
   const int field = PlaceInputField(PLACE_FIRST, AUTO, 150, "", 5, sizeof buffer, buffer);
   const int numeric = PlaceInputField(PLACE_NEW_ROW, AUTO, 60, "", 3, 0, &number);
   PresentWindow();
   for (const Case &c : cases) {
      SCOPED_TRACE(c.start + std::string(" -> ") + c.result);
      SetInputFieldText(field, c.start);
      FocusControl(field);
      press_keys(c.keys);
      EXPECT_EQ(drawn_selection(field), c.selected_drawn);
      press_keys({}, c.typed);
      EXPECT_STREQ(buffer, c.result);
      if (*c.typed) {
         EXPECT_EQ(drawn_selection(field), std::string(std::strlen(c.result), '.')) << "typing ends the selection";
      }
   }

   // A number: the selection is replaced only by what the kind takes.
   FocusControl(numeric);
   press_keys({kCtrlA}, "x");
   EXPECT_EQ(number, 42) << "a letter is refused and the selection kept";
   EXPECT_EQ(drawn_selection(numeric), "##");
   press_keys({}, "7");
   EXPECT_EQ(number, 7);
   CloseWindow();
}

TEST_F(InputTest, FieldSelectsByDraggingEitherWayAndScrollsWhileDragging)
{
   char buffer[64] = "drag across these words";
   char long_text[64] = "a text far longer than the narrow field shows";
   MakeWindow(0, AUTO, "drag", WINDOW_NO_DRAG);
   const int other = PlaceInputField(PLACE_FIRST, AUTO, 60, "", 5, 8, buffer + 40);
   const int field = PlaceInputField(PLACE_NEW_ROW, AUTO, 200, "", 5, sizeof buffer, buffer);
   const int narrow = PlaceInputField(PLACE_NEW_ROW, AUTO, 50, "", 5, sizeof long_text, long_text);
   PresentWindow();
   FocusControl(other);
   run_loop_for(20);
   const int y = text_mid_y(field);

   // From "across" to the end of "these", rightwards: the press focuses.
   InjectPointer(boundary_x(field, 5) + 1, y, 0);
   InjectPointer(boundary_x(field, 5) + 1, y, 1);
   InjectPointer(boundary_x(field, 10), y, 1);
   InjectPointer(boundary_x(field, 17) + 1, y, 1);
   InjectPointer(boundary_x(field, 17) + 1, y, 0);
   run_loop_for(30);
   EXPECT_EQ(FocusedControlId(), field);
   EXPECT_EQ(drawn_selection(field), ".....############......");
   press_keys({}, "_");
   EXPECT_STREQ(buffer, "drag _ words");

   // Leftwards from the end to the start of "_".
   const int end = boundary_x(field, 12) - 1;
   InjectPointer(end, y, 0);
   InjectPointer(end, y, 1);
   InjectPointer(boundary_x(field, 5), y, 1);
   InjectPointer(boundary_x(field, 5), y, 0);
   run_loop_for(30);
   EXPECT_EQ(drawn_selection(field), ".....#######");
   press_keys({{KEY_BACKSPACE}});
   EXPECT_STREQ(buffer, "drag ");

   // A narrow field: dragging past its left edge scrolls back to the start.
   FocusControl(narrow);
   press_keys({{KEY_END}}, "");
   ASSERT_GT(field_record(narrow).scroll, 0);
   const Rect r = screen_rect_of(narrow);
   const std::string before = long_text;
   InjectPointer(r.x2 - 5, text_mid_y(narrow), 0);
   InjectPointer(r.x2 - 5, text_mid_y(narrow), 1);
   for (int i = 0; i < 60; ++i) {
      InjectPointer(r.x1 - 10 - i % 2, text_mid_y(narrow), 1);
      run_loop_for(2);
   }
   InjectPointer(r.x1 - 10, text_mid_y(narrow), 0);
   run_loop_for(30);
   EXPECT_EQ(field_record(narrow).scroll, 0);
   press_keys({}, "A");
   const std::string after = long_text;
   ASSERT_LT(after.size(), before.size()) << after;
   EXPECT_EQ(after[0], 'A') << "the selection reached the first character";
   EXPECT_TRUE(before.ends_with(after.substr(1))) << after;
   CloseWindow();
}

TEST_F(InputTest, FieldShowsItsTextFromTheStartWhenTheEditEnds)
{
   char text[80] = "";
   char other_text[8] = "";
   int entered = 0;
   MakeWindow(0, AUTO, "view", WINDOW_NO_DRAG);
   const int field = PlaceInputField(PLACE_FIRST, AUTO, 60, "", 5, sizeof text, text);
   const int other = PlaceInputField(PLACE_RIGHT, AUTO, 60, "", 5, sizeof other_text, other_text);
   SetChangeHandler(
      field, [](void *n) { ++*static_cast<int *>(n); }, &entered);
   PresentWindow();
   SetInputFieldText(field, "a line that is far wider than its field");
   run_loop_for(20);
   EXPECT_EQ(field_record(field).scroll, 0) << "a field nobody edits shows its start";

   struct Step {
      const char *what;
      std::vector<Key> keys;
      bool at_start;
   };
   const Step steps[] = {
      {"typing at the end scrolls", {{KEY_END}}, false},
      {"Enter ends the edit", {{KEY_ENTER, '\r'}}, true},
      {"the next key edits again", {{KEY_LEFT}}, false},
      {"Tab takes the focus away", {{KEY_TAB, '\t'}}, true},
      {"focus coming back shows the cursor", {{KEY_TAB, '\t', KB_SHIFT_FLAG}}, false},
   };
   FocusControl(field);
   for (const Step &s : steps) {
      ASSERT_EQ(FocusedControlId(), s.keys[0].scancode == KEY_TAB && s.keys[0].shifts ? other : field);
      press_keys(s.keys);
      EXPECT_EQ(field_record(field).scroll == 0, s.at_start) << s.what;
   }
   EXPECT_EQ(entered, 1);
   CloseWindow();
}

}
}

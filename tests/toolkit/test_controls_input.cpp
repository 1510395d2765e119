// Input fields, choice lists and sliders driven through the input seam under
// the X server.
#include "input_test_support.h"

#include "toolkit/keyboard_focus.h"

#include <cstdlib>
#include <initializer_list>
#include <string>

namespace kstr::test {
namespace {

// Injects keys by scancode, then the text, and lets the loop handle them.
void keys(std::initializer_list<int> scancodes, const char *text = "")
{
   for (int k : scancodes)
      InjectKey(k == KEY_BACKSPACE ? 8 : k == KEY_ESC ? 27 : k == KEY_SPACE ? ' ' : 0, k, 0);
   for (const char *p = text; *p; ++p)
      InjectKey(*p, 0, 0);
   run_loop_for(30);
}

void type_into(int id, const char *text, std::initializer_list<int> scancodes = {})
{
   FocusControl(id);
   keys(scancodes, text);
}

int value_of(int id)
{
   Control *c = LookupControl(id);
   return c ? c->cls->get_value(c) : -999;
}

void Count(void *counter)
{
   ++*static_cast<int *>(counter);
}

TEST_F(InputTest, InputFieldsFollowTheirVariablesAndNeverOverflow)
{
   struct {
      char text[8];
      char guard[8];
   } buffer = {"ab", "GUARD!!"};
   unsigned char byte = 255;
   short word = 7;
   int number = 5;
   char *heap = nullptr;
   fixed scaled = 0;
   int thousandths = 0;
   MakeWindow(0, AUTO, "fields", WINDOW_NO_DRAG);
   const int text = PlaceInputField(PLACE_FIRST, AUTO, 60, "~Text", 5, sizeof buffer.text, buffer.text);
   const int b = PlaceInputField(PLACE_NEW_ROW, AUTO, 45, "", 1 | INPUT_FLAG_UNDEFINED, 0, &byte);
   const int w = PlaceInputField(PLACE_RIGHT, AUTO, 45, "", 2 | INPUT_FLAG_UNDEFINED_ALT, 0, &word);
   const int n = PlaceInputField(PLACE_RIGHT, AUTO, 45, "", 3, 2, &number);
   const int h = PlaceInputField(PLACE_RIGHT, AUTO, 45, "", 6, 0, &heap);
   const int k7 = PlaceInputField(PLACE_RIGHT, AUTO, 45, "", 7, 0, &scaled);
   const int k8 = PlaceInputField(PLACE_RIGHT, AUTO, 45, "", 8, 0, &thousandths);
   PresentWindow();
   ASSERT_NE(heap, nullptr) << "a null heap string is allocated empty";

   // The label's hot key focuses the field and types nothing.
   InjectKey('t', KEY_T, 0);
   run_loop_for(30);
   EXPECT_EQ(FocusedControlId(), text);
   EXPECT_STREQ(buffer.text, "ab");

   // Typed and pasted past the buffer: cut at 7 characters, the guard intact.
   type_into(text, "cdefghijkl", {KEY_END});
   EXPECT_STREQ(buffer.text, "abcdefg");
   EXPECT_EQ(SetInputFieldText(text, "0123456789012345678901234567890"), 0);
   EXPECT_STREQ(buffer.text, "0123456");
   EXPECT_STREQ(buffer.guard, "GUARD!!");

   // "?" stands for the undefined value; a number out of range is refused.
   type_into(b, "300");
   type_into(w, "?", {KEY_END, KEY_BACKSPACE});
   EXPECT_EQ(byte, 30) << "3, 30, then 300 refused for an 8-bit field";
   EXPECT_EQ(word, -32768) << "\"?\" is 32768 in a 16-bit field";

   // Read back after every key, edited with the cursor keys.
   type_into(n, "-1", {KEY_HOME});
   EXPECT_EQ(number, -15);
   type_into(n, "", {KEY_HOME, KEY_DEL, KEY_RIGHT, KEY_BACKSPACE});
   EXPECT_EQ(number, 5);
   number = 42;  // changed from outside: the field shows it at its next draw
   RedrawControl(n);
   EXPECT_EQ(value_of(n), 42);

   type_into(h, "heap text");
   EXPECT_STREQ(heap, "heap text");
   // Scaled kinds: a fixed 16.16 and thousandths; extra decimals are refused.
   type_into(k7, "1.55555", {KEY_BACKSPACE});
   type_into(k8, "-2.25x", {KEY_BACKSPACE});
   EXPECT_EQ(scaled, ftofix(1.5555));
   EXPECT_EQ(thousandths, -2250);
   CloseWindow();
   std::free(heap);
}

TEST_F(InputTest, ChoiceListOpensScrollsAndChooses)
{
   std::string texts[12], long_item(101, 'w'), cut_item(100, 'w');
   char *items[12], *long_items[] = {long_item.data()}, *cut_items[] = {cut_item.data()};
   for (int i = 0; i < 12; ++i)
      items[i] = (texts[i] = "item " + std::to_string(i)).data();
   int sel = 20, one = 0, other = 0, changes = 0;
   MakeWindow(0, AUTO, "choices", WINDOW_NO_DRAG);
   const int list = PlaceChoiceList(PLACE_FIRST, AUTO, 80, "~Pick", &sel, items, 12);
   const int wide = PlaceChoiceList(PLACE_NEW_ROW, AUTO, 0, "", &one, long_items, 1);
   const int cut = PlaceChoiceList(PLACE_NEW_ROW, AUTO, 0, "", &other, cut_items, 1);
   SetChangeHandler(list, Count, &changes);
   PresentWindow();

   EXPECT_EQ(value_of(list), 11) << "an index past the end shows the last item";
   EXPECT_EQ(rect_of(wide).x2 - rect_of(wide).x1, rect_of(cut).x2 - rect_of(cut).x1)
      << "a 101-character item is cut to 100";

   // A click opens the list below the field; a click on a row chooses it.
   int x, y;
   centre_of(list, &x, &y);
   inject_click(x, y);
   run_loop_for(30);
   const int drop = OpenChoiceDropList();
   ASSERT_GE(drop, 0);
   const Rect field = screen_rect_of(list), rows = screen_rect_of(drop);
   EXPECT_GT(rows.y1, field.y2);
   EXPECT_EQ(screen_pixel(rows.x1, rows.y1), (Rgb{0, 0, 0})) << "the list's frame is on the screen";
   const int row_h = (rows.y2 - rows.y1 - 1) / CHOICE_VISIBLE_ROWS;
   inject_click(rows.x1 + 10, rows.y1 + 1 + row_h / 2);  // the first visible row, scrolled to the end
   run_loop_for(30);
   EXPECT_EQ(OpenChoiceDropList(), -1);
   EXPECT_EQ(sel, 2) << "rows 2 to 11 were visible around the last item";
   EXPECT_EQ(changes, 1);

   // Keys: the hot key focuses and opens, Escape closes unchosen, Up and
   // Down change at once, Space opens.
   InjectKey('p', KEY_P, 0);
   keys({KEY_ESC, KEY_DOWN, KEY_DOWN, KEY_UP, KEY_SPACE});
   EXPECT_EQ(sel, 3);
   EXPECT_GE(OpenChoiceDropList(), 0);
   keys({KEY_DOWN, KEY_ESC});
   EXPECT_EQ(OpenChoiceDropList(), -1);
   EXPECT_EQ(sel, 3);
   // A click beside the open list closes it too.
   inject_click(x, y);
   run_loop_for(30);
   inject_click(SCREEN_W - 3, SCREEN_H - 3);
   run_loop_for(30);
   EXPECT_EQ(OpenChoiceDropList(), -1);
   EXPECT_EQ(changes, 4);
}

TEST_F(InputTest, SliderDragsKeysAndItsLinkedFieldFollowEachOther)
{
   int buffer = 34, changes = 0;
   MakeWindow(0, AUTO, "slider", WINDOW_NO_DRAG);
   const int field = PlaceInputField(PLACE_FIRST, AUTO, 45, "", 3, 2, &buffer);
   const int slider = PlaceSlider(PLACE_RIGHT, AUTO, 180, &buffer, 4, 64, 11, field);
   SetChangeHandler(slider, Count, &changes);
   PresentWindow();
   const Rect r = screen_rect_of(slider);
   const int y = (r.y1 + r.y2) / 2, knob = SliderKnobScreenX(slider);
   const int start = knob - 90;  // 34 of 4-64 is half way along 180 pixels

   // Grabbed 3 pixels right of the knob's centre: the value stays, then follows.
   InjectPointer(knob + 3, y, 0);
   InjectPointer(knob + 3, y, 1);
   run_loop_for(30);
   EXPECT_EQ(buffer, 34);
   InjectPointer(knob + 33, y, 1);
   InjectPointer(knob + 33, y, 0);
   run_loop_for(30);
   EXPECT_EQ(buffer, 44);
   EXPECT_EQ(value_of(field), 44);
   // Pressed away from the knob: it jumps to the pointer.
   inject_click(start, y);
   run_loop_for(30);
   EXPECT_EQ(buffer, 4);
   EXPECT_EQ(changes, 2);

   // The field's edit ended with Enter moves the slider, kept within range.
   type_into(field, "70", {KEY_END, KEY_BACKSPACE});
   EXPECT_EQ(buffer, 70) << "the field reads back every key";
   type_into(field, "", {KEY_ENTER});
   EXPECT_EQ(buffer, 64);
   EXPECT_EQ(SliderKnobScreenX(slider), start + 180);
   type_into(field, "20\r", {KEY_BACKSPACE, KEY_BACKSPACE});
   EXPECT_EQ(SliderKnobScreenX(slider), start + 48);

   // Keys: Home and End reach the ends, arrows step by one within them.
   type_into(slider, "", {KEY_HOME, KEY_LEFT});
   EXPECT_EQ(buffer, 4);
   type_into(slider, "", {KEY_END, KEY_8_PAD, KEY_DOWN});
   EXPECT_EQ(buffer, 63);
   EXPECT_EQ(value_of(field), 63);
}

}
}

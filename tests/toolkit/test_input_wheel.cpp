// The mouse wheel through the input seam: lists and text scroll three rows a
// notch, sliders and choice lists step, and the turn goes to what is under
// the pointer.
#include "input_test_support.h"

#include "controls/list_view_parts.h"
#include "toolkit/controls/choice_list.h"
#include "toolkit/controls/list_view.h"
#include "toolkit/controls/slider.h"
#include "toolkit/controls/text_field.h"

#include <functional>
#include <string>
#include <vector>

namespace kstr::test {
namespace {

// One window with a list view of 40 rows (5 shown), a text field of 30 lines
// (4 shown), a slider over 0..10 and a choice list of 20 items.
class WheelTest : public ::testing::Test {
 protected:
   void SetUp() override
   {
      ASSERT_TRUE(session_.ok);
      mouse_callback = nullptr;
      keyboard_ucallback = nullptr;
      for (int i = 0; i < 30; ++i)
         text_ += "line " + std::to_string(i) + "\n";
      for (int i = 0; i < 20; ++i)
         names_.push_back("item " + std::to_string(i));
      for (std::string &n : names_)
         items_.push_back(n.data());
      MakeWindow(0, AUTO, "wheel", WINDOW_NO_DRAG);
      list_ = PlaceListView(PLACE_FIRST, AUTO, nullptr, &count_, 120, 1, NumberedRowText, NoRowMenu, 5);
      SetListIndexer(list_, RowIndexHandle);
      text_id_ = PlaceTextField(PLACE_RIGHT, AUTO, text_.data(), 120, 4, 0);
      slider_ = PlaceSlider(PLACE_NEW_ROW, AUTO, 100, &level_, 0, 10, 0, 0);
      choice_ = PlaceChoiceList(PLACE_RIGHT, AUTO, 100, "Pick", &sel_, items_.data(), 20);
      ASSERT_GT(list_, 0);
      ASSERT_GT(text_id_, 0);
      ASSERT_GT(slider_, 0);
      ASSERT_GT(choice_, 0);
      PresentWindow();
      run_loop_for(20);
   }

   static void wheel_over(int id, int notches, int buttons = 0)
   {
      int x, y;
      centre_of(id, &x, &y);
      InjectPointer(x, y, buttons);
      InjectWheel(x, y, buttons, notches);
      run_loop_for(20);
   }

   ToolkitSession session_;
   std::string text_;
   std::vector<std::string> names_;
   std::vector<char *> items_;
   int count_ = 40, level_ = 5, sel_ = 2;
   int list_ = -1, text_id_ = -1, slider_ = -1, choice_ = -1;
};

// Each turn is applied to the state left by the turns before it.
TEST_F(WheelTest, TurnsScrollOrStepTheControlUnderThePointer)
{
   struct Turn {
      const char *what;
      std::function<int()> target;  // the control turned over
      int notches;
      std::function<int()> read;
      int expected;
   };
   const auto list = [&] { return list_; };
   // A row of the list: the view takes the turn from it.
   const auto row = [&] {
      for (const Control *c = LookupControl(list_)->container->first; c; c = c->next)
         if (c->x1 == LIST_FRAME)
            return c->id;
      return -1;
   };
   const auto first_row = [&] { return ListFirstRow(list_); };
   const auto text = [&] { return text_id_; };
   const auto first_line = [&] { return TextFieldFirstLine(text_id_); };
   const auto slider = [&] { return slider_; };
   const auto level = [&] { return level_; };
   const auto choice = [&] { return choice_; };
   const auto sel = [&] { return sel_; };
   const std::vector<Turn> turns = {
      {"list down a notch", row, -1, first_row, 3},          {"list down two notches", list, -2, first_row, 9},
      {"list up past the top", row, 5, first_row, 0},        {"list down past the end", row, -40, first_row, 35},
      {"text down a notch", text, -1, first_line, 3},        {"text up past the top", text, 2, first_line, 0},
      {"text down past the end", text, -20, first_line, 26}, {"slider up", slider, 1, level, 6},
      {"slider down three", slider, -3, level, 3},           {"slider down past the minimum", slider, -9, level, 0},
      {"choice down (next item)", choice, -1, sel, 3},       {"choice up two", choice, 2, sel, 1},
      {"choice up past the first", choice, 4, sel, 0},       {"choice down past the last", choice, -30, sel, 19},
   };
   for (const Turn &t : turns) {
      wheel_over(t.target(), t.notches);
      EXPECT_EQ(t.read(), t.expected) << t.what;
   }
   EXPECT_EQ(OpenChoiceDropList(), -1) << "the wheel steps a choice list without opening it";
}

// During a press on another control, the turn still goes to what is under the
// pointer; the list keeps its selection.
TEST_F(WheelTest, TurnDuringAPressGoesToTheControlUnderThePointer)
{
   int sx, sy, lx, ly;
   centre_of(slider_, &sx, &sy);
   centre_of(list_, &lx, &ly);
   InjectPointer(lx, ly, 0);
   InjectPointer(lx, ly, 1);
   run_loop_for(20);
   const int selected_before = ListRowSelected(list_, 2);
   InjectWheel(lx, ly, 1, -1);
   InjectPointer(lx, ly, 0);
   run_loop_for(20);
   EXPECT_EQ(ListFirstRow(list_), 3);
   EXPECT_EQ(ListRowSelected(list_, 2), selected_before);
   EXPECT_EQ(level_, 5);
}

// An open drop list scrolls under the wheel: a click on its top row then picks
// the item three further down than before.
TEST_F(WheelTest, OpenDropListScrollsAndPicksFromTheScrolledRows)
{
   sel_ = 0;
   int x, y;
   centre_of(choice_, &x, &y);
   inject_click(x + 40, y);
   run_loop_for(20);
   const int drop = OpenChoiceDropList();
   ASSERT_GE(drop, 0);
   const Rect rows = screen_rect_of(drop);
   const int row_h = (rows.y2 - rows.y1 - 1) / CHOICE_VISIBLE_ROWS;
   InjectPointer(rows.x1 + 8, rows.y1 + 1 + row_h / 2, 0);
   InjectWheel(rows.x1 + 8, rows.y1 + 1 + row_h / 2, 0, -1);
   run_loop_for(20);
   EXPECT_EQ(sel_, 0) << "scrolling picks nothing";
   ASSERT_EQ(OpenChoiceDropList(), drop);
   inject_click(rows.x1 + 8, rows.y1 + 1 + row_h / 2);
   run_loop_for(20);
   EXPECT_EQ(sel_, 3);
   EXPECT_EQ(OpenChoiceDropList(), -1);
}

}
}

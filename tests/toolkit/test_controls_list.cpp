// The list view through injected input: empty lists, keys, the scroll bar,
// activation, the row action, dragging a row below the last item and
// resizing the view.
#include "list_test_support.h"

#include "draw/draw.h"
#include "windows/mouse_cursors.h"

#include <array>

namespace kstr::test {
namespace {

using Calls = std::vector<ListCall>;

// Empty, the list asks for no text and activates nothing; with items, a
// single click only selects, a double click activates and a right click runs
// the row action, each with the absolute row's item.
TEST_F(ListViewTest, EmptyListIsBlankAndRowsActOnTheirItems)
{
   MakeList(0, 4);
   int x, y;
   RowCentre(1, &x, &y);
   inject_click(x, y);
   inject_click(x, y, 2);
   run_loop_for(30);
   press_key(KEY_DOWN);
   press_key(KEY_END);
   press_key(KEY_ENTER, '\r');
   EXPECT_EQ(list_log().row_text_calls, 0);
   EXPECT_EQ(list_log().activated, Calls{});
   EXPECT_EQ(list_log().menus, Calls{});
   const Rect row = screen_rect_of(RowId(1));
   for (int px = row.x1; px <= row.x2; px += 3)
      ASSERT_EQ(getpixel(screen, px, y), InterfaceColour[COLOUR_LIGHT]) << "at x " << px;

   count_ = 10;
   ScrollListTo(list_, 3);
   EXPECT_EQ(list_log().row_text_calls, 4);
   bool inked = false;
   for (int px = row.x1; px <= row.x2 && !inked; ++px)
      for (int py = row.y1; py <= row.y2; ++py)
         inked |= getpixel(screen, px, py) == InterfaceColour[COLOUR_TEXT];
   EXPECT_TRUE(inked) << "the rows show their texts";

   inject_click(x, y);
   run_loop_for(400);
   EXPECT_EQ(list_log().activated, Calls{});
   EXPECT_TRUE(ListRowSelected(list_, 4));
   inject_click(x, y);
   run_loop_for(40);  // the first click's selection is drawn before the second
   inject_click(x, y);
   run_loop_for(50);
   inject_click(x, y, 2);
   run_loop_for(30);
   EXPECT_EQ(list_log().activated, (Calls{{RowId(1), 5, 1, 10}}));
   EXPECT_EQ(list_log().menus, (Calls{{RowId(1), 5, 0, 0}}));
}

TEST_F(ListViewTest, KeysAndTheScrollBarMoveSelectionAndViewAndEnterActivates)
{
   MakeList(50, 5);
   int x, y;
   RowCentre(0, &x, &y);
   inject_click(x, y);
   run_loop_for(30);
   press_key(KEY_DOWN);
   press_key(KEY_DOWN);
   EXPECT_TRUE(ListRowSelected(list_, 2));
   EXPECT_FALSE(ListRowSelected(list_, 0));
   press_key(KEY_DOWN, 0, KB_SHIFT_FLAG);
   EXPECT_TRUE(ListRowSelected(list_, 2) && ListRowSelected(list_, 3));
   press_key(KEY_END);
   EXPECT_TRUE(ListRowSelected(list_, 49));
   EXPECT_EQ(ListFirstRow(list_), 45);
   press_key(KEY_PGUP);
   EXPECT_TRUE(ListRowSelected(list_, 44));
   EXPECT_EQ(ListFirstRow(list_), 44);
   press_key(KEY_PGDN);
   EXPECT_EQ(ListFirstRow(list_), 45);
   press_key(KEY_HOME);
   EXPECT_EQ(ListFirstRow(list_), 0);
   press_key(KEY_DOWN);
   press_key(KEY_ENTER, '\r');
   EXPECT_EQ(list_log().activated, (Calls{{RowId(1), 2, 1, 50}}));

   // The scroll bar's arrows step one row, its track a page.
   const Rect bar = screen_rect_of(LookupControl(list_)->container->first->id);
   const int mid_x = (bar.x1 + bar.x2) / 2;
   for (const auto &[click_y, first] :
        {std::array{bar.y2 - 2, 1}, {bar.y2 - LIST_SCROLL_WIDTH - 2, 6}, {bar.y1 + 2, 5}}) {
      inject_click(mid_x, click_y);
      run_loop_for(20);
      EXPECT_EQ(ListFirstRow(list_), first) << "after a click at y " << click_y;
   }
   count_ = 3;  // the list shrank: the view shows it from the top
   RedrawControl(list_);
   EXPECT_EQ(ListFirstRow(list_), 0);
}

TEST_F(ListViewTest, DropBelowTheLastRowReachesTheTargetWithoutItem)
{
   MakeList(3, 6);
   int x0, y0, x4, y4;
   RowCentre(0, &x0, &y0);
   RowCentre(4, &x4, &y4);
   InjectPointer(x0, y0, 0);
   InjectPointer(x0, y0, 1);
   InjectPointer(x0, y0 + 8, 1);
   InjectPointer(x4, y4, 1);
   run_loop_for(20);
   EXPECT_EQ(CurrentMouseCursor(), 0);
   InjectPointer(x4, y4, 0);
   run_loop_for(20);

   ASSERT_GE(list_log().source.size(), 2u);
   EXPECT_EQ(list_log().source.front(), (ListCall{0, 1, LIST_DRAG_START, 0}));
   EXPECT_EQ(list_log().source.back().a, LIST_DRAG_END);
   ASSERT_FALSE(list_log().target.empty());
   EXPECT_EQ(list_log().target.front().a, LIST_DRAG_OVER);
   EXPECT_EQ(list_log().target.back(), (ListCall{0, 0, LIST_DRAG_END, 4}));
   EXPECT_EQ(CurrentMouseCursor(), CURSOR_ARROW);
}

TEST_F(ListViewTest, CornerDragResizesTheViewWithinItsLimits)
{
   MakeList(20, 4);
   MakeResizable(list_, nullptr, nullptr, 0);
   const Rect view = screen_rect_of(list_);
   const int height = view.y2 - view.y1;
   const int rh = ControlHeight(LookupControl(RowId(0))) + 1;
   InjectPointer(view.x2 - 1, view.y2 - 1, 0);
   run_loop_for(10);
   EXPECT_EQ(CurrentMouseCursor(), CURSOR_RESIZE);
   InjectPointer(view.x2 - 1, view.y2 - 1, 1);
   InjectPointer(view.x2 + 19, view.y2 - 1 + 3 * rh, 1);
   run_loop_for(20);
   EXPECT_EQ(ControlHeight(LookupControl(list_)), height + 3 * rh);
   EXPECT_EQ(screen_rect_of(list_).x2, view.x2 + 20);
   EXPECT_EQ(RowId(6), LookupControl(list_)->container->last->id);  // seven rows now
   InjectPointer(0, 0, 1);
   InjectPointer(0, 0, 0);
   run_loop_for(20);
   EXPECT_EQ(ControlWidth(LookupControl(list_)), 29);
   EXPECT_EQ(ControlHeight(LookupControl(list_)), rh + 8);
   EXPECT_EQ(RowId(1), -1) << "one row is the least";
   EXPECT_EQ(CurrentMouseCursor(), CURSOR_ARROW);
}

}
}

// The list view through injected input: empty lists, keys, activation, the
// row action and dragging a row below the last item.
#include "list_test_support.h"

#include "toolkit/cursors.h"
#include "toolkit/draw.h"

namespace kstr::test {
namespace {

void Key(int scancode, int character = 0, int shifts = 0)
{
   InjectKey(character, scancode, shifts);
   run_loop_for(10);
}

TEST_F(ListViewTest, EmptyListDrawsBlankRowsWithoutAskingForText)
{
   MakeList(0, 4);
   int x, y;
   RowCentre(1, &x, &y);
   inject_click(x, y);
   InjectPointer(x, y, 2);
   InjectPointer(x, y, 0);
   run_loop_for(30);
   Key(KEY_DOWN);
   Key(KEY_END);
   Key(KEY_ENTER, '\r');
   EXPECT_EQ(list_log().row_text_calls, 0);
   EXPECT_TRUE(list_log().activated.empty());
   EXPECT_TRUE(list_log().menus.empty());
   const Rect row = screen_rect_of(RowId(1));
   for (int px = row.x1; px <= row.x2; px += 3)
      ASSERT_EQ(getpixel(screen, px, y), InterfaceColour[COLOUR_LIGHT]) << "at x " << px;

   // Once there are items, the rows show their texts.
   count_ = 2;
   RedrawControl(list_);
   EXPECT_EQ(list_log().row_text_calls, 2);
   bool inked = false;
   const Rect first = screen_rect_of(RowId(0));
   for (int px = first.x1; px <= first.x2 && !inked; ++px)
      for (int py = first.y1; py <= first.y2; ++py)
         inked |= getpixel(screen, px, py) == InterfaceColour[COLOUR_TEXT];
   EXPECT_TRUE(inked);
}

TEST_F(ListViewTest, KeysMoveSelectionAndScrollAndEnterActivates)
{
   MakeList(50, 5);
   int x, y;
   RowCentre(0, &x, &y);
   inject_click(x, y);
   run_loop_for(30);
   Key(KEY_DOWN);
   Key(KEY_DOWN);
   EXPECT_TRUE(ListRowSelected(list_, 2));
   EXPECT_FALSE(ListRowSelected(list_, 0));
   Key(KEY_DOWN, 0, KB_SHIFT_FLAG);
   EXPECT_TRUE(ListRowSelected(list_, 2) && ListRowSelected(list_, 3));
   Key(KEY_END);
   EXPECT_TRUE(ListRowSelected(list_, 49));
   EXPECT_EQ(ListFirstRow(list_), 45);
   Key(KEY_PGUP);
   EXPECT_TRUE(ListRowSelected(list_, 44));
   EXPECT_EQ(ListFirstRow(list_), 44);
   Key(KEY_PGDN);
   EXPECT_EQ(ListFirstRow(list_), 45);
   Key(KEY_HOME);
   EXPECT_EQ(ListFirstRow(list_), 0);
   Key(KEY_DOWN);
   Key(KEY_ENTER, '\r');
   ASSERT_EQ(list_log().activated.size(), 1u);
   EXPECT_EQ(list_log().activated[0].row_id, RowId(1));
   EXPECT_EQ(list_log().activated[0].item, 2);
   EXPECT_EQ(list_log().activated[0].a, 1);
   EXPECT_EQ(list_log().activated[0].b, 50);
}

TEST_F(ListViewTest, ScrollBarArrowsStepOneRowAndTheTrackAPage)
{
   MakeList(50, 5);
   const Rect bar = screen_rect_of(LookupControl(list_)->container->first->id);
   const int mid_x = (bar.x1 + bar.x2) / 2;
   inject_click(mid_x, bar.y2 - 2);
   run_loop_for(20);
   EXPECT_EQ(ListFirstRow(list_), 1);
   inject_click(mid_x, bar.y2 - LIST_SCROLL_WIDTH - 2);
   run_loop_for(20);
   EXPECT_EQ(ListFirstRow(list_), 6);
   inject_click(mid_x, bar.y1 + 2);
   run_loop_for(20);
   EXPECT_EQ(ListFirstRow(list_), 5);
   count_ = 3;  // the list shrank: the view shows it from the top
   RedrawControl(list_);
   EXPECT_EQ(ListFirstRow(list_), 0);
}

TEST_F(ListViewTest, DoubleClickActivatesAndRightClickRunsTheRowAction)
{
   MakeList(10, 4);
   ScrollListTo(list_, 3);
   int x, y;
   RowCentre(1, &x, &y);
   inject_click(x, y);
   run_loop_for(400);
   EXPECT_TRUE(list_log().activated.empty()) << "a single click only selects";
   EXPECT_TRUE(ListRowSelected(list_, 4));
   inject_click(x, y);
   inject_click(x, y);
   run_loop_for(50);
   ASSERT_EQ(list_log().activated.size(), 1u);
   EXPECT_EQ(list_log().activated[0].row_id, RowId(1));
   EXPECT_EQ(list_log().activated[0].item, 5);  // absolute row 4
   EXPECT_EQ(list_log().activated[0].a, 1);
   EXPECT_EQ(list_log().activated[0].b, 10);

   InjectPointer(x, y, 2);
   InjectPointer(x, y, 0);
   run_loop_for(30);
   ASSERT_EQ(list_log().menus.size(), 1u);
   EXPECT_EQ(list_log().menus[0].row_id, RowId(1));
   EXPECT_EQ(list_log().menus[0].item, 5);
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
   EXPECT_EQ(list_log().source.front().a, LIST_DRAG_START);
   EXPECT_EQ(list_log().source.front().b, 0);
   EXPECT_EQ(list_log().source.front().item, 1);
   EXPECT_EQ(list_log().source.back().a, LIST_DRAG_END);
   ASSERT_FALSE(list_log().target.empty());
   const ListCall drop = list_log().target.back();
   EXPECT_EQ(drop.a, LIST_DRAG_END);
   EXPECT_EQ(drop.item, 0);
   EXPECT_EQ(drop.b, 4);
   EXPECT_EQ(list_log().target.front().a, LIST_DRAG_OVER);
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

// Layout geometry: placement codes and layout flags, read back from the
// controls' rectangles after PresentWindow. Boxes are SAMPLE_PLAIN with an
// empty label, so their natural size is exactly the size asked for.
#include "toolkit/gallery/sample_box.h"
#include "toolkit_test_support.h"

namespace {

using kstr::test::Rect;
using kstr::test::rect_of;

int Box(int x, int y, int w, int h)
{
   return PlaceSampleBox(x, y, "", SAMPLE_PLAIN, w, h);
}

class Layout : public ::testing::Test {
protected:
   kstr::test::ToolkitSession session;
   void SetUp() override { ASSERT_TRUE(session.ok); }
};

// Window clients have margins and gaps of 2 pixels.
TEST_F(Layout, PlacementCodesRelativeToThePreviousControl)
{
   ASSERT_GT(MakeWindow(0, AUTO, "codes", 0), 0);
   const int first = Box(PLACE_RIGHT, AUTO, 20, 10);  // no previous: as code 1
   const int right = Box(PLACE_RIGHT, AUTO, 30, 12);
   const int below = Box(PLACE_BELOW, AUTO, 10, 10);
   const int row = Box(PLACE_NEW_ROW, AUTO, 15, 8);
   const int unknown = Box(3, AUTO, 9, 9);
   const int at = Box(100, 40, 8, 8);
   PresentWindow();

   EXPECT_EQ(rect_of(first), (Rect{2, 2, 21, 11}));
   EXPECT_EQ(rect_of(right), (Rect{24, 2, 53, 13}));
   EXPECT_EQ(rect_of(below), (Rect{24, 16, 33, 25}));
   EXPECT_EQ(rect_of(row), (Rect{2, 28, 16, 35})) << "below the lowest of all earlier controls";
   EXPECT_EQ(rect_of(unknown), (Rect{0, 0, 8, 8})) << "an unknown code leaves the control at 0,0";
   EXPECT_EQ(rect_of(at), (Rect{100, 40, 107, 47}));
}

TEST_F(Layout, CodeFourRunsReadBackwards)
{
   ASSERT_GT(MakeWindow(0, AUTO, "", 0), 0);
   const int a = Box(PLACE_NEW_ROW, AUTO, 20, 10);
   const int b = Box(PLACE_LEFT, AUTO, 30, 10);
   const int c = Box(PLACE_LEFT, AUTO, 40, 10);
   const int next_row = Box(PLACE_NEW_ROW, AUTO, 10, 10);
   const int d = Box(PLACE_LEFT, AUTO, 8, 10);
   PresentWindow();

   EXPECT_EQ(rect_of(c), (Rect{2, 2, 41, 11}));
   EXPECT_EQ(rect_of(b), (Rect{44, 2, 73, 11}));
   EXPECT_EQ(rect_of(a), (Rect{76, 2, 95, 11}));
   // The walk stops at the row's first control: the row above stays put.
   EXPECT_EQ(rect_of(d), (Rect{2, 14, 9, 23}));
   EXPECT_EQ(rect_of(next_row), (Rect{12, 14, 21, 23}));
}

TEST_F(Layout, CodeFourAfterCodeSixteenEndsLeftOfIt)
{
   ASSERT_GT(MakeWindow(0, AUTO, "", 0), 0);
   Box(PLACE_FIRST, AUTO, 60, 10);
   const int below = Box(PLACE_BELOW, AUTO, 20, 10);
   const int left = Box(100, 100, 8, 8);  // explicit coordinates
   const int under = Box(PLACE_BELOW, AUTO, 30, 10);
   const int beside = Box(PLACE_LEFT, AUTO, 12, 10);
   PresentWindow();
   EXPECT_EQ(rect_of(below), (Rect{2, 14, 21, 23}));
   EXPECT_EQ(rect_of(left), (Rect{100, 100, 107, 107}));
   EXPECT_EQ(rect_of(under), (Rect{100, 110, 129, 119}));
   EXPECT_EQ(rect_of(beside), (Rect{86, 110, 97, 119})) << "x2 = previous x1 - gap - 1, width kept";
}

TEST_F(Layout, NestedContainerPlacesItsFirstControlAtItsMargins)
{
   ASSERT_GT(MakeWindow(0, AUTO, "", 0), 0);
   Box(PLACE_FIRST, AUTO, 20, 20);
   const int group = BeginGroupBox(PLACE_RIGHT, AUTO, 0, AUTO, "", GROUP_TITLE_IN_FRAME);
   const int inner = Box(PLACE_RIGHT, AUTO, 10, 10);  // first in its container
   const int inner2 = Box(PLACE_RIGHT, AUTO, 10, 10);
   EndGroupBox();
   PresentWindow();
   const Container *box = LookupControl(group)->container;
   EXPECT_EQ(rect_of(inner), (Rect{box->left_margin, box->top_margin, box->left_margin + 9, box->top_margin + 9}));
   EXPECT_EQ(rect_of(inner2).x1, box->left_margin + 10 + box->h_gap);
   // The group fits its children: right edge = widest child + right margin.
   const Rect g = rect_of(group);
   EXPECT_EQ(g.x1, 24);
   EXPECT_EQ(g.x2 - g.x1, rect_of(inner2).x2 + box->right_margin);
   EXPECT_EQ(g.y2 - g.y1, rect_of(inner2).y2 + box->bottom_margin);
}

TEST_F(Layout, EqualWidthsAcrossARunInARow)
{
   ASSERT_GT(MakeWindow(0, AUTO, "", 0), 0);
   const int a = Box(PLACE_FIRST | LAYOUT_EQUAL_WIDTH, AUTO, 20, 10);
   const int b = Box(PLACE_RIGHT | LAYOUT_EQUAL_WIDTH, AUTO, 50, 10);
   const int c = Box(PLACE_RIGHT | LAYOUT_EQUAL_WIDTH, AUTO, 30, 10);
   const int plain = Box(PLACE_RIGHT, AUTO, 10, 10);
   const int other = Box(PLACE_RIGHT | LAYOUT_EQUAL_WIDTH, AUTO, 15, 10);  // a new run
   PresentWindow();
   EXPECT_EQ(rect_of(a), (Rect{2, 2, 51, 11}));
   EXPECT_EQ(rect_of(b), (Rect{54, 2, 103, 11}));
   EXPECT_EQ(rect_of(c), (Rect{106, 2, 155, 11}));
   EXPECT_EQ(rect_of(plain), (Rect{158, 2, 167, 11}));
   EXPECT_EQ(rect_of(other), (Rect{170, 2, 184, 11}));
}

TEST_F(Layout, EqualHeightsDownAColumn)
{
   ASSERT_GT(MakeWindow(0, AUTO, "", 0), 0);
   const int a = Box(PLACE_FIRST, AUTO | LAYOUT_EQUAL_HEIGHT, 20, 10);
   const int b = Box(PLACE_BELOW, AUTO | LAYOUT_EQUAL_HEIGHT, 20, 25);
   const int c = Box(PLACE_NEW_ROW, AUTO, 5, 5);
   PresentWindow();
   EXPECT_EQ(rect_of(a), (Rect{2, 2, 21, 26}));
   EXPECT_EQ(rect_of(b), (Rect{2, 29, 21, 53}));
   EXPECT_EQ(rect_of(c).y1, 56) << "later rows follow the equalised heights";
}

TEST_F(Layout, StretchFillsTheRowUpToTheNextControlOrTheEdge)
{
   ASSERT_GT(MakeWindow(200, 100, "", 0), 0);  // client 200 x 100
   const int a = Box(PLACE_FIRST, AUTO | LAYOUT_STRETCH, 20, 10);
   const int b = Box(150, 5, 10, 10);
   const int c = Box(PLACE_NEW_ROW, AUTO | LAYOUT_STRETCH, 20, 10);
   PresentWindow();
   EXPECT_EQ(rect_of(a), (Rect{2, 2, 147, 11})) << "up to b less one gap";
   EXPECT_EQ(rect_of(b), (Rect{150, 5, 159, 14}));
   EXPECT_EQ(rect_of(c), (Rect{2, 17, 197, 26})) << "to the right edge less the margin";
}

TEST_F(Layout, StretchVariantsTakeTheVerticalDirection)
{
   ASSERT_GT(MakeWindow(200, 100, "", 0), 0);
   const int fill = Box(PLACE_FIRST, AUTO | LAYOUT_STRETCH | LAYOUT_STRETCH_VERTICAL | LAYOUT_FILL_COMPLETELY, 20, 10);
   const int below = Box(10, 60, 10, 10);
   PresentWindow();
   EXPECT_EQ(rect_of(fill), (Rect{2, 2, 197, 57})) << "down to the control below less one gap";
   EXPECT_EQ(rect_of(below), (Rect{10, 60, 19, 69}));
}

TEST_F(Layout, PartialFillStopsAtTheBottomOfItsRow)
{
   ASSERT_GT(MakeWindow(200, 100, "", 0), 0);
   const int partly = Box(PLACE_FIRST, AUTO | LAYOUT_STRETCH | LAYOUT_STRETCH_VERTICAL, 20, 10);
   const int tall = Box(150, 2, 10, 40);
   PresentWindow();
   EXPECT_EQ(rect_of(partly), (Rect{2, 2, 147, 41}));
   EXPECT_EQ(rect_of(tall), (Rect{150, 2, 159, 41}));
   EXPECT_EQ(LookupControl(partly)->flags_hi, LAYOUT_STRETCH_VERTICAL);
}

TEST_F(Layout, HorizontalStretchRecordsTheFillBitInFlagsHi)
{
   ASSERT_GT(MakeWindow(0, AUTO, "", 0), 0);
   const int a = Box(PLACE_FIRST, AUTO | LAYOUT_STRETCH, 20, 10);
   const int b = Box(PLACE_FIRST, AUTO, 20, 10);
   EXPECT_EQ(LookupControl(a)->flags_hi, LAYOUT_FILL_COMPLETELY);
   EXPECT_EQ(LookupControl(b)->flags_hi, 0);
   PresentWindow();
}

TEST_F(Layout, AlignBottomAndRightKeepTheSize)
{
   ASSERT_GT(MakeWindow(200, 100, "", 0), 0);
   const int bottom = Box(PLACE_FIRST, AUTO | LAYOUT_ALIGN_BOTTOM, 20, 10);
   const int corner = Box(PLACE_NEW_ROW, AUTO | LAYOUT_ALIGN_BOTTOM | LAYOUT_ALIGN_RIGHT, 30, 15);
   PresentWindow();
   EXPECT_EQ(rect_of(bottom), (Rect{2, 88, 21, 97}));
   EXPECT_EQ(rect_of(corner), (Rect{168, 83, 197, 97}));
}

TEST_F(Layout, AlignRightPullsTheCodeFourRunAlong)
{
   ASSERT_GT(MakeWindow(200, 100, "", 0), 0);
   const int ok = Box(PLACE_NEW_ROW | LAYOUT_ALIGN_RIGHT, AUTO, 40, 10);
   const int cancel = Box(PLACE_LEFT, AUTO, 50, 10);
   const int help = Box(PLACE_NEW_ROW, AUTO, 20, 10);
   PresentWindow();
   EXPECT_EQ(rect_of(ok), (Rect{158, 2, 197, 11}));
   EXPECT_EQ(rect_of(cancel), (Rect{106, 2, 155, 11}));
   EXPECT_EQ(rect_of(help), (Rect{2, 14, 21, 23})) << "the next row is not pulled";
}

TEST_F(Layout, ResizeControlAdjustsTheNaturalSize)
{
   ASSERT_GT(MakeWindow(0, AUTO, "", 0), 0);
   const int a = Box(PLACE_FIRST, AUTO, 20, 10);
   const int b = Box(PLACE_RIGHT, AUTO, 20, 10);
   EXPECT_EQ(ResizeControl(a, -5, 3), 1);
   PresentWindow();
   EXPECT_EQ(rect_of(a), (Rect{2, 2, 16, 14}));
   EXPECT_EQ(rect_of(b).x1, 19) << "the next control follows the adjusted edge";
}

TEST_F(Layout, NegativeYIsACoordinateWithoutFlags)
{
   ASSERT_GT(MakeWindow(0, AUTO, "", 0), 0);
   const int a = Box(5 | LAYOUT_ALIGN_RIGHT, -3, 10, 10);
   PresentWindow();
   EXPECT_EQ(rect_of(a), (Rect{5 | LAYOUT_ALIGN_RIGHT, -3, (5 | LAYOUT_ALIGN_RIGHT) + 9, 6}));
   EXPECT_EQ(LookupControl(a)->align, nullptr);
}

TEST_F(Layout, ShownWindowIsLaidOutAgainAfterControlsAreAdded)
{
   ASSERT_GT(MakeWindow(0, AUTO, "", WINDOW_NO_DRAG), 0);
   const int a = Box(PLACE_FIRST, AUTO, 20, 10);
   PresentWindow();
   WindowRecord *w = TopWindow();
   const Rect before = rect_of(w->root->self->id);
   PushGroup(w->client);
   const int b = Box(PLACE_RIGHT, AUTO, 30, 10);
   PopGroup();
   PresentWindow();
   const Rect after = rect_of(w->root->self->id);
   EXPECT_EQ(rect_of(a), (Rect{2, 2, 21, 11}));
   EXPECT_EQ(rect_of(b), (Rect{24, 2, 53, 11}));
   EXPECT_EQ(after.x1, before.x1) << "laid out again in place";
   EXPECT_EQ(after.y1, before.y1);
   EXPECT_EQ(after.x2 - before.x2, 32);
}

}

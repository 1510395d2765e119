// Layout geometry: placement codes and layout flags, read back from the
// controls' rectangles after PresentWindow. Boxes are SAMPLE_PLAIN with an
// empty label, so their natural size is exactly the size asked for. Window
// clients have margins and gaps of 2 pixels.
#include "toolkit/controls/sample_box.h"
#include "toolkit_test_support.h"

#include <initializer_list>
#include <vector>

namespace {

using kstr::test::Rect;
using kstr::test::rect_of;

int Box(int x, int y, int w, int h)
{
   return PlaceSampleBox(x, y, "", SAMPLE_PLAIN, w, h);
}

struct Placed {
   int x, y, w, h;
   Rect want;
   const char *why = "";
};

class Layout : public ::testing::Test {
 protected:
   kstr::test::ToolkitSession session;
   void SetUp() override { ASSERT_TRUE(session.ok); }

   // Makes a window with a w x h client, places the boxes in order, shows it
   // and checks where each box ended up. Returns the boxes' ids.
   static std::vector<int> ExpectLayout(int w, int h, std::initializer_list<Placed> boxes)
   {
      std::vector<int> ids;
      EXPECT_GT(MakeWindow(w, h, "", 0), 0);
      for (const Placed &b : boxes)
         ids.push_back(Box(b.x, b.y, b.w, b.h));
      PresentWindow();
      auto id = ids.begin();
      for (const Placed &b : boxes)
         EXPECT_EQ(rect_of(*id++), b.want) << "box " << (id - ids.begin()) << ": " << b.why;
      return ids;
   }
};

TEST_F(Layout, PlacementCodesRelativeToThePreviousControl)
{
   constexpr int far = 5 | LAYOUT_ALIGN_RIGHT;
   ExpectLayout(0, AUTO,
                {
                   {PLACE_RIGHT, AUTO, 20, 10, {2, 2, 21, 11}, "no previous: as code 1"},
                   {PLACE_RIGHT, AUTO, 30, 12, {24, 2, 53, 13}},
                   {PLACE_BELOW, AUTO, 10, 10, {24, 16, 33, 25}},
                   {PLACE_NEW_ROW, AUTO, 15, 8, {2, 28, 16, 35}, "below the lowest of all earlier controls"},
                   {3, AUTO, 9, 9, {0, 0, 8, 8}, "an unknown code leaves the control at 0,0"},
                   {100, 40, 8, 8, {100, 40, 107, 47}},
                   {far, -3, 10, 10, {far, -3, far + 9, 6}, "a negative y is a coordinate without flags"},
                });
}

TEST_F(Layout, CodeFourRunsReadBackwards)
{
   // Codes 8, 4, 4 appear third, second, first; the walk stops at the row's
   // first control, so the row above stays put.
   ExpectLayout(0, AUTO,
                {
                   {PLACE_NEW_ROW, AUTO, 20, 10, {76, 2, 95, 11}},
                   {PLACE_LEFT, AUTO, 30, 10, {44, 2, 73, 11}},
                   {PLACE_LEFT, AUTO, 40, 10, {2, 2, 41, 11}},
                   {PLACE_NEW_ROW, AUTO, 10, 10, {12, 14, 21, 23}},
                   {PLACE_LEFT, AUTO, 8, 10, {2, 14, 9, 23}},
                });
   ExpectLayout(0, AUTO,
                {
                   {PLACE_FIRST, AUTO, 60, 10, {2, 2, 61, 11}},
                   {PLACE_BELOW, AUTO, 20, 10, {2, 14, 21, 23}},
                   {100, 100, 8, 8, {100, 100, 107, 107}},
                   {PLACE_BELOW, AUTO, 30, 10, {100, 110, 129, 119}},
                   {PLACE_LEFT, AUTO, 12, 10, {86, 110, 97, 119}, "after code 16: ends left of it, width kept"},
                });
   ExpectLayout(200, 100,
                {
                   {PLACE_NEW_ROW | LAYOUT_ALIGN_RIGHT, AUTO, 40, 10, {158, 2, 197, 11}},
                   {PLACE_LEFT, AUTO, 50, 10, {106, 2, 155, 11}, "pulled along by the right-aligned control"},
                   {PLACE_NEW_ROW, AUTO, 20, 10, {2, 14, 21, 23}, "the next row is not pulled"},
                });
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

TEST_F(Layout, EqualWidthsAcrossARunAndHeightsDownAColumn)
{
   ExpectLayout(0, AUTO,
                {
                   {PLACE_FIRST | LAYOUT_EQUAL_WIDTH, AUTO, 20, 10, {2, 2, 51, 11}},
                   {PLACE_RIGHT | LAYOUT_EQUAL_WIDTH, AUTO, 50, 10, {54, 2, 103, 11}},
                   {PLACE_RIGHT | LAYOUT_EQUAL_WIDTH, AUTO, 30, 10, {106, 2, 155, 11}},
                   {PLACE_RIGHT, AUTO, 10, 10, {158, 2, 167, 11}},
                   {PLACE_RIGHT | LAYOUT_EQUAL_WIDTH, AUTO, 15, 10, {170, 2, 184, 11}, "a new run"},
                });
   ExpectLayout(0, AUTO,
                {
                   {PLACE_FIRST, AUTO | LAYOUT_EQUAL_HEIGHT, 20, 10, {2, 2, 21, 26}},
                   {PLACE_BELOW, AUTO | LAYOUT_EQUAL_HEIGHT, 20, 25, {2, 29, 21, 53}},
                   {PLACE_NEW_ROW, AUTO, 10, 10, {2, 56, 11, 65}, "later rows follow the equalised heights"},
                });
}

TEST_F(Layout, StretchFillsUpToTheNextControlOrTheEdgeAndAlignKeepsTheSize)
{
   ExpectLayout(
      200, 100,
      {
         {PLACE_FIRST, AUTO | LAYOUT_STRETCH, 20, 10, {2, 2, 147, 11}, "up to the next control less one gap"},
         {150, 5, 10, 10, {150, 5, 159, 14}},
         {PLACE_NEW_ROW, AUTO | LAYOUT_STRETCH, 20, 10, {2, 17, 197, 26}, "to the right edge less the margin"},
      });
   ExpectLayout(200, 100,
                {
                   {PLACE_FIRST,
                    AUTO | LAYOUT_STRETCH | LAYOUT_STRETCH_VERTICAL | LAYOUT_FILL_COMPLETELY,
                    20,
                    10,
                    {2, 2, 197, 57},
                    "down to the control below less one gap"},
                   {10, 60, 10, 10, {10, 60, 19, 69}},
                });
   ExpectLayout(
      200, 100,
      {
         {PLACE_FIRST, AUTO | LAYOUT_STRETCH | LAYOUT_STRETCH_VERTICAL, 20, 10, {2, 2, 147, 41}, "to its row's bottom"},
         {150, 2, 10, 40, {150, 2, 159, 41}},
      });
   ExpectLayout(200, 100,
                {
                   {PLACE_FIRST, AUTO | LAYOUT_ALIGN_BOTTOM, 20, 10, {2, 88, 21, 97}},
                   {PLACE_NEW_ROW, AUTO | LAYOUT_ALIGN_BOTTOM | LAYOUT_ALIGN_RIGHT, 30, 15, {168, 83, 197, 97}},
                });
}

// Controls that share only an edge row or column (inclusive corners) count as
// side by side, whichever side the shared edge is on: a stretch stops short
// of them. One pixel further away they are out of the way.
TEST_F(Layout, StretchStopsAtAControlTouchingOnlyAtAnEdge)
{
   // Filling stretches across first (up to the box on its right), then down.
   constexpr int fill = LAYOUT_STRETCH | LAYOUT_STRETCH_VERTICAL | LAYOUT_FILL_COMPLETELY;
   const Placed right_of_fill = {100, 2, 10, 10, {100, 2, 109, 11}};
   for (const auto &boxes : std::initializer_list<std::initializer_list<Placed>>{
           {{PLACE_FIRST, AUTO | LAYOUT_STRETCH, 20, 10, {2, 2, 147, 11}, "its bottom row is the other's top row"},
            {150, 11, 10, 10, {150, 11, 159, 20}}},
           {{2, 20 | LAYOUT_STRETCH, 20, 10, {2, 20, 147, 29}, "its top row is the other's bottom row"},
            {150, 11, 10, 10, {150, 11, 159, 20}}},
           {{PLACE_FIRST, AUTO | LAYOUT_STRETCH, 20, 10, {2, 2, 197, 11}, "the other starts one row lower"},
            {150, 12, 10, 10, {150, 12, 159, 21}}},
           {{2, 21 | LAYOUT_STRETCH, 20, 10, {2, 21, 197, 30}, "the other ends one row higher"},
            {150, 11, 10, 10, {150, 11, 159, 20}}},
           {{50, 2 | fill, 20, 10, {50, 2, 97, 57}, "its right column is the lower box's left column"},
            right_of_fill,
            {97, 60, 10, 10, {97, 60, 106, 69}}},
           {{50, 2 | fill, 20, 10, {50, 2, 97, 57}, "its left column is the lower box's right column"},
            right_of_fill,
            {41, 60, 10, 10, {41, 60, 50, 69}}},
           {{50, 2 | fill, 20, 10, {50, 2, 97, 97}, "the lower boxes are one column further out"},
            right_of_fill,
            {98, 60, 10, 10, {98, 60, 107, 69}},
            {40, 60, 10, 10, {40, 60, 49, 69}}},
        })
      ExpectLayout(200, 100, boxes);
}

TEST_F(Layout, ShownWindowIsLaidOutAgainAfterControlsAreAdded)
{
   ASSERT_GT(MakeWindow(0, AUTO, "", WINDOW_NO_DRAG), 0);
   const int a = Box(PLACE_FIRST, AUTO, 20, 10);
   EXPECT_EQ(ResizeControl(a, -5, 3), 1);  // adjusts the natural size
   PresentWindow();
   EXPECT_EQ(rect_of(a), (Rect{2, 2, 16, 14}));
   WindowRecord *w = TopWindow();
   const Rect before = rect_of(w->root->self->id);
   PushGroup(w->client);
   const int b = Box(PLACE_RIGHT, AUTO, 30, 10);
   PopGroup();
   PresentWindow();
   const Rect after = rect_of(w->root->self->id);
   EXPECT_EQ(rect_of(a), (Rect{2, 2, 16, 14})) << "the adjustment lasts";
   EXPECT_EQ(rect_of(b), (Rect{19, 2, 48, 11})) << "the next control follows the adjusted edge";
   EXPECT_EQ(after, (Rect{before.x1, before.y1, before.x2 + 32, after.y2})) << "laid out again in place";
}

}

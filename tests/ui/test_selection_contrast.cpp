// Selected list rows, highlighted menu items and the hot row of a drop-down
// list stay readable in the toolkit's own colours and in every colour scheme
// of the player: the contrast of their text is computed from the pixels
// drawn on the screen.
#include "input_test_support.h"
#include "list_test_support.h"

#include "app/config.h"
#include "draw/draw.h"
#include "ui/color_schemes.h"

#include "controls/choice_list_parts.h"
#include "toolkit/controls/choice_list.h"
#include "toolkit/controls/popup_menu.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>

namespace kstr::test {
namespace {

double luminance(const Rgb &c)
{
   auto lin = [](int v) {
      const double s = v / 255.0;
      return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
   };
   return 0.2126 * lin(c.r) + 0.7152 * lin(c.g) + 0.0722 * lin(c.b);
}

double contrast(const Rgb &a, const Rgb &b)
{
   const double la = luminance(a), lb = luminance(b);
   return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The background is the commonest colour inside the rectangle, the text the
// next commonest; the contrast of the two, 0 when no text was drawn.
double drawn_contrast(const Rect &r)
{
   std::map<std::tuple<int, int, int>, int> counts;
   for (int y = r.y1 + 1; y < r.y2; ++y)
      for (int x = r.x1 + 1; x < r.x2; ++x) {
         const Rgb p = screen_pixel(x, y);
         ++counts[{p.r, p.g, p.b}];
      }
   std::vector<std::pair<int, std::tuple<int, int, int>>> byCount;
   for (const auto &[colour, n] : counts)
      byCount.emplace_back(n, colour);
   std::sort(byCount.rbegin(), byCount.rend());
   if (byCount.size() < 2 || byCount[1].first < 10)
      return 0;
   auto rgb = [](const std::tuple<int, int, int> &t) { return Rgb{std::get<0>(t), std::get<1>(t), std::get<2>(t)}; };
   return contrast(rgb(byCount[0].second), rgb(byCount[1].second));
}

void NoChoice(void *) {}

void BuildMenu(void *)
{
   AddPopupItem(0, "Highlighted item", "", NoChoice, nullptr);
   AddPopupItem(0, "Other item", "", NoChoice, nullptr);
}

TEST(SelectionContrast, SelectedTextIsReadableInEveryScheme)
{
   ToolkitSession session(640, 480, 24);
   ASSERT_TRUE(session.ok);
   mouse_callback = nullptr;
   keyboard_ucallback = nullptr;
   int count = 4;
   std::string texts[3] = {"Choice one", "Choice two", "Choice three"};
   char *items[3] = {texts[0].data(), texts[1].data(), texts[2].data()};
   int sel = 0;
   MakeWindow(0, AUTO, "contrast", WINDOW_NO_DRAG);
   const int list = PlaceListView(PLACE_FIRST, AUTO, nullptr, &count, 200, 2, ItemText, LogMenu, 4);
   SetListIndexer(list, ItemHandle);
   const int choice = PlaceChoiceList(PLACE_NEW_ROW, AUTO, 160, "", &sel, items, 3);
   PresentWindow();
   run_loop_for(20);

   int x, y;
   color_schemes_init();
   for (int scheme = -1; scheme < SCHEME_COUNT; ++scheme) {
      const std::string name = scheme < 0 ? "toolkit" : color_schemes[scheme].name;
      SCOPED_TRACE(name);
      if (scheme < 0) {
         InitInterfaceColours();
         RedrawScreen();
      } else {
         cscheme = scheme;
         color_scheme_apply(nullptr);
      }
      run_loop_for(20);

      // A selected list row.
      const Control *view = LookupControl(list);
      const Control *row = nullptr;
      for (const Control *c = view->container->first; c && !row; c = c->next)
         if (c->x1 == LIST_FRAME)
            row = c;
      ASSERT_NE(row, nullptr);
      centre_of(row->id, &x, &y);
      inject_click(x, y);
      run_loop_for(30);
      ASSERT_EQ(ListRowSelected(list, 0), 1);
      EXPECT_GE(drawn_contrast(screen_rect_of(row->id)), 4.5) << "selected list row";

      // A highlighted menu item.
      const int menu = OpenPopupMenu(choice, BuildMenu, nullptr);
      ASSERT_GT(menu, 0);
      press_key(KEY_DOWN);
      EXPECT_GE(drawn_contrast(screen_rect_of(menu + 2)), 4.5) << "highlighted menu item";
      press_key(KEY_ESC, 27);

      // The hot row of an open drop-down list.
      centre_of(choice, &x, &y);
      inject_click(x, y);
      run_loop_for(30);
      const int drop = OpenChoiceDropList();
      ASSERT_GE(drop, 0);
      const Rect rows = screen_rect_of(drop);
      const int row_h = ChoiceRowHeight(LookupControl(choice));
      EXPECT_GE(drawn_contrast(Rect{rows.x1, rows.y1, rows.x2, rows.y1 + row_h + 1}), 4.5) << "drop-down list";
      save_screenshot("selection_" + name);
      press_key(KEY_ESC, 27);
   }
}

}
}

// Popup menus through injected input: placement below a control, keys,
// separators, sub-menus, Escape and a click on an item.
#include "input_test_support.h"

#include "toolkit/controls/popup_menu.h"

#include <string>

namespace kstr::test {
namespace {

std::string chosen;

void Choose(void *name)
{
   chosen += static_cast<const char *>(name);
}

void BuildSub(void *)
{
   AddPopupItem(0, "Deep", "", Choose, const_cast<char *>("deep"));
}

void BuildMenu(void *)
{
   AddPopupItem(0, "~Play", "Ctrl+P", Choose, const_cast<char *>("play"));
   AddPopupSeparator();
   AddPopupItem(0, "Insert song", "", Choose, const_cast<char *>("insert"));
   AddPopupItem(1, "More", "", BuildSub, nullptr);
}

TEST_F(InputTest, PopupMenuOpensBelowItsControlAndKeysOrAClickChoose)
{
   int menu = OpenPopupMenu(a_, BuildMenu, nullptr);
   ASSERT_GT(menu, 0);
   const Rect anchor = screen_rect_of(a_);
   EXPECT_EQ(rect_of(menu).x1, anchor.x1);
   EXPECT_EQ(rect_of(menu).y1, anchor.y2 + 1);

   // Down, Down skips the separator; Enter chooses "Insert song".
   press_key(KEY_DOWN);
   press_key(KEY_DOWN);
   press_key(KEY_ENTER, '\r');
   EXPECT_EQ(chosen, "insert");
   EXPECT_EQ(LookupControl(menu), nullptr);

   // Escape closes without choosing; the hot key chooses.
   menu = OpenPopupMenu(-1, BuildMenu, nullptr);
   press_key(KEY_ESC, 27);
   EXPECT_EQ(LookupControl(menu), nullptr);
   menu = OpenPopupMenu(-1, BuildMenu, nullptr);
   press_key(KEY_P, 'p');
   EXPECT_EQ(chosen, "insertplay");

   // Up wraps to "More", Right opens its sub-menu, Enter chooses in it and
   // closes both menus.
   menu = OpenPopupMenu(-1, BuildMenu, nullptr);
   press_key(KEY_UP);
   press_key(KEY_RIGHT);
   press_key(KEY_ENTER, '\r');
   EXPECT_EQ(chosen, "insertplaydeep");
   EXPECT_EQ(LookupControl(menu), nullptr);
   EXPECT_EQ(TopWindow()->client->first, LookupControl(a_));

   // A click on an item chooses it after the menu has closed.
   menu = OpenPopupMenu(b_, BuildMenu, nullptr);
   int x, y;
   centre_of(menu + 2, &x, &y);  // root, client, then the first line
   inject_click(x, y);
   run_loop_for(30);
   EXPECT_EQ(chosen, "insertplaydeepplay");
   EXPECT_EQ(LookupControl(menu), nullptr);
   // Nothing is added outside a build function.
   EXPECT_EQ(AddPopupItem(0, "x", "", Choose, nullptr), -1);
   EXPECT_EQ(AddPopupSeparator(), -1);
}

}
}

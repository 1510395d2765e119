// The gallery window under the test X server; its screenshot is left in
// screenshots/toolkit_gallery.bmp for a person to look at.
#include "controls/list_view_parts.h"
#include "draw/draw.h"
#include "event_test_support.h"
#include "gallery_window.h"
#include "toolkit_test_support.h"
#include "windows/input_sink.h"

#include <allegro.h>

#include <cstdlib>
#include <vector>

namespace {

using kstr::test::Rgb;

Rgb SlotColour(int slot)
{
   const int c = InterfaceColour[slot];
   return Rgb{getr(c), getg(c), getb(c)};
}

TEST(WindowsGallery, BuildsItsWindowAndSavesAScreenshot)
{
   kstr::test::ToolkitSession session;
   ASSERT_TRUE(session.ok);
   position_mouse(SCREEN_W / 2, SCREEN_H / 2);
   const int window = BuildGalleryWindow(std::getenv("KSTR_RUN_DIR"));
   ASSERT_GT(window, 0);
   show_mouse(nullptr);
   EXPECT_FALSE(kstr::test::save_screenshot("toolkit_gallery").empty());

   const kstr::test::Rect r = kstr::test::rect_of(window);
   EXPECT_GE(r.x1, 0);
   EXPECT_LT(r.x2, SCREEN_W) << "the gallery fits the player's window size";
   EXPECT_LT(r.y2, SCREEN_H);
   EXPECT_EQ(kstr::test::screen_pixel(r.x2 - 4, r.y1 + 3), SlotColour(COLOUR_TITLE)) << "active title bar";
   EXPECT_EQ(kstr::test::screen_pixel(r.x1 - 1, r.y1 + 3), SlotColour(COLOUR_SHADOW)) << "desktop beside it";
   // Tab goes round every control that takes input, the list view too.
   bool list_reached = false;
   std::vector<int> seen;
   for (int i = 0; i < 80; ++i) {
      DeliverKey('\t', KEY_TAB, 0);
      const int id = FocusedControlId();
      if (!seen.empty() && id == seen.front())
         break;
      seen.push_back(id);
      const Control *c = LookupControl(id);
      list_reached |= c && c->event_cls == &kListViewInput;
   }
   EXPECT_TRUE(list_reached) << seen.size() << " controls in the Tab order";
   // Escape is the Close box's hot key; it ends the loop the gallery runs in.
   kstr::test::LoopDeadline deadline(3000);
   QueueCall([](void *) { DeliverKey(27, KEY_ESC, 0); }, nullptr, 0, 0);
   RunEventLoop();
   EXPECT_FALSE(deadline.fired) << "Escape did not end the loop";
}

}

// The main window as built: its controls in order, the colour schemes on
// screen, the transport buttons on the engine, the seek bar and the menu.
#include "main_window_test_support.h"

#include "toolkit/controls/progress_bar.h"

namespace kstr::test {
namespace {

// A colour as the screen's depth keeps it.
Rgb OnScreen(int r, int g, int b)
{
   const int c = makecol(r, g, b);
   return Rgb{getr(c), getg(c), getb(c)};
}

// What identifies a control of the window: its image, else its text.
std::string Describe(const Control *c)
{
   if (!c->icon_name.empty())
      return "#" + c->icon_name;
   return c->text.empty() ? "" : c->text[0];
}

std::vector<std::string> TopLevelControls()
{
   std::vector<std::string> seen;
   for (const Control *c = TopWindow()->client->first; c; c = c->next)
      if (!c->not_placed)
         seen.push_back(Describe(c));
   return seen;
}

TEST_F(MainWindowTest, ControlsComeInTheirOrderAndTheSchemesPaintThem)
{
   std::vector<std::string> order;
   std::string title;
   Rgb list_background[SCHEME_COUNT];
   Rect list{}, bar{}, add{}, quit{};
   RunWindow({[&] {
      order = TopLevelControls();
      title = TopWindow()->title;
      list = screen_rect_of(main_window_state().list);
      bar = screen_rect_of(progress_bar);
      add = screen_rect_of(IconControl("pladdsong"));
      quit = screen_rect_of(IconControl("xicon"));
      show_mouse(nullptr);
      for (int s = 0; s < SCHEME_COUNT; ++s) {
         cscheme = s;
         color_scheme_apply(nullptr);
         list_background[s] = screen_pixel(list.x1 + 40, list.y1 + 100);
         save_screenshot("main_window_scheme_" + std::to_string(s));
      }
      cscheme = 0;
      color_scheme_apply(nullptr);
   }});

   EXPECT_EQ(title, "Kestrune");
   // The progress bar and the list show no text; the slider neither.
   EXPECT_EQ(order, (std::vector<std::string>{"#menuicon", "", "#xicon", "", "#previcon", "#playicon", "#pauseicon",
                                              "#stopicon", "#nexticon", "", "", "#pladdsong", "#plnewpl", "Load",
                                              "Merge", "Save"}));
   EXPECT_EQ(bar.x2 - bar.x1, 211) << "210 pixels and the frame";
   EXPECT_LT(quit.y2, bar.y1) << "the quit button's row is above the bar";
   EXPECT_LT(list.y2, add.y1) << "the playlist buttons are below the list";
   // Slot 1 is the list's background: white, dark blue, black.
   EXPECT_EQ(list_background[0], OnScreen(255, 255, 255));
   EXPECT_EQ(list_background[1], OnScreen(0, 0, 64));
   EXPECT_EQ(list_background[2], OnScreen(0, 0, 0));
}

TEST_F(MainWindowTest, TheVersionFieldShowsTheVersionAndTheMenuOffersItsTwoItems)
{
   std::string version;
   std::vector<std::string> lines;
   RunWindow({
      [&] {
         version = main_window_state().version;
         ClickControl(IconControl("menuicon"));
      },
      [&] {
         WindowRecord *menu = TopWindow();
         FindIn(menu ? menu->client : nullptr, [&](Control *c) {
            if (!c->text.empty())
               lines.push_back((c->icon ? c->icon->name + ":" : "") + c->text[0]);
            return false;
         });
         InjectKey(0, KEY_ESC, 0);
      },
   });
   EXPECT_EQ(version, "1.00b");
   EXPECT_EQ(lines, (std::vector<std::string>{"setupicon:Settings", "abouticon:About"}));
}

}
}

// The main window as built (its controls, schemes and menu), the about window
// it opens, and the quit question; the confirmed quit ends the process, so
// the end-to-end and start-up tests run the real program for that.
#include "ui_test_support.h"

#include "toolkit/controls/progress_bar.h"
#include "ui/about_window.h"
#include "ui/quit.h"

#include <set>

namespace kstr::test {
namespace {

// The top window's placed controls, in order: the image, else the text.
Names placed_controls()
{
   Names seen;
   for (const Control *c = TopWindow()->client->first; c; c = c->next)
      if (!c->not_placed)
         seen.push_back(!c->icon_name.empty() ? "#" + c->icon_name : c->text.empty() ? "" : c->text[0]);
   return seen;
}

// Every text line of window `id` (0: the top one), with its image's name.
Names lines_in(int id, bool with_images)
{
   Names lines;
   find_in_window(id, [&](Control *c) {
      for (const std::string &line : c->text)
         lines.push_back((with_images && c->icon ? c->icon->name + ":" : "") + line);
      return false;
   });
   return lines;
}

TEST_F(PlayerTest, ControlsComeInTheirOrderTheSchemesPaintThemAndTheMenuHasTwoItems)
{
   start();
   Names order, menu;
   std::string title, version;
   Rgb list_background[SCHEME_COUNT];
   Rect list{}, bar{}, add{}, quit{};
   run_steps({
      [&] {
         order = placed_controls();
         title = TopWindow()->title;
         version = main_window_state().version;
         list = screen_rect_of(main_window_state().list);
         bar = screen_rect_of(progress_bar);
         add = screen_rect_of(icon_control("pladdsong"));
         quit = screen_rect_of(icon_control("xicon"));
         show_mouse(nullptr);
         for (int s = 0; s < SCHEME_COUNT; ++s) {
            cscheme = s;
            color_scheme_apply(nullptr);
            list_background[s] = screen_pixel(list.x1 + 40, list.y1 + 100);
            shot("main_window_scheme_" + std::to_string(s));
         }
         cscheme = 0;
         color_scheme_apply(nullptr);
         ClickControl(icon_control("menuicon"));
      },
      [&] {
         menu = lines_in(0, true);
         press(KEY_ESC);
      },
   });

   EXPECT_EQ(title, "Kestrune");
   EXPECT_EQ(version, "1.00b");
   EXPECT_EQ(order, (Names{"#menuicon", "", "#xicon", "", "#previcon", "#playicon", "#pauseicon", "#stopicon",
                           "#nexticon", "", "", "#pladdsong", "#plnewpl", "Load", "Merge", "Save"}));
   EXPECT_EQ(bar.x2 - bar.x1, 211) << "210 pixels and the frame";
   EXPECT_LT(quit.y2, bar.y1) << "the quit button's row is above the bar";
   EXPECT_LT(list.y2, add.y1) << "the playlist buttons are below the list";
   // Slot 1 is the list's background: white, dark blue, black.
   EXPECT_EQ(list_background[0], as_shown(255, 255, 255));
   EXPECT_EQ(list_background[1], as_shown(0, 0, 64));
   EXPECT_EQ(list_background[2], as_shown(0, 0, 0));
   EXPECT_EQ(menu, (Names{"setupicon:Settings", "abouticon:About"}));
}

// The thanks line ends with the catalogue's and_many_other, shipped or not.
TEST_F(PlayerTest, AboutWindowShowsLogoTextsAndReturns)
{
   start();
   const struct {
      const char *thanks;  // null: the shipped text
      std::string expected;
   } cases[] = {
      {nullptr, std::string(ABOUT_THANKED) + " and many others."},
      {"And many others.", "And many others."},
   };
   Script script;
   for (const auto &c : cases) {
      script.steps.push_back([&] {
         if (c.thanks)
            tr_set_text(current_translation, msg::and_many_other, c.thanks);
      });
      open_from_menu(msg::about, script);
      script.steps.push_back([&] {
         const int about = top_window_id();
         ASSERT_NE(about, main_window_state().window);
         WindowRecord *w = WindowOf(LookupControl(about));
         EXPECT_TRUE(w->modal);
         EXPECT_EQ(w->title, text(msg::ABOUT));
         EXPECT_EQ(lines_in(about, false), (Names{ABOUT_PRODUCT_LINE, ABOUT_CONTACT_LINES[0], ABOUT_CONTACT_LINES[1],
                                                  ABOUT_CONTACT_LINES[2], text(msg::thanks), text(msg::thanks_to),
                                                  c.expected, ABOUT_LIBRARY_LINE, text(msg::return_)}));
         Control *logo = find_in_window(about, [](Control *k) { return k->icon != nullptr; });
         BITMAP *file = load_bitmap("gfx/logo.bmp", nullptr);
         ASSERT_TRUE(logo && file) << "the logo label shows its picture";
         EXPECT_EQ(logo->icon->width, file->w);
         EXPECT_EQ(logo->icon->height, file->h);
         destroy_bitmap(file);
         shot(c.thanks ? "about_without_names" : "about_window");
         ClickControl(control_labelled(about, text(msg::return_)));
      });
      script.steps.push_back([] { EXPECT_EQ(top_window_id(), main_window_state().window); });
   }
   end_main_window(script);
   run_main_window(script);
}

// Asked from the quit button and from the frame's close button (which
// Allegro reports on its own thread), with one of ten title and message
// pairs; the second button leaves the program as it was.
TEST_F(PlayerTest, TheQuitQuestionTakesItsWordsFromTenPairsAndNoChangesNothing)
{
   start();
   constexpr int kAsks = 40;
   std::set<std::pair<std::string, std::string>> asked;
   Steps steps;
   for (int i = 0; i < kAsks; ++i) {
      steps.push_back([i] {
         playlist_insert(main_playlist, 0, "kept.mp3", 0);
         if (i % 2)
            ClickControl(icon_control("xicon"));
         else
            quit_request_queued();
      });
      steps.push_back([&] {
         asked.insert({TopWindow()->title, RequesterMessage()});
         press(KEY_TAB, '\t');
         press(KEY_ENTER, '\r');
      });
   }
   std::string after;
   uint32_t rows = 0;
   steps.push_back([&] {
      after = RequesterMessage();
      rows = main_playlist->count;
   });
   run_steps(steps, 40);

   std::set<std::pair<std::string, std::string>> pairs;
   for (int r = 0; r < QUIT_PAIRS; ++r) {
      const std::string message = text(quit_message_item(r));
      pairs.insert({text(quit_title_item(r)), message.substr(0, message.find('|'))});
   }
   EXPECT_EQ(pairs.size(), 10u) << "ten different pairs in the catalogue";
   for (const auto &a : asked)
      EXPECT_TRUE(pairs.count(a)) << a.first << " / " << a.second;
   EXPECT_GE(asked.size(), 8u) << "the pair is drawn at random";
   EXPECT_EQ(after, "") << "no question left open";
   EXPECT_EQ(rows, static_cast<uint32_t>(kAsks)) << "the program went on with its playlist";
}

}
}

// The about window through the main menu: its texts, the logo, the thanks
// line built from the catalogue and the return button.
#include "ui_test_support.h"

#include "ui/about_window.h"

using namespace kstr::test;

namespace {

std::vector<std::string> texts_of(int window)
{
   std::vector<std::string> texts;
   find_in_window(window, [&](Control *c) {
      for (const std::string &line : c->text)
         texts.push_back(line);
      return false;
   });
   return texts;
}

}

TEST_F(PlayerTest, AboutWindowShowsLogoTextsAndReturns)
{
   start();
   const struct {
      const char *thanks;  // the catalogue's and_many_other, null: shipped
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
         const std::vector<std::string> expected = {
            ABOUT_PRODUCT_LINE, ABOUT_CONTACT_LINES[0], ABOUT_CONTACT_LINES[1], ABOUT_CONTACT_LINES[2],
            text(msg::thanks), text(msg::thanks_to), c.expected, ABOUT_LIBRARY_LINE, text(msg::return_)};
         EXPECT_EQ(texts_of(about), expected);
         Control *logo = find_in_window(about, [](Control *k) { return k->icon != nullptr; });
         ASSERT_NE(logo, nullptr) << "the logo label shows its picture";
         BITMAP *file = load_bitmap("gfx/logo.bmp", nullptr);
         ASSERT_NE(file, nullptr);
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

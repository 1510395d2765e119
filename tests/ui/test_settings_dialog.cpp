// The settings dialog driven through its windows: its pages and the values
// they are bound to, the scheme's apply button, the save button's file and
// the set_resolution button's graphics modes.
#include "ui_test_support.h"

#include <sys/wait.h>

#include <sstream>

using namespace kstr::test;

namespace {

Names lines_of(const std::string &path)
{
   std::istringstream in(read_file(path));
   Names lines;
   for (std::string line; std::getline(in, line);)
      lines.push_back(line);
   return lines;
}

// The full-screen choice toggles on a click on its field, right of its label.
void toggle_fullscreen(Script &script)
{
   script.steps.push_back([] {
      const Rect r = screen_rect_of(in_settings(msg::fullscreen));
      inject_click(r.x2 - 4, (r.y1 + r.y2) / 2);
   });
}

void close_settings(Script &script)
{
   click_settings(msg::close, script);
   script.steps.push_back([] { EXPECT_EQ(settings_window_id, 0); });
}

// A point of the main window's face (scheme slot 3) the dialog leaves free.
std::pair<int, int> free_face_point()
{
   const Rect main = screen_rect_of(main_window_state().window);
   const Rect dialog = screen_rect_of(settings_window_id);
   for (const auto &[x, y] : {std::pair{main.x1 + 3, main.y2 - 3}, std::pair{main.x2 - 3, main.y2 - 3}})
      if (x < dialog.x1 || x > dialog.x2 || y < dialog.y1 || y > dialog.y2)
         return {x, y};
   return {0, 0};
}

}

// The dialog opens on the streams page (settings_tab starts at 1) and again
// on the page last chosen; each field is bound to its setting and its
// slider; the scheme's apply recolours the main window at once; the save
// button writes exactly the keys changed.
TEST_F(PlayerTest, PagesEditTheirValuesInPlaceAndSavingWritesExactlyTheChangedKeys)
{
   start();
   const Names shipped = lines_of("kstr.ini");
   Script script;
   Rgb before{}, after{};
   std::pair<int, int> face{};
   std::string notice;
   const auto buffer_field = [] { return next_of(in_settings(msg::buffer_size)); };
   open_from_menu(msg::setup, script);
   script.steps.push_back([&] {
      ASSERT_NE(settings_window_id, 0);
      const int tabs[] = {in_settings(msg::graphics), in_settings(msg::mp3_and_ogg), in_settings(msg::language)};
      EXPECT_LT(screen_rect_of(tabs[0]).x1, screen_rect_of(tabs[1]).x1);
      EXPECT_LT(screen_rect_of(tabs[1]).x1, screen_rect_of(tabs[2]).x1);
      EXPECT_EQ(tooltip_of(in_settings(msg::close)), text(msg::close_tooltip));
      EXPECT_EQ(tooltip_of(in_settings(msg::save_settings)), text(msg::save_settings_tooltip));
      EXPECT_EQ(in_settings(msg::resolution), -1);
      EXPECT_EQ(value_of(buffer_field()), 32);
      EXPECT_EQ(value_of(next_of(buffer_field())), 32);
      // The second group: the modules' buffer field and slider, resampling, frequency.
      Control *box = LookupControl(next_of(LookupControl(buffer_field())->parent->self->id));
      ASSERT_TRUE(box && box->container);
      std::vector<int> values;
      for (Control *c = box->container->first; c; c = c->next)
         if (c->cls->get_value && c->text.empty())
            values.push_back(value_of(c->id));
      EXPECT_EQ(values, (std::vector<int>{16, 16, 1, 22050}));
      shot("settings_streams_page");
      ClickControl(buffer_field());
      press(KEY_END);
      press(KEY_BACKSPACE);
      press(KEY_BACKSPACE);
      TypeText("48");
      press(KEY_ENTER, '\r');
   });
   script.steps.push_back([&] {
      EXPECT_EQ(mp3oggbuffer, 48);
      EXPECT_EQ(value_of(next_of(buffer_field())), 48) << "the field moves its slider";
      ClickControl(next_of(buffer_field()));
   });
   script.steps.push_back([] { press(KEY_END); });
   script.steps.push_back([&] {
      EXPECT_EQ(mp3oggbuffer, 64);
      EXPECT_EQ(value_of(buffer_field()), 64) << "the slider moves its field";
   });

   choose_tab(0, script);
   script.steps.push_back([&] {
      EXPECT_EQ(settings_tab, 0);
      EXPECT_EQ(value_of(in_settings(msg::resolution)), 0);
      EXPECT_EQ(value_of(in_settings(msg::bit_depth)), 2);
      EXPECT_EQ(value_of(in_settings(msg::refresh_rate)), 1);
      EXPECT_EQ(value_of(in_settings(msg::color_scheme)), 0);
      EXPECT_EQ(tooltip_of(in_settings(msg::set_resolution)), text(msg::set_resolution_tooltip));
      shot("settings_graphics_page");
      face = free_face_point();
      ASSERT_NE(face.first, 0) << "the dialog covers the main window's corners";
      before = screen_pixel(face.first, face.second);
   });
   choose([] { return in_settings(msg::color_scheme); }, 2, script);
   click_settings(msg::color_scheme, script, 1);  // its apply button
   script.steps.push_back([&] {
      after = screen_pixel(face.first, face.second);
      shot("scheme_dark_applied");
   });
   choose([] { return in_settings(msg::bit_depth); }, 4, script);
   toggle_fullscreen(script);
   click_settings(msg::vsync, script);
   click_settings(msg::draw_mouse_interrupt, script);
   script.steps.push_back([] {
      EXPECT_EQ(depth, 4);
      EXPECT_EQ(fullscreen, 1);
      EXPECT_EQ(vsync_flag, 0);
      EXPECT_EQ(mouseint, 1);
      EXPECT_EQ(MouseInputMode, 1) << "the toolkit draws the pointer as the box says";
   });
   choose_tab(2, script);
   close_settings(script);
   open_from_menu(msg::setup, script);
   script.steps.push_back([] {
      EXPECT_EQ(settings_tab, 2);
      EXPECT_GE(in_settings(msg::change_language), 0);
      EXPECT_EQ(in_settings(msg::resolution), -1);
   });
   click_settings(msg::save_settings, script);
   script.steps.push_back(answer(notice));
   close_settings(script);
   end_main_window(script);
   EXPECT_FALSE(run_main_window(script));

   EXPECT_EQ(cscheme, 2);
   EXPECT_EQ(before, as_shown(192, 192, 192)) << "slot 3 of \"Tessel\"";
   EXPECT_EQ(after, (Rgb{0, 0, 0})) << "slot 3 of \"Dark\"";
   EXPECT_EQ(notice, "The settings have been saved.");
   const Names saved = lines_of("kstr.ini");
   ASSERT_EQ(saved.size(), shipped.size());
   Names changed;
   for (std::size_t i = 0; i < saved.size(); ++i)
      if (saved[i] != shipped[i])
         changed.push_back(saved[i]);
   EXPECT_EQ(changed,
             (Names{"depth = 4", "cscheme = 2", "mouseint = 1", "vsync = 0", "fullscreen = 1", "mp3oggbuffer = 64"}));
}

// The full-screen size comes from the file: a resolution chosen but not
// saved leaves it; saved, it is the new size. The windowed mode is rebuilt
// as well. Every rebuild keeps the playlist and the playing song.
TEST_F(PlayerTest, SetResolutionRebuildsInTheFilesModeKeepingThePlaylistAndSong)
{
   std::string ini = kWindowedIni;
   ini.replace(ini.find("fullscreen = 0"), 14, "fullscreen = 1");
   ini.replace(ini.find("resx = 640"), 10, "resx = 800");
   ini.replace(ini.find("resy = 480"), 10, "resy = 600");
   start(ini);
   ASSERT_EQ(SCREEN_W, 800);

   struct Expect {
      int list_index;  // resolution chosen in the list, -1 for none
      bool save;
      bool windowed;  // full screen switched off in the dialog first
      int w, h;
   } steps[] = {
      {2, false, false, 800, 600},
      {2, true, false, 1024, 768},
      {-1, false, true, 640, 580},
   };
   PlayingSong song;
   const Expect *previous = nullptr;
   // What the last rebuild must have kept and set, checked in the new window.
   const auto check = [&](Script &script) {
      script.steps.push_back([&, e = previous] {
         const std::string size = std::to_string(e->w) + "x" + std::to_string(e->h);
         EXPECT_EQ(SCREEN_W, e->w);
         EXPECT_EQ(SCREEN_H, e->h);
         EXPECT_EQ(is_windowed_mode() != 0, e->windowed);
         song.expect_kept(size);
         EXPECT_NE(control_with_tooltip(main_window_state().window, text(msg::menu)), -1);
         shot("set_resolution_" + size);
      });
   };
   for (const Expect &e : steps) {
      Script script;
      if (previous)
         check(script);
      else
         script.steps.push_back([&] { song.start(); });
      open_from_menu(msg::setup, script);
      choose_tab(0, script);
      if (e.list_index >= 0)
         choose([] { return in_settings(msg::resolution); }, e.list_index, script);
      if (e.windowed)
         toggle_fullscreen(script);
      if (e.save) {
         click_settings(msg::save_settings, script);
         script.steps.push_back([] { press(KEY_ENTER, '\r'); });
      }
      click_settings(msg::set_resolution, script);
      ASSERT_TRUE(run_main_window(script)) << e.w << "x" << e.h;
      previous = &e;
   }
   Script last;
   check(last);
   end_main_window(last);
   EXPECT_FALSE(run_main_window(last));
}

// A refused mode ends the program with the status of a refused start-up,
// after the catalogue's message.
TEST(SettingsDialog, RefusedGraphicsModeEndsNonZero)
{
   TempDir out;
   const pid_t child = fork();
   ASSERT_GE(child, 0);
   if (child == 0) {
      freopen(out.file("output").c_str(), "w", stdout);
      dup2(fileno(stdout), 2);
      setenv("PATH", "/nonexistent", 1);  // the message goes to the console
      struct Run : PlayerTest {
         void TestBody() override
         {
            start();
            set_config_int("gui", "resx", 30000);
            set_config_int("gui", "resy", 30000);
            Script script;
            open_from_menu(msg::setup, script);
            choose_tab(0, script);
            toggle_fullscreen(script);
            click_settings(msg::set_resolution, script);
            run_main_window(script);
            std::_Exit(0);
         }
      } run;
      run.TestBody();
   }
   int status = 0;
   waitpid(child, &status, 0);
   const std::string output = read_file(out.file("output"));
   ASSERT_TRUE(WIFEXITED(status));
   EXPECT_EQ(WEXITSTATUS(status), EXIT_NO_GRAPHICS);
   EXPECT_NE(output.find("The full-screen graphics mode could not be set."), std::string::npos) << output;
}

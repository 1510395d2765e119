// The settings dialog driven through its windows: its pages and the values
// they are bound to, the scheme's apply button, the save button's file and
// the set_resolution button's graphics modes.
#include "ui_test_support.h"

#include <sys/wait.h>

#include <fstream>
#include <sstream>

using namespace kstr::test;

namespace {

std::vector<std::string> lines_of(const std::string &path)
{
   std::istringstream in(read_file(path));
   std::vector<std::string> lines;
   for (std::string line; std::getline(in, line);)
      lines.push_back(line);
   return lines;
}

void click_settings(int item, Script &script, int skip = 0)
{
   script.steps.push_back([item, skip] { ClickControl(in_settings(item, skip)); });
}

// The full-screen choice toggles on a click on its field, right of its label.
void toggle_fullscreen(Script &script)
{
   script.steps.push_back([] {
      const Rect r = screen_rect_of(in_settings(msg::fullscreen));
      inject_click(r.x2 - 4, (r.y1 + r.y2) / 2);
   });
}

// How the screen shows a colour at the depth set.
Rgb as_shown(int r, int g, int b)
{
   const int c = makecol(r, g, b);
   return Rgb{getr(c), getg(c), getb(c)};
}

void close_settings(Script &script)
{
   click_settings(msg::close, script);
   script.steps.push_back([] { EXPECT_EQ(settings_window_id, 0); });
}

}

TEST_F(PlayerTest, PagesShowTheirValuesAndEditThemInPlace)
{
   start();
   Script script;
   open_from_menu(msg::setup, script);
   script.steps.push_back([] {
      ASSERT_NE(settings_window_id, 0);
      const int tabs[] = {in_settings(msg::graphics), in_settings(msg::mp3_and_ogg), in_settings(msg::language)};
      EXPECT_LT(screen_rect_of(tabs[0]).x1, screen_rect_of(tabs[1]).x1);
      EXPECT_LT(screen_rect_of(tabs[1]).x1, screen_rect_of(tabs[2]).x1);
      EXPECT_EQ(tooltip_of(in_settings(msg::close)), text(msg::close_tooltip));
      EXPECT_EQ(tooltip_of(in_settings(msg::save_settings)), text(msg::save_settings_tooltip));
      // settings_tab starts at 1: the streams page. Each buffer size is a
      // field followed by its slider.
      EXPECT_EQ(in_settings(msg::resolution), -1);
      const int mp3 = control_labelled(settings_window_id, text(msg::buffer_size));
      EXPECT_EQ(value_of(next_of(mp3)), 32);
      EXPECT_EQ(value_of(next_of(next_of(mp3))), 32);
      const int modules = next_of(LookupControl(mp3)->parent->self->id);  // the second group
      Control *box = LookupControl(modules);
      ASSERT_TRUE(box && box->container);
      std::vector<int> values;
      for (Control *c = box->container->first; c; c = c->next)
         if (c->cls->get_value && c->text.empty())
            values.push_back(value_of(c->id));
      EXPECT_EQ(values, (std::vector<int>{16, 16, 1, 22050}));
      shot("settings_streams_page");
   });
   // The field moves its slider; the slider's keys move the field.
   script.steps.push_back([] {
      const int field = next_of(control_labelled(settings_window_id, text(msg::buffer_size)));
      ClickControl(field);
      press(KEY_END);
      press(KEY_BACKSPACE);
      press(KEY_BACKSPACE);
      TypeText("48");
      press(KEY_ENTER, '\r');
   });
   script.steps.push_back([] {
      const int field = next_of(control_labelled(settings_window_id, text(msg::buffer_size)));
      EXPECT_EQ(mp3oggbuffer, 48);
      EXPECT_EQ(value_of(next_of(field)), 48);
      ClickControl(next_of(field));  // the knob jumps to the middle of the track
   });
   script.steps.push_back([] {
      press(KEY_END);
   });
   script.steps.push_back([] {
      const int field = next_of(control_labelled(settings_window_id, text(msg::buffer_size)));
      EXPECT_EQ(mp3oggbuffer, 64);
      EXPECT_EQ(value_of(field), 64);
   });

   choose_tab(0, script);
   script.steps.push_back([] {
      EXPECT_EQ(settings_tab, 0);
      EXPECT_EQ(value_of(in_settings(msg::resolution)), 0);
      EXPECT_EQ(value_of(in_settings(msg::bit_depth)), 2);
      EXPECT_EQ(value_of(in_settings(msg::refresh_rate)), 1);
      EXPECT_EQ(value_of(in_settings(msg::color_scheme)), 0);
      EXPECT_EQ(tooltip_of(in_settings(msg::set_resolution)), text(msg::set_resolution_tooltip));
      shot("settings_graphics_page");
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
   // Opened again, the dialog shows the page last chosen.
   open_from_menu(msg::setup, script);
   script.steps.push_back([] {
      EXPECT_EQ(settings_tab, 2);
      EXPECT_GE(in_settings(msg::change_language), 0);
      EXPECT_EQ(in_settings(msg::resolution), -1);
   });
   close_settings(script);
   end_main_window(script);
   EXPECT_FALSE(run_main_window(script));
}

// Slot 3 paints window faces: 192 grey in "Tessel", black in "Dark".
TEST_F(PlayerTest, SchemeApplyRecoloursTheMainWindowAtOnce)
{
   start();
   Script script;
   Rgb before{}, after{};
   int x = 0, y = 0;
   open_from_menu(msg::setup, script);
   choose_tab(0, script);
   script.steps.push_back([&] {
      // A point of the main window's face that the dialog does not cover.
      const Rect main = screen_rect_of(main_window_state().window);
      const Rect dialog = screen_rect_of(settings_window_id);
      for (const auto &[px, py] : {std::pair{main.x1 + 3, main.y2 - 3}, std::pair{main.x2 - 3, main.y2 - 3}}) {
         if (px < dialog.x1 || px > dialog.x2 || py < dialog.y1 || py > dialog.y2) {
            x = px;
            y = py;
            break;
         }
      }
      ASSERT_NE(x, 0) << "the dialog covers the main window's corners";
      before = screen_pixel(x, y);
   });
   choose([] { return in_settings(msg::color_scheme); }, 2, script);
   script.steps.push_back([] { ClickControl(next_of(in_settings(msg::color_scheme))); });
   script.steps.push_back([&] {
      after = screen_pixel(x, y);
      shot("scheme_dark_applied");
   });
   close_settings(script);
   end_main_window(script);
   run_main_window(script);
   EXPECT_EQ(cscheme, 2);
   EXPECT_EQ(before, as_shown(192, 192, 192));
   EXPECT_EQ(after, (Rgb{0, 0, 0}));
}

// The save button writes the file; compared line by line with the shipped
// one, only the keys changed in the dialog differ.
TEST_F(PlayerTest, SavingWritesExactlyTheChangedKeys)
{
   start();
   const std::vector<std::string> shipped = lines_of("kstr.ini");
   Script script;
   std::string notice;
   open_from_menu(msg::setup, script);
   choose_tab(0, script);
   click_settings(msg::vsync, script);
   choose([] { return in_settings(msg::refresh_rate); }, 5, script);
   click_settings(msg::save_settings, script);
   script.steps.push_back([&] {
      notice = RequesterMessage();
      press(KEY_ENTER, '\r');
   });
   close_settings(script);
   end_main_window(script);
   run_main_window(script);

   EXPECT_EQ(notice, "The settings have been saved.");
   const std::vector<std::string> saved = lines_of("kstr.ini");
   ASSERT_EQ(saved.size(), shipped.size());
   std::vector<std::string> changed;
   for (std::size_t i = 0; i < saved.size(); ++i)
      if (saved[i] != shipped[i])
         changed.push_back(saved[i]);
   EXPECT_EQ(changed, (std::vector<std::string>{"refreshrate = 5", "vsync = 0"}));
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
      bool windowed;   // full screen switched off in the dialog first
      int w, h;
   } steps[] = {
      {2, false, false, 800, 600},
      {2, true, false, 1024, 768},
      {-1, false, true, 640, 580},
   };
   PLAYLIST *playlist = nullptr;
   int progress = 0;
   const Expect *previous = nullptr;
   // What the last rebuild must have kept and set, checked in the new window.
   const auto check = [&](Script &script) {
      script.steps.push_back([&, e = previous] {
         EXPECT_EQ(SCREEN_W, e->w);
         EXPECT_EQ(SCREEN_H, e->h);
         EXPECT_EQ(is_windowed_mode() != 0, e->windowed);
         EXPECT_EQ(main_playlist, playlist);
         EXPECT_EQ(playlist->count, 3u);
         EXPECT_EQ(playlist->current, 1);
         EXPECT_EQ(song_playing, 1);
         EXPECT_EQ(song_progress(), progress) << "the song plays on from where it was";
         EXPECT_NE(control_with_tooltip(main_window_state().window, text(msg::menu)), -1);
         shot("set_resolution_" + std::to_string(e->w) + "x" + std::to_string(e->h));
      });
   };
   for (const Expect &e : steps) {
      Script script;
      if (previous) {
         check(script);
      } else {
         script.steps.push_back([&] {
            playlist = main_playlist;
            for (int i = 0; i < 3; ++i)
               playlist_insert(playlist, playlist->count, test_data("ui_settings/tone.wav").c_str(), 0);
            playlist->current = 1;
            play_current_song();
            ASSERT_EQ(song_playing, 1);
            capture_pull(22050 * 3);
            progress = song_progress();
            EXPECT_GT(progress, 0);
         });
      }
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
   int out[2];
   ASSERT_EQ(pipe(out), 0);
   const pid_t child = fork();
   ASSERT_GE(child, 0);
   if (child == 0) {
      dup2(out[1], 2);
      dup2(out[1], 1);
      setenv("PATH", "/nonexistent", 1);  // the message goes to the console
      struct Run : PlayerTest {
         void TestBody() override {}
         void go()
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
      run.go();
   }
   close(out[1]);
   std::string output;
   char buf[256];
   for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;)
      output.append(buf, static_cast<std::size_t>(n));
   close(out[0]);
   int status = 0;
   waitpid(child, &status, 0);
   ASSERT_TRUE(WIFEXITED(status));
   EXPECT_EQ(WEXITSTATUS(status), EXIT_NO_GRAPHICS);
   EXPECT_NE(output.find("The full-screen graphics mode could not be set."), std::string::npos) << output;
}

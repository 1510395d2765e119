// The player's interface under test: a run folder staged in a temporary
// folder, the program's own start-up up to the main window (catalogue, sound
// through the capture driver, graphics from kstr.ini), and the main window
// run with a script of injected input, rebuilds included.
#pragma once

#include "capture_sound.h"
#include "dialog_test_support.h"
#include "temp_dir.h"

#include "app/catalogue_items.h"
#include "app/config.h"
#include "app/languages.h"
#include "app/startup.h"
#include "controls/list_view_parts.h"
#include "player/engine.h"
#include "playlist/playlist.h"
#include "toolkit/requesters.h"
#include "toolkit/windows.h"
#include "ui/color_schemes.h"
#include "ui/interface_rebuild.h"
#include "ui/main_window.h"
#include "ui/playlist_view.h"
#include "ui/settings_dialog.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace kstr::test {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using Steps = std::vector<std::function<void()>>;

// The shipped settings, windowed.
inline const char *const kWindowedIni =
   "[system]\nlanguage = en\n\n"
   "[gui]\ngfxmode = 0\nresx = 640\nresy = 480\ndepth = 2\nrefreshrate = 1\ncscheme = 0\n"
   "mouseint = 0\nvsync = 1\nfullscreen = 0\n\n"
   "[dos]\nvolume = 255\nmp3oggbuffer = 32\nit_buffer_size = 16\nit_sound_freq = 22050\nit_resampling = 1\n";

inline std::string test_data(const std::string &name)
{
   return std::string(std::getenv("KSTR_TEST_DATA")) + "/" + name;
}

// Text `item` of a catalogue file, read apart from the program's own.
inline std::string catalogue_text(const std::string &path, int item)
{
   TRANSLATION *t = tr_load(&CATALOGUE, path.c_str(), 0);
   const std::string found =
      t && t->texts[static_cast<std::size_t>(item)] ? *t->texts[static_cast<std::size_t>(item)] : "";
   tr_destroy(t);
   return found;
}

inline std::string text(int item)
{
   const char *t = tr_text(item);
   return t ? t : "";
}

// Controls of a window (the top one for 0), searched by what they show.
inline Control *find_in_window(int window_id, const std::function<bool(Control *)> &match)
{
   Control *root = window_id ? LookupControl(window_id) : nullptr;
   WindowRecord *w = window_id ? (root ? WindowOf(root) : nullptr) : TopWindow();
   return w ? FindIn(w->client, match) : nullptr;
}

inline int id_of(const Control *c)
{
   return c ? c->id : -1;
}

inline int control_labelled(int window_id, const std::string &label)
{
   return id_of(find_in_window(window_id, [&](Control *k) { return !k->text.empty() && k->text[0] == label; }));
}

inline int control_with_tooltip(int window_id, const std::string &tip)
{
   return id_of(find_in_window(window_id, [&](Control *k) { return !k->tooltip.empty() && k->tooltip[0] == tip; }));
}

inline int icon_control(const std::string &icon)
{
   return id_of(find_in_window(main_window_state().window, [&](Control *k) { return k->icon_name == icon; }));
}

inline std::string tooltip_of(int id)
{
   Control *c = LookupControl(id);
   return c && !c->tooltip.empty() ? c->tooltip[0] : "";
}

inline int top_window_id()
{
   WindowRecord *w = TopWindow();
   return w ? w->root->self->id : -1;
}

inline int value_of(int id)
{
   Control *c = LookupControl(id);
   return c ? c->cls->get_value(c) : -999;
}

// The control placed after `id` in the same container, -1 at the end.
inline int next_of(int id)
{
   Control *c = LookupControl(id);
   return c && c->next ? c->next->id : -1;
}

// The settings dialog's control showing catalogue item `item`, or the one
// `skip` places after it.
inline int in_settings(int item, int skip = 0)
{
   int id = control_labelled(settings_window_id, text(item));
   for (int i = 0; i < skip && id >= 0; ++i)
      id = next_of(id);
   return id;
}

// A colour as the screen's depth keeps it.
inline Rgb as_shown(int r, int g, int b)
{
   const int c = makecol(r, g, b);
   return Rgb{getr(c), getg(c), getb(c)};
}

// Only injected input reaches the windows: the X pointer and keyboard are
// shared with every test on the display. Each toolkit start hooks them again.
inline void unhook_real_input()
{
   mouse_callback = nullptr;
   keyboard_ucallback = nullptr;
}

inline void press(int scancode, int character = 0, int shifts = 0)
{
   InjectKey(character, scancode, shifts);
}

inline void type_path_and_enter(const std::string &path)
{
   TypeText(path);
   press(KEY_ENTER, '\r');
}

// A step that keeps the open requester's message and closes it with Enter.
inline std::function<void()> answer(std::string &message)
{
   return [&message] {
      message = RequesterMessage();
      press(KEY_ENTER, '\r');
   };
}

// The playlist's names, in order.
inline Names playlist_names()
{
   Names names;
   for (uint32_t i = 0; main_playlist && i < main_playlist->count; ++i)
      names.push_back(playlist_get_name(main_playlist, i));
   return names;
}

// The row control showing visible row `pos` of the playlist view.
inline int row_id(int pos)
{
   const Control *view = LookupControl(main_window_state().list);
   int seen = 0;
   for (const Control *c = view ? view->container->first : nullptr; c; c = c->next)
      if (c->x1 == LIST_FRAME && seen++ == pos)
         return c->id;
   return -1;
}

inline void click_row(int pos, int buttons = 1)
{
   int x, y;
   centre_of(row_id(pos), &x, &y);
   inject_click(x, y, buttons);
}

// Presses visible row `from` and drags it to the height `to_y` of the screen.
inline void drag_row(int from, int to_y)
{
   int x, y;
   centre_of(row_id(from), &x, &y);
   InjectPointer(x, y, 0);
   InjectPointer(x, y, 1);
   InjectPointer(x, y + (to_y > y ? 8 : -8), 1);
   InjectPointer(x, to_y, 1);
   InjectPointer(x, to_y, 0);
}

inline int row_centre_y(int pos)
{
   int x, y;
   centre_of(row_id(pos), &x, &y);
   return y;
}

// The rows drawn marked as the current entry (their text underlined).
inline std::vector<int> marked_rows()
{
   std::vector<int> rows;
   char buf[LIST_TEXT_SIZE];
   for (int i = 0; main_playlist && i < static_cast<int>(main_playlist->count); ++i)
      if (playlist_row_text(playlist_row_handle(nullptr, i), buf, 0) & LIST_ROW_UNDERLINE)
         rows.push_back(i);
   return rows;
}

// Chooses item `index` of the choice list that `list` finds when the step
// runs: a click opens it, Home and Down move to the item, Enter takes it.
inline void choose(std::function<int()> list, int index, Script &script)
{
   script.steps.push_back([list] { ClickControl(list()); });
   script.steps.push_back([index] {
      press(KEY_HOME);
      for (int i = 0; i < index; ++i)
         press(KEY_DOWN);
      press(KEY_ENTER, '\r');
   });
}

// A step that waits, a gap at a time, until `done` holds (at most 2 s).
inline void await(std::function<bool()> done, Script &script)
{
   auto tries = std::make_shared<int>(0);
   script.steps.push_back([done, tries, &script] {
      if (!done() && ++*tries < 2000 / script.gap_ms)
         --script.next;
   });
}

// The main menu's item `item` (catalogue number), through the menu button.
inline void open_from_menu(int item, Script &script)
{
   script.steps.push_back([] {
      unhook_real_input();
      ClickControl(control_with_tooltip(main_window_state().window, text(msg::menu)));
   });
   script.steps.push_back([item] {
      const int line = control_labelled(0, text(item));
      ASSERT_NE(line, -1) << "no menu line " << text(item);
      ClickControl(line);
   });
}

// Clicks the settings dialog's tab `index` (0 graphics, 1 streams, 2 language).
inline void choose_tab(int index, Script &script)
{
   static const int labels[] = {msg::graphics, msg::mp3_and_ogg, msg::language};
   script.steps.push_back([index] { ClickControl(in_settings(labels[index])); });
}

inline void click_settings(int item, Script &script, int skip = 0)
{
   script.steps.push_back([item, skip] { ClickControl(in_settings(item, skip)); });
}

// The folder the test started in (the build folder under ctest).
inline fs::path &start_folder()
{
   static fs::path folder = fs::current_path();
   return folder;
}

// A screenshot kept in screenshots/ of the folder the test started in: the
// staged run folder goes with the test.
inline void shot(const std::string &name)
{
   const std::string taken = save_screenshot(name);
   if (taken.empty())
      return;
   const fs::path kept = start_folder() / "screenshots";
   fs::create_directories(kept);
   fs::copy_file(taken, kept / (name + ".bmp"), fs::copy_options::overwrite_existing);
}

// Three long tones, the second playing: what every rebuild of the interface
// keeps, the song's position included.
struct PlayingSong {
   PLAYLIST *playlist = nullptr;
   int progress = 0;

   void start()
   {
      playlist = main_playlist;
      for (int i = 0; i < 3; ++i)
         playlist_insert(playlist, playlist->count, test_data("ui_settings/tone.wav").c_str(), 0);
      playlist->current = 1;
      play_current_song();
      capture_pull(22050 * 2);
      progress = song_progress();
      EXPECT_GT(progress, 0);
   }
   void expect_kept(const std::string &after) const
   {
      EXPECT_EQ(main_playlist, playlist) << after;
      EXPECT_EQ(main_playlist->count, 3u) << after;
      EXPECT_EQ(main_playlist->current, 1) << after;
      EXPECT_EQ(song_playing, 1) << after;
      EXPECT_EQ(song_progress(), progress) << after << ": the song plays on from where it was";
   }
};

// The player started as main starts it, in a staged run folder.
class PlayerTest : public ::testing::Test {
 protected:
   // Stages the run folder with `ini` as kstr.ini, then starts up.
   void start(const std::string &ini = kWindowedIni, const std::function<void(const TempDir &)> &stage_more = nullptr)
   {
      const fs::path run = std::getenv("KSTR_RUN_DIR");
      fs::copy(run / "lang", dir_.path() / "lang", fs::copy_options::recursive);
      fs::copy(run / "gfx", dir_.path() / "gfx", fs::copy_options::recursive);
      fs::copy_file(run / "kesicons.dat", dir_.path() / "kesicons.dat");
      dir_.write("kstr.ini", ini);
      if (stage_more)
         stage_more(dir_);
      start_folder();
      ASSERT_EQ(chdir(dir_.path().c_str()), 0);

      set_uformat(U_ASCII);
      ASSERT_TRUE(register_capture_sound());
      set_color_conversion(COLORCONV_TOTAL | COLORCONV_KEEP_TRANS);
      tr_init();
      scan_languages();
      set_config_file(CONFIG_FILE);
      load_configured_catalogue();
      player_init();
      song_playing = 0;
      graphics_init();
      unhook_real_input();
   }

   // Runs the main window with `script` inside it, as main does, until its
   // loop ends. Answers whether the interface was rebuilt after it.
   bool run_main_window(Script &script)
   {
      unhook_real_input();
      script.Start();
      alarm(30);  // a loop nothing ends would hang the test
      main_window_build();
      alarm(0);
      const bool rebuilt = interface_rebuild_run();
      unhook_real_input();
      EXPECT_EQ(script.next, script.steps.size()) << "steps left undone";
      return rebuilt;
   }

   // Ends the main window's loop: the last step of a script that rebuilds
   // nothing, once its dialogs are closed.
   static void end_main_window(Script &script)
   {
      script.steps.push_back([] {
         // Its list shows the playlist that main_window_build frees next.
         if (top_window_id() == main_window_state().window)
            CloseWindow();
         StopEventLoop();
      });
   }

   // Runs `steps` in the main window, `gap_ms` apart, and closes it.
   void run_steps(Steps steps, int gap_ms = 80)
   {
      Script script;
      script.steps = std::move(steps);
      script.gap_ms = gap_ms;
      end_main_window(script);
      EXPECT_FALSE(run_main_window(script));
   }

   // As the program's quit does: every window and pending call goes.
   void TearDown() override { StopToolkit(); }

   TempDir dir_;
};

}

// Main-window tests: the real main window, built with the English catalogue
// and the staged icons, run by main_window_build itself, and driven by a
// script of steps through the toolkit's input seam.
#pragma once

#include "capture_sound.h"
#include "dialog_test_support.h"

#include "app/catalogue_items.h"
#include "app/config.h"
#include "app/languages.h"
#include "player/engine.h"
#include "playlist/playlist.h"
#include "ui/color_schemes.h"
#include "ui/main_window.h"
#include "ui/playlist_view.h"

#include "controls/list_view_parts.h"

#include <unistd.h>

#include <filesystem>

#include <cstdlib>
#include <string>
#include <vector>

namespace kstr::test {

inline std::string ui_file(const std::string &name)
{
   return std::string(std::getenv("KSTR_TEST_DATA")) + "/ui/" + name;
}

// The top window's control showing image `icon`, -1.
inline int IconControl(const std::string &icon)
{
   WindowRecord *w = TopWindow();
   Control *c = FindIn(w ? w->client : nullptr, [&](Control *k) { return k->icon_name == icon; });
   return c ? c->id : -1;
}

// The names of the playlist, in order.
inline std::vector<std::string> PlaylistNames()
{
   std::vector<std::string> names;
   for (uint32_t i = 0; main_playlist && i < main_playlist->count; ++i)
      names.push_back(playlist_get_name(main_playlist, i));
   return names;
}

// The row control showing visible row `pos` of the playlist view.
inline int RowId(int pos)
{
   const Control *view = LookupControl(main_window_state().list);
   int seen = 0;
   for (const Control *c = view ? view->container->first : nullptr; c; c = c->next)
      if (c->x1 == LIST_FRAME && seen++ == pos)
         return c->id;
   return -1;
}

inline void ClickRow(int pos, int buttons = 1)
{
   int x, y;
   centre_of(RowId(pos), &x, &y);
   inject_click(x, y, buttons);
}

inline void ClickAdd()
{
   ClickControl(IconControl("pladdsong"));
}

inline void TypePathAndEnter(const std::string &path)
{
   TypeText(path);
   InjectKey('\r', KEY_ENTER, 0);
}

// Whether visible row `pos` is drawn marked (its text underlined).
inline bool RowMarked(int pos)
{
   char buf[LIST_TEXT_SIZE];
   return (playlist_row_text(playlist_row_handle(nullptr, pos), buf, 0) & LIST_ROW_UNDERLINE) != 0;
}

class MainWindowTest : public ::testing::Test {
protected:
   void SetUp() override
   {
      ASSERT_TRUE(register_capture_sound());
      ASSERT_TRUE(session_.ok);
      mouse_callback = nullptr;
      keyboard_ucallback = nullptr;
      const std::string catalogue = std::string(std::getenv("KSTR_SOURCE_DIR")) + "/assets/lang/en.tra";
      current_translation = tr_load(&CATALOGUE, catalogue.c_str(), 0);
      ASSERT_NE(current_translation, nullptr);
      tr_select(current_translation);
      // The window reads its icons from ./gfx, as in the run folder; the
      // working folder (the build's) gets a link to the staged ones.
      std::error_code ignored;
      std::filesystem::create_directory_symlink(std::string(std::getenv("KSTR_RUN_DIR")) + "/gfx", "gfx", ignored);
      player_init();
      color_schemes_init();
   }

   // Builds the main window and runs `steps` in its loop, one every gap_ms;
   // the window's loop ends after the last step.
   void RunWindow(std::vector<std::function<void()>> steps, int gap_ms = 80)
   {
      script_.steps = std::move(steps);
      script_.steps.push_back([] { StopEventLoop(); });
      script_.gap_ms = gap_ms;
      script_.Start();
      alarm(30);  // a dialog left open would hold the loop for ever
      main_window_build();
      alarm(0);
      EXPECT_EQ(script_.next, script_.steps.size()) << "steps left undone";
   }

   ToolkitSession session_;
   Script script_;
};

}

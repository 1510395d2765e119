#include "ui/main_window_keys.h"

#include "player/engine.h"
#include "playlist/playlist.h"
#include "ui/main_window.h"
#include "ui/playlist_buttons.h"
#include "ui/playlist_view.h"
#include "ui/quit.h"

#include "toolkit/toolkit.h"

#include <allegro.h>

#include <cctype>
#include <cstdint>

namespace {

bool is_button(int id)
{
   const MAIN_WINDOW_STATE &s = main_window_state();
   return id >= 0 && id != s.list && id != s.volume_slider && id != s.version_field;
}

bool is_enter(int character, int scancode)
{
   return scancode == KEY_ENTER || scancode == KEY_ENTER_PAD || character == '\r';
}

bool is_space(int character, int scancode)
{
   return scancode == KEY_SPACE || character == ' ';
}

void *handle_of(int row)
{
   return playlist_row_handle(nullptr, row);
}

bool control_key(int scancode)
{
   PLAYLIST *pl = main_playlist;
   switch (scancode) {
   case KEY_N: new_playlist_button(pl); return true;
   case KEY_L: load_playlist_button(pl); return true;
   case KEY_M: merge_playlist_button(pl); return true;
   case KEY_S: save_playlist_button(pl); return true;
   case KEY_Q: quit_request(nullptr); return true;
   default: return false;
   }
}

bool letter_key(int character)
{
   switch (std::tolower(character & 0xFF)) {
   case 'z': previous_button(nullptr); return true;
   case 'x': play_button(nullptr); return true;
   case 'c': pause_button(nullptr); return true;
   case 'v': stop_button(nullptr); return true;
   case 'b': next_button(nullptr); return true;
   default: return false;
   }
}

bool volume_key(int character, int scancode)
{
   if (character == '+' || character == '=' || scancode == KEY_PLUS_PAD) {
      step_volume(VOLUME_STEP);
      return true;
   }
   if (character == '-' || scancode == KEY_MINUS_PAD) {
      step_volume(-VOLUME_STEP);
      return true;
   }
   return false;
}

bool row_key(int character, int scancode)
{
   PLAYLIST *pl = main_playlist;
   const int row = selected_playlist_row();
   if (is_enter(character, scancode)) {
      if (row >= 0)
         row_play(handle_of(row));
      else
         play_button(nullptr);
      return true;
   }
   if (scancode == KEY_DEL) {
      if (row >= 0)
         row_remove(handle_of(row));
      return true;
   }
   if (scancode == KEY_INSERT) {
      if (pl)
         add_song_dialog(pl, row >= 0 ? static_cast<uint32_t>(row) + 1 : pl->count);
      return true;
   }
   return false;
}

}

int selected_playlist_row()
{
   const PLAYLIST *pl = main_playlist;
   const int list = main_window_state().list;
   if (!pl || list < 0)
      return -1;
   for (uint32_t i = 0; i < pl->count; ++i)
      if (ListRowSelected(list, static_cast<int>(i)))
         return static_cast<int>(i);
   return -1;
}

int main_window_key(void *, int character, int scancode, int shifts)
{
   if (shifts & KB_ALT_FLAG)
      return 0;
   if (shifts & KB_CTRL_FLAG)
      return control_key(scancode) ? 1 : 0;
   // A focused button takes Enter and Space as its own press.
   if ((is_enter(character, scancode) || is_space(character, scancode)) && is_button(FocusedControlId()))
      return 0;
   if (is_space(character, scancode)) {
      pause_button(nullptr);
      return 1;
   }
   return row_key(character, scancode) || letter_key(character) || volume_key(character, scancode) ? 1 : 0;
}

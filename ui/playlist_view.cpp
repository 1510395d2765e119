#include "ui/playlist_view.h"

#include "player/engine.h"
#include "playlist/playlist.h"
#include "ui/main_window.h"
#include "ui/playlist_buttons.h"

#include "toolkit/toolkit.h"

#include <cstdint>
#include <cstring>

namespace {

uint32_t index_of(void *handle)
{
   return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle) - 1);
}

// Whether the current row is shown marked (see main_window.h).
bool current_marked()
{
   return !(main_window_state().mark_detached && song_playing);
}

}

void *playlist_row_handle(void *, int i)
{
   return reinterpret_cast<void *>(static_cast<uintptr_t>(i) + 1);
}

int playlist_row_text(void *handle, char *buf, int)
{
   const uint32_t i = index_of(handle);
   const char *name = playlist_get_name(main_playlist, i);
   const std::size_t n = name ? strnlen(name, LIST_TEXT_SIZE - 1) : 0;
   std::memcpy(buf, name ? name : "", n);
   buf[n] = '\0';
   const bool current =
      main_playlist && main_playlist->current >= 0 && static_cast<uint32_t>(main_playlist->current) == i;
   // Names are file paths: shown decoded, kept as the file's bytes.
   return static_cast<int>(LIST_ROW_UTF8 | (current && current_marked() ? LIST_ROW_UNDERLINE : 0u));
}

void row_menu_open(int, void *handle)
{
   OpenPopupMenu(-1, row_menu_build, handle);
}

void row_menu_build(void *handle)
{
   AddPopupItem(0, "Play", "", row_play, handle);
   AddPopupItem(0, "Insert song", "", row_insert, handle);
   AddPopupItem(0, "Remove", "", row_remove, handle);
}

void row_play(void *handle)
{
   play_row(index_of(handle));
}

void row_insert(void *handle)
{
   add_song_dialog(main_playlist, index_of(handle));
}

void row_remove(void *handle)
{
   PLAYLIST *pl = main_playlist;
   const uint32_t i = index_of(handle);
   if (!pl || i >= pl->count)
      return;
   // The playing song leaves the list: the next row becomes current, but it
   // is not what plays.
   if (song_playing && pl->current >= 0 && static_cast<uint32_t>(pl->current) == i)
      detach_playing_mark();
   playlist_remove(pl, i);
   redraw_playlist();
}

void row_activate(int, void *handle, int, int)
{
   row_play(handle);
}

int playlist_drag(void *, int event, void *, int index)
{
   switch (event) {
   case LIST_DRAG_START: main_window_state().drag_source = index; return 1;
   case LIST_DRAG_END: return 1;
   default: return 0;
   }
}

int playlist_drop(void *, int event, void *, void *, int index, ...)
{
   switch (event) {
   case LIST_DRAG_OVER: return 1;
   case LIST_DRAG_END: {
      const int from = main_window_state().drag_source;
      // A drop past the last row names no entry; playlist_move refuses it.
      if (from >= 0 && index >= 0)
         playlist_move(main_playlist, static_cast<uint32_t>(from), static_cast<uint32_t>(index));
      main_window_state().drag_source = -1;
      redraw_playlist();
      return 0;
   }
   default: return 0;
   }
}

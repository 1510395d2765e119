#include "ui/main_window.h"

#include "app/catalogue_items.h"
#include "player/engine.h"
#include "playlist/playlist.h"
#include "ui/color_schemes.h"
#include "ui/interface_rebuild.h"
#include "ui/main_window_keys.h"
#include "ui/playlist_buttons.h"
#include "ui/playlist_view.h"
#include "ui/quit.h"

#include "toolkit/toolkit.h"

#include <algorithm>

namespace {

MAIN_WINDOW_STATE state;

// How often the list's mark and the pause button are brought in line with
// the engine (an automatic advance, a song that ended).
constexpr int kWatchMs = 100;

constexpr int kTransportShrink = -5;

struct Icon {
   const char *file, *name;
};

constexpr Icon kIcons[] = {
   {"./gfx/config.bmp", "setupicon"}, {"./gfx/play.bmp", "playicon"}, {"./gfx/stop.bmp", "stopicon"},
   {"./gfx/prev.bmp", "previcon"},    {"./gfx/next.bmp", "nexticon"}, {"./gfx/pause.bmp", "pauseicon"},
   {"./gfx/about.bmp", "abouticon"},  {"./gfx/open.bmp", "openicon"}, {"./gfx/x.bmp", "xicon"},
   {"./gfx/menu.bmp", "menuicon"},    {"./gfx/add.bmp", "pladdsong"}, {"./gfx/newpl.bmp", "plnewpl"},
};

void show_pause_state()
{
   SetButtonLatched(state.pause_button, song_playing && song_paused);
}

// Redraws the list when the engine moved on by itself, and keeps the pause
// button's look; a few comparisons when nothing changed.
void watch_engine(void *)
{
   if (!main_playlist || !state.window)
      return;
   const bool stopped = state.shown_playing && !song_playing;
   const bool advanced = song_playing && main_playlist->current != state.shown_current;
   if (stopped || advanced)
      state.mark_detached = false;
   if (stopped || advanced || state.shown_paused != song_paused)
      redraw_playlist();
   show_pause_state();
   QueueCall(watch_engine, nullptr, kWatchMs, 0);
}

void seek_click(int id, void *, int buttons, int)
{
   if (!(buttons & 1))
      return;
   const double fraction = ProgressBarPressFraction(id);
   if (fraction >= 0 && song_playing)
      seek_song(fraction);
}

void place_transport_button(int code, const char *label, void (*action)(void *))
{
   const int id = PlaceButton(code, AUTO, label, action, nullptr);
   ResizeControl(id, kTransportShrink, 0);
   if (action == pause_button)
      state.pause_button = id;
}

void place_top_row()
{
   const int menu = PlaceButton(PLACE_LEFT, AUTO, "#menuicon", main_menu_open, nullptr);
   ResizeControl(menu, kTransportShrink, 0);
   SetTooltip(menu, tr_text(msg::menu));
   state.version_field = PlaceTextField(PLACE_RIGHT, AUTO, state.version, 150, 1, 0);
   const int quit = PlaceButton(PLACE_RIGHT, AUTO, "#xicon", quit_request, nullptr);
   ResizeControl(quit, kTransportShrink, 0);
   SetTooltip(quit, tr_text(msg::quit));
}

void place_playlist(PLAYLIST *pl)
{
   state.list = PlaceListView(PLACE_NEW_ROW, AUTO, pl, reinterpret_cast<int *>(&pl->count), 220, 2, playlist_row_text,
                              row_menu_open, 20);
   SetListIndexer(state.list, playlist_row_handle);
   MakeResizable(state.list, nullptr, nullptr, 0);
   SetClickHandler(state.list, nullptr, pl, 1);
   SetDragSource(state.list, playlist_drag, 0x40, 1);
   SetDropTarget(state.list, playlist_drop, 0x40);
   SetRowActivate(state.list, row_activate, 1);
}

void place_playlist_buttons(PLAYLIST *pl)
{
   PlaceButton(PLACE_NEW_ROW, AUTO, "#pladdsong", add_song_button, pl);
   PlaceButton(PLACE_RIGHT, AUTO, "#plnewpl", new_playlist_button, pl);
   PlaceButton(PLACE_RIGHT, AUTO, tr_text(msg::button_load_playlist), load_playlist_button, pl);
   PlaceButton(PLACE_RIGHT, AUTO, tr_text(msg::button_merge_playlist), merge_playlist_button, pl);
   PlaceButton(PLACE_RIGHT, AUTO, tr_text(msg::button_save_playlist), save_playlist_button, pl);
}

}

MAIN_WINDOW_STATE &main_window_state()
{
   return state;
}

void redraw_playlist()
{
   if (main_playlist) {
      state.shown_current = main_playlist->current;
      state.shown_playing = song_playing;
      state.shown_paused = song_paused;
   }
   if (state.list >= 0)
      RedrawControl(state.list);
}

void detach_playing_mark()
{
   state.mark_detached = true;
}

void play_row(uint32_t index)
{
   if (!main_playlist || index >= main_playlist->count)
      return;
   main_playlist->current = static_cast<int32_t>(index);
   play_button(nullptr);
}

void play_button(void *)
{
   play_current_song();
   state.mark_detached = false;
   redraw_playlist();
   show_pause_state();
}

void pause_button(void *)
{
   toggle_pause();
   show_pause_state();
}

void stop_button(void *)
{
   stop_song();
   show_pause_state();
}

void previous_button(void *)
{
   play_previous_song();
   if (song_playing)
      state.mark_detached = false;
   redraw_playlist();
}

void next_button(void *)
{
   play_next_song();
   if (song_playing)
      state.mark_detached = false;
   redraw_playlist();
}

void step_volume(int delta)
{
   volume = std::clamp(volume + delta, 0, 255);
   RedrawControl(state.volume_slider);
}

void main_window_build()
{
   state = MAIN_WINDOW_STATE{};
   state.window = MakeWindow(0, AUTO, "Kestrune", WINDOW_NOT_MODAL);
   color_scheme_apply(nullptr);
   start_player_poll();
   for (const Icon &icon : kIcons)
      LoadIconFile(icon.file, icon.name, 1, 0);

   place_top_row();
   progress_bar = PlaceProgressBar(PLACE_NEW_ROW, AUTO, 210, 10);
   SetClickHandler(progress_bar, seek_click, nullptr, 0);

   place_transport_button(PLACE_NEW_ROW, "#previcon;", previous_button);
   place_transport_button(PLACE_RIGHT, "#playicon;", play_button);
   place_transport_button(PLACE_RIGHT, "#pauseicon;", pause_button);
   place_transport_button(PLACE_RIGHT, "#stopicon;", stop_button);
   place_transport_button(PLACE_RIGHT, "#nexticon;", next_button);
   // The poll applies `volume` on its next run.
   state.volume_slider = PlaceSlider(PLACE_RIGHT, AUTO, 80, &volume, 0, 255, 5, -1);

   // A rebuild of the interface keeps the playlist (interface_rebuild.h).
   if (!main_playlist)
      main_playlist = playlist_create();
   if (main_playlist) {
      place_playlist(main_playlist);
      place_playlist_buttons(main_playlist);
   }
   SetWindowKeyHandler(state.window, main_window_key, nullptr);
   PresentWindow();
   QueueCall(watch_engine, nullptr, kWatchMs, 0);
   RunEventLoop();

   progress_bar = -1;
   state = MAIN_WINDOW_STATE{};
   if (interface_rebuild_pending())
      return;
   PLAYLIST *pl = main_playlist;
   main_playlist = nullptr;
   playlist_destroy(pl);
}

// The main window: the menu and quit row, the progress (seek) bar, the
// transport row with the volume slider, the playlist and its buttons.
//
// Contract:
// - main_window_build makes the window, creates the program's playlist
//   (`main_playlist`) unless one exists, queues the playback poll and runs
//   the top-level event loop; when that loop is stopped it destroys the
//   playlist and returns. A loop stopped for a rebuild of the interface
//   (interface_rebuild.h) keeps the playlist for the next build.
// - Every action below runs on the loop thread. Actions that change the
//   playlist redraw the list themselves.
// - The current row is marked. While a song plays, the mark is on the row
//   that plays or on no row: after the playing entry was removed, or the
//   playlist replaced under it, no row is marked until the next song starts
//   or playback stops.
#pragma once

#include <cstdint>

struct PLAYLIST;

struct MAIN_WINDOW_STATE {
   int window = 0;  // the window id, 0 before the first build
   int list = -1;   // the playlist view
   int pause_button = -1;
   int volume_slider = -1;
   int version_field = -1;
   int drag_source = -1;  // the row a drag started from
   // The playing song's row is no longer in the list (see above).
   bool mark_detached = false;
   // What the list showed when last drawn, to redraw on a change only.
   int32_t shown_current = -1;
   int shown_playing = 0;
   int shown_paused = 0;
   char version[256] = "1.00b";
};

MAIN_WINDOW_STATE &main_window_state();

void main_window_build();

// Redraws the playlist view (nothing before the window exists).
void redraw_playlist();

// Marks the playlist replaced or the playing entry gone while a song plays.
void detach_playing_mark();

// Play, pause, stop and the skips as the buttons and keys do them.
void play_button(void *data);
void pause_button(void *data);
void stop_button(void *data);
void previous_button(void *data);
void next_button(void *data);
// Plays row `index` of the playlist.
void play_row(uint32_t index);

// The volume slider's change; `delta` steps for the + and - keys.
void step_volume(int delta);

// The main menu button's action.
void main_menu_open(void *data);

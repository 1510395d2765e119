// The engine's private state and the pieces its files share: the live
// backend, the file image it plays from, what the progress bar last showed.
// Only player/ includes this header.
#pragma once

#include "player/backend.h"

#include <cstdint>
#include <vector>

struct ENGINE_STATE {
   // The backend that owns the sound output now, null when none does.
   const BACKEND *live = nullptr;
   // The live song's file, for backends that play from memory.
   std::vector<unsigned char> image;
   // install_sound succeeded in player_init.
   bool sound_installed = false;
   // Volume last handed to Allegro, -1 before the first.
   int applied_volume = -1;
   // Bar and value last handed to SetProgress, so an unchanged bar is not
   // redrawn on every poll.
   int shown_bar = -1;
   int shown_percent = -1;
   // The current chain of poll runs (the data its runs carry); 0 before
   // start_player_poll first ran.
   std::uintptr_t poll_chain = 0;
};

ENGINE_STATE &engine_state();

// Starts the song without touching the player state first; on failure the
// user is told when `report` is set. SONG_OK or a SONG_ERROR.
int start_song(const char *name, bool report);
// The playlist's entry `index` started as above; false for no such entry.
int start_entry(int index, bool report);
// One run of the periodic task without queueing the next; the delay in
// milliseconds after which the next run is due.
int serve_player();
// Hands the volume setting to Allegro (see engine_poll.cpp).
void apply_volume();
// Shows the live song's progress on the bar (0 when nothing plays).
void show_progress();

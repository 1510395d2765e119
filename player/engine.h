// The one player state: which song plays, through which backend, and the
// operations the main window binds to its buttons and keys.
//
// Contract:
// - Everything here runs on the toolkit's event-loop thread.
// - player_init starts sound for the whole program and reads the sound
//   settings; player_exit shuts sound, timers, the toolkit and the CD control
//   down at quit.
// - `main_playlist` is the program's one playlist; the main window creates it
//   and sets this pointer, the engine reads its current entry.
// - `progress_bar` is the id of the main window's progress bar, which the poll
//   sets to the song's percentage (always 0 to 100); -1 while there is none.
// - A song that cannot be started starts nothing (backend_kind stays 0,
//   song_playing 0) and, when the user asked for it, is reported in a
//   requester naming the file and the reason.
#pragma once

#include "player/sound_settings.h"

struct PLAYLIST;

enum {
   BACKEND_NONE = 0,
   BACKEND_MP3 = 1,
   BACKEND_SAMPLE = 2,
   BACKEND_OGG = 3,
   BACKEND_MIDI = 5,
   BACKEND_MODULE = 6,
   // Audio CD read digitally and played through a stream like the others.
   BACKEND_CD = 7,
};

// 1 while a song is meant to be playing.
extern int song_playing;
// Which backend owns the sound output now.
extern int backend_kind;
// 1 while the playing song is paused.
extern int song_paused;
// The progress bar the poll updates, or -1.
extern int progress_bar;
// The program's playlist, or null before the main window made it.
extern PLAYLIST *main_playlist;

constexpr int PLAYER_NO_SOUND = 3;

// Seeds the random generator, installs sound and reads the sound settings.
// Returns 0, or PLAYER_NO_SOUND when no sound driver could be installed; the
// settings are read in either case, so a later save keeps the user's values.
int player_init();
// Removes sound and timers, stops the toolkit and the CD control.
void player_exit();

// Stops what plays and starts one file with the backend its extension
// selects (case-blind); the name is not changed. Returns 0 when a backend
// started, -1 otherwise, after telling the user why in a requester.
int play_song(const char *name);
// Play: stops what plays and starts the playlist's current entry.
void play_current_song();
// Stop: the next poll run stops the backend.
void stop_song();
// Pause on (1) or off (0); the position is kept. Does nothing while no
// backend plays.
void set_song_paused(int paused);
// Flips the pause state.
void toggle_pause();
// Moves the playlist's current entry one step back or forward (no wrap) and,
// while a song plays, plays the new current entry.
void play_previous_song();
void play_next_song();
// Seeks the playing song to `fraction` (0 to 1) of its length; a paused
// song stays paused.
void seek_song(double fraction);
// The playing song's progress, 0 to 100.
int song_progress();

// The periodic task: re-queues itself with a delay the live song needs (at
// most 40 ms). start_player_poll queues its next run at once (the main
// window calls it when it is built); a run queued before then ends there,
// so there is only ever one chain of runs. stop_song starts it anew, so the
// stop step comes on the loop's next pass, not a whole delay later.
void player_poll(void *data);
void start_player_poll();
// The stop step: stops the live backend and frees the song's data.
void stop_backend();

// The one player state and the sound system's start and end.
//
// player_init starts sound for the whole program and reads the sound
// settings; player_exit shuts sound and timers down at quit.
#pragma once

#include "player/sound_settings.h"

enum {
   BACKEND_NONE = 0,
   BACKEND_MP3 = 1,
   BACKEND_SAMPLE = 2,
   BACKEND_OGG = 3,
   BACKEND_MIDI = 5,
   BACKEND_MODULE = 6,
};

// 1 while a song is meant to be playing.
extern int song_playing;
// Which backend owns the sound output now.
extern int backend_kind;

constexpr int PLAYER_NO_SOUND = 3;

// Seeds the random generator, installs sound and reads the sound settings.
// Returns 0, or PLAYER_NO_SOUND when no sound driver could be installed; the
// settings are read in either case, so a later save keeps the user's values.
int player_init();
// Removes sound and timers.
void player_exit();

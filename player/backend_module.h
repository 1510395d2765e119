// The module backend: MOD, S3M, IT and XM files loaded by DUMB and played
// through our own DUMB-to-Allegro player (dumb_glue.h).
//
// Contract:
// - The engine reaches it through `module_backend` (backend.h); the module
//   type follows from the extension. It loads the file itself, by name.
// - Every start reads "it_resampling", "it_sound_freq" and "it_buffer_size"
//   from section "dos" of the configuration anew, so a saved change acts at
//   the next start. The rate and buffer are held to what the settings dialog
//   offers. The resampling quality is handed to DUMB unchanged (DUMB treats
//   values past its best quality as its best).
// - A start that fails leaves no module and no player. `dumb_exit` is
//   registered with atexit once for the whole run, at the first start.
// - The live song's module and player are readable for diagnostics and tests;
//   both are null while no module plays.
#pragma once

#include <dumb.h>

struct AL_DUH_PLAYER;

enum MODULE_TYPE {
   MODULE_NONE = 0,
   MODULE_MOD = 1,
   MODULE_S3M = 2,
   MODULE_IT = 3,
   MODULE_XM = 4,
};

// The ranges the settings dialog offers.
constexpr int IT_BUFFER_SIZE_MIN = 4;  // units of 1024 sample frames
constexpr int IT_BUFFER_SIZE_MAX = 64;
constexpr int IT_SOUND_FREQ_MIN = 8000;  // Hz
constexpr int IT_SOUND_FREQ_MAX = 48000;
// Without the key a module plays with this buffer, not with the engine's
// start-up default of the same key: the two agree once the settings are saved.
constexpr int IT_BUFFER_SIZE_MODULE_DEFAULT = 8;

struct MODULE_SETTINGS {
   int resampling;
   int freq;           // Hz, within the offered range
   int buffer_frames;  // sample frames, within the offered range
};

// The values the next start will use, read from the configuration now.
MODULE_SETTINGS read_module_settings();

// The module type a file name's extension selects (any case), or MODULE_NONE.
MODULE_TYPE module_type_of(const char *name);

DUH *module_backend_duh();
AL_DUH_PLAYER *module_backend_player();

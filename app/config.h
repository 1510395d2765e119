// Settings kept in "./kstr.ini": the graphics globals, the value tables the
// settings dialog lists, and the save routine.
//
// Every value is read once at start-up into a global and written back from
// those globals by settings_save; one key table drives both directions.
#pragma once

#include <cstddef>

constexpr const char *CONFIG_FILE = "./kstr.ini";

// Exit status of a start-up that could not load its catalogue.
constexpr int EXIT_NO_CATALOGUE = -1;
// Exit status when the platform library cannot start (no display).
constexpr int EXIT_NO_SYSTEM = 2;
// Exit status of a start-up or a mode change whose graphics mode was refused.
constexpr int EXIT_NO_GRAPHICS = 1;

// Graphics settings, section "gui".
extern int gfxmode;
extern int cscheme;
extern int depth;
extern int refreshrate;
extern int fullscreen;
// Named apart from the platform library's vsync() function.
extern int vsync_flag;
// The toolkit's mouse-drawing flag as stored under "mouseint".
extern int mouseint;

struct DEPTH_ENTRY {
   int bits;
   const char *label;
};
struct REFRESH_ENTRY {
   int hz;
   const char *label;
};
struct RESOLUTION_ENTRY {
   const char *label;
   int resx;
   int resy;
};

constexpr int DEPTH_COUNT = 5;
constexpr int REFRESH_COUNT = 9;
constexpr int RESOLUTION_COUNT = 4;
constexpr int SCHEME_COUNT = 3;

extern const DEPTH_ENTRY DEPTH_TABLE[DEPTH_COUNT];
extern const REFRESH_ENTRY REFRESH_TABLE[REFRESH_COUNT];
extern const RESOLUTION_ENTRY RESOLUTION_TABLE[RESOLUTION_COUNT];

// Reads "gfxmode", "cscheme", "depth", "refreshrate" and "fullscreen" from the
// current configuration. Values without a table entry fall back to defaults.
void config_read_graphics();
// Reads "mouseint" and "vsync" (read after the graphics mode is set).
void config_read_late_graphics();
// Full-screen size: "resx" and "resy" of section "gui".
int config_resx();
int config_resy();

// Copies the configured "language" code into `code` (3 bytes). Returns false
// when the value is too long to be a code: such a value names no catalogue.
bool config_language_code(char code[3]);

// Allegro under the test X server.
//
// Contract:
// - Tests that touch Allegro call start_allegro() first (the capture sound
//   driver does so itself). It needs DISPLAY to name a running X server: the
//   test script starts Xvfb and exports it; by hand, start one with
//   `Xvfb :12 -screen 0 1280x1024x24 -nolisten tcp &` and `export DISPLAY=:12`.
//   Without an X server install_allegro(SYSTEM_AUTODETECT, ...) fails. With
//   many test processes starting at once the X server drops a few connections
//   (measured on Xvfb); start_allegro retries for about a second.
// - Before installing, Allegro is pointed at a private configuration file in a
//   temporary folder holding `config_text`. Allegro writes its configuration
//   back at exit, so without this a test that calls set_config_* would leave an
//   allegro.cfg in the working folder. The folder lives until process exit,
//   after Allegro's own atexit handler has run.
// - Calling start_allegro() again is harmless. If the later call brings
//   non-empty config_text, the private configuration is replaced by it, so
//   drivers installed afterwards read it.
// - Each test case runs in its own process, so nothing here ever uninstalls
//   Allegro; atexit does.
// - On failure every function reports why through ADD_FAILURE and returns
//   false; callers usually ASSERT_TRUE on the result.
#pragma once

#include <string>

namespace kstr::test {

bool start_allegro(const std::string &config_text = "");

// Path of the private configuration file (empty before start_allegro).
std::string allegro_config_path();

// set_color_depth + set_gfx_mode(GFX_AUTODETECT_WINDOWED, width, height).
// False when the X server refuses the mode.
bool open_test_window(int width = 640, int height = 580, int depth = 16);

struct Rgb {
   int r, g, b;
   friend bool operator==(const Rgb &, const Rgb &) = default;
};

// The colour at (x, y) of `screen`, as 8-bit r, g, b whatever the depth.
Rgb screen_pixel(int x, int y);

// Writes `screen` as screenshots/<name>.bmp below the current working folder
// (the build folder under ctest) for a person to look at. Returns the path,
// empty on failure.
std::string save_screenshot(const std::string &name);

}

#include "ui/interface_rebuild.h"

#include "app/catalogue_items.h"
#include "app/config.h"
#include "ui/color_schemes.h"

#include "toolkit/toolkit.h"

#include <allegro.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

namespace {

struct REBUILD_STATE {
   INTERFACE_REBUILD pending = INTERFACE_REBUILD::none;
};

REBUILD_STATE state;

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 580;

[[noreturn]] void refused(int item)
{
   const char *text = tr_text(item);
   allegro_message("%s", text ? text : "");
   std::exit(EXIT_NO_GRAPHICS);
}

void set_graphics_mode_again()
{
   request_refresh_rate(REFRESH_TABLE[refreshrate].hz);
   set_color_depth(DEPTH_TABLE[depth].bits);
   if (fullscreen == 1) {
      if (set_gfx_mode(GFX_AUTODETECT_FULLSCREEN, config_resx(), config_resy(), 0, 0) != 0)
         refused(msg::error_fullscreen_mode);
   } else if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, kWindowWidth, kWindowHeight, 0, 0) != 0) {
      refused(msg::error_windowed_mode);
   }
   clear_to_color(screen, makecol(0, 128, 128));
}

}

void request_interface_rebuild(INTERFACE_REBUILD what)
{
   // A graphics rebuild restarts the toolkit as well, so it covers both.
   if (state.pending != INTERFACE_REBUILD::graphics)
      state.pending = what;
   StopEventLoop();
}

bool interface_rebuild_pending()
{
   return state.pending != INTERFACE_REBUILD::none;
}

void run_dialog_loop()
{
   RunEventLoop();
   if (interface_rebuild_pending())
      StopEventLoop();
}

bool interface_rebuild_run()
{
   const INTERFACE_REBUILD what = std::exchange(state.pending, INTERFACE_REBUILD::none);
   if (what == INTERFACE_REBUILD::none)
      return false;
   StopToolkit();
   if (what == INTERFACE_REBUILD::graphics)
      set_graphics_mode_again();
   StartToolkit(0, 0, 0, &errno, std::atexit);
   color_schemes_init();
   LoadIconDatafile("./kesicons.dat");
   return true;
}

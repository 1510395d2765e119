#include "app/startup.h"

#include "app/catalogue_items.h"
#include "app/catalogue_texts.h"
#include "app/config.h"
#include "app/languages.h"
#include "ui/color_schemes.h"

#include "toolkit/toolkit.h"

#include <allegro.h>

#include <cerrno>

#include <cstdlib>
#include <cstring>

namespace {

[[noreturn]] void fatal(int status, const char *text)
{
   allegro_message("%s", text);
   std::exit(status);
}

}

void load_configured_catalogue()
{
   char code[3];
   bool usable = config_language_code(code);
   current_translation = nullptr;
   if (usable) {
      int found = find_language(code);
      if (found >= 0)
         current_language = found;
      char path[32];
      std::snprintf(path, sizeof path, "lang/%s.tra", code);
      current_translation = tr_load(&CATALOGUE, path, 0);
   } else {
      tr_error = TR_ERR_OPEN;
      tr_line = 0;
   }
   if (!current_translation) {
      std::string detail = catalogue_error_detail(tr_error, tr_line);
      allegro_message("%s%s", "Error reading translation file:\n", detail.c_str());
      std::exit(EXIT_NO_CATALOGUE);
   }
   tr_select(current_translation);
}

void graphics_init()
{
   copy_yes_no_texts();

   config_read_graphics();
   request_refresh_rate(REFRESH_TABLE[refreshrate].hz);
   set_color_depth(DEPTH_TABLE[depth].bits);

   if (fullscreen == 1) {
      if (set_gfx_mode(GFX_AUTODETECT_FULLSCREEN, config_resx(), config_resy(), 0, 0) != 0)
         fatal(EXIT_NO_GRAPHICS,
               "FULLSCREEN Graphics mode initializing error - exitting. try to alter or remove kstr.ini file");
   } else {
      if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 580, 0, 0) != 0)
         fatal(EXIT_NO_GRAPHICS,
               "WINDOWED Graphics mode initializing error - exitting. try to alter or remove kstr.ini file");
   }
   clear_to_color(screen, makecol(0, 128, 128));
   StartToolkit(0, 0, 0, &errno, std::atexit);

   // A palette fade shows only in 8-bit modes; in the others Allegro still
   // waits through its steps (about half a second) for nothing to see.
   if (bitmap_color_depth(screen) == 8) {
      PALETTE palette;
      get_palette(palette);
      fade_in(palette, 4);
   }

   config_read_late_graphics();
   MouseInputMode = mouseint;
   set_color_conversion(COLORCONV_TOTAL | COLORCONV_KEEP_TRANS);
   color_schemes_init();
   LoadIconDatafile("./kesicons.dat");
}

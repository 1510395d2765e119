// Entry point: brings the platform library, the catalogue, the configuration,
// sound and graphics up in a fixed order, then hands over to the interface.
#include "app/catalogue.h"
#include "app/config.h"
#include "app/languages.h"
#include "app/startup.h"
#include "player/engine.h"
#include "ui/interface_rebuild.h"
#include "ui/main_window.h"
#include "ui/quit.h"

#include "toolkit/events.h"
#include "toolkit/start.h"

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

// The pause of a verbose start-up. No window is open yet, so under X no key
// could reach readkey: wait for a line on the console instead.
void wait_for_console_key()
{
   std::fputs("Press Enter to go on.\n", stdout);
   std::fflush(stdout);
   int c;
   do
      c = std::getchar();
   while (c != '\n' && c != EOF);
}

}

int main(int, char **)
{
   set_uformat(U_ASCII);
   // Without a display nothing below can run: say why instead of crashing.
   UseToolkitBackgroundThread();
   if (install_allegro(SYSTEM_AUTODETECT, &errno, std::atexit) != 0) {
      allegro_message("Kestrune cannot start: %s\n", allegro_error);
      return EXIT_NO_SYSTEM;
   }
   set_color_conversion(COLORCONV_TOTAL | COLORCONV_KEEP_TRANS);
   tr_init();
   scan_languages();
   set_window_title("Kestrune");
   install_keyboard();
   install_mouse();
   set_config_file(CONFIG_FILE);
   if (get_config_int("dos", "verbose", 0) == 2)
      wait_for_console_key();

   load_configured_catalogue();
   player_init();
   song_playing = 0;
   graphics_init();
   // The frame's close button asks the same question as the quit button.
   SetCloseButtonHandler(quit_request, nullptr);
   // A language switch or a new graphics mode ends the main window's loop;
   // the interface is then rebuilt here, at the top of the stack.
   do
      main_window_build();
   while (interface_rebuild_run());

   // Only a loop stopped by something other than the quit question gets
   // here; the quit question ends the process itself.
   readkey();
   allegro_exit();
   return 0;
}
END_OF_MAIN()

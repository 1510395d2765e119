#include "ui/quit.h"

#include "app/catalogue_items.h"
#include "app/languages.h"
#include "player/engine.h"
#include "ui/exit_banner.h"

#include "toolkit/toolkit.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kTitleSize = 124;
constexpr int kFadeSpeed = 4;

[[noreturn]] void leave()
{
   player_exit();
   free_language_names();
   StopEventLoop();
   // As at start-up, the fade shows only in 8-bit modes.
   if (screen && bitmap_color_depth(screen) == 8)
      fade_out(kFadeSpeed);
   set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
   exit_banner();
   std::fflush(stdout);
   std::exit(0);
}

void quit_from_close_button(void *)
{
   quit_request(nullptr);
}

}

int quit_title_item(int r)
{
   return msg::quit_title_0 + 2 * r;
}

int quit_message_item(int r)
{
   return msg::quit_msg_0 + 2 * r;
}

void quit_request(void *)
{
   UseTextCursor(font, ";)");
   const int r = std::rand() % QUIT_PAIRS;
   char title[kTitleSize];
   std::snprintf(title, sizeof title, "%s", tr_text(quit_title_item(r)));
   const int answer = AlertBox(title, tr_text(quit_message_item(r)));
   if (answer == 0)
      leave();
   RestoreMouseCursor();
}

void quit_request_queued()
{
   QueueCall(quit_from_close_button, nullptr, 0, 0);
}

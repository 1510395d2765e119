#include "app/settings_notice.h"

#include "app/catalogue_items.h"

#include <allegro.h>

#include <string>

void settings_notice(bool saved)
{
   const char *title = tr_text(msg::message);
   std::string shown = title ? std::string(title).substr(0, 49) : std::string();
   if (saved) {
      const char *text = tr_text(msg::settings_saved);
      allegro_message("%s\n%s\n", shown.c_str(), text ? text : "");
   } else {
      allegro_message("%s\nThe settings could not be written to %s.\n", shown.c_str(), "kstr.ini");
   }
}

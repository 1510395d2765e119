#include "ui/settings_notice.h"

#include "app/catalogue_items.h"
#include "toolkit/requesters.h"

#include <string>

void settings_notice(bool saved)
{
   const char *title = tr_text(msg::message);
   const std::string shown = title ? std::string(title).substr(0, 49) : std::string();
   if (!saved) {
      AlertBox(shown.c_str(), "The settings could not be written to kstr.ini.|OK");
      return;
   }
   const char *text = tr_text(msg::settings_saved);
   std::string notice = text && *text ? text : "The settings have been saved.";
   // A translation without a button would get the requester for missing texts
   // (and an empty one would end the program).
   if (notice.find('|') == std::string::npos)
      notice += "|OK";
   AlertBox(shown.c_str(), notice.c_str());
}

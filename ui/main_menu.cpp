// The main menu button: the settings dialog and the about window.
#include "ui/main_window.h"

#include "app/catalogue_items.h"
#include "ui/about_window.h"
#include "ui/settings_dialog.h"

#include "toolkit/toolkit.h"

#include <string>

namespace {

void add_item(const char *icon, int text, void (*action)(void *))
{
   const char *label = tr_text(text);
   const std::string line = std::string("#") + icon + ";" + (label ? label : "");
   AddPopupItem(0, line.c_str(), "", action, nullptr);
}

void main_menu_build(void *)
{
   add_item("setupicon", msg::setup, settings_dialog_open);
   AddPopupSeparator();
   add_item("abouticon", msg::about, about_window_open);
}

}

void main_menu_open(void *)
{
   OpenPopupMenu(0, main_menu_build, nullptr);
}

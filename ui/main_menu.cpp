// The main menu button. Its items (the settings dialog and the about window)
// are added here as those windows exist; until then the menu has none and
// the button opens nothing.
#include "ui/main_window.h"

#include "toolkit/toolkit.h"

namespace {

void main_menu_build(void *)
{
}

}

void main_menu_open(void *)
{
   OpenPopupMenu(0, main_menu_build, nullptr);
}

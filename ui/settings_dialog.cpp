#include "ui/settings_dialog.h"

#include "app/catalogue_items.h"
#include "app/config.h"
#include "ui/interface_rebuild.h"
#include "ui/language_switch.h"
#include "ui/settings_save.h"

#include "toolkit/toolkit.h"

int settings_tab = 1;
int settings_window_id = 0;

namespace {

// The tab control's place inside the dialog, below its button row.
constexpr int kTabsX = 1;
constexpr int kTabsY = 18;

// The dialog's loop ends with its window.
void close_settings(void *)
{
   CloseWindow();
   StopEventLoop();
}

void place_button(int label, void (*action)(void *), int tooltip)
{
   const int id = PlaceButton(PLACE_LEFT, AUTO, tr_text(label), action, nullptr);
   SetTooltip(id, tr_text(tooltip));
}

}

void settings_dialog_open(void *)
{
   if (settings_window_id)
      return;
   note_active_language();
   settings_window_id = MakeWindow(0, AUTO, "Kestrune :)", WINDOW_NOT_MODAL);
   place_button(msg::close, close_settings, msg::close_tooltip);
   place_button(msg::save_settings, settings_save, msg::save_settings_tooltip);
   const int tabs = PlaceTabs(kTabsX, kTabsY, 0, AUTO, &settings_tab);
   AddTab(tabs, settings_page_graphics, nullptr, tr_text(msg::graphics));
   AddTab(tabs, settings_page_streams, &settings_tab, tr_text(msg::mp3_and_ogg));
   AddTab(tabs, settings_page_language, nullptr, tr_text(msg::language));
   PresentWindow();
   run_dialog_loop();
   settings_window_id = 0;
}

void graphics_reinit(void *)
{
   request_interface_rebuild(INTERFACE_REBUILD::graphics);
}

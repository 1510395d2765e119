#include "ui/about_window.h"

#include "app/catalogue_items.h"
#include "ui/interface_rebuild.h"

#include "toolkit/toolkit.h"

const char *const ABOUT_PRODUCT_LINE = "Kestrune 1.00b (c) 2024-2026 Marta Vellinger and Tomas Okoye";
const char *const ABOUT_CONTACT_LINES[3] = {
   "Marta Vellinger: marta@kestrune.example",
   "Tomas Okoye: tomas@kestrune.example",
   "News and updates: www.kestrune.example",
};
const char *const ABOUT_THANKED = "Ilse Brandvik, Joao Terrafeld, Nadia Quellmore, the testers";
const char *const ABOUT_LIBRARY_LINE =
   "DUMB v0.9.1, MP3 stream player v2.0.2, Ogg stream player v1.0.2, CD audio control v0.5";

namespace {

// The return button; the window's loop ends with it.
void close_about(void *)
{
   CloseWindow();
   StopEventLoop();
}

}

void about_window_open(void *)
{
   // Drawn as an icon: the logo's rounded corners are in the mask colour.
   LoadIconFile("./gfx/logo.bmp", "kstrlogo", 1, 0);
   MakeWindow(0, AUTO, tr_text(msg::ABOUT), 0);
   PlaceLabel(PLACE_NEW_ROW, AUTO, "#kstrlogo;");
   PlaceLabel(PLACE_NEW_ROW, AUTO, ABOUT_PRODUCT_LINE);
   for (const char *line : ABOUT_CONTACT_LINES)
      PlaceLabel(PLACE_NEW_ROW, AUTO, line);
   BeginGroupBox(PLACE_NEW_ROW, AUTO, 0, AUTO, tr_text(msg::thanks), GROUP_TITLE_IN_FRAME);
   PlaceLabel(PLACE_NEW_ROW, AUTO, tr_text(msg::thanks_to));
   PlaceLabel(PLACE_NEW_ROW, AUTO, tr_text(msg::and_many_other, ABOUT_THANKED));
   EndGroupBox();
   PlaceLabel(PLACE_NEW_ROW, AUTO, ABOUT_LIBRARY_LINE);
   PlaceButton(PLACE_NEW_ROW, AUTO, tr_text(msg::return_), close_about, nullptr);
   PresentWindow();
   run_dialog_loop();
}

// The settings dialog: every setting of "./kstr.ini" on three pages
// (graphics, streams, language), edited in place.
//
// Contract:
// - The controls are bound to the settings' globals, so a change holds in
//   memory at once; only the save button (settings_save) writes the file.
// - settings_dialog_open is the main menu's action: it builds the dialog (not
//   modal) and runs its loop until the close button closes it. While the
//   dialog is open, opening it again does nothing. `settings_window_id`
//   names it while it is open, 0 otherwise.
// - `settings_tab` is the page shown, counted from 0 in page order; it starts
//   at 1 and keeps the page last chosen across openings.
// - graphics_reinit (the set_resolution button) sets the graphics mode again
//   and rebuilds the interface (interface_rebuild.h). The size comes from the
//   configuration, so a resolution chosen in the list takes effect only once
//   it has been saved; depth and refresh rate act at once.
// - The draw_mouse_interrupt box is bound to `mouseint` and hands each change
//   to the toolkit's mouse-drawing flag, so the value saved is the one shown.
#pragma once

extern int settings_tab;
extern int settings_window_id;

void settings_dialog_open(void *data);
void graphics_reinit(void *data);

// The dialog's first two pages (the third is settings_page_language).
void settings_page_graphics(void *data);
void settings_page_streams(void *data);

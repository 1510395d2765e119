// The about window: the logo, the product and credits line, how to reach the
// authors, the thanks and the libraries the player is built on.
//
// Contract:
// - about_window_open is the main menu's action: it opens the window (modal)
//   and runs its loop until the return button closes it.
// - The logo is "./gfx/logo.bmp"; without it the window shows no picture and
//   nothing is reported.
// - The thanks line is the catalogue's and_many_other text with the list of
//   names as its one argument: a text without "%0" shows no names.
#pragma once

void about_window_open(void *data);

// The texts of the window that are not in the catalogue.
extern const char *const ABOUT_PRODUCT_LINE;
extern const char *const ABOUT_CONTACT_LINES[3];
extern const char *const ABOUT_THANKED;
extern const char *const ABOUT_LIBRARY_LINE;

// The start-up steps of the program, in the order main runs them.
#pragma once

#include <string>

// Exit status of a start-up that could not load its catalogue.
constexpr int EXIT_NO_CATALOGUE = -1;
// Exit status when the platform library cannot start (no display).
constexpr int EXIT_NO_SYSTEM = 2;
// Exit status of a start-up whose graphics mode was refused.
constexpr int EXIT_NO_GRAPHICS = 1;

// Loads and selects the catalogue of the configured language, or shows the
// reason and ends the process with EXIT_NO_CATALOGUE.
void load_configured_catalogue();

// The text shown when the catalogue cannot be loaded, for tr_error/tr_line.
std::string catalogue_error_detail(int error, int line);

// Sets the graphics mode from the configuration, or shows why it failed and
// ends the process with EXIT_NO_GRAPHICS.
void graphics_init();

// Copies of the texts "no" (element 0) and "yes" (element 1) of the selected
// catalogue, taken by graphics_init and again by each language switch.
extern char *yes_no_texts[2];
// Replaces yes_no_texts by fresh copies from the selected catalogue.
void copy_yes_no_texts();

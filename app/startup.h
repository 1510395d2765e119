// The start-up steps of the program, in the order main runs them.
#pragma once

#include "app/catalogue_texts.h"
#include "app/config.h"

// Loads and selects the catalogue of the configured language, or shows the
// reason and ends the process with EXIT_NO_CATALOGUE.
void load_configured_catalogue();

// Sets the graphics mode from the configuration, or shows why it failed and
// ends the process with EXIT_NO_GRAPHICS.
void graphics_init();

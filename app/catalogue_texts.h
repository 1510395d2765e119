// Texts taken from the selected catalogue that outlive a lookup, and the
// reason a catalogue did not load, shared by start-up and the language switch.
#pragma once

#include <string>

// The text shown when a catalogue cannot be loaded, for tr_error/tr_line.
std::string catalogue_error_detail(int error, int line);

// Copies of the texts "no" (element 0) and "yes" (element 1) of the selected
// catalogue, taken by graphics_init and again by each language switch.
extern char *yes_no_texts[2];
// Replaces yes_no_texts by fresh copies from the selected catalogue.
void copy_yes_no_texts();

// The language table: one entry per catalogue file "lang/??.tra" that loads,
// with its two-letter code and its `lang_name` text, in directory order.
//
// Contract:
// - scan_languages runs after tr_init and install_allegro; paths are
//   relative to the working folder. It keeps at most LANGUAGE_MAX entries.
// - language_names[i] stays valid until the next scan or
//   free_language_names; callers that keep a name copy it.
// - current_translation is the program's one translation (owned by the
//   program: whoever replaces it destroys the old one).
#pragma once

#include "app/catalogue.h"

constexpr int LANGUAGE_MAX = 20;

extern char language_codes[LANGUAGE_MAX][3];
extern const char *language_names[LANGUAGE_MAX];
extern int language_count;
extern int current_language;
extern TRANSLATION *current_translation;

// Fills the table from the folder "lang", then selects current_translation.
void scan_languages();
// Releases the names and empties the table (shutdown).
void free_language_names();
// Index of the entry whose code equals `code` exactly (case-sensitive),
// or -1.
int find_language(const char *code);

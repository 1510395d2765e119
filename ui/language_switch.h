// The language page of the settings dialog and the switch to the language
// chosen on it.
//
// Contract:
// - settings_page_language places the page: the active language's name, whether
//   its catalogue is complete, the translator's line, the list of languages
//   bound to `current_language` and the switch button.
// - language_switch loads the catalogue of `current_language`. When it
//   loads, it becomes `current_translation` (the old one is destroyed),
//   `yes_no_texts` are copied from it and the interface is rebuilt in the
//   new language (interface_rebuild.h): the playlist and the playing song
//   stay. When it does not load (removed or broken since start-up), the
//   active catalogue and its language stay, the list shows that language
//   again and a requester names the file and the reason.
// - The configuration is not written; settings_save stores the code of
//   `current_language`.
#pragma once

void settings_page_language(void *data);
void language_switch(void *data);

// Notes which table entry the active catalogue belongs to: `current_language`
// before the user can change it (the settings dialog calls this when it
// opens; later calls keep the first note).
void note_active_language();

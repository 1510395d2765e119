// What the user is told when a song cannot be started: one text per
// SONG_ERROR code from the current catalogue, naming the file, with the
// English text standing in where a catalogue lacks the item.
#pragma once

#include <string>

// The requester text for `code` (a SONG_ERROR other than SONG_OK) and the
// file `name`: the message, then "|" and the button label. Bars in the name
// are shown as broken bars, so the name cannot end the message early.
std::string song_error_text(int code, const char *name);

// The requester's title from the catalogue, English where it has none.
std::string song_error_title();

// Shows the requester for `code` and `name` and waits for its answer.
void report_song_error(int code, const char *name);

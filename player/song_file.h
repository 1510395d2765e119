// Reading a song's file whole into memory, for the backends that play from a
// file image, and the checks every file-based start makes first.
#pragma once

#include <vector>

// SONG_OK when `name` names a regular file that can be opened and holds at
// least one byte; SONG_OPEN_FAILED or SONG_EMPTY_FILE otherwise.
int check_song_file(const char *name);

// Every byte of the file into `image` (replacing what it held). SONG_OK,
// SONG_OPEN_FAILED (missing, unreadable, or a read that came up short) or
// SONG_EMPTY_FILE; `image` is left empty on failure.
int read_song_file(const char *name, std::vector<unsigned char> &image);

// The playlist buttons: add a song through the file selector, and new, load,
// merge and save playlist with their requesters.
//
// Contract:
// - Each action takes the playlist as its data pointer. A cancelled file
//   selector changes nothing.
// - A failed load or merge shows why (damaged file, or written by a newer
//   version) and leaves the playlist and its current entry as they were; a
//   load replaces the playlist only when the whole file was read. The record
//   itself never moves (the view reads its count by address).
// - A failed save shows a requester.
#pragma once

#include <cstdint>

struct PLAYLIST;

// Asks for a file and inserts it at `position` (0..count).
void add_song_dialog(PLAYLIST *pl, uint32_t position);

void add_song_button(void *playlist);
void new_playlist_button(void *playlist);
void load_playlist_button(void *playlist);
void merge_playlist_button(void *playlist);
void save_playlist_button(void *playlist);

// The load and merge steps without the file selector: 0, -1 or -2 as
// playlist_load answers, after telling the user about a failure.
int load_playlist_file(PLAYLIST *pl, const char *path);
int merge_playlist_file(PLAYLIST *pl, const char *path);

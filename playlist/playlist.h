// The playlist: an ordered list of songs (a file name plus one 32-bit value
// each) and a current position.
//
// The record layout is fixed: the main window's list box reads the number of
// rows straight from `count` by its address, so a PLAYLIST never moves once
// created. Each name is a separate heap copy owned by the playlist; entries
// are moved by copying the (pointer, data) pair, never the text.
//
// `current` is the index of the current song, or -1 for none, and is compared
// with indexes as an unsigned number (so -1 sorts after every index). After
// every insertion or removal it is -1 exactly when the list is empty.
//
// Results: 0 success, -1 failure; a failed operation changes nothing, except
// that an insertion that ran out of memory may leave the array grown.
#pragma once

#include <cstdint>

inline constexpr uint32_t PLAYLIST_GROW = 50;

struct PLAYLIST_ENTRY {
   char *name;
   uint32_t data;
};

struct PLAYLIST {
   PLAYLIST_ENTRY *entries;
   uint32_t count;
   uint32_t capacity;
   int32_t current;
};

// A new empty playlist with room for PLAYLIST_GROW songs, or null.
PLAYLIST *playlist_create(void);
// Frees every name, the array and the record; null is ignored.
void playlist_destroy(PLAYLIST *pl);

// Puts a copy of `name` at `index` (0..count; count appends); the songs from
// there on move one place back. A current song at or after `index` stays
// current, and "none" becomes the first song.
int playlist_insert(PLAYLIST *pl, uint32_t index, const char *name, uint32_t data);
// Removes the song at `index`. Removing the current song makes the following
// one current, or the new last one; an emptied list has current -1.
int playlist_remove(PLAYLIST *pl, uint32_t index);
// Takes the song at `from` out and puts it at `to`; the current song stays
// current.
int playlist_move(PLAYLIST *pl, uint32_t from, uint32_t to);

// The song's name, or null for a null playlist or an index not below count.
const char *playlist_get_name(const PLAYLIST *pl, uint32_t index);
// The song's value, or 0 in the same cases.
uint32_t playlist_get_data(const PLAYLIST *pl, uint32_t index);
// Index of the first song whose name equals `name` exactly (case matters),
// or -1.
int playlist_find(const PLAYLIST *pl, const char *name);

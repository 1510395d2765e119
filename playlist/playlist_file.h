// Playlist files (".kpl"): a 24-byte header, then one record per song.
//
//   offset 0   14 bytes  "KSTR PLAYLIST " (no terminator)
//   offset 14   2 bytes  version, two ASCII digits; written as "01"
//   offset 16   4 bytes  number of songs, unsigned
//   offset 20   4 bytes  current position, signed (-1 = none)
//   offset 24  records:  2-byte name length, the name's bytes, 4-byte value
//
// All integers little-endian, no padding. Bytes after the last record are
// ignored.
#pragma once

#include "playlist/playlist.h"

// Appends the file's songs to the playlist and makes the file's current song
// current (a stored -1 leaves the song before the appended ones current).
// The current position always ends up naming a song of the list, or -1 for an
// empty list.
// Returns 0 when loaded; -1 when the file cannot be opened, lacks the magic
// or ends before its last record; -2 when a newer version wrote it. On -1 and
// -2 the playlist is as it was before the call: a damaged file never loads
// half. Songs that cannot be inserted for lack of memory are skipped.
int playlist_load(PLAYLIST *pl, const char *path);

// Writes the playlist to the file, creating or truncating it.
// Returns 0 when every byte reached the file, -1 otherwise. A name longer
// than 65535 bytes is stored as its first (length modulo 65536) bytes.
int playlist_save(const PLAYLIST *pl, const char *path);

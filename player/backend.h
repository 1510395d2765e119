// What every playback backend offers the engine. The engine walks one
// registry table of these, in dispatch order, and does the shared work itself:
// matching the extension, reading a file into memory for backends that want
// it, the busy pointer, telling the user about a failure, the pause flag and
// the progress value. A backend file holds only what is its own.
//
// Contract:
// - `extensions`: upper-case extensions without the dot, ended by a null.
// - `start` gets the name exactly as the playlist holds it, and the whole
//   file in memory when `wants_file_image` is set (the backend then keeps a
//   view of it; the engine frees the image only after `stop`). It returns
//   SONG_OK or a SONG_ERROR code and, on failure, leaves nothing behind.
// - `poll` serves the live song once; it returns 1 while the song goes on and
//   0 once it has ended (the engine then advances to the next entry).
// - `position` and `length` are in one unit of the backend's choosing
//   (seconds where it can; MIDI counts beats), since the engine uses only
//   their ratio; a length of 0 means unknown.
// - `pause`, `seek` (to a fraction 0..1 of the length) and `stop` act on the
//   live song; `stop` frees everything the song owns. The engine calls
//   `poll` only while the song is not paused.
// - `poll_interval_ms`, when given, is how long the live song may go between
//   polls without running dry (about a quarter of one stream buffer); left
//   null, the engine polls every few milliseconds.
#pragma once

#include <cstddef>

enum SONG_ERROR {
   SONG_OK = 0,
   SONG_UNKNOWN_FORMAT,  // no backend for the extension
   SONG_OPEN_FAILED,     // missing or unreadable file
   SONG_EMPTY_FILE,
   SONG_REFUSED,   // the decoder or loader does not take the file
   SONG_NO_VOICE,  // the mixer has no free voice or stream
   SONG_NO_SOUND,  // no sound driver is installed
   SONG_NO_CD_DRIVE,
};

struct FILE_IMAGE {
   const unsigned char *data;
   size_t size;
};

struct BACKEND {
   int kind;
   const char *const *extensions;
   bool wants_file_image;
   int (*start)(const char *name, const FILE_IMAGE *image);
   int (*poll)();
   double (*position)();
   double (*length)();
   void (*pause)(int paused);
   void (*seek)(double fraction);
   void (*stop)();
   int (*poll_interval_ms)() = nullptr;
};

// Backends defined in their own files; the engine's registry lists them in
// dispatch order.
extern const BACKEND sample_backend;
extern const BACKEND midi_backend;
extern const BACKEND mp3_backend;
extern const BACKEND ogg_backend;
extern const BACKEND module_backend;
// Selected by the whole name "cda" (any case) rather than by an extension.
extern const BACKEND cd_backend;

// DUMB on Allegro: module files read through Allegro packfiles, and a player
// that renders a module into an Allegro audio stream.
//
// Contract:
// - dumb_register_packfiles makes DUMB's loaders (dumb_load_it and friends)
//   open their files with pack_fopen. Calling it again is harmless.
// - al_start_duh renders `duh` from `pos` (1/65536 s) into a new audio
//   stream of `n_channels` (1 or 2) 16-bit unsigned channels, `bufsize`
//   sample frames a buffer, at `freq` Hz, scaled by `volume`. The player
//   keeps a pointer to `duh`, which must outlive it. It returns null when
//   `duh` is null, the arguments make no sense or Allegro has no voice for
//   the stream; nothing is left behind then.
// - The song ends at its end instead of looping. al_poll_duh keeps the stream
//   fed; it returns 0 while the song goes on and nonzero once everything
//   rendered has been played (and for a null player). At that point the
//   player releases its stream and renderer on its own; the position then
//   reads -1.
// - al_duh_get_position is the position of what the stream's voice has
//   played so far, in 1/65536 s from the start of the song; -1 for a null or
//   finished player.
// - Pausing stops the voice and the feeding, keeping the position; resuming
//   starts both again. A seek restarts rendering at `pos` with an empty
//   stream, so the old position is not heard again; a paused player stays
//   paused. A seek at or past the song's length ends it. Should Allegro
//   refuse the new stream, the player has finished.
// - al_stop_duh releases the stream, the renderer and the player.
// - Everything runs on the caller's thread; Allegro's mixer only reads the
//   stream's buffers.
#pragma once

#include <memory>

#include <allegro.h>
#include <dumb.h>

struct AL_DUH_PLAYER;

void dumb_register_packfiles();

AL_DUH_PLAYER *al_start_duh(DUH *duh, int n_channels, long pos, float volume, long bufsize, int freq);
void al_stop_duh(AL_DUH_PLAYER *dp);
int al_poll_duh(AL_DUH_PLAYER *dp);
long al_duh_get_position(AL_DUH_PLAYER *dp);
void al_pause_duh(AL_DUH_PLAYER *dp);
void al_resume_duh(AL_DUH_PLAYER *dp);
// 0 on success; -1 (the player unchanged) when DUMB cannot start there.
int al_duh_seek(AL_DUH_PLAYER *dp, long pos);
// The stream being fed, or null once finished; for diagnostics and tests.
AUDIOSTREAM *al_duh_get_audiostream(AL_DUH_PLAYER *dp);

// Owning handles for the caller's side.
struct DuhUnloader {
   void operator()(DUH *duh) const { unload_duh(duh); }
};
struct AlDuhPlayerStopper {
   void operator()(AL_DUH_PLAYER *dp) const { al_stop_duh(dp); }
};
using DuhPtr = std::unique_ptr<DUH, DuhUnloader>;
using AlDuhPlayerPtr = std::unique_ptr<AL_DUH_PLAYER, AlDuhPlayerStopper>;

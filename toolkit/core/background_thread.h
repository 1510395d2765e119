// Allegro's background thread under X, replaced by one of the toolkit's own.
//
// Allegro's own thread wakes every millisecond and, every 10 ms, reads X
// input with a round trip to the server and runs the other background work
// (its own sound drivers' mixing): some 200 wake-ups a second, more than
// the whole rest of the player while it plays. Ours waits on the X
// connection instead: input is read as soon as it arrives (one round per
// 8 ms at most under a flood), and without input a round runs every
// BACKGROUND_ROUND_MS. What the main thread draws is sent by the
// event loop itself (FlushScreenToServer), and events the main thread's own
// X calls took off the connection are handed over by the same call. Allegro's X input handler is the function
// registered when Allegro starts; any further one is one of Allegro's own
// sound drivers, which mixes a fragment a round: while one is registered,
// rounds come every DRIVER_ROUND_MS, Allegro's own cadence.
//
// Contract: InstallBackgroundThread() before install_allegro() makes
// Allegro start ours in place of its own; once Allegro is installed it does
// nothing. The thread keeps Allegro's rules: background functions run one at
// a time while interrupts are enabled, disable_interrupts() waits for a
// running round to end, and a background function may (un)register.
#pragma once

inline constexpr int BACKGROUND_ROUND_MS = 100;
inline constexpr int DRIVER_ROUND_MS = 10;

void InstallBackgroundThread();

// Sends what the main thread has drawn to the X server now, instead of at
// the background thread's next round. The event loop calls it before it
// waits.
void FlushScreenToServer();

// Rounds run since the program started, and of them those that X input or
// the event loop woke (for tests and measurements).
long BackgroundRounds();
long BackgroundInputRounds();

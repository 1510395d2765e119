// What Allegro's threads tell the event loop: 1 ms timer ticks, input marks,
// and the wake-up that ends the loop's idle wait.
//
// Contract: the functions marked "any thread" are safe from Allegro's timer
// and input callbacks (they only touch atomics); the rest belong to the loop
// thread.
#pragma once

#include <cstdint>

namespace event_signals {

// Installs (or removes) the 1 ms timer. False when Allegro refused it.
bool StartTimer();
void StopTimer();
bool TimerRunning();

// Ticks seen since the program started.
uint64_t TickCount();

// Delay bookkeeping: BeginDelayUpdate sets the busy flag and takes the elapsed
// count; ticks arriving until EndDelayUpdate wait in the pending count.
int BeginDelayUpdate();
void EndDelayUpdate();

// Input sources mark themselves; the loop takes all marks at once.
inline constexpr int MAX_SOURCES = 32;
void Mark(int source);  // any thread
uint32_t TakeMarks();

// Idle waiting: take a token, look for work, and wait with the token only when
// none was found; any tick or mark after the token ends the wait at once.
uint32_t WakeToken();
// `with_ticks` false: only input ends the wait (nothing is waiting for time).
void WaitForWake(uint32_t token, bool with_ticks);

}

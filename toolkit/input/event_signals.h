// What the event loop learns from outside its own thread: input marks from
// Allegro's callbacks, the monotonic clock that counts delays, and the
// wake-up that ends the loop's idle wait.
//
// Contract: the functions marked "any thread" only touch atomics and are safe
// from Allegro's input callbacks; the rest belong to the loop thread.
#pragma once

#include <cstdint>

namespace event_signals {

// The monotonic clock in nanoseconds (any thread).
int64_t NowNs();
inline constexpr int64_t NS_PER_MS = 1'000'000;
inline constexpr int64_t NO_DEADLINE = INT64_MAX;

// Whole milliseconds since the program started (any thread).
uint64_t TickCount();

// Input sources mark themselves; the loop takes all marks at once.
inline constexpr int MAX_SOURCES = 32;
void Mark(int source);  // any thread
uint32_t TakeMarks();

// Idle waiting: take a token, look for work, and wait with the token only when
// none was found; a mark made after the token was taken ends the wait at
// once. The wait also ends at `deadline_ns` on the NowNs clock.
uint32_t WakeToken();
void WaitForWake(uint32_t token, int64_t deadline_ns);

}

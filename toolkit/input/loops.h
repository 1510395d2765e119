// Inside the toolkit: loop frames, the event system's start and stop, and the
// input hooks. The public side is toolkit/events.h.
#pragma once

#include <cstdint>

inline constexpr int LOOP_SYSTEM = INT32_MIN;  // 0x80000000: RunEventLoop, requesters
inline constexpr int LOOP_FILE_SELECTOR = 0x40000000;

// Runs a loop with frame `id` until EndLoop(id) pops it. `result` is handed
// back by EndLoop; `name` labels the frame ("System", "Request").
void RunLoop(int id, void *result, const char *name);

// Pops the innermost loop frame when it has this id, marks it stopped (its loop
// returns once the current callback has) and returns its result pointer;
// otherwise returns 0.
void *EndLoop(int id);

// Starts the pool, the queues and the delay clock, and registers the shut-down
// as an exit handler (once until it runs). Returns 1 when it started them now,
// 0 when they were running already. StartToolkit calls it.
int StartEventSystem();

// The shut-down flush described above; does nothing when not running.
void StopEventSystem();

bool EventSystemRunning();

// True when the innermost loop is a top-level one (RunEventLoop's), not a
// requester's or the file selector's.
bool InnermostLoopIsTopLevel();

// Hooks the toolkit's keyboard and mouse callbacks into Allegro (keyboard and
// mouse must be installed; missing ones are skipped). StartToolkit calls it;
// RemoveToolkitInput undoes it.
void InstallToolkitInput();
void RemoveToolkitInput();

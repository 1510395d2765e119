// The event queue, timed calls and event loops.
//
// Contract:
// - Everything here is called on the program's one thread (the loop thread).
//   Allegro's input callbacks only set marks; the loop turns them into calls.
// - QueueCall's call runs exactly once, from a loop. A call queued with delay 0
//   runs after every call already ready; a delayed call runs no earlier than
//   its delay (whole milliseconds of the monotonic clock, counted from
//   queuing), after the calls that became ready before it.
// - A call that names a control (control_id > 0) keeps that control's record
//   alive until the call has returned.
// - A loop that finds nothing new (no input, no expired delay, only calls
//   queued by the pass before) sleeps until input, a delay running out or its
//   next place on a 1.6 ms grid, so a self-re-queuing call runs about 625
//   times a second instead of spinning a core.
// - The loop that started the event system stops it when it ends: new calls are
//   refused, everything pending runs at once in queue order (delays cut to 0),
//   then the pool is freed.
#pragma once

#include <cstdint>

// --- Public ---------------------------------------------------------------

// Queues fn(data) after delay_ms milliseconds (0: on the next pass). Returns
// the event's tag, or -1 when no event can be made (while the queue is being
// flushed for shut-down).
int QueueCall(void (*fn)(void *), void *data, int delay_ms, int control_id);

// Runs the top-level loop ("System") until StopEventLoop. Returns 1.
int RunEventLoop();

// Ends the innermost loop when it is a "System"/"Request" loop and returns its
// result pointer; otherwise does nothing and returns 0.
void *StopEventLoop();

// Application-settable: 0 moves the pointer image from the loop's mouse
// processing, non-zero leaves it to Allegro's own thread, which moves it
// within 10 ms of every movement (see pointer_image.h). Read on the loop
// thread only.
extern int MouseInputMode;

// --- Internal to the toolkit ----------------------------------------------

inline constexpr int LOOP_SYSTEM = INT32_MIN;        // 0x80000000: RunEventLoop, requesters
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

// Hooks the toolkit's keyboard and mouse callbacks into Allegro (keyboard and
// mouse must be installed; missing ones are skipped). StartToolkit calls it;
// RemoveToolkitInput undoes it.
void InstallToolkitInput();
void RemoveToolkitInput();

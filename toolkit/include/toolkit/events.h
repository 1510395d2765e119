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

// Queues fn(data) after delay_ms milliseconds (0: on the next pass). Returns
// the event's tag, or -1 when no event can be made (while the queue is being
// flushed for shut-down).
int QueueCall(void (*fn)(void *), void *data, int delay_ms, int control_id);

// Runs the top-level loop ("System") until StopEventLoop. Returns 1.
int RunEventLoop();

// Ends the innermost loop when it is a "System"/"Request" loop and returns its
// result pointer; otherwise does nothing and returns 0.
void *StopEventLoop();

// The close button of the desktop's frame around the program's window: once
// pressed, fn(data) runs from the loop, as the program's own close or quit
// control would. Without a handler (fn null, the default) the button ends the
// top-level loop when no modal loop (requester, file selector) is open, and
// is ignored while one is. The handler outlives StopToolkit.
void SetCloseButtonHandler(void (*fn)(void *), void *data);

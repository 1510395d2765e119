// Inside the event system: what the loops and the input module use beyond
// events.h.
#pragma once

#include "input/event_pool.h"

// Input sources: a mark made from an Allegro callback (event_signals::Mark)
// becomes a call of the source's function on the next loop pass.
inline constexpr int SOURCE_POINTER = 0;
inline constexpr int SOURCE_KEYBOARD = 1;
inline constexpr int SOURCE_CLOSE_BUTTON = 2;
void SetSourceCall(int source, void (*fn)(void *));

// Waits until an event is due and hands over a copy of it; its slot is free
// again. The copy's pin stays held: release it with FinishEvent after the call.
EventRecord TakeNextEvent();
void FinishEvent(const EventRecord &event);

// True while the shut-down flush runs (new events are refused).
bool EventSystemFlushing();

// Events waiting in the pool (ready, delayed and not yet run), and the pool's
// size, for tests.
int EventsPending();
int EventPoolCapacity();

#include "input/event_system.h"

#include "core/background_thread.h"
#include "core/control.h"
#include "input/event_pool.h"
#include "input/event_signals.h"
#include "input/loops.h"
#include "toolkit/events.h"
#include "windows/input_sink.h"

#include <algorithm>
#include <climits>

namespace {

// A FIFO of pool records linked through `next`.
class EventFifo {
 public:
   bool Empty() const { return !head_; }
   EventRecord *Head() const { return head_; }
   EventRecord *Tail() const { return tail_; }

   void Append(EventRecord *event)
   {
      event->next = nullptr;
      (tail_ ? tail_->next : head_) = event;
      tail_ = event;
   }

   EventRecord *PopHead()
   {
      EventRecord *event = head_;
      head_ = event->next;
      if (!head_)
         tail_ = nullptr;
      return event;
   }

   // Moves, in order, every record for which `due` holds to `to`.
   template <typename Due>
   void MoveDue(EventFifo &to, Due due)
   {
      EventRecord *kept_head = nullptr, *kept_tail = nullptr;
      while (head_) {
         EventRecord *event = PopHead();
         if (due(*event)) {
            to.Append(event);
         } else {
            event->next = nullptr;
            (kept_tail ? kept_tail->next : kept_head) = event;
            kept_tail = event;
         }
      }
      head_ = kept_head;
      tail_ = kept_tail;
   }

   void Reset() { head_ = tail_ = nullptr; }

 private:
   EventRecord *head_ = nullptr;
   EventRecord *tail_ = nullptr;
};

struct EventSystem {
   EventPool pool;
   EventFifo ready;
   EventFifo delayed;
   bool running = false;
   bool flushing = false;
   bool exit_handler_registered = false;
   uint32_t next_tag = 0;
   // Delays are counted in whole milliseconds of the monotonic clock: time up
   // to `charged_to` has been taken off the delayed events.
   int64_t charged_to = 0;
   // Earliest start of a pass that would only re-run calls queued by the pass
   // before; passes of re-queued calls follow a grid of PASS_PERIOD_NS.
   int64_t next_pass = 0;
   // The last ready event of the pass being run; null when the pass is over.
   EventRecord *pass_last = nullptr;
   void (*source_calls[event_signals::MAX_SOURCES])(void *) = {};
};

EventSystem g;

EventRecord *NewEvent(void (*fn)(void *), void *data, int delay, int control_id)
{
   EventRecord *event = g.pool.Take();
   event->fn = fn;
   event->data = data;
   event->delay = delay;
   event->control = control_id > 0 ? control_id : 0;
   event->pin = event->control ? PinControl(event->control) : nullptr;
   g.next_tag = (g.next_tag + 1) & ~EVENT_TAG_PUBLIC;
   event->tag = g.next_tag;
   return event;
}

// A self-re-queuing call (the playback poll) runs once per pass; with no
// input, passes of re-queued calls start this far apart: about 625 runs a
// second, for a few hundred wake-ups of the loop thread.
constexpr int64_t PASS_PERIOD_NS = 1'600'000;

// Charges the whole milliseconds elapsed since the last charge to the delayed
// events and moves those that are due to the ready queue, in order. Time that
// passed while nothing was delayed is dropped.
void ChargeElapsed()
{
   const int64_t ms = std::min<int64_t>((event_signals::NowNs() - g.charged_to) / event_signals::NS_PER_MS, INT_MAX);
   g.charged_to += ms * event_signals::NS_PER_MS;
   const int elapsed = static_cast<int>(ms);
   g.delayed.MoveDue(g.ready, [elapsed](EventRecord &event) {
      event.delay = event.delay > INT_MIN + elapsed ? event.delay - elapsed : INT_MIN;
      return event.delay <= 0;
   });
}

// When the earliest delayed event falls due, or NO_DEADLINE.
int64_t NextDueNs()
{
   int least = INT_MAX;
   for (const EventRecord *event = g.delayed.Head(); event; event = event->next)
      least = std::min(least, event->delay);
   return g.delayed.Empty() ? event_signals::NO_DEADLINE : g.charged_to + least * event_signals::NS_PER_MS;
}

void Enqueue(EventRecord *event)
{
   if (event->delay == 0) {
      g.ready.Append(event);
      return;
   }
   // Time that passed before this event existed must not count against it;
   // and since the part of a millisecond already begun will be charged as a
   // whole one, it gets one more.
   ChargeElapsed();
   if (event->delay > 0 && event->delay < INT_MAX && event_signals::NowNs() > g.charged_to)
      ++event->delay;
   g.delayed.Append(event);
}

// Applies elapsed time and turns input marks into ready events. True when
// that made anything ready.
bool Collect()
{
   const EventRecord *const last_ready = g.ready.Tail();
   ChargeElapsed();
   const uint32_t marks = event_signals::TakeMarks();
   for (int source = 0; source < event_signals::MAX_SOURCES; ++source) {
      if (!(marks & (1u << source)) || !g.source_calls[source])
         continue;
      EventRecord *event = NewEvent(g.source_calls[source], nullptr, 0, 0);
      event->posted_from_interrupt = 1;
      Enqueue(event);
   }
   return g.ready.Tail() != last_ready;
}

// Starts a pass: everything ready once new input and due delays are in. A
// pass that would only re-run calls queued by the previous pass first waits
// for input, a due delay or its place on the pass grid, so self-re-queuing
// calls do not spin the loop.
void StartPass()
{
   for (;;) {
      const uint32_t token = event_signals::WakeToken();
      if (Collect())
         break;
      if (!g.ready.Empty() && event_signals::NowNs() >= g.next_pass)
         break;
      const int64_t deadline = g.ready.Empty() ? NextDueNs() : std::min(g.next_pass, NextDueNs());
      FlushScreenToServer();
      event_signals::WaitForWake(token, deadline);
   }
   g.pass_last = g.ready.Tail();
   const int64_t now = event_signals::NowNs();
   // Keep to the grid, unless a long pass left the loop a whole period behind.
   g.next_pass = g.next_pass + PASS_PERIOD_NS >= now ? g.next_pass + PASS_PERIOD_NS : now + PASS_PERIOD_NS;
}

void ShutdownHandler(void *)
{
   g.exit_handler_registered = false;
   StopEventSystem();
}

}

void SetSourceCall(int source, void (*fn)(void *))
{
   g.source_calls[source] = fn;
}

int StartEventSystem()
{
   if (g.running || g.flushing)
      return 0;
   g.pool.Fill();
   g.charged_to = event_signals::NowNs();
   g.next_pass = 0;
   if (!g.exit_handler_registered) {
      RegisterExitHandler(ShutdownHandler, nullptr);
      g.exit_handler_registered = true;
   }
   g.running = true;
   return 1;
}

void StopEventSystem()
{
   if (!g.running || g.flushing)
      return;
   g.flushing = true;
   g.delayed.MoveDue(g.ready, [](EventRecord &) { return true; });
   while (!g.ready.Empty()) {
      EventRecord *record = g.ready.PopHead();
      const EventRecord event = *record;
      g.pool.Give(record);
      if (event.fn)
         event.fn(event.data);
      FinishEvent(event);
   }
   g.pool.Clear();
   g.ready.Reset();
   g.delayed.Reset();
   g.pass_last = nullptr;
   g.running = false;
   g.flushing = false;
}

bool EventSystemRunning()
{
   return g.running;
}

bool EventSystemFlushing()
{
   return g.flushing;
}

int QueueCall(void (*fn)(void *), void *data, int delay_ms, int control_id)
{
   StartEventSystem();
   if (g.flushing)
      return -1;
   EventRecord *event = NewEvent(fn, data, delay_ms, control_id);
   event->tag |= EVENT_TAG_PUBLIC;
   Enqueue(event);
   // The tag without the public bit: a negative result means failure.
   return static_cast<int>(event->tag & ~EVENT_TAG_PUBLIC);
}

EventRecord TakeNextEvent()
{
   if (!g.pass_last)
      StartPass();
   while (g.ready.Empty())
      StartPass();
   EventRecord *record = g.ready.PopHead();
   if (record == g.pass_last)
      g.pass_last = nullptr;
   const EventRecord event = *record;
   g.pool.Give(record);
   return event;
}

void FinishEvent(const EventRecord &event)
{
   if (event.pin)
      UnpinControl(event.pin);
}

int EventsPending()
{
   return g.pool.InUse();
}

int EventPoolCapacity()
{
   return g.pool.Capacity();
}

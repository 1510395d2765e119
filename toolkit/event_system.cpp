#include "toolkit/event_system.h"

#include "toolkit/control.h"
#include "toolkit/event_signals.h"
#include "toolkit/events.h"

#include <climits>

namespace {

// A FIFO of pool records linked through `next`.
class EventFifo {
public:
   bool empty() const { return !head_; }
   EventRecord *head() const { return head_; }
   EventRecord *tail() const { return tail_; }

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

// Charges the ticks elapsed since the last charge to the delayed events and
// moves those that are due to the ready queue, in order. Ticks that passed
// while nothing was delayed are dropped. Returns the ticks charged.
int ChargeElapsed()
{
   const int elapsed = event_signals::BeginDelayUpdate();
   g.delayed.MoveDue(g.ready, [elapsed](EventRecord &event) {
      event.delay = event.delay > INT_MIN + elapsed ? event.delay - elapsed : INT_MIN;
      return event.delay <= 0;
   });
   event_signals::EndDelayUpdate();
   return elapsed;
}

void Enqueue(EventRecord *event)
{
   if (event->delay == 0) {
      g.ready.Append(event);
      return;
   }
   // Time that passed before this event existed must not count against it.
   ChargeElapsed();
   g.delayed.Append(event);
}

// Applies elapsed ticks and turns input marks into ready events. True when it
// found anything new (a tick or a mark).
bool Collect()
{
   const int elapsed = ChargeElapsed();
   const uint32_t marks = event_signals::TakeMarks();
   for (int source = 0; source < event_signals::MAX_SOURCES; ++source) {
      if (!(marks & (1u << source)) || !g.source_calls[source])
         continue;
      EventRecord *event = NewEvent(g.source_calls[source], nullptr, 0, 0);
      event->posted_from_interrupt = 1;
      Enqueue(event);
   }
   return elapsed > 0 || marks != 0;
}

// Starts a pass: everything ready once new ticks and input are in. A pass that
// would only re-run calls queued by the previous pass first waits for a tick
// or input, so self-re-queuing calls do not spin the loop.
void StartPass()
{
   for (;;) {
      const uint32_t token = event_signals::WakeToken();
      if (Collect())
         break;
      const bool waiting_for_time = !g.ready.empty() || !g.delayed.empty();
      // Without a timer no tick would come: run what is ready at once.
      if (!event_signals::TimerRunning() && !g.ready.empty())
         break;
      event_signals::WaitForWake(token, waiting_for_time && event_signals::TimerRunning());
   }
   g.pass_last = g.ready.tail();
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
   event_signals::StartTimer();
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
   while (!g.ready.empty()) {
      EventRecord *record = g.ready.PopHead();
      const EventRecord event = *record;
      g.pool.Give(record);
      if (event.fn)
         event.fn(event.data);
      FinishEvent(event);
   }
   event_signals::StopTimer();
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
   while (g.ready.empty())
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
   return g.pool.in_use();
}

int EventPoolCapacity()
{
   return g.pool.capacity();
}

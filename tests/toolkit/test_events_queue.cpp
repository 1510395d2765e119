// The event queue: order of ready and delayed calls, the pool and its growth,
// the shut-down flush, and the idle wait between passes.
#include "event_test_support.h"

#include "input/event_pool.h"
#include "input/event_system.h"
#include "input/loops.h"

#include <allegro.h>

namespace kstr::test {
namespace {

// The loop ends at its stop call; the shut-down flush runs what is left at
// once: ready calls in queue order, then the delayed ones with their delay
// cut, and refuses calls queued meanwhile.
TEST_F(EventLoopTest, CallsRunOnceInQueueOrderAndTheShutDownFlushRunsTheRest)
{
   CallLog log;
   Step b = log.Logged("b"), c = log.Logged("c"), late = log.Logged("late");
   Step in_ten_seconds = log.Logged("in_ten_seconds");
   Step a{[&] {
      log.Add("a");
      late.Queue();
   }};
   int requeued = 0;
   Step requeue;
   requeue.fn = [&] {
      log.Add("requeue");
      requeued = requeue.Queue();
   };
   LoopDeadline deadline;

   const uint64_t started = event_signals::TickCount();
   a.Queue();
   EXPECT_GE(b.Queue(), 0);
   c.Queue();
   QueueCall(StopTopLoop, nullptr, 0, 0);
   in_ten_seconds.Queue(10000);
   requeue.Queue();
   EXPECT_EQ(RunEventLoop(), 1);
   // "late" was queued by "a" after the stop call: the loop ended first.
   EXPECT_EQ(log.names, (std::vector<std::string>{"a", "b", "c"}));
   EXPECT_TRUE(EventSystemRunning());  // started by QueueCall, not by the loop

   StopEventSystem();
   EXPECT_EQ(log.names, (std::vector<std::string>{"a", "b", "c", "requeue", "late", "in_ten_seconds"}));
   EXPECT_EQ(requeued, -1);
   EXPECT_LT(log.TickOf("in_ten_seconds"), started + 10000);
   EXPECT_FALSE(deadline.fired);
   EXPECT_FALSE(EventSystemRunning());
   EXPECT_EQ(EventsPending(), 0);
   EXPECT_EQ(EventPoolCapacity(), 0);
}

// A callback keeps the loop busy for 60 ms before queuing a delayed call: the
// ticks that passed before the call existed must not count for it.
TEST_F(EventLoopTest, DelayedCallsWaitTheirTicksAndFollowCallsThatBecameReadyBeforeThem)
{
   CallLog log;
   Step first250 = log.Logged("first250"), second250 = log.Logged("second250"), at100 = log.Logged("at100");
   Step after_busy = log.Logged("after_busy");
   uint64_t busy_queued_at = 0;
   Step busy{[&] {
      rest(60);
      busy_queued_at = event_signals::TickCount();
      after_busy.Queue(100);
   }};
   LoopDeadline deadline;

   const uint64_t queued_at = event_signals::TickCount();
   first250.Queue(250);
   second250.Queue(250);
   at100.Queue(100);
   busy.Queue();
   QueueCall(StopTopLoop, nullptr, 300, 0);
   RunEventLoop();

   ASSERT_FALSE(deadline.fired);
   EXPECT_EQ(log.names, (std::vector<std::string>{"at100", "after_busy", "first250", "second250"}));
   EXPECT_GE(log.TickOf("at100"), queued_at + 100);
   EXPECT_GE(log.TickOf("after_busy"), busy_queued_at + 100);
   EXPECT_GE(log.TickOf("first250"), queued_at + 250);
   EXPECT_GE(log.TickOf("second250"), queued_at + 250);
}

// Delays are whole milliseconds of a nanosecond clock: a call queued part-way
// through a millisecond still waits its full delay.
TEST_F(EventLoopTest, DelayedCallsNeverRunEarlyByAPartOfAMillisecond)
{
   struct Timed {
      int64_t queued = 0, ran = 0;
      static void Run(void *self) { static_cast<Timed *>(self)->ran = event_signals::NowNs(); }
   } timed[8];
   const int64_t start = event_signals::NowNs();
   for (int i = 0; i < 8; ++i) {
      while ((timed[i].queued = event_signals::NowNs()) < start + i * 125'000) {
      }
      QueueCall(Timed::Run, &timed[i], 1, 0);
   }
   QueueCall(StopTopLoop, nullptr, 30, 0);
   RunEventLoop();
   for (const Timed &t : timed)
      EXPECT_GE(t.ran - t.queued, event_signals::NS_PER_MS);
}

TEST_F(EventLoopTest, PoolGrowsByWholeBlocksPastItsSizeAndKeepsOrder)
{
   constexpr int calls = 3 * EVENT_POOL_SIZE;
   CallLog log;
   std::vector<Step> numbered;
   numbered.reserve(calls);
   std::vector<std::string> in_order;
   LoopDeadline deadline;

   EXPECT_EQ(EventPoolCapacity(), EVENT_POOL_SIZE);
   for (int i = 0; i < calls; ++i) {
      in_order.push_back(std::to_string(i));
      numbered.push_back(log.Logged(in_order.back()));
      ASSERT_GE(numbered.back().Queue(), 0);
   }
   EXPECT_EQ(EventsPending(), calls + 1);  // and the deadline
   EXPECT_GE(EventPoolCapacity(), calls + 1);
   EXPECT_EQ(EventPoolCapacity() % EVENTS_PER_BLOCK, 0);
   QueueCall(StopTopLoop, nullptr, 0, 0);
   RunEventLoop();

   EXPECT_EQ(log.names, in_order);
   EXPECT_FALSE(deadline.fired);
}

// The loop sleeps between passes that only re-run calls queued by the pass
// before: a self-re-queuing call runs at most once per 1.6 ms.
TEST_F(EventLoopTest, SelfRequeuingCallRunsAtMostOncePerPassPeriod)
{
   int runs = 0;
   Step poll;
   poll.fn = [&] {
      ++runs;
      poll.Queue();
   };

   QueueCall(StopTopLoop, nullptr, 200, 0);
   const uint64_t started = event_signals::TickCount();
   poll.Queue();
   RunEventLoop();
   const uint64_t ticks = event_signals::TickCount() - started;

   EXPECT_GE(runs, 2);
   // The first pass and the flush come off the grid.
   EXPECT_LE(uint64_t(runs), (ticks + 1) * 10 / 16 + 2);
}

// Input callbacks only mark their source; the loop turns a mark into a call of
// the source's function. Here the mark is the only thing that can start work,
// so the loop itself starts the event system and stops it when it ends.
Step *on_mark = nullptr;

TEST_F(EventLoopTest, MarkedSourceBecomesACallAndTheLoopThatStartedTheSystemFlushesIt)
{
   CallLog log;
   Step late = log.Logged("late");
   Step mark{[&] {
      log.Add("mark");
      late.Queue(10000);
      QueueCall(StopTopLoop, nullptr, 0, 0);
   }};
   on_mark = &mark;
   SetSourceCall(SOURCE_KEYBOARD, [](void *) { on_mark->fn(); });
   event_signals::Mark(SOURCE_KEYBOARD);

   ASSERT_FALSE(EventSystemRunning());
   RunEventLoop();

   EXPECT_EQ(log.names, (std::vector<std::string>{"mark", "late"}));
   EXPECT_FALSE(EventSystemRunning());
   SetSourceCall(SOURCE_KEYBOARD, nullptr);
}

}
}

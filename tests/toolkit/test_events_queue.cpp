// The event queue: order of ready and delayed calls, the pool and its growth,
// the shut-down flush, and the idle wait between passes.
#include "event_test_support.h"

#include "toolkit/event_pool.h"
#include "toolkit/event_system.h"

#include <allegro.h>

namespace kstr::test {
namespace {

TEST_F(EventLoopTest, CallsRunOnceInQueueOrderAndACallQueuedFromACallbackRunsAfterAllQueuedBefore)
{
   CallLog log;
   LoggedCall b{&log, "b"}, c{&log, "c"}, late{&log, "late"};
   struct First {
      CallLog *log;
      LoggedCall *late;
      static void Run(void *self)
      {
         auto *first = static_cast<First *>(self);
         first->log->Add("a");
         first->late->Queue();
      }
   } a{&log, &late};
   LoopDeadline deadline;

   QueueCall(First::Run, &a, 0, 0);
   b.Queue();
   c.Queue();
   QueueCall(StopTopLoop, nullptr, 0, 0);
   EXPECT_EQ(RunEventLoop(), 1);
   // "late" was queued by "a" after the stop call: the loop ended first.
   EXPECT_EQ(log.names, (std::vector<std::string>{"a", "b", "c"}));
   EXPECT_TRUE(EventSystemRunning());  // started by QueueCall, not by the loop

   StopEventSystem();
   EXPECT_EQ(log.names, (std::vector<std::string>{"a", "b", "c", "late"}));
   EXPECT_FALSE(deadline.fired);
   EXPECT_FALSE(EventSystemRunning());
   EXPECT_EQ(EventsPending(), 0);
}

TEST_F(EventLoopTest, DelayedCallsWaitTheirTicksAndFollowCallsThatBecameReadyBeforeThem)
{
   CallLog log;
   LoggedCall first250{&log, "first250"}, second250{&log, "second250"}, at100{&log, "at100"};
   LoopDeadline deadline;

   const uint64_t queued_at = event_signals::TickCount();
   first250.Queue(250);
   second250.Queue(250);
   at100.Queue(100);
   QueueCall(StopTopLoop, nullptr, 300, 0);
   RunEventLoop();

   ASSERT_FALSE(deadline.fired);
   EXPECT_EQ(log.names, (std::vector<std::string>{"at100", "first250", "second250"}));
   EXPECT_GE(log.TickOf("at100"), queued_at + 100);
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

// A callback that keeps the loop busy for `ms` before queuing a delayed call:
// the ticks that passed before the call existed must not count for it.
TEST_F(EventLoopTest, TicksBeforeADelayedCallWasQueuedDoNotShortenItsDelay)
{
   CallLog log;
   LoggedCall delayed{&log, "delayed"};
   struct Busy {
      LoggedCall *delayed;
      uint64_t queued_at = 0;
      static void Run(void *self)
      {
         auto *busy = static_cast<Busy *>(self);
         rest(60);
         busy->queued_at = event_signals::TickCount();
         busy->delayed->Queue(100);
      }
   } busy{&delayed};
   LoopDeadline deadline;

   // Something delayed is waiting all along, so ticks are being charged.
   QueueCall(StopTopLoop, nullptr, 400, 0);
   QueueCall(Busy::Run, &busy, 0, 0);
   RunEventLoop();

   ASSERT_FALSE(deadline.fired);
   EXPECT_GE(log.TickOf("delayed"), busy.queued_at + 100);
}

TEST_F(EventLoopTest, PoolGrowsByWholeBlocksPastItsSizeAndKeepsOrder)
{
   constexpr int calls = 3 * EVENT_POOL_SIZE;
   std::vector<int> ran;
   struct Numbered {
      std::vector<int> *ran;
      int n;
      static void Run(void *self)
      {
         auto *call = static_cast<Numbered *>(self);
         call->ran->push_back(call->n);
      }
   };
   std::vector<Numbered> numbered;
   numbered.reserve(calls);
   LoopDeadline deadline;

   EXPECT_EQ(EventPoolCapacity(), EVENT_POOL_SIZE);
   for (int i = 0; i < calls; ++i) {
      numbered.push_back({&ran, i});
      ASSERT_GE(QueueCall(Numbered::Run, &numbered.back(), 0, 0), 0);
   }
   EXPECT_EQ(EventsPending(), calls + 1);  // and the deadline
   EXPECT_GE(EventPoolCapacity(), calls + 1);
   EXPECT_EQ(EventPoolCapacity() % EVENTS_PER_BLOCK, 0);
   QueueCall(StopTopLoop, nullptr, 0, 0);
   RunEventLoop();

   ASSERT_EQ(ran.size(), std::size_t(calls));
   for (int i = 0; i < calls; ++i)
      ASSERT_EQ(ran[i], i);
   EXPECT_FALSE(deadline.fired);
}

TEST_F(EventLoopTest, ShutDownFlushRunsPendingCallsAtOnceAndRefusesNewOnes)
{
   CallLog log;
   LoggedCall ready{&log, "ready"}, in_ten_seconds{&log, "in_ten_seconds"};
   struct Requeue {
      CallLog *log;
      int result = 0;
      static void Run(void *self)
      {
         auto *call = static_cast<Requeue *>(self);
         call->log->Add("requeue");
         call->result = QueueCall(Run, self, 0, 0);
      }
   } requeue{&log};

   QueueCall(StopTopLoop, nullptr, 0, 0);
   in_ten_seconds.Queue(10000);
   ready.Queue();
   const uint64_t started = event_signals::TickCount();
   QueueCall(Requeue::Run, &requeue, 0, 0);
   RunEventLoop();
   EXPECT_TRUE(log.names.empty());
   StopEventSystem();

   // The stop call ran first; the rest ran in the flush, the delayed call last
   // with its delay cut, and the re-queuing call was refused there.
   EXPECT_EQ(log.names, (std::vector<std::string>{"ready", "requeue", "in_ten_seconds"}));
   EXPECT_EQ(requeue.result, -1);
   EXPECT_LT(log.TickOf("in_ten_seconds"), started + 10000);
   EXPECT_FALSE(EventSystemRunning());
   EXPECT_EQ(EventPoolCapacity(), 0);

   // Afterwards the system starts again on demand.
   EXPECT_GE(ready.Queue(), 0);
   EXPECT_TRUE(EventSystemRunning());
   StopEventSystem();
   EXPECT_EQ(log.names.back(), "ready");
}

// The loop sleeps between passes that only re-run calls queued by the pass
// before: a self-re-queuing call runs at most once per 1.6 ms.
TEST_F(EventLoopTest, SelfRequeuingCallRunsAtMostOncePerPassPeriod)
{
   struct Poll {
      int runs = 0;
      static void Run(void *self)
      {
         ++static_cast<Poll *>(self)->runs;
         QueueCall(Run, self, 0, 0);
      }
   } poll;

   QueueCall(StopTopLoop, nullptr, 200, 0);
   const uint64_t started = event_signals::TickCount();
   QueueCall(Poll::Run, &poll, 0, 0);
   RunEventLoop();
   const uint64_t ticks = event_signals::TickCount() - started;

   EXPECT_GE(poll.runs, 2);
   // The first pass and the flush come off the grid.
   EXPECT_LE(uint64_t(poll.runs), (ticks + 1) * 10 / 16 + 2);
}

// Input callbacks only mark their source; the loop turns a mark into a call of
// the source's function. Here the mark is the only thing that can start work,
// so the loop itself starts the event system and stops it when it ends.
CallLog *mark_log = nullptr;
LoggedCall *mark_late = nullptr;

void OnMark(void *)
{
   mark_log->Add("mark");
   mark_late->Queue(10000);
   QueueCall(StopTopLoop, nullptr, 0, 0);
}

TEST_F(EventLoopTest, MarkedSourceBecomesACallAndTheLoopThatStartedTheSystemFlushesIt)
{
   CallLog log;
   LoggedCall late{&log, "late"};
   mark_log = &log;
   mark_late = &late;
   SetSourceCall(SOURCE_KEYBOARD, OnMark);
   event_signals::Mark(SOURCE_KEYBOARD);

   ASSERT_FALSE(EventSystemRunning());
   RunEventLoop();

   EXPECT_EQ(log.names, (std::vector<std::string>{"mark", "late"}));
   EXPECT_FALSE(EventSystemRunning());
   SetSourceCall(SOURCE_KEYBOARD, nullptr);
}

TEST_F(EventLoopTest, TagsAreNonNegativeAndDistinct)
{
   const int first = QueueCall(nullptr, nullptr, 0, 0);
   const int second = QueueCall(nullptr, nullptr, 5, 0);
   EXPECT_GE(first, 0);
   EXPECT_GE(second, 0);
   EXPECT_NE(first, second);
   StopEventSystem();
   EXPECT_EQ(EventsPending(), 0);
}

}
}

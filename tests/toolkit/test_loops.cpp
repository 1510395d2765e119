// Nested loops, their frames and how they end.
#include "event_test_support.h"

#include <memory>

namespace kstr::test {
namespace {

// Runs a nested loop with the given id from inside a callback, as a requester
// or the file selector does, and logs around it.
struct NestedLoop {
   CallLog *log;
   int id;
   int result = 0;
   static void Run(void *self)
   {
      auto *nested = static_cast<NestedLoop *>(self);
      nested->log->Add("open");
      RunLoop(nested->id, &nested->result, "Nested");
      nested->log->Add("closed");
   }
};

// Calls StopEventLoop (or EndLoop with an id) and keeps what it returned.
struct Ender {
   CallLog *log;
   std::string name;
   int id = LOOP_SYSTEM;
   bool use_stop_event_loop = true;
   void *returned = reinterpret_cast<void *>(1);
   static void Run(void *self)
   {
      auto *ender = static_cast<Ender *>(self);
      ender->log->Add(ender->name);
      ender->returned = ender->use_stop_event_loop ? StopEventLoop() : EndLoop(ender->id);
   }
};

// In turn: a file selector's loop that a plain stop cannot end, a request
// loop that ends alone, and a request loop ended together with the top loop.
TEST_F(EventLoopTest, StopEventLoopEndsTheInnermostLoopUnlessItHasAnotherId)
{
   CallLog log;
   NestedLoop files{&log, LOOP_FILE_SELECTOR}, request{&log, LOOP_SYSTEM};
   Ender wrong_stop{&log, "stop"}, end_files{&log, "end_files", LOOP_FILE_SELECTOR, false};
   Ender end_request{&log, "end_request"};
   struct EndBoth {
      CallLog *log;
      void *inner = nullptr, *outer = reinterpret_cast<void *>(1);
      static void Run(void *self)
      {
         auto *end = static_cast<EndBoth *>(self);
         end->log->Add("end_both");
         end->inner = StopEventLoop();
         end->outer = StopEventLoop();
      }
   } end_both{&log};
   LoggedCall inner{&log, "inner"}, outer_again{&log, "outer_again"}, after{&log, "after"};
   LoopDeadline deadline;

   QueueCall(NestedLoop::Run, &files, 0, 0);
   QueueCall(Ender::Run, &wrong_stop, 0, 0);
   inner.Queue(20);  // still in the nested loop: the stop above did nothing
   QueueCall(Ender::Run, &end_files, 40, 0);
   QueueCall(NestedLoop::Run, &request, 60, 0);
   QueueCall(Ender::Run, &end_request, 60, 0);
   outer_again.Queue(80);
   QueueCall(NestedLoop::Run, &request, 100, 0);
   QueueCall(EndBoth::Run, &end_both, 100, 0);
   after.Queue(130);  // no loop is left to run it
   RunEventLoop();

   EXPECT_FALSE(deadline.fired);
   EXPECT_EQ(wrong_stop.returned, nullptr);
   EXPECT_EQ(end_files.returned, &files.result);
   EXPECT_EQ(end_request.returned, &request.result);
   EXPECT_EQ(end_both.inner, &request.result);
   EXPECT_EQ(end_both.outer, nullptr);  // RunEventLoop's frame has no result
   EXPECT_EQ(log.names, (std::vector<std::string>{"open", "stop", "inner", "end_files", "closed", "open",
                                                  "end_request", "closed", "outer_again", "open", "end_both",
                                                  "closed"}));
   EXPECT_EQ(StopEventLoop(), nullptr);  // no frame is left
}

TEST_F(EventLoopTest, LoopStartedDuringTheShutDownFlushReturnsAtOnce)
{
   CallLog log;
   NestedLoop late_request{&log, LOOP_SYSTEM};

   QueueCall(StopTopLoop, nullptr, 0, 0);
   QueueCall(NestedLoop::Run, &late_request, 0, 0);
   RunEventLoop();
   StopEventSystem();

   EXPECT_EQ(log.names, (std::vector<std::string>{"open", "closed"}));
}

// The toolkit may be stopped and started again from inside a callback, as the
// language switch does; the running loop goes on with the fresh system.
TEST_F(EventLoopTest, LoopGoesOnWhenACallbackStopsAndRestartsTheEventSystem)
{
   CallLog log;
   LoggedCall pending{&log, "pending"}, after_restart{&log, "after_restart"};
   struct Restart {
      CallLog *log;
      LoggedCall *after;
      std::unique_ptr<LoopDeadline> deadline;
      static void Run(void *self)
      {
         auto *restart = static_cast<Restart *>(self);
         restart->log->Add("restart");
         StopEventSystem();  // flushes "pending" and the first deadline
         restart->after->Queue(10);
         QueueCall(StopTopLoop, nullptr, 20, 0);
         restart->deadline = std::make_unique<LoopDeadline>();
      }
   } restart{&log, &after_restart, nullptr};

   pending.Queue(1000);
   QueueCall(Restart::Run, &restart, 0, 0);
   RunEventLoop();

   ASSERT_NE(restart.deadline, nullptr);
   EXPECT_FALSE(restart.deadline->fired);
   EXPECT_EQ(log.names, (std::vector<std::string>{"restart", "pending", "after_restart"}));
}

}
}

// Nested loops, their frames and how they end.
#include "event_test_support.h"
#include "input/loops.h"

#include <memory>

namespace kstr::test {
namespace {

// Runs a nested loop with the given id from inside a callback, as a requester
// or the file selector does, and logs around it.
Step Nested(CallLog &log, int id, int *result)
{
   return Step{[&log, id, result] {
      log.Add("open");
      RunLoop(id, result, "Nested");
      log.Add("closed");
   }};
}

// In turn: a file selector's loop that a plain stop cannot end, a request
// loop that ends alone, a request loop ended together with the top loop, and
// one that only the shut-down flush runs.
TEST_F(EventLoopTest, StopEventLoopEndsTheInnermostLoopUnlessItHasAnotherId)
{
   CallLog log;
   int files_result = 0, request_result = 0;
   Step files = Nested(log, LOOP_FILE_SELECTOR, &files_result);
   Step request = Nested(log, LOOP_SYSTEM, &request_result);
   // What each ending call returned; 1 until it ran.
   void *const unset = reinterpret_cast<void *>(1);
   void *wrong_stop = unset, *end_files = unset, *end_request = unset, *inner = unset, *outer = unset;
   Step stop{[&] { wrong_stop = StopEventLoop(); }};
   Step end_files_loop{[&] { end_files = EndLoop(LOOP_FILE_SELECTOR); }};
   Step end_request_loop{[&] { end_request = StopEventLoop(); }};
   Step end_both{[&] {
      inner = StopEventLoop();
      outer = StopEventLoop();
   }};
   Step in_files = log.Logged("in_files"), outer_again = log.Logged("outer_again");
   int late_result = 0;
   Step late_request = Nested(log, LOOP_SYSTEM, &late_result);
   LoopDeadline deadline;

   files.Queue();
   stop.Queue();
   in_files.Queue(20);  // still in the nested loop: the stop above did nothing
   end_files_loop.Queue(40);
   request.Queue(60);
   end_request_loop.Queue(60);
   outer_again.Queue(80);
   request.Queue(100);
   end_both.Queue(100);
   late_request.Queue(130);  // no loop is left to run it but the shut-down flush
   RunEventLoop();

   EXPECT_FALSE(deadline.fired);
   EXPECT_EQ(wrong_stop, nullptr);
   EXPECT_EQ(end_files, &files_result);
   EXPECT_EQ(end_request, &request_result);
   EXPECT_EQ(inner, &request_result);
   EXPECT_EQ(outer, nullptr);  // RunEventLoop's frame has no result
   EXPECT_EQ(log.names, (std::vector<std::string>{"open", "in_files", "closed", "open", "closed", "outer_again", "open",
                                                  "closed"}));
   EXPECT_EQ(StopEventLoop(), nullptr);  // no frame is left

   // A loop started during the shut-down flush returns at once.
   StopEventSystem();
   EXPECT_EQ(log.names.size(), 10u);
   EXPECT_EQ(log.names.back(), "closed");
}

// The toolkit may be stopped and started again from inside a callback, as the
// language switch does; the running loop goes on with the fresh system.
TEST_F(EventLoopTest, LoopGoesOnWhenACallbackStopsAndRestartsTheEventSystem)
{
   CallLog log;
   Step pending = log.Logged("pending"), after_restart = log.Logged("after_restart");
   std::unique_ptr<LoopDeadline> deadline;
   Step restart{[&] {
      log.Add("restart");
      StopEventSystem();  // flushes "pending"
      after_restart.Queue(10);
      QueueCall(StopTopLoop, nullptr, 20, 0);
      deadline = std::make_unique<LoopDeadline>();
   }};

   pending.Queue(1000);
   restart.Queue();
   RunEventLoop();

   ASSERT_NE(deadline, nullptr);
   EXPECT_FALSE(deadline->fired);
   EXPECT_EQ(log.names, (std::vector<std::string>{"restart", "pending", "after_restart"}));
}

}
}

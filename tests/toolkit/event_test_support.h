// Shared pieces of the event-loop tests: Allegro under the test X server, a
// log of which calls ran, and a call that ends the top-level loop.
#pragma once

#include "allegro_env.h"
#include "input/event_signals.h"
#include "input/event_system.h"
#include "toolkit/events.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kstr::test {

// A call that runs `fn` when it runs; it must outlive the call.
struct Step {
   std::function<void()> fn;

   static void Run(void *self) { static_cast<Step *>(self)->fn(); }
   int Queue(int delay_ms = 0) { return QueueCall(Run, this, delay_ms, 0); }
};

// The calls that ran, in order, each with the tick count when it ran.
struct CallLog {
   std::vector<std::string> names;
   std::vector<uint64_t> ticks;

   void Add(const std::string &name)
   {
      names.push_back(name);
      ticks.push_back(event_signals::TickCount());
   }
   uint64_t TickOf(const std::string &name) const
   {
      for (std::size_t i = 0; i < names.size(); ++i)
         if (names[i] == name)
            return ticks[i];
      ADD_FAILURE() << name << " never ran";
      return 0;
   }
   Step Logged(const std::string &name)
   {
      return Step{[this, name] { Add(name); }};
   }
};

inline void StopTopLoop(void *)
{
   StopEventLoop();
}

// Guards a test against a loop that never ends: the loop is stopped after
// `ms` milliseconds whatever happens, and the test fails if that was needed.
struct LoopDeadline {
   bool fired = false;

   static void Fire(void *self)
   {
      // The shut-down flush runs a deadline that was not needed.
      if (EventSystemFlushing())
         return;
      static_cast<LoopDeadline *>(self)->fired = true;
      StopEventLoop();
   }
   explicit LoopDeadline(int ms = 5000) { QueueCall(Fire, this, ms, 0); }
};

class EventLoopTest : public ::testing::Test {
 protected:
   void SetUp() override { ASSERT_TRUE(start_allegro()); }
};

}

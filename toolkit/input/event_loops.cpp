#include "input/event_pool.h"
#include "input/event_system.h"
#include "input/loops.h"
#include "toolkit/events.h"

#include <memory>

namespace {

struct LoopFrame {
   int id;
   void *result;
   const char *name;
   bool stop;
   LoopFrame *prev;
};

LoopFrame *innermost = nullptr;

// The name of RunEventLoop's frames, compared by address.
constexpr const char *kTopLevelName = "System";

// Releases the pin of the event being run even if its call unwinds.
class RunningEvent {
 public:
   explicit RunningEvent(const EventRecord &event) : event_(event) {}
   ~RunningEvent() { FinishEvent(event_); }
   RunningEvent(const RunningEvent &) = delete;
   RunningEvent &operator=(const RunningEvent &) = delete;

   void Call() const
   {
      if (event_.fn)
         event_.fn(event_.data);
   }

 private:
   EventRecord event_;
};

}

void RunLoop(int id, void *result, const char *name)
{
   // A loop opened by a call that the shut-down flush runs would wait for
   // input that can no longer be queued.
   if (EventSystemFlushing())
      return;
   bool started_here = StartEventSystem() == 1;
   // On the heap: the frame stack outlives no loop, but EndLoop reaches it
   // through the global innermost pointer.
   const auto frame = std::make_unique<LoopFrame>(LoopFrame{id, result, name, false, innermost});
   innermost = frame.get();
   while (!frame->stop) {
      // A callback may have stopped the toolkit; this loop runs on regardless.
      if (!EventSystemRunning())
         started_here |= StartEventSystem() == 1;
      RunningEvent(TakeNextEvent()).Call();
   }
   if (started_here)
      StopEventSystem();
}

void *EndLoop(int id)
{
   LoopFrame *frame = innermost;
   if (!frame || frame->id != id)
      return nullptr;
   innermost = frame->prev;
   frame->stop = true;
   return frame->result;
}

int RunEventLoop()
{
   RunLoop(LOOP_SYSTEM, nullptr, kTopLevelName);
   return 1;
}

bool InnermostLoopIsTopLevel()
{
   return innermost && innermost->name == kTopLevelName;
}

void *StopEventLoop()
{
   return EndLoop(LOOP_SYSTEM);
}

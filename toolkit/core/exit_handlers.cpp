// The exit-handler list: run newest first by StopToolkit and at exit.
#include "core/control.h"

#include <utility>
#include <vector>

namespace {

struct ExitHandlers {
   std::vector<std::pair<void (*)(void *), void *>> list;
   bool running = false;
};

ExitHandlers &Handlers()
{
   static ExitHandlers *handlers = new ExitHandlers;  // outlives static destructors
   return *handlers;
}

}

void RegisterExitHandler(void (*fn)(void *), void *arg)
{
   Handlers().list.emplace_back(fn, arg);
}

void RunExitHandlers(void)
{
   ExitHandlers &h = Handlers();
   if (h.running)
      return;
   h.running = true;
   // Handlers registered while these run wait for the next run.
   auto list = std::move(h.list);
   h.list.clear();
   for (auto it = list.rbegin(); it != list.rend(); ++it)
      it->first(it->second);
   h.running = false;
}

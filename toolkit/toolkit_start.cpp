// Starting and stopping the toolkit, the exit-handler list and the toolkit
// language.
#include "toolkit/alloc.h"
#include "toolkit/background_thread.h"
#include "toolkit/cursors.h"
#include "toolkit/draw.h"
#include "toolkit/state.h"
#include "toolkit/toolkit.h"

#include <cerrno>
#include <cstdlib>
#include <string>
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

void StopToolkitParts(void *)
{
   ToolkitState &t = Toolkit();
   RemoveToolkitInput();
   DestroyAllWindows();
   StopMouseCursors();
   FreeToolkitFonts();
   RemoveOutOfMemoryHandler();
   ForgetAllegroBackgroundThread();
   t.running = false;
   t.cleanup_registered = false;
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

int StartToolkit(int, int, int, int *errno_ptr, int (*atexit_fn)(void (*)(void)))
{
   ToolkitState &t = Toolkit();
   if (t.running || t.starting)
      return 1;
   set_uformat(U_ASCII);
   if (!system_driver &&
       install_allegro(SYSTEM_AUTODETECT, errno_ptr ? errno_ptr : &errno, atexit_fn ? atexit_fn : atexit) != 0)
      return 0;
   t.starting = true;
   InstallOutOfMemoryHandler();
   LoadToolkitFonts();
   InitInterfaceColours();
   MakeDesktop();
   install_timer();
   install_keyboard();
   install_mouse();
   QuietenAllegroBackgroundThread();
   InstallToolkitInput();
   StartMouseCursors();
   StartEventSystem();
   if (!t.cleanup_registered) {
      RegisterExitHandler(StopToolkitParts, nullptr);
      t.cleanup_registered = true;
   }
   t.starting = false;
   t.running = true;
   // The desktop owns the whole screen from now on.
   if (screen)
      RefreshScreenRect(0, 0, SCREEN_W - 1, SCREEN_H - 1);
   return 1;
}

void StopToolkit(void)
{
   RunExitHandlers();
}

bool ToolkitRunning(void)
{
   return Toolkit().running;
}

bool ToolkitStarting(void)
{
   return Toolkit().starting;
}

const char *ToolkitLanguage(void)
{
   static std::string language;
   language = get_config_string("tessel", "language", "");
   if (language.empty())
      language = get_config_string("system", "language", "");
   if (language.empty())
      language = "en";
   return language.c_str();
}

// Starting and stopping the toolkit, the exit-handler list and the toolkit
// language.
#include "core/alloc.h"
#include "core/background_thread.h"
#include "core/control.h"
#include "core/state.h"
#include "draw/draw.h"
#include "input/clipboard.h"
#include "input/loops.h"
#include "toolkit/start.h"
#include "toolkit/windows.h"
#include "windows/mouse_cursors.h"
#include "windows/window_parts.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

void StopToolkitParts(void *)
{
   ToolkitState &t = Toolkit();
   CloseClipboard();
   RemoveToolkitInput();
   DestroyAllWindows();
   StopMouseCursors();
   FreeToolkitFonts();
   RemoveOutOfMemoryHandler();
   t.running = false;
   t.cleanup_registered = false;
}

}

void UseToolkitBackgroundThread(void)
{
   InstallBackgroundThread();
}

int StartToolkit(int, int, int, int *errno_ptr, int (*atexit_fn)(void (*)(void)))
{
   ToolkitState &t = Toolkit();
   if (t.running || t.starting)
      return 1;
   set_uformat(U_ASCII);
   UseToolkitBackgroundThread();
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

int MakeWindow(int w, int h, const char *title, int flags)
{
   const ToolkitState &t = Toolkit();
   if (!t.running && !t.starting)
      StartToolkit(0, 0, 0, nullptr, nullptr);
   return OpenNewWindow(w, h, title, flags);
}

#include "core/alloc.h"

#include "core/pointer_image.h"

#include <allegro.h>

#include <cstdlib>
#include <cstring>

namespace {

// The allocation module's state: the failure-injection countdown and the
// new-handler the toolkit replaced.
struct AllocState {
   long fail_countdown = 0;
   std::new_handler previous_handler = nullptr;
   bool handler_installed = false;
};

AllocState &Alloc()
{
   static AllocState state;
   return state;
}

constexpr const char *kOutOfMemoryText = "Fatal error:Out of memory. The program will terminate";
constexpr int kOutOfMemoryPauseMs = 2000;

bool InjectedFailureDue()
{
   if (Alloc().fail_countdown <= 0)
      return false;
   return --Alloc().fail_countdown == 0;
}

[[noreturn]] void NewHandler()
{
   OutOfMemory();
}

}

void CountGuardedAllocation(void)
{
   if (InjectedFailureDue())
      OutOfMemory();
}

void InjectAllocationFailure(long nth)
{
   Alloc().fail_countdown = nth;
}

void OutOfMemory(void)
{
   if (screen) {
      HidePointerImage();
      const int depth = bitmap_color_depth(screen);
      // In 8-bit modes the palette entries may be anything; force two.
      int white = makecol_depth(depth, 255, 255, 255);
      int black = makecol_depth(depth, 0, 0, 0);
      if (depth == 8) {
         RGB w = {63, 63, 63, 0}, b = {0, 0, 0, 0};
         set_color(255, &w);
         set_color(0, &b);
         white = 255;
         black = 0;
      }
      acquire_screen();
      clear_to_color(screen, white);
      textout_centre_ex(screen, font, kOutOfMemoryText, SCREEN_W / 2, (SCREEN_H - text_height(font)) / 2, black, -1);
      release_screen();
   }
   rest(kOutOfMemoryPauseMs);
   // A failure must not look like success to whoever started the program.
   std::exit(EXIT_FAILURE);
}

void *GuardedCalloc(std::size_t size)
{
   CountGuardedAllocation();
   void *p = std::calloc(1, size);
   if (!p && size != 0)
      OutOfMemory();
   return p;
}

void *GuardedMalloc(std::size_t size)
{
   CountGuardedAllocation();
   void *p = std::malloc(size);
   if (!p && size != 0)
      OutOfMemory();
   return p;
}

char *GuardedStrdup(const char *text)
{
   if (!text)
      text = "";
   const std::size_t n = std::strlen(text) + 1;
   char *p = static_cast<char *>(GuardedMalloc(n));
   std::memcpy(p, text, n);
   return p;
}

void InstallOutOfMemoryHandler(void)
{
   if (Alloc().handler_installed)
      return;
   Alloc().previous_handler = std::set_new_handler(NewHandler);
   Alloc().handler_installed = true;
}

void RemoveOutOfMemoryHandler(void)
{
   if (!Alloc().handler_installed)
      return;
   std::set_new_handler(Alloc().previous_handler);
   Alloc().handler_installed = false;
}

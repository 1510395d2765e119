// kstr_gallery: opens the toolkit gallery in a 640x580 window and runs until
// Close, Escape or the frame's close button (the toolkit's default for it).
// Run it in the run folder, where its font and icons are.
#include "gallery_window.h"
#include "toolkit/toolkit.h"

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

int main()
{
   UseToolkitBackgroundThread();
   if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0) {
      std::fprintf(stderr, "kstr_gallery: %s\n", allegro_error);
      return 1;
   }
   set_color_depth(16);
   if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 580, 0, 0) != 0) {
      std::fprintf(stderr, "kstr_gallery: no 640x580 window: %s\n", allegro_error);
      return 1;
   }
   StartToolkit(0, 0, 0, nullptr, nullptr);
   if (!BuildGalleryWindow(".")) {
      std::fprintf(stderr, "kstr_gallery: the window could not be built\n");
      return 1;
   }
   RunEventLoop();
   StopToolkit();
   return 0;
}
END_OF_MAIN()

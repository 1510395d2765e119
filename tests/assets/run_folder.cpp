#include "run_folder.h"

#include <algorithm>
#include <cstdlib>

namespace kstr::test {

std::string run_file(const std::string &relative)
{
   // The build's own run folder unless the environment names another.
   const char *dir = std::getenv("KSTR_RUN_DIR");
   if (!dir || !*dir)
      dir = KSTR_ASSETS_RUN_DIR;
   return std::string(dir) + "/" + relative;
}

PixelCount count_pixels(BITMAP *bitmap)
{
   PixelCount count;
   const int mask = bitmap_mask_color(bitmap);
   for (int y = 0; y < bitmap->h; y++)
      for (int x = 0; x < bitmap->w; x++)
         (getpixel(bitmap, x, y) == mask ? count.transparent : count.opaque)++;
   return count;
}

InkBox ink_box(BITMAP *bitmap, int colour)
{
   InkBox box;
   for (int y = 0; y < bitmap->h; y++) {
      for (int x = 0; x < bitmap->w; x++) {
         if (getpixel(bitmap, x, y) != colour)
            continue;
         box.left = std::min(box.left, x);
         box.right = std::max(box.right, x);
         box.top = std::min(box.top, y);
         box.bottom = std::max(box.bottom, y);
      }
   }
   return box;
}

}

#include "allegro_handles.h"

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace kstr::tools {

BitmapPtr make_bitmap(int depth, int width, int height)
{
   BitmapPtr bitmap(create_bitmap_ex(depth, width, height));
   if (!bitmap)
      throw std::runtime_error("cannot make a " + std::to_string(width) + "x" + std::to_string(height) + " bitmap");
   return bitmap;
}

AllegroSession::AllegroSession()
{
   if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
      throw std::runtime_error(std::string("Allegro does not start: ") + allegro_error);
}

AllegroSession::~AllegroSession()
{
   allegro_exit();
}

}

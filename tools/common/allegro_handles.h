// Allegro without a display, for tools that draw into memory bitmaps and
// write files: the session installs the library with the null system driver
// and removes it again; bitmaps are owned by a unique_ptr.
#pragma once

#include <allegro.h>

#include <memory>

namespace kstr::tools {

struct BitmapDeleter {
   void operator()(BITMAP *bitmap) const { destroy_bitmap(bitmap); }
};
using BitmapPtr = std::unique_ptr<BITMAP, BitmapDeleter>;

// Throws std::runtime_error when the bitmap cannot be made.
BitmapPtr make_bitmap(int depth, int width, int height);

class AllegroSession {
 public:
   // Throws std::runtime_error when Allegro does not install.
   AllegroSession();
   ~AllegroSession();
   AllegroSession(const AllegroSession &) = delete;
   AllegroSession &operator=(const AllegroSession &) = delete;
};

}

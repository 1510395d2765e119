// Access to the generated files of the run folder for the asset tests:
// their paths, owners for what Allegro loads from them, and pixel counts.
#pragma once

#include <allegro.h>

#include <memory>
#include <string>

namespace kstr::test {

// Path of `relative` inside the run folder: $KSTR_RUN_DIR, or when that is
// unset the run folder of the build that made the test.
std::string run_file(const std::string &relative);

struct BitmapDeleter {
   void operator()(BITMAP *bitmap) const { destroy_bitmap(bitmap); }
};
struct FontDeleter {
   void operator()(FONT *font) const { destroy_font(font); }
};
struct DatafileDeleter {
   void operator()(DATAFILE *object) const { unload_datafile_object(object); }
};
using BitmapPtr = std::unique_ptr<BITMAP, BitmapDeleter>;
using FontPtr = std::unique_ptr<FONT, FontDeleter>;
using DatafileObjectPtr = std::unique_ptr<DATAFILE, DatafileDeleter>;

struct PixelCount {
   int transparent = 0;  // pixels of the bitmap's mask colour
   int opaque = 0;
};
PixelCount count_pixels(BITMAP *bitmap);

// Bounds of the pixels of `colour`; empty (top > bottom) when there are none.
struct InkBox {
   int left = 1 << 30;
   int top = 1 << 30;
   int right = -1;
   int bottom = -1;
   bool empty() const { return bottom < top; }
};
InkBox ink_box(BITMAP *bitmap, int colour);

}

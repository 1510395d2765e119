// Drawn text read back from the screen: the ink of one colour in a rectangle,
// and the toolkit's font drawing code points through Allegro's 16-bit Unicode
// text, a path of its own, for comparison.
#pragma once

#include "toolkit/fonts.h"

#include <allegro.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace kstr::test {

// Pixels of colour `colour` in x1..x2, y1..y2 of `b`, relative to the
// top-left corner of their bounding box; `left`/`right` get the box's columns.
struct Ink {
   std::vector<std::pair<int, int>> points;
   int left = 0, right = -1;
   friend bool operator==(const Ink &a, const Ink &b) { return a.points == b.points; }
   friend std::ostream &operator<<(std::ostream &os, const Ink &ink)
   {
      return os << ink.points.size() << " pixels in columns " << ink.left << "-" << ink.right;
   }
};

inline Ink InkIn(BITMAP *b, int x1, int y1, int x2, int y2, int colour)
{
   Ink ink;
   int top = y2 + 1;
   ink.left = x2 + 1;
   for (int y = y1; y <= y2; ++y)
      for (int x = x1; x <= x2; ++x)
         if (getpixel(b, x, y) == colour) {
            ink.points.emplace_back(x, y);
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            top = std::min(top, y);
         }
   for (auto &[x, y] : ink.points) {
      x -= ink.left;
      y -= top;
   }
   return ink;
}

// The toolkit's font drawing `glyphs` (Allegro's 16-bit Unicode text) at
// x = 0; `width` gets its length as Allegro measures it.
inline Ink Reference(const std::u16string &glyphs, int *width = nullptr)
{
   FONT *f = ToolkitFont();
   BITMAP *b = create_bitmap(800, text_height(f) + 4);
   clear_to_color(b, makecol(255, 255, 255));
   const int before = get_uformat();
   set_uformat(U_UNICODE);
   const char *text = reinterpret_cast<const char *>(glyphs.c_str());
   textout_ex(b, f, text, 0, 2, makecol(0, 0, 0), -1);
   if (width)
      *width = text_length(f, text);
   set_uformat(before);
   Ink ink = InkIn(b, 0, 0, b->w - 1, b->h - 1, makecol(0, 0, 0));
   destroy_bitmap(b);
   return ink;
}

}

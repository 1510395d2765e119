#include "controls/scroll_strip.h"

#include "draw/draw.h"
#include "toolkit/colours.h"

#include <algorithm>

namespace {

constexpr int kMinThumb = 8;

struct Thumb {
   int top, size;
};

// The thumb's place inside a track of `length` pixels.
Thumb ThumbIn(int length, int first, int visible, int total)
{
   if (total <= visible || total <= 0)
      return Thumb{0, length};
   const int size = std::clamp(static_cast<int>(static_cast<long long>(length) * visible / total), kMinThumb, length);
   const int room = length - size;
   const int limit = ScrollLimit(total, visible);
   const int top = limit > 0 ? static_cast<int>(static_cast<long long>(room) * first / limit) : 0;
   return Thumb{top, size};
}

}

int ScrollLimit(int total, int visible)
{
   return std::max(0, total - std::max(visible, 0));
}

int ClampScroll(int first, int total, int visible)
{
   return std::clamp(first, 0, ScrollLimit(total, visible));
}

void DrawScrollStrip(BITMAP *b, int x1, int y1, int x2, int y2, int first, int visible, int total)
{
   rectfill(b, x1, y1, x2, y2, InterfaceColour[COLOUR_FACE_LIGHT]);
   DrawBevel(b, x1, y1, x2, y2, false);
   const int length = y2 - y1 - 1;
   if (length <= 0)
      return;
   const Thumb t = ThumbIn(length, ClampScroll(first, total, visible), visible, total);
   const int top = y1 + 1 + t.top, bottom = top + t.size - 1;
   rectfill(b, x1 + 1, top, x2 - 1, bottom, InterfaceColour[COLOUR_FACE]);
   DrawBevel(b, x1 + 1, top, x2 - 1, bottom, true);
}

int ScrollAtPoint(int y, int height, int visible, int total)
{
   const int limit = ScrollLimit(total, visible);
   if (limit == 0 || height <= 2)
      return 0;
   const Thumb t = ThumbIn(height - 2, 0, visible, total);
   const int room = height - 2 - t.size;
   if (room <= 0)
      return 0;
   const int at = y - 1 - t.size / 2;
   return ClampScroll(static_cast<int>((static_cast<long long>(at) * limit + room / 2) / room), total, visible);
}

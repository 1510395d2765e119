// The small pictures of the file selector, drawn when a selector opens and
// registered on its window (they go with it).
#include "file_selector/file_selector_icons.h"

#include "core/alloc.h"
#include "toolkit/colours.h"
#include "toolkit/images.h"

#include <allegro.h>

namespace {

constexpr int kSize = 14;

BITMAP *NewIcon()
{
   BITMAP *b = create_bitmap(kSize, kSize);
   if (!b)
      OutOfMemory();
   clear_to_color(b, bitmap_mask_color(b));
   return b;
}

void DrawFolder(BITMAP *b)
{
   const int ink = InterfaceColour[COLOUR_TEXT];
   rectfill(b, 1, 2, 6, 4, makecol(224, 192, 64));
   rectfill(b, 1, 4, 12, 11, makecol(240, 208, 80));
   rect(b, 1, 4, 12, 11, ink);
   hline(b, 1, 2, 6, ink);
   vline(b, 1, 2, 4, ink);
   vline(b, 6, 2, 4, ink);
}

void DrawPage(BITMAP *b)
{
   const int ink = InterfaceColour[COLOUR_TEXT];
   rectfill(b, 3, 1, 10, 12, InterfaceColour[COLOUR_LIGHT]);
   rect(b, 3, 1, 10, 12, ink);
   for (int y = 4; y <= 9; y += 2)
      hline(b, 5, y, 8, InterfaceColour[COLOUR_SHADOW]);
}

void DrawPlus(BITMAP *b)
{
   const int go = InterfaceColour[COLOUR_GO_DARK];
   rectfill(b, 8, 6, 12, 8, go);
   rectfill(b, 9, 5, 11, 9, go);
   hline(b, 7, 7, 13, go);
   vline(b, 10, 4, 10, go);
}

void DrawUpArrow(BITMAP *b)
{
   const int ink = InterfaceColour[COLOUR_TEXT];
   triangle(b, 6, 1, 1, 6, 11, 6, ink);
   rectfill(b, 5, 6, 7, 11, ink);
   hline(b, 5, 11, 12, ink);
}

void Register(int owner, const char *name, void (*draw)(BITMAP *))
{
   BITMAP *b = NewIcon();
   draw(b);
   RegisterImage(b, name, 1, owner);
}

}

void RegisterSelectorIcons(int owner)
{
   Register(owner, SELECTOR_ICON_FOLDER, DrawFolder);
   Register(owner, SELECTOR_ICON_FILE, DrawPage);
   Register(owner, SELECTOR_ICON_UP, DrawUpArrow);
   Register(owner, SELECTOR_ICON_NEW_FOLDER, [](BITMAP *b) {
      DrawFolder(b);
      DrawPlus(b);
   });
   Register(owner, SELECTOR_ICON_NEW_DATAFILE, [](BITMAP *b) {
      DrawPage(b);
      DrawPlus(b);
   });
}

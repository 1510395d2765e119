#include "toolkit/cursors.h"

#include "core/alloc.h"
#include "core/control.h"
#include "core/pointer_image.h"
#include "draw/images.h"
#include "toolkit/colours.h"
#include "toolkit/images.h"
#include "windows/mouse_cursors.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Built-in pictures: 'X' black, 'o' white, anything else transparent.
struct CursorArt {
   int focus_x, focus_y;
   const char *rows[20];
};

const CursorArt kCursorArt[CURSOR_COUNT] = {
   // 0: dragging (arrow carrying a sheet)
   {0,
    0,
    {"X...............", "XX..............", "XoX.............", "XooX............", "XoooX...........",
     "XooooX..........", "XoooooX.........", "XooooooX........", "XoooooXXX.......", "XooXooX.........",
     "XoX.XooX........", "XX..XoXXXXXXX...", "X....XXoooooX...", ".......oooooX...", ".......XXXXXX..."}},
   // 1: dragging a copy (sheet with a plus)
   {0,
    0,
    {"X...............", "XX..............", "XoX.............", "XooX............", "XoooX...........",
     "XooooX..........", "XoooooX.........", "XooooooX........", "XoooooXXX.......", "XooXooX.........",
     "XoX.XooX........", "XX..XoXXXXXXX...", "X....XXooXooX...", ".......XXXXXX...", ".......ooXooX...",
     ".......XXXXXX..."}},
   // 2: nothing to drop here (circle with a bar)
   {7,
    7,
    {"....XXXXXX......", "..XXooooooXX....", ".XooXXXXXXooX...", ".XoXX....XXoX...", "XoXoX.....XXoX..",
     "XoX.XoX....XoX..", "XoX..XoX...XoX..", "XoX...XoX..XoX..", "XoX....XoX.XoX..", "XoXX....XoXoX...",
     ".XoXX....XooX...", ".XooXXXXXXooX...", "..XXooooooXX....", "....XXXXXX......"}},
   // 3: moving (four-way arrow)
   {7,
    7,
    {".......X.......", "......XoX......", ".....XoooX.....", "....XXXoXXX....", "...X...o...X...", "..XX...o...XX..",
     ".XoXXXXoXXXXoX.", "Xoooooo.ooooooX", ".XoXXXXoXXXXoX.", "..XX...o...XX..", "...X...o...X...", "....XXXoXXX....",
     ".....XoooX.....", "......XoX......", ".......X......."}},
   // 4: diagonal resize
   {7,
    7,
    {"XXXXXX.........", "XooooX.........", "XoooX..........", "XooXoX.........", "XoX.XoX........", "XX...XoX.......",
     "......XoX......", ".......XoX.....", "........XoX...XX", ".........XoX.XoX", "..........XoXooX",
     "...........XoooX", "..........XooooX", "..........XXXXXX"}},
   // 5: busy (hourglass)
   {6,
    8,
    {"XXXXXXXXXXXXX", "XoooooooooooX", ".XoooooooooX.", ".XoXoXoXoXoX.", "..XoXoXoXoX..", "...XoXoXoX...",
     "....XoXoX....", ".....XoX.....", "....XoooX....", "...XoooooX...", "..XoooXoooX..", ".XoooXoXoooX.",
     ".XooXoXoXooX.", "XoooooooooooX", "XXXXXXXXXXXXX"}},
   // 6: the arrow
   {0,
    0,
    {"X...........", "XX..........", "XoX.........", "XooX........", "XoooX.......", "XooooX......", "XoooooX.....",
     "XooooooX....", "XoooooooX...", "XooooooooX..", "XoooooXXXXX.", "XooXooX.....", "XoX.XooX....", "XX..XooX....",
     "X....XooX...", ".....XooX...", "......XX...."}},
};

struct CursorSlot {
   BitmapPtr image;
   int focus_x = 0, focus_y = 0;
};

struct CursorState {
   CursorSlot table[CURSOR_COUNT];
   int current = -1;
   bool text_active = false;
   BitmapPtr text_image;  // the text, on the mask colour
   BitmapPtr combined;    // cursor and text, what the pointer shows
};

CursorState &Cursors()
{
   static CursorState *state = new CursorState;  // outlives static destructors
   return *state;
}

BITMAP *DrawArt(const CursorArt &art, int depth)
{
   int w = 0, h = 0;
   for (const char *row : art.rows)
      if (row) {
         w = std::max(w, static_cast<int>(std::strlen(row)));
         ++h;
      }
   BITMAP *b = create_bitmap_ex(depth, w, h);
   if (!b)
      OutOfMemory();
   clear_to_color(b, bitmap_mask_color(b));
   const int black = makecol_depth(depth, 0, 0, 0), white = makecol_depth(depth, 255, 255, 255);
   for (int y = 0; y < h; ++y)
      for (int x = 0; art.rows[y][x]; ++x) {
         const char ch = art.rows[y][x];
         if (ch == 'X' || ch == 'o')
            putpixel(b, x, y,
                     depth == 8 ? InterfaceColour[ch == 'X' ? COLOUR_TEXT : COLOUR_LIGHT]
                                : (ch == 'X' ? black : white));
      }
   return b;
}

std::string CursorImageName(int n)
{
   char name[32];
   std::snprintf(name, sizeof name, "cursor42_%d", n);
   return name;
}

void ShowPointer(BITMAP *image, int focus_x, int focus_y)
{
   if (!mouse_driver || !screen)
      return;
   SetPointerImage(image, focus_x, focus_y);
}

// The numbered cursor with the text centred on its hot spot.
void ShowCombined()
{
   CursorState &s = Cursors();
   const CursorSlot &slot = s.table[s.current];
   BITMAP *cur = slot.image.get();
   BITMAP *text = s.text_image.get();
   // Place the hot spot at (hx, hy) in the combined picture.
   const int left = std::max(slot.focus_x, text->w / 2);
   const int top = std::max(slot.focus_y, text->h / 2);
   const int right = std::max(cur->w - slot.focus_x, text->w - text->w / 2);
   const int bottom = std::max(cur->h - slot.focus_y, text->h - text->h / 2);
   BitmapPtr combined(create_bitmap_ex(bitmap_color_depth(cur), left + right, top + bottom));
   if (!combined)
      OutOfMemory();
   clear_to_color(combined.get(), bitmap_mask_color(combined.get()));
   draw_sprite(combined.get(), text, left - text->w / 2, top - text->h / 2);
   draw_sprite(combined.get(), cur, left - slot.focus_x, top - slot.focus_y);
   ShowPointer(combined.get(), left, top);
   s.combined = std::move(combined);  // the old one is freed after the switch
}

}

void StartMouseCursors(void)
{
   const int depth = screen ? bitmap_color_depth(screen) : get_color_depth();
   for (int n = 0; n < CURSOR_COUNT; ++n)
      RegisterImage(DrawArt(kCursorArt[n], depth), CursorImageName(n).c_str(), 1, 0);
   RefreshCursorTable();
   UseMouseCursor(CURSOR_ARROW);
}

void RefreshCursorTable(void)
{
   CursorState &s = Cursors();
   const int depth = screen ? bitmap_color_depth(screen) : get_color_depth();
   for (int n = 0; n < CURSOR_COUNT; ++n) {
      const auto entry = FindImage(Desktop(), CursorImageName(n).c_str());
      s.table[n].image = entry ? ConvertToDepth(entry->image.get(), depth) : nullptr;
      s.table[n].focus_x = std::min(kCursorArt[n].focus_x, entry ? entry->width - 1 : 0);
      s.table[n].focus_y = std::min(kCursorArt[n].focus_y, entry ? entry->height - 1 : 0);
   }
   if (s.current >= 0 && s.table[s.current].image) {
      if (s.text_active)
         ShowCombined();
      else
         ShowPointer(s.table[s.current].image.get(), s.table[s.current].focus_x, s.table[s.current].focus_y);
   }
}

void StopMouseCursors(void)
{
   CursorState &s = Cursors();
   if (mouse_driver) {
      HidePointerImage();
      set_mouse_sprite(nullptr);
   }
   for (CursorSlot &slot : s.table)
      slot = CursorSlot{};
   s.current = -1;
   s.text_active = false;
   s.text_image.reset();
   s.combined.reset();
}

int CurrentMouseCursor(void)
{
   return Cursors().current;
}

void UseMouseCursor(int n)
{
   CursorState &s = Cursors();
   if (n == s.current || n < 0 || n >= CURSOR_COUNT || !s.table[n].image)
      return;
   s.current = n;
   if (s.text_active)
      ShowCombined();
   else
      ShowPointer(s.table[n].image.get(), s.table[n].focus_x, s.table[n].focus_y);
}

void UseTextCursor(FONT *f, const char *text)
{
   CursorState &s = Cursors();
   if (!f || !text || s.current < 0)
      return;
   const int depth = bitmap_color_depth(s.table[s.current].image.get());
   BitmapPtr image(create_bitmap_ex(depth, std::max(1, text_length(f, text)), text_height(f)));
   if (!image)
      OutOfMemory();
   clear_to_color(image.get(), bitmap_mask_color(image.get()));
   textout_ex(image.get(), f, text, 0, 0, InterfaceColour[COLOUR_TEXT], -1);
   s.text_image = std::move(image);
   s.text_active = true;
   ShowCombined();
}

void RestoreMouseCursor(void)
{
   CursorState &s = Cursors();
   if (!s.text_active)
      return;
   s.text_active = false;
   const CursorSlot &slot = s.table[s.current];
   ShowPointer(slot.image.get(), slot.focus_x, slot.focus_y);
   s.text_image.reset();
   s.combined.reset();
}

// Shared by the basic controls: where a control draws and the raised face
// that buttons, tabs and check marks are made of.
#pragma once

#include "core/control.h"
#include "toolkit/colours.h"
#include "windows/control_class.h"

#include <allegro.h>

// The control's rectangle in its window's picture.
struct PaintArea {
   BITMAP *b;
   int x1, y1, x2, y2;
   int Width() const { return x2 - x1; }
   int Height() const { return y2 - y1; }
};

// False while the control is not part of a shown window's picture.
inline bool AreaOf(const Control *c, PaintArea *a)
{
   BITMAP *b = c->surface ? c->surface->bitmap.get() : nullptr;
   if (!b)
      return false;
   int x, y;
   ControlWindowPos(c, &x, &y);
   *a = PaintArea{b, x, y, x + ControlWidth(c), y + ControlHeight(c)};
   return true;
}

// A two-line bevel: raised (light top-left, dark bottom-right) or pressed.
inline void DrawFace(BITMAP *b, int x1, int y1, int x2, int y2, bool raised)
{
   const int outer_light = InterfaceColour[raised ? COLOUR_LIGHT : COLOUR_TEXT];
   const int outer_dark = InterfaceColour[raised ? COLOUR_TEXT : COLOUR_LIGHT];
   const int inner_light = InterfaceColour[raised ? COLOUR_FACE_LIGHT : COLOUR_SHADOW];
   const int inner_dark = InterfaceColour[raised ? COLOUR_SHADOW : COLOUR_FACE_LIGHT];
   rectfill(b, x1, y1, x2, y2, InterfaceColour[COLOUR_FACE]);
   hline(b, x1, y1, x2, outer_light);
   vline(b, x1, y1, y2, outer_light);
   hline(b, x1, y2, x2, outer_dark);
   vline(b, x2, y1, y2, outer_dark);
   hline(b, x1 + 1, y1 + 1, x2 - 1, inner_light);
   vline(b, x1 + 1, y1 + 1, y2 - 1, inner_light);
   hline(b, x1 + 1, y2 - 1, x2 - 1, inner_dark);
   vline(b, x2 - 1, y1 + 1, y2 - 1, inner_dark);
}

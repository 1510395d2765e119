#include "draw/selection_colours.h"

#include "toolkit/colours.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kReadableContrast = 4.5;

int CurrentDepth()
{
   return screen ? bitmap_color_depth(screen) : get_color_depth();
}

double Linear(int channel)
{
   const double c = channel / 255.0;
   return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}

double ColourLuminance(int colour)
{
   const int depth = CurrentDepth();
   return 0.2126 * Linear(getr_depth(depth, colour)) + 0.7152 * Linear(getg_depth(depth, colour)) +
          0.0722 * Linear(getb_depth(depth, colour));
}

double ColourContrast(int a, int b)
{
   const double la = ColourLuminance(a), lb = ColourLuminance(b);
   return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

int SelectionBackground(void)
{
   return InterfaceColour[COLOUR_SELECTION];
}

int SelectionText(void)
{
   const int back = SelectionBackground();
   const int light = InterfaceColour[COLOUR_LIGHT], text = InterfaceColour[COLOUR_TEXT];
   const int best = ColourContrast(light, back) >= ColourContrast(text, back) ? light : text;
   if (ColourContrast(best, back) >= kReadableContrast)
      return best;
   // Pure black or white always reaches 4.5:1 against one of them; in 8-bit
   // modes makecol finds the nearest palette entry.
   const int depth = CurrentDepth();
   const int black = makecol_depth(depth, 0, 0, 0), white = makecol_depth(depth, 255, 255, 255);
   return ColourContrast(black, back) >= ColourContrast(white, back) ? black : white;
}

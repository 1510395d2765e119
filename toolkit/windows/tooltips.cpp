// Tooltip boxes: drawn straight onto the screen beside the control, with the
// screen below kept in the control's `saved_under` until the pointer leaves.
#include "windows/tooltips.h"

#include "core/alloc.h"
#include "core/control.h"
#include "core/pointer_image.h"
#include "toolkit/colours.h"
#include "toolkit/fonts.h"

#include <algorithm>

namespace {

constexpr int kPadding = 3;
constexpr int kDistance = 2;  // between the control and its box

struct ShownTooltip {
   Control *owner = nullptr;
   int x = 0, y = 0;
};

// The tooltip module's state: the one tooltip on the screen.
ShownTooltip &Shown()
{
   static ShownTooltip state;
   return state;
}

}

void ShowTooltip(Control *c)
{
   if (!screen || c->tooltip.empty() || c->saved_under)
      return;
   if (Shown().owner)
      HideTooltip(Shown().owner);
   FONT *f = c->font ? c->font : ToolkitFont();
   int w = 0;
   for (const std::string &line : c->tooltip)
      w = std::max(w, text_length(f, line.c_str()));
   const int line_h = text_height(f) + 1;
   w += 2 * kPadding;
   const int h = line_h * static_cast<int>(c->tooltip.size()) + 2 * kPadding;

   int cx, cy;
   ControlScreenPos(c, &cx, &cy);
   int x = cx, y = cy + ControlHeight(c) + 1 + kDistance;
   if (y + h > SCREEN_H)
      y = cy - kDistance - h;
   x = std::clamp(x, 0, std::max(0, SCREEN_W - w));
   y = std::max(0, y);

   c->saved_under.reset(create_bitmap(w, h));
   if (!c->saved_under)
      OutOfMemory();
   ScarePointerArea(x, y, w, h);
   blit(screen, c->saved_under.get(), x, y, 0, 0, w, h);
   rectfill(screen, x, y, x + w - 1, y + h - 1, InterfaceColour[COLOUR_TOOLTIP]);
   rect(screen, x, y, x + w - 1, y + h - 1, InterfaceColour[COLOUR_TEXT]);
   for (std::size_t i = 0; i < c->tooltip.size(); ++i)
      textout_ex(screen, f, c->tooltip[i].c_str(), x + kPadding, y + kPadding + static_cast<int>(i) * line_h,
                 InterfaceColour[COLOUR_TEXT], -1);
   UnscarePointer();
   Shown() = ShownTooltip{c, x, y};
}

void HideTooltip(Control *c)
{
   if (!c->saved_under)
      return;
   if (screen && Shown().owner == c) {
      BITMAP *b = c->saved_under.get();
      ScarePointerArea(Shown().x, Shown().y, b->w, b->h);
      blit(b, screen, 0, 0, Shown().x, Shown().y, b->w, b->h);
      UnscarePointer();
   }
   c->saved_under.reset();
   if (Shown().owner == c)
      Shown() = ShownTooltip{};
}

// Label: static text or image.
#include "toolkit/controls/label.h"

#include "controls/control_paint.h"
#include "core/control.h"
#include "draw/draw.h"
#include "toolkit/colours.h"
#include "windows/control_class.h"

#include <algorithm>

namespace {

constexpr int kIconGap = 2;

int IconHeight(const Control *c)
{
   return c->icon ? c->icon->height : 0;
}

int Gap(const Control *c)
{
   return c->icon && !c->text.empty() ? kIconGap : 0;
}

void MeasureLabel(Control *c)
{
   const int w = std::max(c->icon ? c->icon->width : 0, LabelLinesWidth(c));
   const int h = IconHeight(c) + Gap(c) + LabelLinesHeight(c);
   c->x2 = c->x1 + std::max(0, w - 1 + c->dw);
   c->y2 = c->y1 + std::max(0, h - 1 + c->dh);
}

void DrawLabel(Control *c)
{
   PaintArea a;
   if (!AreaOf(c, &a))
      return;
   set_clip_rect(a.b, a.x1, a.y1, a.x2, a.y2);
   rectfill(a.b, a.x1, a.y1, a.x2, a.y2, InterfaceColour[COLOUR_FACE]);
   int y = a.y1;
   if (c->icon) {
      DrawIcon(a.b, c->icon.get(), a.x1, y);
      y += c->icon->height + Gap(c);
   }
   DrawLabelLines(a.b, c, a.x1, y, InterfaceColour[COLOUR_TEXT]);
   set_clip_rect(a.b, 0, 0, a.b->w - 1, a.b->h - 1);
}

const ControlClass *LabelClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k.measure = MeasureLabel;
      k.draw = DrawLabel;
   });
}

}

int PlaceLabel(int x, int y, const char *text)
{
   Control *c = CreateControl(LabelClass(), x, y, text);
   return c ? c->id : -1;
}

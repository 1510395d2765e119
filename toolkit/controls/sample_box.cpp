#include "toolkit/controls/sample_box.h"

#include "core/alloc.h"
#include "core/control.h"
#include "core/pointer_event.h"
#include "draw/draw.h"
#include "toolkit/colours.h"
#include "toolkit/cursors.h"
#include "windows/control_class.h"

#include <algorithm>

namespace {

constexpr int kPadding = 4;

struct SampleBox {
   int style;
   int min_w, min_h;
   int cursor = -1;
};

SampleBox *BoxOf(Control *c)
{
   return RecordOf<SampleBox>(c);
}

int IconHeight(const Control *c)
{
   return c->icon ? c->icon->height : 0;
}

void MeasureBox(Control *c)
{
   const SampleBox *box = BoxOf(c);
   const int icon_w = c->icon ? c->icon->width : 0;
   const int gap = c->icon && !c->text.empty() ? 2 : 0;
   const int w = std::max({icon_w, LabelLinesWidth(c), 0}) + 2 * kPadding;
   const int h = IconHeight(c) + gap + LabelLinesHeight(c) + 2 * kPadding;
   c->x2 = c->x1 + std::max(w, box->min_w) - 1 + c->dw;
   c->y2 = c->y1 + std::max(h, box->min_h) - 1 + c->dh;
}

void DrawBox(Control *c)
{
   BITMAP *b = c->surface ? c->surface->bitmap.get() : nullptr;
   if (!b)
      return;
   int x, y;
   ControlWindowPos(c, &x, &y);
   const int x2 = x + ControlWidth(c), y2 = y + ControlHeight(c);
   const SampleBox *box = BoxOf(c);
   rectfill(b, x, y, x2, y2, InterfaceColour[box->style == SAMPLE_SUNKEN ? COLOUR_LIGHT : COLOUR_FACE]);
   if (box->style != SAMPLE_PLAIN)
      DrawBevel(b, x, y, x2, y2, box->style == SAMPLE_RAISED);
   const int gap = c->icon && !c->text.empty() ? 2 : 0;
   const int content_h = IconHeight(c) + gap + LabelLinesHeight(c);
   int top = y + (ControlHeight(c) + 1 - content_h) / 2;
   if (c->icon) {
      DrawIcon(b, c->icon.get(), x + (ControlWidth(c) + 1 - c->icon->width) / 2, top);
      top += c->icon->height + gap;
   }
   DrawLabelLines(b, c, x + (ControlWidth(c) + 1 - LabelLinesWidth(c)) / 2, top, InterfaceColour[COLOUR_TEXT]);
}

int BoxMouse(Control *c, const PointerEvent &ev, int, int)
{
   const int cursor = BoxOf(c)->cursor;
   switch (ev.code) {
   case POINTER_OVER:
      if (cursor >= 0)
         UseMouseCursor(cursor);
      return 1;
   case POINTER_LEFT:
      if (cursor >= 0)
         UseMouseCursor(CURSOR_ARROW);
      return 1;
   case POINTER_RELEASE:
      // The action may close the window and with it this box.
      c->on_action(c->action_data);
      return 1;
   default: return 1;
   }
}

const InputClass kBoxInput = {BoxMouse, nullptr};

const ControlClass *BoxClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k.measure = MeasureBox;
      k.draw = DrawBox;
   });
}

}

int PlaceSampleBox(int x, int y, const char *label, int style, int min_w, int min_h)
{
   Control *c = CreateControl(BoxClass(), x, y, label);
   if (!c)
      return -1;
   MakeRecord<SampleBox>(c, style, min_w, min_h);
   c->event_cls = &kBoxInput;
   return c->id;
}

int SetSampleBoxCursor(int id, int cursor)
{
   Control *c = LookupControl(id);
   if (!c || c->cls != BoxClass())
      return 0;
   BoxOf(c)->cursor = cursor;
   return 1;
}

int SetSampleBoxAction(int id, void (*action)(void *), void *data)
{
   Control *c = LookupControl(id);
   if (!c)
      return 0;
   c->on_action = action ? action : DoNothing;
   c->action_data = data;
   return 1;
}

// Progress bar: measuring, drawing, and where a press landed.
#include "toolkit/controls/progress_bar.h"

#include "controls/control_paint.h"
#include "core/alloc.h"
#include "core/control.h"
#include "draw/draw.h"
#include "toolkit/colours.h"
#include "toolkit/control_calls.h"
#include "windows/control_class.h"

#include <algorithm>

namespace {

struct ProgressBar {
   int width = 0, height = 0;
   int percent = 0;
   int filled = 0;          // pixels
   double pressed_at = -1;  // fraction of the bar at the last press
};

void MeasureBar(Control *c)
{
   const ProgressBar *r = RecordOf<ProgressBar>(c);
   c->x2 = c->x1 + std::max(0, r->width + 1 + c->dw);
   c->y2 = c->y1 + std::max(0, r->height + 1 + c->dh);
}

void DrawBar(Control *c)
{
   PaintArea a;
   if (!AreaOf(c, &a))
      return;
   const ProgressBar *r = RecordOf<ProgressBar>(c);
   DrawBevel(a.b, a.x1, a.y1, a.x2, a.y2, false);
   if (a.Width() < 2 || a.Height() < 2)
      return;
   const int left = a.x1 + 1, right = a.x2 - 1;
   const int fill_end = std::min(right, left + r->filled - 1);
   if (fill_end >= left)
      rectfill(a.b, left, a.y1 + 1, fill_end, a.y2 - 1, InterfaceColour[COLOUR_SELECTED_TEXT]);
   if (fill_end < right)
      rectfill(a.b, std::max(left, fill_end + 1), a.y1 + 1, right, a.y2 - 1, InterfaceColour[COLOUR_LIGHT]);
}

// Clicks reach the control's click handler only when it takes the press.
int BarMouse(Control *c, const PointerEvent &event, int x, int)
{
   if (event.code != POINTER_PRESS)
      return 0;
   ProgressBar *r = RecordOf<ProgressBar>(c);
   if (r->width > 0)
      r->pressed_at = std::clamp(static_cast<double>(x - 1) / r->width, 0.0, 1.0);
   return 1;
}

const InputClass kBarInput = {BarMouse, nullptr};

const ControlClass *BarClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k.measure = MeasureBar;
      k.draw = DrawBar;
      k.get_value = [](Control *c) { return RecordOf<ProgressBar>(c)->percent; };
   });
}

}

int PlaceProgressBar(int x, int y, int width, int height)
{
   Control *c = CreateControl(BarClass(), x, y, nullptr);
   if (!c)
      return -1;
   MakeRecord<ProgressBar>(c, std::max(0, width), std::max(0, height));
   c->event_cls = &kBarInput;
   return c->id;
}

int SetProgress(int id, int percent)
{
   Control *c = LookupControl(id);
   // A negative fill would draw outside the bar: refused like one above 100.
   if (!c || c->cls != BarClass() || percent < 0 || percent > 100)
      return 0;
   ProgressBar *r = RecordOf<ProgressBar>(c);
   r->percent = percent;
   r->filled = static_cast<int>(static_cast<long long>(r->width) * percent / 100);
   RedrawControl(id);
   return 1;
}

double ProgressBarPressFraction(int id)
{
   Control *c = LookupControl(id);
   if (!c || c->cls != BarClass())
      return -1;
   return RecordOf<ProgressBar>(c)->pressed_at;
}

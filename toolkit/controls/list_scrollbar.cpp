// The list view's vertical scroll bar: an arrow at each end scrolls one row,
// the track beside the knob one page, and the knob can be dragged.
#include "controls/list_view_parts.h"
#include "core/control.h"
#include "core/pointer_event.h"
#include "draw/draw.h"
#include "toolkit/colours.h"
#include "windows/control_class.h"

#include <algorithm>

namespace {

constexpr int kMinKnob = 8;

// Geometry along the bar, relative to its top.
struct BarLayout {
   int arrow;  // height of each arrow box
   int track_top, track_len;
   int knob_top, knob_len;
};

BarLayout Measure(const Control *bar, const ListView *v)
{
   BarLayout g{};
   const int h = ControlHeight(bar) + 1;
   g.arrow = std::min(LIST_SCROLL_WIDTH, h / 2);
   g.track_top = g.arrow;
   g.track_len = std::max(0, h - 2 * g.arrow);
   const int total = std::max(ListCount(v), VisibleRows(v));
   g.knob_len =
      std::clamp(g.track_len * VisibleRows(v) / std::max(1, total), std::min(kMinKnob, g.track_len), g.track_len);
   const int max_first = ListMaxFirst(v);
   const int first = std::clamp(v->first, 0, max_first);
   g.knob_top = g.track_top + (max_first ? (g.track_len - g.knob_len) * first / max_first : 0);
   return g;
}

void DrawArrow(BITMAP *b, int x1, int y1, int x2, int y2, bool up)
{
   rectfill(b, x1, y1, x2, y2, InterfaceColour[COLOUR_FACE]);
   DrawBevel(b, x1, y1, x2, y2, true);
   const int cx = (x1 + x2) / 2, cy = (y1 + y2) / 2;
   const int d = up ? -2 : 2;
   triangle(b, cx - 3, cy - d / 2, cx + 3, cy - d / 2, cx, cy + d, InterfaceColour[COLOUR_TEXT]);
}

void DrawBar(Control *bar)
{
   WindowRecord *w = bar->surface;
   ListView *v = ListOf(bar);
   if (!w || !w->bitmap || !v)
      return;
   BITMAP *b = w->bitmap.get();
   int x, y;
   ControlWindowPos(bar, &x, &y);
   const int x2 = x + ControlWidth(bar), y2 = y + ControlHeight(bar);
   const BarLayout g = Measure(bar, v);
   rectfill(b, x, y, x2, y2, InterfaceColour[COLOUR_FACE_LIGHT]);
   DrawArrow(b, x, y, x2, y + g.arrow - 1, true);
   DrawArrow(b, x, y2 - g.arrow + 1, x2, y2, false);
   if (ListMaxFirst(v) > 0 && g.knob_len > 0) {
      const int k1 = y + g.knob_top, k2 = k1 + g.knob_len - 1;
      rectfill(b, x, k1, x2, k2, InterfaceColour[COLOUR_FACE]);
      DrawBevel(b, x, k1, x2, k2, true);
   }
}

struct KnobGrab {
   Control *bar = nullptr;
   int offset = 0;
};

// The scroll-bar knob grab in progress, if any.
KnobGrab &CurrentKnobGrab()
{
   static KnobGrab state;
   return state;
}

int BarMouse(Control *bar, const PointerEvent &ev, int, int y)
{
   ListView *v = ListOf(bar);
   if (!v || ev.code == POINTER_WHEEL)
      return 0;
   const BarLayout g = Measure(bar, v);
   switch (ev.code) {
   case POINTER_PRESS:
      if (!(ev.press_buttons & 1))
         return 1;
      if (y < g.track_top)
         ScrollList(v, v->first - 1);
      else if (y >= g.track_top + g.track_len)
         ScrollList(v, v->first + 1);
      else if (y < g.knob_top)
         ScrollList(v, v->first - VisibleRows(v));
      else if (y >= g.knob_top + g.knob_len)
         ScrollList(v, v->first + VisibleRows(v));
      else
         CurrentKnobGrab() = KnobGrab{bar, y - g.knob_top};
      return 1;
   case POINTER_DRAG:
      if (CurrentKnobGrab().bar == bar && g.track_len > g.knob_len) {
         const int span = g.track_len - g.knob_len;
         const int pos = std::clamp(y - CurrentKnobGrab().offset - g.track_top, 0, span);
         ScrollList(v, (pos * ListMaxFirst(v) + span / 2) / span);
      }
      return 1;
   case POINTER_RELEASE: CurrentKnobGrab() = KnobGrab{}; return 1;
   default: return 1;
   }
}

const InputClass kBarInput = {BarMouse, nullptr};

void ForgetGrab(Control *bar)
{
   if (CurrentKnobGrab().bar == bar)
      CurrentKnobGrab() = KnobGrab{};
}

const ControlClass *BarClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) { k.draw = DrawBar; });
}

}

Control *MakeListScrollBar(ListView *v)
{
   Control *bar = NewControl(BarClass(), v->self->container);
   if (!bar)
      return nullptr;
   bar->not_placed = 1;
   bar->event_cls = &kBarInput;
   bar->on_exit = ForgetGrab;
   return bar;
}

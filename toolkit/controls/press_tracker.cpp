#include "controls/press_tracker.h"

#include "windows/focus.h"

PressStep TrackPress(PressTracker &t, const PointerEvent &ev, bool in)
{
   switch (ev.code) {
   case POINTER_PRESS:
      if (!(ev.press_buttons & 1) || !in)
         return PressStep::none;
      t.pressed = t.inside = true;
      return PressStep::redraw;
   case POINTER_DRAG:
      if (!t.pressed || t.inside == in)
         return PressStep::none;
      t.inside = in;
      return PressStep::redraw;
   case POINTER_RELEASE:
      if (!t.pressed)
         return PressStep::none;
      t.pressed = t.inside = false;
      return in ? PressStep::activate : PressStep::redraw;
   default: return PressStep::none;
   }
}

void HandlePress(Control *c, PressTracker &t, const PointerEvent &ev, bool in, void (*activate)(Control *))
{
   switch (TrackPress(t, ev, in)) {
   case PressStep::activate: activate(c); break;
   case PressStep::redraw: c->cls->redraw(c); break;
   case PressStep::none: break;
   }
}

int HandleActivateKey(Control *c, int character, int scancode, void (*activate)(Control *))
{
   if (!IsActivateKey(character, scancode))
      return 0;
   activate(c);
   return 1;
}

#include "controls/press_tracker.h"

PressStep TrackPress(PressTracker &t, const PointerEvent &ev, bool in)
{
   switch (ev.code) {
   case POINTER_PRESS:
      if (!(ev.press_buttons & 1) || !in)
         return PressStep::NONE;
      t.pressed = t.inside = true;
      return PressStep::REDRAW;
   case POINTER_DRAG:
      if (!t.pressed || t.inside == in)
         return PressStep::NONE;
      t.inside = in;
      return PressStep::REDRAW;
   case POINTER_RELEASE:
      if (!t.pressed)
         return PressStep::NONE;
      t.pressed = t.inside = false;
      return in ? PressStep::ACTIVATE : PressStep::REDRAW;
   default:
      return PressStep::NONE;
   }
}

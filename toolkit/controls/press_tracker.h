// Press, then release inside: how a button, a check box and a cycle button
// decide that a click was meant for them. A left press inside the active area
// arms the tracker; dragging out of the area and back shows and hides the
// pressed look; a release inside activates, a release outside cancels.
#pragma once

#include "core/control.h"
#include "core/pointer_event.h"

struct PressTracker {
   bool pressed = false;  // armed by a press inside, until the release
   bool inside = false;   // the pointer is over the active area while armed
};

enum class PressStep {
   none,      // nothing changed
   redraw,    // the pressed look changed
   activate,  // released inside: redraw, then act (the action may destroy the control)
};

// Feeds one pointer event; `in` tells whether the event's point lies in the
// active area.
PressStep TrackPress(PressTracker &t, const PointerEvent &ev, bool in);

// The whole of a clickable control's mouse handling: feeds the event to the
// tracker, redraws `c` when its look changed and calls `activate` (which
// redraws what it changes, and may destroy `c`) on a release inside.
void HandlePress(Control *c, PressTracker &t, const PointerEvent &ev, bool in, void (*activate)(Control *));

// Its key handling: Enter or Space calls `activate`; 1 when the key was one
// of them.
int HandleActivateKey(Control *c, int character, int scancode, void (*activate)(Control *));

// Check boxes bound to an int: shown ticked while the int is above 0.
// A click, a hot key, or Enter or Space while focused applies the toggle
// rule (a value <= 0 becomes 1, a value > 0 becomes 0), redraws the box and
// queues a call of the change handler (SetChangeHandler) when one is set.
// The player places them with y = 0x10FFFFFF, stretched across the row.
// `state` must outlive the control. Returns the id, or -1 when no window is
// under construction.
#pragma once

int PlaceCheckBox(int x, int y, const char *label, int *state);

// The toggle rule shared with the two-state choice.
inline int ToggledValue(int old)
{
   return old <= 0 ? 1 : 0;
}

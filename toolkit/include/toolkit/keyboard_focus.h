// Keyboard focus, the application's side: Tab and Shift+Tab move the focus
// between the focusable controls of the top window (buttons, check boxes and
// the other controls that take keys), Enter and Space activate a focused
// button or check box, a click on a focusable control focuses it.
#pragma once

// Focuses the control: 1, or 0 for a bad id or a control that takes no focus.
int FocusControl(int id);
// Id of the top window's focused control, -1 when none has the focus.
int FocusedControlId(void);

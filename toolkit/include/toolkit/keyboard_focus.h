// Keyboard focus, the application's side: Tab and Shift+Tab move the focus
// between the focusable controls of the top window (buttons, check boxes and
// the other controls that take keys), Enter and Space activate a focused
// button or check box, a click on a focusable control focuses it.
//
// A window may have a key handler of the application's: while the window is
// on top it sees every key first, before the focused control; it answers 1
// when it took the key, 0 to pass it on. It decides itself which keys to
// leave to a focused control (FocusedControlId), for instance every key while
// a text-entry field has the focus.
#pragma once

// Focuses the control: 1, or 0 for a bad id or a control that takes no focus.
int FocusControl(int id);
// Id of the top window's focused control, -1 when none has the focus.
int FocusedControlId(void);

// Sets (or, with a null fn, removes) the key handler of the window whose id
// (MakeWindow's result) is `window_id`: 1, or 0 for an id that names no window.
int SetWindowKeyHandler(int window_id, int (*fn)(void *data, int character, int scancode, int shifts), void *data);

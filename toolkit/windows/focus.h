// Keyboard focus: which control of a window gets the keys first.
//
// Contract:
// - A control takes part in focus once MakeFocusable was called on it (its
//   creator does so). Each window has at most one focused control
//   (WindowRecord::focus); a window starts with none.
// - Keys for the top window go first to its focused control's key handler
//   (InputClass::key, 1 = consumed). Keys it leaves are offered to
//   HandleFocusKey: Tab moves the focus to the next focusable control of the
//   window in creation order (depth first through groups), Shift+Tab to the
//   previous one; both wrap around. Keys nobody consumed go on to hot keys.
// - Enter and Space activate a focused button or check box: the control's key
//   handler checks IsActivateKey and runs its action.
// - A mouse press on a focusable control, or on a part of one (a child of a
//   focusable container), focuses it.
// - A focused control draws DrawFocusMark inside its own rectangle; changing
//   the focus redraws the control that lost it and the one that got it.
// - Destroying a control forgets it (ForgetFocus, run by the base destroy),
//   so no window keeps a focus pointer to a freed control.
#pragma once

#include "core/control.h"

#include <allegro.h>

void MakeFocusable(Control *c);
bool IsFocusable(const Control *c);

// The focused control of the top window, or null.
Control *FocusedControl(void);
bool HasFocus(const Control *c);

// Tab and Shift+Tab for window `w`; true when the key was one of them.
bool HandleFocusKey(WindowRecord *w, int character, int scancode, int shifts);
// Focuses the nearest focusable control from `c` up through its containers.
void FocusOnPress(Control *c);
void ForgetFocus(Control *c);

// Enter (main or keypad) or Space.
bool IsActivateKey(int character, int scancode);

// The focus mark: a dotted rectangle in colour slot 5.
void DrawFocusMark(BITMAP *b, int x1, int y1, int x2, int y2);

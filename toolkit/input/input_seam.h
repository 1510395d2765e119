// Test seam: input injected exactly where Allegro's mouse and keyboard
// callbacks put theirs, so the loop cannot tell it from real input.
// Callable from any thread.
#pragma once

// The pointer is at (x, y) with `buttons` held (1 left, 2 right, 4 middle).
void InjectPointer(int x, int y, int buttons);

// The wheel turned `notches` (positive away from the user, as Allegro's
// mouse_z counts) with the pointer at (x, y) and `buttons` held.
void InjectWheel(int x, int y, int buttons, int notches);

// The desktop frame's close button, as Allegro reports it.
void InjectCloseButton();

// A key press: text character (0 for none), Allegro KEY_* scancode and the
// KEY_*_FLAG shift bits held.
void InjectKey(int character, int scancode, int shifts);

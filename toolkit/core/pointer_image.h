// Who moves the pointer image (Allegro's mouse_sprite), by MouseInputMode:
// - 0: the loop. Allegro draws no pointer; the toolkit draws the sprite itself
//   (keeping what it covers) when the loop processes pointer input, at the
//   platform pointer's latest position. Until the loop has seen the platform
//   pointer (samples injected through the input seam do not count) nothing is
//   drawn.
// - non-zero: Allegro. show_mouse(screen): Allegro's own thread moves the
//   sprite within 10 ms of every movement, outside the loop.
//
// Contract: loop thread only. Whatever writes to the screen brackets the
// write with ScarePointerArea/UnscarePointer, in both modes.
#pragma once

struct BITMAP;

// Declared for users in toolkit/cursors.h.
extern int MouseInputMode;

// Makes `image` (hot spot at focus_x, focus_y) the pointer and shows it in
// the current mode's way.
void SetPointerImage(BITMAP *image, int focus_x, int focus_y);
// Takes the pointer off the screen (both ways) and forgets its position.
void HidePointerImage();
// The loop's pointer processing: follows a mode change, and in mode 0 moves
// the image to the platform pointer's position (x, y).
void MovePointerImage(bool moved, int x, int y);

// Nesting pairs around screen writes to the area (x, y, w, h).
void ScarePointerArea(int x, int y, int w, int h);
void UnscarePointer();

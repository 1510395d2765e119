// Mouse cursors and who moves the pointer image.
#pragma once

struct FONT;

// Cursors: 0-3 dragging, 4 diagonal resize, 5 busy, 6 arrow.
inline constexpr int CURSOR_RESIZE = 4;
inline constexpr int CURSOR_BUSY = 5;
inline constexpr int CURSOR_ARROW = 6;
void UseMouseCursor(int n);
void UseTextCursor(FONT *f, const char *text);
void RestoreMouseCursor(void);

// Application-settable: 0 moves the pointer image from the loop's mouse
// processing, non-zero leaves it to Allegro's own thread, which moves it
// within 10 ms of every movement. Read on the loop thread only.
extern int MouseInputMode;

// Windows: a window is built by MakeWindow, filled by Place* calls (controls
// go into the window under construction) and shown by PresentWindow.
#pragma once

// MakeWindow flags.
inline constexpr int WINDOW_CHILD_OF_PARENT = 1;
inline constexpr int WINDOW_NO_DRAG = 4;
inline constexpr int WINDOW_NOT_MODAL = 8;

int MakeWindow(int w, int h, const char *title, int flags);
void PresentWindow(void);
// Closes the top window. The unused pointer lets it serve directly as a
// button callback.
void CloseWindow(void *unused = nullptr);

// Draws every shown window again and the desktop around them, for instance
// after the interface colours changed.
void RedrawScreen(void);

// Window records and the window parts: the root with its frame and title,
// the client area and the drag area.
#pragma once

#include "toolkit/control.h"

// Frame width around the client area.
inline constexpr int WINDOW_BORDER = 2;

// Makes the root, title and client (and drag area unless `draggable` is
// false) of a new window on the desktop. `w, h` as for MakeWindow.
WindowRecord *BuildWindow(int w, int h, const char *title, bool draggable);
// Height of the title bar (0 for an untitled window).
int TitleHeight(const WindowRecord *w);
// Lays the window out; its top-left stays where it is.
void LayoutWindow(WindowRecord *w);
// Moves a shown window and refreshes the screen around it.
void MoveWindow(WindowRecord *w, int x, int y);
// Removes the window from the window list and destroys it with its controls.
void DiscardWindow(WindowRecord *w);

// Window records and the window parts: the root with its frame and title,
// the client area and the drag area.
#pragma once

#include "core/control.h"

// Copies a screen rectangle from the windows' pictures (desktop background
// where no window is), bottom window first.
void RefreshScreenRect(int x1, int y1, int x2, int y2);
void RedrawWindow(WindowRecord *w);

// Builds the desktop container (control 0) covering the screen.
void MakeDesktop(void);
// Destroys every window and the desktop.
void DestroyAllWindows(void);

// MakeWindow once the toolkit runs: 0 while another window is under
// construction or there is no desktop, else the new root's id.
int OpenNewWindow(int w, int h, const char *title, int flags);

// Frame width around the client area.
inline constexpr int WINDOW_BORDER = 2;

// Makes the root, title and client (and drag area unless `draggable` is
// false) of a new window on the desktop. `w, h` as for MakeWindow.
WindowRecord *BuildWindow(int w, int h, const char *title, bool draggable);
// Height of the title bar (0 for an untitled window).
int TitleHeight(const WindowRecord *w);
// Lays the window out; its top-left stays where it is.
void LayoutWindow(WindowRecord *w);
// Pixels of a window's width that stay on the screen, whatever moves it.
inline constexpr int WINDOW_KEEP_VISIBLE = 32;
// Moves a shown window and refreshes the screen around it. The window's top
// edge stays on the screen and WINDOW_KEEP_VISIBLE pixels of its title bar
// (all of a narrower one) stay within it sideways.
void MoveWindow(WindowRecord *w, int x, int y);
// Removes the window from the window list and destroys it with its controls.
void DiscardWindow(WindowRecord *w);

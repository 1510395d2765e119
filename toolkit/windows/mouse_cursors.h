// The seven numbered mouse cursors and the text cursor.
#pragma once

inline constexpr int CURSOR_COUNT = 7;

// Draws the built-in cursor images, registers them for the desktop as
// "cursor42_<n>", fills the cursor table and shows the arrow.
void StartMouseCursors(void);
// Rebuilds the table from the registered "cursor42_<n>" images, in the
// screen's colour depth.
void RefreshCursorTable(void);
// Hides the pointer and frees the table and any text cursor.
void StopMouseCursors(void);
int CurrentMouseCursor(void);

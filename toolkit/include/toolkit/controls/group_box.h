// Framed groups. BeginGroupBox opens a container that later controls go into
// until the matching EndGroupBox; groups nest. `w, h` is a size pair as for
// MakeWindow: (0, AUTO) fits the contents, anything else is a fixed size.
// Flags bit 0 (GROUP_TITLE_IN_FRAME): the title is drawn in the top frame
// line; without it a non-empty title is placed as a label above the frame.
// An empty title gives a plain frame. Inside the frame the margins and gaps
// are 2 pixels. Returns the group's id, or -1 when no window is under
// construction.
#pragma once

inline constexpr int GROUP_TITLE_IN_FRAME = 1;

int BeginGroupBox(int x, int y, int w, int h, const char *title, int flags);
void EndGroupBox(void);

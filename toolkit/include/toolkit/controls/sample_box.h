// The gallery's sample box, built on the toolkit core: a framed box showing
// its label (text lines and icon) that can change the mouse cursor.
#pragma once

enum SampleBoxStyle {
   SAMPLE_RAISED = 0,  // bevelled out, like a button face
   SAMPLE_SUNKEN = 1,  // bevelled in, white inside, like a field
   SAMPLE_PLAIN = 2,   // text and icon only
};

// A box at least min_w by min_h pixels, larger when its label needs it.
// Returns the id, or -1. While the pointer is over it, the mouse cursor
// becomes `cursor` (-1: unchanged); a click or its hot key calls `action`.
int PlaceSampleBox(int x, int y, const char *label, int style, int min_w, int min_h);
int SetSampleBoxCursor(int id, int cursor);
int SetSampleBoxAction(int id, void (*action)(void *), void *data);

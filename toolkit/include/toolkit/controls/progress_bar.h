// Progress bars. The control is width + 1 + dw by height + 1 + dh: a one-
// pixel frame around a bar of `width` by `height` pixels. SetProgress fills
// width * percent / 100 pixels from the left (integer division) and redraws;
// it answers 1 when applied and 0, changing nothing, for a bad id or a
// percent outside 0-100.
//
// A bar takes mouse presses, so SetClickHandler can make it a control (a
// seek bar); ProgressBarPressFraction tells where the last press landed.
#pragma once

int PlaceProgressBar(int x, int y, int width, int height);
int SetProgress(int id, int percent);

// Where the last mouse press on the bar landed: 0 at the bar's left end to 1
// at its right end (kept within). -1 for a bad id or before any press.
double ProgressBarPressFraction(int id);

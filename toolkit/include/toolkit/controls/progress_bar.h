// Progress bars. The control is width + 1 + dw by height + 1 + dh: a one-
// pixel frame around a bar of `width` by `height` pixels. SetProgress fills
// width * percent / 100 pixels from the left (integer division) and redraws;
// it answers 1 when applied and 0, changing nothing, for a bad id or a
// percent outside 0-100.
#pragma once

int PlaceProgressBar(int x, int y, int width, int height);
int SetProgress(int id, int percent);

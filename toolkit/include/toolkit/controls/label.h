// Labels: static text lines, an image, or an image above text. A label takes
// no input and no focus; it is as large as what it shows (plus dw, dh).
// Returns the id, or -1 when no window is under construction.
#pragma once

int PlaceLabel(int x, int y, const char *text);

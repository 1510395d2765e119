// A vertical scroll strip shared by the controls that scroll lines: the drop
// list of a choice list and the text field. It is drawn inside a control's
// rectangle; the owner keeps the position (its first visible line).
//
// Contract: `total` lines, `visible` of them shown from `first`; every
// function accepts any values and keeps the position within 0 and
// total - visible (0 when everything fits).
#pragma once

#include <allegro.h>

inline constexpr int SCROLL_STRIP_WIDTH = 11;

// The highest first line for these counts.
int ScrollLimit(int total, int visible);
// `first` kept within 0 and ScrollLimit.
int ClampScroll(int first, int total, int visible);
// The strip from (x1, y1) to (x2, y2): a sunken track and a raised thumb
// whose size and place follow the visible part.
void DrawScrollStrip(BITMAP *b, int x1, int y1, int x2, int y2, int first, int visible, int total);
// The first line that puts the middle of the thumb at `y` (strip-relative,
// 0 at the strip's top) in a strip `height` pixels high.
int ScrollAtPoint(int y, int height, int visible, int total);

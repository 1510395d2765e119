// The colours of selected list rows, highlighted menu items and the hot row
// of an open drop-down list, one pair for all three. The background is the
// selection slot; the text is whichever of the light and the text slot
// contrasts more with it, or black or white when neither reaches a contrast
// of 4.5:1, so a colour scheme can never make selected text unreadable.
#pragma once

// Relative luminance (0 = black, 1 = white) of a colour in the pixel format
// of the current colour depth.
double ColourLuminance(int colour);
// Contrast ratio of two colours, 1 to 21, the lighter over the darker.
double ColourContrast(int a, int b);

int SelectionBackground(void);
int SelectionText(void);

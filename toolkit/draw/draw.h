// Interface colours, fonts and the drawing helpers every control shares.
#pragma once

#include "core/control.h"

#include <allegro.h>

// Fills InterfaceColour for the screen's colour depth; in 8-bit modes also
// sets palette entries 255 down to 244.
void InitInterfaceColours(void);

// Loads gfx/toolkit_font.bmp (and gfx/toolkit_font_bold.bmp) from the font
// folder; falls back to Allegro's `font`.
void LoadToolkitFonts(void);
void FreeToolkitFonts(void);
FONT *ToolkitBoldFont(void);

// A bevelled rectangle: raised (light top-left) or sunken.
void DrawBevel(BITMAP *b, int x1, int y1, int x2, int y2, bool raised);
// An etched frame line (groups).
void DrawEtchedFrame(BITMAP *b, int x1, int y1, int x2, int y2);

// The label's text lines, stacked from (x, y), with the hot key underlined.
void DrawLabelLines(BITMAP *b, const Control *c, int x, int y, int colour);
int LabelLinesWidth(const Control *c);
int LabelLinesHeight(const Control *c);  // (font height + 1) per line
// The label's icon at (x, y), masked when its kind asks for it.
void DrawIcon(BITMAP *b, const ImageEntry *icon, int x, int y);

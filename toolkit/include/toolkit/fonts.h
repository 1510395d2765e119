// The toolkit's font: a proportional font rendered at build time, or
// Allegro's built-in font when the files are missing.
#pragma once

struct FONT;

// Folder holding gfx/toolkit_font.bmp (default: the working folder). Takes
// effect at the next StartToolkit.
void SetToolkitFontFolder(const char *folder);

// The toolkit's current font and standard control height.
FONT *ToolkitFont(void);
int StandardControlHeight(void);

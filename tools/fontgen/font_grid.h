// Writes glyph cells as the bitmap-font grid that Allegro's load_font reads.
//
// The file is an 8-bit paletted image: index 255 fills the borders between
// the cells, 0 is the cells' background and 1 their ink. With exactly one
// ink colour besides 0 and 255 Allegro makes a monochrome FONT, which
// textout_ex draws in any colour. Cells run left to right, top to bottom,
// starting at the space character, all of one height, which becomes the
// font's text_height.
#pragma once

#include "allegro_handles.h"
#include "glyph_cells.h"

#include <string>
#include <vector>

namespace kstr::tools {

BitmapPtr draw_font_grid(const std::vector<GlyphCell> &cells, int line_height, int cells_per_row);

// Throws std::runtime_error when the file cannot be written.
void save_font_grid(BITMAP *grid, const std::string &path);

}

// Glyphs cut to one common line: every cell is as tall as the line, with the
// baseline at the same row, and as wide as the pen moves for that character.
#pragma once

#include "freetype_face.h"

#include <vector>

namespace kstr::tools {

struct LineMetrics {
   int ascent = 0;   // rows above the baseline
   int descent = 0;  // rows below it
   int height() const { return ascent + descent; }
};

struct GlyphCell {
   int width = 0;
   std::vector<bool> ink;  // width * line height, row by row

   bool at(int x, int y) const { return ink[static_cast<std::size_t>(y * width + x)]; }
};

// The smallest line that holds every glyph's ink.
LineMetrics line_for(const std::vector<GlyphImage> &glyphs);

// What cell_for does with ink above or below the line.
enum class Overflow { fail, cut };

// Places a glyph on the line. Ink left of the pen (a negative bearing) moves
// the glyph right and widens its cell rather than being cut off, since a
// bitmap font has no bearings. Cells are at least one pixel wide. Ink past
// the line's top or bottom throws std::logic_error, or with Overflow::cut is
// left out.
GlyphCell cell_for(const GlyphImage &glyph, const LineMetrics &line, Overflow overflow = Overflow::fail);

}

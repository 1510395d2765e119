#include "glyph_cells.h"

#include <algorithm>
#include <stdexcept>

namespace kstr::tools {

LineMetrics line_for(const std::vector<GlyphImage> &glyphs)
{
   LineMetrics line;
   for (const GlyphImage &glyph : glyphs) {
      if (glyph.rows == 0)
         continue;
      line.ascent = std::max(line.ascent, glyph.top);
      line.descent = std::max(line.descent, glyph.rows - glyph.top);
   }
   return line;
}

GlyphCell cell_for(const GlyphImage &glyph, const LineMetrics &line, Overflow overflow)
{
   const int shift = std::max(0, -glyph.left);
   GlyphCell cell;
   cell.width = std::max({1, glyph.advance + shift, glyph.left + shift + glyph.width});
   cell.ink.assign(static_cast<std::size_t>(cell.width * line.height()), false);
   if (glyph.rows == 0)
      return cell;

   const int first_row = line.ascent - glyph.top;
   if (overflow == Overflow::fail && (first_row < 0 || first_row + glyph.rows > line.height()))
      throw std::logic_error("glyph does not fit the line");
   for (int y = std::max(0, -first_row); y < std::min(glyph.rows, line.height() - first_row); y++) {
      for (int x = 0; x < glyph.width; x++) {
         if (glyph.at(x, y) >= 128)
            cell.ink[static_cast<std::size_t>((first_row + y) * cell.width + glyph.left + shift + x)] = true;
      }
   }
   return cell;
}

}

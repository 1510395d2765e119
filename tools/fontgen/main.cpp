// kstr_fontgen <font.ttf> <pixel size> <output.bmp>
//
// Renders the program's glyphs 32-383 (its 8-bit text and Latin Extended-A,
// see codepage.h) with the font's own hinting for monochrome screens and
// writes them as an Allegro bitmap font, whose one range then puts every
// glyph past 255 at its own code point.
#include "allegro_handles.h"
#include "codepage.h"
#include "font_grid.h"
#include "freetype_face.h"
#include "glyph_cells.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

constexpr int first_glyph = 32;
constexpr int cells_per_row = 16;

void generate(const std::string &font_path, int pixel_size, const std::string &output)
{
   const kstr::tools::FreeTypeFace face(font_path, pixel_size);
   std::vector<kstr::tools::GlyphImage> glyphs;
   for (int glyph = first_glyph; glyph <= kstr::tools::last_glyph(); glyph++)
      glyphs.push_back(face.render(kstr::tools::code_point(glyph), kstr::tools::Rendering::mono));

   // The 8-bit text sets the line, so the toolkit's line height stays what
   // it was; the few letters past it that reach higher (l with acute) lose
   // their top row rather than make every line taller.
   const std::size_t eight_bit = 256 - first_glyph;
   const kstr::tools::LineMetrics line =
      kstr::tools::line_for({glyphs.begin(), glyphs.begin() + static_cast<std::ptrdiff_t>(eight_bit)});
   std::vector<kstr::tools::GlyphCell> cells;
   for (std::size_t i = 0; i < glyphs.size(); i++)
      cells.push_back(kstr::tools::cell_for(glyphs[i], line,
                                            i < eight_bit ? kstr::tools::Overflow::fail : kstr::tools::Overflow::cut));

   const kstr::tools::AllegroSession allegro;
   kstr::tools::BitmapPtr grid = kstr::tools::draw_font_grid(cells, line.height(), cells_per_row);
   kstr::tools::save_font_grid(grid.get(), output);
}

}

int main(int argc, char **argv)
{
   if (argc != 4) {
      std::fprintf(stderr, "usage: %s <font.ttf> <pixel size> <output.bmp>\n", argv[0]);
      return 2;
   }
   try {
      generate(argv[1], std::stoi(argv[2]), argv[3]);
   } catch (const std::exception &error) {
      std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
      return 1;
   }
   return 0;
}

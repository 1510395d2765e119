// kstr_fontgen <font.ttf> <pixel size> <output.bmp>
//
// Renders bytes 32-255 of the program's 8-bit text (see codepage.h) with the
// font's own hinting for monochrome screens and writes them as an Allegro
// bitmap font.
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

constexpr int first_byte = 32;
constexpr int last_byte = 255;
constexpr int cells_per_row = 16;

void generate(const std::string &font_path, int pixel_size, const std::string &output)
{
   const kstr::tools::FreeTypeFace face(font_path, pixel_size);
   std::vector<kstr::tools::GlyphImage> glyphs;
   for (int byte = first_byte; byte <= last_byte; byte++)
      glyphs.push_back(face.render(kstr::tools::code_point(byte), kstr::tools::Rendering::mono));

   const kstr::tools::LineMetrics line = kstr::tools::line_for(glyphs);
   std::vector<kstr::tools::GlyphCell> cells;
   for (const auto &glyph : glyphs)
      cells.push_back(kstr::tools::cell_for(glyph, line));

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

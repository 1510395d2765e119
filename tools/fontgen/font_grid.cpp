#include "font_grid.h"

#include <algorithm>
#include <stdexcept>

namespace kstr::tools {

namespace {

constexpr int border = 255;
constexpr int background = 0;
constexpr int ink = 1;

}

BitmapPtr draw_font_grid(const std::vector<GlyphCell> &cells, int line_height, int cells_per_row)
{
   const auto per_row = static_cast<std::size_t>(cells_per_row);
   // One border pixel left of every cell and one closing each row and column.
   int width = 0;
   int row_width = 1;
   for (std::size_t i = 0; i < cells.size(); i++) {
      if (i % per_row == 0)
         row_width = 1;
      row_width += cells[i].width + 1;
      width = std::max(width, row_width);
   }
   const int rows = static_cast<int>((cells.size() + per_row - 1) / per_row);

   BitmapPtr grid = make_bitmap(8, width, 1 + rows * (line_height + 1));
   clear_to_color(grid.get(), border);
   int x0 = 1;
   int y0 = 1;
   for (std::size_t i = 0; i < cells.size(); i++) {
      if (i > 0 && i % per_row == 0) {
         x0 = 1;
         y0 += line_height + 1;
      }
      const GlyphCell &cell = cells[i];
      for (int y = 0; y < line_height; y++)
         for (int x = 0; x < cell.width; x++)
            putpixel(grid.get(), x0 + x, y0 + y, cell.at(x, y) ? ink : background);
      x0 += cell.width + 1;
   }
   return grid;
}

void save_font_grid(BITMAP *grid, const std::string &path)
{
   // Colours only for people looking at the file; the loader reads indices.
   PALETTE palette{};
   palette[background] = RGB{63, 63, 63, 0};
   palette[ink] = RGB{0, 0, 0, 0};
   palette[border] = RGB{63, 63, 0, 0};
   if (save_bitmap(path.c_str(), grid, palette) != 0)
      throw std::runtime_error("cannot write " + path);
}

}

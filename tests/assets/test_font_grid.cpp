// The font generator's cells and grid against Allegro's own reader: what the
// generator lays out must come back glyph for glyph, width for width.
#include "allegro_env.h"
#include "codepage.h"
#include "font_grid.h"
#include "glyph_cells.h"
#include "run_folder.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

using kstr::tools::GlyphCell;
using kstr::tools::GlyphImage;
using kstr::tools::LineMetrics;

// A solid block of ink, `width` x `rows`, `top` rows above the baseline.
GlyphImage block(int left, int width, int top, int rows, int advance)
{
   GlyphImage glyph;
   glyph.left = left;
   glyph.width = width;
   glyph.top = top;
   glyph.rows = rows;
   glyph.advance = advance;
   glyph.coverage.assign(static_cast<std::size_t>(width * rows), 255);
   return glyph;
}

TEST(GlyphCells, LineHoldsTheHighestAndLowestInk)
{
   const LineMetrics line = kstr::tools::line_for({block(0, 2, 8, 8, 3), block(0, 2, 6, 9, 3), GlyphImage{}});
   EXPECT_EQ(line.ascent, 8);
   EXPECT_EQ(line.descent, 3);
}

TEST(GlyphCells, InkSitsOnTheBaselineAndNegativeBearingsWidenTheCell)
{
   const LineMetrics line{8, 3};
   const GlyphCell plain = kstr::tools::cell_for(block(1, 2, 8, 8, 4), line);
   ASSERT_EQ(plain.width, 4);
   EXPECT_FALSE(plain.at(0, 0));
   EXPECT_TRUE(plain.at(1, 0));
   EXPECT_TRUE(plain.at(2, 7));
   EXPECT_FALSE(plain.at(3, 7));
   EXPECT_FALSE(plain.at(1, 8));

   // A hook reaching one pixel left of the pen, and one below the baseline.
   const GlyphCell hook = kstr::tools::cell_for(block(-1, 3, 2, 3, 3), line);
   ASSERT_EQ(hook.width, 4);
   EXPECT_TRUE(hook.at(0, 6));
   EXPECT_TRUE(hook.at(2, 8));
   EXPECT_FALSE(hook.at(3, 8));

   // Ink wider than the advance keeps its last column; a blank keeps a pixel.
   EXPECT_EQ(kstr::tools::cell_for(block(0, 5, 8, 1, 4), line).width, 5);
   EXPECT_EQ(kstr::tools::cell_for(GlyphImage{}, line).width, 1);
   EXPECT_THROW(kstr::tools::cell_for(block(0, 1, 9, 1, 2), line), std::logic_error);
}

TEST(FontGrid, AllegroReadsBackEveryCellAsAMonochromeGlyph)
{
   ASSERT_TRUE(kstr::test::start_allegro());
   const LineMetrics line{8, 3};
   // Widths that vary, and enough cells to need several rows of the grid.
   std::vector<GlyphCell> cells;
   for (int i = 0; i < 40; i++)
      cells.push_back(kstr::tools::cell_for(block(0, 1 + i % 7, 8 - i % 5, 3, 2 + i % 7), line));
   const kstr::tools::BitmapPtr grid = kstr::tools::draw_font_grid(cells, line.height(), 16);

   kstr::test::FontPtr font(grab_font_from_bitmap(grid.get()));
   ASSERT_TRUE(font);
   EXPECT_TRUE(is_mono_font(font.get()));
   EXPECT_EQ(text_height(font.get()), line.height());
   EXPECT_EQ(get_font_range_begin(font.get(), 0), 32);
   EXPECT_EQ(get_font_range_end(font.get(), 0), 32 + 39);

   kstr::tools::BitmapPtr canvas = kstr::tools::make_bitmap(8, 16, line.height());
   for (int i = 0; i < 40; i++) {
      const char text[] = {static_cast<char>(32 + i), 0};
      ASSERT_EQ(text_length(font.get(), text), cells[static_cast<std::size_t>(i)].width) << "cell " << i;
      clear_to_color(canvas.get(), 0);
      textout_ex(canvas.get(), font.get(), text, 0, 0, 1, -1);
      for (int y = 0; y < line.height(); y++)
         for (int x = 0; x < cells[static_cast<std::size_t>(i)].width; x++)
            ASSERT_EQ(getpixel(canvas.get(), x, y) == 1, cells[static_cast<std::size_t>(i)].at(x, y))
               << "cell " << i << " pixel " << x << "," << y;
   }
}

TEST(Codepage, UpperControlBytesShowWindowsPunctuation)
{
   EXPECT_EQ(kstr::tools::code_point('A'), U'A');
   EXPECT_EQ(kstr::tools::code_point(0xE9), U'\u00E9');
   EXPECT_EQ(kstr::tools::code_point(0x80), U'\u20AC');
   EXPECT_EQ(kstr::tools::code_point(0x93), U'\u201C');
   EXPECT_EQ(kstr::tools::code_point(0x9F), U'\u0178');
   EXPECT_EQ(kstr::tools::code_point(0x81), 0u);
   EXPECT_EQ(kstr::tools::code_point(127), 0u);
}

}

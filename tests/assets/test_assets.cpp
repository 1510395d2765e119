// The staged run folder as the program loads it: 8-bit text, a 16-bit screen,
// the two toolkit fonts, the icon bitmaps, the logo and the icon datafile;
// and the font generator's grid against Allegro's own reader.
#include "allegro_env.h"
#include "codepage.h"
#include "font_grid.h"
#include "freetype_face.h"
#include "glyph_cells.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using kstr::tools::BitmapPtr;
using FontPtr = std::unique_ptr<FONT, decltype(&destroy_font)>;

std::string run_file(const std::string &relative)
{
   const char *dir = std::getenv("KSTR_RUN_DIR");
   return std::string(dir && *dir ? dir : KSTR_ASSETS_RUN_DIR) + "/" + relative;
}

std::vector<int> pixels_of(BITMAP *bitmap)
{
   std::vector<int> pixels;
   for (int y = 0; y < bitmap->h; y++)
      for (int x = 0; x < bitmap->w; x++)
         pixels.push_back(getpixel(bitmap, x, y));
   return pixels;
}

// 16 x 16, distinct from every other icon, with transparent surroundings.
void expect_icon(BITMAP *icon, const std::string &name, std::set<std::vector<int>> &seen)
{
   ASSERT_NE(icon, nullptr) << name;
   EXPECT_EQ(std::pair(icon->w, icon->h), std::pair(16, 16)) << name;
   const std::vector<int> pixels = pixels_of(icon);
   const auto transparent = std::count(pixels.begin(), pixels.end(), bitmap_mask_color(icon));
   EXPECT_GT(transparent, 0) << name;
   EXPECT_GT(256 - transparent, 16) << name;
   EXPECT_TRUE(seen.insert(pixels).second) << name << " repeats an earlier icon";
}

TEST(StagedAssets, IconsLogoAndDatafileLoadAsTheProgramLoadsThem)
{
   ASSERT_TRUE(kstr::test::open_test_window());
   std::set<std::vector<int>> seen;
   for (const char *name :
        {"config", "play", "stop", "prev", "next", "pause", "about", "open", "x", "menu", "add", "newpl"}) {
      BitmapPtr icon(load_bitmap(run_file(std::string("gfx/") + name + ".bmp").c_str(), nullptr));
      expect_icon(icon.get(), name, seen);
      ASSERT_EQ(bitmap_color_depth(icon.get()), 16) << name;
   }
   const std::string datafile = run_file("kesicons.dat");
   for (const char *name : {"mkdatadir", "datadir", "makedir", "updir", "uparrow", "isdirectory"}) {
      std::unique_ptr<DATAFILE, decltype(&unload_datafile_object)> object(load_datafile_object(datafile.c_str(), name),
                                                                          unload_datafile_object);
      ASSERT_TRUE(object && object->type == DAT_BITMAP) << name << " in " << datafile;
      expect_icon(static_cast<BITMAP *>(object->dat), name, seen);
   }

   // The logo: 200 x 60, rounded transparent corners, white lettering.
   BitmapPtr logo(load_bitmap(run_file("gfx/logo.bmp").c_str(), nullptr));
   ASSERT_TRUE(logo);
   ASSERT_EQ(std::pair(logo->w, logo->h), std::pair(200, 60));
   const std::vector<int> pixels = pixels_of(logo.get());
   for (const int corner : {0, 199, 59 * 200, 59 * 200 + 199})
      EXPECT_EQ(pixels[static_cast<size_t>(corner)], bitmap_mask_color(logo.get())) << corner;
   EXPECT_LT(std::count(pixels.begin(), pixels.end(), bitmap_mask_color(logo.get())), 200 * 60 / 10);
   EXPECT_GT(std::count(pixels.begin(), pixels.end(), makecol(255, 255, 255)), 200);
}

// Ink of `text` drawn in red on grey: 1 + its row for every ink pixel of the
// canvas, 0 elsewhere.
std::vector<int> draw(FONT *font, const char *text)
{
   BitmapPtr canvas(create_bitmap(text_length(font, text) + 4, text_height(font)));
   const int colour = makecol(255, 0, 0);
   clear_to_color(canvas.get(), makecol(192, 192, 192));
   textout_ex(canvas.get(), font, text, 0, 0, colour, -1);
   std::vector<int> pixels = pixels_of(canvas.get());
   for (int &pixel : pixels)
      pixel = pixel == colour ? 1 + static_cast<int>(&pixel - pixels.data()) / canvas->w : 0;
   return pixels;
}

int top(const std::vector<int> &ink)
{
   return *std::min_element(ink.begin(), ink.end(), [](int a, int b) { return (a ? a : 999) < (b ? b : 999); });
}
int bottom(const std::vector<int> &ink)
{
   return *std::max_element(ink.begin(), ink.end());
}

TEST(StagedAssets, FontsAreMonochromeProportionalAndShareABaseline)
{
   set_uformat(U_ASCII);
   ASSERT_TRUE(kstr::test::open_test_window());
   std::vector<FontPtr> fonts;
   for (const char *file : {"gfx/toolkit_font.bmp", "gfx/toolkit_font_bold.bmp"}) {
      fonts.emplace_back(load_font(run_file(file).c_str(), nullptr, nullptr), destroy_font);
      ASSERT_TRUE(fonts.back()) << file;
   }
   EXPECT_EQ(text_height(fonts[1].get()), text_height(fonts[0].get()));
   EXPECT_GT(text_length(fonts[1].get(), "Kestrune"), text_length(fonts[0].get(), "Kestrune"));
   for (const FontPtr &font : fonts) {
      FONT *f = font.get();
      EXPECT_TRUE(is_mono_font(f));
      ASSERT_EQ(get_font_ranges(f), 1);
      // The 8-bit text, then Latin Extended-A at its own code points.
      EXPECT_EQ(std::pair(get_font_range_begin(f, 0), get_font_range_end(f, 0)), std::pair(32, 0x17F));
      EXPECT_GE(text_height(f), 12);
      EXPECT_LE(text_height(f), 15);
      EXPECT_LT(text_length(f, "i"), text_length(f, "W"));
      EXPECT_GT(text_length(f, " "), 0);
      // x and H stand on one baseline, g reaches below it, the accent of
      // E acute (byte 0xC9) above E but inside the line.
      EXPECT_EQ(bottom(draw(f, "x")), bottom(draw(f, "H")));
      EXPECT_GT(top(draw(f, "x")), top(draw(f, "H")));
      EXPECT_GT(bottom(draw(f, "g")), bottom(draw(f, "H")));
      EXPECT_LT(top(draw(f, "\xC9")), top(draw(f, "E")));
      EXPECT_EQ(bottom(draw(f, "\xC9")), bottom(draw(f, "E")));
      // Characters missing from a font are drawn as '^': the upper bytes have their own.
      for (const char *text : {"\xE9", "\xDF", "\xA9", "\xFF", "\x80", "\x93"}) {
         EXPECT_NE(draw(f, text), draw(f, "^")) << static_cast<int>(static_cast<unsigned char>(text[0]));
         EXPECT_GT(bottom(draw(f, text)), 0) << static_cast<int>(static_cast<unsigned char>(text[0]));
      }
   }
}

// The letters past byte 255 (Polish, Czech and the rest of Latin
// Extended-A) are the face's own glyphs for those code points, drawn by
// Allegro from Unicode text, on the line of the 8-bit text.
TEST(StagedAssets, LatinExtendedALettersAreTheFacesGlyphs)
{
   set_uformat(U_ASCII);
   ASSERT_TRUE(kstr::test::open_test_window());
   const struct {
      const char *file, *face;
   } fonts[] = {
      {"gfx/toolkit_font.bmp", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"},
      {"gfx/toolkit_font_bold.bmp", "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"},
   };
   // Polish in both cases, Czech carons, l with acute (taller than the line).
   const std::u16string letters = u"\u0104\u0105\u0106\u0107\u0118\u0119\u0141\u0142\u0143\u0144\u015A\u015B"
                                  u"\u0179\u017A\u017B\u017C\u010C\u0161\u0158\u016F\u013A\u0100\u017F";
   for (const auto &font : fonts) {
      SCOPED_TRACE(font.file);
      FontPtr loaded(load_font(run_file(font.file).c_str(), nullptr, nullptr), destroy_font);
      ASSERT_TRUE(loaded);
      const kstr::tools::FreeTypeFace face(font.face, 11);
      std::vector<kstr::tools::GlyphImage> eight_bit;
      for (int byte = 32; byte <= 255; byte++)
         eight_bit.push_back(face.render(kstr::tools::code_point(byte), kstr::tools::Rendering::mono));
      const kstr::tools::LineMetrics line = kstr::tools::line_for(eight_bit);
      ASSERT_EQ(text_height(loaded.get()), line.height());
      for (const char16_t letter : letters) {
         const kstr::tools::GlyphCell cell =
            kstr::tools::cell_for(face.render(letter, kstr::tools::Rendering::mono), line, kstr::tools::Overflow::cut);
         const char16_t text[] = {letter, 0};
         set_uformat(U_UNICODE);
         const int width = text_length(loaded.get(), reinterpret_cast<const char *>(text));
         BitmapPtr canvas(create_bitmap(width + 2, line.height()));
         clear_to_color(canvas.get(), 0);
         textout_ex(canvas.get(), loaded.get(), reinterpret_cast<const char *>(text), 0, 0, 1, -1);
         set_uformat(U_ASCII);
         ASSERT_EQ(width, cell.width) << "U+" << std::hex << static_cast<int>(letter);
         int ink = 0;
         for (int y = 0; y < line.height(); y++)
            for (int x = 0; x < cell.width; x++) {
               ink += cell.at(x, y);
               EXPECT_EQ(getpixel(canvas.get(), x, y) == 1, cell.at(x, y))
                  << "U+" << std::hex << static_cast<int>(letter) << std::dec << " pixel " << x << "," << y;
            }
         EXPECT_GT(ink, 4) << "U+" << std::hex << static_cast<int>(letter);
      }
   }
}

// A solid block of ink, `width` x `rows`, `top` rows above the baseline.
kstr::tools::GlyphImage block(int left, int width, int top, int rows, int advance)
{
   return {width, rows, left, top, advance, std::vector<uint8_t>(static_cast<size_t>(width * rows), 255)};
}

// Cells of varying widths, one reaching left of the pen and below the
// baseline, over several grid rows: Allegro reads each back pixel for pixel.
TEST(FontGrid, AllegroReadsBackEveryCellAsAMonochromeGlyph)
{
   ASSERT_TRUE(kstr::test::start_allegro());
   const kstr::tools::LineMetrics line{8, 3};
   std::vector<kstr::tools::GlyphCell> cells = {kstr::tools::cell_for(block(-1, 3, 2, 3, 3), line)};
   EXPECT_EQ(cells[0].width, 4);
   EXPECT_TRUE(cells[0].at(0, 6) && cells[0].at(2, 8) && !cells[0].at(3, 8));
   for (int i = 1; i < 40; i++)
      cells.push_back(kstr::tools::cell_for(block(0, 1 + i % 7, 8 - i % 5, 3, 2 + i % 7), line));
   const BitmapPtr grid = kstr::tools::draw_font_grid(cells, line.height(), 16);
   FontPtr font(grab_font_from_bitmap(grid.get()), destroy_font);
   ASSERT_TRUE(font);
   EXPECT_TRUE(is_mono_font(font.get()));
   EXPECT_EQ(text_height(font.get()), line.height());
   EXPECT_EQ(std::pair(get_font_range_begin(font.get(), 0), get_font_range_end(font.get(), 0)), std::pair(32, 71));
   const BitmapPtr canvas = kstr::tools::make_bitmap(8, 16, line.height());
   for (size_t i = 0; i < cells.size(); i++) {
      const char text[] = {static_cast<char>(32 + i), 0};
      ASSERT_EQ(text_length(font.get(), text), cells[i].width) << "cell " << i;
      clear_to_color(canvas.get(), 0);
      textout_ex(canvas.get(), font.get(), text, 0, 0, 1, -1);
      for (int y = 0; y < line.height(); y++)
         for (int x = 0; x < cells[i].width; x++)
            ASSERT_EQ(getpixel(canvas.get(), x, y) == 1, cells[i].at(x, y))
               << "cell " << i << " pixel " << x << "," << y;
   }
}

}

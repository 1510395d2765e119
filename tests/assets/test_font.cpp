// The toolkit's two fonts as the program loads them: 8-bit text, a 16-bit
// screen, load_font on the generated grid files.
#include "allegro_env.h"
#include "run_folder.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

using kstr::test::FontPtr;
using kstr::test::InkBox;

const char *const font_files[] = {"gfx/toolkit_font.bmp", "gfx/toolkit_font_bold.bmp"};

FontPtr load(const char *relative)
{
   FontPtr font(load_font(kstr::test::run_file(relative).c_str(), nullptr, nullptr));
   EXPECT_TRUE(font) << "cannot load " << kstr::test::run_file(relative);
   return font;
}

class ToolkitFont : public ::testing::Test {
protected:
   void SetUp() override
   {
      set_uformat(U_ASCII);
      ASSERT_TRUE(kstr::test::open_test_window());
      regular = load(font_files[0]);
      bold = load(font_files[1]);
      ASSERT_TRUE(regular && bold);
   }

   // Ink of `text` drawn in `colour` at the top left of a grey bitmap as
   // tall as the font's line.
   InkBox ink(FONT *font, const std::string &text, int colour = makecol(0, 0, 0))
   {
      kstr::test::BitmapPtr canvas(create_bitmap(text_length(font, text.c_str()) + 4, text_height(font)));
      clear_to_color(canvas.get(), makecol(192, 192, 192));
      textout_ex(canvas.get(), font, text.c_str(), 0, 0, colour, -1);
      return kstr::test::ink_box(canvas.get(), colour);
   }

   FontPtr regular;
   FontPtr bold;
};

TEST_F(ToolkitFont, BothAreMonochromeAndCoverBytes32To255)
{
   for (FONT *font : {regular.get(), bold.get()}) {
      EXPECT_TRUE(is_mono_font(font));
      ASSERT_EQ(get_font_ranges(font), 1);
      EXPECT_EQ(get_font_range_begin(font, 0), 32);
      EXPECT_EQ(get_font_range_end(font, 0), 255);
   }
}

TEST_F(ToolkitFont, LinesAreTwelveToFifteenPixelsAndEqualInBold)
{
   EXPECT_GE(text_height(regular.get()), 12);
   EXPECT_LE(text_height(regular.get()), 15);
   EXPECT_EQ(text_height(bold.get()), text_height(regular.get()));
}

TEST_F(ToolkitFont, WidthsAreProportional)
{
   for (FONT *font : {regular.get(), bold.get()}) {
      EXPECT_LT(text_length(font, "i"), text_length(font, "W"));
      EXPECT_LT(text_length(font, "l"), text_length(font, "m"));
      EXPECT_GT(text_length(font, " "), 0);
      EXPECT_EQ(text_length(font, "mmmm"), 4 * text_length(font, "m"));
      std::set<int> widths;
      for (char c = 'A'; c <= 'z'; c++)
         widths.insert(text_length(font, std::string(1, c).c_str()));
      EXPECT_GE(widths.size(), 5u);
   }
   EXPECT_GT(text_length(bold.get(), "Kestrune"), text_length(regular.get(), "Kestrune"));
}

TEST_F(ToolkitFont, DrawsExactlyTheAskedColourOverTheBackground)
{
   kstr::test::BitmapPtr canvas(create_bitmap(80, text_height(regular.get())));
   const int grey = makecol(192, 192, 192);
   for (const int colour : {makecol(255, 0, 0), makecol(0, 0, 255), makecol(255, 255, 255)}) {
      clear_to_color(canvas.get(), grey);
      textout_ex(canvas.get(), regular.get(), "Hg", 0, 0, colour, -1);
      int ink = 0;
      for (int y = 0; y < canvas->h; y++) {
         for (int x = 0; x < canvas->w; x++) {
            const int pixel = getpixel(canvas.get(), x, y);
            ASSERT_TRUE(pixel == grey || pixel == colour) << "pixel " << x << "," << y;
            ink += pixel == colour;
         }
      }
      EXPECT_GT(ink, 10);
   }
}

TEST_F(ToolkitFont, GlyphsShareABaselineAndAccentsFitTheLine)
{
   for (FONT *font : {regular.get(), bold.get()}) {
      const InkBox capital = ink(font, "H");
      const InkBox small = ink(font, "x");
      const InkBox descender = ink(font, "g");
      ASSERT_FALSE(capital.empty() || small.empty() || descender.empty());
      EXPECT_EQ(small.bottom, capital.bottom);
      EXPECT_GT(small.top, capital.top);
      EXPECT_GT(descender.bottom, capital.bottom);

      // E with acute (byte 0xC9): the accent sits above the capital, inside
      // the line.
      const InkBox plain = ink(font, "E");
      const InkBox accented = ink(font, "\xC9");
      ASSERT_FALSE(accented.empty());
      EXPECT_LT(accented.top, plain.top);
      EXPECT_GE(accented.top, 0);
      EXPECT_EQ(accented.bottom, plain.bottom);
   }
}

TEST_F(ToolkitFont, UpperBytesHaveGlyphsOfTheirOwn)
{
   // A character missing from a font is drawn as '^'; the upper half of the
   // 8-bit set has real letters and signs instead.
   const auto picture = [&](const char *text) {
      kstr::test::BitmapPtr canvas(create_bitmap(24, text_height(regular.get())));
      clear_to_color(canvas.get(), 0);
      textout_ex(canvas.get(), regular.get(), text, 0, 0, 1, -1);
      std::vector<int> pixels;
      for (int y = 0; y < canvas->h; y++)
         for (int x = 0; x < canvas->w; x++)
            pixels.push_back(getpixel(canvas.get(), x, y));
      return pixels;
   };
   const std::vector<int> caret = picture("^");
   for (const char *text : {"\xE9", "\xDF", "\xA9", "\xFF", "\x80", "\x93"}) {
      const std::vector<int> pixels = picture(text);
      EXPECT_NE(pixels, caret) << "byte " << static_cast<int>(static_cast<unsigned char>(text[0]));
      EXPECT_NE(std::count(pixels.begin(), pixels.end(), 1), 0);
   }
}

}

// Every icon, the logo and both fonts on the light grey of the default
// scheme, at double size, saved as screenshots/asset_sheet.bmp for a person
// to look at. Drawing them masked must leave the grey showing wherever an
// icon is transparent.
#include "allegro_env.h"
#include "run_folder.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <string>

namespace {

using kstr::test::BitmapPtr;

const char *const icon_files[] = {
   "gfx/menu.bmp", "gfx/x.bmp",   "gfx/prev.bmp",   "gfx/play.bmp",  "gfx/pause.bmp", "gfx/stop.bmp",
   "gfx/next.bmp", "gfx/add.bmp", "gfx/newpl.bmp",  "gfx/config.bmp", "gfx/about.bmp", "gfx/open.bmp",
};
const char *const selector_icons[] = {"mkdatadir", "datadir", "makedir", "updir", "uparrow", "isdirectory"};

// Draws `icon` at twice its size and checks every screen pixel it covers.
void draw_checked(BITMAP *icon, int x0, int y0, const std::string &name)
{
   const int grey = makecol(192, 192, 192);
   const int mask = bitmap_mask_color(icon);
   stretch_sprite(screen, icon, x0, y0, icon->w * 2, icon->h * 2);
   int wrong = 0;
   for (int y = 0; y < icon->h * 2; y++) {
      for (int x = 0; x < icon->w * 2; x++) {
         const int source = getpixel(icon, x / 2, y / 2);
         wrong += getpixel(screen, x0 + x, y0 + y) != (source == mask ? grey : source);
      }
   }
   EXPECT_EQ(wrong, 0) << name;
}

TEST(AssetSheet, IconsLogoAndTextOverLightGreyAtDoubleSize)
{
   set_uformat(U_ASCII);
   ASSERT_TRUE(kstr::test::open_test_window());
   clear_to_color(screen, makecol(192, 192, 192));

   int x = 8;
   for (const char *file : icon_files) {
      BitmapPtr icon(load_bitmap(kstr::test::run_file(file).c_str(), nullptr));
      ASSERT_TRUE(icon) << file;
      draw_checked(icon.get(), x, 8, file);
      x += 40;
   }
   x = 8;
   const std::string datafile = kstr::test::run_file("kesicons.dat");
   for (const char *name : selector_icons) {
      kstr::test::DatafileObjectPtr object(load_datafile_object(datafile.c_str(), name));
      ASSERT_TRUE(object) << name;
      draw_checked(static_cast<BITMAP *>(object->dat), x, 56, name);
      x += 40;
   }

   BitmapPtr logo(load_bitmap(kstr::test::run_file("gfx/logo.bmp").c_str(), nullptr));
   ASSERT_TRUE(logo);
   draw_checked(logo.get(), 8, 104, "logo");

   int y = 240;
   for (const char *file : {"gfx/toolkit_font.bmp", "gfx/toolkit_font_bold.bmp"}) {
      kstr::test::FontPtr font(load_font(kstr::test::run_file(file).c_str(), nullptr, nullptr));
      ASSERT_TRUE(font) << file;
      const char *lines[] = {"Kestrune 1.00b - Add song, New playlist, Load, Save",
                             "04 - Bj\xF6rk_J\xF3ga (Remix) [192kbps].mp3",
                             "Gr\xF6\xDF" "e 12,5 MB \x95 \xAB" "D\xE9j\xE0 vu\xBB \x96 \xA9 1999"};
      for (const char *line : lines) {
         textout_ex(screen, font.get(), line, 8, y, makecol(0, 0, 0), -1);
         y += text_height(font.get()) + 2;
      }
      // A line at double size, as a person would zoom in.
      const char *zoomed = "Kestrune 1.00b - Add song, Load";
      BitmapPtr text(create_bitmap(text_length(font.get(), zoomed), text_height(font.get())));
      clear_to_color(text.get(), bitmap_mask_color(text.get()));
      textout_ex(text.get(), font.get(), zoomed, 0, 0, makecol(0, 0, 0), -1);
      stretch_sprite(screen, text.get(), 8, y, text->w * 2, text->h * 2);
      y += text->h * 2 + 12;
   }
   EXPECT_FALSE(kstr::test::save_screenshot("asset_sheet").empty());
}

}

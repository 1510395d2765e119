// The icon bitmaps, the logo and the icon datafile, loaded as the program
// loads them after setting a 16-bit screen mode.
#include "allegro_env.h"
#include "run_folder.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kstr::test::BitmapPtr;
using kstr::test::DatafileObjectPtr;

const char *const main_window_icons[] = {"config", "play", "stop", "prev", "next", "pause",
                                         "about",  "open", "x",    "menu", "add",  "newpl"};
const char *const selector_icons[] = {"mkdatadir", "datadir", "makedir", "updir", "uparrow", "isdirectory"};

std::vector<int> pixels_of(BITMAP *bitmap)
{
   std::vector<int> pixels;
   for (int y = 0; y < bitmap->h; y++)
      for (int x = 0; x < bitmap->w; x++)
         pixels.push_back(getpixel(bitmap, x, y));
   return pixels;
}

void expect_icon(BITMAP *bitmap, const std::string &name)
{
   EXPECT_EQ(bitmap->w, 16) << name;
   EXPECT_EQ(bitmap->h, 16) << name;
   const kstr::test::PixelCount count = kstr::test::count_pixels(bitmap);
   EXPECT_GT(count.transparent, 0) << name;
   EXPECT_GT(count.opaque, 16) << name;
}

class IconFiles : public ::testing::Test {
protected:
   void SetUp() override { ASSERT_TRUE(kstr::test::open_test_window()); }
};

TEST_F(IconFiles, MainWindowIconsAreDistinct16x16PicturesWithTransparentSurroundings)
{
   std::vector<std::vector<int>> seen;
   for (const char *name : main_window_icons) {
      const std::string path = kstr::test::run_file(std::string("gfx/") + name + ".bmp");
      BitmapPtr icon(load_bitmap(path.c_str(), nullptr));
      ASSERT_TRUE(icon) << "cannot load " << path;
      EXPECT_EQ(bitmap_color_depth(icon.get()), 16) << name;
      expect_icon(icon.get(), name);
      for (const auto &other : seen)
         EXPECT_NE(pixels_of(icon.get()), other) << name << " repeats an earlier icon";
      seen.push_back(pixels_of(icon.get()));
   }
}

TEST_F(IconFiles, LogoIs200x60WithRoundedTransparentCorners)
{
   BitmapPtr logo(load_bitmap(kstr::test::run_file("gfx/logo.bmp").c_str(), nullptr));
   ASSERT_TRUE(logo);
   ASSERT_EQ(logo->w, 200);
   ASSERT_EQ(logo->h, 60);
   const int mask = bitmap_mask_color(logo.get());
   for (const auto &[x, y] : {std::pair{0, 0}, {199, 0}, {0, 59}, {199, 59}})
      EXPECT_EQ(getpixel(logo.get(), x, y), mask) << x << "," << y;
   const kstr::test::PixelCount count = kstr::test::count_pixels(logo.get());
   EXPECT_GT(count.opaque, 200 * 60 * 9 / 10);
   // The lettering is white.
   int white = 0;
   for (int x = 0; x < 200; x++)
      for (int y = 0; y < 60; y++)
         white += getpixel(logo.get(), x, y) == makecol(255, 255, 255);
   EXPECT_GT(white, 200);
}

class IconDatafile : public ::testing::Test {
protected:
   void SetUp() override { ASSERT_TRUE(kstr::test::open_test_window()); }
   std::string path = kstr::test::run_file("kesicons.dat");
};

TEST_F(IconDatafile, HoldsTheSixSelectorIconsAsDistinctBitmapsByName)
{
   std::vector<std::vector<int>> seen;
   for (const char *name : selector_icons) {
      DatafileObjectPtr object(load_datafile_object(path.c_str(), name));
      ASSERT_TRUE(object) << name << " not in " << path;
      ASSERT_EQ(object->type, DAT_BITMAP) << name;
      BITMAP *icon = static_cast<BITMAP *>(object->dat);
      expect_icon(icon, name);
      for (const auto &other : seen)
         EXPECT_NE(pixels_of(icon), other) << name << " repeats an earlier icon";
      seen.push_back(pixels_of(icon));
   }
}

TEST_F(IconDatafile, AnUnknownNameLoadsNothing)
{
   EXPECT_FALSE(DatafileObjectPtr(load_datafile_object(path.c_str(), "nosuchicon")));
   EXPECT_FALSE(DatafileObjectPtr(load_datafile_object(path.c_str(), "updir.bmp")));
}

}

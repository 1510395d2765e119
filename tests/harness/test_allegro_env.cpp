#include "allegro_env.h"
#include "temp_dir.h"

#include <allegro.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

using kstr::test::Rgb;

TEST(AllegroEnv, StartsTwiceAndReadsPrivateConfiguration)
{
   ASSERT_TRUE(kstr::test::start_allegro("[sound]\ndigi_card = 0\n[kstr]\nanswer = 42\n"));
   EXPECT_EQ(get_config_int("kstr", "answer", 0), 42);
   ASSERT_TRUE(kstr::test::start_allegro());
   EXPECT_EQ(get_config_int("kstr", "answer", 0), 42) << "a bare second call keeps the configuration";
   ASSERT_TRUE(kstr::test::start_allegro("[kstr]\nanswer = 7\n"));
   EXPECT_EQ(get_config_int("kstr", "answer", 0), 7);
}

TEST(AllegroEnv, ConfigurationWritesStayInThePrivateFile)
{
   const auto cwd_cfg = std::filesystem::current_path() / "allegro.cfg";
   const bool existed = std::filesystem::exists(cwd_cfg);
   ASSERT_TRUE(kstr::test::start_allegro());
   set_config_string("kstr", "written", "yes");
   flush_config_file();
   const std::string path = kstr::test::allegro_config_path();
   ASSERT_FALSE(path.empty());
   EXPECT_NE(kstr::test::read_file(path).find("written = yes"), std::string::npos);
   EXPECT_NE(std::filesystem::path(path).parent_path(), std::filesystem::current_path());
   EXPECT_EQ(std::filesystem::exists(cwd_cfg), existed);
}

TEST(AllegroEnv, WithoutDisplayReportsWhy)
{
   unsetenv("DISPLAY");
   EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(kstr::test::start_allegro()), "DISPLAY is not set");
}

TEST(AllegroEnv, DefaultWindowIs640x580At16BitsAndPixelsReadBack)
{
   ASSERT_TRUE(kstr::test::open_test_window());
   EXPECT_EQ(SCREEN_W, 640);
   EXPECT_EQ(SCREEN_H, 580);
   EXPECT_EQ(bitmap_color_depth(screen), 16);

   // Full and empty channels survive 5-6-5 packing exactly.
   clear_to_color(screen, makecol(0, 0, 0));
   putpixel(screen, 10, 20, makecol(255, 0, 255));
   putpixel(screen, 639, 579, makecol(0, 255, 0));
   EXPECT_EQ(kstr::test::screen_pixel(10, 20), (Rgb{255, 0, 255}));
   EXPECT_EQ(kstr::test::screen_pixel(639, 579), (Rgb{0, 255, 0}));
   EXPECT_EQ(kstr::test::screen_pixel(11, 20), (Rgb{0, 0, 0}));
}

TEST(AllegroEnv, TrueColourWindowKeepsEveryChannelValue)
{
   ASSERT_TRUE(kstr::test::open_test_window(320, 200, 32));
   EXPECT_EQ(SCREEN_W, 320);
   EXPECT_EQ(bitmap_color_depth(screen), 32);
   putpixel(screen, 5, 6, makecol(12, 134, 201));
   EXPECT_EQ(kstr::test::screen_pixel(5, 6), (Rgb{12, 134, 201}));
}

TEST(AllegroEnv, ScreenshotIsALoadableBitmapOfTheScreen)
{
   ASSERT_TRUE(kstr::test::open_test_window());
   clear_to_color(screen, makecol(0, 0, 255));
   putpixel(screen, 3, 4, makecol(255, 255, 255));
   const std::string path = kstr::test::save_screenshot("harness_screenshot");
   ASSERT_FALSE(path.empty());
   EXPECT_EQ(std::filesystem::path(path).parent_path(), std::filesystem::current_path() / "screenshots");

   PALETTE pal;
   BITMAP *shot = load_bitmap(path.c_str(), pal);
   ASSERT_NE(shot, nullptr);
   EXPECT_EQ(shot->w, 640);
   EXPECT_EQ(shot->h, 580);
   const int d = bitmap_color_depth(shot);
   const int corner = getpixel(shot, 0, 0);
   const int dot = getpixel(shot, 3, 4);
   EXPECT_EQ((Rgb{getr_depth(d, corner), getg_depth(d, corner), getb_depth(d, corner)}), (Rgb{0, 0, 255}));
   EXPECT_EQ((Rgb{getr_depth(d, dot), getg_depth(d, dot), getb_depth(d, dot)}), (Rgb{255, 255, 255}));
   destroy_bitmap(shot);
}

}

#include "allegro_env.h"
#include "temp_dir.h"

#include <allegro.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <tuple>
#include <utility>

namespace {

using kstr::test::Rgb;
namespace fs = std::filesystem;

TEST(AllegroEnv, StartsTwiceAndKeepsItsConfigurationPrivate)
{
   const bool existed = fs::exists("allegro.cfg");
   ASSERT_TRUE(kstr::test::start_allegro("[kstr]\nanswer = 42\n"));
   EXPECT_EQ(get_config_int("kstr", "answer", 0), 42);
   ASSERT_TRUE(kstr::test::start_allegro());
   EXPECT_EQ(get_config_int("kstr", "answer", 0), 42) << "a bare second call keeps the configuration";
   ASSERT_TRUE(kstr::test::start_allegro("[kstr]\nanswer = 7\n"));
   EXPECT_EQ(get_config_int("kstr", "answer", 0), 7);
   set_config_string("kstr", "written", "yes");
   flush_config_file();
   const std::string path = kstr::test::allegro_config_path();
   EXPECT_NE(kstr::test::read_file(path).find("written = yes"), std::string::npos) << path;
   EXPECT_NE(fs::path(path).parent_path(), fs::current_path());
   EXPECT_EQ(fs::exists("allegro.cfg"), existed);
}

TEST(AllegroEnv, WithoutDisplayReportsWhy)
{
   unsetenv("DISPLAY");
   EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(kstr::test::start_allegro()), "DISPLAY is not set");
}

TEST(AllegroEnv, WindowsReadBackTheirPixelsAndScreenshotsLoad)
{
   // The default: 640 x 580 at 16 bits, where full and empty channels survive 5-6-5 packing.
   ASSERT_TRUE(kstr::test::open_test_window());
   EXPECT_EQ(std::pair(SCREEN_W, SCREEN_H), std::pair(640, 580));
   EXPECT_EQ(bitmap_color_depth(screen), 16);
   clear_to_color(screen, makecol(0, 0, 255));
   putpixel(screen, 3, 4, makecol(255, 0, 255));
   putpixel(screen, 639, 579, makecol(0, 255, 0));
   for (auto [x, y, colour] : {std::tuple{3, 4, Rgb{255, 0, 255}}, {639, 579, Rgb{0, 255, 0}}, {4, 4, Rgb{0, 0, 255}}})
      EXPECT_EQ(kstr::test::screen_pixel(x, y), colour) << x << "," << y;

   const std::string path = kstr::test::save_screenshot("harness_screenshot");
   EXPECT_EQ(fs::path(path).parent_path(), fs::current_path() / "screenshots");
   BITMAP *shot = load_bitmap(path.c_str(), nullptr);
   ASSERT_NE(shot, nullptr);
   EXPECT_EQ(std::pair(shot->w, shot->h), std::pair(640, 580));
   const int d = bitmap_color_depth(shot), dot = getpixel(shot, 3, 4);
   EXPECT_EQ((Rgb{getr_depth(d, dot), getg_depth(d, dot), getb_depth(d, dot)}), (Rgb{255, 0, 255}));
   destroy_bitmap(shot);
}

}

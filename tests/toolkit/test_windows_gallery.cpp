#include "toolkit/gallery/gallery_window.h"
#include "toolkit_test_support.h"

#include <allegro.h>

#include <cstdlib>

namespace {

using kstr::test::Rgb;

TEST(WindowsGallery, BuildsItsWindowAndSavesAScreenshot)
{
   kstr::test::ToolkitSession session;
   ASSERT_TRUE(session.ok);
   position_mouse(SCREEN_W / 2, SCREEN_H / 2);
   const int window = BuildGalleryWindow(std::getenv("KSTR_RUN_DIR"));
   ASSERT_GT(window, 0);
   show_mouse(nullptr);
   EXPECT_FALSE(kstr::test::save_screenshot("toolkit_gallery").empty());
}

}

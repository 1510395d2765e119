// Named images, icon files, the icon datafile and the mouse cursors.
#include "draw/draw.h"
#include "draw/images.h"
#include "temp_dir.h"
#include "toolkit/controls/sample_box.h"
#include "toolkit_test_support.h"
#include "windows/mouse_cursors.h"

#include <allegro.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

using kstr::test::Rgb;

BITMAP *Filled(int w, int h, int r, int g, int b)
{
   BITMAP *bmp = create_bitmap(w, h);
   clear_to_color(bmp, makecol(r, g, b));
   return bmp;
}

std::string SaveBmp(const kstr::test::TempDir &dir, const char *name, int w, int h)
{
   BITMAP *b = Filled(w, h, 200, 100, 0);
   EXPECT_EQ(save_bitmap(dir.file(name).c_str(), b, nullptr), 0);
   destroy_bitmap(b);
   return dir.file(name);
}

std::set<std::string> DesktopImageNames()
{
   std::set<std::string> names;
   for (const auto &e : Desktop()->images)
      names.insert(e->name);
   return names;
}

class Images : public ::testing::Test {
 protected:
   kstr::test::ToolkitSession session;
   kstr::test::TempDir dir;
   void SetUp() override { ASSERT_TRUE(session.ok); }
};

TEST_F(Images, WindowImageShadowsTheDesktopsOnlyInsideThatWindow)
{
   ASSERT_TRUE(RegisterImage(Filled(4, 4, 255, 0, 0), "shade", 1, 0));
   position_mouse(150, 150);
   const int inside_window = MakeWindow(0, AUTO, "", WINDOW_NOT_MODAL);
   ASSERT_TRUE(RegisterImage(Filled(6, 6, 0, 255, 0), "shade", 1, inside_window));
   const int group = BeginGroupBox(PLACE_FIRST, AUTO, 0, AUTO, "", GROUP_TITLE_IN_FRAME);
   const int inside = PlaceSampleBox(PLACE_FIRST, AUTO, "#shade;", SAMPLE_PLAIN, 0, 0);
   EndGroupBox();
   PresentWindow();
   position_mouse(450, 400);
   ASSERT_GT(MakeWindow(0, AUTO, "", WINDOW_NOT_MODAL), 0);
   const int elsewhere = PlaceSampleBox(PLACE_FIRST, AUTO, "#  shade", SAMPLE_PLAIN, 0, 0);  // to the end
   // Removing the desktop's image leaves the control showing it intact.
   ASSERT_TRUE(RegisterImage(nullptr, "shade", 1, 0));
   EXPECT_EQ(FindImage(Desktop(), "shade"), nullptr);
   EXPECT_FALSE(RegisterImage(Filled(1, 1, 0, 0, 0), "orphan", 1, 9999)) << "no such owner";
   PresentWindow();

   ASSERT_NE(LookupControl(inside)->icon, nullptr);
   EXPECT_EQ(LookupControl(inside)->icon->width, 6) << "found in an enclosing container";
   ASSERT_NE(LookupControl(elsewhere)->icon, nullptr);
   EXPECT_EQ(LookupControl(elsewhere)->icon->width, 4);
   EXPECT_EQ(LookupControl(elsewhere)->icon_name, "shade") << "leading spaces are skipped";
   EXPECT_EQ(FindImage(LookupControl(group)->container, "Shade"), nullptr) << "names are case-sensitive";

   show_mouse(nullptr);
   const auto centre = [](int id) {
      const kstr::test::Rect r = kstr::test::screen_rect_of(id);
      return kstr::test::screen_pixel((r.x1 + r.x2) / 2, (r.y1 + r.y2) / 2);
   };
   EXPECT_EQ(centre(inside), (Rgb{0, 255, 0}));
   EXPECT_EQ(centre(elsewhere), (Rgb{255, 0, 0}));
}

// The datafile is made by the dat tool and holds only "updir" and "uparrow".
TEST_F(Images, IconFilesAndDatafilesRegisterWhatTheyHoldOrNothing)
{
   const std::string path = SaveBmp(dir, "updir.bmp", 16, 12);
   SaveBmp(dir, "uparrow.bmp", 8, 8);
   const std::string datafile = dir.file("icons.dat");
   const std::string dat = "cd '" + dir.path().string() + "' && dat ";
   ASSERT_EQ(std::system((dat + "-bpp 16 icons.dat -t BMP -a updir.bmp uparrow.bmp >/dev/null").c_str()), 0);
   ASSERT_EQ(std::system((dat + "icons.dat UPDIR_BMP NAME=updir >/dev/null").c_str()), 0);
   ASSERT_EQ(std::system((dat + "icons.dat UPARROW_BMP NAME=uparrow >/dev/null").c_str()), 0);
   const std::string garbage = dir.write("garbage.bmp", "BM not really a bitmap");

   const auto before = DesktopImageNames();
   EXPECT_EQ(LoadIconFile(dir.file("missing.bmp").c_str(), "a", 1, 0), -1);
   EXPECT_EQ(LoadIconFile(garbage.c_str(), "b", 1, 0), -1);
   EXPECT_EQ(LoadIconFile(dir.file("missing.dat#updir").c_str(), "c", 1, 0), -1);
   EXPECT_EQ(LoadIconFile((datafile + "#makedir").c_str(), "d", 1, 0), -1);
   EXPECT_EQ(LoadIconFile(nullptr, "e", 1, 0), -1);
   EXPECT_EQ(LoadIconFile(path.c_str(), "f", 1, 4242), -1) << "no such owner";
   EXPECT_EQ(LoadIconDatafile(dir.file("nothing.dat").c_str()), -1);
   EXPECT_EQ(DesktopImageNames(), before);

   EXPECT_EQ(LoadIconDatafile(datafile.c_str()), 2);
   auto added = DesktopImageNames();
   for (const auto &name : before)
      added.erase(name);
   ASSERT_EQ(added, (std::set<std::string>{"fb42_updir", "fb42_uparrow"}));
   EXPECT_EQ(FindImage(Desktop(), "fb42_updir")->height, 12);
   EXPECT_EQ(LoadIconFile((datafile + "#uparrow").c_str(), "arrow", 1, 0), 0);
   ASSERT_NE(FindImage(Desktop(), "arrow"), nullptr);
   EXPECT_EQ(FindImage(Desktop(), "arrow")->width, 8) << "a file#object path reaches one object";

   EXPECT_EQ(LoadIconFile(path.c_str(), "fileicon", 1, 0), 0);
   const auto e = FindImage(Desktop(), "fileicon");
   ASSERT_NE(e, nullptr);
   EXPECT_EQ(e->width, 16);
   EXPECT_EQ(e->kind, 1);
   ASSERT_GT(MakeWindow(0, AUTO, "", 0), 0);
   const int box = PlaceSampleBox(PLACE_FIRST, AUTO, "", SAMPLE_PLAIN, 10, 10);
   EXPECT_EQ(LoadIconFile(path.c_str(), "local", 0, box), TopWindow()->client->self->id);
   EXPECT_NE(FindImage(TopWindow()->client, "local"), nullptr);
   EXPECT_EQ(FindImage(Desktop(), "local"), nullptr);
   PresentWindow();
}

TEST_F(Images, BuiltInCursorsAndUseMouseCursorTwiceChangingThePointerOnce)
{
   for (int n = 0; n < CURSOR_COUNT; ++n) {
      const auto e = FindImage(Desktop(), ("cursor42_" + std::to_string(n)).c_str());
      ASSERT_NE(e, nullptr) << n;
      EXPECT_EQ(bitmap_color_depth(e->image.get()), bitmap_color_depth(screen));
   }
   EXPECT_EQ(CurrentMouseCursor(), CURSOR_ARROW);
   UseMouseCursor(CURSOR_BUSY);
   ASSERT_NE(mouse_sprite, nullptr);
   EXPECT_EQ(mouse_sprite->h, FindImage(Desktop(), "cursor42_5")->height);
   // Hand the pointer Allegro's own arrow: a second call must leave it so.
   set_mouse_sprite(nullptr);
   BITMAP *foreign = mouse_sprite;
   UseMouseCursor(CURSOR_BUSY);
   EXPECT_EQ(mouse_sprite, foreign);
   UseMouseCursor(7);
   UseMouseCursor(-1);
   EXPECT_EQ(mouse_sprite, foreign) << "numbers outside 0-6 change nothing";
   EXPECT_EQ(CurrentMouseCursor(), CURSOR_BUSY);
   UseMouseCursor(CURSOR_RESIZE);
   EXPECT_NE(mouse_sprite, foreign);
}

TEST_F(Images, TextCursorIsCentredOnTheHotSpot)
{
   const int tw = text_length(font, ";)"), th = text_height(font);
   RestoreMouseCursor();  // no text cursor: nothing happens
   BITMAP *arrow = mouse_sprite;
   EXPECT_EQ(mouse_x_focus, 0);
   UseTextCursor(font, ";)");
   EXPECT_NE(mouse_sprite, arrow);
   EXPECT_EQ(mouse_x_focus, tw / 2) << "the arrow's hot spot is its tip";
   EXPECT_EQ(mouse_y_focus, th / 2);
   // The arrow starts at the hot spot, so ink left of it is the text's.
   int ink_left_of_hot_spot = 0;
   for (int y = 0; y < th; ++y)
      for (int x = 0; x < mouse_x_focus; ++x)
         ink_left_of_hot_spot += getpixel(mouse_sprite, x, y) != bitmap_mask_color(mouse_sprite);
   EXPECT_GT(ink_left_of_hot_spot, 0);

   UseMouseCursor(CURSOR_BUSY);  // rebuilt with the busy pointer
   EXPECT_EQ(mouse_x_focus, std::max(6, tw / 2));
   EXPECT_EQ(mouse_y_focus, std::max(8, th / 2));

   RestoreMouseCursor();
   EXPECT_EQ(mouse_sprite->w, FindImage(Desktop(), "cursor42_5")->width);
   EXPECT_EQ(mouse_x_focus, 6);
   EXPECT_EQ(mouse_y_focus, 8);
   set_mouse_sprite(nullptr);
   BITMAP *foreign = mouse_sprite;
   RestoreMouseCursor();
   EXPECT_EQ(mouse_sprite, foreign);
}

TEST_F(Images, EightBitCursorImagesKeepTheirMaskAtEveryDepth)
{
   BITMAP *eight = create_bitmap_ex(8, 3, 2);
   clear_to_color(eight, 0);  // the 8-bit transparent colour
   putpixel(eight, 1, 1, 255);
   PALETTE pal;
   get_palette(pal);
   pal[255] = RGB{63, 0, 63, 0};  // magenta that is not the mask
   set_palette(pal);
   for (int depth : {15, 16, 24, 32}) {
      BitmapPtr deep = ConvertToDepth(eight, depth);
      ASSERT_TRUE(deep);
      EXPECT_EQ(bitmap_color_depth(deep.get()), depth);
      EXPECT_EQ(getpixel(deep.get(), 0, 0), bitmap_mask_color(deep.get())) << depth;
      EXPECT_EQ(getpixel(deep.get(), 1, 1), makecol_depth(depth, 255, 0, 255)) << depth;
   }
   // A replaced cursor image is used after a refresh, at the screen's depth.
   ASSERT_TRUE(RegisterImage(eight, "cursor42_4", 1, 0));
   RefreshCursorTable();
   UseMouseCursor(CURSOR_RESIZE);
   ASSERT_NE(mouse_sprite, nullptr);
   EXPECT_EQ(mouse_sprite->w, 3);
   EXPECT_EQ(bitmap_color_depth(mouse_sprite), bitmap_color_depth(screen));
   EXPECT_EQ(getpixel(mouse_sprite, 0, 0), bitmap_mask_color(mouse_sprite));
}

}

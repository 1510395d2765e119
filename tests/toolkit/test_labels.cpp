// Label and tooltip texts: lines, hot keys, image references.
#include "toolkit/draw.h"
#include "toolkit/gallery/sample_box.h"
#include "toolkit_test_support.h"

#include <allegro.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// A control outside any container: labels parse without images.
struct Loose {
   Control c{};
   explicit Loose(const char *label)
   {
      c.cls = &BaseControlClass();
      c.font = font;
      ParseLabel(&c, label);
   }
};

bool HasHotKey(const Control &c, int scan, int key)
{
   for (const HotKey &k : c.hotkeys)
      if (k.scan == scan && k.key == key)
         return true;
   return false;
}

TEST(Labels, LinesAndEscapes)
{
   EXPECT_EQ(Loose("Two_lines").c.text, (Lines{"Two", "lines"}));
   EXPECT_EQ(Loose("a__b").c.text, (Lines{"a_b"}));
   EXPECT_EQ(Loose("~~tilde").c.text, (Lines{"~tilde"}));
   EXPECT_EQ(Loose("##1").c.text, (Lines{"#1"}));
   EXPECT_EQ(Loose("trailing_").c.text, (Lines{"trailing"}));
   EXPECT_EQ(Loose("").c.text, Lines{});
   EXPECT_EQ(Loose(nullptr).c.text, Lines{});
   EXPECT_TRUE(Loose("a__b").c.hotkeys.empty());
}

TEST(Labels, TildeMakesAnUnderlinedCaseFoldedHotKey)
{
   Loose l("O~K");
   EXPECT_EQ(l.c.text, (Lines{"OK"}));
   ASSERT_EQ(l.c.hotkeys.size(), 1u);
   EXPECT_TRUE(HasHotKey(l.c, 0, 'k'));
   EXPECT_EQ(l.c.hk_x, text_length(font, "O"));
   EXPECT_EQ(l.c.hk_w, text_length(font, "K"));
   EXPECT_EQ(l.c.hk_line, 0);

   Loose second("File_~open it");
   EXPECT_EQ(second.c.hk_line, 1);
   EXPECT_EQ(second.c.hk_x, 0);
   EXPECT_TRUE(HasHotKey(second.c, 0, 'o'));

   EXPECT_EQ(Loose("plain").c.hk_line, NO_HOTKEY_LINE);
   EXPECT_EQ(Loose("end~").c.text, (Lines{"end"})) << "a tilde at the end shows nothing";
}

TEST(Labels, NumberReferencesAddHotKeysAndShowNothing)
{
   Loose esc("Cancel#27;");
   EXPECT_EQ(esc.c.text, (Lines{"Cancel"}));
   EXPECT_TRUE(HasHotKey(esc.c, 0, 27));

   Loose pair("#59,13;Go");
   EXPECT_EQ(pair.c.text, (Lines{"Go"}));
   EXPECT_TRUE(HasHotKey(pair.c, 59, 13));

   Loose junk("#5xyz;after");
   EXPECT_EQ(junk.c.text, (Lines{"after"})) << "the reference runs to the semicolon";
   EXPECT_TRUE(HasHotKey(junk.c, 0, 5));

   Loose unended("Tail#7");
   EXPECT_EQ(unended.c.text, (Lines{"Tail"}));
   EXPECT_TRUE(HasHotKey(unended.c, 0, 7));
}

TEST(Labels, ControlCharactersAreHotKeysNotText)
{
   Loose l("A\tB\x1b");
   EXPECT_EQ(l.c.text, (Lines{"AB"}));
   EXPECT_TRUE(HasHotKey(l.c, 0, '\t'));
   EXPECT_TRUE(HasHotKey(l.c, 0, 27));
}

TEST(Labels, ImageReferenceWithoutARegisteredImageShowsNothing)
{
   Loose l("#nosuchicon;");
   EXPECT_EQ(l.c.icon_name, "nosuchicon");
   EXPECT_EQ(l.c.icon, nullptr);
   EXPECT_EQ(l.c.text, Lines{});
}

TEST(Labels, TooltipLines)
{
   EXPECT_EQ(ParseTooltip("first_second__x"), (Lines{"first", "second_x"}));
   EXPECT_EQ(ParseTooltip(""), Lines{});
   EXPECT_EQ(ParseTooltip(nullptr), Lines{});
   EXPECT_EQ(ParseTooltip("~#keep"), (Lines{"~#keep"})) << "only underscores are special";
}

class LabelImages : public ::testing::Test {
protected:
   kstr::test::ToolkitSession session;
   void SetUp() override
   {
      ASSERT_TRUE(session.ok);
      BITMAP *icon = create_bitmap(12, 9);
      clear_to_color(icon, makecol(0, 255, 0));
      ASSERT_TRUE(RegisterImage(icon, "playicon", 1, 0));
      BITMAP *menu = create_bitmap(7, 5);
      clear_to_color(menu, makecol(0, 0, 255));
      ASSERT_TRUE(RegisterImage(menu, "menuicon", 1, 0));
      ASSERT_GT(MakeWindow(0, AUTO, "", 0), 0);
   }
   void TearDown() override { PresentWindow(); }

   static const Control &Place(const char *label)
   {
      return *LookupControl(PlaceSampleBox(PLACE_NEW_ROW, AUTO, label, SAMPLE_PLAIN, 0, 0));
   }
};

TEST_F(LabelImages, IconOnlyWithOrWithoutSemicolon)
{
   const Control &with = Place("#playicon;");
   ASSERT_NE(with.icon, nullptr);
   EXPECT_EQ(with.icon->width, 12);
   EXPECT_EQ(with.text, Lines{});
   const Control &without = Place("#menuicon");
   ASSERT_NE(without.icon, nullptr);
   EXPECT_EQ(without.icon->height, 5);
   EXPECT_EQ(without.text, Lines{});
}

TEST_F(LabelImages, IconFollowedByTextShowsBoth)
{
   const Control &c = Place("#  playicon;Play_now");
   ASSERT_NE(c.icon, nullptr);
   EXPECT_EQ(c.icon_name, "playicon") << "leading spaces are skipped";
   EXPECT_EQ(c.text, (Lines{"Play", "now"}));
}

TEST(LabelDrawing, HotKeyIsUnderlinedUnderItsLetter)
{
   ASSERT_TRUE(kstr::test::open_test_window());
   InitInterfaceColours();
   Loose l("A~BC");
   BITMAP *b = create_bitmap(64, 16);
   clear_to_color(b, makecol(255, 255, 255));
   const int black = makecol(0, 0, 0);
   DrawLabelLines(b, &l.c, 0, 0, black);
   const int underline_y = text_height(font) - 1;
   const int x_a = text_length(font, "A"), x_b = text_length(font, "AB");
   // Font glyphs of the built-in font leave their bottom row empty, so the
   // only ink there is the underline under B.
   for (int x = 0; x < x_b + 8; ++x)
      EXPECT_EQ(getpixel(b, x, underline_y) == black, x >= x_a && x < x_b) << "x = " << x;
   destroy_bitmap(b);
}

}

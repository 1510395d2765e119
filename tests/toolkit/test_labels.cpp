// Label and tooltip texts: lines, hot keys, image references.
#include "draw/draw.h"
#include "draw/labels.h"
#include "toolkit_test_support.h"
#include "windows/control_class.h"

#include <allegro.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using Keys = std::vector<std::pair<int, int>>;  // (scan, key) in label order

// A control outside any container: labels parse without images.
struct Loose {
   Control c{};
   explicit Loose(const char *label)
   {
      c.cls = &BaseControlClass();
      c.font = font;
      ParseLabel(&c, label);
   }
   Keys keys() const
   {
      Keys k;
      for (const HotKey &h : c.hotkeys)
         k.emplace_back(h.scan, h.key);
      return k;
   }
};

TEST(Labels, LinesEscapesAndHotKeys)
{
   const struct {
      const char *label;
      Lines text;
      Keys keys;
      int hk_line = NO_HOTKEY_LINE;  // the line with the underlined letter
   } cases[] = {
      {"Two_lines", {"Two", "lines"}, {}},
      {"a__b", {"a_b"}, {}},
      {"~~tilde", {"~tilde"}, {}},
      {"##1", {"#1"}, {}},
      {"trailing_", {"trailing"}, {}},
      {"", {}, {}},
      {"end~", {"end"}, {}},           // a tilde at the end shows nothing
      {"O~K", {"OK"}, {{0, 'k'}}, 0},  // hot keys are case-folded
      {"File_~Open it", {"File", "Open it"}, {{0, 'o'}}, 1},
      {"Cancel#27;", {"Cancel"}, {{0, 27}}},
      {"#59,13;Go", {"Go"}, {{59, 13}}},
      {"#5xyz;after", {"after"}, {{0, 5}}},  // the reference runs to the semicolon
      {"Tail#7", {"Tail"}, {{0, 7}}},
      {"A\tB\x1b", {"AB"}, {{0, '\t'}, {0, 27}}},  // control characters are keys, not text
      {"#nosuchicon;", {}, {}},
   };
   for (const auto &k : cases) {
      SCOPED_TRACE(k.label);
      const Loose l(k.label);
      EXPECT_EQ(l.c.text, k.text);
      EXPECT_EQ(l.keys(), k.keys);
      EXPECT_EQ(l.c.hk_line, k.hk_line);
   }
   EXPECT_EQ(Loose("File_~Open it").c.hk_x, 0) << "measured along its own line";
   EXPECT_EQ(Loose(nullptr).c.text, Lines{});
   const Loose unknown("#nosuchicon;");
   EXPECT_EQ(unknown.c.icon_name, "nosuchicon");
   EXPECT_EQ(unknown.c.icon, nullptr);
}

TEST(Labels, TooltipLines)
{
   EXPECT_EQ(ParseTooltip("first_second__x"), (Lines{"first", "second_x"}));
   EXPECT_EQ(ParseTooltip(""), Lines{});
   EXPECT_EQ(ParseTooltip(nullptr), Lines{});
   EXPECT_EQ(ParseTooltip("~#keep"), (Lines{"~#keep"})) << "only underscores are special";
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

// File names drawn by code point: list rows and input fields that hold UTF-8
// show the font's own glyph for every character it has (Latin Extended-A
// included), its missing-glyph box for the others, and names that are not
// UTF-8 byte by byte. The reference is the font drawn by Allegro from 16-bit
// Unicode text, a path of its own.
#include "glyph_test_support.h"
#include "input_test_support.h"

#include "controls/input_value.h"
#include "controls/list_view_parts.h"
#include "draw/display_names.h"
#include "toolkit/controls/input_field.h"
#include "toolkit/controls/list_view.h"
#include "toolkit/fonts.h"
#include "toolkit/keyboard_focus.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace kstr::test {
namespace {

struct ShownName {
   const char *what;
   std::string bytes;      // as the file system holds it
   std::u16string glyphs;  // the font's glyphs it must show
};

// Glyph 0x81 is the font's missing-glyph box; glyph 0x80 its euro sign.
const std::vector<ShownName> &Names()
{
   static const std::vector<ShownName> names = {
      {"Polish, UTF-8",
       "\xC5\xB9r\xC3\xB3"
       "d\xC5\x82o \xC5\x82\xC4\x85ki.mp3",
       u"\u0179r\u00F3d\u0142o \u0142\u0105ki.mp3"},
      {"capitals, UTF-8", "\xC5\x81\xC3\x93\xC5\xBB\xC4\x98\xC5\x9A\xC4\x86\xC5\x83",
       u"\u0141\u00D3\u017B\u0118\u015A\u0106\u0143"},
      {"Latin-1 bytes", "caf\xE9.mp3", u"caf\u00E9.mp3"},
      {"no encoding", "bad\xFF\xC0\x80.mp3", u"bad\u00FF\u00C0\u0080.mp3"},
      {"dash and euro, UTF-8", "a\xE2\x80\x93\xE2\x82\xAC", u"a\u0096\u0080"},
      {"CJK and emoji", "\xE6\x9B\xB2 \xF0\x9F\x8E\xB5", u"\u0081 \u0081"},
   };
   return names;
}

int NameRowText(void *item, char *buf, int column)
{
   const auto i = static_cast<std::size_t>(reinterpret_cast<intptr_t>(item) - 1);
   std::snprintf(buf, LIST_TEXT_SIZE, "%s", Names()[i].bytes.c_str());
   return static_cast<int>(LIST_ROW_UTF8 | (column == 1 ? LIST_ROW_RIGHT : 0u));
}

void *NameHandle(void *, int i)
{
   return reinterpret_cast<void *>(intptr_t{i} + 1);
}

class DisplayNamesTest : public ::testing::Test {
 protected:
   void SetUp() override
   {
      ASSERT_TRUE(session_.ok);
      mouse_callback = nullptr;
      keyboard_ucallback = nullptr;
      ASSERT_GT(text_height(ToolkitFont()), 8) << "the run folder's font is needed";
   }

   // Row controls of list `list`, top to bottom.
   static std::vector<int> Rows(int list)
   {
      std::vector<int> ids;
      const Control *view = LookupControl(list);
      for (const Control *c = view->container->first; c; c = c->next)
         if (c->x1 == LIST_FRAME)
            ids.push_back(c->id);
      return ids;
   }

   ToolkitSession session_;
};

// Each name in a left-aligned and a right-aligned column: the very glyphs of
// the font, nothing cut, and the right-aligned one ending where its measured
// width says.
TEST_F(DisplayNamesTest, ListRowsShowTheFontsGlyphsByCodePoint)
{
   int count = static_cast<int>(Names().size());
   MakeWindow(0, AUTO, "names", WINDOW_NO_DRAG);
   const int list = PlaceListView(PLACE_FIRST, AUTO, nullptr, &count, 420, 2, NameRowText, nullptr, count);
   ASSERT_GT(list, 0);
   SetListIndexer(list, NameHandle);
   const int widths[] = {200, 0};
   SetListColumns(list, 2, widths);
   PresentWindow();
   run_loop_for(20);

   const std::vector<int> rows = Rows(list);
   ASSERT_EQ(rows.size(), Names().size());
   const int text = InterfaceColour[COLOUR_TEXT];
   for (std::size_t i = 0; i < rows.size(); ++i) {
      const ShownName &n = Names()[i];
      SCOPED_TRACE(n.what);
      int width = 0;
      const Ink expected = Reference(n.glyphs, &width);
      ASSERT_FALSE(expected.points.empty());
      const Rect r = screen_rect_of(rows[i]);
      const Ink left = InkIn(screen, r.x1, r.y1, r.x1 + 199, r.y2, text);
      const Ink right = InkIn(screen, r.x1 + 200, r.y1, r.x2, r.y2, text);
      EXPECT_EQ(left, expected);
      EXPECT_EQ(right, expected);
      EXPECT_EQ(DisplayTextWidth(ToolkitFont(), n.bytes), width);
      // Right-aligned: the text starts at x2 - 1 - width.
      EXPECT_EQ(right.right, r.x2 - 1 - width + expected.right);
   }
   // The letters are not the box, nor each other's plain forms.
   const Ink box = Reference(u"\u0081");
   for (const char16_t letter : std::u16string(u"\u0142\u0179\u0105\u0119\u015B\u017C\u0107\u0144"))
      EXPECT_NE(Reference(std::u16string(1, letter)), box) << static_cast<int>(letter);
   EXPECT_NE(Reference(u"\u0142"), Reference(u"l"));
   EXPECT_NE(box, Reference(u"?"));
}

struct FieldCase {
   const char *what;
   int flags;
   std::vector<std::pair<int, int>> keys;  // scancode (negative: with Shift), character
   std::string after;
};

constexpr int kTyped = 0;

// A UTF-8 field edits whole characters and stores what is typed as UTF-8; a
// field without the flag keeps one byte per character.
TEST_F(DisplayNamesTest, Utf8FieldsDrawAndEditWholeCharacters)
{
   const std::string start = "\xC5\xB9r\xC3\xB3"
                             "d\xC5\x82o \xC5\x82\xC4\x85ki";  // "Źródło łąki"
   const std::vector<FieldCase> cases = {
      {"Backspace at the end", INPUT_FLAG_UTF8, {{KEY_END, 0}, {KEY_BACKSPACE, 0}}, start.substr(0, start.size() - 1)},
      {"Delete at the start", INPUT_FLAG_UTF8, {{KEY_HOME, 0}, {KEY_DEL, 0}}, start.substr(2)},
      {"Backspace over two-byte letters",
       INPUT_FLAG_UTF8,
       {{KEY_END, 0}, {KEY_LEFT, 0}, {KEY_LEFT, 0}, {KEY_BACKSPACE, 0}, {KEY_BACKSPACE, 0}},
       "\xC5\xB9r\xC3\xB3"
       "d\xC5\x82o ki"},
      {"typing e ogonek after one letter",
       INPUT_FLAG_UTF8,
       {{KEY_HOME, 0}, {KEY_RIGHT, 0}, {kTyped, 0x119}},
       "\xC5\xB9\xC4\x99r\xC3\xB3"
       "d\xC5\x82o \xC5\x82\xC4\x85ki"},
      {"Shift+Left selects whole letters, typing replaces them",
       INPUT_FLAG_UTF8,
       {{KEY_END, 0}, {KEY_LEFT, 0}, {KEY_LEFT, 0}, {-KEY_LEFT, 0}, {-KEY_LEFT, 0}, {kTyped, 'a'}},
       "\xC5\xB9r\xC3\xB3"
       "d\xC5\x82o aki"},
      {"typing e acute", INPUT_FLAG_UTF8, {{KEY_END, 0}, {kTyped, 0xE9}}, start + "\xC3\xA9"},
      {"8-bit field: l stroke refused", 0, {{KEY_END, 0}, {kTyped, 0x142}}, start},
      {"8-bit field: e acute as one byte", 0, {{KEY_END, 0}, {kTyped, 0xE9}}, start + "\xE9"},
   };
   std::vector<std::array<char, 64>> buffers(cases.size());
   std::vector<int> ids;
   MakeWindow(0, AUTO, "fields", WINDOW_NO_DRAG);
   for (std::size_t i = 0; i < cases.size(); ++i) {
      std::snprintf(buffers[i].data(), buffers[i].size(), "%s", start.c_str());
      ids.push_back(PlaceInputField(i == 0 ? PLACE_FIRST : PLACE_NEW_ROW, AUTO, 200, "", 5 | cases[i].flags,
                                    static_cast<int>(buffers[i].size()), buffers[i].data()));
   }
   PresentWindow();
   // The last field takes the focus, so the first shows no cursor.
   FocusControl(ids.back());
   run_loop_for(20);

   // Drawn before any edit: the UTF-8 field shows the letters themselves.
   const Rect r = screen_rect_of(ids[0]);
   EXPECT_EQ(InkIn(screen, r.x1 + 2, r.y1 + 2, r.x2 - 2, r.y2 - 2, InterfaceColour[COLOUR_TEXT]),
             Reference(u"\u0179r\u00F3d\u0142o \u0142\u0105ki"));

   for (std::size_t i = 0; i < cases.size(); ++i) {
      SCOPED_TRACE(cases[i].what);
      FocusControl(ids[i]);
      run_loop_for(10);
      for (const auto &[scancode, character] : cases[i].keys)
         press_key(std::abs(scancode), character, scancode < 0 ? KB_SHIFT_FLAG : 0);
      EXPECT_EQ(std::string(buffers[i].data()), cases[i].after);
   }

   // A click between two letters puts the cursor between them, not inside one.
   const std::string before_click = buffers[0].data();
   const int gap = DisplayTextWidth(ToolkitFont(), "\xC5\xB9r\xC3\xB3");  // "Źró"
   inject_click(r.x1 + 3 + gap, (r.y1 + r.y2) / 2);
   run_loop_for(20);
   press_key(0, 'x');
   EXPECT_EQ(std::string(buffers[0].data()), before_click.substr(0, 5) + "x" + before_click.substr(5));
}

// Display text from any bytes, and its 8-bit form for messages.
TEST(DisplayNames, DecodeOrKeepBytesAndNarrowForMessages)
{
   const struct {
      std::string bytes, shown, narrow;
   } cases[] = {
      {"\xC5\x82\xC3\xB3"
       "d\xC5\xBA",
       "\xC5\x82\xC3\xB3"
       "d\xC5\xBA",
       "\x81\xF3"
       "d\x81"},                                                                // UTF-8 "łódź" unchanged
      {"caf\xE9", "caf\xC3\xA9", "caf\xE9"},                                    // Latin-1
      {"bad\xC0\x80", "bad\xC3\x80\xE2\x82\xAC", "bad\xC0\x80"},                // overlong form: bytes
      {"a\x01z", "a\x01z", "a\x81z"},                                           // a control character: no glyph
      {"\xE2\x80\x9Cq\xE2\x80\x9D", "\xE2\x80\x9Cq\xE2\x80\x9D", "\x93q\x94"},  // curly quotes
      {"/\xC5\x81\xC4\x85ka/Gr\xFC\xDF/", "/\xC5\x81\xC4\x85ka/Gr\xC3\xBC\xC3\x9F/",
       "/\x81\x81ka/Gr\xFC\xDF/"},  // UTF-8 folder, Latin-1 file
   };
   for (const auto &c : cases) {
      SCOPED_TRACE(c.shown);
      EXPECT_EQ(DisplayName(c.bytes), c.shown);
      EXPECT_EQ(NarrowDisplayText(c.bytes), c.narrow);
   }
}

}
}

// Songs whose names are UTF-8 with Polish letters, Latin-1 or no encoding at
// all, added through the file selector's rows: the playlist keeps each
// file's own bytes and its rows draw the font's glyphs for them.
#include "ui_test_support.h"

#include "draw/selection_colours.h"
#include "glyph_test_support.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace kstr::test {
namespace {

// The file selector's list view, when one is open.
ListView *SelectorList()
{
   WindowRecord *w = TopWindow();
   Control *c = FindIn(w ? w->client : nullptr,
                       [](Control *candidate) { return ListOf(candidate) && ListOf(candidate)->self == candidate; });
   return c ? ListOf(c) : nullptr;
}

// Double-clicks the selector's row that holds `name`'s bytes.
void ChooseRowNamed(const std::string &name)
{
   ListView *v = SelectorList();
   for (int i = 0; v && i < ListCount(v); ++i) {
      char buf[LIST_TEXT_SIZE];
      v->row_text(ListItem(v, i), buf, 0);
      const char *shown = std::strchr(buf, ';');
      if (name == (shown ? shown + 1 : buf)) {
         ClickControl(RowShowing(v, i)->id);
         ClickControl(RowShowing(v, i)->id);
         return;
      }
   }
   ADD_FAILURE() << "no row holds " << name;
}

TEST_F(PlayerTest, PlaylistKeepsTheBytesOfNamesAndDrawsTheirLetters)
{
   start();
   // A short folder named in UTF-8 ("/tmp/Ł" and a number), so that whole
   // paths fit a row and names of other encodings sit in a UTF-8 path.
   const std::string number = std::to_string(getpid());
   const fs::path folder = "/tmp/\xC5\x81" + number;
   const std::u16string folder_glyphs = u"/tmp/\u0141" + std::u16string(number.begin(), number.end()) + u"/";
   fs::create_directories(folder);
   const struct {
      std::string bytes;
      std::u16string glyphs;  // of the name
   } names[] = {
      {"\xC5\xB9r\xC3\xB3"
       "d\xC5\x82o \xC5\x82\xC4\x85ki.mp3",
       u"\u0179r\u00F3d\u0142o \u0142\u0105ki.mp3"},  // "Źródło łąki", UTF-8
      {"\xC3\x9Cn\xC3\xAF"
       "code.ogg",
       u"\u00DCn\u00EFcode.ogg"},                             // "Ünïcode", UTF-8
      {"Gr\xFC\xDF.wav", u"Gr\u00FC\u00DF.wav"},              // "Grüß" in Latin-1
      {"bad\xFF\xC0\x80.mp3", u"bad\u00FF\u00C0\u0080.mp3"},  // no encoding: byte by byte
      {"\xE6\x9B\xB2.mp3", u"\u0081.mp3"},                    // CJK: the missing-glyph box
   };
   for (const auto &n : names)
      std::ofstream(folder / n.bytes) << "x";

   Names added;
   std::vector<Ink> drawn;
   std::vector<int> widths;
   Steps steps;
   for (const auto &n : names) {
      steps.push_back([] { ClickControl(icon_control("pladdsong")); });
      steps.push_back([&] {
         // Typed as a user types it: L stroke as its code point.
         ClickControl(LabelledControl("Location:"));
         TypeText("/tmp/");
         InjectKey(0x141, 0, 0);
         type_path_and_enter(number);
      });
      steps.push_back([&] { ChooseRowNamed(n.bytes); });
   }
   // No current entry, so that no row is underlined.
   steps.push_back([] {
      main_playlist->current = -1;
      redraw_playlist();
   });
   steps.push_back([&] {
      added = playlist_names();
      for (int i = 0; i < static_cast<int>(added.size()); ++i) {
         const Rect r = screen_rect_of(row_id(i));
         const int ink = ListRowSelected(main_window_state().list, i) ? SelectionText() : InterfaceColour[COLOUR_TEXT];
         drawn.push_back(InkIn(screen, r.x1, r.y1, r.x2, r.y2, ink));
         widths.push_back(r.x2 - r.x1);
      }
      shot("playlist_names");
   });
   run_steps(steps);

   ASSERT_EQ(added.size(), std::size(names));
   for (std::size_t i = 0; i < added.size(); ++i) {
      const auto &n = names[i];
      const std::string path = (folder / n.bytes).string();
      SCOPED_TRACE(path);
      EXPECT_EQ(std::count(added.begin(), added.end(), path), 1);
      // The rows in the order the songs were added, each drawn whole.
      const std::string &row_path = added[i];
      const std::size_t cut = row_path.rfind('/') + 1;
      const auto at = std::find_if(std::begin(names), std::end(names),
                                   [&](const auto &candidate) { return candidate.bytes == row_path.substr(cut); });
      ASSERT_NE(at, std::end(names));
      int width = 0;
      const Ink expected = Reference(folder_glyphs + at->glyphs, &width);
      ASSERT_LT(width, widths[i] - 4) << "the test's paths must fit a row";
      EXPECT_EQ(drawn[i], expected);
   }
   fs::remove_all(folder);
}

}
}

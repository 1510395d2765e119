// Names from the file system as the toolkit's font shows them.
//
// File names on this system are UTF-8. The toolkit's own text is 8-bit
// (messages, labels: one glyph per byte), but names, paths and fields that
// hold them are kept as UTF-8 and drawn by code point, so that the font's
// Latin Extended-A glyphs (past byte 255, see font_codepage.h) show too. A
// name is decoded for display only: the bytes stay what they are for
// opening the file.
//
// Contract:
// - DisplayName turns any bytes into valid UTF-8: a valid UTF-8 name comes
//   back unchanged; of anything else, each part between slashes that is not
//   UTF-8 is read byte by byte as the toolkit's 8-bit text (ISO-8859-1 with
//   Windows-1252 punctuation), so it still shows.
// - DrawDisplayText / DisplayTextWidth draw and measure such text (invalid
//   UTF-8 goes through DisplayName first); a character the font has no glyph
//   for is drawn as the font's missing-glyph box. The text format Allegro was
//   set to is the same afterwards.
// - NarrowDisplayText gives the same text as the toolkit's 8-bit text, for
//   places that only draw that (requester messages): characters past byte
//   255 become the missing-glyph box there.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct BITMAP;
struct FONT;

// The glyph that stands in for a character the font lacks.
char32_t DisplayReplacementGlyph();

// The code points of a valid UTF-8 text (no overlong forms, no surrogates,
// nothing past U+10FFFF); false for anything else.
bool DecodeUtf8(std::string_view text, std::u32string *out);
// Appends the UTF-8 form of `cp` (a valid code point).
void AppendUtf8(char32_t cp, std::string *out);

// The character boundary after / before byte `at` of UTF-8 text (continuation
// bytes are skipped; the text's ends are kept).
std::size_t NextCharacter(std::string_view text, std::size_t at);
std::size_t PreviousCharacter(std::string_view text, std::size_t at);

std::string DisplayName(std::string_view name);
std::string NarrowDisplayText(std::string_view text);

void DrawDisplayText(BITMAP *b, FONT *f, std::string_view text, int x, int y, int colour, int background);
int DisplayTextWidth(FONT *f, std::string_view text);

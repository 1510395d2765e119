#include "draw/display_names.h"

#include "draw/font_codepage.h"

#include <allegro.h>

#include <algorithm>

namespace {

// The character byte `byte` of the toolkit's 8-bit text shows (0: none).
char32_t ByteCharacter(unsigned char byte)
{
   if (byte >= 0x80 && byte < 0xA0)
      return kFontHighPunctuation[byte - 0x80];
   if (byte < 0x20 || byte == 0x7F)
      return 0;
   return byte;
}

// The font's glyph for `cp`: its own number where glyph and code point agree,
// the slot of Windows-1252's punctuation, else the missing-glyph box.
char32_t GlyphOf(char32_t cp)
{
   if ((cp >= 0x20 && cp < 0x7F) || (cp >= 0xA0 && cp <= static_cast<char32_t>(kFontLastGlyph)))
      return cp;
   for (char32_t i = 0; i < 32; ++i)
      if (cp != 0 && kFontHighPunctuation[i] == cp)
         return 0x80 + i;
   return DisplayReplacementGlyph();
}

// The glyph numbers of `text`, as UTF-8 for Allegro's U_UTF8 format.
std::string GlyphText(std::string_view text)
{
   std::u32string points;
   if (!DecodeUtf8(text, &points))
      DecodeUtf8(DisplayName(text), &points);
   std::string glyphs;
   glyphs.reserve(text.size() + 8);
   for (char32_t cp : points)
      AppendUtf8(GlyphOf(cp), &glyphs);
   return glyphs;
}

// Allegro reads text as UTF-8 while this lives; the format before comes back.
class Utf8Text {
 public:
   Utf8Text() : before_(get_uformat()) { set_uformat(U_UTF8); }
   ~Utf8Text() { set_uformat(before_); }
   Utf8Text(const Utf8Text &) = delete;
   Utf8Text &operator=(const Utf8Text &) = delete;

 private:
   int before_;
};

}

char32_t DisplayReplacementGlyph()
{
   return static_cast<char32_t>(kFontMissingGlyph);
}

bool DecodeUtf8(std::string_view text, std::u32string *out)
{
   out->clear();
   for (std::size_t i = 0; i < text.size();) {
      const auto lead = static_cast<unsigned char>(text[i]);
      const int extra = lead < 0x80 ? 0 : lead < 0xC2 ? -1 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : lead < 0xF5 ? 3 : -1;
      if (extra < 0 || (extra > 0 && i + static_cast<std::size_t>(extra) >= text.size()))
         return false;
      char32_t cp = extra == 0 ? lead : lead & (0x3Fu >> extra);
      for (int k = 1; k <= extra; ++k) {
         const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
         if ((next & 0xC0) != 0x80)
            return false;
         cp = cp << 6 | (next & 0x3Fu);
      }
      constexpr char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
      if (cp < smallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
         return false;
      out->push_back(cp);
      i += 1 + static_cast<std::size_t>(extra);
   }
   return true;
}

void AppendUtf8(char32_t cp, std::string *out)
{
   if (cp < 0x80) {
      out->push_back(static_cast<char>(cp));
      return;
   }
   const int extra = cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
   constexpr unsigned char lead_bits[] = {0, 0xC0, 0xE0, 0xF0};
   out->push_back(static_cast<char>(lead_bits[extra] | (cp >> (6 * extra))));
   for (int k = extra - 1; k >= 0; --k)
      out->push_back(static_cast<char>(0x80 | ((cp >> (6 * k)) & 0x3F)));
}

namespace {

bool IsContinuation(char byte)
{
   return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}

std::size_t NextCharacter(std::string_view text, std::size_t at)
{
   if (at >= text.size())
      return text.size();
   do
      ++at;
   while (at < text.size() && IsContinuation(text[at]));
   return at;
}

std::size_t PreviousCharacter(std::string_view text, std::size_t at)
{
   at = std::min(at, text.size());
   if (at == 0)
      return 0;
   do
      --at;
   while (at > 0 && IsContinuation(text[at]));
   return at;
}

std::string DisplayName(std::string_view name)
{
   std::u32string points;
   if (DecodeUtf8(name, &points))
      return std::string(name);
   // Each part of a path was named on its own, perhaps in another encoding:
   // the parts that are UTF-8 stay so, the others are read byte by byte.
   std::string shown;
   shown.reserve(name.size() * 2);
   for (std::size_t from = 0; from <= name.size();) {
      const std::size_t slash = std::min(name.find('/', from), name.size());
      const std::string_view part = name.substr(from, slash - from);
      if (DecodeUtf8(part, &points)) {
         shown += part;
      } else {
         for (char byte : part) {
            const char32_t cp = ByteCharacter(static_cast<unsigned char>(byte));
            AppendUtf8(cp ? cp : 0xFFFD, &shown);
         }
      }
      if (slash < name.size())
         shown += '/';
      from = slash + 1;
   }
   return shown;
}

std::string NarrowDisplayText(std::string_view text)
{
   std::u32string glyphs;
   DecodeUtf8(GlyphText(text), &glyphs);
   std::string narrow;
   narrow.reserve(glyphs.size());
   for (char32_t glyph : glyphs)
      narrow.push_back(static_cast<char>(glyph <= 0xFF ? glyph : DisplayReplacementGlyph()));
   return narrow;
}

void DrawDisplayText(BITMAP *b, FONT *f, std::string_view text, int x, int y, int colour, int background)
{
   const std::string glyphs = GlyphText(text);
   const Utf8Text utf8;
   textout_ex(b, f, glyphs.c_str(), x, y, colour, background);
}

int DisplayTextWidth(FONT *f, std::string_view text)
{
   const std::string glyphs = GlyphText(text);
   const Utf8Text utf8;
   return text_length(f, glyphs.c_str());
}

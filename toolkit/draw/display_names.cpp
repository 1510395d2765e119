#include "draw/display_names.h"

#include "draw/font_codepage.h"

namespace {

char FontByte(char32_t cp)
{
   if ((cp >= 0x20 && cp < 0x7F) || (cp >= 0xA0 && cp <= 0xFF))
      return static_cast<char>(cp);
   for (int i = 0; i < 32; ++i)
      if (kFontHighPunctuation[i] == cp)
         return static_cast<char>(0x80 + i);
   return DISPLAY_NAME_REPLACEMENT;
}

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

std::string DisplayName(std::string_view name)
{
   std::u32string points;
   if (!DecodeUtf8(name, &points))
      return std::string(name);
   std::string shown;
   shown.reserve(points.size());
   for (char32_t cp : points)
      shown.push_back(FontByte(cp));
   return shown;
}

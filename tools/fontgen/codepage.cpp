#include "codepage.h"

#include "draw/font_codepage.h"

namespace kstr::tools {

char32_t code_point(int glyph)
{
   if (glyph >= 128 && glyph < 160)
      return kFontHighPunctuation[glyph - 128];
   if (glyph < 32 || glyph == 127 || glyph > kFontLastGlyph)
      return 0;
   return static_cast<char32_t>(glyph);
}

int last_glyph()
{
   return kFontLastGlyph;
}

}

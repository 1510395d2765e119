#include "codepage.h"

#include "draw/font_codepage.h"

namespace kstr::tools {

char32_t code_point(int byte)
{
   if (byte >= 128 && byte < 160)
      return kFontHighPunctuation[byte - 128];
   if (byte < 32 || byte == 127 || byte > 255)
      return 0;
   return static_cast<char32_t>(byte);
}

}

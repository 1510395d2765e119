#include "codepage.h"

namespace kstr::tools {

namespace {

constexpr char32_t windows_1252_high_controls[32] = {
   0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
   0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
   0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

}

char32_t code_point(int byte)
{
   if (byte >= 128 && byte < 160)
      return windows_1252_high_controls[byte - 128];
   if (byte < 32 || byte == 127 || byte > 255)
      return 0;
   return static_cast<char32_t>(byte);
}

}

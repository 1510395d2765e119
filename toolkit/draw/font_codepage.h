// The characters the toolkit's font holds at bytes 128-159: Windows-1252's
// punctuation (0 where that code page has none). Bytes 32-126 and 160-255 are
// the code points of the same numbers. The font generator draws the font by
// this table and the toolkit maps names onto it, so both read it from here.
#pragma once

inline constexpr char32_t kFontHighPunctuation[32] = {
   0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
   0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
   0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

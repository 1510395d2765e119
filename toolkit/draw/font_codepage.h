// The characters of the toolkit's font, in the order of its glyphs.
//
// Glyphs 32-255 are the toolkit's 8-bit text: bytes 32-126 and 160-255 are
// the code points of the same numbers, bytes 128-159 hold Windows-1252's
// punctuation (table below; 0 where that code page has none, and the font
// shows its missing-glyph box there). Glyphs 256-383 continue with Latin
// Extended-A, U+0100-U+017F, so there too glyph and code point agree. The
// font generator draws the font by this table and the toolkit maps names
// onto it, so both read it from here.
#pragma once

inline constexpr char32_t kFontHighPunctuation[32] = {
   0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
   0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
   0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The last glyph of the font: Latin Extended-A ends at U+017F.
inline constexpr int kFontLastGlyph = 0x17F;

// A glyph that shows no character of its own (the first hole of the table):
// the font's missing-glyph box, which stands in for characters it lacks.
inline constexpr int kFontMissingGlyph = 0x81;

// Which character each glyph of the program's font shows.
#pragma once

namespace kstr::tools {

// Glyphs 32-255 are the program's 8-bit text. Bytes 32-126 and 160-255 are
// ISO-8859-1, where byte and code point agree. ISO-8859-1 leaves 128-159 to
// control codes, which never appear as text; those bytes get the
// Windows-1252 punctuation (curly quotes, dashes, euro sign) that message
// catalogues written on that system use. Glyphs 256-383 are Latin
// Extended-A (U+0100-U+017F), the letters of Polish, Czech and their
// neighbours, reached by code point. Returns 0 for a glyph that shows no
// character (127, the five holes of Windows-1252, anything past 383).
char32_t code_point(int glyph);

// The font's last glyph; the first is the space, 32.
int last_glyph();

}

// Names from the file system as the toolkit's 8-bit text shows them. File
// names on this system are UTF-8; the toolkit's font holds one glyph per byte
// (ISO-8859-1, with Windows-1252 punctuation in 128-159). A name is decoded
// for display only: the bytes stay what they are for opening the file.
#pragma once

#include <string>
#include <string_view>

// Replacement shown for a character the font has no glyph for.
inline constexpr char DISPLAY_NAME_REPLACEMENT = '?';

// The code points of a valid UTF-8 text (no overlong forms, no surrogates,
// nothing past U+10FFFF); false for anything else.
bool DecodeUtf8(std::string_view text, std::u32string *out);

// `name` in the font's 8-bit text: valid UTF-8 decoded, with characters the
// font lacks replaced; anything else shown byte by byte, as ISO-8859-1.
std::string DisplayName(std::string_view name);

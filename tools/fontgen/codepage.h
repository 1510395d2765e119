// Which character each byte of the program's 8-bit text shows.
#pragma once

namespace kstr::tools {

// Bytes 32-126 and 160-255 are ISO-8859-1, where byte and code point agree.
// ISO-8859-1 leaves 128-159 to control codes, which never appear as text;
// those bytes get the Windows-1252 punctuation (curly quotes, dashes, euro
// sign) that message catalogues written on that system use. Returns 0 for a
// byte that shows no character (127 and the five holes of Windows-1252).
char32_t code_point(int byte);

}

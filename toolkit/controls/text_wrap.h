// Breaking a text into lines that fit a width, for the text field.
#pragma once

#include <allegro.h>

#include <string>
#include <vector>

// `text` broken at '\n' and wherever a line would pass `width` pixels in
// `f`: at the last space when `at_spaces`, else at the last character that
// fits. Tabs become spaces up to the next multiple of `tab` characters. A
// line end that closes the text starts no empty line; an empty text is one
// empty line.
std::vector<std::string> WrapText(FONT *f, const char *text, int width, int tab, bool at_spaces);

// Number writing for catalogue parameters. The options text is the part
// inside the parentheses of a parameter type, read character by character:
//   "+"  a double gets "+" when it is not negative
//   ","  a "," before every group of three integer digits
//   "0"  fill up to the width with "0" between sign and digits (else blanks
//        in front of everything)
//   1-9  start of the minimum width (all digits that follow belong to it);
//        it counts the sign, the separators and the integer digits
//   "."  start of the precision: the digits after it (a "0" right after the
//        "." is taken as the ".0" flag first); without "." a double shows as
//        many fraction digits as it has
// Anything else is ignored. Results are ASCII.
#pragma once

#include <string>
#include <string_view>

#include "app/catalogue.h"

TR_FORMAT tr_parse_format(std::string_view options);
std::string tr_format_integer(long long value, const TR_FORMAT &format);
std::string tr_format_double(double value, const TR_FORMAT &format);

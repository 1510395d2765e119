#include "app/catalogue_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Digits beyond these cannot reach a 1024-byte argument buffer anyway.
constexpr int kMaxWidth = 255;
constexpr int kMaxPrecision = 127;
// Every finite double's fraction runs out within 1074 decimal digits.
constexpr int kMaxFractionDigits = 1100;

bool is_digit(char c)
{
   return c >= '0' && c <= '9';
}

// Reads the decimal digits at `pos`, saturating at `limit`.
int read_number(std::string_view text, size_t &pos, int limit)
{
   int value = 0;
   while (pos < text.size() && is_digit(text[pos])) {
      value = std::min(limit, value * 10 + (text[pos] - '0'));
      ++pos;
   }
   return value;
}

std::string group_thousands(const std::string &digits)
{
   std::string grouped;
   for (size_t i = 0; i < digits.size(); ++i) {
      if (i > 0 && (digits.size() - i) % 3 == 0)
         grouped += ',';
      grouped += digits[i];
   }
   return grouped;
}

// Sign and integer digits, padded to the minimum width.
std::string pad_integer(const std::string &sign, const std::string &digits, const TR_FORMAT &format)
{
   std::string body = format.group_thousands ? group_thousands(digits) : digits;
   size_t length = sign.size() + body.size();
   size_t fill = format.width > length ? format.width - length : 0;
   if (format.zero_fill)
      return sign + std::string(fill, '0') + body;
   return std::string(fill, ' ') + sign + body;
}

}

TR_FORMAT tr_parse_format(std::string_view options)
{
   TR_FORMAT format{0, 0, 0, 0, -1, 0};
   size_t pos = 0;
   while (pos < options.size()) {
      char c = options[pos];
      if (c == '+') {
         format.show_plus = 1;
         ++pos;
      } else if (c == ',') {
         format.group_thousands = 1;
         ++pos;
      } else if (c == '0') {
         format.zero_fill = 1;
         ++pos;
      } else if (c >= '1' && c <= '9') {
         format.width = static_cast<unsigned char>(read_number(options, pos, kMaxWidth));
      } else if (c == '.') {
         ++pos;
         if (pos < options.size() && options[pos] == '0') {
            format.dot_zero = 1;
            ++pos;
         }
         format.precision = static_cast<signed char>(read_number(options, pos, kMaxPrecision));
      } else {
         ++pos;
      }
   }
   return format;
}

std::string tr_format_integer(long long value, const TR_FORMAT &format)
{
   // Magnitude without overflowing on the most negative value.
   unsigned long long magnitude =
      value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
   return pad_integer(value < 0 ? "-" : "", std::to_string(magnitude), format);
}

std::string tr_format_double(double value, const TR_FORMAT &format)
{
   std::string sign = std::signbit(value) && !std::isnan(value) && value != 0.0 ? "-"
                      : format.show_plus && !std::isnan(value)                  ? "+"
                                                                                : "";
   double magnitude = std::fabs(value);
   if (!std::isfinite(magnitude))
      return pad_integer(sign, std::isnan(magnitude) ? "nan" : "inf", format);

   double whole = std::floor(magnitude);
   char digits[400];  // DBL_MAX has 309 integer digits
   std::snprintf(digits, sizeof digits, "%.0f", whole);
   std::string text = pad_integer(sign, digits, format);

   // Fraction digits are cut, not rounded; a precision stops them early.
   double fraction = magnitude - whole;
   int limit = format.precision >= 0 ? format.precision : kMaxFractionDigits;
   std::string fraction_digits;
   while (fraction != 0.0 && static_cast<int>(fraction_digits.size()) < limit) {
      fraction *= 10.0;
      double digit = std::floor(fraction);
      fraction -= digit;
      fraction_digits += static_cast<char>('0' + static_cast<int>(digit));
   }
   // A "." with no digit after it says nothing; leave it out.
   if (!fraction_digits.empty())
      text += '.' + fraction_digits;
   return text;
}

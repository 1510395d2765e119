#include "controls/input_value.h"

#include "core/alloc.h"
#include "draw/display_names.h"
#include "toolkit/controls/input_field.h"

#include <allegro.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kFixedDecimals = 4;
constexpr int kThousandthsDecimals = 3;

bool IsScaledKind(int kind)
{
   return kind == 7 || kind == 8;
}

long long UndefinedValue(int kind)
{
   switch (kind) {
   case 1: return 255;
   case 2: return INT16_MIN;  // the bit pattern 32768
   default: return INT32_MIN;
   }
}

bool TakesUndefined(const InputField &f)
{
   return (f.mode & INPUT_MODE_UNDEFINED) && f.kind >= 1 && f.kind <= 4;
}

long long ReadVariable(const InputField &f)
{
   switch (f.kind) {
   case 1: return *static_cast<unsigned char *>(f.value);
   case 2: return *static_cast<short *>(f.value);
   case 4: return *static_cast<long *>(f.value);
   default: return *static_cast<int32_t *>(f.value);  // 3, 7 (fixed), 8
   }
}

void WriteVariable(const InputField &f, long long v)
{
   switch (f.kind) {
   case 1: *static_cast<unsigned char *>(f.value) = static_cast<unsigned char>(v); break;
   case 2: *static_cast<short *>(f.value) = static_cast<short>(v); break;
   case 4: *static_cast<long *>(f.value) = static_cast<long>(v); break;
   default: *static_cast<int32_t *>(f.value) = static_cast<int32_t>(v); break;
   }
}

// Up to `decimals` places, trailing zeros dropped.
std::string FormatScaled(double v, int decimals)
{
   char buf[64];
   std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
   std::string s = buf;
   if (s.find('.') != std::string::npos) {
      while (s.back() == '0')
         s.pop_back();
      if (s.back() == '.')
         s.pop_back();
   }
   return s == "-0" ? "0" : s;
}

std::string FormatValue(const InputField &f, long long v)
{
   if (TakesUndefined(f) && v == UndefinedValue(f.kind))
      return "?";
   if (f.kind == 7)
      return FormatScaled(fixtof(static_cast<fixed>(v)), kFixedDecimals);
   if (f.kind == 8)
      return FormatScaled(static_cast<double>(v) / 1000.0, kThousandthsDecimals);
   return std::to_string(v);
}

bool InRange(int kind, long long v)
{
   switch (kind) {
   case 1: return v >= 0 && v <= 255;
   case 2: return v >= INT16_MIN && v <= INT16_MAX;
   case 4: return v >= LONG_MIN && v <= LONG_MAX;
   default: return v >= INT32_MIN && v <= INT32_MAX;
   }
}

std::optional<long long> ParseWhole(int kind, std::string_view t)
{
   std::size_t i = 0;
   if (kind != 1 && i < t.size() && t[i] == '-')
      ++i;
   for (std::size_t k = i; k < t.size(); ++k)
      if (t[k] < '0' || t[k] > '9')
         return std::nullopt;
   if (i == t.size())
      return 0;  // "" or "-": the number is still being typed
   const std::string s(t);
   errno = 0;
   const long long v = std::strtoll(s.c_str(), nullptr, 10);
   if (errno == ERANGE || !InRange(kind, v))
      return std::nullopt;
   return v;
}

std::optional<long long> ParseScaled(int kind, std::string_view t)
{
   std::size_t i = 0, digits = 0, decimals = 0;
   bool point = false;
   if (i < t.size() && t[i] == '-')
      ++i;
   for (; i < t.size(); ++i) {
      if (t[i] == '.' && !point) {
         point = true;
      } else if (t[i] >= '0' && t[i] <= '9') {
         ++digits;
         decimals += point;
      } else {
         return std::nullopt;
      }
   }
   if (decimals > static_cast<std::size_t>(kind == 7 ? kFixedDecimals : kThousandthsDecimals))
      return std::nullopt;
   if (digits == 0)
      return 0;
   const double d = std::strtod(std::string(t).c_str(), nullptr);
   if (kind == 7)
      return d > -32768.0 && d < 32768.0 ? std::optional<long long>(ftofix(d)) : std::nullopt;
   const double scaled = std::round(d * 1000.0);
   if (scaled < INT32_MIN || scaled > INT32_MAX)
      return std::nullopt;
   return static_cast<long long>(scaled);
}

std::optional<long long> ParseNumber(const InputField &f, std::string_view t)
{
   if (t == "?")
      return TakesUndefined(f) ? std::optional<long long>(UndefinedValue(f.kind)) : std::nullopt;
   return IsScaledKind(f.kind) ? ParseScaled(f.kind, t) : ParseWhole(f.kind, t);
}

void SetNumberText(InputField &f, const std::string &text)
{
   const std::size_t n = std::min(text.size(), f.number.size() - 1);
   std::memcpy(f.number.data(), text.data(), n);
   f.number[n] = '\0';
}

char *&HeapString(const InputField &f)
{
   return *static_cast<char **>(f.value);
}

}

bool IsTextKind(const InputField &f)
{
   return f.kind == 5 || f.kind == 6;
}

const char *FieldText(const InputField &f)
{
   if (f.kind == 5)
      return f.param > 0 ? static_cast<const char *>(f.value) : "";
   if (f.kind == 6)
      return HeapString(f) ? HeapString(f) : "";
   return f.number.data();
}

int FieldCapacity(const InputField &f)
{
   if (f.kind == 5)
      return std::max(f.param - 1, 0);
   if (f.kind == 6)
      return INPUT_TEXT_LIMIT;
   return INPUT_NUMBER_BUFFER;
}

void PrepareField(InputField &f)
{
   if (f.kind == 6 && !HeapString(f)) {
      HeapString(f) = static_cast<char *>(std::calloc(1, 1));
      if (!HeapString(f))
         OutOfMemory();
   }
   if (f.kind == 5 && f.param > 0)
      static_cast<char *>(f.value)[f.param - 1] = '\0';  // a caller's text that filled it all
   if (f.kind == 6 && std::strlen(HeapString(f)) > static_cast<std::size_t>(INPUT_TEXT_LIMIT))
      HeapString(f)[INPUT_TEXT_LIMIT] = '\0';
   if (!IsTextKind(f)) {
      f.shown = ReadVariable(f);
      SetNumberText(f, FormatValue(f, f.shown));
   }
   f.cursor = f.anchor = static_cast<int>(std::strlen(FieldText(f)));
}

void FollowVariable(InputField &f)
{
   const int length = static_cast<int>(std::strlen(FieldText(f)));
   if (!IsTextKind(f)) {
      const long long now = ReadVariable(f);
      if (now != f.shown) {
         f.shown = now;
         SetNumberText(f, FormatValue(f, now));
         f.cursor = f.anchor = static_cast<int>(std::strlen(f.number.data()));
         return;
      }
   }
   f.cursor = std::clamp(f.cursor, 0, length);
   f.anchor = std::clamp(f.anchor, 0, length);
}

bool AcceptText(InputField &f, std::string_view candidate)
{
   if (candidate.size() > static_cast<std::size_t>(FieldCapacity(f)))
      return false;
   if (candidate.find('\0') != std::string_view::npos)
      return false;
   if (!IsTextKind(f)) {
      const std::optional<long long> v = ParseNumber(f, candidate);
      if (!v)
         return false;
      SetNumberText(f, std::string(candidate));
      WriteVariable(f, *v);
      f.shown = ReadVariable(f);
      return true;
   }
   char *dst;
   if (f.kind == 5) {
      dst = static_cast<char *>(f.value);  // capacity checked: param - 1 characters
   } else {
      char *grown = static_cast<char *>(std::realloc(HeapString(f), candidate.size() + 1));
      if (!grown)
         OutOfMemory();
      HeapString(f) = dst = grown;
   }
   std::memmove(dst, candidate.data(), candidate.size());
   dst[candidate.size()] = '\0';
   return true;
}

int SelectionStart(const InputField &f)
{
   return std::min(f.cursor, f.anchor);
}

int SelectionEnd(const InputField &f)
{
   return std::max(f.cursor, f.anchor);
}

bool HasSelection(const InputField &f)
{
   return f.cursor != f.anchor;
}

long long FieldNumber(const InputField &f)
{
   if (!IsTextKind(f))
      return ReadVariable(f);
   return std::strtoll(FieldText(f), nullptr, 10);
}

int StepCharacter(const InputField &f, const char *text, int at, int step)
{
   const int length = static_cast<int>(std::strlen(text));
   if (!f.utf8)
      return std::clamp(at + step, 0, length);
   const auto from = static_cast<std::size_t>(std::clamp(at, 0, length));
   return static_cast<int>(step > 0 ? NextCharacter(text, from) : PreviousCharacter(text, from));
}

bool CanType(const InputField &f, int character)
{
   const int limit = f.utf8 ? 0x110000 : 256;
   return character >= 32 && character < limit && character != 127 && (character < 0xD800 || character > 0xDFFF);
}

std::string TypedText(const InputField &f, int character)
{
   std::string typed;
   if (f.utf8)
      AppendUtf8(static_cast<char32_t>(character), &typed);
   else
      typed.push_back(static_cast<char>(character));
   return typed;
}

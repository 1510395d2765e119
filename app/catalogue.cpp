#include "app/catalogue.h"

#include <allegro.h>

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>

#include "app/catalogue_format.h"

int tr_error = 0;
int tr_line = 0;

namespace {

constexpr int kLineBufferSize = 512;  // a line holds at most 511 bytes
constexpr size_t kFirstResultSize = 500;
constexpr size_t kGrowthStep = 100;
constexpr int kCharSpare = 4;
constexpr int kArgumentSize = 1024;

// The catalogue library's state (tr_error and tr_line are its public side).
struct CatalogueState {
   TRANSLATION *selected = nullptr;
   // tr_text's result; only grows, so repeated lookups stop allocating.
   std::vector<char> result_buffer;
   // Written per parameter; a parameter of unknown type keeps the old contents.
   std::array<std::array<char, kArgumentSize>, TR_MAX_PARAMS> arguments{};
};

CatalogueState &Catalogue()
{
   static CatalogueState state;
   return state;
}

struct PackfileCloser {
   void operator()(PACKFILE *f) const { pack_fclose(f); }
};
using PackfilePtr = std::unique_ptr<PACKFILE, PackfileCloser>;

// An ASCII text of the definition in the current text format.
std::string to_current_format(const char *ascii)
{
   if (!need_uconvert(ascii, U_ASCII, U_CURRENT))
      return ascii;
   std::string converted(std::strlen(ascii) * 4 + 4, '\0');
   do_uconvert(ascii, U_ASCII, converted.data(), U_CURRENT, static_cast<int>(converted.size()));
   converted.resize(std::strlen(converted.c_str()));
   return converted;
}

// Stores an ASCII text into an argument buffer in the current text format,
// cut to the buffer.
void store_ascii_argument(char *buffer, const std::string &ascii)
{
   do_uconvert(ascii.c_str(), U_ASCII, buffer, U_CURRENT, kArgumentSize);
}

// Writes the next argument of parameter type `type` into `buffer`.
void take_argument(const char *type, char *buffer, va_list &args)
{
   std::string_view text = type ? type : "";
   size_t open = text.find('(');
   std::string_view name = text.substr(0, open);
   std::string_view options;
   if (open != std::string_view::npos) {
      options = text.substr(open + 1);
      options = options.substr(0, options.find(')'));
   }

   if (name == "string") {
      const char *s = va_arg(args, const char *);
      ustrzcpy(buffer, kArgumentSize, s ? s : "");
   } else if (name == "int") {
      store_ascii_argument(buffer, tr_format_integer(va_arg(args, int), tr_parse_format(options)));
   } else if (name == "short") {
      auto value = static_cast<short>(va_arg(args, int));
      store_ascii_argument(buffer, tr_format_integer(value, tr_parse_format(options)));
   } else if (name == "uint") {
      store_ascii_argument(buffer, tr_format_integer(va_arg(args, unsigned int), tr_parse_format(options)));
   } else if (name == "ushort") {
      auto value = static_cast<unsigned short>(va_arg(args, int));
      store_ascii_argument(buffer, tr_format_integer(value, tr_parse_format(options)));
   } else if (name == "double") {
      store_ascii_argument(buffer, tr_format_double(va_arg(args, double), tr_parse_format(options)));
   }
}

// Grows the result buffer so that `needed` bytes fit, by the shortfall
// rounded up to whole steps.
void reserve_result(size_t needed)
{
   CatalogueState &state = Catalogue();
   if (needed <= state.result_buffer.size())
      return;
   size_t shortfall = needed - state.result_buffer.size();
   size_t steps = (shortfall + kGrowthStep - 1) / kGrowthStep;
   state.result_buffer.resize(state.result_buffer.size() + steps * kGrowthStep);
}

void append_char(size_t &used, int c)
{
   reserve_result(used + ucwidth(c) + kCharSpare);
   used += usetc(Catalogue().result_buffer.data() + used, c);
}

void append_text(size_t &used, const char *text)
{
   size_t size = ustrsizez(text);  // with its terminator
   reserve_result(used + size);
   std::memcpy(Catalogue().result_buffer.data() + used, text, size);
   used += size - ucwidth(0);
}

int clamped_param_count(const TR_DEFINITION *definition, int n)
{
   if (!definition->items || n >= definition->item_count)
      return 0;
   return std::clamp(definition->items[n].param_count, 0, TR_MAX_PARAMS);
}

}

void tr_init()
{
   if (Catalogue().result_buffer.size() < kFirstResultSize)
      Catalogue().result_buffer.resize(kFirstResultSize);
}

TRANSLATION *tr_load(const TR_DEFINITION *definition, const char *filename, int packed)
{
   tr_line = 0;
   tr_error = 0;

   PackfilePtr file(filename ? pack_fopen(filename, packed ? "rp" : "r") : nullptr);
   if (!file) {
      tr_error = TR_ERR_OPEN;
      return nullptr;
   }

   if (!definition || definition->text_count < 0 || definition->item_count < 0 ||
       (definition->item_count > 0 && !definition->items)) {
      tr_error = TR_ERR_CREATE;
      return nullptr;
   }
   std::unique_ptr<TRANSLATION> translation;
   std::vector<std::string> keys;
   try {
      translation = std::make_unique<TRANSLATION>();
      translation->definition = definition;
      translation->texts.resize(definition->text_count);
      for (int i = 0; i < definition->item_count; ++i)
         keys.push_back(to_current_format(definition->items[i].name));
   } catch (const std::bad_alloc &) {
      tr_error = TR_ERR_CREATE;
      return nullptr;
   }

   // pack_fgets ends a line at LF, CR LF or a lone CR, and gives up (null) on
   // a line longer than the buffer: reading then stops as at the end.
   char line[kLineBufferSize];
   while (pack_fgets(line, sizeof line, file.get())) {
      ++tr_line;
      int first = ugetc(line);
      if (first == 0 || first == '#')
         continue;
      const char *equals = ustrchr(line, '=');
      if (!equals) {
         tr_error = TR_ERR_SYNTAX;
         return nullptr;
      }
      std::string_view line_key(line, static_cast<size_t>(equals - line));
      for (size_t i = 0; i < keys.size(); ++i) {
         if (keys[i] == line_key) {
            tr_set_text(translation.get(), static_cast<int>(i), equals + ucwidth('='));
            break;
         }
      }
   }
   return translation.release();
}

void tr_destroy(TRANSLATION *translation)
{
   if (translation == Catalogue().selected)
      Catalogue().selected = nullptr;
   delete translation;
}

int tr_select(TRANSLATION *translation)
{
   Catalogue().selected = translation;
   return 0;
}

int tr_set_text(TRANSLATION *translation, int n, const char *text)
{
   if (!translation || n < 0 || static_cast<size_t>(n) >= translation->texts.size())
      return -1;
   if (!text) {
      translation->texts[n].reset();
      return 0;
   }
   try {
      // Keeps a whole terminator of the current format (two bytes in UTF-16).
      std::string copy(text, ustrsize(text));
      copy.append(ucwidth(0) - 1, '\0');
      translation->texts[n] = std::move(copy);
   } catch (const std::bad_alloc &) {
      return -1;
   }
   return 0;
}

int tr_is_complete(const TRANSLATION *translation)
{
   if (!translation)
      return 0;
   for (const auto &text : translation->texts) {
      if (!text)
         return 0;
   }
   return 1;
}

const char *tr_text(int n, ...)
{
   CatalogueState &state = Catalogue();
   if (!state.selected)
      return nullptr;

   size_t used = 0;
   reserve_result(ucwidth(0));
   usetc(state.result_buffer.data(), 0);
   if (n < 0 || static_cast<size_t>(n) >= state.selected->texts.size() || !state.selected->texts[n])
      return state.result_buffer.data();

   const TR_DEFINITION *definition = state.selected->definition;
   int param_count = clamped_param_count(definition, n);
   va_list args;
   va_start(args, n);
   for (int j = 0; j < param_count; ++j)
      take_argument(definition->items[n].param_types[j], state.arguments[j].data(), args);
   va_end(args);

   const char *p = state.selected->texts[n]->c_str();
   for (int c = ugetxc(&p); c != 0; c = ugetxc(&p)) {
      if (c != '%') {
         append_char(used, c);
         continue;
      }
      int next = ugetxc(&p);
      if (next == '%') {
         append_char(used, '%');
         continue;
      }
      int param = next >= '0' && next <= '8' ? next - '0' : 9;
      if (param < param_count)
         append_text(used, state.arguments[param].data());
      if (next == 0)
         break;  // a "%" at the very end: nothing follows to read
   }
   usetc(state.result_buffer.data() + used, 0);
   return state.result_buffer.data();
}

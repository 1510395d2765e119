// Fuzz target for catalogue files: the bytes become a ".tra" file, which is
// loaded against the program's catalogue and against one with every
// parameter type; every item is then formatted. The first bytes also serve
// as a number and an options text for the number writer.
#include <allegro.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>

#include "app/catalogue.h"
#include "app/catalogue_format.h"
#include "app/catalogue_items.h"

namespace {

// Short keys, so that mutations reach them easily.
const TR_ITEM typed_items[] = {
   {"i", 1, {"int(+,08)"}},
   {"u", 1, {"uint(,12)"}},
   {"s", 1, {"short(0)"}},
   {"w", 1, {"ushort(5)"}},
   {"d", 1, {"double(+.3)"}},
   {"e", 1, {"double"}},
   {"m", 6, {"int", "uint", "short", "ushort", "double(.02)", "string"}},
   {"t", 10, {"string", "string", "string", "string", "string", "string", "string", "string", "string", "string"}},
   {"x", 2, {"what", "int(x9.)"}},
};
const TR_DEFINITION typed_definition = {9, 9, typed_items};

struct Destroy {
   void operator()(TRANSLATION *t) const { tr_destroy(t); }
};
using Translation = std::unique_ptr<TRANSLATION, Destroy>;

const std::string &scratch_file()
{
   static const std::string path = [] {
      set_uformat(U_ASCII);
      install_allegro(SYSTEM_NONE, &errno, atexit);
      tr_init();
      auto p = std::filesystem::temp_directory_path() / ("kstr-fuzz-tr-" + std::to_string(getpid()) + ".tra");
      return p.string();
   }();
   return path;
}

void format_all(const TRANSLATION *t, const TR_DEFINITION &definition)
{
   tr_select(const_cast<TRANSLATION *>(t));
   for (int n = -1; n <= definition.text_count; ++n) {
      const char *text;
      if (&definition == &typed_definition && n >= 0 && n < 6) {
         switch (n) {
         case 0: text = tr_text(n, -1234567); break;
         case 1: text = tr_text(n, 4000000000u); break;
         case 2: text = tr_text(n, -32768); break;
         case 3: text = tr_text(n, 65535); break;
         case 4: text = tr_text(n, -98765.4321); break;
         default: text = tr_text(n, 1e300); break;
         }
      } else if (&definition == &typed_definition && n == 6) {
         text = tr_text(n, -1, 1u, 2, 3, 0.5, "six");
      } else if (&definition == &typed_definition && n == 8) {
         text = tr_text(n, 42);
      } else {
         text = tr_text(n, "a0", "b1", "c2", "d3", "e4", "f5", "g6", "h7", "i8", "j9");
      }
      if (!text || std::strlen(text) > (1u << 20))
         std::abort();
   }
   tr_select(nullptr);
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
   const std::string &path = scratch_file();
   {
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
   }

   for (int packed = 0; packed <= 1; ++packed) {
      Translation program(tr_load(&CATALOGUE, path.c_str(), packed));
      if (program)
         format_all(program.get(), CATALOGUE);
      Translation typed(tr_load(&typed_definition, path.c_str(), packed));
      if (typed)
         format_all(typed.get(), typed_definition);
   }

   std::remove(path.c_str());

   // The number writer on its own: eight bytes of value, the rest options.
   if (size >= 8) {
      double value;
      std::memcpy(&value, data, sizeof value);
      std::string_view options(reinterpret_cast<const char *>(data) + 8, std::min<size_t>(size - 8, 64));
      TR_FORMAT format = tr_parse_format(options);
      tr_format_double(value, format);
      long long whole;
      std::memcpy(&whole, data, sizeof whole);
      tr_format_integer(whole, format);
   }
   return 0;
}

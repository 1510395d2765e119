#include "player/registry.h"

#include "player/engine.h"

#include <array>
#include <cctype>
#include <string>

namespace {

// Dispatch order: samples, MIDI, the CD, MPEG audio, Ogg, then the modules.
const std::array REGISTRY = {
   &sample_backend, &midi_backend, &cd_backend, &mp3_backend, &ogg_backend, &module_backend,
};

std::string upper_case(std::string text)
{
   for (char &c : text)
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
   return text;
}

// The extension of the name's last path component, upper-cased; empty when
// that component has no dot.
std::string extension_of(const std::string &name)
{
   const std::size_t slash = name.find_last_of("/\\");
   const std::size_t base = slash == std::string::npos ? 0 : slash + 1;
   const std::size_t dot = name.rfind('.');
   if (dot == std::string::npos || dot < base)
      return {};
   return upper_case(name.substr(dot + 1));
}

}

const BACKEND *backend_for_name(const char *name)
{
   if (!name)
      return nullptr;
   const std::string whole(name);
   const bool cd_name = upper_case(whole) == "CDA";
   const std::string extension = extension_of(whole);
   for (const BACKEND *b : REGISTRY) {
      if (b->kind == BACKEND_CD) {
         if (cd_name)
            return b;
         continue;
      }
      if (extension.empty())
         continue;
      for (const char *const *e = b->extensions; e && *e; ++e)
         if (extension == *e)
            return b;
   }
   return nullptr;
}

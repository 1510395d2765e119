#include "app/languages.h"

#include <allegro.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "app/catalogue_items.h"

char language_codes[LANGUAGE_MAX][3];
const char *language_names[LANGUAGE_MAX];
int language_count = 0;
int current_language = 0;
TRANSLATION *current_translation = nullptr;

namespace {

// Storage behind language_names.
std::array<std::string, LANGUAGE_MAX> name_storage;

struct TranslationDeleter {
   void operator()(TRANSLATION *t) const { tr_destroy(t); }
};
using TranslationPtr = std::unique_ptr<TRANSLATION, TranslationDeleter>;

// Closes a directory search however the scan ends.
struct FindGuard {
   al_ffblk *info;
   ~FindGuard() { al_findclose(info); }
};

// Loads one catalogue; on success adds its entry and returns true.
bool add_language(const char *file_name)
{
   char *code = language_codes[language_count];
   ustrzcpy(code, sizeof language_codes[0], file_name);
   char path[64];
   std::snprintf(path, sizeof path, "lang/%s.tra", code);
   TranslationPtr translation(tr_load(&CATALOGUE, path, 0));
   if (!translation)
      return false;
   tr_select(translation.get());
   name_storage[language_count] = tr_text(msg::lang_name);
   language_names[language_count] = name_storage[language_count].c_str();
   ++language_count;
   return true;
}

}

void scan_languages()
{
   free_language_names();
   al_ffblk info;
   if (al_findfirst("lang/??.tra", &info, FA_RDONLY | FA_ARCH) == 0) {
      FindGuard guard{&info};
      do {
         add_language(info.name);
      } while (language_count < LANGUAGE_MAX && al_findnext(&info) == 0);
   }
   tr_select(current_translation);
}

void free_language_names()
{
   for (int i = 0; i < LANGUAGE_MAX; ++i) {
      language_names[i] = nullptr;
      name_storage[i].clear();
      name_storage[i].shrink_to_fit();
   }
   language_count = 0;
}

int find_language(const char *code)
{
   if (!code)
      return -1;
   for (int i = 0; i < language_count; ++i) {
      if (ustrcmp(language_codes[i], code) == 0)
         return i;
   }
   return -1;
}

#include "ui/language_switch.h"

#include "app/catalogue_items.h"
#include "app/catalogue_texts.h"
#include "app/languages.h"
#include "ui/interface_rebuild.h"

#include "toolkit/toolkit.h"

#include <cstdio>
#include <string>

namespace {

struct LANGUAGE_PAGE_STATE {
   // The table entry of the active catalogue; -1 until noted.
   int active = -1;
   // The language list on the page, to show the active entry again.
   int list = -1;
};

LANGUAGE_PAGE_STATE state;

constexpr int kListWidth = 100;

std::string catalogue_path(int index)
{
   char path[32];
   std::snprintf(path, sizeof path, "lang/%s.tra", language_codes[index]);
   return path;
}

// The reason is the loader's, in the English start-up shows: the catalogue
// has no texts for its errors.
void report_unloadable(const std::string &path)
{
   std::string reason = catalogue_error_detail(tr_error, tr_line);
   std::string text = "Error reading translation file " + path + (reason.empty() ? "" : ": " + reason) + "|OK";
   const char *title = tr_text(msg::message);
   AlertBox(title ? std::string(title).substr(0, 49).c_str() : "", text.c_str());
}

// The choice list makes a char * array of const texts; it copies them.
char **name_items()
{
   return const_cast<char **>(language_names);
}

}

void note_active_language()
{
   if (state.active < 0)
      state.active = current_language;
}

void settings_page_language(void *)
{
   BeginGroupBox(PLACE_NEW_ROW, AUTO, 0, AUTO, tr_text(msg::language), GROUP_TITLE_IN_FRAME);
   PlaceLabel(PLACE_NEW_ROW, AUTO, tr_text(msg::current_language));
   PlaceLabel(PLACE_RIGHT, AUTO, tr_text(msg::lang_name));
   PlaceLabel(PLACE_NEW_ROW, AUTO, tr_text(msg::translation_completed));
   PlaceLabel(PLACE_RIGHT, AUTO, tr_text(tr_is_complete(current_translation) == 1 ? msg::yes : msg::no));
   PlaceLabel(PLACE_NEW_ROW, AUTO, tr_text(msg::lang_author_msg));
   state.list = PlaceChoiceList(PLACE_NEW_ROW, AUTO, kListWidth, tr_text(msg::language), &current_language,
                                name_items(), language_count);
   PlaceButton(PLACE_RIGHT, AUTO, tr_text(msg::change_language), language_switch, nullptr);
   EndGroupBox();
}

void language_switch(void *)
{
   note_active_language();
   if (current_language < 0 || current_language >= language_count)
      return;
   const std::string path = catalogue_path(current_language);
   TRANSLATION *next = tr_load(&CATALOGUE, path.c_str(), 0);
   if (!next) {
      current_language = state.active;
      RedrawControl(state.list);
      report_unloadable(path);
      return;
   }
   tr_select(next);
   tr_destroy(current_translation);
   current_translation = next;
   state.active = current_language;
   copy_yes_no_texts();
   request_interface_rebuild(INTERFACE_REBUILD::language);
}

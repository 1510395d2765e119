#include "player/song_errors.h"

#include "app/catalogue_items.h"
#include "player/backend.h"
#include "toolkit/requesters.h"

#include <string>

namespace {

struct SONG_ERROR_TEXT {
   int code;
   msg::Item item;
   const char *english;
};

// English as in lang/en.tra, for catalogues made before these items existed.
const SONG_ERROR_TEXT ERROR_TEXTS[] = {
   {SONG_UNKNOWN_FORMAT, msg::song_unknown_format, "%0 cannot be played: Kestrune does not know this kind of file.|OK"},
   {SONG_OPEN_FAILED, msg::song_open_failed, "%0 cannot be played: the file is missing or cannot be read.|OK"},
   {SONG_EMPTY_FILE, msg::song_empty_file, "%0 cannot be played: the file is empty.|OK"},
   {SONG_REFUSED, msg::song_refused, "%0 cannot be played: the file is damaged or not in the format its name says.|OK"},
   {SONG_NO_VOICE, msg::song_no_voice, "%0 cannot be played: the sound output has no free voice.|OK"},
   {SONG_NO_SOUND, msg::song_no_sound, "%0 cannot be played: no sound driver is working.|OK"},
   {SONG_NO_CD_DRIVE, msg::song_no_cd_drive, "%0 cannot be played: no CD drive was found.|OK"},
};

constexpr const char *ENGLISH_TITLE = "Cannot play";

const SONG_ERROR_TEXT &error_text(int code)
{
   for (const SONG_ERROR_TEXT &t : ERROR_TEXTS)
      if (t.code == code)
         return t;
   return ERROR_TEXTS[0];
}

std::string shown_name(const char *name)
{
   std::string shown = name ? name : "";
   for (char &c : shown)
      if (c == '|')
         c = '\xA6';
   return shown;
}

// "%0" replaced by the name, "%%" by a percent sign, as the catalogue does.
std::string with_name(const char *pattern, const std::string &name)
{
   std::string out;
   for (const char *p = pattern; *p; ++p) {
      if (p[0] == '%' && p[1] == '0') {
         out += name;
         ++p;
      } else if (p[0] == '%' && p[1] == '%') {
         out += '%';
         ++p;
      } else {
         out += *p;
      }
   }
   return out;
}

}

std::string song_error_text(int code, const char *name)
{
   const SONG_ERROR_TEXT &t = error_text(code);
   const std::string shown = shown_name(name);
   const char *translated = tr_text(t.item, shown.c_str());
   if (translated && *translated)
      return translated;
   return with_name(t.english, shown);
}

std::string song_error_title()
{
   const char *translated = tr_text(msg::song_error_title);
   return translated && *translated ? translated : ENGLISH_TITLE;
}

void report_song_error(int code, const char *name)
{
   const std::string title = song_error_title();
   const std::string text = song_error_text(code, name);
   AlertBox(title.c_str(), text.c_str());
}

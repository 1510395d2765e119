#include "ui/settings_save.h"

#include "app/config.h"
#include "app/config_keys.h"
#include "app/languages.h"
#include "player/sound_settings.h"
#include "ui/settings_notice.h"

#include <allegro.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>

namespace {

// Far more than any settings file; bounds reading a file that never ends.
constexpr size_t MAX_CONFIG_BYTES = 1 << 20;

using Written = std::map<std::pair<std::string, std::string>, std::string>;

void put_int(Written &written, const char *section, const char *key, int value)
{
   set_config_int(section, key, value);
   written[{section, key}] = std::to_string(value);
}

void put_string(Written &written, const char *section, const char *key, const char *value)
{
   set_config_string(section, key, value);
   written[{section, key}] = value;
}

std::string trim(const std::string &s)
{
   size_t b = s.find_first_not_of(" \t\r");
   size_t e = s.find_last_not_of(" \t\r");
   return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

bool read_bounded(std::string &bytes)
{
   std::ifstream file(CONFIG_FILE, std::ios::binary);
   if (!file)
      return false;
   bytes.assign(MAX_CONFIG_BYTES, '\0');
   file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
   bytes.resize(static_cast<size_t>(file.gcount()));
   return true;
}

// The platform library adds a missing key at the first blank line after its
// section header, or else at the end of the file: in a hand-written file
// without blank lines between sections the key would land in the wrong
// section. Give every section header a blank line before it, then reload.
void separate_sections()
{
   flush_config_file();
   std::string text;
   if (!read_bounded(text))
      return;
   std::string fixed;
   std::istringstream in(text);
   std::string line;
   bool previous_blank = true;
   bool changed = false;
   while (std::getline(in, line)) {
      bool blank = trim(line).empty();
      if (!previous_blank && trim(line).starts_with('[')) {
         fixed += '\n';
         changed = true;
      }
      fixed += line + '\n';
      previous_blank = blank;
   }
   if (!changed)
      return;
   std::ofstream out(CONFIG_FILE, std::ios::binary | std::ios::trunc);
   out << fixed;
   out.close();
   if (out)
      set_config_file(CONFIG_FILE);
}

// The flush gives no result, so read the file back: every written key must
// be in its section with its value, or the disk does not hold the settings.
bool file_holds(const Written &written)
{
   std::string text;
   if (!read_bounded(text))
      return false;
   std::istringstream in(text);
   Written found;
   std::string line, section;
   while (std::getline(in, line)) {
      line = trim(line);
      if (line.empty() || line[0] == '#')
         continue;
      if (line.front() == '[' && line.back() == ']') {
         section = line.substr(1, line.size() - 2);
         continue;
      }
      size_t eq = line.find('=');
      if (eq != std::string::npos)
         found[{section, trim(line.substr(0, eq))}] = trim(line.substr(eq + 1));
   }
   for (const auto &[where, value] : written) {
      auto it = found.find(where);
      if (it == found.end() || it->second != value)
         return false;
   }
   return true;
}

}

int settings_write()
{
   separate_sections();

   Written written;
   const char *code = language_count > 0 ? language_codes[current_language] : "en";
   put_string(written, "system", "language", code);

   int mode = (gfxmode >= 0 && gfxmode < RESOLUTION_COUNT) ? gfxmode : RESOLUTION_COUNT - 1;
   put_int(written, "gui", "resx", RESOLUTION_TABLE[mode].resx);
   put_int(written, "gui", "resy", RESOLUTION_TABLE[mode].resy);
   put_int(written, "gui", "gfxmode", mode);

   for (const CONFIG_KEY &k : gui_keys())
      put_int(written, k.section, k.key, *k.value);
   for (const SOUND_SETTING &s : SOUND_SETTINGS)
      put_int(written, SOUND_SECTION, s.key, *s.value);

   flush_config_file();
   return file_holds(written) ? 0 : -1;
}

void settings_save(void *)
{
   settings_notice(settings_write() == 0);
}

// Reading and writing the file selector's settings.
#include "file_selector/file_selector_settings.h"

#include <allegro.h>

#include <string>

namespace {

// One table for both directions: key name and the field it fills.
struct IntKey {
   const char *name;
   int SelectorSettings::*field;
};

constexpr IntKey kIntKeys[] = {
   {"Show-image", &SelectorSettings::show_image},
   {"Show-preview", &SelectorSettings::show_preview},
   {"Show-org", &SelectorSettings::show_org},
   {"Show-time", &SelectorSettings::show_time},
   {"Show-size", &SelectorSettings::show_size},
   {"Show-mode", &SelectorSettings::show_mode},
   {"Show-hidden-system", &SelectorSettings::show_hidden_system},
   {"Force-case", &SelectorSettings::force_case},
   {"Show-buffer", &SelectorSettings::show_buffer},
   {"Add-mode", &SelectorSettings::add_mode},
   {"X-pos", &SelectorSettings::x_pos},
   {"Y-pos", &SelectorSettings::y_pos},
   {"Width", &SelectorSettings::width},
   {"Height", &SelectorSettings::height},
   {"Sorting-column", &SelectorSettings::sorting_column},
   {"Sorting-descending", &SelectorSettings::sorting_descending},
   {"Width-path", &SelectorSettings::width_path},
   {"Nr-lists", &SelectorSettings::nr_lists},
};

std::string ColumnKey(int i)
{
   return "Width-" + std::to_string(i);
}

}

SelectorSettings ReadSelectorSettings(const char *section)
{
   SelectorSettings s;
   for (const IntKey &k : kIntKeys)
      s.*k.field = get_config_int(section, k.name, s.*k.field);
   for (int i = 0; i < SELECTOR_COLUMNS; ++i)
      s.column_width[i] = get_config_int(section, ColumnKey(i).c_str(), s.column_width[i]);
   s.width_status = get_config_int(section, "Width-status", 0);
   s.width_select = get_config_int(section, "Width-select", 0);
   s.init_path = get_config_string(section, "Init-path", "");
   return s;
}

void WriteSelectorSettings(const char *section, const SelectorSettings &s, bool has_status, bool has_select)
{
   for (const IntKey &k : kIntKeys)
      set_config_int(section, k.name, s.*k.field);
   for (int i = 0; i < SELECTOR_COLUMNS; ++i)
      set_config_int(section, ColumnKey(i).c_str(), s.column_width[i]);
   if (has_status)
      set_config_int(section, "Width-status", s.width_status);
   if (has_select)
      set_config_int(section, "Width-select", s.width_select);
   set_config_string(section, "Init-path", s.init_path.c_str());
}

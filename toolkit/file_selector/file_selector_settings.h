// The file selector's settings, kept in the section "File-selector" of the
// configuration the application has selected (Allegro's get_config_* and
// set_config_*).
#pragma once

#include <string>

inline constexpr const char *FILE_SELECTOR_SECTION = "File-selector";
inline constexpr int SELECTOR_COLUMNS = 5;

struct SelectorSettings {
   int show_image = 0, show_preview = 0, show_org = 0;
   int show_time = 0, show_size = 0, show_mode = 0;
   int show_hidden_system = 0, force_case = 0, show_buffer = 0, add_mode = 0;
   int x_pos = 0, y_pos = 0;   // pixels * 10240 / screen width (height)
   int width = 0, height = 0;  // window size
   int column_width[SELECTOR_COLUMNS] = {22, 150, 100, 60, 20};
   int sorting_column = 1;
   int sorting_descending = 0;
   int width_status = 0, width_select = 0, width_path = 0;
   int nr_lists = 1;
   std::string init_path;
};

// Reads every key, with the defaults above for missing ones.
SelectorSettings ReadSelectorSettings(const char *section);
// Writes every key back. The width of the status field is written only when
// `has_status` is set, that of the selection field only with `has_select`.
void WriteSelectorSettings(const char *section, const SelectorSettings &s, bool has_status, bool has_select);

// Pictures of the file selector, used in labels and list rows as "#name;".
#pragma once

inline constexpr const char *SELECTOR_ICON_FOLDER = "fs_folder";
inline constexpr const char *SELECTOR_ICON_FILE = "fs_file";
inline constexpr const char *SELECTOR_ICON_UP = "fs_up";
inline constexpr const char *SELECTOR_ICON_NEW_FOLDER = "fs_newfolder";
inline constexpr const char *SELECTOR_ICON_NEW_DATAFILE = "fs_newdatafile";

// Draws them and registers them on the control `owner` (the selector's
// window), so they are freed with it.
void RegisterSelectorIcons(int owner);

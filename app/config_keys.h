// The keys of "./kstr.ini" that start-up reads and settings_save writes, in
// the order of writing. Internal to the configuration code.
#pragma once

#include <span>

struct CONFIG_KEY {
   const char *section;
   const char *key;
   int *value;
   int default_value;
};

// Section "gui" after the resolution triple, in save order.
std::span<const CONFIG_KEY> gui_keys();

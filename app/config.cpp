#include "app/config.h"

#include "app/config_keys.h"

#include <allegro.h>

#include <cstring>

int gfxmode = 0;
int cscheme = 0;
int depth = 2;
int refreshrate = 1;
int fullscreen = 1;
int vsync_flag = 1;
int mouseint = 0;

const DEPTH_ENTRY DEPTH_TABLE[DEPTH_COUNT] = {
   {8, "8bit"}, {15, "15bit"}, {16, "16bit (recommended)"}, {24, "24bit"}, {32, "32bit"},
};

const REFRESH_ENTRY REFRESH_TABLE[REFRESH_COUNT] = {
   {50, "50 Hz"},   {60, "60 Hz (works on all cards/monitors)"},
   {70, "70 Hz"},   {72, "72 Hz"},
   {75, "75 Hz"},   {85, "85 Hz"},
   {100, "100 Hz"}, {120, "120 Hz"},
   {150, "150 Hz"},
};

const RESOLUTION_ENTRY RESOLUTION_TABLE[RESOLUTION_COUNT] = {
   {"640x480", 640, 480},
   {"800x600", 800, 600},
   {"1024x768", 1024, 768},
   {"1600x1200", 1600, 1200},
};

namespace {

const CONFIG_KEY GUI_KEYS[] = {
   {"gui", "depth", &depth, 2},       {"gui", "refreshrate", &refreshrate, 1}, {"gui", "cscheme", &cscheme, 0},
   {"gui", "mouseint", &mouseint, 0}, {"gui", "vsync", &vsync_flag, 1},        {"gui", "fullscreen", &fullscreen, 1},
};

const CONFIG_KEY &gui_key(const char *name)
{
   for (const CONFIG_KEY &k : GUI_KEYS)
      if (std::strcmp(k.key, name) == 0)
         return k;
   return GUI_KEYS[0];
}

int read_key(const CONFIG_KEY &k)
{
   return *k.value = get_config_int(k.section, k.key, k.default_value);
}

int read_in_range(const char *name, int count)
{
   const CONFIG_KEY &k = gui_key(name);
   int v = read_key(k);
   if (v < 0 || v >= count)
      v = *k.value = k.default_value;
   return v;
}

}

std::span<const CONFIG_KEY> gui_keys()
{
   return GUI_KEYS;
}

void config_read_graphics()
{
   // Any value past the table saves as the last entry, so read it as that.
   gfxmode = get_config_int("gui", "gfxmode", 0);
   if (gfxmode < 0 || gfxmode >= RESOLUTION_COUNT)
      gfxmode = RESOLUTION_COUNT - 1;
   read_in_range("cscheme", SCHEME_COUNT);
   read_in_range("depth", DEPTH_COUNT);
   read_in_range("refreshrate", REFRESH_COUNT);
   read_key(gui_key("fullscreen"));
}

void config_read_late_graphics()
{
   read_key(gui_key("mouseint"));
   read_key(gui_key("vsync"));
}

int config_resx()
{
   return get_config_int("gui", "resx", 640);
}
int config_resy()
{
   return get_config_int("gui", "resy", 480);
}

bool config_language_code(char code[3])
{
   const char *value = get_config_string("system", "language", "en");
   if (std::strlen(value) > 2) {
      code[0] = '\0';
      return false;
   }
   std::strcpy(code, value);
   return true;
}

#include "ui/color_schemes.h"

#include "app/config.h"

#include "toolkit/toolkit.h"

#include <allegro.h>

COLOR_SCHEME color_schemes[SCHEME_COUNT];

namespace {

struct Rgb {
   int r, g, b;
};

struct SchemeSource {
   const char *name;
   Rgb slot[SCHEME_SLOTS];
};

constexpr SchemeSource kSchemes[SCHEME_COUNT] = {
   {"Tessel",
    {{255, 255, 255},
     {224, 224, 224},
     {192, 192, 192},
     {128, 128, 128},
     {0, 0, 0},
     {64, 64, 255},
     {0, 0, 255},
     {0, 0, 255},
     {255, 0, 0}}},
   {"Blue",
    {{0, 0, 64},
     {0, 0, 255},
     {0, 0, 192},
     {0, 0, 128},
     {192, 192, 192},
     {255, 0, 224},
     {255, 255, 255},
     {0, 255, 0},
     {128, 128, 128}}},
   {"Dark",
    {{0, 0, 0},
     {128, 128, 128},
     {0, 0, 0},
     {64, 64, 64},
     {192, 192, 192},
     {192, 192, 192},
     {255, 255, 255},
     {255, 0, 0},
     {128, 128, 128}}},
};

}

void color_schemes_init()
{
   for (int s = 0; s < SCHEME_COUNT; ++s) {
      color_schemes[s].name = kSchemes[s].name;
      for (int k = 0; k < SCHEME_SLOTS; ++k) {
         const Rgb &c = kSchemes[s].slot[k];
         color_schemes[s].colour[k] = makecol(c.r, c.g, c.b);
      }
   }
}

void color_scheme_apply(void *)
{
   const int s = cscheme >= 0 && cscheme < SCHEME_COUNT ? cscheme : 0;
   for (int k = 0; k < SCHEME_SLOTS; ++k)
      InterfaceColour[k + 1] = color_schemes[s].colour[k];
   // The main and the settings window, and the desktop around them.
   RedrawScreen();
}

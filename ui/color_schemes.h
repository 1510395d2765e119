// The three colour schemes of the interface and how one is applied.
//
// Contract:
// - color_schemes_init builds every scheme in the pixel format of the colour
//   depth now set; call it after each graphics mode change.
// - color_scheme_apply copies scheme `cscheme` into the toolkit's colour
//   slots 1 to 9 and redraws the screen: the main and the settings window
//   and the desktop around them. A `cscheme`
//   outside the table applies scheme 0. The data pointer is ignored, so it
//   serves as a button action.
#pragma once

inline constexpr int SCHEME_SLOTS = 9;

struct COLOR_SCHEME {
   const char *name;
   int colour[SCHEME_SLOTS];  // toolkit slots 1 to 9
};

// The schemes as built by color_schemes_init.
extern COLOR_SCHEME color_schemes[];

void color_schemes_init();
void color_scheme_apply(void *data);

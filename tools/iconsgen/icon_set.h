// The program's icons: each a file name and its picture. All are 16x16 with
// transparent surroundings, so they sit on a button of any colour scheme.
#pragma once

#include "pixel_art.h"

#include <string>
#include <vector>

namespace kstr::tools {

constexpr int icon_size = 16;

struct Icon {
   std::string file;  // name in its folder, with extension
   Image image;
};

Icon make_icon(std::string file, const std::vector<Layer> &layers);

// The main window's buttons and menu.
std::vector<Icon> player_icons();
// The file selector's buttons and list, which its datafile holds under the
// file names without extension.
std::vector<Icon> file_selector_icons();

}

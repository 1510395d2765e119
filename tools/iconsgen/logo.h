// The about window's logo: the name on a rounded blue plate, beside a round
// orange mark with a note. The plate is opaque, so its smoothed lettering is
// blended against known colours and reads on every colour scheme; only the
// rounded corners are transparent.
#pragma once

#include "image.h"

#include <string>

namespace kstr::tools {

constexpr int logo_width = 200;
constexpr int logo_height = 60;

// Throws std::runtime_error when the font cannot be used.
Image draw_logo(const std::string &bold_font_path);

}

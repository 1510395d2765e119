// Small marks laid over a corner of an icon, shared so that one meaning
// always looks the same: a plus adds or creates, a star is something new.
#pragma once

#include "pixel_art.h"

namespace kstr::tools {

// 8x8, meant for the bottom-right corner.
const Drawing &plus_badge();
// 9x9, meant for the top-left corner.
const Drawing &star_badge();
// 9x9, meant for the top-right corner.
const Drawing &up_arrow_badge();

// The drawing mirrored left to right.
Drawing mirrored(const Drawing &drawing);

}

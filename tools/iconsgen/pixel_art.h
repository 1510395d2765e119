// Icons drawn as rows of characters, one character a pixel, and shaded by one
// rule so that every icon has the same light.
//
// '.' is transparent. Lower-case letters are materials: their pixels get a
// light from the top left, brighter at the top of the icon and along edges
// facing up or left, darker along edges facing down or right. 'k' is an
// outline, coloured as a dark shade of the material it borders most. Upper-
// case letters are flat colours, drawn as they are (marks on a surface).
//
// Contract: every row of a drawing has the same length; an unknown character
// throws std::invalid_argument naming it.
#pragma once

#include "image.h"

#include <string>
#include <vector>

namespace kstr::tools {

using Drawing = std::vector<std::string>;

Image shade(const Drawing &drawing);

// A drawing shaded and laid over others at an offset, such as the small
// badges (a plus, an arrow) in the corner of an icon.
struct Layer {
   Drawing drawing;
   int x = 0;
   int y = 0;
};

Image compose(int width, int height, const std::vector<Layer> &layers);

}

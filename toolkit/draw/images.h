// Named images inside the toolkit: lookup from a container outwards and
// colour-depth conversion. Loading and registering are public (toolkit/images.h).
#pragma once

#include "core/control.h"

#include <memory>

std::shared_ptr<const ImageEntry> FindImage(const Container *box, const char *name);
// A copy of `src` in colour depth `depth`; pixels of the source's mask
// colour become the destination's mask colour.
BitmapPtr ConvertToDepth(BITMAP *src, int depth);

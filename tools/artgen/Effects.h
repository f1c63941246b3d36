#pragma once
// Small effects drawn into pictures: flames, sparks, splashes and clouds.

#include "tools/artgen/Drawing.h"

namespace art {

// A flame standing on `base` (pixels), `height` tall and `width` wide; seed
// changes its flicker.
void Draw_Flame(IndexedImage& img, Vec2 base, double height, double width, int seed);

// A soft round cloud of a ramp, densest at its centre; density 0..1 thins it
// out with an ordered pattern.
void Draw_Cloud(IndexedImage& img, Vec2 centre, double rx, double ry, Ramp ramp, double density, int seed);

}  // namespace art

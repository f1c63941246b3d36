#pragma once
// A small map drawn with the map view's projection and painter's order, to
// check that floors tile, objects stand on their fields and figures read.

#include "tools/artgen/Artwork.h"
#include "tools/artgen/sheet/PngFile.h"

namespace art {

RgbImage Draw_Scene(const Artwork& a);

}  // namespace art

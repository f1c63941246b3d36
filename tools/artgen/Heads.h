#pragma once
// Portraits "ARTWORK\\HEADS\\FEJ001" .. "FEJ023": 64 x 76 pictures drawn with
// their bottom-left corner at the drawing point (hot spot (0, 75)), each with
// its own background so that characters are told apart at a glance.

#include <vector>

#include "tools/artgen/Artwork.h"

namespace art {

constexpr int HEAD_COUNT = 23;
constexpr int HEAD_W = 64, HEAD_H = 76, HEAD_HOT_X = 0, HEAD_HOT_Y = 75;

// Who each portrait shows, head number 1..23 at index 0..22.
const std::vector<const char*>& Head_Descriptions();

std::vector<BitmapSprite> Head_Sprites();

}  // namespace art

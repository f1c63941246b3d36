#pragma once
// A tiny built-in 5 x 7 pixel font for captions drawn into the pictures.

#include <string_view>

#include "tools/artgen/IndexedImage.h"

namespace art {

constexpr int GLYPH_WIDTH = 5;
constexpr int GLYPH_HEIGHT = 7;

// Width in pixels of a text at a scale (one blank column between letters).
int Text_Width(std::string_view text, int scale = 1);

// Draws text with its top-left corner at (x, y); lower-case letters are drawn
// as capitals. With a shadow index other than NO_SHADOW each pixel also gets a
// shadow one pixel right and down.
constexpr int NO_SHADOW = -1;
void Draw_Text(IndexedImage& img, int x, int y, std::string_view text, uint8_t colour, int scale = 1,
               int shadow = NO_SHADOW);
// The same, centred on x.
void Draw_Text_Centred(IndexedImage& img, int cx, int y, std::string_view text, uint8_t colour, int scale = 1,
                       int shadow = NO_SHADOW);

}  // namespace art

#pragma once
// Draws a field-shaped block from a height map: every pixel of the floor
// shape is lifted by its height and the faces toward the viewer are filled
// in, so floors, slopes, hills, steps and walls share one drawing.

#include <functional>

#include "tools/artgen/IndexedImage.h"

namespace art {

struct HeightField {
    // Height in pixels above the ground of the floor pixel (tx, ty) of the 42 x 30 shape.
    std::function<double(int tx, int ty)> height;
    // Colour of the top surface at floor pixel (tx, ty); light is the change of
    // brightness by the surface's tilt (0 for a level surface), edge is +1 on
    // the shape's upper-left border, -1 on its lower-right border, else 0.
    std::function<uint8_t(int tx, int ty, double light, int edge, int px, int py)> top;
    // Colour of an upright face below the top at column tx, `depth` pixels
    // below the top surface and `rise` pixels above the ground; light 0..1.
    std::function<uint8_t(int tx, int depth, int rise, double light, int px, int py)> side;
};

// Draws the block with floor pixel (0, 0) at image pixel (x0, y0). The front
// faces reach down to the ground plus `skirt` more pixels.
void Draw_Height_Field(IndexedImage& img, int x0, int y0, const HeightField& f, int skirt);

// Light (0..1) of an upright face whose lower border runs with the given
// screen slope (pixels down per pixel right).
double Upright_Light(double slope);

// Lowest floor-shape row of a column (its front border), -1 for none.
int Floor_Bottom(int tx);

}  // namespace art

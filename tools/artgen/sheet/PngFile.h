#pragma once
// Writes an RGB picture as a PNG file.

#include <string>
#include <vector>

#include "tools/artgen/Palette.h"

namespace art {

struct RgbImage {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    RgbImage(int w, int h, Rgb fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    void Set(int x, int y, Rgb c) {
        if (x >= 0 && y >= 0 && x < width && y < height) pixels[static_cast<size_t>(y) * width + x] = c;
    }
};

// False (with a message on stderr) when the file cannot be written.
bool Write_Png(const std::string& path, const RgbImage& img);

}  // namespace art

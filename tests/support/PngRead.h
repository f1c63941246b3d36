// Reads a PNG picture (8-bit RGB or with a colour table, as the game's
// screenshots are written) into 0xRRGGBB values, for comparing shots.
#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

namespace fixture {

struct png_picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> rgb;  // top row first
};

// False when the file cannot be read as such a picture.
bool Read_Png(const std::filesystem::path& path, png_picture& out);

}  // namespace fixture

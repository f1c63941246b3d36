// Cursor (.CUR) files: an icon directory of type 2 whose entries carry the
// hot spot, each image a device-independent bitmap of twice the picture's
// height: the colour (XOR) rows, then the rows of the 1-bit AND mask.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// A cursor's picture, ready for a window system.
struct cursor_image {
    int width = 0;
    int height = 0;
    int hot_x = 0;  // inside the picture
    int hot_y = 0;
    std::vector<std::uint32_t> argb;  // 0xAARRGGBB, top row first; alpha 0 is transparent
};

constexpr int MAX_CURSOR_SIDE = 256;

// The image of the entry nearest 32 x 32 pixels (the first of equals);
// nothing when the data is not a cursor file this reader understands
// (uncompressed 1, 4, 8, 24 or 32 bits per pixel) or any part of it lies
// outside the data.
std::optional<cursor_image> Parse_Cursor_File(const std::uint8_t* data, std::size_t size);

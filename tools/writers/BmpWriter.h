// 8-bit BMP files as the game reads them: 14-byte file header, 40-byte info
// header, 256 colours (B, G, R, 0), bottom-up rows padded to 4 bytes, and
// optionally the "FIX" block written over colour entries 1 to 4 (file offset
// 58): hot spot, frame count, a second count and the draw layer.
#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/FileFault.h"

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

struct FixBlock {
    std::int16_t hot_x = 0;
    std::int16_t hot_y = 0;
    std::int16_t frames = 1;        // 0 reads as 1
    std::int16_t second_count = 1;  // unused by the game
    std::int16_t layer = 0;         // the low byte is the draw layer
};

struct Bmp8 {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width x height indexes, top row first
    std::array<Rgb, 256> palette{};
    std::optional<FixBlock> fix;
};

constexpr std::size_t BMP_FIX_OFFSET = 58;

std::vector<std::uint8_t> Encode_Bmp8(const Bmp8& picture);
bool Write_Bmp8(const std::filesystem::path& path, const Bmp8& picture, file_fault* fault = nullptr);

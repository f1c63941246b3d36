// DYS run-length sprite files: a 30-byte little-endian header ("DYS ", a
// 16-bit value, the frame count, a 32-bit value, width, height, x and y
// origin, checksum) followed by the frames (x offset, y offset, data length,
// run-length data).
//
// Run-length data, row after row from the top: runs of (skip, count, count
// palette indexes); 255 in the place of a skip ends the row; 254 at the
// start of a row ends the frame.
#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/FileFault.h"

struct DysFrameImage {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::vector<std::uint8_t> data;  // run-length data, at most 65535 bytes
};

struct DysImage {
    std::int16_t value4 = 0;    // summed into the checksum, no other use
    std::uint32_t value10 = 0;  // the same
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::int16_t x_origin = 0;
    std::int16_t y_origin = 0;
    std::vector<DysFrameImage> frames;
};

constexpr std::uint8_t DYS_END_OF_ROW = 255;
constexpr std::uint8_t DYS_END_OF_FRAME = 254;

// The checksum of a 30-byte header: the sum, modulo 2^32, of the
// sign-extended 16-bit value at 4, the 32-bit values at 6, 10, 14 and 18 and
// the sign-extended 16-bit values at 22 and 24.
std::uint32_t Dys_Checksum(const std::uint8_t* header);

// Run-length data of a picture (width x height indexes, top row first);
// pixels of the transparent index become skips. Trailing empty rows are left
// out (the frame ends early).
std::vector<std::uint8_t> Encode_Dys_Runs(int width, int height, const std::uint8_t* pixels, std::uint8_t transparent);

// The file's bytes with the checksum set; empty when a frame's data is too
// long for its 16-bit length.
std::vector<std::uint8_t> Encode_Dys(const DysImage& image);
bool Write_Dys(const std::filesystem::path& path, const DysImage& image, file_fault* fault = nullptr);

// Cursor (.CUR) files: an icon directory of type 2 with one entry, whose
// hot spot is in the entry, and one device-independent bitmap of twice the
// picture's height: the colour rows, then the 1-bit AND mask (1 =
// transparent), both bottom-up.
#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/FileFault.h"
#include "tools/writers/BmpWriter.h"

struct CurPicture {
    int width = 32;  // 1 .. 256
    int height = 32;
    int hot_x = 0;
    int hot_y = 0;
    std::vector<std::uint8_t> pixels;  // palette indexes, top row first
    std::array<Rgb, 256> palette{};
    int transparent = -1;  // the index the AND mask leaves out; -1 none
};

// The file with the colour rows at bits per pixel (1, 4 or 8: the first 2,
// 16 or 256 palette entries in the colour table; 24 or 32: the colours
// themselves, 32 with alpha 0 where transparent). Empty when the picture
// does not fit (an index too large for the bits, a bad size).
std::vector<std::uint8_t> Encode_Cur(const CurPicture& picture, int bits = 8);
bool Write_Cur(const std::filesystem::path& path, const CurPicture& picture, int bits = 8, file_fault* fault = nullptr);

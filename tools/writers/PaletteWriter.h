// The palette table files: 256 bytes each, a palette index per index
// ("PAL0.CNV", the remap of the run-length sprites; "PAL0.SHD" to
// "PAL3.SHD"). The palette bitmap "PALETTE.BMP" is an ordinary 8-bit BMP
// (Write_Bmp8) whose colour table is the game's palette.
#pragma once
#include <array>
#include <cstdint>
#include <filesystem>

#include "platform/FileFault.h"
#include "tools/writers/BmpWriter.h"

using PaletteTable = std::array<std::uint8_t, 256>;

bool Write_Palette_Table(const std::filesystem::path& path, const PaletteTable& table, file_fault* fault = nullptr);

// A 16 x 16 picture of every colour of the palette.
Bmp8 Palette_Bitmap(const std::array<Rgb, 256>& palette);

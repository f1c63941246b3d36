// .FON bitmap font files: a DOS stub and an NE header whose resource table
// holds a font directory and one FNT (version 2.0) resource per strike, as
// the platform's font loader (FreeType) reads them.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileFault.h"

struct FntGlyph {
    int width = 0;
    std::vector<std::uint8_t> ink;  // width x cell height, 1 = ink, top row first
};

struct FntStrike {
    std::string face;      // the face name fonts are created by
    int pixel_height = 0;  // cell height
    int ascent = 0;        // baseline, from the cell's top
    int internal_leading = 0;
    int point_size = 0;
    int weight = 400;
    bool italic = false;
    std::uint8_t first_char = 32;
    std::uint8_t default_char = '?';  // a character code
    std::uint8_t break_char = ' ';
    std::vector<FntGlyph> glyphs;  // first_char, first_char + 1, ...
};

// One strike as an FNT resource; empty when it does not fit the format.
std::vector<std::uint8_t> Encode_Fnt(const FntStrike& strike);
// A whole .FON file; empty when a strike does not fit.
std::vector<std::uint8_t> Encode_Fon(const std::vector<FntStrike>& strikes, const std::string& module_name);
bool Write_Fon(const std::filesystem::path& path, const std::vector<FntStrike>& strikes, const std::string& module_name,
               file_fault* fault = nullptr);

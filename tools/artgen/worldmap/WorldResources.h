#pragma once
// The world map program's resources in the formats it reads (8-bit BMP
// files, .CUR files, the 768-byte palette), and the C++ source of the table
// that carries them in the program.

#include <cstdint>
#include <string>
#include <vector>

namespace art::worldmap {

struct Resource {
    uint16_t type_id;       // a numbered type (2 bitmap, 1 cursor), 0 when named
    std::string type_name;  // "Palette"
    std::string name;
    std::vector<uint8_t> bytes;
};

// CMAP, HMAP, KERET, PLAYER, LANG, PAL, CURSOR, URES; the same on every run.
std::vector<Resource> World_Map_Resources();

// A source file defining the table and Register_World_Map_Resources(); each
// resource one string literal, written in lines of short chunks.
std::string Resource_Source(const std::vector<Resource>& resources);

}  // namespace art::worldmap

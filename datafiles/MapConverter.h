// The chunked map importer: reads a whole map from "artwork//maps//aa.bin"
// (map size, field heads and words, item types, items, characters, the
// map's fixitem types, stacked fixitems and modifiers) into a new image of
// the world, checks it whole, and only then puts it in place of the world,
// as a map load does. A file it refuses changes nothing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "Objects/Item/Items.h"
#include "datafiles/MapImage.h"

// The file the importer reads, its slashes doubled as the game names it.
constexpr const char* CONVERTER_SOURCE = "artwork//maps//aa.bin";

// ---- The file format (little-endian) ----
// A header, read and ignored, then chunks to the end of the file: a tag of
// four characters and its payload. "MAP " holds u16 width, height, levels
// and extra (the number of stacked fixitems an "FXIT" chunk brings), then
// one map record per field in field order, then one field word per field.
// Every other chunk holds a u16 count and that many records.
constexpr std::size_t CHUNK_MAP_HEADER_SIZE = 4;
constexpr std::size_t CHUNK_TAG_SIZE = 4;
constexpr char TAG_MAP[] = "MAP ";
constexpr char TAG_ITEM_TYPES[] = "ITTP";     // item_type: item types 1..n
constexpr char TAG_ITEMS[] = "ITEM";          // item_record: items 1..n
constexpr char TAG_CHARS[] = "CHAR";          // char_record: characters 0..n-1
constexpr char TAG_FIXITEM_TYPES[] = "FXTP";  // fixitem_type: the map's slots 1..n
constexpr char TAG_FIXITEMS[] = "FXIT";       // map_record: right after the field heads
constexpr char TAG_MODIFIERS[] = "MODI";      // modifier: modifiers 1..n

// The most a chunk may bring: the map's own fixitem type slots end at 239,
// the modifier pool a new map starts with holds 2999 records after its
// sentinel, and no array may reach index 0xFFFF.
constexpr std::uint16_t MAX_IMPORTED_FIXITEM_TYPES = MAP_TYPE_SLOTS - 1;
constexpr std::uint16_t MAX_IMPORTED_MODIFIERS = MOD_ARRAY_START - 1;
// Room for area modifiers an imported map starts with (all free).
constexpr std::uint32_t IMPORTED_AREA_MODIFIERS = 10;

// The sizes and counts of an import. The map size starts as 10 x 10 x 1.
struct ConverterCounts {
    std::uint16_t width = 10, height = 10, levels = 1;
    std::uint16_t item_types = 0;     // records of "ITTP"
    std::uint16_t items = 0;          // records of "ITEM"
    std::uint16_t chars = 0;          // records of "CHAR"
    std::uint16_t fixitem_types = 0;  // records of "FXTP"
    std::uint16_t fixitems = 0;       // records of "FXIT"
    std::uint16_t modifiers = 0;      // records of "MODI"
    std::uint16_t map_records = 0;    // field heads and stacked fixitems
};

// What the last import that went into the world read. The map start-up
// and code that builds a database from the imported map use it.
extern ConverterCounts converter_counts;
// The number of the map's fixitem types the last import brought.
std::uint16_t Converter_Fixitem_Type_Count();
void Reset_Converter_Counts();

// A whole chunked map in memory: the world's image (its run-time handles as
// the file holds them), the item types the map names and what was read.
// Item types 0 and 1 are the built-in rows; they are written when the map
// goes into the world.
struct ImportedMap {
    MapImage image;
    std::vector<item_type> item_types;
    ConverterCounts counts;
};

// Reads a chunked map file of size bytes into out. Empty when the file is a
// complete, consistent map; else the description of the first fault. Of
// the world it only reads what the file does not bring (the view, the game
// speed, the animation types, the built-in fixitem slots 240 to 255).
std::string Read_Chunk_Map(std::istream& in, std::uint64_t size, ImportedMap& out);

// Puts an imported map in place of the world (its run-time handles are
// cleared first), with its item types; converter_counts takes its counts.
void Install_Imported_Map(ImportedMap& map);

// ---- The importer ----
constexpr std::size_t CONVERTER_PATH_SIZE = 64;

// The importer object: the path of the file it reads.
struct MapConverter {
    char path[CONVERTER_PATH_SIZE] = {};
};

// The outcome of an import: no fault when the map went into the world,
// with what the file held.
struct ConverterResult {
    std::string fault;
    ConverterCounts counts;
    bool Ok() const { return fault.empty(); }
};

// Sets the importer's path to CONVERTER_SOURCE.
void Converter_Init(MapConverter& converter);
// Reads the importer's file and, when it is good, puts it in place of the
// world. A missing file is "no source file found..."; every fault leaves
// the world as it was. Shows nothing.
ConverterResult Converter_Load(const MapConverter& converter);
// An importer, Converter_Init, then Converter_Load.
ConverterResult Run_Map_Converter();

// Gives each character the last import read the body sprite
// "RPG\ARTWORK\" + its body name (at most 9 characters), loaded as a bitmap
// sprite; a sprite that cannot be loaded is reported by the loader and
// leaves the character without a body.
void Converter_Load_Char_Sprites();

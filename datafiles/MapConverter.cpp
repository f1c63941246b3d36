// The importer object: reading its file, putting a good map in place of the
// world, what the last import brought, and the body sprites of the
// characters it read.
#include "datafiles/MapConverter.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <system_error>

#include "Objects/Char/Characters.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "datafiles/MapFile.h"
#include "platform/PathResolver.h"

ConverterCounts converter_counts;

namespace {

constexpr const char* NO_SOURCE_FILE = "no source file found...";
// Where the body sprites of imported characters lie, and the surface option
// they are loaded with.
constexpr const char* CHAR_SPRITE_FOLDER = "RPG\\ARTWORK\\";
constexpr int CHAR_SPRITE_OPTIONS = 2048;

}  // namespace

std::uint16_t Converter_Fixitem_Type_Count() { return converter_counts.fixitem_types; }

void Reset_Converter_Counts() { converter_counts = ConverterCounts{}; }

void Install_Imported_Map(ImportedMap& map) {
    Clear_Run_Time_Handles(map.image);
    Replace_World(map.image);
    item_types = std::move(map.item_types);
    Init_Builtin_Item_Types();
    converter_counts = map.counts;
}

void Converter_Init(MapConverter& converter) {
    std::strncpy(converter.path, CONVERTER_SOURCE, sizeof converter.path - 1);
    converter.path[sizeof converter.path - 1] = '\0';
}

ConverterResult Converter_Load(const MapConverter& converter) {
    ConverterResult result;
    const auto path = Resolve_Path(converter.path);
    std::error_code ec;
    const std::uint64_t size = path ? std::filesystem::file_size(*path, ec) : 0;
    std::ifstream in;
    if (path && !ec) in.open(*path, std::ios::binary);
    if (!path || ec || !in) {
        result.fault = NO_SOURCE_FILE;
        return result;
    }
    auto map = std::make_unique<ImportedMap>();
    try {
        result.fault = Read_Chunk_Map(in, size, *map);
    } catch (const std::bad_alloc&) {
        result.fault = "Can't allocate memory for map!";
    }
    result.counts = map->counts;
    if (result.Ok()) Install_Imported_Map(*map);
    return result;
}

ConverterResult Run_Map_Converter() {
    MapConverter converter;
    Converter_Init(converter);
    return Converter_Load(converter);
}

void Converter_Load_Char_Sprites() {
    const std::uint32_t chars = std::min<std::uint32_t>(converter_counts.chars, chararray.Capacity());
    for (std::uint16_t c = 0; c < chars; ++c) {
        if (!Char_In_Use(c)) continue;
        char_record& r = chararray.records[c];
        const std::string name =
            CHAR_SPRITE_FOLDER + std::string(r.body_name, strnlen(r.body_name, sizeof r.body_name));
        r.body_sprite = Sprite_Handle(LoadSprite(name.c_str(), CHAR_SPRITE_OPTIONS));
    }
}

// Chunked map files, the format the game's map importer reads
// ("artwork//maps//aa.bin"): a 4-byte header, then chunks, each a tag of
// four characters and its payload. The chunks are written in the order
// given, and a chunk's count is written as given, apart from its records,
// so that a test can write every fault the importer must refuse.
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "datafiles/MapImage.h"

struct MapChunk {
    std::string tag;                    // four characters
    std::vector<std::uint8_t> payload;  // everything after the tag
};

// "MAP ": width, height, levels and extra (the stacked fixitems of "FXIT"),
// then the field heads and the field words as given.
MapChunk Map_Chunk(std::uint16_t width, std::uint16_t height, std::uint16_t levels, std::uint16_t extra,
                   const std::vector<map_record>& heads, const std::vector<std::uint16_t>& words);

// Any other chunk: the count, then the records' bytes.
MapChunk Record_Chunk_Bytes(const std::string& tag, std::uint16_t count, const void* records, std::size_t bytes);
template <class T>
MapChunk Record_Chunk(const std::string& tag, std::uint16_t count, const std::vector<T>& records) {
    return Record_Chunk_Bytes(tag, count, records.data(), records.size() * sizeof(T));
}

// The file: the header word, then every chunk.
std::vector<std::uint8_t> Chunk_Map_Bytes(const std::vector<MapChunk>& chunks, std::uint32_t header = 0);
// Writes it through a temporary file; false when it could not be written.
bool Write_Chunk_Map(const std::filesystem::path& path, const std::vector<MapChunk>& chunks);

// The chunks of a world image and its item types, in the order "MAP ",
// "ITTP", "FXTP", "FXIT", "ITEM", "CHAR", "MODI": every array up to its last
// record in use (item types, items and modifiers from index 1, the map's
// fixitem type slots from 1 up to the last slot in use, the stacked
// fixitems after the field heads). Free records below the last one in use
// are written as they stand; a map built for the importer has none.
std::vector<MapChunk> Chunks_Of_Image(const MapImage& image, const std::vector<item_type>& types);

#include "tools/writers/ChunkMapWriter.h"

#include <algorithm>

#include "tools/writers/FileWrite.h"

namespace {

// Records named by a free list chained from first through next(i), which
// gives a value at or above the size at the end.
template <class Next>
std::vector<bool> Free_Marks(std::size_t size, std::uint32_t first, Next next) {
    std::vector<bool> marks(size, false);
    for (std::uint32_t i = first; i < size && !marks[i]; i = next(i)) marks[i] = true;
    return marks;
}

// One past the last index at or above low that is not free; low when none.
std::size_t End_Of_Used(const std::vector<bool>& free, std::size_t low) {
    std::size_t end = low;
    for (std::size_t i = low; i < free.size(); ++i)
        if (!free[i]) end = i + 1;
    return end;
}

// Records from .. to - 1, as far as there are any.
template <class T>
std::vector<T> Slice(const std::vector<T>& records, std::size_t from, std::size_t to) {
    to = std::min(to, records.size());
    from = std::min(from, to);
    return std::vector<T>(records.begin() + static_cast<std::ptrdiff_t>(from),
                          records.begin() + static_cast<std::ptrdiff_t>(to));
}

template <class T>
MapChunk Slice_Chunk(const char* tag, const std::vector<T>& records, std::size_t from, std::size_t to) {
    const std::vector<T> slice = Slice(records, from, to);
    return Record_Chunk(tag, static_cast<std::uint16_t>(slice.size()), slice);
}

}  // namespace

MapChunk Map_Chunk(std::uint16_t width, std::uint16_t height, std::uint16_t levels, std::uint16_t extra,
                   const std::vector<map_record>& heads, const std::vector<std::uint16_t>& words) {
    MapChunk chunk{"MAP ", {}};
    for (std::uint16_t v : {width, height, levels, extra}) Put_U16(chunk.payload, v);
    Put_Bytes(chunk.payload, heads.data(), heads.size() * sizeof(map_record));
    Put_Bytes(chunk.payload, words.data(), words.size() * sizeof(std::uint16_t));
    return chunk;
}

MapChunk Record_Chunk_Bytes(const std::string& tag, std::uint16_t count, const void* records, std::size_t bytes) {
    MapChunk chunk{tag, {}};
    Put_U16(chunk.payload, count);
    Put_Bytes(chunk.payload, records, bytes);
    return chunk;
}

std::vector<std::uint8_t> Chunk_Map_Bytes(const std::vector<MapChunk>& chunks, std::uint32_t header) {
    std::vector<std::uint8_t> out;
    Put_U32(out, header);
    for (const MapChunk& c : chunks) {
        Put_Bytes(out, c.tag.data(), c.tag.size());
        Put_Bytes(out, c.payload.data(), c.payload.size());
    }
    return out;
}

bool Write_Chunk_Map(const std::filesystem::path& path, const std::vector<MapChunk>& chunks) {
    return Write_File_Atomic(path, Chunk_Map_Bytes(chunks));
}

std::vector<MapChunk> Chunks_Of_Image(const MapImage& m, const std::vector<item_type>& types) {
    const std::size_t fields = std::min<std::size_t>(m.Total_Fields(), m.map_records.size());
    const std::vector<bool> map_free = Free_Marks(m.map_records.size(), m.map_first_free,
                                                  [&](std::uint32_t i) { return Obj_Index(m.map_records[i].link); });
    const std::size_t map_end = End_Of_Used(map_free, fields);

    std::size_t slots_end = 1;
    for (std::size_t slot = 1; slot < MAP_TYPE_SLOTS; ++slot) {
        const fixitem_type& t = m.fixitem_types[slot];
        if (t.sprite != 0 && (t.flags & FIX_SLOT_FREE) == 0) slots_end = slot + 1;
    }
    const std::vector<bool> item_free =
        Free_Marks(m.items.size(), m.item_first_free, [&](std::uint32_t i) { return Obj_Index(m.items[i].link); });
    std::vector<bool> char_free(m.chars.size());
    for (std::size_t c = 0; c < m.chars.size(); ++c) char_free[c] = (m.chars[c].flags & CF_FREE) != 0;
    const std::vector<bool> mod_free =
        Free_Marks(m.mods.size(), m.mod_first_free, [&](std::uint32_t i) { return std::uint32_t{m.mods[i].next}; });

    std::vector<MapChunk> chunks;
    chunks.push_back(Map_Chunk(static_cast<std::uint16_t>(m.width), static_cast<std::uint16_t>(m.height),
                               static_cast<std::uint16_t>(m.levels), static_cast<std::uint16_t>(map_end - fields),
                               Slice(m.map_records, 0, fields), m.mapfield));
    if (!types.empty()) chunks.push_back(Slice_Chunk("ITTP", types, 1, types.size()));
    const std::vector<fixitem_type> slots(m.fixitem_types.begin(), m.fixitem_types.end());
    chunks.push_back(Slice_Chunk("FXTP", slots, 1, slots_end));
    chunks.push_back(Slice_Chunk("FXIT", m.map_records, fields, map_end));
    chunks.push_back(Slice_Chunk("ITEM", m.items, 1, End_Of_Used(item_free, 1)));
    chunks.push_back(Slice_Chunk("CHAR", m.chars, 0, End_Of_Used(char_free, 0)));
    chunks.push_back(Slice_Chunk("MODI", m.mods, 1, End_Of_Used(mod_free, 1)));
    return chunks;
}

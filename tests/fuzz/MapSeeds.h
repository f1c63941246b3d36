// The map files of the map seeds: small worlds with something in every
// array, written by the game's own map writer, their arrays cut down to what
// the worlds use so that a fuzzer works on small files.
#pragma once
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "datafiles/MapImage.h"

namespace map_seeds {

// Cuts records down to the last record in use and spare more, and chains
// the free records left in their old order, ending at end_new (a list that
// ends at the capacity ends at the new one).
template <class T, class Next, class Set_Next>
inline void Shrink(std::vector<T>& records, std::uint16_t& first_free, std::uint32_t end_old, std::uint32_t end_new,
                   std::size_t spare, Next next, Set_Next set_next) {
    std::vector<bool> is_free(records.size(), false);
    std::vector<std::uint16_t> order;
    for (std::uint32_t i = first_free; i != end_old && i < records.size() && !is_free[i]; i = next(records[i])) {
        is_free[i] = true;
        order.push_back(static_cast<std::uint16_t>(i));
    }
    std::size_t keep = 0;
    for (std::size_t i = 0; i < records.size(); ++i)
        if (!is_free[i]) keep = i + 1;
    keep = std::min(records.size(), keep + spare);
    if (end_new == records.size()) end_new = static_cast<std::uint32_t>(keep);
    records.resize(keep);
    std::vector<std::uint16_t> left;
    for (std::uint16_t i : order)
        if (i < keep) left.push_back(i);
    first_free = left.empty() ? static_cast<std::uint16_t>(end_new) : left[0];
    for (std::size_t k = 0; k < left.size(); ++k)
        set_next(records[left[k]], k + 1 < left.size() ? left[k + 1] : static_cast<std::uint16_t>(end_new));
}

template <class T>
inline void Shrink_Linked(std::vector<T>& records, std::uint16_t& first_free, std::size_t spare) {
    Shrink(
        records, first_free, NO_INDEX, NO_INDEX, spare, [](const T& r) { return std::uint32_t{Obj_Index(r.link)}; },
        [](T& r, std::uint16_t n) { r.link = Make_Obj(OBJ_NONE, n); });
}

template <class T>
inline void Shrink_Next(std::vector<T>& records, std::uint16_t& first_free, std::uint32_t end, std::size_t spare) {
    Shrink(
        records, first_free, end, end, spare, [](const T& r) { return std::uint32_t{r.next}; },
        [](T& r, std::uint16_t n) { r.next = n; });
}

inline void Cut_Down(MapImage& m) {
    Shrink_Linked(m.map_records, m.map_first_free, 6);
    Shrink_Linked(m.items, m.item_first_free, 4);
    Shrink_Linked(m.chars, m.char_first_free, 2);
    Shrink_Linked(m.mapanims, m.mapanim_first_free, 4);
    Shrink_Next(m.mods, m.mod_first_free, NO_INDEX, 8);
    Shrink_Next(m.anim_entries, m.anim_first_free, NO_INDEX, 4);
    Shrink_Next(m.acts, m.act_first_free, static_cast<std::uint32_t>(m.acts.size()), 6);
    // AI slots beyond the used ones, with the relation matrix cut to match.
    const std::size_t old_width = m.iq_slots.size();
    const std::size_t width = std::min<std::size_t>(old_width, m.iq_used + 2u);
    std::vector<std::int8_t> relations(width * width);
    for (std::size_t r = 0; r < width; ++r)
        for (std::size_t c = 0; c < width; ++c) relations[r * width + c] = m.relations[r * old_width + c];
    m.iq_slots.resize(width);
    m.relations = std::move(relations);
}

// The bytes of the world's map file, cut down unless told otherwise; empty
// (with the fault on standard error) when the image fails its checks.
inline std::vector<std::uint8_t> Seed_Bytes(bool cut_down = true) {
    MapImage image;
    Capture_Map_Image(image);
    Clear_Run_Time_Handles(image);
    if (cut_down) Cut_Down(image);
    if (const std::string fault = Check_Map_Image(image); !fault.empty()) {
        std::fprintf(stderr, "seed: %s\n", fault.c_str());
        return {};
    }
    return Write_Map_Image(image);
}

// Writes prefix and then the world's map file (Seed_Bytes) as file.
inline bool Write_Seed(const std::filesystem::path& file, bool cut_down = true,
                       const std::vector<std::uint8_t>& prefix = {}) {
    const std::vector<std::uint8_t> bytes = Seed_Bytes(cut_down);
    if (bytes.empty()) return false;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(prefix.data()), static_cast<std::streamsize>(prefix.size()));
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace map_seeds

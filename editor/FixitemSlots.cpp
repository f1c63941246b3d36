#include "editor/FixitemSlots.h"

#include <string>
#include <utility>
#include <vector>

#include "Objects/Map.h"
#include "Objects/TypeTables.h"
#include "datafiles/Hooks.h"
#include "frontend/MapArtwork.h"

namespace {

// The types on the way down a chain of types they turn into, with the slot
// each got: a chain that leads back to one of them ends at its slot.
using adding_chain = std::vector<std::pair<std::uint32_t, std::uint8_t>>;

std::int32_t Slot_Holding(std::uint32_t d, std::int32_t& last_free) {
    last_free = -1;
    for (int s = 0; s < MAP_TYPE_SLOTS; ++s) {
        if (fixitem_types[s].db_index == static_cast<std::int16_t>(d)) return s;
        if ((fixitem_types[s].flags & FIX_SLOT_FREE) != 0) last_free = s;
    }
    return -1;
}

// The database record over the slot, which keeps its picture and names d.
void Copy_Type_To_Slot(std::uint32_t d, std::uint8_t slot) {
    fixitem_type& t = fixitem_types[slot];
    const std::uint32_t picture = t.sprite;
    t = fixitem_data[d];
    t.sprite = picture;
    t.db_index = static_cast<std::int16_t>(d);
    t.flags = static_cast<std::uint8_t>(t.flags & ~FIX_SLOT_FREE);
}

std::int32_t Add_Type(std::uint32_t d, adding_chain& chain) {
    if (d >= fixitem_data.size()) return -1;
    for (const auto& [type, slot] : chain)
        if (type == d) return slot;
    std::int32_t free_slot = -1;
    std::int32_t slot = Slot_Holding(d, free_slot);
    if (slot < 0) {
        if (free_slot < 0) {
            Editor_Message("Too much fixitem type on this map!");
            return -1;
        }
        slot = free_slot;
        fixitem_types[slot].sprite = 0;
    }
    const auto s = static_cast<std::uint8_t>(slot);
    Copy_Type_To_Slot(d, s);
    if (fixitem_types[s].sprite == 0 && !Load_Slot_Sprite(s))
        Editor_Message(("Can't load bitmap: " + Slot_Sprite_Name(fixitem_types[s]) + ".BMP").c_str());
    const std::uint8_t worse = fixitem_types[s].amortized;
    if (worse != 0) {
        chain.push_back({d, s});
        const std::int32_t worse_slot = Add_Type(worse, chain);
        chain.pop_back();
        fixitem_types[s].amortized = worse_slot > 0 ? static_cast<std::uint8_t>(worse_slot) : 0;
    }
    return slot;
}

}  // namespace

std::int32_t Add_Fixitem_Type_To_Map(std::uint32_t d) {
    adding_chain chain;
    return Add_Type(d, chain);
}

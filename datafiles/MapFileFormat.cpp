// The byte layout of the map file: the header with its twelve record sizes
// and the map globals, then every block in its fixed order.
#include <cstring>

#include "datafiles/FileReader.h"
#include "datafiles/MapImage.h"
#include "platform/FileWrite.h"

namespace {

// Area modifiers, like every other array, are named by 16-bit indexes.
constexpr std::uint32_t MAX_AREA_MODS = 0xFFFF;

// Reads one block after the other; the first fault ends the parse with its
// description.
class MapParser {
  public:
    MapParser(FileReader& file, MapImage& image) : f_(file), m_(image) {}

    std::string Parse() {
        if (!Header()) return fault_;
        if (!Map_Records() || !Fixitem_Types() || !Field_Words() || !Animations() || !Items() || !Chars() ||
            !Modifiers() || !Area_Mods() || !Selection() || !Acts() || !AI_Slots() || !Party() || !Relations())
            return fault_;
        return {};
    }

  private:
    FileReader& f_;
    MapImage& m_;
    std::string fault_;

    bool Fail(const char* what) {
        fault_ = what;
        return false;
    }

    std::uint32_t Size(MapRecordKind k) const { return m_.record_sizes[k]; }

    // capacity (and first free) words, then capacity records of kind k.
    template <class T>
    bool Array(std::vector<T>& records, std::uint16_t& first_free, MapRecordKind k, const char* what) {
        std::uint16_t capacity = 0;
        if (!f_.Value(capacity) || !f_.Value(first_free)) return Fail(what);
        return f_.Record_Vector(records, capacity, Size(k)) || Fail(what);
    }

    bool Header() {
        char magic[MAP_FILE_MAGIC_SIZE];
        if (!f_.Bytes(magic, sizeof magic) || std::memcmp(magic, MAP_FILE_MAGIC, sizeof magic) != 0)
            return Fail("not a map file");
        if (!f_.Records(m_.record_sizes, MAP_RECORD_KINDS, sizeof(std::uint32_t))) return Fail("truncated header");
        for (int k = 0; k < MAP_RECORD_KINDS; ++k)
            if (m_.record_sizes[k] > MAP_RECORD_SIZES[k]) return Fail("record size larger than ours");
        if (!f_.Value(m_.width) || !f_.Value(m_.height) || !f_.Value(m_.levels) || !f_.Value(m_.scroll_x) ||
            !f_.Value(m_.scroll_y) || !f_.Value(m_.shown_level) || !f_.Value(m_.turn_mode) ||
            !f_.Value(m_.clock_step) || !f_.Value(m_.game_speed))
            return Fail("truncated header");
        if (m_.width < 1 || m_.width > MAX_MAP_SIDE || m_.height < 1 || m_.height > MAX_MAP_SIDE || m_.levels < 1 ||
            m_.levels > MAX_MAP_LEVELS)
            return Fail("map size out of range");
        return true;
    }

    bool Map_Records() {
        if (!Array(m_.map_records, m_.map_first_free, MRK_MAP_RECORD, "truncated map records")) return false;
        return m_.map_records.size() >= m_.Total_Fields() || Fail("fewer map records than fields");
    }

    bool Fixitem_Types() {
        return f_.Records(m_.fixitem_types.data(), m_.fixitem_types.size(), Size(MRK_FIXITEM_TYPE)) ||
               Fail("truncated fixitem types");
    }

    bool Field_Words() {
        return f_.Record_Vector(m_.mapfield, m_.Total_Fields(), Size(MRK_FIELD_WORD)) || Fail("truncated field words");
    }

    bool Animations() {
        std::uint16_t entries = 0;
        std::uint16_t mapanims = 0;
        if (!f_.Value(m_.anim_wait) || !f_.Value(m_.anim_cycle) || !f_.Value(m_.mapanim_first_free) ||
            !f_.Value(entries) || !f_.Value(mapanims) || !f_.Value(m_.anim_first_free) || !f_.Value(m_.anim_active))
            return Fail("truncated animation state");
        if (!f_.Record_Vector(m_.anim_entries, entries, Size(MRK_ANIM_ENTRY))) return Fail("truncated animations");
        if (!f_.Record_Vector(m_.mapanims, mapanims, Size(MRK_MAPANIM))) return Fail("truncated map animations");
        return f_.Records(m_.anim_types.data(), m_.anim_types.size(), Size(MRK_ANIM_TYPE)) ||
               Fail("truncated animation types");
    }

    bool Items() { return Array(m_.items, m_.item_first_free, MRK_ITEM, "truncated items"); }
    bool Chars() { return Array(m_.chars, m_.char_first_free, MRK_CHAR, "truncated characters"); }
    bool Modifiers() { return Array(m_.mods, m_.mod_first_free, MRK_MODIFIER, "truncated modifiers"); }

    bool Area_Mods() {
        std::uint32_t count = 0;
        if (!f_.Value(count)) return Fail("truncated area modifiers");
        if (count > MAX_AREA_MODS) return Fail("too many area modifiers");
        return f_.Record_Vector(m_.area_mods, count, Size(MRK_AREA_MOD)) || Fail("truncated area modifiers");
    }

    bool Selection() {
        const bool ok = f_.Value(m_.selected_count) && f_.Value(m_.selected) && f_.Value(m_.select_groups) &&
                        f_.Value(m_.page_char) && f_.Value(m_.decision_budget) && f_.Value(m_.tick_cursor);
        return ok || Fail("truncated selection");
    }

    bool Acts() { return Array(m_.acts, m_.act_first_free, MRK_ACT, "truncated acts"); }
    bool AI_Slots() { return Array(m_.iq_slots, m_.iq_used, MRK_IQ_SLOT, "truncated AI slots"); }

    bool Party() {
        const bool ok = f_.Value(m_.iq_free_count) && f_.Value(m_.iq_free_stack) && f_.Value(m_.main_char) &&
                        f_.Value(m_.main_char_slot) && f_.Value(m_.player_count) && f_.Value(m_.portrait_offset) &&
                        f_.Value(m_.player_chars);
        return ok || Fail("truncated party");
    }

    bool Relations() {
        const std::uint64_t width = m_.iq_slots.size();
        return f_.Record_Vector(m_.relations, width * width, 1) || Fail("truncated relations");
    }
};

template <class T>
void Put_Array(std::vector<std::uint8_t>& out, const std::vector<T>& records) {
    Put_Bytes(out, records.data(), records.size() * sizeof(T));
}

template <class T>
void Put_Value(std::vector<std::uint8_t>& out, const T& value) {
    Put_Bytes(out, &value, sizeof value);
}

// Capacity and first free of an array, then its records.
template <class T>
void Put_Block(std::vector<std::uint8_t>& out, const std::vector<T>& records, std::uint16_t first_free) {
    Put_U16(out, static_cast<std::uint16_t>(records.size()));
    Put_U16(out, first_free);
    Put_Array(out, records);
}

}  // namespace

bool Read_Map_Image(std::istream& in, std::uint64_t size, MapImage& image, std::string* fault) {
    FileReader file(in, size);
    std::string why = MapParser(file, image).Parse();
    if (why.empty()) {
        Settle_View_State(image);
        why = Check_Map_Image(image);
    }
    if (fault != nullptr) *fault = why;
    return why.empty();
}

std::vector<std::uint8_t> Write_Map_Image(const MapImage& m) {
    std::vector<std::uint8_t> out;
    Put_Bytes(out, MAP_FILE_MAGIC, MAP_FILE_MAGIC_SIZE);
    for (std::uint32_t size : MAP_RECORD_SIZES) Put_U32(out, size);
    for (std::uint32_t word : {m.width, m.height, m.levels}) Put_U32(out, word);
    Put_Value(out, m.scroll_x);
    Put_Value(out, m.scroll_y);
    for (std::uint32_t word : {m.shown_level, m.turn_mode, m.clock_step, m.game_speed}) Put_U32(out, word);
    Put_Block(out, m.map_records, m.map_first_free);
    Put_Bytes(out, m.fixitem_types.data(), sizeof m.fixitem_types);
    Put_Array(out, m.mapfield);

    Put_U32(out, m.anim_wait);
    Put_U8(out, m.anim_cycle);
    for (std::size_t word : {std::size_t{m.mapanim_first_free}, m.anim_entries.size(), m.mapanims.size(),
                             std::size_t{m.anim_first_free}, std::size_t{m.anim_active}})
        Put_U16(out, static_cast<std::uint16_t>(word));
    Put_Array(out, m.anim_entries);
    Put_Array(out, m.mapanims);
    Put_Bytes(out, m.anim_types.data(), sizeof m.anim_types);

    Put_Block(out, m.items, m.item_first_free);
    Put_Block(out, m.chars, m.char_first_free);
    Put_Block(out, m.mods, m.mod_first_free);
    Put_U32(out, static_cast<std::uint32_t>(m.area_mods.size()));
    Put_Array(out, m.area_mods);

    Put_U16(out, m.selected_count);
    Put_Value(out, m.selected);
    Put_Value(out, m.select_groups);
    Put_Value(out, m.page_char);
    Put_Value(out, m.decision_budget);
    Put_U32(out, m.tick_cursor);

    Put_Block(out, m.acts, m.act_first_free);
    Put_Block(out, m.iq_slots, m.iq_used);
    Put_U16(out, m.iq_free_count);
    Put_Value(out, m.iq_free_stack);
    Put_U16(out, m.main_char);
    Put_U16(out, m.main_char_slot);
    Put_U32(out, m.player_count);
    Put_U32(out, m.portrait_offset);
    Put_Value(out, m.player_chars);
    Put_Array(out, m.relations);
    return out;
}

// Reading a chunked map file into a new image of the world: the chunks in
// any order, each at most once, every count checked against its limit and
// against what is left of the file before anything is allocated; then the
// arrays as a new map makes them, with the records the file brought in
// their places, and the checks of a map file plus the importer's own.
#include <algorithm>
#include <cstring>
#include <new>
#include <set>

#include "Objects/Char/Party.h"
#include "Objects/GameClock.h"
#include "Objects/MapAnims.h"
#include "datafiles/FileReader.h"
#include "datafiles/ItemData.h"
#include "datafiles/MapConverter.h"

namespace {

// The built-in item types: the empty type and the dead body.
constexpr std::size_t BUILTIN_ITEM_TYPES = 2;

// The most records a chunk may bring into an array that keeps `before`
// records in front of them and `step` free ones after them, so that its
// capacity stays below 0xFFFF.
constexpr std::uint32_t Most_Records(std::uint32_t before, std::uint32_t step) {
    return RECORD_ARRAY_LIMIT - 1 - before - step;
}

// What the chunks brought, record by record.
struct ChunkRecords {
    bool has_map = false;
    std::uint16_t width = 0, height = 0, levels = 0, extra = 0;
    std::vector<map_record> heads;
    std::vector<std::uint16_t> words;
    std::vector<item_type> item_types;
    std::vector<item_record> items;
    std::vector<char_record> chars;
    std::vector<fixitem_type> fixitem_types;
    std::vector<map_record> fixitems;
    std::vector<modifier> mods;

    std::uint32_t Fields() const { return std::uint32_t{width} * height * levels; }
};

// A tag as it appears in a fault's text; bytes that are no printable
// character show as '?'.
std::string Quoted(const std::string& tag) {
    std::string out = "\"";
    for (char c : tag) out += (c >= 0x20 && c < 0x7F) ? c : '?';
    return out + "\"";
}

std::string Truncated(const char* tag) { return "truncated " + Quoted(tag) + " chunk"; }

class ChunkParser {
  public:
    ChunkParser(FileReader& file, ChunkRecords& records) : f_(file), r_(records) {}

    std::string Parse() {
        char header[CHUNK_MAP_HEADER_SIZE];
        if (!f_.Bytes(header, sizeof header)) return "truncated header";
        std::set<std::string> seen;
        while (f_.Remaining() > 0) {
            char tag[CHUNK_TAG_SIZE];
            if (!f_.Bytes(tag, sizeof tag)) return "trailing bytes after the last chunk";
            const std::string name(tag, sizeof tag);
            if (!Known(name)) return "unknown chunk " + Quoted(name);
            if (!seen.insert(name).second) return "repeated " + Quoted(name) + " chunk";
            if (!Chunk(name)) return fault_;
        }
        if (!r_.has_map) return "no " + Quoted(TAG_MAP) + " chunk";
        // A map whose "MAP " counts stacked fixitems that no "FXIT" brings.
        if (r_.fixitems.size() != r_.extra) return " nFixitemLoad != fNum !!!";
        return {};
    }

  private:
    FileReader& f_;
    ChunkRecords& r_;
    std::string fault_;

    bool Fail(std::string what) {
        fault_ = std::move(what);
        return false;
    }

    static bool Known(const std::string& tag) {
        for (const char* t :
             {TAG_MAP, TAG_ITEM_TYPES, TAG_ITEMS, TAG_CHARS, TAG_FIXITEM_TYPES, TAG_FIXITEMS, TAG_MODIFIERS})
            if (tag == t) return true;
        return false;
    }

    bool Chunk(const std::string& tag) {
        if (tag == TAG_MAP) return Map();
        if (tag == TAG_FIXITEMS && !r_.has_map) return Fail(Quoted(TAG_FIXITEMS) + " before " + Quoted(TAG_MAP));
        std::uint16_t n = 0;
        if (!f_.Value(n)) return Fail(Truncated(tag.c_str()));
        if (tag == TAG_ITEM_TYPES)
            return Records(r_.item_types, n, MAX_ITEM_TYPES - 1, TAG_ITEM_TYPES, "too many item types");
        if (tag == TAG_ITEMS)
            return Records(r_.items, n, Most_Records(1, ITEM_ARRAY_STEP), TAG_ITEMS, "too many items");
        if (tag == TAG_CHARS)
            return Records(r_.chars, n, Most_Records(0, CHAR_ARRAY_STEP), TAG_CHARS, "too many characters");
        if (tag == TAG_FIXITEM_TYPES)
            return Records(r_.fixitem_types, n, MAX_IMPORTED_FIXITEM_TYPES, TAG_FIXITEM_TYPES,
                           "too many fixitem types");
        if (tag == TAG_MODIFIERS)
            return Records(r_.mods, n, MAX_IMPORTED_MODIFIERS, TAG_MODIFIERS, "too many modifiers");
        // More would run past the map array, fewer leave records in no list.
        if (n != r_.extra) return Fail(" nFixitemLoad != fNum !!!");
        return Records(r_.fixitems, n, n, TAG_FIXITEMS, "");
    }

    template <class T>
    bool Records(std::vector<T>& into, std::uint16_t n, std::uint32_t most, const char* tag, const char* too_many) {
        if (n > most) return Fail(too_many);
        return f_.Record_Vector(into, n, sizeof(T)) || Fail(Truncated(tag));
    }

    bool Map() {
        if (!f_.Value(r_.width) || !f_.Value(r_.height) || !f_.Value(r_.levels) || !f_.Value(r_.extra))
            return Fail(Truncated(TAG_MAP));
        if (r_.width < 1 || r_.width > MAX_MAP_SIDE || r_.height < 1 || r_.height > MAX_MAP_SIDE || r_.levels < 1 ||
            r_.levels > MAX_MAP_LEVELS)
            return Fail("map size out of range");
        if (r_.Fields() + r_.extra >= RECORD_ARRAY_LIMIT) return Fail("too many map records");
        if (!f_.Fits(r_.Fields(), sizeof(map_record) + sizeof(std::uint16_t)) ||
            !f_.Record_Vector(r_.heads, r_.Fields(), sizeof(map_record)) ||
            !f_.Record_Vector(r_.words, r_.Fields(), sizeof(std::uint16_t)))
            return Fail(Truncated(TAG_MAP));
        r_.has_map = true;
        return true;
    }
};

// ---- The arrays of a new map, as their allocators make them ----

// An array made the way its allocator makes it: the first n records (the
// ones a file brings) kept out of the free list, the rest free; its records
// and free list go to the image.
template <class Array, class T>
void Take_Made(Array& array, std::vector<T>& records, std::uint16_t& first_free) {
    records = std::move(array.records);
    first_free = array.first_free;
}

template <class Array>
Array Made(std::uint32_t capacity, std::uint32_t in_use, bool keep_in_use) {
    Array array;
    if (!array.Allocate(capacity)) throw std::bad_alloc();
    if (keep_in_use) array.Keep_In_Use(in_use);
    array.Chain_Free(in_use, capacity);
    return array;
}

std::uint32_t Growth_Capacity(std::uint32_t used, std::uint32_t step) {
    return std::min(used + step, RECORD_ARRAY_LIMIT);
}

// Map records: the field heads, the stacked fixitems, 500 free.
void New_Map_Records(MapImage& m, const ChunkRecords& r) {
    const std::uint32_t used = r.Fields() + static_cast<std::uint32_t>(r.fixitems.size());
    MapArray array = Made<MapArray>(Growth_Capacity(used, MAP_ARRAY_STEP), used, true);
    std::copy(r.heads.begin(), r.heads.end(), array.records.begin());
    std::copy(r.fixitems.begin(), r.fixitems.end(), array.records.begin() + r.Fields());
    Take_Made(array, m.map_records, m.map_first_free);
}

// Items: record 0 never handed out, 1..n read, 50 free.
void New_Items(MapImage& m, const ChunkRecords& r) {
    const std::uint32_t used = static_cast<std::uint32_t>(r.items.size()) + 1;
    ItemArray array = Made<ItemArray>(Growth_Capacity(used, ITEM_ARRAY_STEP), used, true);
    std::copy(r.items.begin(), r.items.end(), array.records.begin() + 1);
    Take_Made(array, m.items, m.item_first_free);
}

// Characters: 0..n-1 read, 40 free. A character's AI slot belongs to the AI
// arrays of its own map; the imported map gets new ones.
void New_Chars(MapImage& m, const ChunkRecords& r) {
    const std::uint32_t used = static_cast<std::uint32_t>(r.chars.size());
    CharArray array = Made<CharArray>(Growth_Capacity(used, CHAR_ARRAY_STEP), used, false);
    std::copy(r.chars.begin(), r.chars.end(), array.records.begin());
    for (std::uint32_t c = 0; c < used; ++c) array.records[c].ai_slot = NO_INDEX;
    Take_Made(array, m.chars, m.char_first_free);
}

// Modifiers: the sentinel, 1..n read, the rest of the pool's 3000 records
// free, handed out in rising order.
void New_Modifiers(MapImage& m, const ChunkRecords& r) {
    const std::uint32_t used = static_cast<std::uint32_t>(r.mods.size()) + 1;
    ModArray array = Made<ModArray>(MOD_ARRAY_START, used, false);
    modifier& sentinel = array.records[0];
    sentinel.flags = MOD_SENTINEL_FLAGS;
    sentinel.level = MOD_SENTINEL_LEVEL;
    sentinel.owner = NOOBJ;
    sentinel.next = NO_INDEX;
    std::copy(r.mods.begin(), r.mods.end(), array.records.begin() + 1);
    Take_Made(array, m.mods, m.mod_first_free);
}

// The map's fixitem type slots: 1..n read, the rest of 1..239 free; slot 0
// empty; the built-in slots from 240 on stay as the world has them.
void New_Fixitem_Types(MapImage& m, const ChunkRecords& r) {
    std::copy(std::begin(fixitem_types), std::end(fixitem_types), m.fixitem_types.begin());
    std::fill(m.fixitem_types.begin(), m.fixitem_types.begin() + MAP_TYPE_SLOTS, fixitem_type{});
    for (std::size_t slot = r.fixitem_types.size() + 1; slot < MAP_TYPE_SLOTS; ++slot)
        m.fixitem_types[slot].flags = FIX_SLOT_FREE;
    std::copy(r.fixitem_types.begin(), r.fixitem_types.end(), m.fixitem_types.begin() + 1);
}

// Map animations and animated-object entries: all free.
void New_Animations(MapImage& m) {
    MapAnimArray mapanims = Made<MapAnimArray>(MAPANIM_COUNT, 0, false);
    Take_Made(mapanims, m.mapanims, m.mapanim_first_free);
    AnimEntryArray entries = Made<AnimEntryArray>(ANIM_ENTRIES_START, 0, false);
    Take_Made(entries, m.anim_entries, m.anim_first_free);
    m.anim_active = NO_INDEX;
    std::copy(std::begin(anim_types), std::end(anim_types), m.anim_types.begin());
}

// No selection, no AI slots, no party: the map start-up registers the
// characters anew.
void New_Selection_And_AI(MapImage& m) {
    m.selected_count = 0;
    std::fill(std::begin(m.selected), std::end(m.selected), NO_INDEX);
    std::fill(&m.select_groups[0][0], &m.select_groups[0][0] + SELECT_GROUPS * SELECT_SLOTS, NO_INDEX);
    m.page_char = -1;
    m.main_char = NO_INDEX;
    m.main_char_slot = NO_INDEX;
}

void Build_Image(const ChunkRecords& r, ImportedMap& out) {
    MapImage& m = out.image;
    std::copy(std::begin(MAP_RECORD_SIZES), std::end(MAP_RECORD_SIZES), m.record_sizes);
    m.width = r.width;
    m.height = r.height;
    m.levels = r.levels;
    m.scroll_x = scroll_x;
    m.scroll_y = scroll_y;
    m.shown_level = shown_level;
    m.turn_mode = turn_mode;
    m.clock_step = clock_step;
    m.game_speed = game_speed;
    New_Map_Records(m, r);
    m.mapfield = r.words;
    New_Fixitem_Types(m, r);
    New_Animations(m);
    New_Items(m, r);
    New_Chars(m, r);
    New_Modifiers(m, r);
    global_mod free_area{};
    free_area.x0 = free_area.x1 = 0xFFFF;
    m.area_mods.assign(IMPORTED_AREA_MODIFIERS, free_area);
    New_Selection_And_AI(m);

    out.item_types.assign(std::max(r.item_types.size() + 1, BUILTIN_ITEM_TYPES), item_type{});
    std::copy(r.item_types.begin(), r.item_types.end(), out.item_types.begin() + 1);

    ConverterCounts& c = out.counts;
    c.width = r.width;
    c.height = r.height;
    c.levels = r.levels;
    c.item_types = static_cast<std::uint16_t>(r.item_types.size());
    c.items = static_cast<std::uint16_t>(r.items.size());
    c.chars = static_cast<std::uint16_t>(r.chars.size());
    c.fixitem_types = static_cast<std::uint16_t>(r.fixitem_types.size());
    c.fixitems = static_cast<std::uint16_t>(r.fixitems.size());
    c.modifiers = static_cast<std::uint16_t>(r.mods.size());
    c.map_records = static_cast<std::uint16_t>(r.Fields() + r.fixitems.size());
}

// Beyond the checks of a map file, since every array of an imported map
// is its own: each record the file brought is where its owner and its
// position say, so that none lies in no list. Every stacked fixitem lies on
// a field; every item on the field that owns it or in a slot of the
// character that owns it, never both; every character on the field of its
// position; every chained modifier is owned by its chain's object; every
// item names a type of the map's table. Runs on lists and chains that
// Check_Map_Image has found sound.
class ImportChecker {
  public:
    explicit ImportChecker(const ImportedMap& map)
        : map_(map), m_(map.image), fields_(m_.Total_Fields()), stacked_(fields_ + map.counts.fixitems) {}

    std::string Check() {
        Walk_Field_Lists();
        for (std::uint32_t i = fields_; i < stacked_; ++i)
            if (fixitem_field_[i] == NO_FIELD) return "stacked fixitem on no field";
        for (std::uint32_t i = 1; i <= map_.counts.items; ++i) {
            if (m_.items[i].type >= map_.item_types.size()) return "item of an unknown type";
            if (!Item_In_Its_Place(i)) return "item not where its owner is";
        }
        for (std::uint32_t c = 0; c < map_.counts.chars; ++c)
            if (Live(c) && !Char_In_Its_Place(c)) return "character not on its field";
        return Chains_Owned() ? std::string{} : "modifier owned by another object";
    }

  private:
    const ImportedMap& map_;
    const MapImage& m_;
    const std::uint32_t fields_, stacked_;
    // The field whose list holds each record, NO_FIELD for none.
    std::vector<std::uint16_t> fixitem_field_, item_field_, char_field_;

    bool Live(std::uint32_t c) const { return (m_.chars[c].flags & CF_FREE) == 0; }

    void Walk_Field_Lists() {
        fixitem_field_.assign(stacked_, NO_FIELD);
        item_field_.assign(m_.items.size(), NO_FIELD);
        char_field_.assign(m_.chars.size(), NO_FIELD);
        for (std::uint32_t f = 0; f < fields_; ++f)
            for (obj_ref cur = m_.map_records[f].link; Obj_Kind(cur) != OBJ_NONE;) {
                const std::uint16_t i = Obj_Index(cur);
                const auto field = static_cast<std::uint16_t>(f);
                switch (Obj_Kind(cur)) {
                    case OBJ_MAPANIM: cur = m_.mapanims[i].link; break;
                    case OBJ_CHAR:
                        char_field_[i] = field;
                        cur = m_.chars[i].link;
                        break;
                    case OBJ_ITEM:
                        item_field_[i] = field;
                        cur = m_.items[i].link;
                        break;
                    default:
                        if (i < stacked_) fixitem_field_[i] = field;
                        cur = m_.map_records[i].link;
                        break;
                }
            }
    }

    bool Item_In_Its_Place(std::uint32_t i) const {
        const obj_ref owner = m_.items[i].owner;
        if (Obj_Kind(owner) == OBJ_FIXITEM) return item_field_[i] == Obj_Index(owner);
        if (Obj_Kind(owner) != OBJ_CHAR || item_field_[i] != NO_FIELD) return false;
        const std::uint16_t c = Obj_Index(owner);
        if (c >= m_.chars.size() || !Live(c)) return false;
        // Index by index: a packed record's arrays lie at any address.
        for (int slot = 0; slot < CHAR_SLOTS; ++slot)
            if (m_.chars[c].slots[slot] == static_cast<std::int32_t>(i)) return true;
        return false;
    }

    bool Char_In_Its_Place(std::uint32_t c) const {
        const char_record& r = m_.chars[c];
        const std::uint32_t field = r.x + r.y * m_.width + r.map_level * m_.width * m_.height;
        if (char_field_[c] != field) return false;
        // Each item it holds is its own.
        for (int slot = 0; slot < CHAR_SLOTS; ++slot) {
            const std::int16_t item = r.slots[slot];
            if (item > 0 && m_.items[item].owner != Make_Obj(OBJ_CHAR, static_cast<std::uint16_t>(c))) return false;
        }
        return true;
    }

    bool Chain_Owned(std::uint16_t head, obj_ref owner) const {
        for (std::uint32_t i = head; i != NO_INDEX && i != 0; i = m_.mods[i].next)
            if (m_.mods[i].owner != owner) return false;
        return true;
    }

    bool Chains_Owned() const {
        for (std::uint32_t i = 0; i < stacked_; ++i)
            if ((i < fields_ || fixitem_field_[i] != NO_FIELD) &&
                !Chain_Owned(m_.map_records[i].first_mod, Make_Obj(OBJ_FIXITEM, static_cast<std::uint16_t>(i))))
                return false;
        for (std::uint32_t i = 1; i <= map_.counts.items; ++i)
            if (!Chain_Owned(m_.items[i].first_mod, Make_Obj(OBJ_ITEM, static_cast<std::uint16_t>(i)))) return false;
        for (std::uint32_t c = 0; c < map_.counts.chars; ++c)
            if (Live(c) && !Chain_Owned(m_.chars[c].first_mod, Make_Obj(OBJ_CHAR, static_cast<std::uint16_t>(c))))
                return false;
        return true;
    }
};

}  // namespace

std::string Read_Chunk_Map(std::istream& in, std::uint64_t size, ImportedMap& out) {
    FileReader file(in, size);
    ChunkRecords records;
    std::string fault = ChunkParser(file, records).Parse();
    if (!fault.empty()) return fault;
    Build_Image(records, out);
    Settle_View_State(out.image);
    fault = Check_Map_Image(out.image);
    return fault.empty() ? ImportChecker(out).Check() : fault;
}

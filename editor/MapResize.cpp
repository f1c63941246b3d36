#include "editor/MapResize.h"

#include <memory>
#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/PathSearch.h"
#include "datafiles/Hooks.h"
#include "datafiles/LightMap.h"
#include "datafiles/MapImage.h"
#include "frontend/GameLoop.h"

namespace {

constexpr const char* TEXT_TOO_MANY_RECORDS = "Too many map records for this size!";
constexpr const char* TEXT_BAD_FREE_RECORDS = "Damaged free map records: the size was not changed!";

// ---- Free records of an image ----

// The records on a free list that runs from head through next(i), for an
// array of count records; a list that leaves the array or meets a record
// twice is cut there.
template <class Next>
std::vector<bool> Free_Marks(std::size_t count, std::uint32_t head, Next next) {
    std::vector<bool> marks(count, false);
    for (std::uint32_t i = head; i < count && !marks[i]; i = next(i)) marks[i] = true;
    return marks;
}

std::uint32_t Free_Link_Next(obj_ref link) { return Obj_Kind(link) == OBJ_NONE ? Obj_Index(link) : NO_INDEX; }

// ---- The parts of the image ----

void Remap_Map_Records(MapImage& m, const MapRemap& map, const map_size& size) {
    const std::uint32_t old_total = m.Total_Fields();
    const std::uint32_t new_total = size.Fields();
    const std::vector<bool> free = Free_Marks(m.map_records.size(), m.map_first_free,
                                              [&](std::uint32_t i) { return Free_Link_Next(m.map_records[i].link); });
    const auto difference = map.Difference();
    std::vector<map_record> records(
        static_cast<std::size_t>(static_cast<std::int64_t>(m.map_records.size()) + difference));
    for (std::uint32_t f = 0; f < new_total; ++f) {
        records[f].first_mod = NO_INDEX;
        records[f].link = Make_Obj(OBJ_NONE, static_cast<std::uint16_t>(f));
    }
    for (std::uint32_t f = 0; f < old_total && f < m.map_records.size(); ++f) {
        if (!map.Field_Kept(f)) continue;
        map_record& r = records[map.Field(f)];
        r = m.map_records[f];
        r.link = map.Link(r.link);
    }
    for (std::uint32_t i = old_total; i < m.map_records.size(); ++i) {
        const std::uint16_t moved = map.Record(i);
        if (moved >= records.size()) continue;
        map_record& r = records[moved];
        r = m.map_records[i];
        if (free[i]) {
            const std::uint16_t next = Obj_Index(r.link);
            r.link = Make_Obj(OBJ_NONE, next == NO_INDEX ? NO_INDEX : map.Record(next));
        } else {
            r.link = map.Link(r.link);
        }
    }
    m.map_records = std::move(records);
    // A map without free records keeps its empty list.
    m.map_first_free = m.map_first_free == NO_INDEX ? NO_INDEX : map.Record(m.map_first_free);
}

void Remap_Field_Words(MapImage& m, const MapRemap& map, const map_size& size) {
    std::vector<std::uint16_t> words(size.Fields(), 0);
    for (std::uint32_t f = 0; f < m.mapfield.size() && f < m.Total_Fields(); ++f)
        if (map.Field_Kept(f)) words[map.Field(f)] = m.mapfield[f];
    m.mapfield = std::move(words);
}

// The running animations of map records move with them; one whose record
// went with its field is stopped (its entry goes back to the free list).
void Remap_Animation_Entries(MapImage& m, const MapRemap& map) {
    std::vector<anim_entry>& entries = m.anim_entries;
    std::uint16_t previous = NO_INDEX;  // the entry before e on the active list; none: e is its head
    std::uint16_t e = m.anim_active;
    for (std::size_t steps = 0; e < entries.size() && steps < entries.size(); ++steps) {
        anim_entry& a = entries[e];
        const std::uint16_t next = a.next;
        const std::uint16_t record = a.obj_kind == OBJ_FIXITEM ? map.Record(a.obj_index) : a.obj_index;
        if (record == NO_INDEX) {
            if (previous == NO_INDEX)
                m.anim_active = next;
            else
                entries[previous].next = next;
            a.next = m.anim_first_free;
            m.anim_first_free = e;
        } else {
            a.obj_index = record;
            previous = e;
        }
        e = next;
    }
}

void Remap_Map_Animations(MapImage& m, const MapRemap& map) {
    const std::vector<bool> free = Free_Marks(m.mapanims.size(), m.mapanim_first_free,
                                              [&](std::uint32_t i) { return Free_Link_Next(m.mapanims[i].link); });
    for (std::size_t a = 0; a < m.mapanims.size(); ++a) {
        if (free[a]) continue;
        m.mapanims[a].owner = map.Ref(m.mapanims[a].owner);
        m.mapanims[a].link = map.Link(m.mapanims[a].link);
    }
}

void Remap_Items(MapImage& m, const MapRemap& map) {
    const std::vector<bool> free =
        Free_Marks(m.items.size(), m.item_first_free, [&](std::uint32_t i) { return Free_Link_Next(m.items[i].link); });
    for (std::size_t i = 1; i < m.items.size(); ++i) {
        if (free[i]) continue;
        m.items[i].owner = map.Ref(m.items[i].owner);
        m.items[i].link = map.Link(m.items[i].link);
    }
}

// Where the state word that tells what character c does is kept: in its
// record, or while an object animation plays on it in the animation's
// entry (its index; NO_INDEX for the record).
std::uint16_t State_Entry(const MapImage& m, std::uint16_t c) {
    if (m.chars[c].state != CS_SUSPENDED) return NO_INDEX;
    std::size_t steps = 0;
    for (std::uint32_t e = m.anim_active; e < m.anim_entries.size() && steps++ < m.anim_entries.size();
         e = m.anim_entries[e].next) {
        const anim_entry& a = m.anim_entries[e];
        if (a.obj_kind == OBJ_CHAR && a.obj_index == c) return static_cast<std::uint16_t>(e);
    }
    return NO_INDEX;
}

bool Carries_Act(std::uint16_t state) {
    return state == CS_EXECUTING || state == CS_ACT_PREPARED || state == CS_ITEM_ACT;
}

// A character whose step or act named what went with a dropped field stops
// where it stands.
void Stop_Char(MapImage& m, std::uint16_t c, std::uint16_t state_entry) {
    char_record& r = m.chars[c];
    const std::uint16_t stopped = m.turn_mode ? CS_DECIDING : CS_EXECUTE;
    if (state_entry == NO_INDEX)
        r.state = stopped;
    else
        m.anim_entries[state_entry].saved_state = stopped;
    r.act = 0;
    r.target = 0;
    r.source = 0;
    r.offset_x = 0;
    r.offset_y = 0;
}

void Remap_Chars(MapImage& m, const MapRemap& map) {
    for (std::size_t i = 0; i < m.chars.size(); ++i) {
        const auto c = static_cast<std::uint16_t>(i);
        char_record& r = m.chars[c];
        if ((r.flags & CF_FREE) != 0) continue;
        r.link = map.Link(r.link);
        const std::uint16_t entry = State_Entry(m, c);
        const std::uint16_t state = entry == NO_INDEX ? r.state : m.anim_entries[entry].saved_state;
        if (state == CS_STEPPING) {
            // Stepping: the act word holds the destination field.
            const std::uint16_t destination = map.Field(r.act & 0xFFFF);
            if (destination == NO_INDEX)
                Stop_Char(m, c, entry);
            else
                r.act = destination;
        } else if (Carries_Act(state)) {
            const obj_ref source = map.Ref(r.source);
            if (Obj_Kind(r.source) == OBJ_FIXITEM && source == NOOBJ)
                Stop_Char(m, c, entry);
            else
                r.source = source;
        }
    }
}

// A caster named in p3 (kind) and p4 (index).
void Remap_Caster(modifier& r, const MapRemap& map) {
    if (r.p3 != OBJ_FIXITEM) return;
    const obj_ref caster = map.Ref(Make_Obj(r.p3, r.p4));
    r.p3 = Obj_Kind(caster);
    r.p4 = Obj_Index(caster);
}

// The parameters that name fields (the programs' destinations, posts and
// patrols) or map records (the fog's and the fire's own records).
void Remap_Parameters(modifier& r, const MapRemap& map) {
    switch (r.type) {
        case MK_BASIC_MONSTER:
        case MK_STANDING_GUARD:
        case MK_TELEPORT: r.p1 = map.Field(r.p1); break;
        case MK_MOVING_GUARD:
            r.p1 = map.Field(r.p1);
            r.p2 = map.Field(r.p2);
            r.p4 = map.Field(r.p4);
            break;
        case MK_EVIL_FOG:
            r.p2 = map.Record(r.p2);
            Remap_Caster(r, map);
            break;
        case MK_FIRE: r.p2 = map.Record(r.p2); break;
        case MK_FIRE_WALL:
        case MK_LIVING_TORCH: Remap_Caster(r, map); break;
        default: break;
    }
}

void Remap_Modifiers(MapImage& m, const MapRemap& map) {
    const std::vector<bool> free =
        Free_Marks(m.mods.size(), m.mod_first_free, [&](std::uint32_t i) { return std::uint32_t{m.mods[i].next}; });
    // Record 0 is the sentinel; the records of the area modifiers are in
    // use whatever owner they name.
    for (std::size_t i = 1; i < m.mods.size(); ++i) {
        if (free[i]) continue;
        m.mods[i].owner = map.Ref(m.mods[i].owner);
        Remap_Parameters(m.mods[i], map);
    }
}

// An act aimed at what went with a dropped field is emptied, as the AI
// empties an act it cannot carry out.
void Remap_Act(act_entry& a, const MapRemap& map) {
    const obj_ref target = map.Ref(a.target);
    if (Obj_Kind(a.target) == OBJ_FIXITEM && target == NOOBJ) {
        a.type = ACT_NONE;
        a.target = NOOBJ;
        a.arg1 = 0;
        a.arg2 = 0;
        a.priority = 0;
        return;
    }
    a.target = target;
    if ((a.type & ACT_KIND_MASK) == ACT_RELATION) a.arg1 = map.Field(a.arg1);
}

void Remap_AI(MapImage& m, const MapRemap& map) {
    const std::uint32_t acts = static_cast<std::uint32_t>(m.acts.size());
    for (std::uint32_t s = 0; s < m.iq_slots.size(); ++s) {
        iq_slot& slot = m.iq_slots[s];
        if (s >= m.iq_used || Obj_Kind(slot.object) == OBJ_NONE) continue;
        slot.object = map.Ref(slot.object);
        std::uint32_t steps = 0;
        for (std::uint32_t a = slot.first_act; a < acts && steps++ < acts; a = m.acts[a].next)
            Remap_Act(m.acts[a], map);
    }
}

// ---- The world before the resize ----

// Every object of a dropped field is destroyed, first to last, and its head
// cleared; a character among them leaves the player's side first.
void Empty_Dropped_Fields(const MapRemap& map) {
    const std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t f = 0; f < total_fields; ++f) {
        if (map.Field_Kept(f)) continue;
        for (std::uint32_t steps = 0; steps <= limit; ++steps) {
            const obj_ref first = maparray.records[f].link;
            if (Obj_Kind(first) == OBJ_NONE) break;
            if (Obj_Kind(first) == OBJ_CHAR) Forget_Char(Obj_Index(first));
            Destroy_Object(first);
            if (maparray.records[f].link == first) break;  // it would not go
        }
        Clear_Field_Head(static_cast<std::uint16_t>(f));
    }
}

// Whether an AI slot's object is still on the map.
bool Object_Remains(obj_ref object, const MapRemap& map) {
    const std::uint16_t i = Obj_Index(object);
    switch (Obj_Kind(object)) {
        case OBJ_CHAR: return Char_In_Use(i);
        case OBJ_ITEM: return i != 0 && i < itemarray.Capacity() && !Item_Record_Is_Free(i);
        case OBJ_FIXITEM:
            if (i < total_fields) return map.Field_Kept(i);
            return i < maparray.Capacity() && !Map_Record_Is_Free(i);
        default: return true;
    }
}

// The slots of thinking fixitems and items destroyed with their fields.
void Free_Slots_Of_Gone_Objects(const MapRemap& map) {
    for (std::uint16_t s = 0; s < iqarray.used && s < iqarray.Capacity(); ++s)
        if (IQ_Slot_In_Use(s) && !Object_Remains(iqarray.records[s].object, map)) Free_IQ_Slot(s);
}

}  // namespace

// ---- Sizes ----

bool Valid_Map_Size(const map_size& s) {
    return s.width >= MIN_MAP_SIDE && s.width <= MAX_MAP_SIDE && s.height >= MIN_MAP_SIDE && s.height <= MAX_MAP_SIDE &&
           s.levels >= MIN_MAP_LEVELS && s.levels <= MAX_MAP_LEVELS;
}

map_size Current_Map_Size() { return {map_width, map_height, map_levels}; }

bool Size_Drops_Fields(const map_size& s) {
    return s.width < map_width || s.height < map_height || s.levels < map_levels;
}

// ---- MapRemap ----

MapRemap::MapRemap(const map_size& from, const map_size& to)
    : from_(from), to_(to), from_total_(from.Fields()), to_total_(to.Fields()) {}

bool MapRemap::Field_Kept(std::uint32_t f) const {
    if (f >= from_total_) return false;
    const std::uint32_t per_level = from_.width * from_.height;
    const std::uint32_t x = f % from_.width, y = (f % per_level) / from_.width, level = f / per_level;
    return x < to_.width && y < to_.height && level < to_.levels;
}

std::uint16_t MapRemap::Field(std::uint32_t f) const {
    if (!Field_Kept(f)) return NO_INDEX;
    const std::uint32_t per_level = from_.width * from_.height;
    const std::uint32_t x = f % from_.width, y = (f % per_level) / from_.width, level = f / per_level;
    return static_cast<std::uint16_t>(x + y * to_.width + level * to_.width * to_.height);
}

std::uint16_t MapRemap::Record(std::uint32_t r) const {
    if (r < from_total_) return Field(r);
    const std::int64_t moved = static_cast<std::int64_t>(r) + Difference();
    return r >= NO_INDEX || moved >= NO_INDEX ? NO_INDEX : static_cast<std::uint16_t>(moved);
}

obj_ref MapRemap::Ref(obj_ref r) const {
    if (Obj_Kind(r) != OBJ_FIXITEM) return r;
    const std::uint16_t record = Record(Obj_Index(r));
    return record == NO_INDEX ? NOOBJ : Make_Obj(OBJ_FIXITEM, record);
}

obj_ref MapRemap::Link(obj_ref link) const {
    switch (Obj_Kind(link)) {
        case OBJ_NONE: return Make_Obj(OBJ_NONE, Field(Obj_Index(link)));
        case OBJ_FIXITEM: {
            const obj_ref moved = Ref(link);
            return moved == NOOBJ ? Make_Obj(OBJ_NONE, NO_INDEX) : moved;
        }
        default: return link;
    }
}

// ---- The resize ----

const char* Resize_Refusal(const map_size& size) {
    const std::int64_t capacity =
        static_cast<std::int64_t>(maparray.Capacity()) + static_cast<std::int64_t>(size.Fields()) - total_fields;
    if (capacity > static_cast<std::int64_t>(RECORD_ARRAY_LIMIT)) return TEXT_TOO_MANY_RECORDS;
    // The free list, walked as the resize will carry it over.
    std::vector<bool> met(maparray.Capacity(), false);
    for (std::uint32_t i = maparray.first_free; i != NO_INDEX; i = Obj_Index(maparray.records[i].link)) {
        if (i < total_fields || i >= maparray.Capacity() || met[i]) return TEXT_BAD_FREE_RECORDS;
        if (Obj_Kind(maparray.records[i].link) != OBJ_NONE) return TEXT_BAD_FREE_RECORDS;
        met[i] = true;
    }
    return nullptr;
}

void Remap_Map_Image(MapImage& m, const map_size& size) {
    const MapRemap map({m.width, m.height, m.levels}, size);
    Remap_Map_Records(m, map, size);
    Remap_Field_Words(m, map, size);
    Remap_Animation_Entries(m, map);
    Remap_Map_Animations(m, map);
    Remap_Items(m, map);
    Remap_Chars(m, map);
    Remap_Modifiers(m, map);
    Remap_AI(m, map);
    Clear_Held_Handles(m);
    m.width = size.width;
    m.height = size.height;
    m.levels = size.levels;
    if (m.shown_level >= size.levels) m.shown_level = size.levels - 1;
}

bool Resize_Map(const map_size& size) {
    if (!Valid_Map_Size(size)) return false;
    if (size == Current_Map_Size()) return true;
    if (const char* refusal = Resize_Refusal(size)) {
        Editor_Message(refusal);
        return false;
    }
    // The cursor marks and a shown path name fields of the old numbering.
    Hook_Unmark_Cursor_Fields();
    Hide_Path_Cursor();
    const MapRemap map(Current_Map_Size(), size);
    Empty_Dropped_Fields(map);
    Free_Slots_Of_Gone_Objects(map);
    const obj_ref working = Object_Remains(current_object, map) ? map.Ref(current_object) : NOOBJ;

    auto image = std::make_unique<MapImage>();
    Capture_Map_Image(*image);
    Remap_Map_Image(*image, size);
    const std::string fault = Check_Map_Image(*image);
    if (!fault.empty()) {
        // Never expected: the world stays at its size.
        Editor_Message(("The resized map fails its checks: " + fault).c_str());
        return false;
    }
    Install_Map_Image(*image);
    current_object = working;
    Compute_Light_Map();
    Init_Path_Arrays();
    Init_All_Object_Values();
    redraw_request = 1;
    return true;
}

// Object_Request: base value from the object's record and type, then every
// active modifier bearing on the object (area modifiers, the chain of its
// field's head, its own chain and, for a character, the chains of the items
// it wears or holds), only the first of each kind counting, then for change
// requests the write into the record.
#include "Objects/RequestEngine.h"

#include <bit>
#include <cassert>
#include <cstddef>
#include <cstring>
#include <vector>

#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Requests.h"
#include "System/ErrorReport.h"

std::int32_t last_request = 0;

void Reset_Request_Engine_State() { last_request = 0; }

namespace {

void From_Field(std::uint16_t field, Located& where) {
    where.field = field;
    if (field >= total_fields) {
        where.x = where.y = where.level = 0;
        return;
    }
    where.x = static_cast<std::uint16_t>(Field_X(field));
    where.y = static_cast<std::uint16_t>(Field_Y(field));
    where.level = static_cast<std::uint16_t>(Field_Level(field));
}

void From_Char(std::uint16_t c, Located& where) {
    const char_record& r = chararray.records[c];
    where.x = static_cast<std::uint16_t>(r.x);
    where.y = static_cast<std::uint16_t>(r.y);
    where.level = static_cast<std::uint16_t>(r.map_level);
    where.field = Char_Record_Field(r);
}

// The applied-kinds set of one walk, one bit per kind, and the value it
// carries.
struct Walk {
    obj_ref subject, object;
    RequestValue other;
    request_no request;
    RequestValue value;
    std::uint32_t applied = 0;
    std::uint32_t handlers_called = 0;

    void Apply(std::uint16_t m) {
        const modifier& r = mod_array.records[m];
        if (r.flags & MOD_INACTIVE) return;
        const std::uint32_t type = r.type;
        if (type >= MOD_KIND_COUNT) return;  // a corrupt record; loaders refuse them
        const std::uint32_t bit = 1u << type;
        if (applied & bit) return;
        applied |= bit;
        if (mod_handler h = mod_types[type].handler) {
            ++handlers_called;
            value = h(subject, object, other, m, request, value);
        }
    }

    void Walk_Chain(std::uint16_t head) {
        For_Each_In_Chain(head, [this](std::uint16_t m) { Apply(m); });
    }

    void Chain(std::uint16_t head) {
        if (head != NO_INDEX) Walk_Chain(head);  // most chains are empty
    }
};
static_assert(MOD_KIND_COUNT <= 32, "the applied-kinds set is one word");

constexpr int WORN_SLOTS = SLOT_RIGHT_HAND - SLOT_HELM + 1;

bool In_Box_Strict(const global_mod& g, const Located& at) {
    return g.x0 < at.x && at.x < g.x1 && g.y0 < at.y && at.y < g.y1 && g.z0 < at.level && at.level < g.z1;
}

bool In_Box_Inclusive(const global_mod& g, const Located& at) {
    return g.x0 <= at.x && at.x <= g.x1 && g.y0 <= at.y && at.y <= g.y1 && g.z0 <= at.level && at.level <= g.z1;
}

// The area entries a walk can meet while an Area_Modifier_Scope lives: the
// indexes, in array order, of the boxes that can hold a character's or
// item's position (strict) and a fixitem's (inclusive).
struct AreaLists {
    int depth = 0;
    const global_mod* begin = nullptr;
    const global_mod* end = nullptr;
    std::vector<std::uint16_t> strict, inclusive;
#ifndef NDEBUG
    std::vector<global_mod> seen;  // to check that nobody wrote an entry meanwhile
#endif

    bool Same_Array() const {
        return global_modifiers.data() == begin && global_modifiers.data() + global_modifiers.size() == end;
    }
    bool Current() const { return depth > 0 && Same_Array(); }
};
AreaLists area_lists;

// A box x0 < x < x1 (and so for y and level) holds a position only when it
// is at least two wide on every axis.
bool Strict_Box_Holds_Any(const global_mod& g) { return g.x1 > g.x0 + 1 && g.y1 > g.y0 + 1 && g.z1 > g.z0 + 1; }

// A fixitem stands at a field of the map, or at 0, 0, 0 when it has none.
bool Inclusive_Box_Holds_Any(const global_mod& g) {
    const std::uint32_t last_x = map_width > 0 ? map_width - 1 : 0;
    const std::uint32_t last_y = fields_per_level > 0 && map_width > 0 ? fields_per_level / map_width - 1 : 0;
    const std::uint32_t last_level = fields_per_level > 0 && total_fields > 0 ? total_fields / fields_per_level - 1 : 0;
    return g.x0 <= g.x1 && g.y0 <= g.y1 && g.z0 <= g.z1 && g.x0 <= last_x && g.y0 <= last_y && g.z0 <= last_level;
}

void List_Area_Entries() {
    area_lists.begin = global_modifiers.data();
    area_lists.end = global_modifiers.data() + global_modifiers.size();
    area_lists.strict.clear();
    area_lists.inclusive.clear();
    for (std::size_t k = 0; k < global_modifiers.size(); ++k) {
        if (Strict_Box_Holds_Any(global_modifiers[k])) area_lists.strict.push_back(static_cast<std::uint16_t>(k));
        if (Inclusive_Box_Holds_Any(global_modifiers[k])) area_lists.inclusive.push_back(static_cast<std::uint16_t>(k));
    }
#ifndef NDEBUG
    area_lists.seen = global_modifiers;
#endif
}

template <bool Inclusive>
void Area_Entry(Walk& walk, const Located& at, std::size_t k) {
    const global_mod& g = global_modifiers[k];
    const bool inside = Inclusive ? In_Box_Inclusive(g, at) : In_Box_Strict(g, at);
    if (inside && g.mod < mod_array.Capacity()) walk.Apply(g.mod);
}

template <bool Inclusive>
void Listed_Area_Modifiers(Walk& walk, const Located& at, const std::vector<std::uint16_t>& live) {
    for (std::size_t n = 0; n < live.size(); ++n) Area_Entry<Inclusive>(walk, at, live[n]);
}

template <bool Inclusive>
void All_Area_Modifiers(Walk& walk, const Located& at) {
    for (std::size_t k = 0; k < global_modifiers.size(); ++k) Area_Entry<Inclusive>(walk, at, k);
}

template <bool Inclusive>
inline void Area_Modifiers(Walk& walk, const Located& at) {
    if (!area_lists.Current()) {
        All_Area_Modifiers<Inclusive>(walk, at);
        return;
    }
    const std::vector<std::uint16_t>& live = Inclusive ? area_lists.inclusive : area_lists.strict;
    if (!live.empty()) Listed_Area_Modifiers<Inclusive>(walk, at, live);
}

inline void Field_Head_Chain(Walk& walk, const Located& at) {
    if (at.field < total_fields && at.field < maparray.Capacity()) walk.Chain(maparray.records[at.field].first_mod);
}

// A hand holds a weapon or a shield; an item of a type out of the table is
// reported and counts as neither.
bool Hand_Item_Counts(std::uint16_t item) {
    const std::uint16_t type = itemarray.records[item].type;
    if (type < item_types.size()) return item_types[type].item_class < CLASS_HELM;
    const item_type* t = Item_Type_Of(item);
    return t != nullptr && t->item_class < CLASS_HELM;
}

// One bit per slot from SLOT_HELM to SLOT_RIGHT_HAND that is not 0, read
// from character c's record as it is now. Most characters wear nothing but
// what they hold in the right hand: the other slots are tested at once.
std::uint32_t Filled_Worn_Slots(std::uint16_t c) {
    // Read straight from the record: a copy through a local array would
    // stall on reading back its overlapping halves.
    const unsigned char* worn = reinterpret_cast<const unsigned char*>(&chararray.records[c]) +
                                offsetof(char_record, slots) + SLOT_HELM * sizeof(std::int16_t);
    constexpr int LAST = WORN_SLOTS - 1;
    static_assert(LAST * sizeof(std::int16_t) == 3 * sizeof(std::uint64_t));
    std::uint64_t first_four = 0, second_four = 0, third_four = 0;
    std::memcpy(&first_four, worn, sizeof first_four);
    std::memcpy(&second_four, worn + 8, sizeof second_four);
    std::memcpy(&third_four, worn + 16, sizeof third_four);
    std::int16_t last = 0;
    std::memcpy(&last, worn + 24, sizeof last);
    std::uint32_t filled = last != 0 ? 1u << LAST : 0;
    if ((first_four | second_four | third_four) == 0) return filled;
    for (int k = 0; k < LAST; ++k) {
        std::int16_t slot = 0;
        std::memcpy(&slot, worn + k * sizeof slot, sizeof slot);
        filled |= static_cast<std::uint32_t>(slot != 0) << k;
    }
    return filled;
}

// Equipment slots 48..60 in rising order; the hands only for weapons and
// shields. Backpack and quick slots never contribute. The slots are read
// afresh after every item walked, as a handler may change them.
void Worn_Item_Chains(Walk& walk, std::uint16_t c) {
    std::uint32_t filled = Filled_Worn_Slots(c);
    while (filled != 0) {
        const int k = std::countr_zero(filled);
        const int s = SLOT_HELM + k;
        const std::int16_t item = chararray.records[c].slots[s];
        filled &= filled - 1;
        if (item <= 0 || item >= itemarray.Capacity()) continue;
        const std::uint16_t i = static_cast<std::uint16_t>(item);
        if ((s == SLOT_LEFT_HAND || s == SLOT_RIGHT_HAND) && !Hand_Item_Counts(i)) continue;
        const std::uint32_t called = walk.handlers_called;
        walk.Chain(itemarray.records[i].first_mod);
        // The later slots as they are after the item's handlers ran.
        if (walk.handlers_called != called) filled = Filled_Worn_Slots(c) & ~((2u << k) - 1);
    }
}

void Modifier_Walk(Walk& walk, const Located& at) {
    std::uint16_t i = Obj_Index(walk.object);
    switch (Obj_Kind(walk.object)) {
        case OBJ_CHAR:
            Area_Modifiers<false>(walk, at);
            Field_Head_Chain(walk, at);
            walk.Chain(chararray.records[i].first_mod);
            Worn_Item_Chains(walk, i);
            break;
        case OBJ_ITEM:
            Area_Modifiers<false>(walk, at);
            Field_Head_Chain(walk, at);
            walk.Chain(itemarray.records[i].first_mod);
            break;
        case OBJ_FIXITEM:
            Area_Modifiers<true>(walk, at);
            Field_Head_Chain(walk, at);
            if (i >= total_fields) walk.Chain(maparray.records[i].first_mod);
            break;
        default: break;
    }
}

// Only characters (requests 126..143) and fixitems (129) have a change step.
bool Has_Change_Step(request_no request) { return request >= REQ_DROP_PATH && request <= REQ_ADD_BRAVENESS; }

// Where the object stands; false for a kind the engine does not answer.
inline bool Locate(obj_ref object, Located& where) {
    std::uint16_t i = Obj_Index(object);
    switch (Obj_Kind(object)) {
        case OBJ_CHAR:
            if (i >= chararray.Capacity()) return false;
            From_Char(i, where);
            return true;
        case OBJ_ITEM: {
            if (i >= itemarray.Capacity()) return false;
            obj_ref owner = itemarray.records[i].owner;
            if (Obj_Kind(owner) == OBJ_CHAR && Obj_Index(owner) < chararray.Capacity()) {
                From_Char(Obj_Index(owner), where);
            } else if (Obj_Kind(owner) == OBJ_FIXITEM) {
                From_Field(Object_Field(object), where);
            } else {
                Error_Query_Quit("Item has no valid owner!");
                where = Located{};
            }
            return true;
        }
        case OBJ_FIXITEM:
            if (i >= maparray.Capacity()) return false;
            From_Field(i < total_fields ? i : Object_Field(object), where);
            return true;
        default: return false;
    }
}

}  // namespace

bool Locate_Object(obj_ref object, Located& where) { return Locate(object, where); }

Area_Modifier_Scope::Area_Modifier_Scope() {
    if (area_lists.depth++ == 0) List_Area_Entries();
}

Area_Modifier_Scope::~Area_Modifier_Scope() {
    if (--area_lists.depth > 0) return;
#ifndef NDEBUG
    assert((!area_lists.Same_Array() || area_lists.begin == area_lists.end ||
            std::memcmp(area_lists.seen.data(), area_lists.begin,
                        static_cast<std::size_t>(area_lists.end - area_lists.begin) * sizeof(global_mod)) == 0) &&
           "an area entry was written while a scope lived");
#endif
}

RequestValue Object_Request(obj_ref subject, obj_ref object, RequestValue other, request_no request, RequestValue value,
                            int flags) {
    Located at;
    if (!Locate(object, at)) return value;

    value = Base_Value(at, subject, object, other, request, value);

    if ((flags & 1) == 0 && last_request >= request) {
        Error_Query_Quit("WARNING!!!!   MODIFIER LOOP!!!");
        return value;
    }
    last_request = request;

    Walk walk{subject, object, other, request, value};
    Modifier_Walk(walk, at);

    if (!Has_Change_Step(request)) return walk.value;
    return Change_Step(at, subject, object, other, request, walk.value);
}

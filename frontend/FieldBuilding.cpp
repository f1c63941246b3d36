#include "frontend/FieldBuilding.h"

#include <cstdio>
#include <cstring>

#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ObserverGrid.h"
#include "System/Random.h"

namespace {

constexpr std::uint8_t FIRST_FACING = 1;
constexpr std::uint8_t LAST_FACING = 6;
constexpr int MANA_KINDS = 4;

// The field (x, y, level), NO_FIELD when it is off the map.
std::uint16_t Field_At(std::uint32_t x, std::uint32_t y, std::uint32_t level) {
    if (x >= map_width || y >= map_height || level >= map_levels || total_fields > maparray.Capacity()) return NO_FIELD;
    return Field_Index(x, y, level);
}

// The last fixitem of the field's list, or its head when it has none.
obj_ref Last_Fixitem(std::uint16_t field) {
    obj_ref last = Make_Obj(OBJ_FIXITEM, field);
    obj_ref cur = last;
    const std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; steps < limit; ++steps) {
        obj_ref next = NOOBJ;
        if (!Object_Link(cur, next) || Obj_Kind(next) == OBJ_NONE) break;
        if (Obj_Kind(next) == OBJ_FIXITEM) last = next;
        cur = next;
    }
    return last;
}

// Whether obj stands in the list of a field: the field its links end at.
bool On_A_Field(obj_ref obj) {
    obj_ref cur = obj;
    const std::uint32_t limit = Field_List_Limit();
    std::uint32_t steps = 0;
    for (; steps < limit && Obj_Kind(cur) != OBJ_NONE; ++steps)
        if (!Object_Link(cur, cur)) return false;
    const std::uint16_t field = Obj_Index(cur);
    if (Obj_Kind(cur) != OBJ_NONE || field >= total_fields) return false;
    cur = Make_Obj(OBJ_FIXITEM, field);
    for (steps = 0; steps < limit && Obj_Kind(cur) != OBJ_NONE; ++steps) {
        if (!Object_Link(cur, cur)) return false;
        if (cur == obj) return true;
    }
    return false;
}

// Links obj into the field's list right after its last fixitem.
void Link_After_Fixitems(obj_ref obj, std::uint16_t field) {
    const obj_ref before = Last_Fixitem(field);
    obj_ref after = NOOBJ;
    Object_Link(before, after);
    Set_Object_Link(obj, after);
    Set_Object_Link(before, obj);
}

bool Slot_In_Use(std::uint8_t slot) {
    const fixitem_type& t = fixitem_types[slot];
    return slot != 0 && t.sprite != 0 && (t.flags & FIX_SLOT_FREE) == 0;
}

bool Item_Can_Be_Laid(std::uint16_t item) {
    return item != 0 && item < itemarray.Capacity() && !Item_Record_Is_Free(item) &&
           Obj_Kind(itemarray.records[item].owner) == OBJ_NONE && !On_A_Field(Make_Obj(OBJ_ITEM, item));
}

std::int16_t Drawn_Value() { return static_cast<std::int16_t>(Random(DEFAULT_CHAR_SPREAD) + DEFAULT_CHAR_BASE); }

}  // namespace

std::uint16_t Add_Field_Level(std::uint32_t x, std::uint32_t y, std::uint32_t level, std::uint8_t slot) {
    const std::uint16_t field = Field_At(x, y, level);
    if (field == NO_FIELD || !Slot_In_Use(slot)) return NO_INDEX;
    const std::uint16_t i = New_Map_Record();
    if (i == NO_INDEX) return NO_INDEX;
    map_record& r = maparray.records[i];
    r.type = slot;
    r.first_mod = NO_INDEX;
    Link_After_Fixitems(Make_Obj(OBJ_FIXITEM, i), field);
    return i;
}

bool Put_Item_To_Field_Raw(std::uint32_t x, std::uint32_t y, std::uint32_t level, std::uint16_t item,
                           std::uint16_t type) {
    const std::uint16_t field = Field_At(x, y, level);
    if (field == NO_FIELD || !Item_Can_Be_Laid(item) || type >= item_types.size()) return false;
    item_record& r = itemarray.records[item];
    r.type = type;
    r.first_mod = NO_INDEX;
    // The field owns it, whatever it lies on: an item's owner is a field head.
    r.owner = Make_Obj(OBJ_FIXITEM, field);
    Link_After_Fixitems(Make_Obj(OBJ_ITEM, item), field);
    return true;
}

bool Create_Default_Char(std::uint32_t x, std::uint32_t y, std::uint32_t level, std::uint16_t character,
                         std::uint8_t facing, int number) {
    const std::uint16_t field = Field_At(x, y, level);
    if (field == NO_FIELD || facing < FIRST_FACING || facing > LAST_FACING || !Char_In_Use(character) ||
        On_A_Field(Make_Obj(OBJ_CHAR, character)) || Char_On_Field(field) != NO_INDEX)
        return false;
    char_record& r = chararray.records[character];
    std::memset(r.name, 0, sizeof r.name);
    std::snprintf(r.name, sizeof r.name, "%s %d", DEFAULT_CHAR_NAME, number);
    r.x = static_cast<std::int16_t>(x);
    r.y = static_cast<std::int16_t>(y);
    r.map_level = static_cast<std::int16_t>(level);
    Observer_Grid_Moved(Make_Obj(OBJ_CHAR, character));
    r.facing = facing;
    r.action_points = DEFAULT_CHAR_MOVES;
    r.ap_stamp = game_clock;
    // Drawn in this order; each is written through the record, whose
    // packed fields lie at any address.
    r.strength = Drawn_Value();
    r.dexterity = Drawn_Value();
    r.spirit = Drawn_Value();
    r.iq = Drawn_Value();
    r.max_hp = Drawn_Value();
    r.max_stamina = Drawn_Value();
    for (int k = 0; k < MANA_KINDS; ++k) r.max_mana[k] = static_cast<std::uint16_t>(Drawn_Value());
    r.hp = r.max_hp;
    r.stamina = r.max_stamina;
    for (int k = 0; k < MANA_KINDS; ++k) r.mana[k] = r.max_mana[k];
    r.defence = DEFAULT_CHAR_DEFENCE;
    r.state = CS_DECIDING;
    r.first_mod = NO_INDEX;
    r.flags = static_cast<std::uint16_t>(r.flags & ~CF_FREE);
    Link_After_Fixitems(Make_Obj(OBJ_CHAR, character), field);
    return true;
}

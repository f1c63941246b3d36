#include "support/WorldBuilder.h"

#include <cstdio>
#include <cstring>

#include "Objects/AIData.h"
#include "Objects/Char/CharSlots.h"
#include "Objects/Char/CharSprites.h"
#include "Objects/Char/Party.h"
#include "Objects/Effects.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Hooks.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/Modifiers.h"
#include "Objects/Requests.h"
#include "Objects/SpriteInfo.h"
#include "Objects/WorldState.h"
#include "System/ErrorReport.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/LogSpy.h"

namespace fixture {

namespace {
std::uint32_t char_sprite = 0;
}

void Reset_World(std::uint32_t width, std::uint32_t height, std::uint32_t levels) {
    Set_Window_Backend(nullptr);
    Headless_Backend().Reset();
    Headless_Backend().answer = [](const MessageBoxCall&) { return IDCANCEL; };
    Reset_Quitting();
    Reset_World_State();
    Reset_Objects_Hooks();
    Set_Game_Clock(0);

    Set_Fixitem_Type(0, LAYER_FLOOR);

    Set_Map_Geometry(width, height, levels);
    Alloc_Map_Array(static_cast<std::uint16_t>(total_fields));
    for (std::uint32_t f = 0; f < total_fields; ++f)
        maparray.records[f].link = Make_Obj(OBJ_NONE, static_cast<std::uint16_t>(f));
    Init_Mod_Array(0);
    Alloc_Global_Modifiers(10);
    Init_Char_Array(0);
    Alloc_Item_Array(0);
    Alloc_Map_Anims();
    Init_Builtin_Item_Types();
    mitems_sprite = Register_Sprite_Info(LAYER_ITEM, 400);
    char_sprite = Register_Sprite_Info(LAYER_CHAR, 72);

    Init_AI_Arrays();
    Clear_Logged_Messages();
}

void Set_Fixitem_Type(std::uint8_t slot, int layer, int frames, std::int8_t mp, std::uint8_t fill, std::uint8_t flags,
                      std::int8_t max_hp) {
    fixitem_type& t = fixitem_types[slot];
    t = fixitem_type{};
    std::snprintf(t.sprite_name, sizeof t.sprite_name, "FIX%03u", slot);
    t.sprite = Register_Sprite_Info(layer, frames);
    t.mp = mp;
    t.fill = fill;
    t.flags = flags;
    t.max_hp = max_hp;
}

std::uint16_t Place_Fixitem(std::uint16_t field, std::uint8_t slot) {
    std::uint16_t i = New_Map_Record();
    maparray.records[i].type = slot;
    maparray.records[i].hp = fixitem_types[slot].max_hp;
    Put_Object_To_Field(Fix_Ref(i), field);
    return i;
}

std::uint16_t Add_Item_Type(const std::string& name, std::uint8_t item_class, std::uint8_t attack, std::uint8_t defence,
                            std::uint8_t size) {
    item_type t{};
    std::strncpy(t.name, name.c_str(), sizeof t.name - 1);
    t.item_class = item_class;
    t.attack = attack;
    t.defence = defence;
    t.size = size;
    t.first_mod = -1;
    t.default_recognize = 100;
    item_types.push_back(t);
    return static_cast<std::uint16_t>(item_types.size() - 1);
}

std::uint16_t Place_Item(std::uint16_t field, std::uint16_t type) {
    std::uint16_t i = New_Item_Record();
    itemarray.records[i].type = type;
    itemarray.records[i].recognize = item_types[type].default_recognize;
    Put_Object_To_Field(Item_Ref(i), field);
    return i;
}

char_record Char_Template(const std::string& name, std::uint8_t lobby) {
    char_record r{};
    std::strncpy(r.body_name, "HUMAN", sizeof r.body_name - 1);
    std::strncpy(r.name, name.c_str(), sizeof r.name - 1);
    r.head = 1;
    r.facing = 1;
    r.lobby = lobby;
    r.braveness = 50;
    r.level = 1;
    r.max_hp = 20;
    r.hp = 20;
    r.max_stamina = 20;
    r.stamina = 20;
    r.strength = r.dexterity = r.spirit = r.iq = 10;
    r.action_points = 12;
    r.path_target = NOOBJ;
    r.ai_slot = NO_INDEX;
    r.first_mod = NO_INDEX;
    r.db_type = -1;
    return r;
}

std::uint16_t Place_Char(std::uint16_t field, const char_record& templ) {
    std::uint16_t c = Alloc_Char();
    std::uint16_t first_mod = chararray.records[c].first_mod;
    obj_ref link = chararray.records[c].link;
    chararray.records[c] = templ;
    chararray.records[c].flags = static_cast<std::uint16_t>(templ.flags & ~CF_FREE);
    chararray.records[c].first_mod = first_mod;
    chararray.records[c].link = link;
    chararray.records[c].body_sprite = char_sprite;
    Put_Object_To_Field(Char_Ref(c), field);
    return c;
}

std::uint16_t Place_Char(std::uint16_t field, const std::string& name, std::uint8_t lobby) {
    return Place_Char(field, Char_Template(name, lobby));
}

std::uint16_t Give_Item(std::uint16_t c, std::uint16_t type, int slot) {
    std::uint16_t i = New_Item_Record();
    itemarray.records[i].type = type;
    itemarray.records[i].recognize = item_types[type].default_recognize;
    Put_Item_To_Char_Slot(c, i, slot);
    return i;
}

std::string Field_List(std::uint16_t field) {
    static const char* const kinds[] = {"none", "anim", "char", "item", "bad", "fix"};
    std::string out;
    obj_ref cur = Make_Obj(OBJ_FIXITEM, field);
    for (int steps = 0; steps < 10000; ++steps) {
        Next_Object(cur);
        if (Obj_Kind(cur) == OBJ_NONE) {
            if (Obj_Index(cur) != field) out += " end:" + std::to_string(Obj_Index(cur));
            return out;
        }
        if (!out.empty()) out += ' ';
        out += std::string(kinds[Obj_Kind(cur) < 6 ? Obj_Kind(cur) : 4]) + std::to_string(Obj_Index(cur));
    }
    return out + " ...";
}

}  // namespace fixture

#include "Objects/Item/Items.h"

#include <algorithm>
#include <cstring>

#include "Objects/Char/CharSlots.h"
#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Request.h"
#include "Objects/SpriteInfo.h"
#include "System/Dys.h"
#include "System/ErrorReport.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"

ItemArray itemarray;
std::vector<item_type> item_types;
std::uint32_t items_sprite = 0;
std::uint32_t mitems_sprite = 0;
std::uint32_t hullak_sprite = 0;

void Reset_Item_State() {
    Free_Item_Array();
    Free_Item_Types();
    items_sprite = 0;
    mitems_sprite = 0;
    hullak_sprite = 0;
}

const char* const item_class_names[ITEM_CLASS_COUNT] = {
    "Sword",    "Mace",  "Axe",      "Pike", "Knife",   "Assassin Wpn.", "Bow",    "Shield",
    "Helm",     "Armor", "Leggings", "Belt", "Bracers", "Gloves",        "Boots",  "Cloak",
    "Necklace", "Ring",  "Scroll",   "Key",  "Potion",  "Arrow",         "Corpse", "Other"};

const item_type* Item_Type_Of(std::uint16_t item) {
    if (item >= itemarray.Capacity()) {
        Error_Query_Quit("Invalid item index");
        return nullptr;
    }
    std::uint16_t type = itemarray.records[item].type;
    if (type >= item_types.size()) {
        Error_Query_Quit("Invalid item type");
        return nullptr;
    }
    return &item_types[type];
}

void Alloc_Item_Array(std::uint16_t n) {
    // Index 0 is never handed out: records 0 .. n for the map reader.
    itemarray.Allocate_For(static_cast<std::uint32_t>(n) + 1, "Can't allocate memory for items!");
}

std::uint16_t New_Item_Record() { return itemarray.New_Or_Report("Can't realloc itemarray!"); }

void Delete_Item_Record(std::uint16_t i) {
    if (!itemarray.Can_Free(i)) {
        Error_Query_Quit("Delete item out of array!");
        return;
    }
    Stop_Object_Anims(OBJ_ITEM, i);
    itemarray.Push(i);
}

void Free_Item_Array() { itemarray.Release(); }

void Free_Item_Types() {
    item_types.clear();
    item_types.shrink_to_fit();
}

void Init_Builtin_Item_Types() { Fill_Builtin_Item_Types(item_types); }

void Fill_Builtin_Item_Types(std::vector<item_type>& types) {
    if (types.size() < 2) types.resize(2);
    item_type empty{};
    empty.size = 0x11;
    empty.first_mod = -1;
    types[ITEM_TYPE_EMPTY] = empty;

    item_type body{};
    body.picture = 399;
    std::strncpy(body.name, "Dead body", sizeof body.name - 1);
    body.size = 0x23;
    body.item_class = CLASS_CORPSE;
    body.mana_points = 12;
    body.defence = 0;
    body.attack = 1;
    body.damage_min = 1;
    body.damage_max = 2;
    body.first_mod = -1;
    types[ITEM_TYPE_DEAD_BODY] = body;
}

bool Item_Record_Is_Free(std::uint16_t i) { return itemarray.Is_Free(i); }

void Rebuild_Item_Free_Marks() { itemarray.Rebuild_Free_Marks(); }

std::uint16_t Create_Item(std::uint16_t type, std::uint16_t field) {
    if (type >= item_types.size()) {
        Error_Query_Quit("Invalid item type");
        return NO_INDEX;
    }
    if (field >= total_fields) {
        Error_Query_Quit("Non field-head in Create_Item");
        return NO_INDEX;
    }
    const std::uint16_t i = New_Item_Of_Type(type);
    if (i == NO_INDEX) return NO_INDEX;
    Put_Object_To_Field(Make_Obj(OBJ_ITEM, i), field);
    Give_Type_Modifiers(i);
    return i;
}

std::uint16_t New_Item_Of_Type(std::uint16_t type) {
    const std::uint16_t i = New_Item_Record();
    if (i == NO_INDEX) return NO_INDEX;
    item_record& r = itemarray.records[i];
    r.type = type;
    r.recognize = item_types[type].default_recognize;
    return i;
}

void Give_Type_Modifiers(std::uint16_t i) {
    const obj_ref item = Make_Obj(OBJ_ITEM, i);
    const std::uint16_t type = itemarray.records[i].type;
    if (type == ITEM_TYPE_DEAD_BODY)
        Add_Modifier(0, item, MK_CORPSE, 0, 0, 0, 0);
    else
        Apply_Owner_Mods(item, Make_Obj(OBJ_ITEM, type));
}

namespace {

// Whether item i's owner is a field or a character that holds items.
bool Has_Valid_Owner(std::uint16_t i) {
    obj_ref owner = itemarray.records[i].owner;
    switch (Obj_Kind(owner)) {
        case OBJ_FIXITEM:
            return Obj_Index(owner) < maparray.Capacity() && Object_Field(Make_Obj(OBJ_ITEM, i)) != NO_FIELD;
        case OBJ_CHAR: return Char_In_Use(Obj_Index(owner));
        default: return false;
    }
}

}  // namespace

void Delete_Item(std::uint16_t i) {
    if (!itemarray.Can_Free(i)) {
        Error_Query_Quit("Delete item out of array!");
        return;
    }
    // The owner is checked before anything is asked or removed, so an item
    // that cannot be taken off is left whole.
    if (!Has_Valid_Owner(i)) {
        Error_Query_Quit("Non-valid owner of an item!");
        return;
    }
    obj_ref item = Make_Obj(OBJ_ITEM, i);
    if (Object_Request(NOOBJ, item, 0, REQ_STACK_COUNT, 0) >= 2) {
        Object_Request(NOOBJ, item, 0, REQ_STACK_ADD, -1);
        return;
    }
    Remove_All_Modifiers(item);
    obj_ref owner = itemarray.records[i].owner;
    if (Obj_Kind(owner) == OBJ_CHAR)
        Remove_Item_From_Char(Obj_Index(owner), i);
    else
        Delete_Object_From_Field(OBJ_ITEM, i, Object_Field(item));
    Delete_Item_Record(i);
}

int Next_Ground_Item(obj_ref& cursor) {
    std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; steps <= limit; ++steps) {
        Next_Object_No_Anim(cursor);
        if (Obj_Kind(cursor) == OBJ_ITEM) return 1;
        if (Obj_Kind(cursor) == OBJ_NONE) return 0;
    }
    return 0;
}

const char* Item_Name_Text(std::uint16_t i) {
    if (i == 0) return nullptr;
    RequestValue name = Object_Request(NOOBJ, Make_Obj(OBJ_ITEM, i), 0, REQ_ITEM_DISPLAY_NAME, 0);
    if (name == 0 || name == NO_VALUE) return nullptr;
    const char* text = Value_Pointer<const char>(name);
    // A name that fills its type's field has no terminating zero.
    const item_type* t = Item_Type_Of(i);
    if (t != nullptr && text == t->name) {
        static char bounded[sizeof t->name + 1];
        std::memcpy(bounded, t->name, sizeof t->name);
        bounded[sizeof t->name] = 0;
        return bounded;
    }
    return text;
}

void Load_Item_Sprites() {
    items_sprite = Sprite_Handle(Load_DYS("ARTWORK\\ITEMS\\ITEMS"));
    mitems_sprite = Sprite_Handle(Load_DYS("ARTWORK\\ITEMS\\MITEMS"));
    Set_Sprite_Layer(mitems_sprite, MITEMS_LAYER);
    hullak_sprite = Sprite_Handle(LoadSprite("ARTWORK\\ITEMS\\HULLAK", HULLAK_OPTIONS));
}

void Free_Item_Sprites() {
    for (std::uint32_t* sprite : {&items_sprite, &mitems_sprite, &hullak_sprite}) {
        Release_Sprite(Sprite_From_Handle(*sprite));
        *sprite = 0;
    }
}

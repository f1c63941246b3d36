#include "tools/artgen/folder/ItemDatabase.h"

#include <algorithm>
#include <cstring>

#include "Objects/Acts.h"
#include "Objects/FieldLists.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "tools/artgen/Items.h"

namespace art {

namespace {

struct ItemNumbers {
    int picture;
    std::uint8_t attack, damage_min, damage_max, defence;
    std::uint32_t price;
    std::uint16_t weight;
    std::uint16_t flags;
    std::uint8_t max_distance;
    std::uint8_t recognize;  // how well a new item of the type is known
};

// By picture; a picture without a row is a plain thing of no value.
constexpr ItemNumbers NUMBERS[] = {
    {1, 5, 2, 6, 0, 40, 25, 0, 0, 100},                              // Short sword
    {2, 7, 3, 9, 0, 120, 40, 0, 0, 100},                             // Long sword
    {3, 5, 3, 7, 0, 50, 50, 0, 0, 100},                              // Mace
    {4, 4, 2, 8, 0, 35, 35, 0, 0, 100},                              // Hand axe
    {5, 7, 4, 12, 0, 150, 90, ITEM_TWO_HANDED, 0, 100},              // Battle axe
    {6, 6, 3, 8, 0, 30, 45, ITEM_TWO_HANDED, 0, 100},                // Spear
    {7, 3, 1, 4, 0, 15, 8, ITEM_SECONDARY, 0, 100},                  // Dagger
    {8, 4, 2, 5, 0, 60, 8, ITEM_SECONDARY, 0, 100},                  // Kris
    {9, 4, 2, 6, 0, 50, 20, ITEM_TWO_HANDED, 8, 100},                // Short bow
    {10, 6, 3, 8, 0, 120, 30, ITEM_TWO_HANDED, 12, 100},             // Long bow
    {11, 0, 0, 0, 3, 40, 60, 0, 0, 100},                             // Round shield
    {12, 0, 0, 0, 5, 90, 120, 0, 0, 100},                            // Tower shield
    {13, 0, 0, 0, 1, 10, 10, 0, 0, 100},                             // Leather cap
    {14, 0, 0, 0, 2, 45, 30, 0, 0, 100},                             // Iron helm
    {15, 0, 0, 0, 2, 40, 60, ITEM_BURNABLE, 0, 100},                 // Leather armour
    {16, 0, 0, 0, 4, 150, 150, 0, 0, 100},                           // Chain mail
    {17, 0, 0, 0, 6, 400, 250, 0, 0, 100},                           // Plate armour
    {18, 0, 0, 0, 1, 30, 40, 0, 0, 100},                             // Leggings
    {19, 0, 0, 0, 0, 5, 5, ITEM_BURNABLE, 0, 100},                   // Belt
    {20, 0, 0, 0, 1, 25, 15, 0, 0, 100},                             // Bracers
    {21, 0, 0, 0, 1, 10, 5, ITEM_BURNABLE, 0, 100},                  // Gloves
    {22, 0, 0, 0, 1, 15, 20, ITEM_BURNABLE, 0, 100},                 // Boots
    {23, 0, 0, 0, 1, 20, 25, ITEM_BURNABLE, 0, 100},                 // Cloak
    {24, 0, 0, 0, 0, 200, 2, ITEM_MAGICAL, 0, 30},                   // Amulet
    {25, 0, 0, 0, 0, 100, 1, 0, 0, 100},                             // Gold ring
    {26, 0, 0, 0, 0, 250, 1, ITEM_MAGICAL, 0, 30},                   // Ruby ring
    {27, 0, 0, 0, 0, 250, 1, ITEM_MAGICAL, 0, 30},                   // Sapphire ring
    {28, 0, 0, 0, 0, 30, 1, ITEM_BURNABLE | ITEM_MAGICAL, 0, 50},    // Scroll
    {29, 0, 0, 0, 0, 60, 1, ITEM_BURNABLE | ITEM_MAGICAL, 0, 30},    // Sealed scroll
    {30, 0, 0, 0, 0, 5, 2, 0, 0, 100},                               // Iron key
    {31, 0, 0, 0, 0, 20, 2, 0, 0, 100},                              // Gold key
    {32, 0, 0, 0, 0, 25, 3, 0, 0, 100},                              // Healing potion
    {33, 0, 0, 0, 0, 30, 3, 0, 0, 100},                              // Mana potion
    {34, 0, 0, 0, 0, 20, 3, 0, 0, 100},                              // Antidote
    {35, 0, 0, 0, 0, 40, 3, 0, 0, 100},                              // Strength potion
    {36, 2, 1, 3, 0, 10, 5, ITEM_BURNABLE, 0, 100},                  // Arrows
    {37, 0, 0, 0, 0, 1, 3, ITEM_BURNABLE, 0, 100},                   // Bread
    {38, 0, 0, 0, 0, 150, 1, 0, 0, 100},                             // Gem
    {39, 1, 1, 2, 0, 2, 10, ITEM_BURNABLE, 0, 100},                  // Torch
    {40, 0, 0, 0, 0, 50, 2, 0, 0, 100},                              // Gold coins
    {41, 0, 0, 0, 0, 300, 30, ITEM_BURNABLE | ITEM_MAGICAL, 0, 50},  // Spell book
    {42, 1, 1, 2, 0, 0, 5, 0, 0, 100},                               // Bone
};

item_type Type_Of(const ItemArt& a) {
    item_type t{};
    t.picture = static_cast<std::uint16_t>(a.picture);
    std::strncpy(t.name, a.name, sizeof t.name - 1);
    t.size = a.size;
    t.item_class = a.item_class;
    t.first_mod = -1;
    t.default_recognize = 100;
    for (const ItemNumbers& n : NUMBERS) {
        if (n.picture != a.picture) continue;
        t.attack = n.attack;
        t.damage_min = n.damage_min;
        t.damage_max = n.damage_max;
        t.defence = n.defence;
        t.price = n.price;
        t.weight = n.weight;
        t.flags = n.flags;
        t.max_distance = n.max_distance;
        t.default_recognize = n.recognize;
    }
    return t;
}

}  // namespace

std::vector<item_type> Default_Item_Types() {
    // The built-in rows are the game's own; it writes them over whatever the
    // file holds, so the file holds them as the game does.
    std::vector<item_type> kept;
    kept.swap(item_types);
    Init_Builtin_Item_Types();
    std::vector<item_type> out;
    out.swap(item_types);
    item_types.swap(kept);
    for (const ItemArt& a : Item_Catalogue())
        if (a.picture != DEAD_BODY_PICTURE) out.push_back(Type_Of(a));
    return out;
}

std::uint16_t Default_Item_Type(std::string_view name) {
    static const std::vector<item_type> types = Default_Item_Types();
    for (std::size_t i = ITEM_TYPE_DEAD_BODY + 1; i < types.size(); ++i)
        if (name == types[i].name) return static_cast<std::uint16_t>(i);
    return ITEM_TYPE_EMPTY;
}

namespace {

// The spell row of an act in the spell table (the Magic Object's "Spell
// index").
std::uint16_t Spell_Index(const act_desc& act) {
    for (int row = 0; row < SPELL_COUNT; ++row)
        if (spell_table[row].act == &act) return static_cast<std::uint16_t>(row);
    return 0;
}

}  // namespace

std::vector<TypeProgram> Item_Type_Programs(std::uint16_t type) {
    constexpr std::uint16_t ONE_DOSE = 1, VANISH_WHEN_EMPTY = 1;
    if (type != ITEM_TYPE_EMPTY && type == Default_Item_Type("Healing potion"))
        return {{MK_MAGIC_OBJECT, Spell_Index(heal_act), ONE_DOSE, VANISH_WHEN_EMPTY, 0}};
    return {};
}

void Give_Items_Their_Programs() {
    for (std::uint16_t i = 1; i < itemarray.Capacity(); ++i) {
        if (Item_Record_Is_Free(i)) continue;
        const obj_ref item = Make_Obj(OBJ_ITEM, i);
        for (const TypeProgram& p : Item_Type_Programs(itemarray.records[i].type)) {
            bool carried = false;
            For_Each_In_Chain(Get_Mod_Index(item),
                              [&](std::uint16_t m) { carried |= mod_array.records[m].type == p.kind; });
            if (!carried) Add_Modifier(0, item, p.kind, p.p1, p.p2, p.p3, p.p4);
        }
    }
}

}  // namespace art

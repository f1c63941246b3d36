// The table of the modifier kinds.
#include "Objects/ModifierKinds.h"

#include <array>

mod_type mod_types[MOD_KIND_COUNT + 1] = {
    {Mod_Dumb, MT_NEVER_APPLIED, 7, " - Dumb modifier -", {"", "", "", ""}},
    {Mod_Corpse, MT_PROGRAM, 0, "Corpse", {"Char index", "", "", ""}},
    {Mod_Iron_Skin, MT_TIMED_SPELL, MO_CHARS, "Iron_Skin", {"Damage absorbsion", "", "", ""}},
    {Mod_Haste, MT_TIMED_SPELL, MO_CHARS, "Haste", {"", "", "", ""}},
    {Mod_Magic_Armour, MT_TIMED_SPELL, MO_CHARS, "Magic Armour", {"Def. increment", "", "", ""}},
    {Mod_Giant_Strength, MT_TIMED_SPELL, MO_CHARS, "Giant_Strength", {"Strength increment", "", "", ""}},
    {Mod_Door, MT_PROGRAM, MO_FIXITEMS, "Door prg.", {"Locked", "Lock's HP", "Lockpick", "Key number"}},
    {Mod_Basic_Monster, MT_PROGRAM, MO_CHARS, "Basic monster", {"Dest. field", "", "Move priority", "Random priority"}},
    {Mod_Standing_Guard, MT_PROGRAM, MO_CHARS, "Standing guard", {"Field index", "", "Mission priority", ""}},
    {Mod_Moving_Guard, MT_PROGRAM, MO_CHARS, "Moving guard", {"", "", "", ""}},
    {Mod_Chest, MT_PROGRAM, MO_FIXITEMS, "Chest prg.", {"Key index", "", "HP of lock", ""}},
    {Mod_Main_Char, MT_PROGRAM, MO_CHARS, "MAIN CHAR", {"", "", "", ""}},
    {Mod_Evil_Fog, MT_TIMED_SPELL, MO_FIXITEMS, "Evil Fog", {"", "", "", ""}},
    {Mod_Multiple_Items, MT_PROGRAM, MO_ITEMS, "Multiple items", {"Number of items", "Max number of items", "", ""}},
    {Mod_Hill, MT_PROGRAM, MO_FIXITEMS, "Hill prg.", {"NW heigth", "NE height", "SE heigth", "SW heigth"}},
    {Mod_Steps, MT_PROGRAM, MO_FIXITEMS, "Steps prg.", {"Direction bits", "1: up, -1: down", "", ""}},
    {Mod_Teleport, MT_PROGRAM, MO_FIXITEMS, "Teleport prg.", {"Index of dest. field", "", "", ""}},
    {Mod_Excluder, MT_PROGRAM, MO_FIXITEMS, "Excluder prg.", {"Exlude directions", "", "", ""}},
    {Mod_Ground_Hill, MT_PROGRAM, MO_FIXITEMS, "Ground hill prg.", {"", "", "", ""}},
    {Mod_Fire_Wall, MT_TIMED_SPELL, MO_FIXITEMS, "Fire Wall", {"", "", "", ""}},
    {Mod_Living_Torch, MT_TIMED_SPELL, MO_CHARS, "Living Torch", {"", "", "", ""}},
    {Mod_Fire, MT_FIRE, MO_FIXITEMS, "Fire", {"", "", "", ""}},
    {Mod_Magic_Object, MT_PROGRAM, MO_ITEMS, "Magic Object", {"Spell index", "ammo", "Vanish when empty", ""}},
    {Mod_Silence, MT_TIMED_SPELL, MO_FIXITEMS, "Silence", {"time", "", "", ""}},
    {Mod_Charm, MT_TIMED_SPELL, MO_CHARS, "Charm", {"time", "", "", ""}},
    {nullptr, 0, 0, "", {"", "", "", ""}},
};

namespace {

// The handlers as the table was built, taken before anything can change it.
const std::array<mod_handler, MOD_KIND_COUNT + 1> built_handlers = [] {
    std::array<mod_handler, MOD_KIND_COUNT + 1> h{};
    for (std::uint32_t k = 0; k <= MOD_KIND_COUNT; ++k) h[k] = mod_types[k].handler;
    return h;
}();

}  // namespace

bool Mod_Kinds_As_Built() {
    for (std::uint32_t k = 0; k <= MOD_KIND_COUNT; ++k)
        if (mod_types[k].handler != built_handlers[k]) return false;
    return true;
}

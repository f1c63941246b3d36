// The item types of the default working folder ("item.dat"): the two
// built-in rows (the empty type and "Dead body"), then one type for every
// item picture of the artwork, named and sized as the picture is, with the
// numbers of its kind (attack, damage, defence, price, weight, range).
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "Objects/Item/Items.h"
#include "tools/artgen/folder/FixitemTypes.h"

namespace art {

std::vector<item_type> Default_Item_Types();

// The row of the type named name in Default_Item_Types(); 0 (the empty type)
// when there is none.
std::uint16_t Default_Item_Type(std::string_view name);

// The programs an item type always carries, in the order they are added:
// a healing potion heals when it is used (its Magic Object program casts
// "Heal Spell" once, and the empty potion vanishes). The mana potion and
// the antidote have no spell that would do what their names say: they stay
// inert.
std::vector<TypeProgram> Item_Type_Programs(std::uint16_t type);

// Every item of the map, on the ground or carried, carries the programs of
// its type (a healing potion heals when it is used, a right click on its
// quick slot); a program the item already has is not added twice.
void Give_Items_Their_Programs();

}  // namespace art

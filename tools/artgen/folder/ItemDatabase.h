// The item types of the default working folder ("item.dat"): the two
// built-in rows (the empty type and "Dead body"), then one type for every
// item picture of the artwork, named and sized as the picture is, with the
// numbers of its kind (attack, damage, defence, price, weight, range).
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "Objects/Item/Items.h"

namespace art {

std::vector<item_type> Default_Item_Types();

// The row of the type named name in Default_Item_Types(); 0 (the empty type)
// when there is none.
std::uint16_t Default_Item_Type(std::string_view name);

}  // namespace art

// Building a map in code, object by object, without the drawing order of
// the sprites: a fixitem level stacked on a field, an item laid on a field
// and a default character set on one, each linked right after the last
// fixitem of the field (so before its items and characters). Each refuses,
// changing nothing, a field off the map and a record it cannot use.
#pragma once
#include <cstdint>

// The name of a default character: "Soldier" and its number.
constexpr const char* DEFAULT_CHAR_NAME = "Soldier";
// The values of a default character that do not come from Random.
constexpr std::int16_t DEFAULT_CHAR_MOVES = 12;
constexpr std::int8_t DEFAULT_CHAR_DEFENCE = 2;
// Each drawn value of a default character is Random(DEFAULT_CHAR_SPREAD) +
// DEFAULT_CHAR_BASE.
constexpr int DEFAULT_CHAR_SPREAD = 10;
constexpr int DEFAULT_CHAR_BASE = 10;

// A new map record of fixitem type slot, without modifiers, on field
// (x, y, level). Its index; NO_INDEX when the field is off the map, the
// slot is 0 or not in use, or no record is left.
std::uint16_t Add_Field_Level(std::uint32_t x, std::uint32_t y, std::uint32_t level, std::uint8_t slot);

// Lays item (a record in use that lies on no field and has no owner) on
// field (x, y, level) as an item of type, without modifiers, owned by the
// field. False, changing nothing, when the field is off the map, the item
// cannot be laid or the type lies past the item types.
bool Put_Item_To_Field_Raw(std::uint32_t x, std::uint32_t y, std::uint32_t level, std::uint16_t item,
                           std::uint16_t type);

// Sets character (a record in use on no field, its body, head and lobby as
// the caller set them) on field (x, y, level) as default character number:
// named "Soldier N", facing as given, 12 moves stamped with the game clock;
// strength, dexterity, spirit, IQ, maximum hit points, maximum stamina and
// the four maximum manas, in this order, each Random(10) + 10, every current
// value at its maximum; natural defence 2, deciding (state 2), no modifiers.
// False, changing nothing, when the field is off the map or holds a
// character already, the facing is not 1..6, or the record cannot be set.
bool Create_Default_Char(std::uint32_t x, std::uint32_t y, std::uint32_t level, std::uint16_t character,
                         std::uint8_t facing, int number);

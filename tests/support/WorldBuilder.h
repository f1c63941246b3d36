// A small world in memory for tests: a map of given size and levels with
// fixitems, items, characters and modifiers placed through the world API.
#pragma once
#include <cstdint>
#include <string>

#include "Objects/Char/Characters.h"
#include "Objects/ObjRef.h"

namespace fixture {

// Draw layers the builder gives its sprites.
constexpr int LAYER_FLOOR = 0;
constexpr int LAYER_ITEM = 3;   // the ground-item sprite
constexpr int LAYER_CHAR = 12;  // character bodies
constexpr int LAYER_WALL = 20;

// The whole game world back to its start (Reset_World_State) with the
// default hooks, then an empty map of width x height fields on levels
// levels: field heads, no objects, the modifier pool, area modifiers (10
// free entries), characters, items, map animations, built-in item types,
// no database modifier pool, AI arrays without slots, real-time play at
// clock 0, an empty stand-in log. Headless message boxes answer Cancel, so
// consistency errors are recorded and the program goes on.
void Reset_World(std::uint32_t width, std::uint32_t height, std::uint32_t levels = 1);

// A fixitem type in slot with the given sprite layer and frame count.
void Set_Fixitem_Type(std::uint8_t slot, int layer, int frames = 1, std::int8_t mp = 0, std::uint8_t fill = 0,
                      std::uint8_t flags = 0, std::int8_t max_hp = 10);

// Places a new fixitem of the type slot on field; returns its index.
std::uint16_t Place_Fixitem(std::uint16_t field, std::uint8_t slot);

// Adds an item type row (returns its index).
std::uint16_t Add_Item_Type(const std::string& name, std::uint8_t item_class, std::uint8_t attack = 0,
                            std::uint8_t defence = 0, std::uint8_t size = 0x11);

// Places a new item of the type on field (owner {5, field}); returns its index.
std::uint16_t Place_Item(std::uint16_t field, std::uint16_t type);

// A plain living character record with the given name and lobby.
char_record Char_Template(const std::string& name, std::uint8_t lobby = 0);

// Puts a new character made from the template on field; returns its index.
std::uint16_t Place_Char(std::uint16_t field, const char_record& templ);
std::uint16_t Place_Char(std::uint16_t field, const std::string& name = "Hero", std::uint8_t lobby = 0);

// Gives character c a new item of type in slot; returns the item index.
std::uint16_t Give_Item(std::uint16_t c, std::uint16_t type, int slot);

// The objects of a field's list after its head, map animations included.
std::string Field_List(std::uint16_t field);

inline obj_ref Char_Ref(std::uint16_t c) { return Make_Obj(OBJ_CHAR, c); }
inline obj_ref Item_Ref(std::uint16_t i) { return Make_Obj(OBJ_ITEM, i); }
inline obj_ref Fix_Ref(std::uint16_t i) { return Make_Obj(OBJ_FIXITEM, i); }

}  // namespace fixture

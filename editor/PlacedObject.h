// Placed objects as the editor finds them: whether a reference still names
// an object on the map, its field, its name, and the database type behind a
// fixitem's map slot, each checked before it is used (a selection or a map
// can name records that are gone or out of range).
#pragma once
#include <cstdint>
#include <string>

#include "Objects/ObjRef.h"

// A character in use, an item lying on a field, a field head, or a fixitem
// record in use.
bool Placed_Object_Valid(obj_ref obj);
// The field the object stands on; NO_FIELD when it is no placed object.
std::uint16_t Placed_Object_Field(obj_ref obj);
// The name the field object tree shows: a character's name, an item's type
// name, or for a fixitem and a field head the name of the database type of
// its map slot (empty when that type is out of range).
std::string Placed_Object_Name(obj_ref obj);
// The database fixitem type a map slot holds; -1 when it names no record.
std::int32_t Slot_Database_Type(std::uint8_t slot);
// The map slot of a fixitem or field head record (0 when out of range).
std::uint8_t Fixitem_Slot_Of(std::uint16_t record);
